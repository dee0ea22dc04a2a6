#include "common/platform/OpenUrl.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "common/text/CodePage.h"

extern char** environ;

namespace trelvix {

void OpenUrl(const Gbk& url) {
    if (url.empty()) return;
    // Straight to the desktop's opener, never through a shell, so nothing in the
    // address is interpreted.
    std::string utf8 = GbkToUtf8(url);
    char program[] = "xdg-open";
    char* argv[] = {program, utf8.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return;
    // Reaped on the side: the browser may take its time and nobody waits for it.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

}  // namespace trelvix
