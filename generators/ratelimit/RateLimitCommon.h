#pragma once
// What the rate-limit pages share: the RouterOS version of a button, the
// errors they report against the main window, and value repetition.
#include <string>
#include <string_view>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"
#include "generators/Placeholders.h"

namespace trelvix::ratelimit {

// The version argument of the generate buttons.
enum class RouterOsVersion { V5 = 0, V6 = 1 };

// `count` copies of `value` joined by "/" ("1M/1M/1M"); empty for a count below 1.
Gbk Repeated(std::string_view value, int count);

}  // namespace trelvix::ratelimit
