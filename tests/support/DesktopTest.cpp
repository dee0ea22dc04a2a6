#include "DesktopTest.h"

#include <cstdlib>
#include <memory>

namespace trelvix::test {
namespace {

std::unique_ptr<ui::WxUi>& Started() {
    static std::unique_ptr<ui::WxUi> wx;
    return wx;
}

// Closed before the test program returns from its tests, while the toolkit's
// own statics still stand; its windows' destroy handlers run as at a
// program's end.
class CloseTheDesktop final : public ::testing::Environment {
public:
    void TearDown() override { Started().reset(); }
};

const auto* const kCloseTheDesktop = ::testing::AddGlobalTestEnvironment(new CloseTheDesktop);

// One try per process: a toolkit that could not start on this display
// cannot start later in the same process either.
ui::WxUi* StartOnce() {
    static bool tried = false;
    if (!tried) {
        tried = true;
        static int argc = 1;
        static char name[] = "trelvix_gui_test";
        static char* argv[] = {name, nullptr};
        if (std::getenv("DISPLAY")) Started() = ui::WxUi::Create(argc, argv);
    }
    return Started().get();
}

}  // namespace

void DesktopTest::SetUp() {
    wx_ = StartOnce();
    TRELVIX_NEED_DISPLAY(wx_ != nullptr);
    SetUpOnDesktop();
}

// After the fixture's own TearDown: a window the test left behind (a tool
// window that only hides, its owner) must not meet the next test's windows
// of the same name, and a hook may point into the finished test.
DesktopTest::~DesktopTest() {
    if (!wx_) return;
    wx_->destroyAllWindows();
    wx_->runPending();
    wx_->onFault = nullptr;
    wx_->onRaised = nullptr;
}

}  // namespace trelvix::test
