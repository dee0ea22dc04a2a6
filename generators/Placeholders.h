#pragma once
// Stored RouterOS texts with "{NAME}" placeholders that a page fills in.
#include <initializer_list>
#include <string_view>
#include <utility>

#include "common/text/Gbk.h"

namespace trelvix {

// Fills the "{NAME}" placeholders of a stored text in one pass, so a value that
// happens to contain a placeholder's name is never filled again.
using Placeholder = std::pair<std::string_view, std::string_view>;
Gbk FillPlaceholders(std::string_view pattern, std::initializer_list<Placeholder> values);

}  // namespace trelvix
