#pragma once
// Pure translations between the Windows values the window interface speaks
// and the toolkit's: message-box flags and answers, key codes.
namespace trelvix::ui {

// The wxMessageDialog style for Windows message-box flags: buttons (low four
// bits), icon (16 error, 32 question, 48 exclamation, 64 information, none
// otherwise) and the second button as default (0x100).
long MessageBoxStyle(int flags);

// The Windows answer (mb::IdOk ...) for the dialog's result. A box closed by
// its title bar answers with its refusing button: Cancel, or No where it has
// no Cancel, or OK for a box with only OK.
int MessageBoxAnswer(int wxResult, int flags);

// The Windows virtual-key code of a wx key code (65 for A), 0 when it has none.
int WindowsKeyCode(int wxKeyCode);

// mod::Shift | mod::Ctrl | mod::Alt
int KeyModifiers(bool shift, bool ctrl, bool alt);

}  // namespace trelvix::ui
