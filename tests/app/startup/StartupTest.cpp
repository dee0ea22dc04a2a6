#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ProgramFixture.h"
#include "common/EmbeddedData.h"
#include "common/ServiceAddresses.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Ini.h"
#include "common/platform/Paths.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kHide = G("菜单_关闭时隐藏");
const std::string kQuit = G("菜单_关闭时退出");
const std::string kTray = G("托盘图标1");
const std::string kVersion = G("标签_版本");

std::string ReadAll(const fs::path& p) { return test::ReadBytes(p).value_or("<unreadable>"); }

std::vector<std::string> SetUpSteps(std::vector<std::string> middle = {}) {
    std::vector<std::string> steps = {"single instance", "skin", "update check 2.8",
                                      "gutter " + G("编辑框_代码") + " " + G("编辑框_行号"), "drop targets"};
    steps.insert(steps.end(), middle.begin(), middle.end());
    steps.push_back("counter address");
    steps.push_back("usage counter");
    return steps;
}

const std::vector<std::string> kStoppedAtUpdate = {"single instance", "skin", "update check 2.8"};

enum class Settings { Missing, Hide1, Hide0, Language1, NotAFile };

void Prepare(Program& p, Settings s) {
    switch (s) {
        case Settings::Missing: break;
        case Settings::Hide1: p.writeConfig("[log]\r\nhide=1\r\n"); break;
        case Settings::Hide0: p.writeConfig("[log]\r\nhide=0\r\n"); break;
        // Names in another case and a quoted value still count.
        case Settings::Language1: p.writeConfig("[LOG]\r\nLanguage = \"1\"\r\nhide=1\r\n"); break;
        case Settings::NotAFile: fs::create_directories(p.configIni()); break;
    }
}

struct StartCase {
    int update;
    Settings settings;
    bool setUp;  // the start-up went past the update check
    bool hide;   // the checked item of the pair (the other is unchecked)
    bool traditional;
    const char* versionLabel;
};

