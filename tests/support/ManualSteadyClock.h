#pragma once
// A steady clock that stands still until the test moves it, for code that
// measures a bound on a clock it is given. The code runs on a thread of its
// own; the test waits until it has looked at the clock again, so no step of
// the test depends on how fast the machine is.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <utility>

namespace trelvix::test {

class ManualSteadyClock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    // The clock to hand to the code under test.
    std::function<time_point()> reader() {
        return [this] {
            std::lock_guard lock(mutex_);
            ++reads_;
            changed_.notify_all();
            return start_ + offset_;
        };
    }

    // A call running on a thread of its own. Left unfinished (a failed
    // test), the clock is moved past any bound so that it ends.
    template <class Result>
    class Call {
    public:
        Call(ManualSteadyClock& clock, std::future<Result> result) : clock_(clock), result_(std::move(result)) {}
        Call(Call&&) = default;
        ~Call() {
            if (!result_.valid()) return;
            clock_.moveTo(std::chrono::hours(24 * 365));
            result_.wait();
        }
        Result get() { return result_.get(); }

    private:
        ManualSteadyClock& clock_;
        std::future<Result> result_;
    };

    // Runs `call` on a thread of its own; the clock learns when it returns.
    template <class F>
    auto run(F call) {
        using Result = decltype(call());
        {
            std::lock_guard lock(mutex_);
            finished_ = false;
            reads_ = 0;
        }
        return Call<Result>(*this, std::async(std::launch::async, [this, call = std::move(call)]() mutable {
            struct Finished {
                ManualSteadyClock& clock;
                ~Finished() {
                    std::lock_guard lock(clock.mutex_);
                    clock.finished_ = true;
                    clock.changed_.notify_all();
                }
            } finished{*this};
            return call();
        }));
    }

    // Moves the clock to `since` past its start.
    void moveTo(std::chrono::milliseconds since) {
        std::lock_guard lock(mutex_);
        offset_ = since;
        reads_ = 0;
    }

    // Waits until the call has read the clock `count` times since the clock
    // last moved, or has returned; false when it returned before that.
    bool readsAgain(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return finished_ || reads_ >= count; });
        return reads_ >= count;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const time_point start_ = std::chrono::steady_clock::now();
    std::chrono::milliseconds offset_{0};
    int reads_ = 0;
    bool finished_ = true;
};

}  // namespace trelvix::test
