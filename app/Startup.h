#pragma once
// The program's life: the start of the process, the set-up of the main window
// in its created event, the close-to-tray choice, and the shut-down that keeps
// that choice in the settings file.
#include <filesystem>

#include "app/App.h"

namespace trelvix {

// The version the update service is asked about and the version label shows.
inline constexpr char kCurrentVersion[] = "2.8";

// Runs the whole program over the services in `app`: the globals, the main
// window, the event loop until the window is gone. Returns the exit code.
int ProgramEntry(App& app);

// Creates the process-wide objects; false when the program must end at once
// (exit code 0, no message).
bool InitGlobals(App& app);
// Releases them; runs however the program ends.
void FreeGlobals(App& app);

// Binds the main window's life-cycle handlers: may-close, destroy, the tray
// menu's close option pair and exit item, and the hidden 按钮2.
void BindLifeCycle(App& app);

// The main window's created event, after its pages are bound.
void OnMainWindowCreated(App& app);
void InitMainWindowTips(ui::Window& main);
std::filesystem::path GetTempDirectory();

// May the main window close? Hides it into the tray instead when the user
// chose so and the tray shows our icon; otherwise asks.
bool OnMainWindowQueryClose(App& app, bool canRefuse);
void OnMainWindowDestroy(App& app);
// The shut-down steps (once), then the end of the program with exit code 0.
void ExitProgram(App& app);
// The session asks the program to end: as ExitProgram, at once whatever
// the close choice says.
void OnSessionEnd(App& app);

void OnMenuCloseHides(App& app);
void OnMenuCloseExits(App& app);
void OnMenuExit(App& app);
void UnloadProxyLibrary();

}  // namespace trelvix
