#pragma once
// The seven tool windows: which layout each one uses, whether closing it
// hides or destroys it, and how it opens. A tool's own module names its
// created event in the tool table (ToolWindows.cpp), one entry per tool.
// Without one a tool opens as its bare layout.
#include <functional>

#include "tools/ToolContext.h"
#include "tools/ToolIndex.h"
#include "ui/Layout.h"
#include "ui/Window.h"

namespace trelvix {

// The may-close rule of windows that live until the program ends: hide and
// refuse. A close that cannot be refused (the program is ending) goes through,
// so hidden windows never keep the program alive.
bool HideOnClose(ui::Window& window, bool canRefuse);

// The tool's layout.
const ui::WindowSpec& ToolWindowLayout(ToolIndex tool);

// Shows the tool: a loaded window (also a hidden or minimised one) comes to
// the front as it was, above the program's other windows; otherwise it is loaded afresh, owned by the main window, with
// its close rule and its own set-up.
ui::Window& ShowToolWindow(ToolContext& tools, ToolIndex tool);

// Loads a window modeless, owned by the main window, runs `setUp` as its
// created event, then shows it.
ui::Window& LoadOwnedWindow(ToolContext& tools, const ui::WindowSpec& layout,
                            const std::function<void(ui::Window&)>& setUp);

// Closes every loaded tool window without the chance to refuse (shut-down).
void CloseToolWindows(ToolContext& tools);

}  // namespace trelvix
