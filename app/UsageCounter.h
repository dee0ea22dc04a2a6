#pragma once
// The usage counter: background work of the main window counts this start at
// the counter service and fetches the counts of today and yesterday for the
// window's two labels. The work never touches a control: its result comes
// back to the UI thread. Its waits wake at shut-down.
#include <optional>
#include <string_view>

#include "app/Services.h"
#include "common/text/Gbk.h"
#include "ui/BackgroundWork.h"

namespace trelvix {

// The text without a leading UTF-8 byte-order mark (EF BB BF).
Gbk StripUtf8Bom(std::string_view text);

struct UsageCounts {
    Gbk today, yesterday;  // the service's texts, empty when it failed
};

// Counts this start at `address` (up to four attempts, `settings.counterRetryWait`
// apart, until the service answers "true"), then asks for both counts. Nothing
// when the work was stopped first.
std::optional<UsageCounts> UsageStatisticsThread(const Gbk& address, const ServiceSettings& settings, ui::Job& job);

}  // namespace trelvix
