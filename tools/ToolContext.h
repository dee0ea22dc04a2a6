#pragma once
// What a tool window may use of the program: the desktop, the main window
// that owns it, the clock and random sources (fixed in tests), the program's
// folders and its settings file. Tools take this and never include app/.
#include <filesystem>
#include <functional>
#include <string_view>

#include "common/ServiceAddresses.h"
#include "common/http/HttpRequest.h"
#include "common/platform/Paths.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/iplookup/IpLookupService.h"
#include "ui/Ui.h"

namespace trelvix {

struct ToolContext {
    ui::Ui& ui;
    ui::Window* const& owner;  // the main window; null before it exists and once it is gone
    const Clock& clock;
    RandomSource& random;        // pseudo-random values
    RandomSource& secureRandom;  // passwords and account names
    // The settings folder, its config.ini and the per-user temporary folder
    // (ends with a separator). All three stay empty when the start-up stops at
    // the update check; a tool takes an empty path as "no settings".
    const std::filesystem::path& settingsDirectory;
    const std::filesystem::path& settingsFile;
    const std::filesystem::path& tempDirectory;
    // The web service of the IP lookup (a test points it at its own server).
    IpLookupService ipLookup{};
    // The language step of a tool's created event: applies the built-in pack
    // of that name ("language2.ini"...) when the settings ask for the
    // traditional interface. Does nothing in a context without packs.
    std::function<void(ui::Window& window, std::string_view pack)> applyLanguagePack = [](ui::Window&,
                                                                                          std::string_view) {};
    // The web services' addresses as they stand when a tool asks (a test
    // points them at its own server), and how long a tool's request may take.
    std::function<ServiceAddresses()> services = [] { return BuiltInServices(); };
    HttpLimits webLimits{std::chrono::seconds(3), std::chrono::seconds(8), 1024 * 1024};
    // The folder of the catalogue databases: "data" beside the program.
    std::function<std::filesystem::path()> catalogueFolder = [] { return ProgramDirectory() / "data"; };
    // Ends the program as its exit item does (settings written). UI thread only.
    std::function<void()> exitProgram = [] {};
};

}  // namespace trelvix
