#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/platform/OpenUrl.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;

namespace {

// A stand-in for the desktop opener on PATH records its one argument, so no browser
// starts and the test sees exactly what would have been opened.
TEST(OpenUrl, PassesTheAddressAsOneUtf8ArgumentWithoutAShell) {
    trelvix::test::TempHome home;
    const auto bin = home.root() / "bin";
    std::filesystem::create_directories(bin);
    const auto opener = bin / "xdg-open";
    const auto record = home.root() / "opened.txt";
    {
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"" << record.string() << ".part\"\n"
               << "mv \"" << record.string() << ".part\" \"" << record.string() << "\"\n";
    }
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);

    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    setenv("PATH", (bin.string() + ":/usr/bin:/bin").c_str(), 1);
    OpenUrl(G("http://例子.测试/a b?x=1&y=$(id);`id`"));
    setenv("PATH", savedPath.c_str(), 1);

    while (!std::filesystem::exists(record)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::ifstream in(record);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), "1|http://例子.测试/a b?x=1&y=$(id);`id`");
}

}  // namespace
