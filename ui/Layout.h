#pragma once
// A window's layout as data: the controls, their names, places and initial
// states. Layout files are JSON (UTF-8) under ui/layouts/; text is turned into
// GBK when a layout is read, so every realisation works from the same model.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix::ui {

enum class Kind {
    Window,
    Edit,     // single or multi-line edit box
    CodeBox,  // multi-line code box with undo and scroll events
    Label,
    Button,
    CheckBox,
    Radio,  // radio buttons sharing a `group` are exclusive
    Combo,  // editable combo box, or a drop-down list when !editable
    ListBox,
    GroupBox,     // holds child controls
    Tab,          // tab control; children are Page
    PageControl,  // page control without tabs of its own (same model as Tab)
    Page,         // one page of a Tab or PageControl; children are controls
    Tree,
    ReportList,  // columns, rows, optional row check boxes
    StatusBar,
    HScroll,
    IpAddress,
    Grid,
    Picture,
    Shape,
    Hyperlink,
    TrayIcon,
    BalloonTip,
    Menu,        // a (usually hidden) menu; children are MenuItem
    MenuItem,    // children make a sub-menu; `separator` for a rule
    FileDialog,  // a dialog described by the layout (filter, title)
};

std::string_view KindName(Kind);

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int bottom() const { return y + h; }
    bool operator==(const Rect&) const = default;
};

struct TreeItemSpec {
    Gbk text;
    int level = 0;  // 0 = top level; a deeper item's parent is the item before it one level up
};

struct ControlSpec {
    Kind kind = Kind::Label;
    std::string name;  // GBK, as the handlers address it
    Rect rect;
    Gbk text;  // content or caption
    bool visible = true;
    bool enabled = true;
    bool readOnly = false;
    bool multiline = false;
    bool password = false;
    bool digitsOnly = false;
    int maxLength = 0;  // characters a user may type or paste into an edit box; 0: no limit
    bool checked = false;
    bool editable = true;            // combo boxes
    bool rowChecks = false;          // report lists
    bool separator = false;          // menu items
    Gbk group;                       // radio group
    std::vector<Gbk> items;          // combo, list box, status-bar panels
    int current = -1;                // chosen item, current page, scroll position
    int minimum = 0, maximum = 100;  // scroll bar
    std::vector<Gbk> columns;        // report list, grid
    std::vector<int> columnWidths;
    int gridRows = 0;
    std::vector<TreeItemSpec> treeItems;
    std::string treeTab;  // tree: the tab of tabs it mirrors (GBK name); empty for a tree of its own items
    Gbk treeItem;         // page: its text in a tree that mirrors its tab
    Gbk url;              // hyperlink
    Gbk filter;           // file dialog
    std::vector<ControlSpec> children;
};

struct WindowSpec {
    std::string name;  // GBK
    Gbk title;
    Rect rect;
    bool resizable = false;
    std::vector<ControlSpec> controls;
};

// The text of a layout file by its name under ui/layouts/, or nothing.
using LayoutFiles = std::function<std::optional<std::string>(std::string_view fileName)>;
std::optional<std::string> BuiltInLayoutFile(std::string_view fileName);

// Reads a layout from JSON text. A control may be written as
// {"include": "main/system.json"}: the one control that file holds, read by
// the same rules (an included file may include others, never itself).
// A tree written as "tree": {"tab": "<name>"} mirrors that tab of tabs (see
// SubTabOf): each page of the tab holds a sub-tab, whose page 0 becomes a
// top-level item and whose other pages the items under it, in page order. An
// item's text is its page's "treeitem" key, or the page's caption without one.
// Throws std::runtime_error naming the fault and the file it is in.
WindowSpec ParseLayout(std::string_view json, const LayoutFiles& files = BuiltInLayoutFile);

// The control of that name (GBK), depth first, or null.
const ControlSpec* FindControl(const std::vector<ControlSpec>& controls, std::string_view name);

// The sub-tab a page of a tab of tabs holds: its first tab or page control.
// Throws std::runtime_error when the page holds none.
const ControlSpec& SubTabOf(const ControlSpec& page);

// The built-in layout of a window by its file name under ui/layouts/ ("main.json").
const WindowSpec& BuiltInLayout(std::string_view fileName);

// Visits every control, depth first, with its parent (nullptr at top level).
template <class F>
void ForEachControl(const std::vector<ControlSpec>& controls, F&& f, const ControlSpec* parent = nullptr) {
    for (const ControlSpec& c : controls) {
        f(c, parent);
        ForEachControl(c.children, f, &c);
    }
}

}  // namespace trelvix::ui
