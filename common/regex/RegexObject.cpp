#include "common/regex/RegexObject.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "common/text/CodePage.h"

namespace trelvix {

namespace {

// A pattern like (a+)+$ over a line of a's that ends otherwise backtracks for hours;
// the tester and the web-page parsers must come back. The catalogue, the largest
// text the program parses, needs a small fraction of these.
constexpr std::uint32_t kMatchLimit = 5'000'000;
constexpr std::uint32_t kDepthLimit = 1'000'000;
constexpr PCRE2_SIZE kHeapLimitKiB = 64 * 1024;
// Start positions (in UTF-8 code units) one search of a time-bounded run tries.
constexpr std::size_t kTimedWindow = 16;

const std::string_view kQuoteMarker = "#引号";

// The engine's options for the script-language syntax: ASCII classes (no UCP), \xhh
// with exactly two digits, [] and [^] as in scripts, unset back references matching
// the empty text, "$" at the very end only and "^" also after a final line feed
// when multiline. \C could stop a match inside a character, so it is refused.
constexpr std::uint32_t kCompileOptions = PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS |
                                          PCRE2_MATCH_UNSET_BACKREF | PCRE2_DOLLAR_ENDONLY | PCRE2_ALT_CIRCUMFLEX |
                                          PCRE2_NEVER_BACKSLASH_C;

struct CodeFree {
    void operator()(pcre2_code* p) const { pcre2_code_free(p); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* p) const { pcre2_compile_context_free(p); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* p) const { pcre2_match_context_free(p); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* p) const { pcre2_match_data_free(p); }
};

// The subject as the engine reads it, with the GBK byte offset of every UTF-8
// character start (and of the end).
struct EngineText {
    std::string utf8;
    std::vector<std::size_t> gbkAt;
};

bool IsOneCharacter(const std::string& utf8) {
    if (utf8.empty() || utf8 == "\xEF\xBF\xBD") return false;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return utf8.size() == length;
}

// Each character is decoded on its own, so that a broken pair costs one stand-in
// character and cannot shift the offsets of the rest of the text.
EngineText ToEngineText(std::string_view gbk) {
    EngineText t;
    t.utf8.reserve(gbk.size() + gbk.size() / 2);
    t.gbkAt.reserve(gbk.size() + gbk.size() / 2 + 1);
    std::unordered_map<std::uint32_t, std::string> decoded;
    auto decode = [&decoded](std::string_view bytes) -> const std::string& {
        std::uint32_t key = 0;
        for (unsigned char b : bytes) key = (key << 8) | b;
        auto [it, fresh] = decoded.try_emplace(key);
        if (fresh) {
            it->second = GbkToUtf8(bytes);
            if (!IsOneCharacter(it->second)) it->second.clear();
        }
        return it->second;
    };
    auto append = [&t](std::string_view utf8, std::size_t gbkOffset) {
        t.utf8.append(utf8);
        t.gbkAt.resize(t.utf8.size(), 0);
        t.gbkAt[t.utf8.size() - utf8.size()] = gbkOffset;
    };
    std::size_t i = 0;
    while (i < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[i]);
        if (byte < 0x80) {
            t.utf8.push_back(static_cast<char>(byte));
            t.gbkAt.push_back(i);
            ++i;
            continue;
        }
        if (CharLength(gbk, i) == 2) {
            const std::string& pair = decode(gbk.substr(i, 2));
            if (!pair.empty()) {
                append(pair, i);
                i += 2;
                continue;
            }
        }
        const std::string& single = decode(gbk.substr(i, 1));
        append(single.empty() ? std::string_view("\xEF\xBF\xBD") : std::string_view(single), i);
        ++i;
    }
    t.gbkAt.push_back(gbk.size());
    return t;
}

std::size_t Utf8Length(unsigned char lead) { return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4; }

}  // namespace

struct RegexObject::Pattern {
    Gbk text;
    std::unique_ptr<pcre2_code, CodeFree> code;  // null when the engine rejected the text
    bool global = true;
};

// Every match as (groups + 1) pairs of GBK byte offsets, the whole match first;
// -1 for a group that took no part.
struct RegexObject::Matches {
    std::size_t groups = 0;
    std::vector<long long> offsets;
    RunStop stop = RunStop::Complete;

    long long count() const { return static_cast<long long>(offsets.size() / (2 * (groups + 1))); }
    const long long* pair(long long match, std::size_t group) const {
        return offsets.data() + 2 * (static_cast<std::size_t>(match) * (groups + 1) + group);
    }
};

RegexObject::RegexObject() = default;

RegexObject::~RegexObject() { Release(); }

