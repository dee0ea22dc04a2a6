// The wx realisation under a display: a window with one control of each kind,
// every property set and read back through the interface and checked on the
// native control, and the events the natives raise.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/grid.h>
#include <wx/hyperlink.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>
#include <wx/treectrl.h>
#include <wx/generic/statbmpg.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "ui/headless/HeadlessUi.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {
namespace {

using test::G;
using test::Visible;

const char* const kLayout = R"({"name": "测试窗口", "title": "测试 Trelvix", "w": 660, "h": 500, "controls": [
  {"kind": "edit", "name": "编辑框_单行", "rect": [10, 10, 120, 24], "text": "初始"},
  {"kind": "edit", "name": "编辑框_数字", "rect": [140, 10, 60, 24], "digits": true, "maxlength": 3},
  {"kind": "edit", "name": "编辑框_多行", "rect": [10, 40, 200, 80], "multiline": true},
  {"kind": "code", "name": "编辑框_代码", "rect": [220, 10, 200, 110]},
  {"kind": "label", "name": "标签1", "rect": [10, 130, 100, 18], "text": "标签"},
  {"kind": "button", "name": "按钮1", "rect": [120, 126, 80, 26], "text": "生成"},
  {"kind": "check", "name": "选择框1", "rect": [210, 128, 80, 22], "text": "选项", "checked": true},
  {"kind": "group", "name": "分组框1", "rect": [430, 10, 220, 90], "text": "分组", "controls": [
    {"kind": "radio", "name": "单选框1", "rect": [10, 20, 80, 22], "text": "甲", "group": "g", "checked": true},
    {"kind": "radio", "name": "单选框2", "rect": [10, 50, 80, 22], "text": "乙", "group": "g"},
    {"kind": "radio", "name": "单选框3", "rect": [110, 20, 80, 22], "text": "丙", "group": "h", "checked": true}
  ]},
  {"kind": "radio", "name": "单选框4", "rect": [300, 128, 80, 22], "text": "丁", "group": "g", "checked": true},
  {"kind": "combo", "name": "组合框1", "rect": [10, 160, 120, 28], "items": ["一", "二", "三"]},
  {"kind": "combo", "name": "组合框2", "rect": [140, 160, 120, 28], "items": ["full", "read"], "editable": false},
  {"kind": "list", "name": "列表框1", "rect": [10, 196, 100, 60], "items": ["甲", "乙"]},
  {"kind": "tab", "name": "选择夹1", "rect": [120, 196, 250, 120], "pages": [
    {"text": "第一页", "controls": [{"kind": "edit", "name": "编辑框_页内", "rect": [5, 5, 100, 24]}]},
    {"text": "第二页", "controls": []}
  ]},
  {"kind": "pages", "name": "页面框1", "rect": [380, 196, 100, 60], "pages": [{"text": "A", "controls": []}, {"text": "B", "controls": []}]},
  {"kind": "tree", "name": "树型框1", "rect": [10, 264, 100, 100], "tree": [["系统", 0], ["账户", 1], ["安装", 0]]},
  {"kind": "report", "name": "超级列表框1", "rect": [380, 264, 260, 90], "columns": ["地址", "备注"], "widths": [100, 100], "rowchecks": true},
  {"kind": "status", "name": "状态条1", "rect": [0, 470, 660, 24], "items": ["就绪", ""]},
  {"kind": "hscroll", "name": "横向滚动条1", "rect": [10, 374, 200, 16], "min": 0, "max": 50},
  {"kind": "ip", "name": "IP编辑框1", "rect": [220, 370, 140, 24]},
  {"kind": "grid", "name": "表格1", "rect": [380, 364, 260, 90], "columns": ["甲", "乙"], "rows": 2},
  {"kind": "picture", "name": "图片框1", "rect": [500, 196, 64, 64]},
  {"kind": "shape", "name": "外形框1", "rect": [580, 196, 40, 40]},
  {"kind": "link", "name": "超级链接框1", "rect": [220, 400, 100, 22], "text": "访问", "url": "http://127.0.0.1/"},
  {"kind": "tray", "name": "托盘图标1", "rect": [0, 0, 0, 0], "visible": false},
  {"kind": "tips", "name": "气球提示框1", "rect": [0, 0, 0, 0], "visible": false},
  {"kind": "filedialog", "name": "通用对话框1", "rect": [0, 0, 0, 0], "filter": "文本(*.txt)|*.txt", "visible": false},
  {"kind": "menu", "name": "菜单1", "visible": false, "controls": [
    {"kind": "item", "name": "菜单_甲", "text": "甲", "checked": true},
    {"kind": "item", "separator": true},
    {"kind": "item", "name": "菜单_乙", "text": "乙"}
  ]}
]})";

