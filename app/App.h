#pragma once
// The process-wide state of the program and the services it is built with.
// Tests build an App over the headless realisation with a fixed clock and
// random sources; the desktop program builds it over wxWidgets.
#include <memory>
#include <optional>
#include <string>

#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/PageContext.h"
#include "ui/Ui.h"

namespace trelvix {

struct App {
    App(ui::Ui& ui, const Clock& clock, RandomSource& random, RandomSource& secureRandom)
        : ui(ui), clock(clock), random(random), secureRandom(secureRandom) {}

    ui::Ui& ui;
    const Clock& clock;
    RandomSource& random;
    RandomSource& secureRandom;

    ui::Window* main = nullptr;
    std::optional<PageContext> page;  // the main window's pages, once it exists
};

// Loads the main window from its layout, binds every handler of it and runs
// its created event.
ui::Window& CreateMainWindow(App& app);

}  // namespace trelvix
