#pragma once
// What a traditional-Chinese pack holds: one INI section per kind of control,
// keyed by the control's name, and one section per tree view, keyed by item
// index. The build's pack generator and the program read this one table, so
// a pack always carries the sections the program looks for.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/Layout.h"

namespace trelvix {

enum class PackSection { EditBoxes, Labels, Buttons, RadioButtons, CheckBoxes, GroupBoxes, TreeItems };

// The order in which sections are written and applied.
inline constexpr PackSection kPackSections[] = {
    PackSection::EditBoxes,  PackSection::Labels,     PackSection::Buttons,   PackSection::RadioButtons,
    PackSection::CheckBoxes, PackSection::GroupBoxes, PackSection::TreeItems,
};

// The section a control of this kind belongs to; nothing for kinds a pack
// leaves alone (combo boxes, lists, menus...). Code boxes are edit boxes.
std::optional<PackSection> PackSectionOf(ui::Kind kind);

// The section's name (GBK); a tree's items use the tree's own name instead.
const std::string& PackSectionName(PackSection section);

// The key of a tree's item `index` (0-based).
std::string TreeItemKey(std::size_t index);

// Edit boxes and labels keep their line breaks as this marker.
inline constexpr std::string_view kPackLineBreak = "><br><";
bool PackKeepsLineBreaks(PackSection section);

// The version label is never translated: it shows the running version. Any
// label whose name occurs within that name counts as it.
bool IsVersionLabel(std::string_view controlName);

}  // namespace trelvix
