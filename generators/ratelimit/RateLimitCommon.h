#pragma once
// What the rate-limit pages share: the RouterOS version of a button, the
// errors they report against the main window, and value repetition.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::ratelimit {

// The version argument of the generate buttons.
enum class RouterOsVersion { V5 = 0, V6 = 1 };

// The main window's name, as the message boxes that it owns name it.
const std::string& MainWindowName();

// An error box with the error icon, owned by the main window.
ScriptError MainWindowError(Gbk message, Gbk title, FieldRef focus = {},
                            FocusMove when = FocusMove::None);

// `count` copies of `value` joined by "/" ("1M/1M/1M"); empty for a count below 1.
Gbk Repeated(std::string_view value, int count);

// Fills the "{NAME}" placeholders of a stored text in one pass, so a value that
// happens to contain a placeholder's name is never filled again.
using Placeholder = std::pair<std::string_view, std::string_view>;
Gbk FillPlaceholders(std::string_view pattern, std::initializer_list<Placeholder> values);

}  // namespace trelvix::ratelimit