std::string PngBytes(int size) {
    wxImage image(size, size);
    image.SetRGB(wxRect(0, 0, size, size), 200, 30, 30);
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    std::string bytes(out.GetSize(), '\0');
    out.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

class WxWindowTest : public test::DesktopTest {
protected:
    void SetUpOnDesktop() override {
        ui_ = wx_;
        ui_->onFault = [this](const std::string& what) { faults.push_back(what); };
        w = &static_cast<WxWindow&>(ui_->createWindow(ParseLayout(kLayout), nullptr, {}));
        w->show();
        ui_->runPending(50);
    }
    void TearDown() override {
        if (!ui_) return;
        if (WxWindow* still = ui_->window(G("测试窗口"))) ui_->destroyWindow(*still);
        ui_->runPending();
        ui_->onFault = nullptr;
    }

    // Records every event of a control: (event, index).
    std::vector<std::pair<Event, int>>& record(const std::string& control, std::initializer_list<Event> events) {
        auto& log = logs[control];
        for (Event e : events) w->on(control, e, [&log, e](const EventArgs& a) { log.emplace_back(e, a.index); });
        return log;
    }
    template <class T>
    T* native(const char* control) {
        return dynamic_cast<T*>(w->native(G(control)));
    }
    void send(wxWindow* target, wxEvent& event) {
        event.SetEventObject(target);
        target->ProcessWindowEvent(event);
    }

    WxUi* ui_ = nullptr;
    WxWindow* w = nullptr;
    std::map<std::string, std::vector<std::pair<Event, int>>> logs;
    std::vector<std::string> faults;
};

TEST_F(WxWindowTest, ChineseTextWithCrLfSurvivesEveryTextControlBothWays) {
    const Gbk lines = G("测试\r\n第二行");
    const Gbk line = G("测试 第二行");
    const std::pair<const char*, const Gbk*> cases[] = {
        {"编辑框_多行", &lines}, {"编辑框_代码", &lines}, {"编辑框_单行", &line}, {"标签1", &lines},
        {"按钮1", &line},        {"选择框1", &line},      {"单选框1", &line},     {"分组框1", &line},
        {"超级链接框1", &line},  {"组合框1", &line},      {"托盘图标1", &lines},  {"列表框1", &line},
    };
    for (const auto& [control, text] : cases) {
        SCOPED_TRACE(control);
        w->setText(G(control), *text);
        EXPECT_EQ(Visible(w->text(G(control))), Visible(*text));
    }
    // The natives hold Unicode with LF.
    EXPECT_EQ(native<wxTextCtrl>("编辑框_多行")->GetValue(), wxString::FromUTF8("测试\n第二行"));
    EXPECT_EQ(native<wxStyledTextCtrl>("编辑框_代码")->GetText(), wxString::FromUTF8("测试\n第二行"));
    EXPECT_EQ(native<wxButton>("按钮1")->GetLabel(), wxString::FromUTF8("测试 第二行"));
    EXPECT_EQ(w->title(), G("测试 Trelvix"));
    EXPECT_EQ(w->frame()->GetTitle(), wxString::FromUTF8("测试 Trelvix"));
}

TEST_F(WxWindowTest, WhatTheUserEntersBeyondGbkReadsAsQuestionMarks) {
    const wxString typed = wxString::FromUTF8(
        "a\xF0\x9F\x98\x80"
        "b\n乙");
    native<wxTextCtrl>("编辑框_多行")->SetValue(typed);
    native<wxStyledTextCtrl>("编辑框_代码")->SetText(typed);
    native<wxComboBox>("组合框1")->SetValue(
        wxString::FromUTF8("a\xF0\x9F\x98\x80"
                           "b"));
    EXPECT_EQ(Visible(w->text(G("编辑框_多行"))), Visible(G("a?b\r\n乙")));
    EXPECT_EQ(Visible(w->text(G("编辑框_代码"))), Visible(G("a?b\r\n乙")));
    EXPECT_EQ(Visible(w->text(G("组合框1"))), "a?b");
}

TEST_F(WxWindowTest, VisibleEnabledAndRectReachTheNatives) {
    const char* const controls[] = {"编辑框_单行", "编辑框_代码", "标签1",      "按钮1",       "选择框1",   "单选框1",
                                    "分组框1",     "组合框1",     "组合框2",    "列表框1",     "选择夹1",   "页面框1",
                                    "树型框1",     "超级列表框1", "状态条1",    "横向滚动条1", "IP编辑框1", "表格1",
                                    "图片框1",     "外形框1",     "超级链接框1"};
    const WindowSpec layout = ParseLayout(kLayout);
    std::map<std::string, Rect> rects;
    ForEachControl(layout.controls, [&](const ControlSpec& c, const ControlSpec*) { rects[c.name] = c.rect; });
    for (const char* control : controls) {
        SCOPED_TRACE(control);
        const std::string name = G(control);
        wxWindow* n = w->native(name);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(w->rect(name), rects[name]);
        w->setVisible(name, false);
        EXPECT_FALSE(w->visible(name));
        EXPECT_FALSE(n->IsShown());
        w->setVisible(name, true);
        EXPECT_TRUE(n->IsShown());
        w->setEnabled(name, false);
        EXPECT_FALSE(w->enabled(name));
        EXPECT_FALSE(n->IsThisEnabled());
        w->setEnabled(name, true);
        const Rect moved{rects[name].x + 3, rects[name].y + 2, rects[name].w + 5, rects[name].h + 1};
        w->setRect(name, moved);
        EXPECT_EQ(w->rect(name), moved);
        EXPECT_EQ(n->GetRect(), wxRect(moved.x, moved.y, moved.w, moved.h));
    }
    // A group box's children sit at the layout's offsets from the box's corner.
    EXPECT_EQ(native<wxRadioButton>("单选框2")->GetParent(), w->native(G("分组框1")));
    // Kinds without a window keep their states as data.
    w->setVisible(G("菜单_乙"), false);
    EXPECT_FALSE(w->visible(G("菜单_乙")));
    // Read-only edit boxes.
    w->setReadOnly(G("编辑框_单行"), true);
    EXPECT_FALSE(native<wxTextCtrl>("编辑框_单行")->IsEditable());
    EXPECT_TRUE(w->readOnly(G("编辑框_单行")));
    w->setReadOnly(G("编辑框_代码"), true);
    EXPECT_TRUE(native<wxStyledTextCtrl>("编辑框_代码")->GetReadOnly());
    w->setText(G("编辑框_代码"), G("只读也能由程序写"));
    EXPECT_EQ(w->text(G("编辑框_代码")), G("只读也能由程序写"));
}

TEST_F(WxWindowTest, MaskingABoxRemakesItsNativeWithTextStateAndHandlers) {
    const std::string box = G("编辑框_单行");
    auto& edit = record(box, {Event::Change});
    w->setText(box, G("密码$1"));
    w->setRect(box, {12, 11, 130, 24});
    w->setEnabled(box, false);
    EXPECT_FALSE(w->masked(box));
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        w->setMasked(box, on);
        auto* made = native<wxTextCtrl>("编辑框_单行");
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(w->masked(box), on);
        EXPECT_EQ(made->HasFlag(wxTE_PASSWORD), on);
        EXPECT_EQ(w->text(box), G("密码$1"));
        EXPECT_EQ(made->GetRect(), wxRect(12, 11, 130, 24));
        EXPECT_FALSE(made->IsThisEnabled());
    }
    const std::size_t before = edit.size();
    native<wxTextCtrl>("编辑框_单行")->AppendText("x");
    EXPECT_EQ(edit.size(), before + 1);
    // A code box has no password form.
    EXPECT_THROW(w->setMasked(G("编辑框_代码"), true), WrongControlKind);
}

TEST_F(WxWindowTest, RadiosAreExclusiveWithinTheirParentAndGroupOnly) {
    auto& log = record(G("单选框2"), {Event::Click});
    // A user's click: the native checks itself, then tells.
    auto* second = native<wxRadioButton>("单选框2");
    second->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, second->GetId());
    send(second, click);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_FALSE(w->checked(G("单选框1")));
    EXPECT_TRUE(w->checked(G("单选框2")));
    EXPECT_TRUE(w->checked(G("单选框3")));  // another group
    EXPECT_TRUE(w->checked(G("单选框4")));  // same group, another parent

    w->setChecked(G("单选框1"), true);
    EXPECT_FALSE(native<wxRadioButton>("单选框2")->GetValue());
    w->setChecked(G("单选框1"), false);
    EXPECT_FALSE(w->checked(G("单选框1")));
    EXPECT_FALSE(w->checked(G("单选框2")));

    EXPECT_TRUE(w->checked(G("选择框1")));
    w->setChecked(G("选择框1"), false);
    EXPECT_FALSE(native<wxCheckBox>("选择框1")->GetValue());
    w->setChecked(G("菜单_乙"), true);
    EXPECT_TRUE(w->checked(G("菜单_乙")));
}

