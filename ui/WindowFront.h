#pragma once
#include "ui/Window.h"

namespace trelvix {

// Brings a window back to the user: shown, restored from its minimised state,
// in the foreground, and topmost or not as asked (asking for "not" also clears
// a topmost state left over from before).
void BringWindowToFront(ui::Window& window, bool topmost = false);

}  // namespace trelvix
