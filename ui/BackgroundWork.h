#pragma once
// Work beside the windows. A job runs on a worker thread of its own and never
// touches a control; what it hands back runs later on the UI thread, and only
// while the window that asked is there and the work has not been stopped.
// Stopping the work (its owner's end, the window's end, the program's end)
// abandons the job's web requests, wakes its waits, drops what it still hands
// back and joins its worker, waiting a bounded time.
//
// The owner keeps its BackgroundWork as a member and destroys it on the UI
// thread; results may then use the owner freely, since none runs once the
// owner's destructor has begun.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui/Ui.h"

namespace trelvix::ui {

class BackgroundWork;

// What a running job may use of its work.
class Job {
public:
    // True once the work is stopped: a request given it as `HttpLimits::abandon`
    // ends soon after.
    const std::atomic<bool>& abandoned() const;
    bool stopped() const { return abandoned().load(); }
    // Waits up to `time`; false when the work was stopped (at once if it already is).
    bool waitFor(std::chrono::milliseconds time);
    // Runs `onUiThread` on the UI thread later, unless the window has gone or
    // the work has been stopped by then. The function may be destroyed on the
    // worker, so it holds data and the owner's address, never the owner itself.
    void deliver(std::function<void()> onUiThread);

private:
    friend class BackgroundWork;
    struct State;
    explicit Job(std::shared_ptr<State> state) : state_(std::move(state)) {}
    std::shared_ptr<State> state_;
};

class BackgroundWork {
public:
    // How long stopping waits for the workers; one still running then is left
    // to end on its own (it reaches nothing any more).
    static constexpr std::chrono::seconds kJoinBound{3};

    // Results go to the UI thread of `ui` while `window` is not destroyed;
    // its destruction stops the work.
    BackgroundWork(Ui& ui, Window& window);
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs `job` on a worker of its own; it hands results back with `Job::deliver`.
    // UI thread only, as is everything else here.
    void start(std::function<void(Job&)> job);
    // One result: `compute(Job&)` on the worker, then `use(result)` on the UI thread.
    template <class Compute, class Use>
    void start(Compute compute, Use use) {
        using Result = std::invoke_result_t<Compute&, Job&>;
        start(std::function<void(Job&)>([compute = std::move(compute), use = std::move(use)](Job& job) mutable {
            auto result = std::make_shared<Result>(compute(job));
            job.deliver([use, result] { use(*result); });
        }));
    }

    // Abandons every job, drops their results and joins their workers. After
    // it, `start` does nothing: the work is over for good.
    void stop();
    bool stopped() const;

    // Workers of every BackgroundWork that have not ended yet (for tests).
    static int LiveWorkers();

private:
    std::shared_ptr<Job::State> state_;
};

}  // namespace trelvix::ui