TEST_F(WxWindowTest, ItemsAndCurrentItemOfListsBooksAndScrollBars) {
    auto& tabs = record(G("选择夹1"), {Event::TabChanged});
    auto& scroll = record(G("横向滚动条1"), {Event::Scroll});

    // Editable combo: the current item sets the text, typing keeps the current.
    EXPECT_EQ(w->items(G("组合框1")), (std::vector<GbkText>{G("一"), G("二"), G("三")}));
    w->setCurrentItem(G("组合框1"), 1);
    EXPECT_EQ(w->currentItem(G("组合框1")), 1);
    EXPECT_EQ(w->text(G("组合框1")), G("二"));
    w->setText(G("组合框1"), G("自定义"));
    EXPECT_EQ(w->text(G("组合框1")), G("自定义"));
    w->setItems(G("组合框1"), {G("甲"), G("乙")});
    EXPECT_EQ(native<wxComboBox>("组合框1")->GetCount(), 2u);
    EXPECT_EQ(w->text(G("组合框1")), G("自定义"));

    // Drop-down list: only its items, always one of them.
    EXPECT_EQ(w->text(G("组合框2")), G("full"));
    w->setText(G("组合框2"), G("read"));
    EXPECT_EQ(w->currentItem(G("组合框2")), 1);
    EXPECT_EQ(native<wxChoice>("组合框2")->GetSelection(), 1);
    w->setText(G("组合框2"), G("bogus"));
    EXPECT_EQ(w->text(G("组合框2")), G("read"));
    w->setItems(G("组合框2"), {G("write"), G("full")});
    EXPECT_EQ(w->currentItem(G("组合框2")), 0);
    EXPECT_EQ(w->text(G("组合框2")), G("write"));

    // List box: the current item stays while the new list holds it.
    w->setCurrentItem(G("列表框1"), 1);
    w->setItems(G("列表框1"), {G("丙"), G("丁"), G("戊")});
    EXPECT_EQ(w->currentItem(G("列表框1")), 1);
    w->setItems(G("列表框1"), {G("丙")});
    EXPECT_EQ(w->currentItem(G("列表框1")), -1);

    // Books: captions as items, pages chosen from code raise nothing.
    EXPECT_EQ(w->items(G("选择夹1")), (std::vector<GbkText>{G("第一页"), G("第二页")}));
    EXPECT_EQ(w->currentItem(G("选择夹1")), 0);
    w->setCurrentItem(G("选择夹1"), 1);
    EXPECT_EQ(native<wxNotebook>("选择夹1")->GetSelection(), 1);
    EXPECT_TRUE(tabs.empty());
    w->setText(G("选择夹1#1"), G("改名"));
    EXPECT_EQ(native<wxNotebook>("选择夹1")->GetPageText(1), wxString::FromUTF8("改名"));
    EXPECT_EQ(w->items(G("页面框1")), (std::vector<GbkText>{G("A"), G("B")}));
    w->setCurrentItem(G("页面框1"), 1);
    EXPECT_EQ(w->currentItem(G("页面框1")), 1);

    // Status bar panels.
    w->setItems(G("状态条1"), {G("共 3 条"), G("完成"), G("x")});
    EXPECT_EQ(native<wxStatusBar>("状态条1")->GetFieldsCount(), 3);
    EXPECT_EQ(native<wxStatusBar>("状态条1")->GetStatusText(1), wxString::FromUTF8("完成"));
    EXPECT_EQ(w->items(G("状态条1")).size(), 3u);

    // Scroll bar: clamped to its range, no event from code.
    EXPECT_EQ(w->currentItem(G("横向滚动条1")), 0);
    w->setCurrentItem(G("横向滚动条1"), 80);
    EXPECT_EQ(w->currentItem(G("横向滚动条1")), 50);
    w->setCurrentItem(G("横向滚动条1"), 20);
    EXPECT_EQ(w->currentItem(G("横向滚动条1")), 20);
    EXPECT_TRUE(scroll.empty());
}

TEST_F(WxWindowTest, ReportRowsCellsAndCheckBoxes) {
    const std::string list = G("超级列表框1");
    auto& log = record(list, {Event::RowChecked, Event::RowChanged});
    auto* l = native<wxListCtrl>("超级列表框1");
    EXPECT_EQ(w->addRow(list, {G("192.168.1.1"), G("网关")}), 0);
    EXPECT_EQ(w->addRow(list, {G("10.0.0.1")}), 1);
    EXPECT_EQ(w->row(list, 1), (std::vector<GbkText>{G("10.0.0.1"), G("")}));
    w->setCell(list, 1, 1, G("备用"));
    EXPECT_EQ(l->GetItemText(1, 1), wxString::FromUTF8("备用"));
    EXPECT_EQ(l->GetItemText(0, 1), wxString::FromUTF8("网关"));
    EXPECT_THROW(w->row(list, 2), std::out_of_range);
    EXPECT_THROW(w->setCell(list, 5, 0, G("x")), std::out_of_range);

    w->setRowChecked(list, 1, true);
    EXPECT_TRUE(w->rowChecked(list, 1));
    EXPECT_TRUE(l->IsItemChecked(1));
    EXPECT_FALSE(w->rowChecked(list, 0));
    w->setCurrentItem(list, 1);
    EXPECT_EQ(w->currentItem(list), 1);
    EXPECT_TRUE(log.empty()) << "changes from code raise nothing";

    // The user's check box and row choice do.
    l->CheckItem(0, true);
    wxListEvent chosen(wxEVT_LIST_ITEM_SELECTED, l->GetId());
    chosen.m_itemIndex = 0;
    send(l, chosen);
    EXPECT_EQ(log, (std::vector<std::pair<Event, int>>{{Event::RowChecked, 0}, {Event::RowChanged, 0}}));

    w->removeRow(list, 0);
    EXPECT_EQ(w->rowCount(list), 1);
    EXPECT_EQ(w->row(list, 0)[1], G("备用"));
    EXPECT_EQ(l->GetItemCount(), 1);
    w->clearRows(list);
    EXPECT_EQ(w->rowCount(list), 0);
    EXPECT_EQ(w->currentItem(list), -1);
}

TEST_F(WxWindowTest, TreeItemsKeepTheirIndicesParentsAndStates) {
    const std::string tree = G("树型框1");
    auto& log = record(tree, {Event::TreeItemChanged});
    auto* t = native<wxTreeCtrl>("树型框1");
    std::vector<TreeItem> items = w->treeItems(tree);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].text, G("账户"));
    EXPECT_EQ(items[1].parent, 0);
    EXPECT_EQ(items[2].parent, -1);
    EXPECT_EQ(w->currentItem(tree), -1);

    EXPECT_EQ(w->addTreeItem(tree, G("新项"), 2), 3);
    w->setTreeItem(tree, 2, TreeItem{G("安装程序"), -1, true, true});
    items = w->treeItems(tree);
    EXPECT_EQ(items[2].text, G("安装程序"));
    EXPECT_TRUE(items[2].bold);
    EXPECT_TRUE(items[2].expanded);
    EXPECT_EQ(items[3].parent, 2);

    // Moving an item under another parent keeps every index.
    w->setTreeItem(tree, 1, TreeItem{G("账户"), 2, false, false});
    items = w->treeItems(tree);
    EXPECT_EQ(items[1].parent, 2);
    EXPECT_EQ(t->GetChildrenCount(t->GetRootItem(), false), 2u);  // 系统 and 安装程序 at the top

    w->setCurrentItem(tree, 3);
    EXPECT_EQ(w->currentItem(tree), 3);
    EXPECT_EQ(t->GetItemText(t->GetSelection()), wxString::FromUTF8("新项"));
    EXPECT_TRUE(log.empty());
    // The user's choice tells its index.
    wxTreeItemIdValue cookie;
    const wxTreeItemId first = t->GetFirstChild(t->GetRootItem(), cookie);
    t->SelectItem(first);
    EXPECT_EQ(log, (std::vector<std::pair<Event, int>>{{Event::TreeItemChanged, 0}}));

    w->clearTree(tree);
    EXPECT_TRUE(w->treeItems(tree).empty());
    EXPECT_EQ(w->currentItem(tree), -1);
}

