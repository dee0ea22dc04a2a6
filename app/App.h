#pragma once
// The process-wide state of the program and the services it is built with.
// Tests build an App over the headless realisation with a fixed clock and
// random sources; the desktop program builds it over wxWidgets.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FileDrop.h"
#include "app/Services.h"
#include "app/StartupParts.h"
#include "app/UsageCounter.h"
#include "common/ServiceAddresses.h"
#include "common/platform/InstanceLock.h"
#include "common/platform/Random.h"
#include "common/regex/RegexObject.h"
#include "common/text/DateTime.h"
#include "generators/PageContext.h"
#include "tools/ToolContext.h"
#include "ui/Ui.h"

namespace trelvix {

struct App;
void ExitProgram(App& app);                   // app/Startup.h
std::filesystem::path CatalogueDataFolder();  // app/ToolWindows.h

struct App {
    App(ui::Ui& ui, const Clock& clock, RandomSource& random, RandomSource& secureRandom)
        : ui(ui), clock(clock), random(random), secureRandom(secureRandom) {
        tools.services = [this]() -> ServiceAddresses { return services; };
        tools.catalogueFolder = CatalogueDataFolder;
        tools.exitProgram = [this] { ExitProgram(*this); };
    }
    // A main window that outlives its App must not call back into it.
    ~App() {
        if (main) {
            main->onClose(nullptr);
            main->onDestroy(nullptr);
        }
    }
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Ui& ui;
    const Clock& clock;
    RandomSource& random;
    RandomSource& secureRandom;

    ui::Window* main = nullptr;
    std::optional<PageContext> page;  // the main window's pages, once it exists

    // --- process-wide state. The three paths stay empty when the start-up
    // stops at the update check; every reader takes an empty path as "no settings".
    std::filesystem::path DataDirectory;                         // the settings folder
    std::filesystem::path ConfigIniPath;                         // config.ini in it
    std::filesystem::path TempDirectory;                         // per-user temporary folder, ends with a separator
    std::filesystem::path SkinTempDir;                           // where the skin library would be written
    std::filesystem::path SkinLibraryPath;                       // the skin library to use, if any
    Gbk StatisticsAddress;                                       // the usage counter's service
    Gbk UpdateReplyText;                                         // the update service's last reply
    std::array<Gbk, 60> RegexHelpSyntax, RegexHelpDescriptions;  // the Layer-7 window's help
    std::optional<FileDropReceiver> FileDrop;
    std::shared_ptr<RegexObject> L7ListRegex;  // the Layer-7 window's parsed catalogue

    // What the tool windows may use of all this.
    ToolContext tools{ui,
                      main,
                      clock,
                      random,
                      secureRandom,
                      DataDirectory,
                      ConfigIniPath,
                      TempDirectory,
                      IpLookupService{},
                      [this](ui::Window& window, std::string_view pack) { ApplyToolLanguage(window, pack); }};

    // A tool window's language step, through `tools` (app/LanguagePacks.h).
    void ApplyToolLanguage(ui::Window& window, std::string_view pack);

    StartupParts parts;         // the start-up steps other modules own
    bool ending = false;        // the program is ending: no event loop (any more)
    bool shutDownDone = false;  // the main window's shut-down steps ran (or must not)
    int exitCode = 0;

    // Held while this is the first copy, until the shut-down steps.
    std::unique_ptr<InstanceLock> instanceLock;

    // Where the web services are and how long a start-up request may take: the
    // build's addresses, unless a test points them elsewhere before the main
    // window is created.
    ServiceSettings services;
    // Last, so that it is gone before anything its worker's results reach.
    std::unique_ptr<ui::BackgroundWork> usageCounter;
};

// Loads the main window from its layout, binds every handler of it and runs
// its created event.
ui::Window& CreateMainWindow(App& app);

}  // namespace trelvix
