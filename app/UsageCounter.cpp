// Usage counter: one start counted at the counter service, and the service's
// counts of today and yesterday shown at the bottom of the main window.
#include "app/UsageCounter.h"

#include "app/App.h"
#include "common/http/HttpRequest.h"
#include "names/main.h"

namespace trelvix {
using namespace names::main;

namespace {

constexpr int kRetries = 3;  // after the first attempt

// A reply as text: up to a zero byte, without a byte-order mark.
Gbk Ask(const Gbk& address, const char* query, const ServiceSettings& settings) {
    const std::string body = HttpGet(address + query, settings.limits);
    return StripUtf8Bom(std::string_view(body).substr(0, body.find('\0')));
}

void ShowUsageCounts(App& app, const UsageCounts& counts) {
    if (!app.main) return;
    app.main->setText(标签_今天次数, counts.today);
    app.main->setText(标签_昨天次数, counts.yesterday);
}

}  // namespace

Gbk StripUtf8Bom(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return Gbk(text);
}

std::optional<UsageCounts> UsageStatisticsThread(const Gbk& address, const ServiceSettings& settings, ui::Job& stop) {
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

Gbk DecipherStatisticsAddress(const App& app) { return app.services.usageCounter; }

void StartUsageCounter(App& app) {
    // The layout's captions are placeholders: without a service they must not
    // pass for counts.
    if (app.StatisticsAddress.empty()) {
        ShowUsageCounts(app, UsageCounts{});
        return;
    }
    if (app.usageCounter || !app.main) return;  // once per run
    app.usageCounter = std::make_unique<ui::BackgroundWork>(app.ui, *app.main);
    ServiceSettings settings = app.services;
    app.usageCounter->start(
        [address = app.StatisticsAddress, settings](ui::Job& job) mutable {
            settings.limits.abandon = &job.abandoned();
            return UsageStatisticsThread(address, settings, job);
        },
        [&app](const std::optional<UsageCounts>& counts) {
            if (counts) ShowUsageCounts(app, *counts);
        });
}

}  // namespace trelvix
