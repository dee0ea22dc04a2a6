// The tool windows' registry over the headless realisation, with a tool
// context of its own: a window opens owned by the main window, once, with its
// close rule and its own set-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

class ToolWindows : public ::testing::Test {
protected:
    ui::HeadlessUi ui;
    ui::Window* main = &ui.createWindow(ui::ParseLayout(R"({"name": "main", "controls": []})"), nullptr, {});
    FixedClock clock{42800.5};
    SeededRandom random{1}, secureRandom{2};
    std::filesystem::path settings = "/settings", settingsFile = "/settings/config.ini", temp = "/temp/";
    ToolContext tools{ui, main, clock, random, secureRandom, settings, settingsFile, temp};
};

// The tools' own set-ups take their language step from the context they are
// opened with, so that step shows each load and which context it used.
TEST_F(ToolWindows, AToolsOwnSetUpRunsOncePerLoadWithTheContext) {
    std::vector<std::string> packsApplied;
    tools.applyLanguagePack = [&packsApplied](ui::Window& w, std::string_view pack) {
        EXPECT_FALSE(w.shown()) << w.name();  // set up before it shows
        packsApplied.push_back(w.name() + " " + std::string(pack));
    };

    // The subnet calculator hides when closed and comes back as it was; the
    // IPv6 tunnel window is destroyed and loads afresh.
    ui::Window& calculator = ShowToolWindow(tools, ToolIndex::SubnetCalculator);
    EXPECT_FALSE(calculator.close());
    EXPECT_EQ(&ShowToolWindow(tools, ToolIndex::SubnetCalculator), &calculator);
    EXPECT_TRUE(calculator.shown());
    EXPECT_TRUE(ShowToolWindow(tools, ToolIndex::Ipv6Tunnel).close());
    ShowToolWindow(tools, ToolIndex::Ipv6Tunnel);
    EXPECT_EQ(packsApplied,
              (std::vector<std::string>{"SubnetCalculatorWindow language3.ini", "Ipv6TunnelWindow language5.ini",
                                        "Ipv6TunnelWindow language5.ini"}));

    // At shut-down the hidden ones go too.
    calculator.close();
    CloseToolWindows(tools);
    EXPECT_EQ(ui.findWindow("SubnetCalculatorWindow"), nullptr);
    EXPECT_EQ(ui.findWindow("Ipv6TunnelWindow"), nullptr);
    EXPECT_NE(ui.findWindow("main"), nullptr);
}

// However the user left an open tool, choosing it again puts it in front of
// the window chosen after it, restored to its normal state.
TEST_F(ToolWindows, AnOpenToolChosenAgainComesToTheFront) {
    struct Left {
        const char* how;
        void (*leave)(ui::HeadlessWindow&);
    };
    const Left kLeft[] = {
        {"behind another", [](ui::HeadlessWindow&) {}},
        {"minimised", [](ui::HeadlessWindow& w) { w.setMinimized(true); }},
        {"closed (hidden)", [](ui::HeadlessWindow& w) { w.close(); }},
    };
    for (const Left& left : kLeft) {
        SCOPED_TRACE(left.how);
        ui::HeadlessWindow& editor = static_cast<ui::HeadlessWindow&>(ShowToolWindow(tools, ToolIndex::ScriptEditor));
        ShowToolWindow(tools, ToolIndex::SubnetCalculator);
        ASSERT_EQ(ui.activeWindow, "SubnetCalculatorWindow");
        left.leave(editor);
        const int raised = editor.raisedCount();

        EXPECT_EQ(&ShowToolWindow(tools, ToolIndex::ScriptEditor), &editor);
        EXPECT_EQ(ui.activeWindow, "ScriptEditorWindow");
        EXPECT_EQ(editor.raisedCount(), raised + 1);
        EXPECT_TRUE(editor.shown());
        EXPECT_FALSE(editor.minimized());
        EXPECT_FALSE(editor.topmost());
        CloseToolWindows(tools);
    }
}

}  // namespace
}  // namespace trelvix
