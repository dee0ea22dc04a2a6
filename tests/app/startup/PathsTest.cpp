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
        std::string settings, temp;
    };
    const Case cases[] = {
        {"/x/conf", "/x/cache", "/x/conf/vemtu", "/x/cache/vemtu/"},
        {nullptr, nullptr, root + "/home/.config/vemtu", root + "/home/.cache/vemtu/"},
        // Empty or relative values are not base folders.
        {"", "relative/cache", root + "/home/.config/vemtu", root + "/home/.cache/vemtu/"},
    };
    for (const Case& c : cases) {
        if (c.config) setenv("XDG_CONFIG_HOME", c.config, 1);
        else unsetenv("XDG_CONFIG_HOME");
        if (c.cache) setenv("XDG_CACHE_HOME", c.cache, 1);
        else unsetenv("XDG_CACHE_HOME");
        EXPECT_EQ(SettingsDirectory().string(), c.settings);
        EXPECT_EQ(SettingsFilePath().string(), c.settings + "/config.ini");
        EXPECT_EQ(TemporaryDirectory().string(), c.temp);
    }
}

TEST(Paths, GbkNamesBecomeThisSystemsNames) {
    EXPECT_EQ(PathFromGbk(G("源文本.txt")).string(), "源文本.txt");
    EXPECT_EQ(GbkFromPath(fs::path("/tmp/源文本.txt")), G("/tmp/源文本.txt"));
    EXPECT_FALSE(ProgramDirectory().empty());
}

}  // namespace
}  // namespace trelvix::test
