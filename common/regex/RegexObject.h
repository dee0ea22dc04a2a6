#pragma once
// The program's one way of running a regular expression. An object holds one pattern
// with its options and the matches of its last run over one subject, so a caller can
// parse a text once and read its matches and groups back later by 1-based index.
//
// Patterns follow the script-language syntax the Layer-7 help documents: "." takes
// anything but a line feed (a CR too), \d \w \s and \b are ASCII only, \xhh takes
// exactly two hex digits, a back reference to a group that took no part matches the
// empty text, "^" and "$" see line feeds only when multiline is asked for, and "$"
// otherwise matches at the very end alone. Texts are GBK on both sides; positions are
// GBK byte offsets.
//
// Nothing here throws or shows a message: a pattern the engine rejects, or one that
// runs past the engine's limits on backtracking, leaves the object without matches.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

class RegexObject {
public:
    RegexObject();

    // The operations keep one fixed order (destructor, Copy, then the rest), the
    // order the program's three object types share.
    virtual ~RegexObject();

    // A new object that shares this one's pattern and matches and holds its own copy
    // of the subject. The copy constructor does the same.
    virtual std::unique_ptr<RegexObject> Copy() const;

    // Forgets the previous run, then runs `pattern` over `subject`. With quoteMarker
    // every "#引号" in the pattern becomes a double quote first. True when the pattern
    // ran, also when it found nothing; false when the engine rejected it or gave up.
    virtual bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
                        bool multiline = true, bool global = true, bool quoteMarker = false);

    // Kept for the fixed order of the operations; does nothing.
    virtual void Reserved();

    // The pattern of the last Create (after the quote-marker replacement); empty
    // before the first one.
    virtual Gbk PatternText() const;

    // The subject of the last Create with every match (only the first without
    // global) replaced. In `replacement`, $& is the match, $1 to $99 a group, $` the
    // text before the match, $' the text after it and $$ a dollar. Empty when the
    // last Create found no matches to work with.
    virtual Gbk Replace(std::string_view replacement = {}) const;

    virtual long long MatchCount() const;

    // Match i (from 1) as the subject has it; empty when there is no such match.
    // byteOffset, when given, gets the match's 0-based byte offset in the subject,
    // -2 when there is no such match.
    virtual Gbk MatchText(long long i, long long* byteOffset = nullptr) const;

    // Group j (from 1) of match i (from 1); empty for a group that took no part in
    // the match and for indices out of range, which give byteOffset -2.
    virtual Gbk SubMatchText(long long i, long long j, long long* byteOffset = nullptr) const;

    // The number of groups of the first match; 0 when nothing matched.
    virtual long long SubMatchCount() const;

    // Drops the pattern, the matches and the subject.
    void Release();

    // Bounds on the runs of the Creates that follow, for a caller that runs what the
    // user typed over what the user loaded: at most `mostMatches` matches are
    // collected (0: all of them; Replace then replaces only those), and a run that
    // takes longer than `mostTime` gives up as the engine's own limits do (0: no
    // bound), so that no pattern holds its caller however long the subject.
    // With a time bound, a run that gives up keeps the matches it found before
    // and says why it stopped (RunStop); without one it leaves no matches.
    struct RunBounds {
        long long mostMatches = 0;
        std::chrono::milliseconds mostTime{0};
        std::function<std::chrono::steady_clock::time_point()> clock;  // null: the steady clock
    };
    void SetRunBounds(const RunBounds& bounds) { bounds_ = bounds; }

    enum class RunStop { Complete, TimeBound, EngineLimit };
    // Why the last run ended: Complete also for a run that found nothing.
    RunStop LastRunStop() const;

    RegexObject(const RegexObject&) = default;
    RegexObject& operator=(const RegexObject&) = default;

private:
    struct Pattern;
    struct Matches;

    // The matches of the pattern over the whole subject; null when the engine gives up.
    static std::shared_ptr<const Matches> Execute(const Pattern& pattern, std::string_view subject,
                                                  const RunBounds& bounds);
    // Group `group` of match i, 0 for the whole match.
    Gbk GroupText(long long i, long long group, long long* byteOffset) const;

    std::shared_ptr<const Pattern> regexp_;   // null before the first Create
    std::shared_ptr<const Matches> matches_;  // null when the last run gave none
    Gbk subject_;
    RunBounds bounds_;
};

}  // namespace trelvix
