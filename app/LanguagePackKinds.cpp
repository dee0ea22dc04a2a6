#include "app/LanguagePackKinds.h"

#include <array>

#include "common/text/Gbk.h"

namespace trelvix {

std::optional<PackSection> PackSectionOf(ui::Kind kind) {
    switch (kind) {
        case ui::Kind::Edit:
        case ui::Kind::CodeBox: return PackSection::EditBoxes;
        case ui::Kind::Label: return PackSection::Labels;
        case ui::Kind::Button: return PackSection::Buttons;
        case ui::Kind::Radio: return PackSection::RadioButtons;
        case ui::Kind::CheckBox: return PackSection::CheckBoxes;
        case ui::Kind::GroupBox: return PackSection::GroupBoxes;
        case ui::Kind::Tree: return PackSection::TreeItems;
        default: return std::nullopt;
    }
}

const std::string& PackSectionName(PackSection section) {
    static const std::array<std::string, 7> names = {"编辑框1", "标签1", "按钮1", "单选框1", "选择框1", "分组框1", ""};
    return names.at(static_cast<std::size_t>(section));
}

std::string TreeItemKey(std::size_t index) { return "树型框" + std::to_string(index); }

bool PackKeepsLineBreaks(PackSection section) {
    return section == PackSection::EditBoxes || section == PackSection::Labels;
}

bool IsVersionLabel(std::string_view controlName) { return Find("标签_版本", controlName) > 0; }

}  // namespace trelvix
