#include "common/platform/InstanceLock.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#include "common/platform/Paths.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

constexpr char kRequest[] = "activate\n";
constexpr char kAnswer[] = "ok\n";
// A caller that connects and says nothing must not hold the listener long.
constexpr int kRequestWaitMs = 1000;

// A name made of safe characters is used as it is; any other (a full program
// path, say) is replaced by its hash, which also keeps the socket path short.
std::string FileStem(const std::string& name) {
    bool safe = !name.empty() && name.size() <= 32;
    for (unsigned char c : name) safe = safe && (std::isalnum(c) || c == '-' || c == '_' || c == '.');
    if (safe) return name;
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
    char buf[24];
    std::snprintf(buf, sizeof buf, "i%016llx", static_cast<unsigned long long>(h));
    return buf;
}

// Only this user may have made what is in the folder: otherwise another user
// could hold our lock, or plant a socket that answers for us.
bool OwnedByUs(const struct stat& st) { return st.st_uid == geteuid(); }

// The runtime folder, opened without following a link; -1 unless it is a
// folder of this user closed to everyone else. With `create`, a missing
// folder is made so.
int OpenPrivateFolder(const fs::path& dir, bool create) {
    if (create) {
        std::error_code ec;
        fs::create_directories(dir.parent_path(), ec);
        if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return -1;
    }
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || !OwnedByUs(st) || (st.st_mode & 077) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) close(fd);
    }
};

sockaddr_un SocketAddress(const fs::path& path, bool& fits) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string p = path.string();
    fits = p.size() < sizeof addr.sun_path;
    if (fits) std::memcpy(addr.sun_path, p.c_str(), p.size() + 1);
    return addr;
}

// Waits until `fd` has something to read; false on time-out, or as soon as
// `stopFd` (when given) becomes readable.
bool WaitReadable(int fd, int timeoutMs, int stopFd = -1) {
    pollfd p[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    const nfds_t count = stopFd >= 0 ? 2 : 1;
    int rc;
    while ((rc = poll(p, count, timeoutMs)) < 0 && errno == EINTR) {
    }
    return rc > 0 && (p[0].revents & POLLIN) && !(count == 2 && p[1].revents);
}

// What is left of the time until `deadline` on `now`, in whole milliseconds
// rounded up; 0 once it has passed.
int MsLeft(SteadyClock::time_point deadline, const SteadyNow& now) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now()).count();
    return static_cast<int>(std::clamp<decltype(left)>(left, 0, std::numeric_limits<int>::max()));
}

// Waits until `fd` has one of `events`; false once `deadline` on `now` has
// passed. The wait looks at the clock again every slice, so a clock other
// than the system's is followed too.
bool WaitUntil(int fd, short events, SteadyClock::time_point deadline, const SteadyNow& now) {
    constexpr int kSliceMs = 50;
    for (int left; (left = MsLeft(deadline, now)) > 0;) {
        pollfd p{fd, events, 0};
        const int rc = poll(&p, 1, std::min(kSliceMs, left));
        if (rc > 0) return (p.revents & events) != 0;
        if (rc < 0 && errno != EINTR) return false;
    }
    return false;
}

}  // namespace

std::filesystem::path InstanceFileBase(const std::string& name) { return RuntimeDirectory() / FileStem(name); }

