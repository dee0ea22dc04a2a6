#pragma once
// A tool window opened as the tool chooser opens it, on the headless
// realisation, owned by an empty main window, with a fixed clock and seeded
// random sources and no settings folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::test {

class ToolWindowTest : public ::testing::Test {
protected:
    ui::HeadlessUi ui;
    ui::Window* main = &ui.createWindow(ui::ParseLayout(R"({"name": "main", "controls": []})"), nullptr, {});
    FixedClock clock{42800.5};
    SeededRandom random{1}, secureRandom{2};
    std::filesystem::path settings, settingsFile, temp;
    ToolContext tools{ui, main, clock, random, secureRandom, settings, settingsFile, temp};

    // Shows the tool (made at its first showing) and returns its window.
    ui::HeadlessWindow& openTool(ToolIndex tool) {
        ShowToolWindow(tools, tool);
        ui::HeadlessWindow* w = ui.window(ToolWindowLayout(tool).name);
        EXPECT_NE(w, nullptr);
        return *w;
    }
};

}  // namespace trelvix::test
