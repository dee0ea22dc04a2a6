// The whole program on the real toolkit, driven with real key presses: the
// focus stays where the user put it while the arrow keys walk a tree whose
// handler shows other pages, a window opens with the focus where typing
// belongs, and choosing a tool window that is open brings it to the front.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/uiaction.h>

#include "AnsweringUi.h"
#include "DesktopTest.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "app/ToolWindows.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "ui/Layout.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {
namespace {

// A key press or a raised window travels through the display server; this
// many rounds of the toolkit's loop without its effect mean it never arrived.
constexpr int kMaxRounds = 2000;

// The output of a short command, or nothing when it could not run.
std::optional<std::string> Output(const std::string& command) {
    FILE* p = popen(command.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, p)) out += buffer;
    if (pclose(p) != 0) return std::nullopt;
    return out;
}

bool HaveXwininfo() { return Output("command -v xwininfo").has_value(); }

// Which of two windows, told by their titles, the display stacks higher: it
// lists the screen's windows top-most first. Empty when either is missing.
std::string HigherOf(const std::string& a, const std::string& b) {
    const std::string windows = Output("xwininfo -root -children").value_or("");
    const std::size_t atA = windows.find('"' + a + '"'), atB = windows.find('"' + b + '"');
    if (atA == std::string::npos || atB == std::string::npos) return {};
    return atA < atB ? a : b;
}

class FocusOnTheDesktop : public DesktopTest {
protected:
    void SetUpOnDesktop() override {
        desktop_ = std::make_unique<AnsweringUi>(*wx_);
        app_ = std::make_unique<App>(*desktop_, clock_, random_, secureRandom_);
        InitGlobals(*app_);
        CreateMainWindow(*app_);
        main_ = wx_->window(ui::BuiltInLayout("main.json").name);
        ASSERT_NE(main_, nullptr);
        front(*main_);
    }

    void TearDown() override {
        if (!app_) return;
        if (main_ && !main_->destroyed()) wx_->destroyWindow(*main_);
        wx_->runPending(0);
        FreeGlobals(*app_);
        app_.reset();
        wx_->runPending(0);
    }

    // Runs the toolkit until `done` holds; false when it never does.
    static bool runUntil(const std::function<bool()>& done) {
        for (int round = 0; round < kMaxRounds; ++round) {
            if (done()) return true;
            wx_->runPending(5);
        }
        return done();
    }

    // The window takes the keyboard, with the focus on `control`.
    void front(ui::WxWindow& w, const std::string& control = {}) {
        w.show();
        w.raise(false);
        ASSERT_TRUE(runUntil([&] { return w.frame()->IsActive(); })) << "the window never took the keyboard";
        if (control.empty()) return;
        w.setFocus(control);
        ASSERT_TRUE(runUntil([&] { return w.focus() == control; }));
    }

    // Presses a key as the user does and waits for `arrived`.
    void press(int key, const std::function<bool()>& arrived) {
        keys_.Char(key);
        ASSERT_TRUE(runUntil(arrived)) << "the key's effect never came";
    }

    ui::WxWindow& tool(ToolIndex index) {
        ui::Window* w = ShowToolWindow(*app_, static_cast<int>(index));
        EXPECT_NE(w, nullptr);
        return *static_cast<ui::WxWindow*>(w);
    }

    TempHome home_;
    FixedClock clock_{45000.0};
    FixedRandom random_{{1}}, secureRandom_{{2}};
    std::unique_ptr<AnsweringUi> desktop_;
    std::unique_ptr<App> app_;
    ui::WxWindow* main_ = nullptr;
    wxUIActionSimulator keys_;
};

// ---------------------------------------------------------------- trees that show pages

