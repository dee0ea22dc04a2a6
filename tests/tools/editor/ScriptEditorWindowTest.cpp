// The script editor through its real window on the headless realisation, for
// what its case file cannot say: the note table's edges, a selection that an
// operator replaces, Ctrl+A, an oversized drop, where the save dialog opens,
// and closing and reopening. (The buttons' texts are in editor.cases.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "tools/editor/ScriptEditorWindow.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

TEST(BeepNoteFrequency, DefaultNoteTheTableAndNoNote) {
    const struct {
        int index;
        const char* frequency;
    } cases[] = {
        {0, "1000"},  {1, "262"},   {12, "494"},  {13, "523"}, {24, "988"}, {25, "1046"},
        {29, "1318"}, {35, "1865"}, {36, "1967"}, {-1, ""},    {37, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(BeepNoteFrequency(c.index), c.frequency) << c.index;
}

class ScriptEditor : public test::ToolWindowTest {
protected:
    test::TempHome home;
    const std::string code = G("编辑框_代码");

    ui::HeadlessWindow& open() { return openTool(ToolIndex::ScriptEditor); }
};

TEST_F(ScriptEditor, AnOperatorReplacesTheSelectionAndLeavesTheCaretBehindIt) {
    ui::HeadlessWindow& w = open();
    w.type(code, G(":if ($a word $b)"));
    w.setSelection(code, 7, 13);  // " word "
    w.click(G("按钮_相加"));
    EXPECT_EQ(w.text(code), G(":if ($a + $b)"));
    EXPECT_EQ(w.selection(code), std::make_pair(10, 10));
    // Nothing selected: inserted at the caret; two-byte characters before it stay whole.
    w.type(code, G("中文"));
    w.setSelection(code, 2, 2);
    w.click(G("按钮_逻辑与"));
    EXPECT_EQ(w.text(code), G("中 && 文"));
}

TEST_F(ScriptEditor, CtrlASelectsAllOnlyWithCtrlAlone) {
    ui::HeadlessWindow& w = open();
    w.type(code, G(":put 1\r\n:put 2"));
    w.setSelection(code, 1, 1);
    w.keyDown(code, 65, ui::mod::Ctrl | ui::mod::Shift);
    EXPECT_EQ(w.selection(code), std::make_pair(1, 1));
    w.keyDown(code, 66, ui::mod::Ctrl);
    EXPECT_EQ(w.selection(code), std::make_pair(1, 1));
    w.keyDown(code, 65, ui::mod::Ctrl);
    EXPECT_EQ(w.selection(code), std::make_pair(0, 14));
}

TEST_F(ScriptEditor, AnOversizedDropIsRefusedAndTheTextKept) {
    ui::HeadlessWindow& w = open();
    w.type(code, G("keep me"));
    const std::filesystem::path big = home.root() / "big.rsc", limit = home.root() / "limit.rsc";
    std::ofstream(big, std::ios::binary) << std::string(kEditorDropLimit + 1, 'a');
    std::ofstream(limit, std::ios::binary) << std::string(kEditorDropLimit, 'b');
    w.dropFiles(code, {big});
    EXPECT_EQ(w.text(code), G("keep me"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].flags, ui::mb::IconExclamation);
    EXPECT_NE(ui.messages[0].text.bytes().find(big.string()), std::string::npos);
    // A file of exactly the limit still opens; of several files the first is taken.
    w.dropFiles(code, {limit, big});
    EXPECT_EQ(w.text(code).size(), kEditorDropLimit);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ScriptEditor, SaveDialogOpensInTheLastFolderElseHomeWithTheScriptFilter) {
    ui::HeadlessWindow& w = open();
    w.click(G("按钮_另存为"));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].save);
    EXPECT_EQ(ui.dialogs[0].initialDir, std::filesystem::path(std::getenv("HOME")));
    EXPECT_EQ(ui.dialogs[0].filter, G("RSC文件(*.rsc)|*.rsc|文本文档(*.txt)|*.txt|所有文件(*.*)|*.*"));
    EXPECT_TRUE(ui.dialogs[0].fileName.empty());
    std::filesystem::create_directory(home.root() / "scripts");
    ui.dialogAnswers.push_back(home.root() / "scripts" / "a.rsc");
    w.click(G("按钮_另存为"));
    w.click(G("按钮_另存为"));
    ASSERT_EQ(ui.dialogs.size(), 3u);
    EXPECT_EQ(ui.dialogs[2].initialDir, home.root() / "scripts");
}

TEST_F(ScriptEditor, ClosingHidesAndReopeningShowsTheSameWindow) {
    ui::HeadlessWindow& w = open();
    w.type(code, G(":put 1"));
    w.choose(G("组合框_beep频率"), 5);
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.shown());
    ui::HeadlessWindow& again = open();
    EXPECT_EQ(&again, &w);
    EXPECT_TRUE(again.shown());
    EXPECT_EQ(again.text(code), G(":put 1"));
    EXPECT_EQ(again.currentItem(G("组合框_beep频率")), 5);
}

// The build's reference address (by default the RouterOS manual's scripting
// page); a build without one shows the link disabled.
TEST_F(ScriptEditor, TheReferenceLinkOpensTheBuildsAddressOrIsDisabled) {
    const std::string reference = TRELVIX_SCRIPT_REFERENCE;
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(w.enabled(G("超级链接框1")), !reference.empty());
    w.fire(G("超级链接框1"), ui::Event::Click);
    EXPECT_EQ(ui.openedUrls, reference.empty() ? std::vector<std::string>{} : std::vector<std::string>{reference});
}

}  // namespace
}  // namespace trelvix
