// The runner's fixtures through the desktop driver: the same files as on the
// headless windows, acted out on the toolkit's native controls, and what only
// the desktop tells apart (a control out of sight, a fault the toolkit reports).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesktopTest.h"
#include "Runner.h"
#include "RunnerFixtures.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::cases {
namespace {

class DesktopRunner : public test::DesktopTest {
protected:
    static RunOptions OnDesktop(std::function<void(App&)> createWindows = {}) {
        RunOptions options;
        options.createWindows = std::move(createWindows);
        options.driver = [] { return MakeDesktopDriver(*wx_); };
        return options;
    }
};

TEST_F(DesktopRunner, PassingCasesOnTheMainWindowPass) {
    const FixtureRun r = RunFixture("passing.case-fixture", OnDesktop());
    EXPECT_EQ(r.totals.passed, 4) << r.report;
    EXPECT_EQ(r.totals.failed, 0) << r.report;
}

TEST_F(DesktopRunner, BoxesAreAnsweredFromTheQueueAndRecordedWithTheNativeFocus) {
    const FixtureRun r = RunFixture("messages.case-fixture", OnDesktop(CreateWindowsWithTestWindow));
    EXPECT_EQ(r.totals.passed, 3) << r.report;
    EXPECT_EQ(r.totals.failed, 6) << r.report;
    EXPECT_NE(FailureOf(r.report, "a box nobody expected")
                  .find("    1. \"请输入值！\" flags 48 title \"错误\" focus 编辑框_值"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "an answer never used").find("1 queued message-box answer(s) not used"),
              std::string::npos);
    // The toolkit reports a handler's fault; the step that set it off fails by it.
    const std::string fault = FailureOf(r.report, "a handler reads a control the window lacks");
    EXPECT_NE(fault.find(":43: stopped by an exception: window 测试窗口 has no control 编辑框_没有"), std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "a hidden button cannot be clicked").find(":47: 按钮_隐藏 is hidden"),
              std::string::npos)
        << r.report;
}

TEST_F(DesktopRunner, ScrollBarsListsCodeBoxesClosingAndTheExitThroughTheNatives) {
    const FixtureRun r = RunFixture("window-steps.case-fixture", OnDesktop(CreateWindowsWithServiceWindow));
    EXPECT_EQ(r.totals.passed, 8) << r.report;
    EXPECT_EQ(r.totals.failed, 3) << r.report;
    EXPECT_NE(FailureOf(r.report, "a scroll bar cannot pass its end")
                  .find(":79: 横向滚动条_位置 cannot go to 51: it stops at 50"),
              std::string::npos)
        << r.report;
}

// The worker's answer is posted through the toolkit's own loop. A native
// edit box ends at a zero byte, as the Windows edit control does, so the one
// case that reads a reply's zero byte back through a box sees the text end there.
TEST_F(DesktopRunner, AFakeWebServiceAnswersWorkersThroughTheToolkitLoop) {
    const FixtureRun r = RunFixture("web.case-fixture", OnDesktop(CreateWindowsWithServiceWindow));
    EXPECT_EQ(r.totals.passed, 7) << r.report;
    EXPECT_EQ(r.totals.failed, 4) << r.report;
    EXPECT_NE(FailureOf(r.report, "the reply's body bytes, zero bytes too, and the address asked for")
                  .find("编辑框_值 differs at byte 9 (line 1, column 10): expected \\x00 (\\x00), actual the end"),
              std::string::npos)
        << r.report;
}

// The headless windows keep no pages in front; the desktop's do.
TEST_F(DesktopRunner, AButtonOnAPageBehindAnotherIsOutOfReach) {
    const FixtureRun desk = RunFixture("desktop-reach.case-fixture", OnDesktop());
    EXPECT_EQ(desk.totals.passed, 1) << desk.report;
    EXPECT_NE(FailureOf(desk.report, "a button on a page behind another")
                  .find("按钮_73生成6x is hidden: a user cannot use it"),
              std::string::npos)
        << desk.report;
    const FixtureRun headless = RunFixture("desktop-reach.case-fixture");
    EXPECT_EQ(headless.totals.passed, 2) << headless.report;
}

}  // namespace
}  // namespace trelvix::cases