TEST_F(WxWindowTest, ARightClickOnATreeItemArrivesWithItsIndex) {
    auto& log = record(G("树型框1"), {Event::RowRightClick});
    auto* t = native<wxTreeCtrl>("树型框1");
    wxTreeItemIdValue cookie;
    const wxTreeItemId system = t->GetFirstChild(t->GetRootItem(), cookie);
    const wxTreeItemId account = t->GetFirstChild(system, cookie);  // item 1, "账户"
    wxTreeEvent click(wxEVT_TREE_ITEM_RIGHT_CLICK, t, account);
    send(t, click);
    EXPECT_EQ(log, (std::vector<std::pair<Event, int>>{{Event::RowRightClick, 1}}));
}

TEST_F(WxWindowTest, AGridCellsBackgroundReachesTheNative) {
    w->setGridCellBackground(G("表格1"), 1, 0, 0xE6E6E6);
    EXPECT_EQ(native<wxGrid>("表格1")->GetCellBackgroundColour(1, 0), wxColour(230, 230, 230));
    EXPECT_EQ(w->gridCellBackground(G("表格1"), 1, 0), 0xE6E6E6);
    EXPECT_EQ(w->gridCellBackground(G("表格1"), 0, 0), -1);
}

TEST_F(WxWindowTest, GridCellsWithinItsSize) {
    const std::string grid = G("表格1");
    w->setGridCell(grid, 1, 1, G("乙二"));
    EXPECT_EQ(w->gridCell(grid, 1, 1), G("乙二"));
    EXPECT_EQ(native<wxGrid>("表格1")->GetCellValue(1, 1), wxString::FromUTF8("乙二"));
    EXPECT_EQ(native<wxGrid>("表格1")->GetColLabelValue(0), wxString::FromUTF8("甲"));
    EXPECT_EQ(w->gridCell(grid, 7, 7), G(""));
    EXPECT_THROW(w->setGridCell(grid, 2, 0, G("x")), std::out_of_range);
    w->setGridSize(grid, 4, 3);
    w->setGridCell(grid, 3, 2, G("x"));
    w->setGridSize(grid, 1, 1);
    EXPECT_EQ(w->gridCell(grid, 1, 1), G(""));
    EXPECT_EQ(native<wxGrid>("表格1")->GetNumberRows(), 1);
}

TEST_F(WxWindowTest, SelectionCountsGbkBytesAndReplacingRaisesChange) {
    for (const char* control : {"编辑框_多行", "编辑框_代码"}) {
        SCOPED_TRACE(control);
        const std::string name = G(control);
        w->setText(name, G("甲乙\r\nab"));
        auto& log = record(name, {Event::Change});
        w->setSelection(name, 2, 7);
        EXPECT_EQ(w->selection(name), (std::pair<int, int>{2, 7}));
        w->replaceSelection(name, G("丙"));
        EXPECT_EQ(Visible(w->text(name)), Visible(G("甲丙b")));
        EXPECT_EQ(w->selection(name), (std::pair<int, int>{4, 4}));
        EXPECT_EQ(log.size(), 1u);
        w->setSelection(name, 0, -1);
        EXPECT_EQ(w->selection(name), (std::pair<int, int>{0, 5}));
        w->setSelection(name, -3, 99);
        EXPECT_EQ(w->selection(name), (std::pair<int, int>{0, 5}));
    }
}

TEST_F(WxWindowTest, CodeBoxTellsWhenItsFirstVisibleLineMoves) {
    const std::string code = G("编辑框_代码");
    Gbk text;
    for (int i = 0; i < 100; ++i) text += G("第") + std::to_string(i) + G("行\r\n");
    w->setText(code, text.substr(0, text.size() - 2));
    ui_->runPending(50);
    auto& log = record(code, {Event::Scroll});
    w->scrollToLine(code, 30);
    EXPECT_EQ(w->firstVisibleLine(code), 30);
    w->scrollToLine(code, 30);
    w->scrollToLine(code, 1000);
    EXPECT_EQ(w->firstVisibleLine(code), 99);
    EXPECT_EQ(log, (std::vector<std::pair<Event, int>>{{Event::Scroll, 30}, {Event::Scroll, 99}}));
    // Moved by the control itself (wheel, keys, caret): reported once it has updated.
    log.clear();
    native<wxStyledTextCtrl>("编辑框_代码")->LineScroll(0, -89);
    ui_->runPending(100);
    EXPECT_EQ(log, (std::vector<std::pair<Event, int>>{{Event::Scroll, 10}}));
}

TEST_F(WxWindowTest, NativeEventsReachTheirHandlers) {
    auto& button = record(G("按钮1"), {Event::Click});
    auto& edit = record(G("编辑框_单行"), {Event::Change, Event::KeyDown});
    auto& combo = record(G("组合框1"), {Event::ItemChosen});
    auto& tabs = record(G("选择夹1"), {Event::TabChanged});
    auto& list = record(G("列表框1"), {Event::DoubleClick});
    auto& link = record(G("超级链接框1"), {Event::Click});
    EventArgs key;
    w->on(G("编辑框_单行"), Event::KeyDown, [&key](const EventArgs& a) { key = a; });

    auto* b = native<wxButton>("按钮1");
    wxCommandEvent click(wxEVT_BUTTON, b->GetId());
    send(b, click);
    EXPECT_EQ(button.size(), 1u);

    // Change: from code only when the text differs, and from the user's typing.
    w->setText(G("编辑框_单行"), G("新"));
    w->setText(G("编辑框_单行"), G("新"));
    native<wxTextCtrl>("编辑框_单行")->AppendText("x");
    EXPECT_EQ(edit.size(), 2u);

    wxKeyEvent press(wxEVT_KEY_DOWN);
    press.m_keyCode = 'A';
    press.SetControlDown(true);
    send(native<wxTextCtrl>("编辑框_单行"), press);
    EXPECT_EQ(key.key, 65);
    EXPECT_EQ(key.modifiers, mod::Ctrl);

    auto* cb = native<wxComboBox>("组合框1");
    wxCommandEvent pick(wxEVT_COMBOBOX, cb->GetId());
    pick.SetInt(2);
    send(cb, pick);
    EXPECT_EQ(combo, (std::vector<std::pair<Event, int>>{{Event::ItemChosen, 2}}));
    EXPECT_EQ(w->currentItem(G("组合框1")), 2);

    native<wxNotebook>("选择夹1")->SetSelection(1);  // as a click on the tab does
    EXPECT_EQ(tabs, (std::vector<std::pair<Event, int>>{{Event::TabChanged, 1}}));

    auto* lb = native<wxListBox>("列表框1");
    lb->SetSelection(1);
    wxCommandEvent twice(wxEVT_LISTBOX_DCLICK, lb->GetId());
    send(lb, twice);
    EXPECT_EQ(list, (std::vector<std::pair<Event, int>>{{Event::DoubleClick, 1}}));

    auto* h = native<wxHyperlinkCtrl>("超级链接框1");
    wxHyperlinkEvent follow(h, h->GetId(), h->GetURL());
    send(h, follow);
    EXPECT_EQ(link.size(), 1u);
}

