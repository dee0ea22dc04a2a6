#pragma once
// One running copy per user: a lock file that the system releases when the
// holder dies (so a killed copy never blocks the next start), and a local
// socket beside it through which a later copy asks the first to come forward.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace trelvix {

class InstanceLock {
public:
    // Becomes the first copy for `name`, or returns null when another live
    // copy holds the lock. `onActivate` runs on the listener thread for every
    // request of a later copy; it must only hand work to the UI thread.
    static std::unique_ptr<InstanceLock> TryAcquire(const std::string& name, std::function<void()> onActivate);
    ~InstanceLock();

    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

private:
    InstanceLock() = default;
    void serve();

    int lockFd_ = -1;
    int socketFd_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::filesystem::path socketPath_;
    std::function<void()> onActivate_;
    std::thread listener_;
};

// Asks the copy holding `name` to come to the front. Waits at most `timeout`
// for its answer; false when no copy answered in time.
bool AskRunningCopyToActivate(const std::string& name, std::chrono::milliseconds timeout);

// Where the lock and socket for `name` live (a per-user folder).
std::filesystem::path InstanceFileBase(const std::string& name);

}  // namespace trelvix
