#pragma once
// A narrow read-only column beside a multi-line box that lists its line
// numbers and keeps to the box's first visible line. The main window's script
// box and the script editor's code box each carry one.
#include <string>

#include "common/text/Gbk.h"
#include "ui/EditBoxes.h"
#include "ui/Window.h"

namespace trelvix {

// "1" to `lines`, one per CR LF line, no line end after the last.
Gbk LineNumberText(int lines);

// Rebuilds the column from the editor's current line count.
void RefreshLineNumbers(ui::Window& window, const std::string& editor, const std::string& column);

// Fills the column now; from then on it follows the editor's edits and its
// first visible line. Each attached editor keeps its own record, alive as
// long as the window's handlers.
void AttachLineNumberGutter(ui::Window& window, const std::string& editor, const std::string& column);

}  // namespace trelvix
