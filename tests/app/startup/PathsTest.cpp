#include <gtest/gtest.h>

#include <stdlib.h>

#include "TestSupport.h"
#include "common/platform/Paths.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

TEST(Paths, FollowTheUsersBaseFolders) {
    TempHome home;
    const std::string root = home.root().string();
    struct Case {
        const char* config;  // nullptr: unset
        const char* cache;
        const char* runtime;
        std::string settings, temp, instance;
    };
    const Case cases[] = {
        {"/x/conf", "/x/cache", "/x/run", "/x/conf/vemtu", "/x/cache/vemtu/", "/x/run/vemtu"},
        // Without a runtime folder the lock lives in a folder of its own
        // inside the temporary folder, which others may enter.
        {"/x/conf", "/x/cache", nullptr, "/x/conf/vemtu", "/x/cache/vemtu/", "/x/cache/vemtu/runtime"},
        {nullptr, nullptr, nullptr, root + "/home/.config/vemtu", root + "/home/.cache/vemtu/",
         root + "/home/.cache/vemtu/runtime"},
        // Empty or relative values are not base folders.
        {"", "relative/cache", "relative/run", root + "/home/.config/vemtu", root + "/home/.cache/vemtu/",
         root + "/home/.cache/vemtu/runtime"},
    };
    auto set = [](const char* variable, const char* value) {
        if (value) setenv(variable, value, 1);
        else unsetenv(variable);
    };
    for (const Case& c : cases) {
        set("XDG_CONFIG_HOME", c.config);
        set("XDG_CACHE_HOME", c.cache);
        set("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(SettingsDirectory().string(), c.settings);
        EXPECT_EQ(SettingsFilePath().string(), c.settings + "/config.ini");
        EXPECT_EQ(TemporaryDirectory().string(), c.temp);
        EXPECT_EQ(RuntimeDirectory().string(), c.instance);
    }
}

TEST(Paths, GbkNamesBecomeThisSystemsNames) {
    EXPECT_EQ(PathFromGbk(G("源文本.txt")).string(), "源文本.txt");
    EXPECT_EQ(GbkFromPath(fs::path("/tmp/源文本.txt")), G("/tmp/源文本.txt"));
    EXPECT_EQ(ProgramDirectory(), fs::read_symlink("/proc/self/exe").parent_path());
    SetProgramDirectory("/tmp/program");
    EXPECT_EQ(ProgramDirectory(), fs::path("/tmp/program"));
    SetProgramDirectory({});
    EXPECT_EQ(ProgramDirectory(), fs::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace trelvix::test