TEST(StartUp, StepsTrayPairAndVersionFollowUpdateAndSettings) {
    const StartCase cases[] = {
        {-1, Settings::Missing, true, true, false, "2.8"},
        {-1, Settings::Hide1, true, true, false, "2.8"},
        {-1, Settings::Hide0, true, false, false, "2.8"},
        {-1, Settings::Language1, true, true, true, "2.8"},
        // Anything but a file of settings counts as none.
        {-1, Settings::NotAFile, true, true, false, "2.8"},
        // A stopped start-up reads no settings: the pair keeps its layout state.
        {0, Settings::Missing, false, true, false, "2.5"},
        {0, Settings::Hide0, false, true, false, "2.5"},
        {0, Settings::Language1, false, true, false, "2.5"},
        {1, Settings::Hide0, false, true, false, "2.5"},
        {1, Settings::NotAFile, false, true, false, "2.5"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE("update " + std::to_string(c.update) + ", settings " +
                     std::to_string(static_cast<int>(c.settings)));
        Program p;
        Prepare(p, c.settings);
        p.updateResult = c.update;
        ui::HeadlessWindow& w = p.start();

        const fs::path pack = p.settingsDir() / "language1.ini";
        std::vector<std::string> expected = kStoppedAtUpdate;
        if (c.setUp) {
            expected = c.traditional ? SetUpSteps({"apply pack language1.ini"}) : SetUpSteps();
        }
        EXPECT_EQ(p.steps, expected);
        EXPECT_TRUE(w.shown());
        EXPECT_EQ(w.checked(kHide), c.hide);
        EXPECT_EQ(w.checked(kQuit), !c.hide);
        EXPECT_EQ(w.text(kVersion), G(c.versionLabel));
        EXPECT_EQ(w.trayShown(kTray), c.setUp);
        EXPECT_EQ(w.windowRect().h, c.setUp ? 725 : 746);
        EXPECT_EQ(!w.tip(G("气球提示框1"), G("按钮_替换")).empty(), c.setUp);
        // The Big5 captions, decoded: "切換簡體" in traditional mode, else the layout's "切換繁體".
        EXPECT_EQ(w.text(G("按钮_语言")), G(c.traditional ? "切換簡體" : "切換繁體"));
        EXPECT_FALSE(fs::exists(pack));
        if (c.setUp) {
            EXPECT_EQ(p.app.DataDirectory, p.settingsDir());
            EXPECT_EQ(p.app.ConfigIniPath, p.configIni());
            EXPECT_EQ(p.app.TempDirectory.string(), (p.home.root() / "cache" / "vemtu").string() + "/");
            EXPECT_TRUE(fs::is_directory(p.settingsDir()));
        } else {
            EXPECT_TRUE(p.app.DataDirectory.empty());
            EXPECT_TRUE(p.app.ConfigIniPath.empty());
            EXPECT_TRUE(p.app.TempDirectory.empty());
        }
    }
}

TEST(StartUp, SetsTheLayoutSizesTipsAndTrayTip) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    const std::string tips = G("气球提示框1");
    EXPECT_EQ(w.tip(tips, G("按钮_替换")), G("支持批量替换"));
    EXPECT_EQ(w.tip(tips, G("按钮_转换为中文")), G("可将 \\B2\\E2\\CA\\D4 这种类型的转换成中文形式"));
    EXPECT_EQ(w.tip(tips, G("按钮_转换为ROS文")), G("可将中文\"测试\"转换成 \\B2\\E2\\CA\\D4 ROS里的这种形式"));
    EXPECT_EQ(w.tip(tips, G("按钮_语言")),
              G("切换繁体字功能,系统只有是繁体中文windows系统才有用!简体中文windows系统不用管"));
    for (const char* list : {"超级列表框_13", "超级列表框_15", "超级列表框_18", "超级列表框_1a"}) {
        if (!w.has(G(list))) continue;  // the installation pages bring these lists
        EXPECT_EQ(
            w.tip(tips, G(list)),
            G("如果需要添加大量的数据,可以用txt文本批量导入,直接将数据编辑好,用 # 符号进行分隔,注意每行的个数以及格式,随后拖曳到列表框即可!"));
    }
    EXPECT_EQ(w.rect(G("分组框1")).h, 470);
    EXPECT_EQ(w.rect(G("选择夹1")).h, 455);
    EXPECT_EQ(w.windowRect().w, 965);
    EXPECT_EQ(w.windowRect().h, 725);

    const std::string site = kMakerSite;
    EXPECT_EQ(w.text(kTray), G("Trelvix 正式版 V2.8") + (site.empty() ? "" : "\r\n" + site));
}

TEST(StartUp, TheTrayIconIsOneSixteenPixelImage) {
    const auto icon = EmbeddedFile("data/icons/tray.ico");
    ASSERT_TRUE(icon.has_value());
    const std::string_view b = *icon;
    ASSERT_EQ(b.size(), 1150u);
    EXPECT_EQ(b.substr(0, 6), std::string_view("\0\0\1\0\1\0", 6));  // an icon file of one image
    EXPECT_EQ(static_cast<unsigned char>(b[6]), 16);                 // 16 wide
    EXPECT_EQ(static_cast<unsigned char>(b[7]), 16);                 // 16 high
    EXPECT_EQ(static_cast<unsigned char>(b[12]), 32);                // 32 bits a pixel
}

