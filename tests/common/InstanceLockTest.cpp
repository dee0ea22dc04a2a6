#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <utility>

#include "ManualSteadyClock.h"
#include "TestSupport.h"
#include "common/platform/InstanceLock.h"

namespace trelvix {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Long enough for a live copy to answer on any machine, however loaded: only
// a copy that never answers (a failed test) costs it.
constexpr auto kAnswerBound = std::chrono::minutes(2);

fs::perms Mode(const fs::path& p) { return fs::symlink_status(p).permissions() & fs::perms::mask; }

fs::path Folder(const test::TempHome& home) { return home.root() / "runtime" / "vemtu"; }

void MakePrivateFolder(const fs::path& folder) {
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
}

// A socket at `path`; with `listening`, bound there and listening with an
// empty queue, and nobody ever accepts.
int UnixSocket(const fs::path& path, bool listening) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (listening ? 0 : SOCK_NONBLOCK), 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    const auto* a = reinterpret_cast<const sockaddr*>(&addr);
    const bool ok = listening ? bind(fd, a, sizeof addr) == 0 && listen(fd, 0) == 0 : connect(fd, a, sizeof addr) == 0;
    if (!ok) {
        close(fd);
        return -1;
    }
    return fd;
}

TEST(InstanceLock, SecondCopyIsRefusedAndCanAskTheFirstToComeForward) {
    test::TempHome home;
    std::atomic<int> requests = 0;
    auto first = InstanceLock::TryAcquire("ROS", [&] { ++requests; });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(InstanceLock::TryAcquire("ROS", {}), nullptr);
    EXPECT_TRUE(AskRunningCopyToActivate("ROS", kAnswerBound));
    EXPECT_EQ(requests, 1);
    // Another name is another program.
    EXPECT_NE(InstanceLock::TryAcquire("other", {}), nullptr);
}

TEST(InstanceLock, ReleasedWhenTheHolderEnds) {
    test::TempHome home;
    {
        auto first = InstanceLock::TryAcquire("ROS", {});
        ASSERT_NE(first, nullptr);
    }
    EXPECT_NE(InstanceLock::TryAcquire("ROS", {}), nullptr);
}

// Nothing to ask (no socket, or the socket of a copy that died): the answer
// comes without waiting, on a clock that never moves.
TEST(InstanceLock, AskingWithNoCopyRunningEndsAtOnce) {
    for (const bool deadCopysSocket : {false, true}) {
        SCOPED_TRACE(deadCopysSocket ? "socket of a dead copy" : "no socket");
        test::TempHome home;
        if (deadCopysSocket) {
            MakePrivateFolder(Folder(home));
            const int gone = UnixSocket(Folder(home) / "ROS.sock", true);
            ASSERT_GE(gone, 0);
            close(gone);
        }
        test::ManualSteadyClock clock;
        auto asking = clock.run([&] { return AskRunningCopyToActivate("ROS", 3000ms, clock.reader()); });
        EXPECT_FALSE(clock.readsAgain(3)) << "the asker waits for its bound";
        EXPECT_FALSE(asking.get());
    }
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
    EXPECT_TRUE(AskRunningCopyToActivate("ROS", kAnswerBound));
    EXPECT_EQ(requests, 1);
}

TEST(InstanceLock, LongNamesStillGetAUsableSocket) {
    test::TempHome home;
    const std::string path(200, 'x');
    std::atomic<int> requests = 0;
    auto lock = InstanceLock::TryAcquire("/opt/" + path + "/trelvix", [&] { ++requests; });
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(AskRunningCopyToActivate("/opt/" + path + "/trelvix", kAnswerBound));
    EXPECT_EQ(requests, 1);
}

