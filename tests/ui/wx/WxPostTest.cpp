// Work posted to the UI thread, under a display: it runs on the UI thread,
// and nothing posted after posting stops ever runs. (Stopping is for good, so
// this has a process of its own.)
#include <gtest/gtest.h>

#include <thread>

#include "DesktopTest.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {
namespace {

class WxPost : public test::DesktopTest {};

TEST_F(WxPost, WorkFromOtherThreadsRunsOnTheUiThreadUntilPostingStops) {
    WxUi* ui = wx_;

    const std::thread::id uiThread = std::this_thread::get_id();
    std::vector<std::thread::id> ranOn;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) ui->post([&ranOn] { ranOn.push_back(std::this_thread::get_id()); });
    });
    worker.join();
    ui->runPending(50);
    EXPECT_EQ(ranOn, (std::vector<std::thread::id>(3, uiThread)));

    // Posted before the stop but not yet run: dropped as well.
    ui->post([&ranOn] { ranOn.push_back({}); });
    ui->stopPosting();
    std::thread late([&] { ui->post([&ranOn] { ranOn.push_back({}); }); });
    late.join();
    ui->runPending(50);
    EXPECT_EQ(ranOn.size(), 3u);
}

}  // namespace
}  // namespace trelvix::ui
