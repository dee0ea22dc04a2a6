#pragma once
// The start-up steps whose work belongs to other modules: single instance,
// skin, update check, line numbers, file drops, language packs and the usage
// counter. Each is a plain function in its own file; the start-up calls it
// through `StartupParts`, so a test can watch the sequence or answer for a part.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"
#include "ui/LineNumbers.h"  // AttachLineNumberGutter
#include "ui/Window.h"

namespace trelvix {

struct App;

// False when another copy of the program runs (it has been asked to come to
// the front): this copy then ends without setting anything up.
bool EnsureSingleInstance(App& app);

// Skin (app/Skin.h has the rest): this platform has no skin library, so
// nothing is written and attaching fails silently.
void InitSkinPath(App& app);
void ExtractSkinLibrary(App& app);
bool ApplyEmbeddedSkin(App& app, int hue, int saturation, int brightness);

// -1 up to date (the version label then reads `currentVersion`), 0 the user
// declined an update, 1 accepted. May end the program through `ExitProgram`.
int CheckForUpdate(App& app, const Gbk& currentVersion);

// The main window's five drop targets, and taking them back at shut-down.
void RegisterDropTargets(App& app);
void UnregisterDropTargets(App& app);

// The built-in language pack `pack` ("language1.ini" the main window's)
// applied to `window` from memory (app/LanguagePacks.h).
void ApplyBuiltInPack(ui::Window& window, std::string_view pack);

// The usage counter's service address (empty when none is configured) and
// its worker, started once at the end of the start-up; with no address the
// two count labels are emptied and nothing is sent.
Gbk DecipherStatisticsAddress(const App& app);
void StartUsageCounter(App& app);

struct StartupParts {
    std::function<bool(App&)> ensureSingleInstance = [](App& app) { return EnsureSingleInstance(app); };
    std::function<bool(App&, int, int, int)> applyEmbeddedSkin = ApplyEmbeddedSkin;
    std::function<int(App&, const Gbk&)> checkForUpdate = CheckForUpdate;
    std::function<void(ui::Window&, const std::string&, const std::string&)> attachLineNumberGutter =
        AttachLineNumberGutter;
    std::function<void(App&)> registerDropTargets = RegisterDropTargets;
    std::function<void(App&)> unregisterDropTargets = UnregisterDropTargets;
    std::function<void(ui::Window&, std::string_view)> applyLanguagePack = ApplyBuiltInPack;
    std::function<Gbk(App&)> decipherStatisticsAddress = DecipherStatisticsAddress;
    std::function<void(App&)> startUsageCounter = StartUsageCounter;
};

}  // namespace trelvix