// Whatever the umask, nobody but the user may take the lock or ask. Without
// a runtime folder the lock still works after an earlier run made the
// temporary folder with the umask's mode.
TEST(InstanceLock, LivesInAFolderOfTheUserClosedToOthers) {
    for (const bool runtimeSet : {true, false}) {
        test::TempHome home;
        if (!runtimeSet) unsetenv("XDG_RUNTIME_DIR");
        const fs::path temporary = home.root() / "cache" / "vemtu";
        fs::create_directories(temporary);
        fs::permissions(temporary, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
        const fs::path folder = runtimeSet ? Folder(home) : temporary / "runtime";
        const mode_t umaskBefore = umask(0);
        auto lock = InstanceLock::TryAcquire("ROS", {});
        umask(umaskBefore);
        ASSERT_NE(lock, nullptr);
        EXPECT_EQ(InstanceFileBase("ROS"), folder / "ROS");
        EXPECT_EQ(Mode(folder), fs::perms::owner_all) << folder;
        EXPECT_EQ(Mode(folder / "ROS.lock"), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(Mode(folder / "ROS.sock"), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_TRUE(lock->held());
        EXPECT_EQ(InstanceLock::TryAcquire("ROS", {}), nullptr);
        EXPECT_TRUE(AskRunningCopyToActivate("ROS", kAnswerBound));
    }
}

// A folder or lock file that someone else could have made or changed is
// not used: the copy runs unprotected, and nothing outside is touched.
TEST(InstanceLock, AFolderOrLockFileNotSafelyOursIsNotUsed) {
    struct Case {
        const char* what;
        std::function<bool(const fs::path& folder, const fs::path& outside)> setUp;  // false: cannot here
    };
    const Case cases[] = {
        {"folder open to others",
         [](const fs::path& folder, const fs::path&) {
             fs::create_directories(folder);
             fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
             return true;
         }},
        {"folder is a link",
         [](const fs::path& folder, const fs::path& outside) {
             MakePrivateFolder(outside);
             fs::create_directory_symlink(outside, folder);
             return true;
         }},
        {"folder of another user",
         [](const fs::path& folder, const fs::path&) {
             MakePrivateFolder(folder);
             return geteuid() == 0 && chown(folder.c_str(), 65534, 65534) == 0;
         }},
        {"lock file is a link",
         [](const fs::path& folder, const fs::path& outside) {
             MakePrivateFolder(folder);
             MakePrivateFolder(outside);
             fs::create_symlink(outside / "target", folder / "ROS.lock");
             return true;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempHome home;
        const fs::path outside = home.root() / "outside";
        if (!c.setUp(Folder(home), outside)) {
            std::printf("skipped (needs root): %s\n", c.what);
            continue;
        }
        std::atomic<int> requests = 0;
        auto first = InstanceLock::TryAcquire("ROS", [&] { ++requests; });
        ASSERT_NE(first, nullptr);
        EXPECT_FALSE(first->held());
        EXPECT_NE(InstanceLock::TryAcquire("ROS", {}), nullptr) << "a lock was taken";
        EXPECT_FALSE(AskRunningCopyToActivate("ROS", 500ms));
        EXPECT_EQ(requests, 0);
        std::error_code ec;
        EXPECT_FALSE(fs::exists(outside, ec) && !fs::is_empty(outside, ec)) << "something was made outside";
        EXPECT_FALSE(fs::exists(Folder(home) / "ROS.sock", ec));
    }
}

TEST(InstanceLock, AskingFollowsNoLinkToAnotherSocket) {
    test::TempHome home;
    std::atomic<int> requests = 0;
    auto first = InstanceLock::TryAcquire("ROS", [&] { ++requests; });
    ASSERT_NE(first, nullptr);
    const fs::path other = home.root() / "other";
    MakePrivateFolder(other / "vemtu");
    fs::permissions(other, fs::perms::owner_all);
    fs::create_symlink(Folder(home) / "ROS.sock", other / "vemtu" / "ROS.sock");
    setenv("XDG_RUNTIME_DIR", other.c_str(), 1);
    EXPECT_FALSE(AskRunningCopyToActivate("ROS", kAnswerBound));
    EXPECT_EQ(requests, 0);
}

// One bound for the whole exchange, also while the first copy's queue is full
// and when the copy takes the request late and never answers it.
TEST(InstanceLock, ACopyThatNeverAnswersHoldsTheAskerOnlyForTheBound) {
    enum class Queue { Open, Full, FullThenTaken };
    const std::pair<Queue, const char*> cases[] = {{Queue::Open, "queue open"},
                                                   {Queue::Full, "queue full"},
                                                   {Queue::FullThenTaken, "request taken late"}};
    for (const auto& [queue, what] : cases) {
        SCOPED_TRACE(what);
        test::TempHome home;
        MakePrivateFolder(Folder(home));
        const fs::path path = Folder(home) / "ROS.sock";
        const int frozen = UnixSocket(path, true);
        ASSERT_GE(frozen, 0);
        const int waiting = queue == Queue::Open ? -1 : UnixSocket(path, false);
        ASSERT_TRUE(queue == Queue::Open || waiting >= 0);

        test::ManualSteadyClock clock;
        auto asking = clock.run([&] { return AskRunningCopyToActivate("ROS", 1000ms, clock.reader()); });
        ASSERT_TRUE(clock.readsAgain(1));  // the bound starts now
        clock.moveTo(900ms);
        int taken = -1;
        if (queue == Queue::FullThenTaken) {
            // Room in the queue, then the asker's own request, which is never answered.
            close(accept(frozen, nullptr, nullptr));
            taken = accept(frozen, nullptr, nullptr);
            ASSERT_GE(taken, 0);
            char request[16] = {};
            EXPECT_GT(read(taken, request, sizeof request), 0);
        }
        clock.moveTo(999ms);
        EXPECT_TRUE(clock.readsAgain(2)) << "gave up before the bound";
        clock.moveTo(1000ms);
        EXPECT_FALSE(clock.readsAgain(3)) << "still waiting past the bound";
        EXPECT_FALSE(asking.get());
        for (int fd : {taken, waiting, frozen})
            if (fd >= 0) close(fd);
    }
}

TEST(InstanceLock, AnAskerThatLeavesBeforeTheAnswerDoesNotEndTheFirstCopy) {
    test::TempHome home;
    std::promise<void> left;
    std::shared_future<void> hasLeft = left.get_future().share();
    std::atomic<int> requests = 0;
    auto first = InstanceLock::TryAcquire("ROS", [&] {
        if (++requests == 1) hasLeft.wait();
    });
    ASSERT_NE(first, nullptr);
    const int asker = UnixSocket(Folder(home) / "ROS.sock", false);
    ASSERT_GE(asker, 0);
    ASSERT_EQ(write(asker, "activate\n", 9), 9);
    close(asker);
    left.set_value();
    // The answer to the one who left goes nowhere; the listener goes on.
    EXPECT_TRUE(AskRunningCopyToActivate("ROS", kAnswerBound));
    EXPECT_EQ(requests, 2);
}

}  // namespace
}  // namespace trelvix
