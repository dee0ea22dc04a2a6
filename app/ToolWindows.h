#pragma once
// The tool chooser's way into the tool windows (tools/ToolWindows.h): an
// index of the chooser opens its tool, and the catalogue opens only while its
// databases are there.
#include <filesystem>

#include "app/App.h"
#include "tools/ToolWindows.h"
#include "ui/Window.h"

namespace trelvix {

// Shows the tool with that chooser index as ShowToolWindow(ToolContext&, ...)
// does. Returns null when nothing opened (no such tool, or the catalogue's
// databases are missing, which the user is told).
ui::Window* ShowToolWindow(App& app, int index);

// The catalogue databases are looked for in data/ under this folder: the
// program's own folder unless set (tests point it at a temporary folder;
// an empty path goes back to the program's folder).
void SetCatalogueRoot(std::filesystem::path directory);
// data/ under that folder, where the catalogue window reads the databases.
std::filesystem::path CatalogueDataFolder();

}  // namespace trelvix
