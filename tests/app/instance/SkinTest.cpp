#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "app/App.h"
#include "app/Skin.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;

class SkinPath : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folders.program);
        fs::create_directories(folders.system);
    }
    fs::path put(const fs::path& file) {
        std::ofstream(file) << "MZ";
        return file;
    }
    test::TempHome home;
    SkinFolders folders{home.root() / "program", home.root() / "system"};
    ui::HeadlessUi ui;
    FixedClock clock{0};
    FixedRandom random{{1}};
    App app{ui, clock, random, random};
};

TEST_F(SkinPath, ChoosesTheGivenFileOrAnInstalledCopy) {
    const fs::path given = put(home.root() / "jedata.dll");
    struct Case {
        const char* what;
        Gbk path;
        bool inProgram, inSystem;
        fs::path expected;
    } cases[] = {
        {"blank, no copies", "  ", false, false, ""},
        {"missing file, no copies", (home.root() / "none.dll").string(), false, false, home.root() / "none.dll"},
        {"given file exists", "  " + given.string() + " ", true, true, given},
        {"copy in the program folder", "", true, false, folders.program / "SkinH_Qx.dll"},
        {"copies in both: the system one wins", "", true, true, folders.system / "SkinH_Qx.dll"},
    };
    for (const Case& c : cases) {
        fs::remove(folders.program / "SkinH_Qx.dll");
        fs::remove(folders.system / "SkinH_Qx.dll");
        if (c.inProgram) put(folders.program / "SkinH_Qx.dll");
        if (c.inSystem) put(folders.system / "SkinH_Qx.dll");
        ResolveSkinPath(app, c.path, folders);
        EXPECT_EQ(app.SkinLibraryPath, c.expected) << c.what;
    }
}

TEST_F(SkinPath, NothingIsWrittenAndAttachingFailsSilently) {
    ExtractSkinLibrary(app);
    EXPECT_FALSE(fs::exists(app.SkinTempDir / "jedata.dll"));
    EXPECT_FALSE(ApplyEmbeddedSkin(app, 0, 0, 0));
    ResolveSkinPath(app, "  ", folders);
    EXPECT_TRUE(app.SkinLibraryPath.empty());
    EXPECT_FALSE(SkinLibraryHasFunction(app, "SkinH_AttachRes"));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace trelvix
