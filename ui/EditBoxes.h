#pragma once
// What every window's edit and code boxes do alike: counting their lines and
// selecting their whole text on Ctrl+A.
#include <string>

#include "common/text/Gbk.h"
#include "ui/Window.h"

namespace trelvix {

// Logical lines of a box's text: one more than its CR LF count.
int EditorLineCount(const Gbk& text);

// Selects an edit box's whole text, or with `clear` puts the caret at its start.
void SelectAllText(ui::Window& window, const std::string& box, bool clear = false);
// Ctrl+A, with no Shift or Alt, selects the box's whole text; the key goes on.
void SelectAllOnCtrlA(ui::Window& window, const std::string& box, const ui::EventArgs& key);

}  // namespace trelvix
