#pragma once
// The Layer-7 window's regular-expression tester: a pattern over a source text,
// with the engine's limits on backtracking, so that no pattern or text can hold the
// window; and the tester's work files.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

// The result list shows at most this many matches, and a run looks no further.
inline constexpr std::size_t kMaxRegexTestRows = 10000;
// A run that takes longer gives up and counts as no match.
inline constexpr std::chrono::milliseconds kRegexTestTime{3000};
// The largest file the tester loads into its source box.
inline constexpr std::uintmax_t kMaxRegexSourceFileBytes = 8u << 20;

struct RegexTestResult {
    enum class Kind { EmptyPattern, Matched, NoMatch };
    Kind kind = Kind::NoMatch;
    std::vector<Gbk> rows;   // the first matches, at most kMaxRegexTestRows
    long long count = 0;     // the matches found, one more than the rows when there are more
    Gbk message;             // for the status bar
};

// All options by default: case ignored, multiline, every match. A pattern the engine
// rejects or gives up on, or one that runs past kRegexTestTime, counts as no match.
RegexTestResult RunRegexTest(std::string_view pattern, std::string_view source);

}  // namespace trelvix
