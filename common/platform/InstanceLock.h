#pragma once
// One running copy per user: a lock file that the system releases when the
// holder dies (so a killed copy never blocks the next start), and a local
// socket beside it through which a later copy asks the first to come forward.
// Both live in the user's runtime folder (Paths.h), which must be a real
// folder of this user that nobody else may enter; anything else there is not
// trusted, and no symbolic link is followed.
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
    // copy holds the lock. When the lock cannot be had safely (the folder is
    // not private, the lock file is not ours), the caller runs unprotected as
    // the first copy, and `held` says so. `onActivate` runs on the listener
    // thread for every request of a later copy; it must only hand work to the
    // UI thread.
    static std::unique_ptr<InstanceLock> TryAcquire(const std::string& name, std::function<void()> onActivate);
    // Stops the listener and releases the lock.
    ~InstanceLock();

    // False when this copy runs without the lock: a later copy will not see it.
    bool held() const { return lockFd_ >= 0; }

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

// The clock a bound is measured on; tests move one of their own.
using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

// Asks the copy holding `name` to come to the front. `timeout` bounds the
// whole exchange (connecting, asking, waiting for the answer), measured on
// `now`; false when no copy answered within it.
bool AskRunningCopyToActivate(const std::string& name, std::chrono::milliseconds timeout,
                              const SteadyNow& now = std::chrono::steady_clock::now);

// Where the lock and socket for `name` live: this path with ".lock" and
// ".sock" appended.
std::filesystem::path InstanceFileBase(const std::string& name);

}  // namespace trelvix
