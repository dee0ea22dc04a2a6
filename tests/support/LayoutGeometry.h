#pragma once
// Where a layout puts each control on its window, and what holds it: the
// window's client area, the tab pages and the group boxes around it. Both the
// layout checks and the desktop checks of the real windows read it.
#include <map>
#include <string>
#include <vector>

#include "ui/Layout.h"

namespace trelvix::test {

// A tab control keeps its tab row and a one-pixel frame for itself; its pages
// get the rest (the desktop's notebook gives at least this much, which the
// desktop checks confirm). A page control without tabs gives its pages all.
constexpr int kTabRowHeight = 27;
constexpr int kTabFrame = 1;
ui::Rect PageArea(const ui::ControlSpec& book, const ui::Rect& bookOnWindow);

struct Holder {
    std::string name;  // GBK; the window's name for its client area
    ui::Rect area;     // in window coordinates
};

struct PlacedControl {
    const ui::ControlSpec* spec = nullptr;
    ui::Rect rect;                             // in window coordinates
    std::vector<Holder> holders;               // outermost first
    std::vector<std::string> ancestors;        // every control that holds it, pages included
    std::map<std::string, std::size_t> pages;  // the page of each tab control on the way
    bool shown = true;                         // visible by the layout, and so is all that holds it
};

// Every control that a window draws (menus, dialogs, tray icons and tips are
// not drawn), in layout order.
std::vector<PlacedControl> PlaceControls(const ui::WindowSpec& window);

bool Holds(const ui::Rect& outer, const ui::Rect& inner);
bool HoldsPoint(const ui::Rect& r, int x, int y);
// Shown at the same time: on the same page of every tab control both are on.
bool OnSameScreen(const PlacedControl& a, const PlacedControl& b);
bool IsAncestor(const PlacedControl& maybeAncestor, const PlacedControl& of);

// Every window the program shows: the main window and the seven tool windows.
const std::vector<std::string>& WindowLayoutFiles();

}  // namespace trelvix::test
