#include "ui/EditBoxes.h"

namespace trelvix {

int EditorLineCount(const Gbk& text) {
    int lines = 1;
    for (std::size_t at = text.find("\r\n"); at != Gbk::npos; at = text.find("\r\n", at + 2)) ++lines;
    return lines;
}

void SelectAllText(ui::Window& window, const std::string& box, bool clear) {
    if (clear) window.setSelection(box, 0, 0);
    else window.setSelection(box, 0, -1);
}

void SelectAllOnCtrlA(ui::Window& window, const std::string& box, const ui::EventArgs& key) {
    constexpr int kKeyA = 65;
    if (key.key == kKeyA && key.modifiers == ui::mod::Ctrl) SelectAllText(window, box, false);
}

}  // namespace trelvix
