#pragma once
// The script editor window: a code box for writing RouterOS scripts by hand,
// a panel of buttons that write operators and statement templates into it,
// save, copy, clear and file drops. It writes nothing anywhere else.
#include <cstdint>

#include "common/text/Gbk.h"
#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// The :beep frequency for the note combo's item index: 0 is the default note
// ("1000"), 1 to 36 the notes C4 to B6; any other index (none chosen) gives
// the empty text.
Gbk BeepNoteFrequency(int index);

// Dropped files larger than this are refused: the box is for scripts, and a
// stray disk image would freeze the window.
inline constexpr std::uintmax_t kEditorDropLimit = 4u << 20;

// The created event of `ScriptEditorWindow`: binds its handlers and attaches
// the code box's line-number column.
void OnEditorWindowCreated(ToolContext& tools, ui::Window& window);

}  // namespace trelvix
