#pragma once
// What both realisations keep for each control, and how a layout's control
// starts out; each realisation adds what its own kind of control needs.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Layout.h"
#include "ui/Window.h"

namespace trelvix::ui {

struct ControlState {
    ControlSpec spec;    // as the layout made it, its children moved into the window's table
    std::string parent;  // name of the parent control, "" at top level
    Gbk text;
    bool visible = true, enabled = true, readOnly = false, checked = false;
    bool masked = false;  // an edit box showing its text as dots
    std::vector<Gbk> items;
    int current = -1;
    Rect rect;
    int selStart = 0, selEnd = 0, firstLine = 0;
    std::string image;
    std::map<std::string, Gbk> tips;
    bool acceptsFiles = false;
    std::vector<TreeItem> tree;

    // The initial state of a control of the layout.
    void start(const ControlSpec& layout, const std::string& parentName);
};

// The controls whose parent is `parent`, in the order of `order` (the window's
// controls in layout order); `controls` maps names to ControlState.
template <class Controls>
std::vector<std::string> ChildrenOf(const std::vector<std::string>& order, const Controls& controls,
                                    const std::string& parent) {
    std::vector<std::string> names;
    for (const std::string& name : order)
        if (controls.at(name).parent == parent) names.push_back(name);
    return names;
}

// A tree's items with their parents: each item's parent is the nearest
// item before it on a higher level.
std::vector<TreeItem> TreeItemsOf(const std::vector<TreeItemSpec>& items);

// What a call of the window interface reads or writes beyond what every
// control has (text, visibility, enabled state, place, focus).
enum class Property {
    ReadOnly,
    Masked,     // a password field's dots
    Selection,  // selection and replacing it
    Lines,      // first visible line
    Checked,
    Items,
    Current,    // current item, page, row or scroll position
    Rows,
    TreeItems,
    GridCells,
    Image,
    Tray,
    Menu,       // popping up
    Tips,       // the tip control that holds them
};

// Throws WrongControlKind unless a control of `kind` holds `property`; both
// realisations ask here, so they refuse the same calls with the same words.
void RequireKind(const std::string& window, const std::string& control, Kind kind, Property property,
                 const char* operation);

// A selection edge moved off the middle of a character to its end: the second
// byte of a two-byte character and the LF of CR LF are never a boundary.
// Offsets past the text end there.
int SnapToCharacter(std::string_view text, int offset);

}  // namespace trelvix::ui
