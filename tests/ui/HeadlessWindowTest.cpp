// The headless window on its own: what the desktop window is compared with in
// the GUI tests, pinned here so that it holds without a display.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::ui {
namespace {

using test::G;
using test::Visible;

const char* const kLayout = R"({"name": "w", "controls": [
  {"kind": "edit", "name": "e", "multiline": true},
  {"kind": "code", "name": "code"},
  {"kind": "button", "name": "b"},
  {"kind": "check", "name": "c"},
  {"kind": "combo", "name": "combo", "items": ["x"]},
  {"kind": "report", "name": "r", "columns": ["a"]},
  {"kind": "tree", "name": "t"},
  {"kind": "label", "name": "l"},
  {"kind": "tips", "name": "tips"},
  {"kind": "menu", "name": "m", "controls": [{"kind": "item", "name": "m1"}]}
]})";

class HeadlessWindowTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    HeadlessWindow& w = static_cast<HeadlessWindow&>(ui.createWindow(ParseLayout(kLayout), nullptr, {}));
};

TEST_F(HeadlessWindowTest, EveryHandlerOfAnEventRunsInBindingOrder) {
    std::string log;
    w.on("b", Event::Click, [&log](const EventArgs&) { log += "1"; });
    w.on("b", Event::Click, [&](const EventArgs&) {
        log += "2";
        // Bound while the event runs: heard from the next click on.
        w.on("b", Event::Click, [&log](const EventArgs&) { log += "3"; });
    });
    w.on("b", Event::Change, [&log](const EventArgs&) { log += "other event"; });
    w.click("b");
    EXPECT_EQ(log, "12");
    log.clear();
    w.click("b");
    EXPECT_EQ(log, "123");

    // Code that raises an event reaches every handler too.
    log.clear();
    w.on("e", Event::Change, [&log](const EventArgs&) { log += "a"; });
    w.on("e", Event::Change, [&log](const EventArgs&) { log += "b"; });
    w.setText("e", G("x"));
    EXPECT_EQ(log, "ab");
}

TEST_F(HeadlessWindowTest, HandlersAfterOneThatDestroysTheWindowDoNotRun) {
    std::string log;
    w.on("b", Event::Click, [&](const EventArgs&) {
        log += "closes;";
        w.close();
    });
    w.on("b", Event::Click, [&log](const EventArgs&) { log += "after"; });
    w.click("b");
    EXPECT_EQ(log, "closes;");
    EXPECT_EQ(ui.window("w"), nullptr);
}

// A destroyed window's handlers may hold the window's state, and with it
// work that would otherwise still reach it; they go once no handler of the
// window can be running.
TEST_F(HeadlessWindowTest, ADestroyedWindowAndItsHandlersAreFreedOnceItsEventsAreDone) {
    auto state = std::make_shared<std::string>();
    const std::weak_ptr<std::string> held = state;
    w.on("b", Event::Click, [&w = w, state](const EventArgs&) {
        w.close();
        *state += "still here after closing";  // the handler's own captures outlive its window's close
    });
    state.reset();
    const std::weak_ptr<const void> life = w.lifetime();
    w.click("b");
    EXPECT_TRUE(life.expired());
    ASSERT_FALSE(held.expired());  // nothing has run since
    EXPECT_EQ(*held.lock(), "still here after closing");
    ui.runPosted();
    EXPECT_TRUE(held.expired());
    EXPECT_EQ(ui.heldWindows(), 0u);
}

TEST_F(HeadlessWindowTest, AFaultInOneHandlerEndsTheEvent) {
    std::string log;
    w.on("b", Event::Click, [](const EventArgs&) { throw std::runtime_error("broken"); });
    w.on("b", Event::Click, [&log](const EventArgs&) { log += "after"; });
    EXPECT_THROW(w.click("b"), std::runtime_error);
    EXPECT_EQ(log, "");
}

struct SelectionCase {
    const char* what;
    const char* text;  // UTF-8, read as GBK
    int start, end;
    std::pair<int, int> expected;
};

