// Background work over the headless realisation: results arrive on the UI
// thread, only while the window that asked is there, and stopping (or the
// window's end) ends the jobs, each a bounded time at most.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/BackgroundWork.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix::ui {
namespace {

using namespace std::chrono_literals;

// A gate a job waits at until the test opens it.
class Gate {
public:
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    void pass() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

class BackgroundWorkTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    Window& w = ui.createWindow(ParseLayout(R"({"name": "w", "controls": []})"), nullptr, {});

    // Plays the UI thread until `done`.
    template <class Done>
    void runUntil(Done done) {
        while (!done()) {
            ui.runPosted();
            std::this_thread::sleep_for(1ms);
        }
    }
};

TEST_F(BackgroundWorkTest, AResultIsUsedOnTheUiThreadOnly) {
    BackgroundWork work(ui, w);
    const std::thread::id uiThread = std::this_thread::get_id();
    std::thread::id computedOn, usedOn;
    int used = 0;
    Gate computed;
    work.start(
        [&](Job&) {
            computedOn = std::this_thread::get_id();
            computed.open();
            return 42;
        },
        [&](int result) {
            usedOn = std::this_thread::get_id();
            used = result;
        });
    computed.pass();
    EXPECT_EQ(used, 0);  // not before the UI thread runs it
    runUntil([&] { return used != 0; });
    EXPECT_EQ(used, 42);
    EXPECT_NE(computedOn, uiThread);
    EXPECT_EQ(usedOn, uiThread);
}

TEST_F(BackgroundWorkTest, AResultForADestroyedWindowReachesNothing) {
    BackgroundWork work(ui, w);
    Gate finish;
    std::atomic<bool> delivered{false};
    bool used = false;
    work.start([&](Job& job) {
        finish.pass();
        job.deliver([&used] { used = true; });
        delivered = true;
    });
    // Finished and posted before the window goes, used after it has gone.
    finish.open();
    while (!delivered) std::this_thread::sleep_for(1ms);
    w.close(false);
    ui.runPosted();
    EXPECT_FALSE(used);
}

TEST_F(BackgroundWorkTest, TheWindowsEndWakesAndJoinsItsJobs) {
    BackgroundWork work(ui, w);
    std::vector<std::string> ends;
    std::mutex endsMutex;
    Gate started;
    work.start([&](Job& job) {
        started.open();
        const bool waitedFully = job.waitFor(std::chrono::hours(1));
        std::lock_guard lock(endsMutex);
        ends.push_back(waitedFully ? "waited" : "woken");
    });
    started.pass();
    ASSERT_EQ(BackgroundWork::LiveWorkers(), 1);
    w.close(false);
    EXPECT_EQ(BackgroundWork::LiveWorkers(), 0);
    EXPECT_EQ(ends, std::vector<std::string>{"woken"});
    EXPECT_TRUE(work.stopped());
    work.start([](Job&) { return 0; }, [](int) {});
    EXPECT_EQ(BackgroundWork::LiveWorkers(), 0);  // a stopped work starts nothing
}

// A job that does not look at its stop holds the end only for the bound.
TEST_F(BackgroundWorkTest, StoppingWaitsForAJobThatIgnoresItOnlyABoundedTime) {
    Gate release;
    bool used = false;
    {
        BackgroundWork work(ui, w);
        work.start(
            [&](Job&) {
                release.pass();
                return 1;
            },
            [&used](int) { used = true; });
        const auto before = std::chrono::steady_clock::now();
        work.stop();
        EXPECT_GE(std::chrono::steady_clock::now() - before, BackgroundWork::kJoinBound);
        EXPECT_EQ(BackgroundWork::LiveWorkers(), 1);
    }
    release.open();
    while (BackgroundWork::LiveWorkers() > 0) std::this_thread::sleep_for(1ms);
    ui.runPosted();
    EXPECT_FALSE(used);
}

}  // namespace
}  // namespace trelvix::ui