// The rate-limit pages' burst and time groups start folded, their controls
// hidden, as their unchecked boxes say; the start-up sizes the frame and
// leaves the groups to their pages' one rule, so a group opened before it
// runs stays open.
TEST(StartUp, BurstGroupsStartFoldedByTheirPagesRule) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    EXPECT_EQ(w.rect(G("分组框1")).h, 470);
    EXPECT_EQ(w.rect(G("选择夹1")).h, 455);
    const ui::Rect burst = w.rect(G("分组框_31burst"));
    EXPECT_EQ(burst.h, 4);
    EXPECT_EQ(w.rect(G("选择框_31开启Time功能")).y, burst.bottom() + 20);
    EXPECT_EQ(w.rect(G("分组框_31开启time")).h, 4);
    EXPECT_EQ(w.rect(G("分组框_33burst")).h, 4);
    EXPECT_EQ(w.rect(G("分组框_33小提示")).y, w.rect(G("分组框_33burst")).bottom() + 13);
    for (const char* group : {"分组框_31burst", "分组框_31开启time", "分组框_33burst"})
        for (const std::string& c : w.children(G(group))) EXPECT_FALSE(w.visible(c)) << c;

    for (const char* box : {"选择框_31开启Burst功能", "选择框_33开启Burst功能"}) w.click(G(box));
    const ui::Rect opened = w.rect(G("分组框_33burst"));
    const ui::Rect tip = w.rect(G("分组框_33小提示"));
    InitMainWindowTips(w);
    EXPECT_EQ(w.rect(G("分组框_31burst")).h, 103);
    EXPECT_EQ(w.rect(G("选择框_31开启Time功能")).y, w.rect(G("分组框_31burst")).bottom() + 5);
    EXPECT_EQ(w.rect(G("分组框_33burst")), opened);
    EXPECT_EQ(w.rect(G("分组框_33小提示")), tip);
    EXPECT_TRUE(w.visible(G("组合框_33upBurstLimit")));
}

TEST(StartUp, ASecondCopyEndsWithNothingSetUpOrSaved) {
    Program p;
    p.anotherCopyRuns = true;
    EXPECT_EQ(ProgramEntry(p.app), 0);
    EXPECT_EQ(p.steps, std::vector<std::string>{"single instance"});
    EXPECT_FALSE(fs::exists(p.settingsDir()));
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(p.ui.findWindow(ui::BuiltInLayout("main.json").name), nullptr);
}

TEST(StartUp, ProgramEntryRunsAndEndsWithTheSettingSaved) {
    Program p;
    EXPECT_EQ(ProgramEntry(p.app), 0);
    EXPECT_EQ(p.ui.findWindow(ui::BuiltInLayout("main.json").name), nullptr);
    EXPECT_EQ(ReadAll(p.configIni()), "[log]\r\nhide=1\r\n");
    // The globals are released at the end.
    EXPECT_FALSE(p.app.FileDrop.has_value());
    EXPECT_EQ(p.app.L7ListRegex, nullptr);
    EXPECT_TRUE(p.app.ConfigIniPath.empty());
}

TEST(StartUp, TheCatalogueExpressionExistsEmptyOnceTheGlobalsAre) {
    Program p;
    p.start();
    ASSERT_NE(p.app.L7ListRegex, nullptr);
    EXPECT_EQ(p.app.L7ListRegex->MatchCount(), 0);
    EXPECT_EQ(p.app.L7ListRegex->PatternText(), "");
}

TEST(StartUp, AnUpdateCheckThatEndsTheProgramSkipsTheLoopAndSavesNothing) {
    Program p;
    p.app.parts.checkForUpdate = [&p](App& a, const Gbk&) {
        p.steps.push_back("update check");
        ExitProgram(a);
        return 0;
    };
    EXPECT_EQ(ProgramEntry(p.app), 0);
    EXPECT_EQ(p.steps, (std::vector<std::string>{"single instance", "skin", "update check", "drop targets off"}));
    EXPECT_FALSE(fs::exists(p.configIni()));
}

