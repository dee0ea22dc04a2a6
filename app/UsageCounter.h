#pragma once
// The usage counter: a worker counts this start at the counter service and
// fetches the counts of today and yesterday for the two labels of the main
// window. The worker never touches a control: it hands its result to a
// function that posts it to the UI thread. Its waits wake at shut-down.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

#include "app/Services.h"
#include "common/text/Gbk.h"

namespace trelvix {

// The text without a leading UTF-8 byte-order mark (EF BB BF).
Gbk StripUtf8Bom(std::string_view text);

// Lets a waiting worker know that the program is ending.
class StopSignal {
public:
    // Waits up to `time`; false when the program is ending (at once if it already is).
    bool waitFor(std::chrono::milliseconds time);
    void stop();
    bool stopped() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopped_ = false;
};

struct UsageCounts {
    Gbk today, yesterday;  // the service's texts, empty when it failed
};

// Counts this start at `address` (up to four attempts, `settings.counterRetryWait`
// apart, until the service answers "true"), then asks for both counts. Nothing
// when `stop` ended it first.
std::optional<UsageCounts> UsageStatisticsThread(const Gbk& address, const ServiceSettings& settings,
                                                 StopSignal& stop);

// The worker's body: the counter's run, its counts handed to `deliver` (on
// the worker's thread) unless the program is ending.
void UsageStatisticsThreadEntry(const Gbk& address, const ServiceSettings& settings, StopSignal& stop,
                                const std::function<void(const UsageCounts&)>& deliver);

// Owns the worker; stopping it (or destroying the owner) wakes its wait and
// waits for it to end, which takes at most one request's time-out.
class UsageCounter {
public:
    UsageCounter(Gbk address, ServiceSettings settings, std::function<void(const UsageCounts&)> deliver);
    ~UsageCounter();
    UsageCounter(const UsageCounter&) = delete;
    UsageCounter& operator=(const UsageCounter&) = delete;

    void stop();

private:
    StopSignal stop_;
    std::thread worker_;
};

}  // namespace trelvix
