// The route-table generator through its real window on the headless
// realisation, opened as the tool chooser opens it: what the cases cannot
// show (whole built-in lists, which box owns a message, the dialog that does
// not open, the selection, hiding). Texts the user sees are in routetable.cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/CarrierCidrList.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

class RouteTableWindow : public test::ToolWindowTest {
protected:
    ui::HeadlessWindow& open() { return openTool(ToolIndex::RouteTable); }
};

// Each list button shows its own built-in list, byte for byte, and the line
// count follows: the one list that ends in CR LF counts an empty last line.
TEST_F(RouteTableWindow, EachListButtonShowsItsBuiltInList) {
    struct Case {
        const char* button;
        CarrierList list;
    };
    const Case cases[] = {
        {"单选框_电信", CarrierList::Telecom},   {"单选框_联通网通", CarrierList::Unicom},
        {"单选框_移动", CarrierList::Mobile},    {"单选框_铁通", CarrierList::Tietong},
        {"单选框_长宽", CarrierList::GreatWall}, {"单选框_教育网", CarrierList::Education},
        {"单选框_中国ip", CarrierList::China},
    };
    ui::HeadlessWindow& w = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        w.click(G(c.button));
        w.click(G("按钮_ip生成"));
        const std::string_view list = CarrierCidrList(c.list);
        ASSERT_EQ(w.text(G("编辑框_代码")), list);
        int lines = 1;
        for (std::size_t at = list.find("\r\n"); at != std::string_view::npos; at = list.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(w.text(G("标签_行数")), std::to_string(lines));
    }
}

// The all-China list in the mode its button turns to: one entry per prefix,
// the last one with no line end.
TEST_F(RouteTableWindow, ChinaListGivesOneAddressListEntryPerPrefix) {
    ui::HeadlessWindow& w = open();
    w.click(G("单选框_中国ip"));
    w.click(G("按钮_生成3"));
    const std::string_view list = CarrierCidrList(CarrierList::China);
    std::string expected = "/ip firewall address-list";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find("\r\n", start);
        if (end == std::string_view::npos) end = list.size();
        expected += "\r\nadd address=" + std::string(list.substr(start, end - start)) + " disabled=no list=\"novpn\"";
        start = end + 2;
    }
    EXPECT_EQ(w.text(G("编辑框_代码")), expected);
}

TEST_F(RouteTableWindow, OddAndEvenHostsOfA24) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_前三位"), "10.0.0.");
    w.click(G("单选框_偶数"));
    w.click(G("按钮_奇偶生成"));
    std::string even;
    for (int i = 2; i <= 254; i += 2) even += "10.0.0." + std::to_string(i) + "\r\n";
    EXPECT_EQ(w.text(G("编辑框_代码")), even);

    w.click(G("单选框_奇数"));
    w.type(G("编辑框_前三位"), "192.168.1");
    w.click(G("按钮_奇偶生成"));
    const Gbk odd = w.text(G("编辑框_代码"));
    EXPECT_EQ(odd.substr(0, 26), "192.168.1.1\r\n192.168.1.3\r\n");
    EXPECT_EQ(odd.substr(odd.size() - 15), "192.168.1.253\r\n");
}

// The refused prefix's box belongs to the tool window; the two refusals of the
// generator are left to the active window, as the script box's boxes are.
TEST_F(RouteTableWindow, TheOddEvenRefusalIsOwnedByTheToolWindow) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_前三位"), "10.0");
    w.click(G("按钮_奇偶生成"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].owner, "RouteTableWindow");
    w.click(G("按钮_参数生成"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, G("请填写网关地址!"));
    EXPECT_EQ(ui.messages[1].owner, "");
}

TEST_F(RouteTableWindow, SaveOffersTheLayoutsFilterAndNoDialogForAnEmptyBox) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_代码"), "");
    w.click(G("按钮_另存为"));
    EXPECT_TRUE(ui.dialogs.empty());

    w.type(G("编辑框_代码"), "1.0.1.0/24");
    w.click(G("按钮_另存为"));  // cancelled: no queued answer
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].save);
    EXPECT_EQ(ui.dialogs[0].filter, G("RSC文件(*.rsc)|*.rsc|文本文档(*.txt)|*.txt|所有文件(*.*)|*.*"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RouteTableWindow, CtrlASelectsTheWholeCodeBox) {
    ui::HeadlessWindow& w = open();
    const std::string box = G("编辑框_代码");
    w.type(box, "1.0.1.0/24\r\n1.0.2.0/23");
    w.setSelection(box, 3, 3);
    w.keyDown(box, 65, ui::mod::Ctrl | ui::mod::Shift);
    EXPECT_EQ(w.selection(box), std::make_pair(3, 3));
    w.keyDown(box, 65, ui::mod::Ctrl);
    EXPECT_EQ(w.selection(box), std::make_pair(0, 22));
}

TEST_F(RouteTableWindow, KeepsItsFieldsAndResultWhileHidden) {
    ui::HeadlessWindow& w = open();
    w.click(G("单选框_rule"));
    w.type(G("编辑框_2"), "10.0.0.1");
    w.click(G("单选框_移动"));
    w.click(G("按钮_ip生成"));
    const Gbk shown = w.text(G("编辑框_代码"));
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.shown());

    EXPECT_EQ(&open(), &w);
    EXPECT_TRUE(w.shown());
    EXPECT_TRUE(w.checked(G("单选框_rule")));
    EXPECT_TRUE(w.checked(G("单选框_移动")));
    EXPECT_EQ(w.currentItem(G("选择夹1")), 1);
    EXPECT_EQ(w.text(G("编辑框_2")), std::string("10.0.0.1"));
    EXPECT_EQ(w.text(G("编辑框_代码")), shown);
    EXPECT_EQ(w.text(G("编辑框_行号")), std::string("1\r\n2\r\n3\r\n4\r\n5\r\n6"));
}

}  // namespace
}  // namespace trelvix