// A pipe would hold the start for ever (and every later start would find the
// lock taken), a device would be read without end: whatever is there and not
// a file of settings, the program starts with the defaults and leaves it be.
TEST(StartUp, SettingsThatAreNoPlainFileGiveTheDefaultsAndStayUntouched) {
    struct Case {
        const char* what;
        void (*make)(const fs::path& configIni);
    };
    const Case cases[] = {
        {"a pipe", [](const fs::path& f) { ASSERT_EQ(mkfifo(f.c_str(), 0600), 0); }},
        {"a link to a device", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
        {"far larger than settings",
         [](const fs::path& f) {
             std::ofstream(f, std::ios::binary) << "[log]\r\nlanguage=1\r\nhide=0\r\n"
                                                << std::string(kSettingsFileLimit, ';');
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        fs::create_directories(p.settingsDir());
        c.make(p.configIni());
        const fs::file_status before = fs::symlink_status(p.configIni());
        const auto sizeBefore = fs::is_regular_file(before) ? fs::file_size(p.configIni()) : 0;
        ui::HeadlessWindow& w = p.start();
        EXPECT_TRUE(w.checked(kHide));
        EXPECT_FALSE(w.checked(kQuit));
        EXPECT_EQ(w.text(G("按钮_语言")), G("切換繁體"));
        p.ui.destroyWindow(w);
        EXPECT_EQ(fs::symlink_status(p.configIni()).type(), before.type());
        if (fs::is_regular_file(before)) {
            EXPECT_EQ(fs::file_size(p.configIni()), sizeBefore);
        }
    }
}

// A save killed while it wrote leaves its temporary file; the next start
// removes those of the program's own folders.
TEST(StartUp, RemovesWhatKilledSavesLeftInTheProgramsFolders) {
    Program p;
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string leftover = ".~" + std::to_string(child) + "-0";
    const fs::path temp = p.home.root() / "cache" / "vemtu";
    const std::vector<fs::path> left = {p.settingsDir() / ("config.ini" + leftover),
                                        temp / (PathFromGbk(G("源文本.txt")).string() + leftover),
                                        p.settingsDir() / "Log" / ("log.txt" + leftover)};
    for (const fs::path& f : left) {
        fs::create_directories(f.parent_path());
        std::ofstream(f) << "half";
    }
    std::ofstream(p.settingsDir() / "keep.txt") << "mine";
    p.start();
    for (const fs::path& f : left) EXPECT_FALSE(fs::exists(f)) << f;
    EXPECT_TRUE(fs::exists(p.settingsDir() / "keep.txt"));
}

// ---------------------------------------------------------------- shut-down

TEST(ShutDown, WritesTheHideChoiceAndKeepsTheRestOfTheFile) {
    const std::string before = "; " + G("设置") + "\r\n[other]\nkey=" + G("值") +
                               "\n\r\n[Log]\r\nlanguage=0\r\nhide=1\r\n\r\n[tail]\r\nx=1";
    const std::string afterQuit = "; " + G("设置") + "\r\n[other]\nkey=" + G("值") +
                                  "\n\r\n[Log]\r\nlanguage=0\r\nhide=0\r\n\r\n[tail]\r\nx=1";
    {
        Program p;
        p.writeConfig(before);
        ui::HeadlessWindow& w = p.start();
        w.click(kQuit);
        p.ui.destroyWindow(w);
        EXPECT_EQ(Visible(ReadAll(p.configIni())), Visible(afterQuit));
    }
    {
        Program p;
        p.writeConfig(afterQuit);
        ui::HeadlessWindow& w = p.start();
        w.click(kHide);
        p.ui.destroyWindow(w);
        EXPECT_EQ(Visible(ReadAll(p.configIni())), Visible(before));
    }
}

TEST(ShutDown, AStartUpStoppedAtTheUpdateCheckWritesNothing) {
    Program p;
    p.updateResult = 0;
    ui::HeadlessWindow& w = p.start();
    w.click(kQuit);
    p.ui.destroyWindow(w);
    EXPECT_FALSE(fs::exists(p.settingsDir()));
}

TEST(ShutDown, RunsOnceWhenExitIsFollowedByTheDestroyEvent) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    p.ui.messageAnswers.push_back(ui::mb::IdYes);
    w.click(G("菜单_退出"));
    EXPECT_TRUE(p.ui.quitRequested);
    EXPECT_FALSE(w.trayShown(kTray));
    EXPECT_EQ(ReadAll(p.configIni()), "[log]\r\nhide=1\r\n");

    // What changes after the shut-down steps is not saved a second time.
    w.click(kQuit);
    p.ui.destroyWindow(w);
    EXPECT_EQ(ReadAll(p.configIni()), "[log]\r\nhide=1\r\n");
    EXPECT_EQ(std::count(p.steps.begin(), p.steps.end(), "drop targets off"), 1);
}

TEST(ShutDown, TheExitItemAsksFirst) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    p.ui.messageAnswers.push_back(ui::mb::IdNo);
    w.click(G("菜单_退出"));
    ASSERT_EQ(p.ui.messages.size(), 1u);
    const std::string site = kMakerSite;
    EXPECT_EQ(p.ui.messages[0].text,
              site.empty() ? G("是否退出Trelvix?") : G("是否退出") + site + G("网站提供的Trelvix?"));
    EXPECT_EQ(p.ui.messages[0].flags, 36);
    EXPECT_EQ(p.ui.messages[0].title, G("提示"));
    EXPECT_FALSE(p.ui.quitRequested);
    EXPECT_FALSE(fs::exists(p.configIni()));
}

// ---------------------------------------------------------------- closing

TEST(Closing, HidesIntoTheTrayOnlyWhenOurIconIsThere) {
    struct Case {
        const char* what;
        bool trayAvailable;
        int update;
        bool hideChosen;
        bool hides;  // else the quit question comes
    };
    const Case cases[] = {
        {"hide chosen, icon in the tray", true, -1, true, true},
        {"quit chosen", true, -1, false, false},
        {"desktop without a tray", false, -1, true, false},
        {"start-up stopped at the update check", true, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int answer : {ui::mb::IdNo, ui::mb::IdYes}) {
            Program p;
            p.ui.trayAvailableFlag = c.trayAvailable;
            p.updateResult = c.update;
            ui::HeadlessWindow& w = p.start();
            if (!c.hideChosen) w.click(kQuit);
            p.ui.messageAnswers.push_back(answer);
            const bool destroyed = w.close();
            if (c.hides) {
                EXPECT_FALSE(destroyed);
                EXPECT_FALSE(w.shown());
                EXPECT_TRUE(p.ui.messages.empty());
                continue;
            }
            ASSERT_EQ(p.ui.messages.size(), 1u);
            const std::string site = kMakerSite;
            EXPECT_EQ(p.ui.messages[0].text,
                      site.empty() ? G("是否退出Trelvix?") : G("是否退出 ") + site + G(" 网站提供的Trelvix?"));
            EXPECT_EQ(p.ui.messages[0].flags, 36);
            EXPECT_EQ(p.ui.messages[0].title, G("提示"));
            EXPECT_EQ(destroyed, answer == ui::mb::IdYes);
            EXPECT_TRUE(w.shown() || destroyed);
        }
    }
}

TEST(Closing, ACloseThatCannotBeRefusedIsNeitherAskedNorHidden) {
    for (bool hideChosen : {true, false}) {
        Program p;
        ui::HeadlessWindow& w = p.start();
        if (!hideChosen) w.click(kQuit);
        EXPECT_TRUE(w.close(false));
        EXPECT_TRUE(p.ui.messages.empty());
        EXPECT_EQ(p.app.main, nullptr);
        EXPECT_EQ(ReadAll(p.configIni()), hideChosen ? "[log]\r\nhide=1\r\n" : "[log]\r\nhide=0\r\n");
    }
}

TEST(TrayMenu, TheCloseChoiceAlwaysHasExactlyOneItemChecked) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    const std::pair<const std::string*, bool> clicks[] = {
        {&kQuit, false}, {&kHide, true}, {&kHide, true}, {&kQuit, false}, {&kQuit, false}, {&kHide, true},
    };
    for (const auto& [item, hide] : clicks) {
        w.click(*item);
        EXPECT_EQ(w.checked(kHide), hide);
        EXPECT_EQ(w.checked(kQuit), !hide);
    }
}

}  // namespace
}  // namespace trelvix::test
