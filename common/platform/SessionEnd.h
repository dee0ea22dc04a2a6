#pragma once
// The session asking the program to end: a shutdown or a logout, the
// terminal that started it going away, Ctrl+C there. On this platform these
// are SIGTERM, SIGHUP and SIGINT; a Windows build maps the session-end
// messages. The signal handler only writes a byte into a pipe; the watch's
// own thread reads it and tells `onEnd`, which must only hand work to the UI
// thread, so the program ends the way its exit item ends it.
#include <functional>
#include <memory>
#include <thread>

namespace trelvix {

class SessionEndWatch {
public:
    // Starts watching; null when the pipe cannot be made (the signals then
    // end the program as they would without a watch). One watch at a time.
    static std::unique_ptr<SessionEndWatch> Start(std::function<void()> onEnd);
    // Stops the thread; the signals' earlier handling comes back.
    ~SessionEndWatch();

    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    SessionEndWatch() = default;
    void watch();

    int signalPipe_[2] = {-1, -1};
    int stopPipe_[2] = {-1, -1};
    std::function<void()> onEnd_;
    std::thread watcher_;
};

}  // namespace trelvix
