// The desktop program as a whole: started under the display, it shows its
// main window and ends by itself with code 0.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "NeedDisplay.h"
#include "TestSupport.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

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

TEST(Program, ShowsItsMainWindowAndEndsByItself) {
    TRELVIX_NEED_DISPLAY(std::getenv("DISPLAY"));
    const bool haveXdotool = Output("command -v xdotool").value_or("").find("xdotool") != std::string::npos;
    trelvix::test::TempHome home;
    setenv("TRELVIX_EXIT_AFTER_MS", "5000", 1);

    char program[] = TRELVIX_PROGRAM;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program, nullptr, nullptr, argv, environ), 0);
    unsetenv("TRELVIX_EXIT_AFTER_MS");

    // Its window appears while it runs: a mapped window of the process, titled.
    std::string title;
    int status = 0;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            break;
        }
        if (haveXdotool && title.empty()) {
            const std::string ids = Output("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null").value_or("");
            if (!ids.empty()) title = Output("xdotool getwindowname " + ids.substr(0, ids.find('\n'))).value_or("");
        }
        std::this_thread::sleep_for(50ms);
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "the program did not end by itself";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    TRELVIX_NEED(haveXdotool, "xdotool: the window was not looked for");
    EXPECT_NE(title.find("Trelvix"), std::string::npos) << "window title: " << title;
}

}  // namespace
