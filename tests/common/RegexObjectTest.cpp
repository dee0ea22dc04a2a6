#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "common/regex/RegexObject.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;
using namespace trelvix::test::bytes;

namespace {

struct Options {
    bool caseSensitive = false;
    bool multiline = true;
    bool global = true;
    bool quoteMarker = false;
};

bool RunPattern(RegexObject& r, const std::string& pattern, const std::string& subject, Options o = {}) {
    return r.Create(pattern, subject, o.caseSensitive, o.multiline, o.global, o.quoteMarker);
}

std::vector<std::string> AllMatches(const RegexObject& r) {
    std::vector<std::string> out;
    for (long long i = 1; i <= r.MatchCount(); ++i) out.push_back(r.MatchText(i));
    return out;
}

std::vector<std::string> VisibleAll(const std::vector<std::string>& texts) {
    std::vector<std::string> out;
    for (const auto& t : texts) out.push_back(trelvix::test::Visible(t));
    return out;
}

struct RunCase {
    const char* what;
    std::string pattern, subject;
    Options options;
    bool created;
    std::vector<std::string> matches;
};

TEST(RegexObject, RunsPatternsAsTheScriptEnginesDo) {
    const RunCase cases[] = {
        {"empty subject", "a", "", {}, true, {}},
        {"case ignored by default, text as the subject has it", "abc", "xABCx aBc", {}, true, {"ABC", "aBc"}},
        {"case sensitive finds nothing and still runs", "abc", "xABCx", {.caseSensitive = true}, true, {}},
        {"unbalanced parenthesis is rejected", "(a", "aaa", {}, false, {}},
        {"quote marker becomes a double quote",
         G("#引号(.*?)#引号"),
         "x=\"1\" y=\"22\"",
         {.quoteMarker = true},
         true,
         {"\"1\"", "\"22\""}},
        {"quote marker stays literal without the option",
         G("#引号(.*?)#引号"),
         G("\"1\" #引号2#引号"),
         {},
         true,
         {G("#引号2#引号")}},
        {"without global only the first match", "a", "aaa", {.global = false}, true, {"a"}},
        {"dot takes a two-byte character whole", "a.b", G("a中b"), {}, true, {G("a中b")}},
        {"dot takes CR but not LF", "a.b", "a\rb a\nb", {}, true, {"a\rb"}},
        {"empty matches step one character on", "a*", "baaa", {}, true, {"", "aaa", ""}},
        {"empty matches over two-byte characters", "x*", G("中文"), {}, true, {"", "", ""}},
        {"multiline caret after a line feed", "^b", "a\nb", {}, true, {"b"}},
        {"caret only at the start without multiline", "^b", "a\nb", {.multiline = false}, true, {}},
        {"multiline caret also after a final line feed", "^", "a\n", {}, true, {"", ""}},
        {"dollar only at the very end without multiline", "a$", "a\n", {.multiline = false}, true, {}},
        {"multiline dollar before a line feed, not before CR", "a$", "a\r\na\n", {}, true, {"a"}},
        {"classes are ASCII only", "\\w+|\\d|\\s", G("ab中cd１　"), {}, true, {"ab", "cd"}},
        {"word boundary is ASCII only", "\\bcd", G("中cd"), {}, true, {"cd"}},
        {"hex escape takes exactly two digits", "\\x411", "A1", {}, true, {"A1"}},
        {"hex escape without two digits is a letter x", "\\x4", "x4", {}, true, {"x4"}},
        {"back reference to a group that took no part matches empty", "(a)?b\\1c", "bc", {}, true, {"bc"}},
        {"back reference to a group that matched", "(a)b\\1", "aba abb", {}, true, {"aba"}},
        {"lazy and counted repetition", "<(.*?)>|[0-9]{1,2}", "<a><b> 123", {}, true, {"<a>", "<b>", "12", "3"}},
        {"empty class matches nothing, [^] anything", "[]|[^]", "a\n", {}, true, {"a", "\n"}},
        {"a letter never matches inside a two-byte character", "a", kTrailLowerA + kTrailUpperA, {}, true, {}},
        {"a backslash never matches a second byte", "\\\\", kBackslashTrail + "\\", {}, true, {"\\"}},
        {"ignoring case keeps two-byte characters apart", kTrailLowerA, kTrailUpperA, {}, true, {}},
        {"a two-byte pattern finds its character", G("文"), G("中文"), {.caseSensitive = true}, true, {G("文")}},
        {"\\C could stop inside a character, so it is refused", "\\C", "C", {}, false, {}},
    };
    for (const auto& c : cases) {
        RegexObject r;
        EXPECT_EQ(RunPattern(r, c.pattern, c.subject, c.options), c.created) << c.what;
        EXPECT_EQ(VisibleAll(AllMatches(r)), VisibleAll(c.matches)) << c.what;
        EXPECT_EQ(r.MatchText(1), c.matches.empty() ? "" : c.matches[0]) << c.what;
    }
}

// Left alone, this search would backtrack 2^30 ways: the engine's limits end
// it as a failed run, however fast the machine.
TEST(RegexObject, RunawayBacktrackingEndsAtTheEnginesLimits) {
    RegexObject r;
    EXPECT_FALSE(r.Create("(a+)+$", std::string(30, 'a') + "b"));
    EXPECT_EQ(r.MatchCount(), 0);
    EXPECT_EQ(r.SubMatchCount(), 0);
    EXPECT_EQ(r.Replace("x"), "");
}

TEST(RegexObject, ALargeCatalogueStaysWithinTheLimits) {
    // As long as the longest catalogue lines, and far more of them.
    std::string catalogue;
    for (int i = 0; i < 200; ++i) {
        if (i) catalogue += "\r\n";
        catalogue += "add name=p" + std::to_string(i) + " regexp=\"^" + std::string(7938, 'x') + "\"";
    }
    RegexObject r;
    ASSERT_TRUE(r.Create("add name=(.*?) regexp=\"(.*?)\"", catalogue, true, true));
    ASSERT_EQ(r.MatchCount(), 200);
    EXPECT_EQ(r.SubMatchText(200, 1), "p199");
    EXPECT_EQ(r.SubMatchText(200, 2), "^" + std::string(7938, 'x'));
}

constexpr long long kWhole = -100;  // MatchText rather than SubMatchText

struct GroupCase {
    const char* what;
    std::string pattern, subject;
    long long match, group;
    std::string text;
    long long offset;
};

TEST(RegexObject, TextsAndByteOffsetsOfMatchesAndGroups) {
    const GroupCase cases[] = {
        {"a letter after a two-byte character", "a", G("中a"), 1, kWhole, "a", 2},
        {"the second of two equal matches", "a", "aa", 2, kWhole, "a", 1},
        {"first match at the start", "a", "aa", 1, kWhole, "a", 0},
        {"a group at its own place, not at an earlier equal text", "(a)(a)", "aa", 1, 2, "a", 1},
        {"a group after two-byte characters", "(.)(b)", G("中中b"), 1, 2, "b", 4},
        {"a two-byte match after two-byte characters", G("文"), G("中文文"), 2, kWhole, G("文"), 4},
        {"a match found by folding case", "b", "aBb", 1, kWhole, "B", 1},
        {"a group that took no part", "(x)?(a)", "a", 1, 1, "", -2},
        {"the group beside it", "(x)?(a)", "a", 1, 2, "a", 0},
        {"an empty group that took part", "a()", "ba", 1, 1, "", 2},
        {"match 0", "a", "aa", 0, kWhole, "", -2},
        {"match -1", "a", "aa", -1, kWhole, "", -2},
        {"a match past the last", "a", "aa", 3, kWhole, "", -2},
        {"a match of a rejected pattern", "(a", "a", 1, kWhole, "", -2},
        {"group 0 is no group", "(a)", "a", 1, 0, "", -2},
        {"group -1", "(a)", "a", 1, -1, "", -2},
        {"a group past the last", "(a)", "a", 1, 2, "", -2},
        {"a group of a match past the last", "(a)", "a", 2, 1, "", -2},
        {"a group of a rejected pattern", "(a", "a", 1, 1, "", -2},
    };
    for (const auto& c : cases) {
        RegexObject r;
        RunPattern(r, c.pattern, c.subject);
        long long offset = 99;
        if (c.group == kWhole) {
            EXPECT_EQ(r.MatchText(c.match, &offset), c.text) << c.what;
            EXPECT_EQ(r.MatchText(c.match), c.text) << c.what;
        } else {
            EXPECT_EQ(r.SubMatchText(c.match, c.group, &offset), c.text) << c.what;
            EXPECT_EQ(r.SubMatchText(c.match, c.group), c.text) << c.what;
        }
        EXPECT_EQ(offset, c.offset) << c.what;
    }
}

TEST(RegexObject, HelpLinesKeepTheirCarriageReturn) {
    const std::string help = G("[正则表达式语法说明]\r\nlen=2\r\n1=\\\t转义{#换}字符\r\n7=.\t除换行符以外\r\n");
    RegexObject r;
    ASSERT_TRUE(r.Create("([0-9]{1,2})=(.*)\t(.*?)\n", help));
    ASSERT_EQ(r.MatchCount(), 2);
    EXPECT_EQ(r.SubMatchCount(), 3);
    EXPECT_EQ(r.SubMatchText(1, 1), "1");
    EXPECT_EQ(r.SubMatchText(1, 2), "\\");
    EXPECT_EQ(Visible(r.SubMatchText(1, 3)), Visible(G("转义{#换}字符\r")));
    EXPECT_EQ(r.SubMatchText(2, 1), "7");
    EXPECT_EQ(r.SubMatchText(2, 2), ".");
    EXPECT_EQ(Visible(r.SubMatchText(2, 3)), Visible(G("除换行符以外\r")));
}

struct ReplaceCase {
    const char* what;
    std::string pattern, subject, replacement;
    Options options;
    std::string result;
};

TEST(RegexObject, ReplaceExpandsTheDollarForms) {
    const ReplaceCase cases[] = {
        {"every match by default", "a", "banana", "o", {}, "bonono"},
        {"only the first without global", "a", "banana", "o", {.global = false}, "bonana"},
        {"empty replacement by default", "a", "banana", "", {}, "bnn"},
        {"no match leaves the subject", "x", G("中a"), "y", {}, G("中a")},
        {"whole match and groups", "(\\w+)@(\\w+)", "me@host", "$2 at $1 ($&)", {}, "host at me (me@host)"},
        {"text before and after", "b", "abc", "[$`|$']", {}, "a[a|c]c"},
        {"a doubled dollar is one", "b", "abc", "$$1", {}, "a$1c"},
        {"$0, a lone dollar and a missing group stay as typed", "(b)", "abc", "$0$x$2$", {}, "a$0$x$2$c"},
        {"two digits when they name a group", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "abcdefghij", "$10|$01", {}, "j|a"},
        {"one digit when two name no group", "(a)", "a", "$10", {}, "a0"},
        {"a group that took no part is empty", "(x)?a", "a", "[$1]", {}, "[]"},
        {"empty matches step on", "x*", "ab", "-", {}, "-a-b-"},
        {"two-byte characters pass whole", "b", G("中b文"), G("乗$&文"), {}, G("中乗b文文")},
        {"a dollar after a two-byte character", "b", "b", kBackslashTrail + "$&", {}, kBackslashTrail + "b"},
        {"a dollar after a lone lead byte",
         "b",
         "b",
         "\x81$&",
         {},
         "\x81"
         "b"},
    };
    for (const auto& c : cases) {
        RegexObject r;
        ASSERT_TRUE(RunPattern(r, c.pattern, c.subject, c.options)) << c.what;
        EXPECT_EQ(Visible(r.Replace(c.replacement)), Visible(c.result)) << c.what;
    }
    RegexObject rejected;
    rejected.Create("(", "abc");
    EXPECT_EQ(rejected.Replace("x"), "");
    EXPECT_EQ(RegexObject().Replace("x"), "");
}

TEST(RegexObject, ASecondCreateForgetsTheFirstRunEntirely) {
    RegexObject r;
    EXPECT_EQ(r.PatternText(), "");
    ASSERT_TRUE(r.Create(G("(#引号)(x)"), "\"x \"X", true, true, true, true));
    EXPECT_EQ(r.PatternText(), "(\")(x)");
    EXPECT_EQ(r.MatchCount(), 1);
    EXPECT_EQ(r.SubMatchCount(), 2);

    // The options go with the run: case is ignored again, the marker stays literal.
    ASSERT_TRUE(r.Create(G("#引号|y"), "Y"));
    EXPECT_EQ(r.PatternText(), G("#引号|y"));
    EXPECT_EQ(AllMatches(r), std::vector<std::string>{"Y"});
    EXPECT_EQ(r.SubMatchCount(), 0);
    EXPECT_EQ(r.SubMatchText(1, 1), "");
    EXPECT_EQ(r.Replace("z"), "z");

    // A rejected pattern leaves nothing of the run before it, but keeps its text.
    EXPECT_FALSE(r.Create("y(", "Y"));
    EXPECT_EQ(r.PatternText(), "y(");
    EXPECT_EQ(r.MatchCount(), 0);
    EXPECT_EQ(r.MatchText(1), "");
    EXPECT_EQ(r.Replace("z"), "");

    r.Reserved();
    r.Release();
    EXPECT_EQ(r.PatternText(), "");
    EXPECT_EQ(r.MatchCount(), 0);
}

TEST(RegexObject, ACopyKeepsTheRunWhenTheOriginalGoes) {
    auto original = std::make_unique<RegexObject>();
    ASSERT_TRUE(original->Create("(b)", G("a中b")));
    std::unique_ptr<RegexObject> copy = original->Copy();
    original->Release();
    EXPECT_EQ(original->MatchCount(), 0);
    original.reset();

    EXPECT_EQ(copy->PatternText(), "(b)");
    ASSERT_EQ(copy->MatchCount(), 1);
    long long offset = 0;
    EXPECT_EQ(copy->SubMatchText(1, 1, &offset), "b");
    EXPECT_EQ(offset, 3);
    EXPECT_EQ(copy->Replace("[$1]"), G("a中[b]"));

    // The copy runs a pattern of its own without touching a second copy.
    RegexObject second(*copy);
    ASSERT_TRUE(copy->Create("a", "aa"));
    EXPECT_EQ(copy->MatchCount(), 2);
    EXPECT_EQ(second.MatchCount(), 1);
    EXPECT_EQ(second.MatchText(1), "b");
}

TEST(RegexObject, BrokenGbkCostsOneCharacterAndKeepsTheOffsets) {
    // 81 20 is a lead byte with no valid second byte, FF is no character at all:
    // each stands for one unknown character and the text after it is read as usual.
    const std::string subject =
        "\x81 a\xFF"
        "b" +
        G("中") + "c";
    RegexObject r;
    ASSERT_TRUE(r.Create("[a-c]", subject));
    ASSERT_EQ(r.MatchCount(), 3);
    long long offset = 0;
    EXPECT_EQ(r.MatchText(1, &offset), "a");
    EXPECT_EQ(offset, 2);
    EXPECT_EQ(r.MatchText(2, &offset), "b");
    EXPECT_EQ(offset, 4);
    EXPECT_EQ(r.MatchText(3, &offset), "c");
    EXPECT_EQ(offset, 7);
    // The bytes come back as the subject has them.
    ASSERT_TRUE(r.Create("^. a.", subject));
    EXPECT_EQ(Visible(r.MatchText(1)), Visible("\x81 a\xFF"));
}

// A time-bounded run finds what an unbounded one finds, however its searches are
// cut into windows of start positions; a cap keeps the first matches.
TEST(RegexObject, BoundedRunsFindTheSameMatchesAndStopAtTheirBounds) {
    const std::string longText = std::string(40, 'x') + G("中文") + "ab\r\n" + std::string(50, 'y') + "ab";
    struct Case {
        std::string pattern;
        std::string subject;
    };
    const Case cases[] = {
        {"ab", longText},     {"a*", G("中a文")},    {"(?<=y)a", longText}, {"^y+", longText},
        {"[^x]+$", longText}, {G("中文"), longText}, {"x{30,}", longText},  {"b|$", longText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        RegexObject plain, bounded;
        bounded.SetRunBounds({0, std::chrono::milliseconds(60000), {}});
        ASSERT_TRUE(plain.Create(c.pattern, c.subject));
        ASSERT_TRUE(bounded.Create(c.pattern, c.subject));
        ASSERT_EQ(bounded.MatchCount(), plain.MatchCount());
        for (long long i = 1; i <= plain.MatchCount(); ++i) {
            long long at = 0, boundedAt = 0;
            EXPECT_EQ(bounded.MatchText(i, &boundedAt), plain.MatchText(i, &at));
            EXPECT_EQ(boundedAt, at);
        }
    }
    RegexObject capped;
    capped.SetRunBounds({3, std::chrono::milliseconds(0), {}});
    ASSERT_TRUE(capped.Create("y", longText));
    EXPECT_EQ(capped.MatchCount(), 3);

    // Costly at every position of a long subject, yet under the engine's limits at
    // each: the clock (here one that moves on 200 ms at every reading) is read
    // between a few positions at a time, so the time bound ends it, and the
    // run says so.
    std::string lines;
    while (lines.size() < 400000) lines += std::string(100, 'a') + "\r\n";
    RegexObject slow;
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    slow.SetRunBounds({0, std::chrono::milliseconds(500), [now] { return *now += std::chrono::milliseconds(200); }});
    EXPECT_TRUE(slow.Create("a*a*a*[xy]", lines));
    EXPECT_EQ(slow.MatchCount(), 0);
    EXPECT_EQ(slow.LastRunStop(), RegexObject::RunStop::TimeBound);
}

}  // namespace
