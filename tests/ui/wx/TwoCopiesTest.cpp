// Two starts of the program under the display (as the tests start it, its
// message boxes answered through a file): the second tells the user, brings
// the first forward and ends with code 0, whatever state the first copy is
// in. Each step waits for what it means (a copy listening, a copy's end, a
// line in its file), however long a loaded machine takes; the second start's
// own bound is checked on a clock of the test's (SingleInstanceTest).
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "NeedDisplay.h"
#include "TestSupport.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// A copy ends itself after this, so that none outlives a test that failed
// half-way; every test ends its copies long before.
constexpr const char* kOutliveNoTest = "600000";

// A started copy; one still running when the test ends is killed.
class Copy {
public:
    Copy(const std::filesystem::path& sink, const char* exitAfterMs) : sink_(sink) {
        setenv("TRELVIX_TEST_SINK", sink.c_str(), 1);
        setenv("TRELVIX_EXIT_AFTER_MS", exitAfterMs, 1);
        char program[] = TRELVIX_PROGRAM_UNDER_TEST;
        char* argv[] = {program, nullptr};
        if (posix_spawn(&pid_, program, nullptr, nullptr, argv, environ) != 0) pid_ = 0;
        unsetenv("TRELVIX_TEST_SINK");
        unsetenv("TRELVIX_EXIT_AFTER_MS");
    }
    ~Copy() {
        if (!running()) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    bool started() const { return pid_ != 0; }
    pid_t pid() const { return pid_; }
    const std::filesystem::path& sink() const { return sink_; }

    bool running() {
        if (pid_ == 0 || status_) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
        status_ = status;
        return false;
    }
    // The exit code once the copy has ended; -1 when a signal ended it.
    int exitCode() {
        if (!status_ && pid_ != 0) {
            int status = 0;
            while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
            status_ = status;
        }
        return status_ && WIFEXITED(*status_) ? WEXITSTATUS(*status_) : -1;
    }

private:
    pid_t pid_ = 0;
    std::filesystem::path sink_;
    std::optional<int> status_;
};

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// True once something accepts connections at the socket. The probe says
// nothing and leaves at once, which the copy takes as no request.
bool Accepts(const std::filesystem::path& socketPath) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
    const bool accepts = fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    if (fd >= 0) close(fd);
    return accepts;
}

// Waits until the copy listens on its instance socket; false when it ended first.
bool WaitUntilListening(Copy& c, const std::filesystem::path& runtime) {
    while (c.running()) {
        if (Accepts(runtime / "vemtu" / "ROS.sock")) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// Waits until the copy's file holds `text`; false when the copy ended without it.
bool WaitFor(Copy& c, const std::string& text) {
    for (;;) {
        const bool running = c.running();  // before reading: its last line is then in the file
        if (Read(c.sink()).find(text) != std::string::npos) return true;
        if (!running) return false;
        std::this_thread::sleep_for(20ms);
    }
}

const char* kMessageLine = "message\t64\t友情提醒:\t已有一个Trelvix启动着!";

class TwoCopies : public ::testing::Test {
protected:
    void SetUp() override { TRELVIX_NEED_DISPLAY(std::getenv("DISPLAY")); }
    std::filesystem::path runtime() const { return home.root() / "runtime"; }
    trelvix::test::TempHome home;
};

TEST_F(TwoCopies, SecondStartTellsTheUserRaisesTheFirstAndEnds) {
    Copy first(home.root() / "first.log", kOutliveNoTest);
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(WaitUntilListening(first, runtime())) << Read(first.sink());

    Copy second(home.root() / "second.log", kOutliveNoTest);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(Read(second.sink()).find(kMessageLine), std::string::npos) << Read(second.sink());
    // The first copy raises its window after it has answered, so the line may come later.
    EXPECT_TRUE(WaitFor(first, "raise\t主窗口")) << Read(first.sink());
}

TEST_F(TwoCopies, AFirstCopyThatDoesNotAnswerDoesNotHoldTheSecond) {
    Copy first(home.root() / "first.log", kOutliveNoTest);
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(WaitUntilListening(first, runtime()));
    kill(first.pid(), SIGSTOP);  // alive and holding the lock, but answering nothing

    Copy second(home.root() / "second.log", kOutliveNoTest);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(Read(second.sink()).find(kMessageLine), std::string::npos);
}

TEST_F(TwoCopies, AKilledFirstCopyDoesNotBlockTheNextStart) {
    {
        Copy first(home.root() / "first.log", kOutliveNoTest);
        ASSERT_TRUE(first.started());
        ASSERT_TRUE(WaitUntilListening(first, runtime()));
    }  // killed: its socket file stays behind

    Copy next(home.root() / "next.log", kOutliveNoTest);
    ASSERT_TRUE(next.started());
    ASSERT_TRUE(WaitUntilListening(next, runtime())) << Read(next.sink());
    kill(next.pid(), SIGTERM);
    EXPECT_EQ(next.exitCode(), 0);
    EXPECT_EQ(Read(next.sink()).find("message"), std::string::npos) << Read(next.sink());
}

}  // namespace