TEST_F(WxWindowTest, LosingTheFocusIsToldOnceTheFocusHasMovedOn) {
    auto& first = record(G("编辑框_单行"), {Event::LostFocus});
    auto& second = record(G("编辑框_多行"), {Event::LostFocus});
    // Other programs on the same display may take the focus away for a while:
    // the sequence counts only when it ran undisturbed.
    bool undisturbed = false;
    for (int attempt = 0; attempt < 10 && !undisturbed; ++attempt) {
        w->raise(false);
        w->setFocus(G("编辑框_单行"));
        ui_->runPending(50);
        if (w->focus() != G("编辑框_单行")) continue;
        first.clear();
        second.clear();
        w->setFocus(G("编辑框_多行"));
        ui_->runPending(50);
        undisturbed = w->focus() == G("编辑框_多行") && second.empty();
    }
    ASSERT_TRUE(undisturbed) << "the focus never stayed in the window";
    EXPECT_EQ(first.size(), 1u);
    // A control's own parts share its focus: moving between an address box's fields is no loss.
    auto& ip = record(G("IP编辑框1"), {Event::LostFocus});
    auto* field = dynamic_cast<wxTextCtrl*>(w->native(G("IP编辑框1"))->GetChildren()[0]);
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    ui_->runPending(30);
    EXPECT_EQ(w->focus(), G("IP编辑框1"));
    wxTextCtrl* next = nullptr;
    for (wxWindow* child : w->native(G("IP编辑框1"))->GetChildren())
        if (auto* t = dynamic_cast<wxTextCtrl*>(child); t && t != field && !next) next = t;
    next->SetFocus();
    ui_->runPending(30);
    if (w->focus() == G("IP编辑框1")) {
        EXPECT_TRUE(ip.empty());
    }
}

TEST_F(WxWindowTest, MenuChoicesDropsAndTipsArriveAsEvents) {
    auto& item = record(G("菜单_乙"), {Event::Click});
    std::vector<std::filesystem::path> dropped;
    w->on(G("编辑框_代码"), Event::FilesDropped, [&dropped](const EventArgs& a) { dropped = a.files; });

    wxCommandEvent choose(wxEVT_MENU, w->menuItemId(G("菜单_乙")));
    send(w->frame(), choose);
    ui_->runPending(20);
    EXPECT_EQ(item.size(), 1u);

    w->acceptFiles(G("编辑框_代码"), true);
    auto* target = dynamic_cast<wxFileDropTarget*>(w->native(G("编辑框_代码"))->GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString names;
    names.push_back(wxString::FromUTF8("/tmp/脚本.rsc"));
    names.push_back(wxString::FromUTF8("/tmp/한글.rsc"));  // a name GBK cannot spell
    target->OnDropFiles(0, 0, names);
    EXPECT_TRUE(dropped.empty());  // delivered after the drop has returned
    ui_->runPending(20);
    EXPECT_EQ(dropped, (std::vector<std::filesystem::path>{"/tmp/脚本.rsc", "/tmp/한글.rsc"}));
    w->acceptFiles(G("编辑框_代码"), false);
    EXPECT_EQ(w->native(G("编辑框_代码"))->GetDropTarget(), nullptr);

    w->setTip(G("气球提示框1"), G("按钮1"), G("点此生成"));
    EXPECT_EQ(w->tip(G("气球提示框1"), G("按钮1")), G("点此生成"));
    ASSERT_NE(native<wxButton>("按钮1")->GetToolTip(), nullptr);
    EXPECT_EQ(native<wxButton>("按钮1")->GetToolTipText(), wxString::FromUTF8("点此生成"));
    EXPECT_THROW(w->setTip(G("气球提示框1"), G("没有"), G("x")), UnknownControl);
}

TEST_F(WxWindowTest, PicturesTrayAndAddressBox) {
    w->setImage(G("图片框1"), PngBytes(16));
    auto* picture = native<wxGenericStaticBitmap>("图片框1");
    EXPECT_TRUE(picture->GetBitmap().IsOk());
    EXPECT_EQ(picture->GetBitmap().GetWidth(), 16);
    EXPECT_EQ(w->rect(G("图片框1")), (Rect{500, 196, 64, 64}));
    w->setImage(G("图片框1"), "no picture at all");
    EXPECT_FALSE(picture->GetBitmap().IsOk());

    w->setImage(G("托盘图标1"), PngBytes(16));
    EXPECT_EQ(w->trayShown(G("托盘图标1")), ui_->trayAvailable());
    w->setImage(G("托盘图标1"), "");
    EXPECT_FALSE(w->trayShown(G("托盘图标1")));

    const std::string ip = G("IP编辑框1");
    EXPECT_EQ(w->text(ip), G("0.0.0.0"));
    w->setText(ip, G("192.168.1.254"));
    EXPECT_EQ(w->text(ip), G("192.168.1.254"));
    w->setText(ip, G("10.300"));
    EXPECT_EQ(w->text(ip), G("10.255.0.0"));
}

// WriteText and AppendText insert as a paste or a key press does: the text
// changes under the user's hand and the native raises its change event.
TEST_F(WxWindowTest, ABoxTakesOfTheUsersTypingAndPastingOnlyWhatItAdmits) {
    const std::string digits = G("编辑框_数字");
    auto& changes = record(digits, {Event::Change});
    auto* box = native<wxTextCtrl>("编辑框_数字");
    box->WriteText("192.168.1.130");
    EXPECT_EQ(w->text(digits), G("192"));
    EXPECT_EQ(box->GetValue(), "192");
    EXPECT_EQ(changes.size(), 1u);

    box->AppendText("4");  // full: the key does nothing
    box->AppendText("a");
    EXPECT_EQ(w->text(digits), G("192"));
    EXPECT_EQ(changes.size(), 1u);

    box->SetSelection(1, 2);  // "9" replaced by what fits of the paste
    box->WriteText("x56");
    EXPECT_EQ(w->text(digits), G("152"));

    // What the program writes is not the user's typing.
    w->setText(digits, G("12345"));
    EXPECT_EQ(w->text(digits), G("12345"));
    box->SetSelection(0, -1);
    box->WriteText("07");
    EXPECT_EQ(w->text(digits), G("07"));
}

TEST_F(WxWindowTest, TheAddressBoxTakesAPastedAddressAndShowsWhatItGives) {
    const std::string ip = G("IP编辑框1");
    std::vector<wxTextCtrl*> fields;
    for (wxWindow* child : w->native(ip)->GetChildren())
        if (auto* t = dynamic_cast<wxTextCtrl*>(child)) fields.push_back(t);
    ASSERT_EQ(fields.size(), 4u);
    auto& changes = record(ip, {Event::Change});

    fields[0]->WriteText("192.168.1.130");
    EXPECT_EQ(w->text(ip), G("192.168.1.130"));
    EXPECT_EQ(fields[3]->GetValue(), "130");
    EXPECT_EQ(changes.size(), 1u);

    fields[1]->SetSelection(0, -1);
    fields[1]->WriteText("999");
    EXPECT_EQ(fields[1]->GetValue(), "255");
    EXPECT_EQ(w->text(ip), G("192.255.1.130"));

    fields[2]->SetSelection(0, -1);
    fields[2]->WriteText("a1b2c3d4");
    EXPECT_EQ(fields[2]->GetValue(), "123");

    fields[2]->WriteText("10.0.0.7");  // from the third field on, what fits
    EXPECT_EQ(w->text(ip), G("192.255.10.0"));
}

TEST_F(WxWindowTest, ClosingAsksFirstUnlessItCannotBeRefused) {
    std::vector<bool> asked;
    bool destroyed = false;
    w->onClose([&asked](bool canRefuse) {
        asked.push_back(canRefuse);
        return false;
    });
    w->onDestroy([&destroyed] { destroyed = true; });
    EXPECT_FALSE(w->close(true));
    EXPECT_NE(ui_->findWindow(G("测试窗口")), nullptr);
    EXPECT_TRUE(w->close(false));
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(ui_->findWindow(G("测试窗口")), nullptr);
}

TEST_F(WxWindowTest, AnOwnedWindowStaysAboveItsOwnerAndGoesFirst) {
    std::vector<std::string> order;
    Window& tool = ui_->createWindow(ParseLayout(R"({"name": "工具窗口", "title": "工具", "w": 200, "h": 100})"), w,
                                     {});
    EXPECT_EQ(static_cast<WxWindow&>(tool).frame()->GetParent(), w->frame());
    tool.onDestroy([&order] { order.push_back("tool"); });
    w->onDestroy([&order] { order.push_back("main"); });
    ui_->destroyWindow(*w);
    EXPECT_EQ(order, (std::vector<std::string>{"tool", "main"}));
    EXPECT_EQ(ui_->findWindow(G("工具窗口")), nullptr);
}

TEST_F(WxWindowTest, WindowStatesAndDesktopServices) {
    w->setWindowSize(700, 520);
    EXPECT_EQ(w->windowRect().w, 700);
    EXPECT_EQ(w->windowRect().h, 520);
    EXPECT_TRUE(w->shown());
    w->hide();
    EXPECT_FALSE(w->shown());
    w->show();
    w->setTitle(G("新标题"));
    EXPECT_EQ(w->title(), G("新标题"));

    ASSERT_TRUE(ui_->setClipboardText(G("甲\r\n乙")));
    EXPECT_EQ(Visible(ui_->clipboardText().value_or(G("none"))), Visible(G("甲\r\n乙")));
}

TEST_F(WxWindowTest, AWindowOpensCentredOnItsScreenAtTheSizeItsSetUpGave) {
    auto& other = static_cast<WxWindow&>(
        ui_->createWindow(ParseLayout(R"({"name": "居中窗口", "title": "居中", "w": 300, "h": 200})"), nullptr, {}));
    other.setWindowSize(500, 260);
    other.show();
    ui_->runPending(50);
    const wxRect area = wxDisplay(other.frame()).GetClientArea();
    const wxRect r = other.frame()->GetRect();
    EXPECT_EQ(r.GetSize(), wxSize(500, 260));
    EXPECT_NEAR(r.x + r.width / 2, area.x + area.width / 2, 1);
    EXPECT_NEAR(r.y + r.height / 2, area.y + area.height / 2, 1);
    // Shown again, it stays where it was.
    other.frame()->Move(area.x + 10, area.y + 20);
    other.hide();
    other.show();
    ui_->runPending(50);
    EXPECT_EQ(other.frame()->GetPosition(), wxPoint(area.x + 10, area.y + 20));
    ui_->destroyWindow(other);
}

TEST_F(WxWindowTest, MessageBoxButtonsReadChineseWhateverTheDesktopLanguage) {
    struct Case {
        int flags;
        long buttons;
    };
    for (const Case c : {Case{mb::Ok, wxOK}, Case{mb::OkCancel, wxOK | wxCANCEL}, Case{mb::YesNo | 32, wxYES_NO}}) {
        const auto box = ui_->messageDialog({G("是否退出?"), c.flags, G("提示"), ""});
        EXPECT_EQ(box->GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO), c.buttons) << c.flags;
        EXPECT_EQ(box->GetOKLabel(), wxString::FromUTF8("确定"));
        EXPECT_EQ(box->GetCancelLabel(), wxString::FromUTF8("取消"));
        EXPECT_EQ(box->GetYesLabel(), wxString::FromUTF8("是"));
        EXPECT_EQ(box->GetNoLabel(), wxString::FromUTF8("否"));
        EXPECT_EQ(box->GetMessage(), wxString::FromUTF8("是否退出?"));
    }
}