TEST_F(FocusOnTheDesktop, DownWalksTheNavigationTreeAndLeavesThePagesDropDownsAlone) {
    const std::string tree = G("树型框1"), rights = G("组合框_01权限");
    ui::TreeItem system = main_->treeItems(tree)[0];
    system.expanded = true;
    main_->setTreeItem(tree, 0, system);
    main_->setCurrentItem(tree, 0);
    front(*main_, tree);

    // 系统, its pages, then the next three sections (collapsed): each Down
    // shows another page, the first one the page of 权限组.
    std::vector<int> walk;
    const std::vector<ui::TreeItem> items = main_->treeItems(tree);
    for (std::size_t i = 1, sections = 0; i < items.size() && sections < 3; ++i) {
        if (items[i].parent == 0 || items[i].parent == -1) walk.push_back(static_cast<int>(i));
        if (items[i].parent == -1) ++sections;
    }
    ASSERT_GE(walk.size(), 4u);
    for (const int item : walk) {
        SCOPED_TRACE("item " + std::to_string(item));
        press(WXK_DOWN, [&] { return main_->currentItem(tree) == item; });
        EXPECT_EQ(main_->text(G("分组框1")), main_->treeItems(tree)[item].text);
        EXPECT_EQ(main_->focus(), tree);
        EXPECT_EQ(main_->text(rights).bytes(), "full");
    }

    // The drop-down answers the same key once the user gives it the focus.
    main_->setCurrentItem(tree, 1);
    main_->setCurrentItem(G("选择夹1"), 0);
    main_->setCurrentItem(G("选择夹2"), 1);
    front(*main_, rights);
    press(WXK_DOWN, [&] { return main_->text(rights).bytes() == "read"; });
    EXPECT_EQ(main_->focus(), rights);
}

TEST_F(FocusOnTheDesktop, ArrowsWalkTheLayer7HelpTreeWhileItShowsTheHelpPage) {
    ui::WxWindow& w = tool(ToolIndex::L7Tools);
    const std::string tree = G("树型框"), help = G("编辑框_语法提示");
    // The tester's page, with another of its pages in front: the first step shows the help page.
    w.setCurrentItem(G("高级选择夹1"), 1);
    w.setCurrentItem(G("高级选择夹"), 1);
    // From the first entry under the first heading on, each Down shows the next entry's help.
    ui::TreeItem heading = w.treeItems(tree)[0];
    heading.expanded = true;
    w.setTreeItem(tree, 0, heading);
    const std::vector<ui::TreeItem> items = w.treeItems(tree);
    const auto first = std::find_if(items.begin(), items.end(), [](const ui::TreeItem& i) { return i.parent == 0; });
    ASSERT_NE(first, items.end());
    w.setCurrentItem(tree, static_cast<int>(first - items.begin()));
    front(w, tree);

    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        const int before = w.currentItem(tree);
        press(WXK_DOWN, [&] { return w.currentItem(tree) != before; });
        EXPECT_EQ(w.currentItem(G("高级选择夹")), 0);
        EXPECT_FALSE(w.text(help).empty());
        EXPECT_EQ(w.focus(), tree);
    }
    const int before = w.currentItem(tree);
    w.setCurrentItem(G("高级选择夹"), 1);
    press(WXK_UP, [&] { return w.currentItem(tree) != before; });
    EXPECT_EQ(w.currentItem(G("高级选择夹")), 0);
    EXPECT_EQ(w.focus(), tree);
}

// ---------------------------------------------------------------- opening

TEST_F(FocusOnTheDesktop, TheScriptEditorOpensWithTypingGoingIntoItsCodeBox) {
    ui::WxWindow& w = tool(ToolIndex::ScriptEditor);
    front(w);
    const std::string code = G("编辑框_代码");
    ASSERT_TRUE(runUntil([&] { return !w.focus().empty(); }));
    EXPECT_EQ(w.focus(), code);
    press('x', [&] { return !w.text(code).empty(); });
    EXPECT_EQ(w.text(code).bytes(), "x");
    EXPECT_EQ(w.text(G("编辑框_行号")).bytes(), "1");
}

// ---------------------------------------------------------------- the front

// The script editor left behind the Layer-7 window, visible or closed, comes
// in front of it when the user chooses it again.
TEST_F(FocusOnTheDesktop, AnOpenToolChosenAgainComesInFrontOfTheOthers) {
    TRELVIX_NEED(HaveXwininfo(), "xwininfo to see which window is in front");
    const std::string editorTitle = "RouterOS官方脚本编辑器", l7Title = "_L7协议相关工具";
    for (const bool closed : {false, true}) {
        SCOPED_TRACE(closed ? "closed" : "behind the other");
        ui::WxWindow& editor = tool(ToolIndex::ScriptEditor);
        ui::WxWindow& l7 = tool(ToolIndex::L7Tools);
        ASSERT_TRUE(runUntil([&] { return HigherOf(editorTitle, l7Title) == l7Title; }));
        if (closed) editor.close();

        tool(ToolIndex::ScriptEditor);
        EXPECT_TRUE(runUntil([&] { return HigherOf(editorTitle, l7Title) == editorTitle; }));
        EXPECT_TRUE(editor.shown());
        l7.close();
        editor.close();
    }
}

}  // namespace
}  // namespace trelvix::test
