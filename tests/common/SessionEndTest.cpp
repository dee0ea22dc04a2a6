// The session-end watch inside this test process: each of its signals
// reaches the callback on the watch's thread instead of ending the process,
// and once the watch is gone the signals' earlier handling is back.
#include <gtest/gtest.h>

#include <signal.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "common/platform/SessionEnd.h"

namespace trelvix {
namespace {

struct Calls {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
    std::thread::id on;
    void note() {
        std::lock_guard lock(mutex);
        ++count;
        on = std::this_thread::get_id();
        changed.notify_all();
    }
    void waitFor(int n) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return count >= n; });
    }
};

TEST(SessionEndWatch, EachEndSignalReachesTheCallbackOnTheWatchThread) {
    Calls calls;
    {
        const auto watch = SessionEndWatch::Start([&calls] { calls.note(); });
        ASSERT_NE(watch, nullptr);
        EXPECT_EQ(SessionEndWatch::Start([] {}), nullptr);  // one at a time
        int expected = 0;
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            SCOPED_TRACE(strsignal(signal));
            ASSERT_EQ(raise(signal), 0);  // would end the process without the watch
            calls.waitFor(++expected);
            EXPECT_NE(calls.on, std::this_thread::get_id());
        }
    }
    struct sigaction now {};
    ASSERT_EQ(sigaction(SIGTERM, nullptr, &now), 0);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
    const auto again = SessionEndWatch::Start([] {});
    EXPECT_NE(again, nullptr);  // the first watch's end lets a new one start
}

}  // namespace
}  // namespace trelvix
