#pragma once
// GUI tests on the real toolkit. The toolkit starts once per process, so all
// tests of a test program share one start: the first test that needs it
// starts it, and it closes once every test has run. After each test the
// windows it left are destroyed and the desktop's test hooks cleared, so the
// next test finds the desktop as the first one did.
#include <gtest/gtest.h>

#include "NeedDisplay.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::test {

class DesktopTest : public ::testing::Test {
protected:
    ~DesktopTest() override;

    // Starts the toolkit on $DISPLAY when no earlier test did, then skips the
    // test (fails it on CI) when there is none; otherwise SetUpOnDesktop.
    void SetUp() final;
    virtual void SetUpOnDesktop() {}

    // The started toolkit; null only before a test's SetUp, or without a
    // display. A suite that must set the process's environment for the
    // toolkit (its locale, say) does so in its own SetUpTestSuite.
    static inline ui::WxUi* wx_ = nullptr;
};

}  // namespace trelvix::test
