#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "ProgramFixture.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Paths.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kCode = G("编辑框_代码");
const std::string kLines = G("编辑框_行号");
const std::string kStamp = G("标签_生成时间");

OleDate At(int h, int m, int s, double fraction = 0) {
    return *CivilToOleDate({2017, 8, 8, h, m, s}) + fraction / 86400.0;
}

struct ScriptBox : ::testing::Test {
    ScriptBox() : w(p.start()) { p.ui.messages.clear(); }
    Program p;
    ui::HeadlessWindow& w;
};

TEST_F(ScriptBox, ShowScriptReplacesTheBoxAndStampsTheTime) {
    p.clock.Set(At(14, 5, 9, 0.1));
    p.app.page->showScript(G("/system identity set name=\"a\"\r\n"));
    EXPECT_EQ(w.text(kCode), G("/system identity set name=\"a\"\r\n"));
    EXPECT_EQ(w.text(kStamp), G("生成:2017-08-08 14:05:09"));

    // Later in the same second: the same stamp. An empty script still stamps.
    p.clock.Set(At(14, 5, 9, 0.3));
    p.app.page->showScript("");
    EXPECT_EQ(w.text(kCode), G(""));
    EXPECT_EQ(w.text(kStamp), G("生成:2017-08-08 14:05:09"));

    p.clock.Set(At(23, 59, 58));
    p.app.page->showScript("x");
    EXPECT_EQ(w.text(kStamp), G("生成:2017-08-08 23:59:58"));
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST_F(ScriptBox, ReplaceChangesEveryExactOccurrence) {
    struct Case {
        std::string content, find, replacement, expected;
    };
    const Case cases[] = {
        {"ROS Ros ROS\r\nros", "ROS", "ros", "ros Ros ros\r\nros"},
        {"abc", "", "x", "abc"},
        {"a-b-c", "-", "", "abc"},
        // 乗 is 81 5C: its second byte is no backslash.
        {G("乗\\x乗"), "\\", "/", G("乗/x乗")},
        {G("测试测"), G("测"), G("中文"), G("中文试中文")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Visible(c.content) + " / " + Visible(c.find));
        w.type(kCode, c.content);
        w.type(G("编辑框_预寻找"), c.find);
        w.type(G("编辑框_替换为"), c.replacement);
        w.click(G("按钮_替换"));
        EXPECT_EQ(Visible(w.text(kCode)), Visible(c.expected));
    }
}

TEST_F(ScriptBox, ConvertsBetweenChineseAndRouterOsEscapes) {
    const std::string box = G("编辑框_待转码内容");
    w.type(box, G("a b/测试-1.2"));
    w.click(G("按钮_转换为ROS文"));
    EXPECT_EQ(w.text(box), G("a\\20b\\2F\\B2\\E2\\CA\\D4-1.2"));
    w.click(G("按钮_转换为中文"));
    EXPECT_EQ(w.text(box), G("a b/测试-1.2"));
}

TEST_F(ScriptBox, ClearEmptiesTheBoxAndItsLineNumbers) {
    w.type(kCode, "a\r\nb");
    w.setText(kLines, G("1\r\n2"));
    w.click(G("按钮_清空内容"));
    EXPECT_EQ(w.text(kCode), G(""));
    EXPECT_EQ(w.text(kLines), G(""));
}

TEST_F(ScriptBox, CopyPutsTheTextOnTheClipboardAndSaysSo) {
    for (const std::string& text : {G("/ip address\r\n测试"), std::string()}) {
        p.ui.messages.clear();
        w.type(kCode, text);
        w.click(G("按钮_复制内容"));
        EXPECT_EQ(p.ui.clipboard, text);
        ASSERT_EQ(p.ui.messages.size(), 1u);
        EXPECT_EQ(p.ui.messages[0].text, G("已复制到剪辑板"));
        EXPECT_EQ(p.ui.messages[0].flags, 48);
        EXPECT_EQ(p.ui.messages[0].title, G("信息："));
    }
    // No clipboard: nothing said.
    p.ui.messages.clear();
    p.ui.clipboardWorks = false;
    w.click(G("按钮_复制内容"));
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST_F(ScriptBox, SaveWritesTheBoxBytesThroughTheLayoutsDialog) {
    const fs::path dir = p.home.root() / "out";
    fs::create_directories(dir);
    for (const std::string& text : {G("/ip address\r\nadd comment=\"测试\"\r\n"), std::string("   ")}) {
        const fs::path file = dir / "script.rsc";
        w.type(kCode, text);
        p.ui.dialogAnswers.push_back(file);
        w.click(G("按钮_另存为"));
        EXPECT_EQ(Visible(test::ReadBytes(file).value_or("<none>")), Visible(text));
    }
    ASSERT_EQ(p.ui.dialogs.size(), 2u);
    EXPECT_TRUE(p.ui.dialogs[0].save);
    EXPECT_EQ(p.ui.dialogs[0].filter, G("RSC文件(*.rsc)|*.rsc|文本文档(*.txt)|*.txt|所有文件(*.*)|*.*"));
    EXPECT_TRUE(p.ui.messages.empty());
    // Only the saved file is left: no temporary beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// The program's own folder is read-only once installed: the dialog opens
// in the home folder, then wherever the user last chose a file.
TEST_F(ScriptBox, SaveDialogOpensInTheLastFolderUsedElseTheHomeFolder) {
    const fs::path home = p.home.root() / "home";
    const fs::path first = p.home.root() / "first", second = p.home.root() / "second";
    fs::create_directories(first);
    fs::create_directories(second);
    w.type(kCode, "x");
    struct Step {
        std::optional<fs::path> answer;  // nothing: cancel
        bool removeFirst;                // before the dialog opens
        fs::path opensIn;
    };
    const Step steps[] = {
        {first / "a.rsc", false, home},
        {std::nullopt, false, first},  // a cancelled dialog leaves the folder as it was
        {second / "b.rsc", false, first},
        {first / "c.rsc", false, second},
        {std::nullopt, true, home},  // the last folder is gone
    };
    for (const Step& step : steps) {
        if (step.removeFirst) fs::remove_all(first);
        p.ui.dialogAnswers.push_back(step.answer);
        w.click(G("按钮_另存为"));
        ASSERT_FALSE(p.ui.dialogs.empty());
        EXPECT_EQ(p.ui.dialogs.back().initialDir, step.opensIn) << "dialog " << p.ui.dialogs.size();
    }
}

TEST_F(ScriptBox, SaveOfAnEmptyBoxOrACancelledDialogDoesNothing) {
    w.type(kCode, "");
    w.click(G("按钮_另存为"));
    EXPECT_TRUE(p.ui.dialogs.empty());

    w.type(kCode, "x");
    w.click(G("按钮_另存为"));  // no answer queued: the user cancels
    EXPECT_EQ(p.ui.dialogs.size(), 1u);
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(w.text(kCode), G("x"));
}

// Runs `f` with files limited to `bytes`, as a full disk would limit them.
template <class F>
void WithFileSizeLimit(rlim_t bytes, F f) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldSignal);
}

TEST_F(ScriptBox, AFailedSaveSaysSoAndKeepsTheOldFile) {
    const fs::path dir = p.home.root() / "out";
    fs::create_directories(dir / "a folder");
    const fs::path old = dir / "old.rsc";
    std::ofstream(old, std::ios::binary) << "old script\r\n";

    struct Case {
        const char* what;
        fs::path target;
        bool diskFull;
    };
    const Case cases[] = {
        {"folder missing", dir / "missing" / "x.rsc", false},
        {"a folder of that name", dir / "a folder", false},
        {"disk full", old, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        p.ui.messages.clear();
        w.type(kCode, std::string(8192, 'x'));
        p.ui.dialogAnswers.push_back(c.target);
        if (c.diskFull) WithFileSizeLimit(1024, [&] { w.click(G("按钮_另存为")); });
        else w.click(G("按钮_另存为"));
        ASSERT_EQ(p.ui.messages.size(), 1u);
        EXPECT_EQ(p.ui.messages[0].text, G("保存失败:") + c.target.string());
        EXPECT_EQ(p.ui.messages[0].flags, 16);
    }
    EXPECT_EQ(test::ReadBytes(old), "old script\r\n");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(ScriptBox, CtrlASelectsAllOnlyWithCtrlAlone) {
    const std::string boxes[] = {kCode, G("编辑框_待转码内容"), G("编辑框_替换为"), G("编辑框_预寻找")};
    struct Key {
        int code, modifiers;
        bool selectsAll;
    };
    const Key keys[] = {
        {65, ui::mod::Ctrl, true},
        {65, ui::mod::Ctrl | ui::mod::Shift, false},
        {65, ui::mod::Ctrl | ui::mod::Alt, false},
        {65, 0, false},
        {66, ui::mod::Ctrl, false},
    };
    for (const std::string& box : boxes) {
        for (const Key& k : keys) {
            SCOPED_TRACE(Visible(box) + " key " + std::to_string(k.code) + " mods " + std::to_string(k.modifiers));
            w.type(box, "hello");
            w.setSelection(box, 1, 1);
            w.keyDown(box, k.code, k.modifiers);
            EXPECT_EQ(w.selection(box), k.selectsAll ? std::make_pair(0, 5) : std::make_pair(1, 1));
        }
    }
}

}  // namespace
}  // namespace trelvix::test
