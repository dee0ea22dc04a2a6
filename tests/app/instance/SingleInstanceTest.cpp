#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/App.h"
#include "app/SingleInstance.h"
#include "app/WindowFront.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

struct Copy {
    ui::HeadlessUi ui;
    FixedClock clock{0};
    FixedRandom random{{1}};
    App app{ui, clock, random, random};

    ui::HeadlessWindow& openMain() {
        auto& w = static_cast<ui::HeadlessWindow&>(ui.createWindow(ui::ParseLayout(R"({"name":"main"})"), nullptr, {}));
        app.main = &w;
        return w;
    }
    ~Copy() { app.main = nullptr; }
};

TEST(SingleInstance, SecondCopyTellsTheUserAsksTheFirstAndEnds) {
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app));
    ui::HeadlessWindow& window = first.openMain();
    window.show();
    window.setMinimized(true);

    EXPECT_FALSE(EnsureSingleInstance(second.app));
    ASSERT_EQ(second.ui.messages.size(), 1u);
    EXPECT_EQ(second.ui.messages[0].text, G("已有一个Trelvix启动着!"));
    EXPECT_EQ(second.ui.messages[0].title, G("友情提醒:"));
    EXPECT_EQ(second.ui.messages[0].flags, 64);

    // The request reached the first copy as work for its UI thread.
    EXPECT_EQ(first.ui.runPosted(), 1);
    EXPECT_EQ(window.raisedCount(), 1);
    EXPECT_FALSE(window.minimized());
    EXPECT_FALSE(window.topmost());
}

TEST(SingleInstance, AHiddenFirstCopyIsNotBroughtForward) {
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app));
    ui::HeadlessWindow& window = first.openMain();  // never shown: it sits in the tray

    EXPECT_FALSE(EnsureSingleInstance(second.app));
    first.ui.runPosted();
    EXPECT_FALSE(window.shown());
    EXPECT_EQ(window.raisedCount(), 0);
}

TEST(SingleInstance, TheDefaultNameIsTheProgramPath) {
    const Gbk name = DefaultInstanceName();
    EXPECT_EQ(name.find('\\'), Gbk::npos);
    EXPECT_NE(name.find("instance_test"), Gbk::npos) << name;
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app, "", false, "", 0, false));
    EXPECT_FALSE(EnsureSingleInstance(second.app, "", false, "", 0, false));
    EXPECT_TRUE(second.ui.messages.empty());
    EXPECT_TRUE(EnsureSingleInstance(second.app, "other", true, "", 64, false));
}

}  // namespace
}  // namespace trelvix
