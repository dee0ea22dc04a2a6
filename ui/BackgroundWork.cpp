#include "ui/BackgroundWork.h"

#include <algorithm>

namespace trelvix::ui {

namespace {
std::atomic<int> gLiveWorkers{0};
}  // namespace

// Shared by the work, its workers and the results on their way: whichever
// ends last frees it. `workers` is the UI thread's; it is empty whenever the
// state can be freed, because stopping joins or lets go of every worker.
struct Job::State {
    State(Ui& u, const Window& w) : ui(&u), window(w.lifetime()) {}

    void stop() {
        {
            std::lock_guard lock(mutex);
            ui = nullptr;
            stopped = true;
        }
        changed.notify_all();
        if (workers.empty()) return;  // none started, or let go by an earlier stop
        {
            std::unique_lock lock(mutex);
            changed.wait_for(lock, BackgroundWork::kJoinBound, [this] { return running == 0; });
        }
        joinEnded();
        // Past the bound: such a worker holds only this state and its own
        // job, and hands nothing back any more.
        for (Worker& w : workers) w.thread.detach();
        workers.clear();
    }

    void joinEnded() {
        std::erase_if(workers, [](Worker& w) {
            if (!w.ended->load()) return false;
            w.thread.join();
            return true;
        });
    }

    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
    };

    std::mutex mutex;
    std::condition_variable changed;  // stopped, or a worker ended
    Ui* ui;                           // null once stopped; under `mutex`
    int running = 0;                  // workers not ended; under `mutex`
    std::atomic<bool> stopped{false};
    const std::weak_ptr<const void> window;
    std::vector<Worker> workers;
};

const std::atomic<bool>& Job::abandoned() const { return state_->stopped; }

bool Job::waitFor(std::chrono::milliseconds time) {
    std::unique_lock lock(state_->mutex);
    return !state_->changed.wait_for(lock, time, [this] { return state_->stopped.load(); });
}

void Job::deliver(std::function<void()> onUiThread) {
    std::lock_guard lock(state_->mutex);
    if (state_->ui == nullptr) return;
    // Checked again on the UI thread, where the window and the work end.
    state_->ui->post([state = state_, work = std::move(onUiThread)] {
        if (!state->stopped && !state->window.expired()) work();
    });
}

BackgroundWork::BackgroundWork(Ui& ui, Window& window) : state_(std::make_shared<Job::State>(ui, window)) {
    window.whenDestroyed([weak = std::weak_ptr<Job::State>(state_)] {
        if (const std::shared_ptr<Job::State> state = weak.lock()) state->stop();
    });
}

BackgroundWork::~BackgroundWork() { stop(); }

void BackgroundWork::start(std::function<void(Job&)> job) {
    if (stopped()) return;
    state_->joinEnded();
    auto ended = std::make_shared<std::atomic<bool>>(false);
    {
        std::lock_guard lock(state_->mutex);
        ++state_->running;
    }
    ++gLiveWorkers;
    std::thread thread([state = state_, job = std::move(job), ended]() mutable {
        {
            Job handle(state);
            job(handle);
            job = nullptr;  // what the job holds goes before the worker counts as ended
        }
        std::lock_guard lock(state->mutex);
        --state->running;
        ended->store(true);
        --gLiveWorkers;
        state->changed.notify_all();
    });
    state_->workers.push_back({std::move(thread), std::move(ended)});
}

void BackgroundWork::stop() { state_->stop(); }

bool BackgroundWork::stopped() const { return state_->stopped; }

int BackgroundWork::LiveWorkers() { return gLiveWorkers.load(); }

}  // namespace trelvix::ui
