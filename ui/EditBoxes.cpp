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

Gbk AdmitTyped(std::string_view typed, bool digitsOnly, long long room) {
    Gbk kept;
    for (std::size_t at = 0; at < typed.size() && room != 0;) {
        const std::size_t length = CharLength(typed, at);
        const bool digit = length == 1 && typed[at] >= '0' && typed[at] <= '9';
        if (digit || !digitsOnly) {
            kept.append(typed.substr(at, length));
            if (room > 0) --room;
        }
        at += length;
    }
    return kept;
}

}  // namespace trelvix
