#pragma once
// A program over the headless realisation, with its home in a temporary
// folder and every start-up part that another module owns recorded (and,
// where a test asks, answered) here.
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/App.h"
#include "app/Startup.h"
#include "common/text/DateTime.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::test {

struct Program {
    Program();
    ~Program();

    // InitGlobals and the main window, as the process start does.
    ui::HeadlessWindow& start();
    ui::HeadlessWindow& main() { return *static_cast<ui::HeadlessWindow*>(app.main); }

    std::filesystem::path settingsDir() const { return home.root() / "config" / "vemtu"; }
    std::filesystem::path configIni() const { return settingsDir() / "config.ini"; }
    void writeConfig(const std::string& bytes) const;

    TempHome home;
    ui::HeadlessUi ui;
    FixedClock clock{0};
    FixedRandom random{{1}};
    FixedRandom secureRandom{{2}};
    App app{ui, clock, random, secureRandom};

    // What the recorded parts do.
    bool anotherCopyRuns = false;
    int updateResult = -1;  // -1 runs the built-in check
    std::vector<std::string> steps;
};

}  // namespace trelvix::test
