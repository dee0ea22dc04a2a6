// The tool windows' registry over the headless realisation, with a tool
// context of its own: a window opens owned by the main window, once, with its
// close rule and its registered set-up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
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

TEST_F(ToolWindows, RegisteredSetUpRunsOncePerLoadWithTheContext) {
    std::vector<std::string> loads;
    RegisterToolWindowCreated(ToolIndex::SubnetCalculator, [this, &loads](ToolContext& context, ui::Window& w) {
        EXPECT_EQ(&context, &tools);
        EXPECT_EQ(context.settingsFile, settingsFile);
        EXPECT_FALSE(w.shown());  // set up before it shows
        loads.push_back(w.name());
    });
    RegisterToolWindowCreated(ToolIndex::IpLookup, [&loads](ToolContext&, ui::Window& w) { loads.push_back(w.name()); });

    // The subnet calculator hides when closed and comes back as it was; the
    // IP lookup is destroyed and loads afresh.
    ui::Window& calculator = ShowToolWindow(tools, ToolIndex::SubnetCalculator);
    EXPECT_FALSE(calculator.close());
    EXPECT_EQ(&ShowToolWindow(tools, ToolIndex::SubnetCalculator), &calculator);
    EXPECT_TRUE(calculator.shown());
    EXPECT_TRUE(ShowToolWindow(tools, ToolIndex::IpLookup).close());
    ShowToolWindow(tools, ToolIndex::IpLookup);

    RegisterToolWindowCreated(ToolIndex::SubnetCalculator, nullptr);
    RegisterToolWindowCreated(ToolIndex::IpLookup, nullptr);
    EXPECT_EQ(loads, (std::vector<std::string>{"SubnetCalculatorWindow", "IpLookupWindow", "IpLookupWindow"}));

    // At shut-down the hidden ones go too.
    calculator.close();
    CloseToolWindows(tools);
    EXPECT_EQ(ui.findWindow("SubnetCalculatorWindow"), nullptr);
    EXPECT_EQ(ui.findWindow("IpLookupWindow"), nullptr);
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