TEST_F(WxWindowTest, FaultsEscapingHandlersReachTheFaultReport) {
    // A handler naming a control the window lacks: the fault comes out of the
    // handler the toolkit called, not out of the toolkit's loop.
    w->on(G("按钮1"), Event::Click, [this](const EventArgs&) { w->text(G("没有这个控件")); });
    auto* b = native<wxButton>("按钮1");
    wxCommandEvent click(wxEVT_BUTTON, b->GetId());
    send(b, click);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find(G("没有这个控件")), std::string::npos);
    // The fault ends the event: the click's later handlers do not run.
    bool later = false;
    w->on(G("按钮1"), Event::Click, [&later](const EventArgs&) { later = true; });
    send(b, click);
    EXPECT_EQ(faults.size(), 2u);
    EXPECT_FALSE(later);
    // A fault in a handler that code in a handler set off belongs to the outer one.
    std::vector<std::string> seen;
    w->on(G("编辑框_单行"), Event::Change, [](const EventArgs&) { throw std::runtime_error("inner"); });
    w->on(G("选择框1"), Event::Click, [this, &seen](const EventArgs&) {
        try {
            w->setText(G("编辑框_单行"), G("变"));
        } catch (const std::runtime_error& e) {
            seen.push_back(e.what());
        }
    });
    auto* check = native<wxCheckBox>("选择框1");
    wxCommandEvent toggle(wxEVT_CHECKBOX, check->GetId());
    send(check, toggle);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner"}));
    EXPECT_EQ(faults.size(), 2u);
}

TEST_F(WxWindowTest, EveryHandlerOfANativeEventRunsInBindingOrder) {
    std::string log;
    w->on(G("按钮1"), Event::Click, [&log](const EventArgs&) { log += "1"; });
    w->on(G("按钮1"), Event::Click, [&log](const EventArgs&) { log += "2"; });
    auto* b = native<wxButton>("按钮1");
    wxCommandEvent click(wxEVT_BUTTON, b->GetId());
    send(b, click);
    EXPECT_EQ(log, "12");
    // The user's typing as much as code's.
    log.clear();
    w->on(G("编辑框_单行"), Event::Change, [&log](const EventArgs&) { log += "a"; });
    w->on(G("编辑框_单行"), Event::Change, [&log](const EventArgs&) { log += "b"; });
    native<wxTextCtrl>("编辑框_单行")->AppendText("x");
    EXPECT_EQ(log, "ab");
    // Once a handler has destroyed the window, the rest do not run.
    log.clear();
    w->on(G("按钮1"), Event::Click, [this, &log](const EventArgs&) {
        log += "closes;";
        ui_->destroyWindow(*w);
    });
    w->on(G("按钮1"), Event::Click, [&log](const EventArgs&) { log += "after"; });
    send(b, click);
    EXPECT_EQ(log, "12closes;");
    EXPECT_EQ(ui_->findWindow(G("测试窗口")), nullptr);
}

TEST_F(WxWindowTest, RunEndsWithTheCodeQuitGives) {
    ui_->post([this] { ui_->quit(3); });
    EXPECT_EQ(ui_->run(), 3);
    ui_->quit(4);  // before the loop runs: it ends at once
    EXPECT_EQ(ui_->run(), 4);
    ui_->quitAfter(20);
    EXPECT_EQ(ui_->run(), 0);
}