std::unique_ptr<RegexObject> RegexObject::Copy() const { return std::make_unique<RegexObject>(*this); }

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive, bool multiline,
                         bool global, bool quoteMarker) {
    regexp_.reset();
    matches_.reset();

    auto p = std::make_shared<Pattern>();
    p->text = quoteMarker ? ReplaceAll(pattern, kQuoteMarker, "\"") : Gbk(pattern);
    p->global = global;
    const Gbk utf8Pattern = GbkToUtf8(p->text);
    std::unique_ptr<pcre2_compile_context, CompileContextFree> context(pcre2_compile_context_create(nullptr));
    if (context) {
        // The engine's default line end may be built otherwise; lines here end in LF,
        // so a CR before it stays part of the line.
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);
        std::uint32_t options = kCompileOptions;
        if (!caseSensitive) options |= PCRE2_CASELESS;
        if (multiline) options |= PCRE2_MULTILINE;
        if (bounds_.mostTime.count() > 0) options |= PCRE2_USE_OFFSET_LIMIT;
        int error = 0;
        PCRE2_SIZE errorAt = 0;
        p->code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8Pattern.data()), utf8Pattern.size(), options,
                                    &error, &errorAt, context.get()));
    }
    subject_ = Gbk(subject);
    if (p->code) matches_ = Execute(*p, subject_, bounds_);
    regexp_ = std::move(p);
    return matches_ != nullptr;
}

void RegexObject::Reserved() {}

Gbk RegexObject::PatternText() const { return regexp_ ? regexp_->text : Gbk(); }

Gbk RegexObject::Replace(std::string_view replacement) const {
    if (!matches_) return {};
    const Matches& m = *matches_;
    const std::string_view subject = subject_;
    auto group = [&](long long match, std::size_t g) -> std::string_view {
        const long long* at = m.pair(match, g);
        if (at[0] < 0) return {};
        return subject.substr(static_cast<std::size_t>(at[0]), static_cast<std::size_t>(at[1] - at[0]));
    };
    auto digit = [replacement](std::size_t at) {
        return at < replacement.size() && replacement[at] >= '0' && replacement[at] <= '9' ? replacement[at] - '0' : -1;
    };
    Gbk out;
    out.reserve(subject.size() + replacement.size());
    std::size_t done = 0;
    for (long long k = 0; k < m.count(); ++k) {
        const long long* whole = m.pair(k, 0);
        const auto start = static_cast<std::size_t>(whole[0]);
        const auto end = static_cast<std::size_t>(whole[1]);
        out.append(subject.substr(done, start - done));
        // No second byte of a GBK character is below 0x40, so every "$", "&", "`",
        // "'" and digit byte here stands for itself.
        std::size_t r = 0;
        while (r < replacement.size()) {
            const std::size_t dollar = std::min(replacement.find('$', r), replacement.size());
            out.append(replacement.substr(r, dollar - r));
            r = dollar;
            if (r >= replacement.size()) break;
            if (r + 1 >= replacement.size()) {
                out.push_back('$');
                break;
            }
            const char next = replacement[r + 1];
            if (next == '$') {
                out.push_back('$');
                r += 2;
            } else if (next == '&') {
                out.append(group(k, 0));
                r += 2;
            } else if (next == '`') {
                out.append(subject.substr(0, start));
                r += 2;
            } else if (next == '\'') {
                out.append(subject.substr(end));
                r += 2;
            } else if (const int d1 = digit(r + 1); d1 >= 0) {
                // Two digits when they name a group, else one; $0 and a group the
                // pattern lacks stay as typed.
                const int d2 = digit(r + 2);
                const auto groups = static_cast<int>(m.groups);
                if (d2 >= 0 && d1 * 10 + d2 >= 1 && d1 * 10 + d2 <= groups) {
                    out.append(group(k, static_cast<std::size_t>(d1 * 10 + d2)));
                    r += 3;
                } else if (d1 >= 1 && d1 <= groups) {
                    out.append(group(k, static_cast<std::size_t>(d1)));
                    r += 2;
                } else {
                    out.push_back('$');
                    r += 1;
                }
            } else {
                out.push_back('$');
                r += 1;
            }
        }
        done = end;
    }
    out.append(subject.substr(done));
    return out;
}

RegexObject::RunStop RegexObject::LastRunStop() const { return matches_ ? matches_->stop : RunStop::Complete; }

long long RegexObject::MatchCount() const { return matches_ ? matches_->count() : 0; }

Gbk RegexObject::MatchText(long long i, long long* byteOffset) const { return GroupText(i, 0, byteOffset); }

Gbk RegexObject::SubMatchText(long long i, long long j, long long* byteOffset) const {
    return GroupText(i, j < 1 ? -1 : j, byteOffset);
}

