#pragma once
// The Layer-7 window's regular-expression tester: a pattern over a source text,
// with the engine's limits on backtracking, so that no pattern or text can hold the
// window; and the tester's work files.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

// The result list shows at most this many matches, and a run looks no further.
inline constexpr std::size_t kMaxRegexTestRows = 10000;
// A run that takes longer stops, and shows what it found so far as incomplete.
inline constexpr std::chrono::milliseconds kRegexTestTime{3000};
// The largest file the tester loads into its source box.
inline constexpr std::uintmax_t kMaxRegexSourceFileBytes = 8u << 20;

struct RegexTestResult {
    // Stopped: the run gave up (its time bound, or the engine's limits on one
    // search); `rows` holds the matches found before.
    enum class Kind { EmptyPattern, Matched, NoMatch, Stopped };
    Kind kind = Kind::NoMatch;
    std::vector<Gbk> rows;  // the first matches, at most kMaxRegexTestRows
    long long count = 0;    // the matches found, one more than the rows when there are more
    Gbk message;            // for the status bar
};

struct RegexTestBound {
    std::chrono::milliseconds time = kRegexTestTime;
    std::function<std::chrono::steady_clock::time_point()> clock;  // null: the steady clock
};

// All options by default: case ignored, multiline, every match. A pattern the
// engine rejects counts as no match.
RegexTestResult RunRegexTest(std::string_view pattern, std::string_view source, const RegexTestBound& bound = {});

}  // namespace trelvix
