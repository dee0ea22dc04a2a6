// The Layer-7 tools window on real controls: the catalogue's check boxes, the help
// tree's numbering and the status bar's two layouts as the native controls hold them.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/bookctrl.h>
#include <wx/listctrl.h>
#include <wx/statusbr.h>
#include <wx/treectrl.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/wx/WxWindow.h"

namespace trelvix {
namespace {

using test::G;

class L7ToolsOnTheDesktop : public test::DesktopTest {};

TEST_F(L7ToolsOnTheDesktop, CatalogueTreeAndStatusBarLiveInTheNativeControls) {
    test::TempHome home;
    ui::WxUi* wx = wx_;
    test::ToolHost host(*wx);
    host.temp = home.root().string() + "/";
    ToolContext& tools = host.tools;

    ShowToolWindow(tools, ToolIndex::L7Tools);
    ui::WxWindow* w = wx->window("L7ToolsWindow");
    ASSERT_NE(w, nullptr);
    wx->runPending(50);

    auto* list = static_cast<wxListCtrl*>(w->native(G("超级列表框_l7")));
    ASSERT_EQ(list->GetItemCount(), 127);
    EXPECT_EQ(list->GetItemText(22, 1).utf8_string(), "ssh");
    EXPECT_EQ(list->GetItemText(22, 2).utf8_string(), R"(^ssh-[12]\\.[0-9])");
    list->CheckItem(22, true);
    list->CheckItem(41, true);
    wx->runPending(20);
    EXPECT_EQ(w->items(G("状态条"))[1].bytes(), "2");

    auto* tree = static_cast<wxTreeCtrl*>(w->native(G("树型框")));
    EXPECT_EQ(tree->GetCount(), 61u);
    // Display index 60, the last entry under 匹配字符串, shows its help.
    wxTreeItemId last = tree->GetRootItem();
    while (tree->ItemHasChildren(last)) last = tree->GetLastChild(last);
    tree->SelectItem(last);
    wx->runPending(20);
    EXPECT_EQ(w->text(G("编辑框_语法提示")).bytes().substr(0, G("匹配多行文本").size()), G("匹配多行文本"));
    EXPECT_TRUE(w->treeItems(G("树型框"))[4].expanded);

    auto* status = static_cast<wxStatusBar*>(w->native(G("状态条")));
    EXPECT_EQ(status->GetFieldsCount(), 4);
    auto* pages = static_cast<wxBookCtrlBase*>(w->native(G("高级选择夹1")));
    pages->SetSelection(1);
    wx->runPending(20);
    EXPECT_EQ(status->GetFieldsCount(), 2);
    pages->SetSelection(0);
    wx->runPending(20);
    EXPECT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(w->items(G("状态条"))[1].bytes(), "2");

    EXPECT_FALSE(w->close());
    EXPECT_FALSE(w->shown());
    // Gone while the test's folder, where it saves the tester's texts, is there.
    CloseToolWindows(tools);
}

}  // namespace
}  // namespace trelvix
