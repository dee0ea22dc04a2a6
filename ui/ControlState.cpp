#include "ui/ControlState.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <stdexcept>

namespace trelvix::ui {

namespace {

// The rule both realisations build a combo box by: a drop-down list always
// shows one of its items, never a layout text; an editable box without a text
// of its own shows its chosen item's.
void StartCombo(ControlState& c, bool editable) {
    if (!editable && c.current < 0 && !c.items.empty()) c.current = 0;
    const bool chosen = c.current >= 0 && c.current < static_cast<int>(c.items.size());
    if (!editable) c.text = chosen ? c.items[c.current] : Gbk();
    else if (c.text.empty() && chosen) c.text = c.items[c.current];
}

}  // namespace

void ControlState::start(const ControlSpec& layout, const std::string& parentName) {
    spec = layout;
    spec.children.clear();
    parent = parentName;
    text = layout.text;
    visible = layout.visible;
    enabled = layout.enabled;
    readOnly = layout.readOnly;
    masked = layout.password && !layout.multiline;
    checked = layout.checked;
    items = layout.items;
    current = layout.current;
    rect = layout.rect;
    tree = TreeItemsOf(layout.treeItems);
    if (layout.kind == Kind::Combo) StartCombo(*this, layout.editable);
    if (layout.kind == Kind::Tab || layout.kind == Kind::PageControl) {
        for (const ControlSpec& page : layout.children) items.push_back(page.text);
        if (current < 0 && !layout.children.empty()) current = 0;
    }
    if (layout.kind == Kind::HScroll && current < layout.minimum) current = layout.minimum;
}

bool ControlState::takeText(const Gbk& value) {
    const bool changed = text != value;
    text = value;
    selStart = selEnd = 0;
    return changed;
}

int ControlState::itemIndex(const Gbk& value) const {
    auto it = std::find(items.begin(), items.end(), value);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool ControlState::chooseItemText(const Gbk& value) {
    const int index = itemIndex(value);
    if (index < 0) return false;
    current = index;
    text = value;
    return true;
}

void ControlState::takeItems(const std::vector<GbkText>& list) {
    items = AsBytes(list);
    if (spec.kind == Kind::Combo && !spec.editable) {
        current = list.empty() ? -1 : 0;
        text = list.empty() ? Gbk() : list[0].bytes();
    } else if (current >= static_cast<int>(list.size())) {
        current = -1;
    }
}

bool ControlState::takeMasked(bool on) {
    on = on && !spec.multiline;
    if (masked == on) return false;
    masked = on;
    return true;
}

int ControlState::addRow(const std::vector<GbkText>& cells) {
    std::vector<Gbk> row = AsBytes(cells);
    row.resize(std::max<std::size_t>(spec.columns.size(), cells.size()));
    rows.push_back(std::move(row));
    return static_cast<int>(rows.size()) - 1;
}

const std::vector<Gbk>& ControlState::rowAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows.size())) throw std::out_of_range("row out of range in " + spec.name);
    return rows[row];
}

void ControlState::setCell(int row, int column, const Gbk& value) {
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0)
        throw std::out_of_range("cell out of range in " + spec.name);
    if (column >= static_cast<int>(rows[row].size())) rows[row].resize(column + 1);
    rows[row][column] = value;
}

bool ControlState::removeRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    rows.erase(rows.begin() + row);
    return true;
}

int ControlState::addTreeItem(const Gbk& itemText, int parentItem) {
    tree.push_back(TreeItem{itemText, parentItem, false, false});
    return static_cast<int>(tree.size()) - 1;
}

void ControlState::clearTree() {
    tree.clear();
    current = -1;
}

Gbk ControlState::tipFor(const std::string& target) const {
    auto it = tips.find(target);
    return it == tips.end() ? Gbk() : it->second;
}

bool SameRadioGroup(const ControlState& a, const ControlState& b) {
    return a.spec.kind == Kind::Radio && b.spec.kind == Kind::Radio && a.parent == b.parent &&
           a.spec.group == b.spec.group;
}

std::vector<TreeItem> TreeItemsOf(const std::vector<TreeItemSpec>& items) {
    std::vector<TreeItem> out;
    out.reserve(items.size());
    std::vector<int> lastAtLevel;  // the latest item seen on each level
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int level = std::max(0, items[i].level);
        TreeItem item{items[i].text, -1, false, false};
        for (int l = std::min(level, static_cast<int>(lastAtLevel.size())) - 1; l >= 0; --l) {
            if (lastAtLevel[l] >= 0) {
                item.parent = lastAtLevel[l];
                break;
            }
        }
        if (static_cast<int>(lastAtLevel.size()) <= level) lastAtLevel.resize(level + 1, -1);
        lastAtLevel[level] = static_cast<int>(i);
        lastAtLevel.resize(level + 1);
        out.push_back(std::move(item));
    }
    return out;
}