// The same calls on both realisations give the same answers: handlers
// written against the headless one work unchanged on the desktop.
// Pages not on screen get their natives only when first shown or first used,
// so a window of many pages starts with the few it shows; nothing else differs.
TEST_F(WxWindowTest, PagesNotShownGetTheirControlsWhenFirstNeeded) {
    const char* const layout = R"({"name": "分页窗口", "w": 400, "h": 300, "controls": [
      {"kind": "tab", "name": "选择夹_外", "rect": [5, 5, 380, 260], "pages": [
        {"kind": "page", "name": "页_甲", "text": "甲", "controls": [{"kind": "edit", "name": "编辑框_甲", "rect": [5, 5, 100, 24]}]},
        {"kind": "page", "name": "页_乙", "text": "乙", "controls": [
          {"kind": "edit", "name": "编辑框_乙", "rect": [5, 5, 100, 24], "text": "乙初始"},
          {"kind": "tab", "name": "选择夹_内", "rect": [5, 40, 300, 150], "pages": [
            {"kind": "page", "name": "页_内一", "text": "一", "controls": [{"kind": "button", "name": "按钮_内一", "rect": [5, 5, 80, 24], "text": "按"}]},
            {"kind": "page", "name": "页_内二", "text": "二", "controls": [{"kind": "check", "name": "选择框_内二", "rect": [5, 5, 80, 24], "text": "选"}]}
          ]}
        ]},
        {"kind": "page", "name": "页_丙", "text": "丙", "controls": [{"kind": "label", "name": "标签_丙", "rect": [5, 5, 100, 18], "text": "丙"}]}
      ]}
    ]})";
    auto& pages = static_cast<WxWindow&>(ui_->createWindow(ParseLayout(layout), nullptr, {}));
    pages.show();
    ui_->runPending(20);
    auto made = [&](const char* page) { return pages.native(G(page))->GetChildren().size(); };
    EXPECT_GT(made("页_甲"), 0u);
    EXPECT_EQ(made("页_乙"), 0u);
    EXPECT_EQ(made("页_丙"), 0u);

    // Binding a handler, naming controls and asking their kind make nothing.
    int pressed = 0;
    pages.on(G("按钮_内一"), Event::Click, [&](const EventArgs&) { ++pressed; });
    EXPECT_EQ(pages.kind(G("选择框_内二")), Kind::CheckBox);
    EXPECT_EQ(pages.controls().size(), 12u);
    EXPECT_EQ(made("页_乙"), 0u);

    // Using a control makes its page, and inside it only the inner page shown.
    EXPECT_EQ(pages.text(G("编辑框_乙")), G("乙初始"));
    EXPECT_GT(made("页_乙"), 0u);
    EXPECT_GT(made("页_内一"), 0u);
    EXPECT_EQ(made("页_内二"), 0u);
    EXPECT_FALSE(pages.checked(G("选择框_内二")));
    EXPECT_GT(made("页_内二"), 0u);

    auto* button = dynamic_cast<wxButton*>(pages.native(G("按钮_内一")));
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    send(button, click);
    EXPECT_EQ(pressed, 1);

    // A page the user turns to is made before it shows.
    std::vector<int> turned;
    pages.on(G("选择夹_外"), Event::TabChanged, [&](const EventArgs& a) {
        turned.push_back(a.index);
        EXPECT_EQ(pages.native(G("页_丙"))->GetChildren().size(), 1u);
    });
    auto* book = dynamic_cast<wxNotebook*>(pages.native(G("选择夹_外")));
    ASSERT_NE(book, nullptr);
    book->SetSelection(2);
    ui_->runPending(20);
    EXPECT_EQ(turned, std::vector<int>{2});
    EXPECT_EQ(made("页_丙"), 1u);
    EXPECT_EQ(pages.text(G("标签_丙")), G("丙"));
    EXPECT_TRUE(faults.empty());
    ui_->destroyWindow(pages);
}

