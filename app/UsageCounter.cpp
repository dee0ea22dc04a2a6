// Usage counter: one start counted at the counter service, and the service's
// counts of today and yesterday shown at the bottom of the main window.
#include "app/UsageCounter.h"

#include <utility>

#include "app/App.h"
#include "common/http/HttpRequest.h"

namespace trelvix {

namespace {

constexpr const char* kTodayLabel = "标签_今天次数";
constexpr const char* kYesterdayLabel = "标签_昨天次数";
constexpr int kRetries = 3;  // after the first attempt

// A reply as text: up to a zero byte, without a byte-order mark.
Gbk Ask(const Gbk& address, const char* query, const ServiceSettings& settings) {
    const std::string body = HttpGet(address + query, settings.limits);
    return StripUtf8Bom(std::string_view(body).substr(0, body.find('\0')));
}

void ShowUsageCounts(App& app, const UsageCounts& counts) {
    if (!app.main) return;
    app.main->setText(kTodayLabel, counts.today);
    app.main->setText(kYesterdayLabel, counts.yesterday);
}

}  // namespace

Gbk StripUtf8Bom(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return Gbk(text);
}

bool StopSignal::waitFor(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, time, [this] { return stopped_; });
}

void StopSignal::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    wake_.notify_all();
}

bool StopSignal::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

std::optional<UsageCounts> UsageStatisticsThread(const Gbk& address, const ServiceSettings& settings,
                                                 StopSignal& stop) {
    for (int tries = 0;; ++tries) {
        if (stop.stopped()) return std::nullopt;
        if (Ask(address, "?var=times", settings) == "true" || tries >= kRetries) break;
        if (!stop.waitFor(settings.counterRetryWait)) return std::nullopt;
    }
    UsageCounts counts;
    if (stop.stopped()) return std::nullopt;
    counts.today = Ask(address, "?return=times", settings);
    if (stop.stopped()) return std::nullopt;
    counts.yesterday = Ask(address, "?return=times2", settings);
    return counts;
}

void UsageStatisticsThreadEntry(const Gbk& address, const ServiceSettings& settings, StopSignal& stop,
                                const std::function<void(const UsageCounts&)>& deliver) {
    if (const std::optional<UsageCounts> counts = UsageStatisticsThread(address, settings, stop);
        counts && !stop.stopped())
        deliver(*counts);
}

UsageCounter::UsageCounter(Gbk address, ServiceSettings settings, std::function<void(const UsageCounts&)> deliver)
    : worker_([this, address = std::move(address), settings = std::move(settings), deliver = std::move(deliver)] {
          UsageStatisticsThreadEntry(address, settings, stop_, deliver);
      }) {}

UsageCounter::~UsageCounter() { stop(); }

void UsageCounter::stop() {
    stop_.stop();
    if (worker_.joinable()) worker_.join();
}

Gbk DecipherStatisticsAddress(const App& app) { return app.services.usageCounter; }

void StartUsageCounter(App& app) {
    // The layout's captions are placeholders: without a service they must not
    // pass for counts.
    if (app.StatisticsAddress.empty()) {
        ShowUsageCounts(app, UsageCounts{});
        return;
    }
    if (app.usageCounter) return;  // once per run
    app.usageCounter = std::make_unique<UsageCounter>(
        app.StatisticsAddress, app.services, [&app](const UsageCounts& counts) {
            // Dropped once the shut-down has begun; by then the window may be gone.
            app.ui.post([&app, counts] { ShowUsageCounts(app, counts); });
        });
}

}  // namespace trelvix
