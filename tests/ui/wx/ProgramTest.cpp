// The desktop program as a whole under the display: the installed program
// shows its main window and takes no test settings from the environment; the
// program as the tests start it goes through its whole start and end.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
namespace fs = std::filesystem;

// The output of a short command, or nothing when it could not run.
std::optional<std::string> Output(const std::string& command) {
    FILE* p = popen(command.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    const int status = pclose(p);
    if (status == -1) return std::nullopt;
    return out;
}

bool HaveXdotool() { return Output("command -v xdotool").value_or("").find("xdotool") != std::string::npos; }

// The title of a mapped window of the process, empty while it has none.
std::string WindowTitle(pid_t pid) {
    const std::string ids =
        Output("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null").value_or("");
    if (ids.empty()) return {};
    return Output("xdotool getwindowname " + ids.substr(0, ids.find('\n'))).value_or("");
}

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

pid_t Spawn(const char* path, const fs::path& sink, const char* exitAfterMs) {
    setenv("TRELVIX_TEST_SINK", sink.c_str(), 1);
    setenv("TRELVIX_EXIT_AFTER_MS", exitAfterMs, 1);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path, nullptr, nullptr, argv, environ) != 0) pid = 0;
    unsetenv("TRELVIX_TEST_SINK");
    unsetenv("TRELVIX_EXIT_AFTER_MS");
    return pid;
}

// The wait status once the process has ended.
int WaitForEnd(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override { TRELVIX_NEED_DISPLAY(std::getenv("DISPLAY")); }
    // A copy is up once its single-instance socket exists; false when it ended first.
    bool WaitUntilUp(pid_t pid) const {
        for (;;) {
            if (fs::exists(home.root() / "runtime" / "vemtu" / "ROS.sock")) return true;
            if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
            std::this_thread::sleep_for(20ms);
        }
    }
    trelvix::test::TempHome home;
};

TEST_F(Program, TheInstalledProgramShowsItsWindowAndTakesNoTestSettings) {
    const fs::path sink = home.root() / "sink.log";
    const pid_t pid = Spawn(TRELVIX_PROGRAM, sink, "200");
    ASSERT_NE(pid, 0);
    ASSERT_TRUE(WaitUntilUp(pid)) << "the program did not start";

    std::string title;
    if (HaveXdotool()) {
        while (title.empty() && waitpid(pid, nullptr, WNOHANG) == 0) {
            title = WindowTitle(pid);
            std::this_thread::sleep_for(50ms);
        }
    }
    // Well past the time the test setting names, the program still runs.
    std::this_thread::sleep_for(1500ms);
    const bool running = waitpid(pid, nullptr, WNOHANG) == 0;
    kill(pid, SIGTERM);
    const int status = WaitForEnd(pid);
    EXPECT_TRUE(running) << "the program ended by itself";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "ended with status " << status;
    EXPECT_FALSE(fs::exists(sink)) << Read(sink);
    TRELVIX_NEED(HaveXdotool(), "xdotool: the window was not looked for");
    EXPECT_NE(title.find("Trelvix"), std::string::npos) << "window title: " << title;
}

TEST_F(Program, EndsByItselfWithCodeZeroAfterAWholeStartAndShutDown) {
    const fs::path sink = home.root() / "sink.log";
    const pid_t pid = Spawn(TRELVIX_PROGRAM_UNDER_TEST, sink, "3000");
    ASSERT_NE(pid, 0);
    const int status = WaitForEnd(pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // A plain start asks nothing; the shut-down kept the close choice and let go of the lock.
    EXPECT_FALSE(fs::exists(sink)) << Read(sink);
    EXPECT_NE(Read(home.root() / "config" / "vemtu" / "config.ini").find("hide=1"), std::string::npos);
    EXPECT_FALSE(fs::exists(home.root() / "runtime" / "vemtu" / "ROS.sock"));
}

// A logout, a shutdown or Ctrl+C in the terminal ends the program as its
// exit item does, without the question: settings written, lock let go.
TEST_F(Program, TheSessionsEndSignalsEndItInOrderWithCodeZero) {
    const fs::path config = home.root() / "config" / "vemtu" / "config.ini";
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        fs::remove(config);
        const fs::path sink = home.root() / "sink.log";
        const pid_t pid = Spawn(TRELVIX_PROGRAM_UNDER_TEST, sink, "600000");
        ASSERT_NE(pid, 0);
        ASSERT_TRUE(WaitUntilUp(pid)) << "the program did not start";
        kill(pid, signal);
        const int status = WaitForEnd(pid);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_FALSE(fs::exists(sink)) << Read(sink);
        EXPECT_NE(Read(config).find("hide=1"), std::string::npos);
        EXPECT_FALSE(fs::exists(home.root() / "runtime" / "vemtu" / "ROS.sock"));
    }
}

}  // namespace
