#include "common/platform/InstanceLock.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace trelvix {
namespace {

constexpr char kRequest[] = "activate\n";
constexpr char kAnswer[] = "ok\n";

std::filesystem::path InstanceFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache) return std::filesystem::path(cache) / "vemtu";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".cache" / "vemtu";
}

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

sockaddr_un SocketAddress(const std::filesystem::path& path, bool& fits) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string p = path.string();
    fits = p.size() < sizeof addr.sun_path;
    if (fits) std::memcpy(addr.sun_path, p.c_str(), p.size() + 1);
    return addr;
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) > 0 && (p.revents & POLLIN);
}

}  // namespace

std::filesystem::path InstanceFileBase(const std::string& name) { return InstanceFolder() / FileStem(name); }

std::unique_ptr<InstanceLock> InstanceLock::TryAcquire(const std::string& name, std::function<void()> onActivate) {
    const std::filesystem::path base = InstanceFileBase(name);
    std::error_code ec;
    std::filesystem::create_directories(base.parent_path(), ec);

    std::unique_ptr<InstanceLock> lock(new InstanceLock());
    lock->lockFd_ = open((base.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock->lockFd_ < 0) return lock;  // no protection possible: run anyway, as a failed event would
    if (flock(lock->lockFd_, LOCK_EX | LOCK_NB) != 0) return nullptr;

    lock->onActivate_ = std::move(onActivate);
    lock->socketPath_ = base.string() + ".sock";
    bool fits = false;
    sockaddr_un addr = SocketAddress(lock->socketPath_, fits);
    if (!fits) return lock;
    // The lock is ours, so a socket file left here belongs to a dead copy.
    unlink(lock->socketPath_.c_str());
    lock->socketFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (lock->socketFd_ < 0 || bind(lock->socketFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(lock->socketFd_, 4) != 0 || pipe2(lock->stopPipe_, O_CLOEXEC) != 0) {
        if (lock->socketFd_ >= 0) close(lock->socketFd_);
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
        // A caller that connects and says nothing must not hold the listener.
        if (WaitReadable(client, 1000) && read(client, buf, sizeof buf - 1) > 0 &&
            std::strncmp(buf, kRequest, sizeof kRequest - 1) == 0) {
            if (onActivate_) onActivate_();
            [[maybe_unused]] auto n = write(client, kAnswer, sizeof kAnswer - 1);
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

bool AskRunningCopyToActivate(const std::string& name, std::chrono::milliseconds timeout) {
    bool fits = false;
    sockaddr_un addr = SocketAddress(InstanceFileBase(name).string() + ".sock", fits);
    if (!fits) return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    bool answered = false;
    const int ms = static_cast<int>(timeout.count());
    int rc = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    if (rc != 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        rc = (poll(&p, 1, ms) > 0 && (p.revents & POLLOUT)) ? 0 : -1;
    }
    if (rc == 0 && write(fd, kRequest, sizeof kRequest - 1) == static_cast<ssize_t>(sizeof kRequest - 1) &&
        WaitReadable(fd, ms)) {
        char buf[8] = {};
        answered = read(fd, buf, sizeof buf - 1) > 0 && std::strncmp(buf, kAnswer, 2) == 0;
    }
    close(fd);
    return answered;
}

}  // namespace trelvix