namespace {

constexpr std::uint32_t Bit(Kind k) { return std::uint32_t{1} << static_cast<int>(k); }

struct KindsOf {
    Property property;
    std::uint32_t kinds;
};

// The kinds that hold each property, as the desktop's controls do.
constexpr KindsOf kKindsOf[] = {
    {Property::ReadOnly, Bit(Kind::Edit) | Bit(Kind::CodeBox) | Bit(Kind::Grid) | Bit(Kind::IpAddress)},
    {Property::Masked, Bit(Kind::Edit)},
    {Property::Selection, Bit(Kind::Edit) | Bit(Kind::CodeBox)},
    {Property::Lines, Bit(Kind::Edit) | Bit(Kind::CodeBox)},
    {Property::Checked, Bit(Kind::CheckBox) | Bit(Kind::Radio) | Bit(Kind::MenuItem)},
    {Property::Items,
     Bit(Kind::Combo) | Bit(Kind::ListBox) | Bit(Kind::StatusBar) | Bit(Kind::Tab) | Bit(Kind::PageControl)},
    {Property::Current, Bit(Kind::Combo) | Bit(Kind::ListBox) | Bit(Kind::Tab) | Bit(Kind::PageControl) |
                            Bit(Kind::Tree) | Bit(Kind::ReportList) | Bit(Kind::HScroll)},
    {Property::Rows, Bit(Kind::ReportList)},
    {Property::TreeItems, Bit(Kind::Tree)},
    {Property::GridCells, Bit(Kind::Grid)},
    {Property::Image, Bit(Kind::Picture) | Bit(Kind::TrayIcon)},
    {Property::Tray, Bit(Kind::TrayIcon)},
    {Property::Menu, Bit(Kind::Menu) | Bit(Kind::MenuItem)},
    {Property::Tips, Bit(Kind::BalloonTip)},
};

constexpr Kind kLastKind = Kind::FileDialog;

std::uint32_t KindsHolding(Property property) {
    for (const KindsOf& k : kKindsOf)
        if (k.property == property) return k.kinds;
    return 0;
}

// "report", "check, radio or item"
std::string KindList(std::uint32_t kinds) {
    std::vector<std::string_view> names;
    for (int k = 0; k <= static_cast<int>(kLastKind); ++k)
        if (kinds & Bit(static_cast<Kind>(k))) names.push_back(KindName(static_cast<Kind>(k)));
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) out += i + 1 == names.size() ? " or " : ", ";
        out += names[i];
    }
    return out;
}

}  // namespace

UnknownControl::UnknownControl(const std::string& w, const std::string& c)
    : std::runtime_error("window " + w + " has no control " + c), window(w), control(c) {}

WrongControlKind::WrongControlKind(const std::string& w, const std::string& c, Kind k, const std::string& op,
                                   const std::string& wanted)
    : std::runtime_error("window " + w + ": " + op + " works on " + wanted + " controls, not on " + c + " (" +
                         std::string(KindName(k)) + ")"),
      window(w), control(c), kind(k), operation(op) {}

void RequireKind(const std::string& window, const std::string& control, Kind kind, Property property,
                 const char* operation) {
    const std::uint32_t kinds = KindsHolding(property);
    if (kinds & Bit(kind)) return;
    throw WrongControlKind(window, control, kind, operation, KindList(kinds));
}

int SnapToCharacter(std::string_view text, int offset) {
    const int size = static_cast<int>(text.size());
    if (offset <= 0) return 0;
    if (offset >= size) return size;
    std::size_t at = 0;
    while (static_cast<int>(at) < offset) {
        const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        at += crlf ? 2 : CharLength(text, at);
    }
    return static_cast<int>(at);
}

std::pair<int, int> SnapSelection(std::string_view text, int start, int end) {
    const int a = SnapToCharacter(text, start);
    const int b = SnapToCharacter(text, end < 0 ? static_cast<int>(text.size()) : end);
    return {std::min(a, b), std::max(a, b)};
}

int ClampToLines(std::string_view text, int line) {
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    return std::clamp(line, 0, std::max(0, lines - 1));
}

Gbk AddressText(const std::vector<Gbk>& fields) {
    Gbk out;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::int64_t v = i < fields.size() ? ToInt64(fields[i]) : 0;
        if (i) out += '.';
        out += std::to_string(std::clamp<std::int64_t>(v, 0, 255));
    }
    return out;
}

}  // namespace trelvix::ui