TEST_F(WxWindowTest, AnswersAsTheHeadlessRealisationDoes) {
    HeadlessUi headlessUi;
    Window& h = headlessUi.createWindow(ParseLayout(kLayout), nullptr, {});
    using Step = std::function<std::string(Window&)>;
    auto join = [](const std::vector<GbkText>& list) {
        std::string out;
        for (const GbkText& item : list) out += Visible(item) + "|";
        return out;
    };
    auto changes = [](Window& win, const std::string& control) {
        auto count = std::make_shared<int>(0);
        win.on(control, Event::Change, [count](const EventArgs&) { ++*count; });
        return count;
    };
    const std::pair<const char*, Step> steps[] = {
        {"edit text and its changes",
         [&](Window& x) {
             auto n = changes(x, G("编辑框_多行"));
             x.setText(G("编辑框_多行"), G("甲\r\n乙"));
             x.setText(G("编辑框_多行"), G("甲\r\n乙"));
             return Visible(x.text(G("编辑框_多行"))) + std::to_string(*n);
         }},
        {"code box selection",
         [&](Window& x) {
             x.setText(G("编辑框_代码"), G("一二三\r\n四"));
             x.setSelection(G("编辑框_代码"), 2, -1);
             x.replaceSelection(G("编辑框_代码"), G("x"));
             auto [a, b] = x.selection(G("编辑框_代码"));
             return Visible(x.text(G("编辑框_代码"))) + std::to_string(a) + "," + std::to_string(b);
         }},
        {"captions",
         [&](Window& x) {
             x.setText(G("标签1"), G("新标签"));
             x.setText(G("按钮1"), G("新按钮"));
             return Visible(x.text(G("标签1"))) + Visible(x.text(G("按钮1"))) + Visible(x.text(G("分组框1")));
         }},
        {"children",
         [&](Window& x) {
             std::string out;
             for (const char* holder : {"分组框1", "选择夹1", "菜单1", "编辑框_单行"})
                 for (const std::string& c : x.children(G(holder))) out += Visible(c) + "|";
             return out;
         }},
        {"editable combo",
         [&](Window& x) {
             const std::string c = G("组合框1");
             std::string out = std::to_string(x.currentItem(c));
             x.setCurrentItem(c, 2);
             out += Visible(x.text(c)) + std::to_string(x.currentItem(c));
             x.setItems(c, {G("甲")});
             out += Visible(x.text(c)) + std::to_string(x.currentItem(c)) + join(x.items(c));
             return out;
         }},
        {"drop-down list",
         [&](Window& x) {
             const std::string c = G("组合框2");
             std::string out = x.text(c).bytes() + std::to_string(x.currentItem(c));
             x.setText(c, G("read"));
             x.setText(c, G("none"));
             out += x.text(c).bytes() + std::to_string(x.currentItem(c));
             x.setItems(c, {});
             return out + x.text(c).bytes() + std::to_string(x.currentItem(c));
         }},
        {"list box",
         [&](Window& x) {
             const std::string c = G("列表框1");
             x.setCurrentItem(c, 1);
             x.setItems(c, {G("a"), G("b"), G("c")});
             std::string out = std::to_string(x.currentItem(c)) + join(x.items(c));
             x.setCurrentItem(c, 7);
             return out + std::to_string(x.currentItem(c));
         }},
        {"radio groups",
         [&](Window& x) {
             x.setChecked(G("单选框2"), true);
             std::string out;
             for (const char* r : {"单选框1", "单选框2", "单选框3", "单选框4"}) out += x.checked(G(r)) ? "1" : "0";
             return out;
         }},
        {"tabs",
         [&](Window& x) {
             x.setCurrentItem(G("选择夹1"), 1);
             return join(x.items(G("选择夹1"))) + std::to_string(x.currentItem(G("选择夹1")));
         }},
        {"report rows",
         [&](Window& x) {
             const std::string c = G("超级列表框1");
             x.addRow(c, {G("a")});
             x.addRow(c, {G("b"), G("c"), G("d")});
             x.setCell(c, 0, 3, G("z"));
             x.setRowChecked(c, 1, true);
             x.removeRow(c, 5);
             std::string out = join(x.row(c, 0)) + join(x.row(c, 1)) + std::to_string(x.rowCount(c));
             out += x.rowChecked(c, 1) ? "checked" : "-";
             x.setCurrentItem(c, 1);
             x.removeRow(c, 1);
             return out + std::to_string(x.currentItem(c)) + std::to_string(x.rowCount(c));
         }},
        {"tree",
         [&](Window& x) {
             const std::string c = G("树型框1");
             x.addTreeItem(c, G("子"), 0);
             x.setTreeItem(c, 1, TreeItem{G("账户"), 0, true, false});
             std::string out;
             for (const TreeItem& i : x.treeItems(c))
                 out += Visible(i.text) + std::to_string(i.parent) + (i.bold ? "b" : "") + "|";
             x.setCurrentItem(c, 3);
             return out + std::to_string(x.currentItem(c));
         }},
        {"grid",
         [&](Window& x) {
             const std::string c = G("表格1");
             x.setGridCell(c, 0, 1, G("格"));
             x.setGridSize(c, 3, 1);
             return Visible(x.gridCell(c, 0, 1)) + "|" + Visible(x.gridCell(c, 9, 9));
         }},
        {"grid cell backgrounds",
         [&](Window& x) {
             const std::string c = G("表格1");
             x.setGridCellBackground(c, 1, 0, 0xE6E6E6);  // the grid is 3 x 1 by now
             x.setGridCellBackground(c, 2, 0, 0x123456);
             x.setGridCellBackground(c, 2, 0, -1);
             std::string out;
             for (auto [r, col] : {std::pair{1, 0}, {2, 0}, {9, 9}})
                 out += std::to_string(x.gridCellBackground(c, r, col)) + ",";
             try {
                 x.setGridCellBackground(c, 0, 1, 0);
             } catch (const std::out_of_range&) {
                 out += "out of range";
             }
             return out;
         }},
        {"scrolling the code box",
         [&](Window& x) {
             const std::string c = G("编辑框_代码");
             x.setText(c, G("1\r\n2\r\n3\r\n4"));
             auto events = std::make_shared<std::string>();
             x.on(c, Event::Scroll, [events](const EventArgs& a) { *events += std::to_string(a.index) + ";"; });
             x.scrollToLine(c, 2);
             x.scrollToLine(c, 2);
             x.scrollToLine(c, 40);
             x.scrollToLine(c, -1);
             return *events + std::to_string(x.firstVisibleLine(c));
         }},
        {"tips and menu items",
         [&](Window& x) {
             x.setTip(G("气球提示框1"), G("按钮1"), G("提示"));
             x.setChecked(G("菜单_乙"), true);
             return Visible(x.tip(G("气球提示框1"), G("按钮1"))) + (x.checked(G("菜单_乙")) ? "1" : "0") +
                    Visible(x.tip(G("气球提示框1"), G("标签1")));
         }},
        {"handlers bound twice",
         [&](Window& x) {
             auto log = std::make_shared<std::string>();
             const std::string c = G("编辑框_单行");
             x.on(c, Event::Change, [log](const EventArgs&) { *log += "1"; });
             x.on(c, Event::Change, [log, &x, c](const EventArgs&) {
                 *log += "2";
                 x.on(c, Event::Change, [log](const EventArgs&) { *log += "3"; });
             });
             x.setText(c, G("a"));
             *log += "|";
             x.setText(c, G("b"));
             return *log;
         }},
        {"selection inside characters",
         [&](Window& x) {
             std::string out;
             for (const char* c : {"编辑框_多行", "编辑框_代码"}) {
                 const std::string box = G(c);
                 x.setText(box, G("中文\r\nab"));
                 for (auto [from, to] : {std::pair{1, 3}, {5, 5}, {7, 1}, {-2, 40}}) {
                     x.setSelection(box, from, to);
                     auto [a, b] = x.selection(box);
                     out += std::to_string(a) + "," + std::to_string(b) + ";";
                 }
                 x.setSelection(box, 1, 1);
                 x.replaceSelection(box, G("x"));
                 auto [a, b] = x.selection(box);
                 out += Visible(x.text(box)) + std::to_string(a) + "," + std::to_string(b) + "|";
             }
             return out;
         }},
        {"wrong control kinds",
         [&](Window& x) {
             const std::function<void()> calls[] = {
                 [&] { x.addRow(G("编辑框_单行"), {G("x")}); },
                 [&] { x.rowCount(G("列表框1")); },
                 [&] { x.setCell(G("表格1"), 0, 0, G("x")); },
                 [&] { x.removeRow(G("组合框1"), 0); },
                 [&] { x.clearRows(G("树型框1")); },
                 [&] { x.setRowChecked(G("按钮1"), 0, true); },
                 [&] { x.treeItems(G("超级列表框1")); },
                 [&] { x.addTreeItem(G("列表框1"), G("x"), -1); },
                 [&] { x.clearTree(G("编辑框_代码")); },
                 [&] { x.gridCell(G("超级列表框1"), 0, 0); },
                 [&] { x.setGridSize(G("标签1"), 1, 1); },
                 [&] { x.checked(G("按钮1")); },
                 [&] { x.setChecked(G("编辑框_单行"), true); },
                 [&] { x.items(G("树型框1")); },
                 [&] { x.setItems(G("超级列表框1"), {G("x")}); },
                 [&] { x.currentItem(G("标签1")); },
                 [&] { x.setCurrentItem(G("选择框1"), 0); },
                 [&] { x.selection(G("组合框1")); },
                 [&] { x.setSelection(G("标签1"), 0, 1); },
                 [&] { x.replaceSelection(G("按钮1"), G("x")); },
                 [&] { x.firstVisibleLine(G("列表框1")); },
                 [&] { x.scrollToLine(G("组合框1"), 1); },
                 [&] { x.readOnly(G("按钮1")); },
                 [&] { x.setReadOnly(G("列表框1"), true); },
                 [&] { x.setImage(G("按钮1"), "x"); },
                 [&] { x.trayShown(G("图片框1")); },
                 [&] { x.popupMenu(G("按钮1")); },
                 [&] { x.setTip(G("标签1"), G("按钮1"), G("x")); },
                 [&] { x.tip(G("按钮1"), G("标签1")); },
             };
             std::string out;
             for (const auto& call : calls) {
                 try {
                     call();
                     out += "no fault\n";
                 } catch (const WrongControlKind& e) {
                     out += Visible(e.what()) + "\n";
                 }
             }
             EXPECT_EQ(out.find("no fault"), std::string::npos) << out;
             return out;
         }},
        {"unknown controls",
         [&](Window& x) {
             try {
                 x.text(G("不存在"));
             } catch (const UnknownControl& e) {
                 return Visible(e.control);
             }
             return std::string("no fault");
         }},
    };
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        EXPECT_EQ(step(*w), step(h));
    }
}

}  // namespace
}  // namespace trelvix::ui
