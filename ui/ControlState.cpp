#include "ui/ControlState.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

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
}

std::vector<TreeItem> TreeItemsOf(const std::vector<TreeItemSpec>& items) {
    std::vector<TreeItem> out;
    out.reserve(items.size());
    std::vector<int> lastAtLevel;  // the latest item seen on each level
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int level = std::max(0, items[i].level);
        TreeItem item{items[i].text, -1, false, false};
        for (int l = std::min(level, static_cast<int>(lastAtLevel.size())) - 1; l >= 0; --l) {
            if (lastAtLevel[l] >= 0) { item.parent = lastAtLevel[l]; break; }
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

}  // namespace trelvix::ui