std::unique_ptr<InstanceLock> InstanceLock::TryAcquire(const std::string& name, std::function<void()> onActivate) {
    // When there is no safe lock, this copy runs unprotected, as the first
    // copy would if its named event could not be created.
    std::unique_ptr<InstanceLock> lock(new InstanceLock());
    const fs::path dir = RuntimeDirectory();
    const FdCloser folder{OpenPrivateFolder(dir, true)};
    if (folder.fd < 0) return lock;

    const std::string stem = FileStem(name);
    const std::string lockName = stem + ".lock";
    lock->lockFd_ = openat(folder.fd, lockName.c_str(),
                           O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    struct stat st {};
    if (lock->lockFd_ >= 0 && (fstat(lock->lockFd_, &st) != 0 || !S_ISREG(st.st_mode) || !OwnedByUs(st))) {
        close(lock->lockFd_);
        lock->lockFd_ = -1;
    }
    if (lock->lockFd_ < 0) return lock;
    if (flock(lock->lockFd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return nullptr;  // another live copy holds it
        close(lock->lockFd_);
        lock->lockFd_ = -1;
        return lock;
    }

    lock->onActivate_ = std::move(onActivate);
    const std::string socketName = stem + ".sock";
    bool fits = false;
    const sockaddr_un addr = SocketAddress(dir / socketName, fits);
    if (!fits) return lock;
    // The lock is ours, so a socket file left here belongs to a dead copy.
    unlinkat(folder.fd, socketName.c_str(), 0);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return lock;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return lock;
    }
    lock->socketFd_ = fd;
    lock->socketPath_ = dir / socketName;
    // The socket is made with the umask's mode; only this user may ask.
    if (fchmodat(folder.fd, socketName.c_str(), 0600, 0) != 0 || listen(fd, 4) != 0 ||
        pipe2(lock->stopPipe_, O_CLOEXEC) != 0) {
        close(fd);
        unlink(lock->socketPath_.c_str());
        lock->socketFd_ = -1;
        return lock;
    }
    lock->listener_ = std::thread([l = lock.get()] { l->serve(); });
    return lock;
}

void InstanceLock::serve() {
    for (;;) {
        pollfd fds[2] = {{socketFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        const int client = accept4(socketFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        char buf[32] = {};
        if (WaitReadable(client, kRequestWaitMs, stopPipe_[0]) && read(client, buf, sizeof buf - 1) > 0 &&
            std::strncmp(buf, kRequest, sizeof kRequest - 1) == 0) {
            if (onActivate_) onActivate_();
            // A caller that gave up and left must not end this copy with SIGPIPE.
            [[maybe_unused]] auto n = send(client, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
        }
        close(client);
    }
}

InstanceLock::~InstanceLock() {
    if (listener_.joinable()) {
        [[maybe_unused]] auto n = write(stopPipe_[1], "x", 1);
        listener_.join();
    }
    for (int fd : {stopPipe_[0], stopPipe_[1]})
        if (fd >= 0) close(fd);
    if (socketFd_ >= 0) {
        close(socketFd_);
        unlink(socketPath_.c_str());
    }
    if (lockFd_ >= 0) close(lockFd_);  // releases the lock
}

bool AskRunningCopyToActivate(const std::string& name, std::chrono::milliseconds timeout, const SteadyNow& now) {
    const auto deadline = now() + timeout;

    // Only a socket that a copy of ours made in our private folder is asked.
    const fs::path dir = RuntimeDirectory();
    const std::string socketName = FileStem(name) + ".sock";
    {
        const FdCloser folder{OpenPrivateFolder(dir, false)};
        struct stat st {};
        if (folder.fd < 0 || fstatat(folder.fd, socketName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISSOCK(st.st_mode) || !OwnedByUs(st))
            return false;
    }
    bool fits = false;
    const sockaddr_un addr = SocketAddress(dir / socketName, fits);
    if (!fits) return false;
    const FdCloser sock{socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    if (sock.fd < 0) return false;

    int rc;
    while ((rc = connect(sock.fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr)) != 0) {
        const int failure = errno;
        if (failure == EINTR) continue;
        // A first copy whose queue is full may still make room in time.
        if (const int left = MsLeft(deadline, now); failure == EAGAIN && left > 0) {
            poll(nullptr, 0, std::min(20, left));
            continue;
        }
        if (failure == EINPROGRESS) {
            int error = 0;
            socklen_t size = sizeof error;
            rc = WaitUntil(sock.fd, POLLOUT, deadline, now) &&
                         getsockopt(sock.fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0
                     ? 0
                     : -1;
        }
        break;
    }
    if (rc != 0) return false;
    const auto requestSize = static_cast<ssize_t>(sizeof kRequest - 1);
    if (send(sock.fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) != requestSize) return false;
    if (!WaitUntil(sock.fd, POLLIN, deadline, now)) return false;
    char buf[8] = {};
    return read(sock.fd, buf, sizeof buf - 1) > 0 && std::strncmp(buf, kAnswer, 2) == 0;
}

}  // namespace trelvix
