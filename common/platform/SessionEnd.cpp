#include "common/platform/SessionEnd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>

namespace trelvix {
namespace {

constexpr std::array<int, 3> kEndSignals = {SIGTERM, SIGHUP, SIGINT};

// The write end of the running watch's pipe, -1 when none runs.
std::atomic<int> gSignalWrite{-1};
std::array<struct sigaction, kEndSignals.size()> gEarlier{};

// Only what a signal handler may do: one byte into the pipe. A full pipe
// already holds a request to end, so a byte that does not fit is not missed.
extern "C" void OnEndSignal(int) {
    const int saved = errno;
    const int fd = gSignalWrite.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(fd, &byte, 1);
    }
    errno = saved;
}

void ClosePair(int (&fds)[2]) {
    for (int& fd : fds) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
}

}  // namespace

std::unique_ptr<SessionEndWatch> SessionEndWatch::Start(std::function<void()> onEnd) {
    if (gSignalWrite.load() >= 0) return nullptr;
    std::unique_ptr<SessionEndWatch> w(new SessionEndWatch);
    if (pipe2(w->signalPipe_, O_CLOEXEC | O_NONBLOCK) != 0 || pipe2(w->stopPipe_, O_CLOEXEC) != 0) {
        ClosePair(w->signalPipe_);
        ClosePair(w->stopPipe_);
        return nullptr;
    }
    w->onEnd_ = std::move(onEnd);
    gSignalWrite = w->signalPipe_[1];
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &action, &gEarlier[i]);
    w->watcher_ = std::thread([raw = w.get()] { raw->watch(); });
    return w;
}

void SessionEndWatch::watch() {
    for (;;) {
        pollfd fds[2] = {{signalPipe_[0], POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        char bytes[16];
        bool asked = false;
        while (read(signalPipe_[0], bytes, sizeof bytes) > 0) asked = true;
        if (asked && onEnd_) onEnd_();
    }
}

SessionEndWatch::~SessionEndWatch() {
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) sigaction(kEndSignals[i], &gEarlier[i], nullptr);
    gSignalWrite = -1;
    if (watcher_.joinable()) {
        [[maybe_unused]] const ssize_t n = write(stopPipe_[1], "x", 1);
        watcher_.join();
    }
    ClosePair(signalPipe_);
    ClosePair(stopPipe_);
}

}  // namespace trelvix
