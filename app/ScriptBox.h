#pragma once
// The strip below the section pages: the script box that every generator of
// the main window writes to, and the tools that take its text away (copy,
// save, clear), change it (replace all) or convert escapes in a box of its own.
#include <string>

#include "app/App.h"
#include "common/text/DateTime.h"
#include "ui/EditBoxes.h"
#include "ui/Window.h"

namespace trelvix {

// The generators' single output: the time stamp, then the script box's content.
void ShowScript(ui::Window& main, const Clock& clock, const Gbk& script);

// Binds the strip's buttons and the Ctrl+A keys of its four edit boxes on app.main.
void BindScriptBox(App& app);

void ClearCodeBox(App& app);
void CopyCodeBox(App& app);
void SaveCodeBoxAs(App& app);
void ReplaceInCodeBox(App& app);
void OnDecodeEscapesClicked(App& app);
void OnEncodeEscapesClicked(App& app);

}  // namespace trelvix