// The positions come from the engine itself: searching the subject again for the
// text could find an earlier copy of it (a group inside its match, or text that
// only case folding makes equal).
Gbk RegexObject::GroupText(long long i, long long group, long long* byteOffset) const {
    if (byteOffset) *byteOffset = -2;
    if (!matches_ || i < 1 || i > matches_->count() || group < 0 || group > static_cast<long long>(matches_->groups)) {
        return {};
    }
    const long long* at = matches_->pair(i - 1, static_cast<std::size_t>(group));
    if (at[0] < 0) return {};
    if (byteOffset) *byteOffset = at[0];
    return subject_.substr(static_cast<std::size_t>(at[0]), static_cast<std::size_t>(at[1] - at[0]));
}

long long RegexObject::SubMatchCount() const { return MatchCount() > 0 ? static_cast<long long>(matches_->groups) : 0; }

void RegexObject::Release() {
    regexp_.reset();
    matches_.reset();
    subject_.clear();
}

// With global, each search starts where the last match ended, one character further
// after an empty match, as the script engines do.
std::shared_ptr<const RegexObject::Matches> RegexObject::Execute(const Pattern& pattern, std::string_view subject,
                                                                 const RunBounds& bounds) {
    using Clock = std::chrono::steady_clock;
    const auto now = [&bounds] { return bounds.clock ? bounds.clock() : Clock::now(); };
    const bool timed = bounds.mostTime.count() > 0;
    const Clock::time_point giveUpAt = timed ? now() + bounds.mostTime : Clock::time_point();
    const pcre2_code* code = pattern.code.get();
    std::uint32_t groups = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    std::unique_ptr<pcre2_match_data, MatchDataFree> data(pcre2_match_data_create_from_pattern(code, nullptr));
    std::unique_ptr<pcre2_match_context, MatchContextFree> context(pcre2_match_context_create(nullptr));
    if (!data || !context) return nullptr;
    pcre2_set_match_limit(context.get(), kMatchLimit);
    pcre2_set_depth_limit(context.get(), kDepthLimit);
    pcre2_set_heap_limit(context.get(), kHeapLimitKiB);

    const EngineText text = ToEngineText(subject);
    const auto* units = reinterpret_cast<PCRE2_SPTR>(text.utf8.data());
    const std::size_t size = text.utf8.size();
    auto matches = std::make_shared<Matches>();
    matches->groups = groups;
    std::size_t start = 0;
    for (;;) {
        // With a time bound, one search tries only the next few start positions, so
        // the clock is read between them: a pattern that costs much at every position
        // of a long subject would otherwise hold one search for minutes. A later
        // search from the window's end goes on where this one stopped.
        std::size_t windowEnd = size;
        if (timed) {
            windowEnd = std::min(size, start + kTimedWindow);
            while (windowEnd < size && (static_cast<unsigned char>(text.utf8[windowEnd]) & 0xC0) == 0x80) ++windowEnd;
            pcre2_set_offset_limit(context.get(), windowEnd);
        }
        // The text was built as valid UTF-8 here; checking it again on every search
        // would cost the whole text each time.
        const int rc = pcre2_match(code, units, size, start, PCRE2_NO_UTF_CHECK, data.get(), context.get());
        // A timed run that gives up keeps what it found: the caller shows it as
        // found so far.
        const auto stop = [&](RunStop why) {
            matches->stop = why;
            return std::shared_ptr<const Matches>(matches);
        };
        // A timed search the engine gives up on passes over its few start
        // positions, and the run goes on, within its time, as incomplete.
        if (rc <= 0 && rc != PCRE2_ERROR_NOMATCH && !timed) return nullptr;
        if (rc <= 0) {
            if (rc != PCRE2_ERROR_NOMATCH) matches->stop = RunStop::EngineLimit;
            if (windowEnd >= size) break;
            if (now() >= giveUpAt) return stop(RunStop::TimeBound);
            start = windowEnd;
            continue;
        }
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        for (std::uint32_t g = 0; g <= groups; ++g) {
            const bool took = g < static_cast<std::uint32_t>(rc) && ovector[2 * g] != PCRE2_UNSET;
            matches->offsets.push_back(took ? static_cast<long long>(text.gbkAt[ovector[2 * g]]) : -1);
            matches->offsets.push_back(took ? static_cast<long long>(text.gbkAt[ovector[2 * g + 1]]) : -1);
        }
        if (!pattern.global) break;
        if (bounds.mostMatches > 0 && matches->count() >= bounds.mostMatches) break;
        // Each search is bounded by the engine's limits; the time bound covers the
        // many searches of a long subject.
        if (timed && now() >= giveUpAt) return stop(RunStop::TimeBound);
        std::size_t next = ovector[1];
        if (ovector[1] <= ovector[0]) {
            if (next >= size) break;
            next += Utf8Length(static_cast<unsigned char>(text.utf8[next]));
        }
        start = next;
    }
    return matches;
}

}  // namespace trelvix
