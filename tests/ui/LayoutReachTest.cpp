// Every control a user needs can be reached on every window: it lies inside
// all that holds it (the window's client area, its tab page, its group boxes)
// and nothing else lies over its centre. Geometry of the layout data alone;
// whether texts fit their controls is measured on the real toolkit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayoutGeometry.h"
#include "TestSupport.h"
#include "common/text/CodePage.h"
#include "ui/Layout.h"

namespace trelvix::test {
namespace {

using ui::Kind;

struct NamedPair {
    const char* window;
    const char* first;
    const char* second;
};

// Controls the layouts build hidden and the program never shows.
const NamedPair kNeverShown[] = {
    {"ScriptEditorWindow", "按钮_字体", nullptr},
    {"ScriptEditorWindow", "按钮_截取变量组", nullptr},
    {"HardwareCatalogueWindow", "编辑框1", nullptr},
};

// Laid one over the other on purpose: the empty box is the slider's frame.
const NamedPair kFramedBy[] = {
    {"SubnetCalculatorWindow", "横向滚动条", "编辑框1"},
};

bool Listed(const ui::WindowSpec& w, const std::string& control) {
    for (const NamedPair& p : kNeverShown)
        if (w.name == G(p.window) && control == G(p.first)) return true;
    return false;
}

bool Framed(const ui::WindowSpec& w, const std::string& a, const std::string& b) {
    for (const NamedPair& p : kFramedBy) {
        if (w.name != G(p.window)) continue;
        if ((a == G(p.first) && b == G(p.second)) || (a == G(p.second) && b == G(p.first))) return true;
    }
    return false;
}

// Controls a user works with; holders are judged through what they hold.
bool IsLeaf(Kind kind) {
    return kind != Kind::GroupBox && kind != Kind::Tab && kind != Kind::PageControl && kind != Kind::Page;
}

// A check box standing on a group box's top edge is that group's caption;
// the desktop lifts it above the group (WxWindow's addControls).
bool CaptionOf(const PlacedControl& check, const PlacedControl& group) {
    return check.spec->kind == Kind::CheckBox && group.spec->kind == Kind::GroupBox && check.rect.y < group.rect.y &&
           group.rect.y < check.rect.bottom();
}

std::string Where(const ui::WindowSpec& w, const PlacedControl& c) {
    const ui::Rect& r = c.rect;
    return GbkToUtf8(w.name) + " " + GbkToUtf8(c.spec->name) + " at " + std::to_string(r.x) + "," +
           std::to_string(r.y) + " " + std::to_string(r.w) + "x" + std::to_string(r.h);
}

// The faults of one window, one line each.
std::vector<std::string> Unreachable(const ui::WindowSpec& w) {
    std::vector<PlacedControl> placed = PlaceControls(w);
    std::erase_if(placed, [&](const PlacedControl& c) { return Listed(w, c.spec->name); });
    std::vector<std::string> faults;
    for (const PlacedControl& c : placed) {
        if (!c.shown && c.spec->visible) continue;  // inside a hidden holder
        for (const Holder& h : c.holders)
            if (!Holds(h.area, c.rect)) faults.push_back(Where(w, c) + " lies outside " + GbkToUtf8(h.name));
    }
    for (const PlacedControl& c : placed) {
        if (!IsLeaf(c.spec->kind) || (!c.shown && c.spec->visible)) continue;
        const int cx = c.rect.x + c.rect.w / 2, cy = c.rect.y + c.rect.h / 2;
        for (const PlacedControl& over : placed) {
            if (&over == &c || over.spec->kind == Kind::Page || (!over.shown && over.spec->visible)) continue;
            if (IsAncestor(over, c) || IsAncestor(c, over) || !OnSameScreen(c, over)) continue;
            if (CaptionOf(c, over) || Framed(w, c.spec->name, over.spec->name)) continue;
            if (HoldsPoint(over.rect, cx, cy))
                faults.push_back(Where(w, c) + " has its centre under " + Where(w, over));
        }
    }
    return faults;
}

TEST(LayoutReach, EveryControlLiesInsideWhatHoldsItAndNothingCoversIt) {
    for (const std::string& file : WindowLayoutFiles()) {
        SCOPED_TRACE(file);
        for (const std::string& fault : Unreachable(ui::BuiltInLayout(file))) ADD_FAILURE() << fault;
    }
}

// The check finds each way a control is lost, and passes what only looks alike.
TEST(LayoutReach, FindsControlsPastTheirHoldersOrUnderOthers) {
    struct Case {
        const char* name;
        const char* controls;
        std::vector<std::string> faults;  // the start of each fault line
    };
    const Case cases[] = {
        {"past the window's lower edge",
         R"([{"kind": "button", "name": "b", "rect": [10, 190, 80, 24]}])",
         {"w b at 10,190 80x24 lies outside w"}},
        {"one pixel past a group's bottom",
         R"([{"kind": "group", "name": "g", "rect": [0, 0, 100, 50], "controls": [
              {"kind": "button", "name": "b", "rect": [10, 21, 80, 30]}]}])",
         {"w b at 10,21 80x30 lies outside g"}},
        {"below a tab's last page row",
         R"([{"kind": "tab", "name": "t", "rect": [0, 0, 200, 100], "pages": [{"text": "p", "controls": [
              {"kind": "edit", "name": "e", "rect": [0, 50, 80, 24]}]}]}])",
         {"w e at 1,77 80x24 lies outside p"}},
        {"under a sibling group",
         R"([{"kind": "combo", "name": "c", "rect": [10, 10, 100, 24]},
             {"kind": "group", "name": "g", "rect": [50, 0, 100, 100]}])",
         {"w c at 10,10 100x24 has its centre under w g"}},
        {"under another group's child",
         R"([{"kind": "label", "name": "l", "rect": [10, 10, 100, 18]},
             {"kind": "group", "name": "g", "rect": [50, 0, 100, 100], "controls": [
              {"kind": "report", "name": "r", "rect": [0, 0, 100, 100]}]}])",
         {"w l at 10,10 100x18 has its centre under w g", "w l at 10,10 100x18 has its centre under w r"}},
        {"a hidden control is still placed",
         R"([{"kind": "button", "name": "b", "rect": [0, 0, 80, 24], "visible": false},
             {"kind": "button", "name": "c", "rect": [10, 0, 80, 24]}])",
         {"w b at 0,0 80x24 has its centre under w c", "w c at 10,0 80x24 has its centre under w b"}},
        {"on different pages of one tab",
         R"([{"kind": "tab", "name": "t", "rect": [0, 0, 200, 100], "pages": [
              {"text": "p", "controls": [{"kind": "edit", "name": "a", "rect": [0, 0, 80, 24]}]},
              {"text": "q", "controls": [{"kind": "edit", "name": "b", "rect": [0, 0, 80, 24]}]}]}])",
         {}},
        {"a check box as a group's caption",
         R"([{"kind": "check", "name": "c", "rect": [10, 0, 100, 18]},
             {"kind": "group", "name": "g", "rect": [0, 8, 200, 80]}])",
         {}},
        {"touching neighbours",
         R"([{"kind": "button", "name": "a", "rect": [0, 0, 80, 24]},
             {"kind": "button", "name": "b", "rect": [80, 0, 80, 24]}])",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ui::WindowSpec w =
            ui::ParseLayout(std::string(R"({"name": "w", "w": 200, "h": 200, "controls": )") + c.controls + "}");
        const std::vector<std::string> faults = Unreachable(w);
        ASSERT_EQ(faults.size(), c.faults.size()) << (faults.empty() ? "" : faults.front());
        for (std::size_t i = 0; i < faults.size(); ++i) EXPECT_EQ(faults[i].rfind(c.faults[i], 0), 0u) << faults[i];
    }
}

}  // namespace
}  // namespace trelvix::test
