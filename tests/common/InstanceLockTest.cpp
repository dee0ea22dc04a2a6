#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

#include "TestSupport.h"
#include "common/platform/InstanceLock.h"

namespace trelvix {
namespace {

using namespace std::chrono_literals;

TEST(InstanceLock, SecondCopyIsRefusedAndCanAskTheFirstToComeForward) {
    test::TempHome home;
    std::atomic<int> requests = 0;
    auto first = InstanceLock::TryAcquire("ROS", [&] { ++requests; });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(InstanceLock::TryAcquire("ROS", {}), nullptr);
    EXPECT_TRUE(AskRunningCopyToActivate("ROS", 2000ms));
    EXPECT_EQ(requests, 1);
    // Another name is another program.
    EXPECT_NE(InstanceLock::TryAcquire("other", {}), nullptr);
}

TEST(InstanceLock, ReleasedWhenTheHolderEnds) {
    test::TempHome home;
    { auto first = InstanceLock::TryAcquire("ROS", {}); ASSERT_NE(first, nullptr); }
    EXPECT_NE(InstanceLock::TryAcquire("ROS", {}), nullptr);
}

TEST(InstanceLock, AskingWithNoCopyRunningEndsAtOnce) {
    test::TempHome home;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(AskRunningCopyToActivate("ROS", 3000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
}

TEST(InstanceLock, AKilledHolderDoesNotBlockTheNextStart) {
    test::TempHome home;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto lock = InstanceLock::TryAcquire("ROS", {});
        char c = lock ? '1' : '0';
        [[maybe_unused]] auto n = write(ready[1], &c, 1);
        for (;;) pause();
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');
    EXPECT_EQ(InstanceLock::TryAcquire("ROS", {}), nullptr);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // Its socket file is still there, but nobody answers and the lock is free.
    EXPECT_FALSE(AskRunningCopyToActivate("ROS", 500ms));
    std::atomic<int> requests = 0;
    auto next = InstanceLock::TryAcquire("ROS", [&] { ++requests; });
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(AskRunningCopyToActivate("ROS", 2000ms));
    EXPECT_EQ(requests, 1);
}

TEST(InstanceLock, LongNamesStillGetAUsableSocket) {
    test::TempHome home;
    const std::string path(200, 'x');
    std::atomic<int> requests = 0;
    auto lock = InstanceLock::TryAcquire("/opt/" + path + "/trelvix", [&] { ++requests; });
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(AskRunningCopyToActivate("/opt/" + path + "/trelvix", 2000ms));
    EXPECT_EQ(requests, 1);
}

}  // namespace
}  // namespace trelvix
