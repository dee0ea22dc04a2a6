#pragma once
// What both realisations keep for each control, and how a layout's control
// starts out; each realisation adds what its own kind of control needs.
#include <map>
#include <string>
#include <string_view>
#include <utility>
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
    std::vector<std::vector<Gbk>> rows;  // a report's cells

    // The initial state of a control of the layout.
    void start(const ControlSpec& layout, const std::string& parentName);

    // A text set from code, the selection collapsed to its start; true when
    // it differs from the text before.
    bool takeText(const Gbk& value);
    // The index of the first item with this text, -1 when none has it.
    int itemIndex(const Gbk& value) const;
    // A drop-down list takes only one of its items as its text, which makes
    // that item the current one; false, and nothing changes, for any other.
    bool chooseItemText(const Gbk& value);
    // New items: a drop-down list shows its first; other kinds lose a
    // current item the list no longer holds.
    void takeItems(const std::vector<GbkText>& list);
    // Only a single-line edit box shows dots; true when the state changes.
    bool takeMasked(bool on);

    // A report row, padded with empty cells to the columns; its index.
    int addRow(const std::vector<GbkText>& cells);
    // Throw std::out_of_range for a row (or a column below 0) the report lacks.
    const std::vector<Gbk>& rowAt(int row) const;
    void setCell(int row, int column, const Gbk& value);
    // False, and nothing changes, for a row the report lacks.
    bool removeRow(int row);

    int addTreeItem(const Gbk& itemText, int parentItem);
    void clearTree();

    // A tip control's text for `target`, empty when it has none.
    Gbk tipFor(const std::string& target) const;
};

// Radios exclude each other within one group of one parent.
bool SameRadioGroup(const ControlState& a, const ControlState& b);

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
    Current,  // current item, page, row or scroll position
    Rows,
    TreeItems,
    GridCells,
    Image,
    Tray,
    Menu,  // popping up
    Tips,  // the tip control that holds them
};

// Throws WrongControlKind unless a control of `kind` holds `property`; both
// realisations ask here, so they refuse the same calls with the same words.
void RequireKind(const std::string& window, const std::string& control, Kind kind, Property property,
                 const char* operation);

// A selection edge moved off the middle of a character to its end: the second
// byte of a two-byte character and the LF of CR LF are never a boundary.
// Offsets past the text end there.
int SnapToCharacter(std::string_view text, int offset);
// A selection from `start` to `end` (negative: the text's end) as an edit
// control holds it: both edges snapped, the start first.
std::pair<int, int> SnapSelection(std::string_view text, int start, int end);

// A first visible line inside the text's lines (one more than its LFs).
int ClampToLines(std::string_view text, int line);

// What an address box reads from its four fields: a blank or missing field
// reads as 0, and none says more than 255.
Gbk AddressText(const std::vector<Gbk>& fields);

}  // namespace trelvix::ui
