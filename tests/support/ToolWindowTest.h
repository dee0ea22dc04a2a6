#pragma once
// A tool window opened as the tool chooser opens it, owned by an empty main
// window, with a fixed clock and seeded random sources and no settings folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::test {

// What a tool window takes of the program, over any desktop: an empty main
// window as its owner, a fixed clock, seeded random sources and no folders.
struct ToolHost {
    explicit ToolHost(ui::Ui& desktop)
        : main(&desktop.createWindow(ui::ParseLayout(R"({"name": "main", "controls": []})"), nullptr, {})),
          tools{desktop, main, clock, random, secureRandom, settings, settingsFile, temp} {}
    ui::Window* main;
    FixedClock clock{42800.5};
    SeededRandom random{1}, secureRandom{2};
    std::filesystem::path settings, settingsFile, temp;
    ToolContext tools;
};

// A tool window on the headless realisation.
class ToolWindowTest : public ::testing::Test {
protected:
    ui::HeadlessUi ui;
    ToolHost host{ui};
    ToolContext& tools = host.tools;
    FixedClock& clock = host.clock;
    std::filesystem::path& temp = host.temp;

    // Shows the tool (made at its first showing) and returns its window.
    ui::HeadlessWindow& openTool(ToolIndex tool) {
        ShowToolWindow(tools, tool);
        ui::HeadlessWindow* w = ui.window(ToolWindowLayout(tool).name);
        EXPECT_NE(w, nullptr);
        return *w;
    }
};

}  // namespace trelvix::test
