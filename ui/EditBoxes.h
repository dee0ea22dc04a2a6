#pragma once
// What every window's edit and code boxes do alike: counting their lines,
// selecting their whole text on Ctrl+A, and what they take of a user's typing.
#include <string>
#include <string_view>

#include "common/text/Gbk.h"
#include "ui/Window.h"

namespace trelvix {

// Logical lines of a box's text: one more than its CR LF count.
int EditorLineCount(const Gbk& text);

// Selects an edit box's whole text, or with `clear` puts the caret at its start.
void SelectAllText(ui::Window& window, const std::string& box, bool clear = false);
// Ctrl+A, with no Shift or Alt, selects the box's whole text; the key goes on.
void SelectAllOnCtrlA(ui::Window& window, const std::string& box, const ui::EventArgs& key);

// What a box takes of text a user typed or pasted into it (never of text the
// program writes): a digits-only box keeps the digits, and a box with a
// greatest length keeps no more than `room` characters (negative: no limit).
Gbk AdmitTyped(std::string_view typed, bool digitsOnly, long long room);

}  // namespace trelvix