// 中 and 文 are two bytes each; CR LF is one line end.
const SelectionCase kSelections[] = {
    {"inside a character moves to its end", "中文", 1, 3, {2, 4}},
    {"boundaries stay", "中文", 2, 2, {2, 2}},
    {"between CR and LF moves past the LF", "a\r\nb", 2, 2, {3, 3}},
    {"the start comes first", "中文ab", 5, 1, {2, 5}},
    {"past the ends", "中文", -4, 99, {0, 4}},
    {"-1 is the end", "ab中", 1, -1, {1, 4}},
    {"a trail byte that is ASCII belongs to its character", "乗a", 1, 1, {2, 2}},
};

TEST_F(HeadlessWindowTest, SelectionEdgesSnapToCharacters) {
    for (const char* box : {"e", "code"}) {
        for (const SelectionCase& c : kSelections) {
            SCOPED_TRACE(std::string(box) + ": " + c.what);
            w.setText(box, G(c.text));
            w.setSelection(box, c.start, c.end);
            EXPECT_EQ(w.selection(box), c.expected);
        }
    }
}

TEST_F(HeadlessWindowTest, ReplacingInsideACharacterKeepsTheCharacterWhole) {
    w.setText("e", G("中"));
    w.setSelection("e", 1, 1);
    w.replaceSelection("e", G("x"));
    EXPECT_EQ(Visible(w.text("e")), Visible(G("中x")));
    EXPECT_EQ(w.selection("e"), (std::pair<int, int>{3, 3}));
}

TEST_F(HeadlessWindowTest, AskingAControlForWhatItsKindLacksIsAClearError) {
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"addRow", [&] { w.addRow("e", {G("x")}); }},
        {"rowCount", [&] { w.rowCount("t"); }},
        {"treeItems", [&] { w.treeItems("r"); }},
        {"setGridCell", [&] { w.setGridCell("r", 0, 0, G("x")); }},
        {"checked", [&] { w.checked("b"); }},
        {"setItems", [&] { w.setItems("e", {G("x")}); }},
        {"currentItem", [&] { w.currentItem("l"); }},
        {"choose", [&] { w.choose("c", 0); }},
        {"setSelection", [&] { w.setSelection("combo", 0, 1); }},
        {"replaceSelection", [&] { w.replaceSelection("l", G("x")); }},
        {"scrollToLine", [&] { w.scrollToLine("r", 1); }},
        {"setReadOnly", [&] { w.setReadOnly("b", true); }},
        {"setImage", [&] { w.setImage("b", "x"); }},
        {"trayShown", [&] { w.trayShown("l"); }},
        {"popupMenu", [&] { w.popupMenu("b"); }},
        {"setTip", [&] { w.setTip("l", "b", G("x")); }},
    };
    for (const auto& [operation, call] : calls) {
        SCOPED_TRACE(operation);
        try {
            call();
            ADD_FAILURE() << "no fault";
        } catch (const WrongControlKind& e) {
            EXPECT_EQ(e.operation, operation);
            EXPECT_EQ(e.window, "w");
        }
    }
    auto message = [](const std::function<void()>& call) -> std::string {
        try {
            call();
        } catch (const WrongControlKind& e) {
            return e.what();
        }
        return "no fault";
    };
    EXPECT_EQ(message([&] { w.addRow("e", {G("x")}); }), "window w: addRow works on report controls, not on e (edit)");
    EXPECT_EQ(message([&] { w.setChecked("l", true); }),
              "window w: setChecked works on check, radio or item controls, not on l (label)");
    // The kinds that hold them answer.
    EXPECT_NO_THROW(w.setChecked("m1", true));
    EXPECT_NO_THROW(w.popupMenu("m"));
    EXPECT_NO_THROW(w.setTip("tips", "b", G("x")));
    EXPECT_EQ(w.addRow("r", {G("x")}), 0);
}

}  // namespace
}  // namespace trelvix::ui

namespace trelvix::ui {
namespace {

// The window's own list of its controls and the walk through children() agree.
TEST(HeadlessWindowControls, ListsEveryControlDepthFirstAsTheChildrenWalkDoes) {
    HeadlessUi ui;
    Window& w = ui.createWindow(BuiltInLayout("main.json"), nullptr, {});
    const std::vector<std::string> all = w.controls();
    EXPECT_EQ(all, w.Window::controls());
    EXPECT_EQ(all.front(), test::G("树型框1"));
    EXPECT_NE(std::find(all.begin(), all.end(), test::G("按钮_语言")), all.end());
}

}  // namespace
}  // namespace trelvix::ui
