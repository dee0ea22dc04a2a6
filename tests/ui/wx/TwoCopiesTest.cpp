// Two starts of the program under the display (as the tests start it, its
// message boxes answered through a file): the second tells the user, brings
// the first forward and ends promptly with code 0, whatever state the first
// copy is in.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "NeedDisplay.h"
#include "TestSupport.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Copy {
    pid_t pid = 0;
    std::filesystem::path sink;
};

Copy Start(const std::filesystem::path& sink, int exitAfterMs) {
    setenv("TRELVIX_TEST_SINK", sink.c_str(), 1);
    setenv("TRELVIX_EXIT_AFTER_MS", std::to_string(exitAfterMs).c_str(), 1);
    char program[] = TRELVIX_PROGRAM_UNDER_TEST;
    char* argv[] = {program, nullptr};
    Copy c{0, sink};
    if (posix_spawn(&c.pid, program, nullptr, nullptr, argv, environ) != 0) c.pid = 0;
    unsetenv("TRELVIX_TEST_SINK");
    unsetenv("TRELVIX_EXIT_AFTER_MS");
    return c;
}

// The exit code, or -1 when the copy did not end within `limit` (it is then killed).
int WaitForExit(const Copy& c, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < deadline) {
        if (waitpid(c.pid, &status, WNOHANG) == c.pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(20ms);
    }
    kill(c.pid, SIGKILL);
    waitpid(c.pid, &status, 0);
    return -1;
}

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The first copy is up once its instance socket exists.
bool WaitUntilListening(const std::filesystem::path& runtime) {
    const auto deadline = Clock::now() + 30s;
    while (Clock::now() < deadline) {
        if (std::filesystem::exists(runtime / "vemtu" / "ROS.sock")) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool WaitFor(const std::filesystem::path& p, const std::string& text, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (Read(p).find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

const char* kMessageLine = "message\t64\t友情提醒:\t已有一个Trelvix启动着!";

class TwoCopies : public ::testing::Test {
protected:
    void SetUp() override {
        TRELVIX_NEED_DISPLAY(std::getenv("DISPLAY"));
    }
    std::filesystem::path runtime() const { return home.root() / "runtime"; }
    trelvix::test::TempHome home;
};

TEST_F(TwoCopies, SecondStartTellsTheUserRaisesTheFirstAndEnds) {
    Copy first = Start(home.root() / "first.log", 30000);
    ASSERT_NE(first.pid, 0);
    ASSERT_TRUE(WaitUntilListening(runtime()));

    Copy second = Start(home.root() / "second.log", 30000);
    ASSERT_NE(second.pid, 0);
    const auto started = Clock::now();
    EXPECT_EQ(WaitForExit(second, 15s), 0);
    EXPECT_LT(Clock::now() - started, 10s);
    EXPECT_NE(Read(second.sink).find(kMessageLine), std::string::npos) << Read(second.sink);
    EXPECT_TRUE(WaitFor(first.sink, "raise\t主窗口", 5s)) << Read(first.sink);

    kill(first.pid, SIGTERM);
    WaitForExit(first, 10s);
}

TEST_F(TwoCopies, AFirstCopyThatDoesNotAnswerDoesNotHoldTheSecond) {
    Copy first = Start(home.root() / "first.log", 30000);
    ASSERT_NE(first.pid, 0);
    ASSERT_TRUE(WaitUntilListening(runtime()));
    kill(first.pid, SIGSTOP);  // alive and holding the lock, but answering nothing

    Copy second = Start(home.root() / "second.log", 30000);
    const auto started = Clock::now();
    EXPECT_EQ(WaitForExit(second, 20s), 0);
    EXPECT_LT(Clock::now() - started, 12s);
    EXPECT_NE(Read(second.sink).find(kMessageLine), std::string::npos);

    kill(first.pid, SIGKILL);
    WaitForExit(first, 5s);
}

TEST_F(TwoCopies, AKilledFirstCopyDoesNotBlockTheNextStart) {
    Copy first = Start(home.root() / "first.log", 30000);
    ASSERT_NE(first.pid, 0);
    ASSERT_TRUE(WaitUntilListening(runtime()));
    kill(first.pid, SIGKILL);
    WaitForExit(first, 5s);

    Copy next = Start(home.root() / "next.log", 1500);
    EXPECT_EQ(WaitForExit(next, 30s), 0);
    EXPECT_EQ(Read(next.sink).find("message"), std::string::npos) << Read(next.sink);
}

}  // namespace
