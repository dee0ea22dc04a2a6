// The Layer-7 tools window through its real window on the headless realisation,
// opened as the tool chooser opens it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "tools/l7/L7ToolsWindow.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

class L7ToolsWindow : public test::ToolWindowTest {
protected:
    test::TempHome home;
    // The work files go to the per-user temporary folder.
    L7ToolsWindow() {
        const auto folder = home.root() / "cache" / "vemtu";
        std::filesystem::create_directories(folder);
        temp = folder.string() + "/";
    }

    ui::HeadlessWindow& open() { return openTool(ToolIndex::L7Tools); }
    static void checkRow(ui::HeadlessWindow& w, int row) {
        w.setRowChecked(G("超级列表框_l7"), row, true);
        w.fire(G("超级列表框_l7"), ui::Event::RowChecked, ui::EventArgs::Index(row));
    }
    static Gbk panel(const ui::HeadlessWindow& w, std::size_t i) {
        const auto panels = w.items(G("状态条"));
        return i < panels.size() ? panels[i].bytes() : Gbk("<none>");
    }
};

TEST_F(L7ToolsWindow, OpensWithTheCatalogueUncheckedAndTheHelpTreeFilled) {
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(w.windowRect().h, 639);
    ASSERT_EQ(w.rowCount(G("超级列表框_l7")), 127);
    EXPECT_EQ(w.row(G("超级列表框_l7"), 22),
              (std::vector<ui::GbkText>{Gbk("23"), Gbk("ssh"), Gbk(R"(^ssh-[12]\\.[0-9])")}));
    for (int i = 0; i < 127; ++i) EXPECT_FALSE(w.rowChecked(G("超级列表框_l7"), i));
    EXPECT_EQ(panel(w, 1), "0");
    const auto items = w.treeItems(G("树型框"));
    ASSERT_EQ(items.size(), 61u);
    // The entries hang under their headings: 34, 10, 6 and 6; the last two runs are open.
    int under[5] = {};
    for (std::size_t i = 5; i < items.size(); ++i) {
        ASSERT_GE(items[i].parent, 0);
        ASSERT_LT(items[i].parent, 5);
        ++under[items[i].parent];
    }
    EXPECT_EQ(under[0], 34);
    EXPECT_EQ(under[1], 0);
    EXPECT_EQ(under[2], 10);
    EXPECT_EQ(under[3], 6);
    EXPECT_EQ(under[4], 6);
    EXPECT_TRUE(items[3].expanded);
    EXPECT_TRUE(items[4].expanded);
}

TEST_F(L7ToolsWindow, CheckedRowsAreCountedAndGenerated) {
    ui::HeadlessWindow& w = open();
    const Gbk notice = w.text(G("编辑框_代码"));
    w.click(G("按钮_生成选中的L7协议"));
    EXPECT_EQ(w.text(G("编辑框_代码")).bytes(), notice);  // nothing checked: nothing happens
    checkRow(w, 22);
    checkRow(w, 41);
    EXPECT_EQ(panel(w, 1), "2");
    w.click(G("按钮_生成选中的L7协议"));
    EXPECT_BYTES(w.text(G("编辑框_代码")).bytes(),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=ssh regexp=\"^ssh-[12]\\\\.[0-9]\"\r\n"
                 "add name=qq regexp=\"^.\\?\\02.+\\03\\$\"\r\n");
    EXPECT_EQ(panel(w, 3), FormatDateTime(clock.Now(), 1, 0));
    // The tester page has its own status bar; back on the generator the count returns.
    w.choose(G("高级选择夹1"), 1);
    EXPECT_EQ(w.items(G("状态条")), (std::vector<ui::GbkText>{G("提示:"), Gbk()}));
    w.choose(G("高级选择夹1"), 0);
    EXPECT_EQ(w.items(G("状态条")), (std::vector<ui::GbkText>{G("当前选中:"), Gbk("2"), G("生成时间:"), Gbk()}));
}

TEST_F(L7ToolsWindow, InvertAndCheckAllCountEveryRow) {
    ui::HeadlessWindow& w = open();
    w.click(G("按钮_反选"));
    EXPECT_EQ(panel(w, 1), "127");
    w.click(G("按钮_反选"));
    EXPECT_EQ(panel(w, 1), "0");
    checkRow(w, 0);
    w.click(G("按钮_全选"));
    EXPECT_EQ(panel(w, 1), "127");
}

TEST_F(L7ToolsWindow, TheMenuCopiesTheCurrentRowsRegexp) {
    ui::HeadlessWindow& w = open();
    w.fire(G("超级列表框_l7"), ui::Event::RowRightClick);
    EXPECT_EQ(w.lastPopupMenu(), G("菜单"));
    w.click(G("菜单_复制当前Regexp"));
    EXPECT_EQ(ui.clipboard, Gbk());
    w.choose(G("超级列表框_l7"), 41);
    w.click(G("菜单_复制当前Regexp"));
    EXPECT_EQ(ui.clipboard, Gbk(R"(^.\?\02.+\03\$)"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(L7ToolsWindow, QqRulesGoToTheCodeBoxAndABadNumberIsRefused) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_QQ号码"), "10000");
    w.click(G("按钮_生成此QQL7协议"));
    EXPECT_BYTES(w.text(G("编辑框_代码")).bytes(),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=QQ regexp=\".\\?\\\\x02.+\\\\x27\\\\x10.+\\\\x03\\$\"");
    w.type(G("编辑框_QQ号码"), "99999999999");
    w.click(G("按钮_生成此QQL7协议"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, G("QQ号码只能是0到4294967295之间的数字:99999999999"));
    EXPECT_EQ(ui.messages[0].flags, ui::mb::IconExclamation);
    EXPECT_NE(w.text(G("编辑框_代码")).bytes().find("x27"), Gbk::npos);  // unchanged

    // The list: an empty item is number 0 with the custom name "qq-".
    w.click(G("单选框_自定义格式"));
    w.type(G("编辑框_QQ号码"), "100000");
    w.click(G("按钮_添加"));
    w.type(G("编辑框_QQ号码"), "");
    w.click(G("按钮_添加"));
    w.click(G("按钮_添加"));
    w.choose(G("列表框_QQ列表"), 2);
    w.click(G("按钮_删除"));
    EXPECT_EQ(w.items(G("列表框_QQ列表")), (std::vector<ui::GbkText>{Gbk("100000"), Gbk()}));
    w.click(G("按钮_批量生成QQL7协议"));
    EXPECT_BYTES(w.text(G("编辑框_代码")).bytes(),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=qq-100000 regexp=\".\\?\\\\x02.+\\\\x01\\\\x86\\\\xA0.+\\\\x03\\$\"\r\n"
                 "add name=qq- regexp=\".\\?\\\\x02.+\\\\x00.+\\\\x03\\$\"\r\n");

    // An empty box and an empty list empty the code box.
    w.click(G("按钮_生成此QQL7协议"));
    EXPECT_EQ(w.text(G("编辑框_代码")).bytes(), "");
    w.click(G("按钮_所有QQ的L7"));
    EXPECT_BYTES(w.text(G("编辑框_代码")).bytes(),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=QQ-all regexp=\".\\?\\\\x02.+\\\\x03\\$\"");
}

TEST_F(L7ToolsWindow, HeadingsShowNothingAndAnEntryShowsItsHelp) {
    ui::HeadlessWindow& w = open();
    w.choose(G("高级选择夹1"), 1);
    const auto items = w.treeItems(G("树型框"));
    // Entry 60, the last item in display order, was added last.
    w.choose(G("树型框"), static_cast<int>(items.size()) - 1);
    EXPECT_EQ(w.currentItem(G("高级选择夹")), 0);
    const Gbk shown = w.text(G("编辑框_语法提示"));
    EXPECT_EQ(shown.substr(0, G("匹配多行文本").size() + 2 + 48 + 2),
              G("匹配多行文本") + "\r\n" + std::string(48, '-') + "\r\n");
    EXPECT_NE(shown.find("\r\n", G("匹配多行文本").size() + 54), Gbk::npos);
    for (int heading = 0; heading < 5; ++heading) {
        w.choose(G("树型框"), heading);
        EXPECT_EQ(w.text(G("编辑框_语法提示")).bytes(), "") << heading;
    }
    // Entry 7, "." (display index 7: the seventh child of the first heading).
    w.choose(G("树型框"), 5 + 6);
    EXPECT_EQ(w.text(G("编辑框_语法提示")).bytes().substr(0, 3), ".\r\n");
}

TEST_F(L7ToolsWindow, TheTesterListsMatchesOrSaysWhyNot) {
    ui::HeadlessWindow& w = open();
    w.choose(G("高级选择夹1"), 1);
    w.click(G("按钮_匹配"));
    EXPECT_EQ(w.currentItem(G("高级选择夹")), 2);
    EXPECT_EQ(w.rowCount(G("超级列表框_zz")), 0);
    EXPECT_EQ(panel(w, 1), G("[正则表达式]不能为空"));
    EXPECT_TRUE(w.visible(G("透明标签_提示")));
    w.type(G("编辑框_正则表达式"), "(ab");
    EXPECT_FALSE(w.visible(G("透明标签_提示")));
    w.click(G("按钮_匹配"));
    ASSERT_EQ(w.rowCount(G("超级列表框_zz")), 1);
    EXPECT_EQ(w.row(G("超级列表框_zz"), 0), (std::vector<ui::GbkText>{Gbk(), G("匹配失败")}));
    EXPECT_EQ(panel(w, 1), G("匹配失败"));
    w.type(G("编辑框_正则表达式"), "qq[0-9]+");
    w.type(G("编辑框_源文本"), G("我的QQ10000和qq20000"));
    w.click(G("按钮_匹配"));
    ASSERT_EQ(w.rowCount(G("超级列表框_zz")), 2);
    EXPECT_EQ(w.row(G("超级列表框_zz"), 1), (std::vector<ui::GbkText>{Gbk("2"), Gbk("qq20000")}));
    EXPECT_EQ(panel(w, 1), G("匹配成功 - 匹配数量: 2"));
}

TEST_F(L7ToolsWindow, LoadingASourceFileReplacesTheBoxOrSaysItCannot) {
    ui::HeadlessWindow& w = open();
    const auto file = home.root() / "source.txt";
    WriteAll(file, G("源文本内容"));
    ui.dialogAnswers.push_back(file);
    w.click(G("按钮_本地文件"));
    EXPECT_EQ(w.text(G("编辑框_源文本")).bytes(), G("源文本内容"));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(ui.dialogs[0].save);
    EXPECT_EQ(ui.dialogs[0].filter, G("所有文件(*.*)|*.*"));
    ui.dialogAnswers.push_back(home.root() / "missing.txt");
    w.click(G("按钮_本地文件"));
    EXPECT_EQ(w.text(G("编辑框_源文本")).bytes(), G("源文本内容"));
    ASSERT_EQ(ui.messages.size(), 1u);
    w.click(G("按钮_本地文件"));  // cancelled
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(L7ToolsWindow, ClosingSavesTheTesterTextsWhichComeBackAtTheNextStart) {
    const auto source = L7SourceWorkFile(temp), pattern = L7PatternWorkFile(temp);
    EXPECT_EQ(source.filename().string(), "源文本.txt");
    EXPECT_EQ(pattern.filename().string(), "正则表达式.txt");
    {
        ui::HeadlessWindow& w = open();
        w.type(G("编辑框_源文本"), G("第一行\r\n第二行"));
        w.type(G("编辑框_正则表达式"), "a+");
        EXPECT_FALSE(w.close());
        EXPECT_FALSE(w.shown());
        EXPECT_EQ(ReadAll(source), G("第一行\r\n第二行"));
        EXPECT_EQ(ReadAll(pattern), "a+");
        // An emptied box leaves its file as it was; the other is saved at the end.
        ShowToolWindow(tools, ToolIndex::L7Tools);
        w.type(G("编辑框_源文本"), "");
        w.type(G("编辑框_正则表达式"), "b+");
        CloseToolWindows(tools);
        EXPECT_EQ(ui.findWindow("L7ToolsWindow"), nullptr);
    }
    EXPECT_EQ(ReadAll(source), G("第一行\r\n第二行"));
    EXPECT_EQ(ReadAll(pattern), "b+");
    ui::HeadlessWindow& again = open();
    EXPECT_EQ(again.text(G("编辑框_源文本")).bytes(), G("第一行\r\n第二行"));
    EXPECT_EQ(again.text(G("编辑框_正则表达式")).bytes(), "b+");
}

// Links planted in place of the work files: nothing they point to is shown
// in the boxes, and closing the window replaces the links instead of writing
// the boxes' texts (cut at a zero byte, with CR LF) into those files.
TEST_F(L7ToolsWindow, WorkFilesThatAreLinksAreNeitherShownNorWrittenThrough) {
    const std::filesystem::path other = home.root() / "notes.txt";
    constexpr char kNotes[] = "private\nline\0two\xFF\n";
    const std::string notes(kNotes, sizeof kNotes - 1);  // the zero byte included
    WriteAll(other, notes);
    const auto source = L7SourceWorkFile(temp), pattern = L7PatternWorkFile(temp);
    std::filesystem::create_symlink(other, source);
    std::filesystem::create_symlink(other, pattern);
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(w.text(G("编辑框_源文本")).bytes(), "");
    EXPECT_EQ(w.text(G("编辑框_正则表达式")).bytes(), "");
    w.type(G("编辑框_源文本"), "text");
    w.type(G("编辑框_正则表达式"), "t+");
    EXPECT_FALSE(w.close());
    EXPECT_EQ(ReadAll(other), notes);
    EXPECT_FALSE(std::filesystem::is_symlink(source));
    EXPECT_FALSE(std::filesystem::is_symlink(pattern));
    EXPECT_EQ(ReadAll(source), "text");
    EXPECT_EQ(ReadAll(pattern), "t+");
}

TEST_F(L7ToolsWindow, CodeBoxToolsSaveCopyAndClear) {
    ui::HeadlessWindow& w = open();
    w.click(G("按钮_所有QQ的L7"));
    const Gbk script = w.text(G("编辑框_代码"));
    const auto file = home.root() / "qq.rsc";
    ui.dialogAnswers.push_back(file);
    w.click(G("按钮_另存为"));
    EXPECT_EQ(ReadAll(file), script);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].save);
    w.click(G("按钮_复制内容"));
    EXPECT_EQ(ui.clipboard, script);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, G("已复制到剪切板"));
    EXPECT_EQ(ui.messages[0].flags, ui::mb::IconExclamation);
    w.click(G("按钮_清空内容"));
    EXPECT_EQ(w.text(G("编辑框_代码")).bytes(), "");
    w.click(G("按钮_另存为"));  // an empty box opens no dialog
    EXPECT_EQ(ui.dialogs.size(), 1u);
}

}  // namespace
}  // namespace trelvix
