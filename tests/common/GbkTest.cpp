#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "common/text/Gbk.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;
using namespace trelvix::test::bytes;

namespace {

struct FindCase {
    std::string text, what;
    long long start;
    bool caseSensitive;
    long long expected;
};

TEST(GbkFind, PositionsStepOverTwoByteCharacters) {
    const FindCase cases[] = {
        {"abcabc", "c", 1, true, 3},
        {"abcabc", "c", 4, true, 6},
        {"abcabc", "c", 0, true, 3},
        {"abcabc", "c", 7, true, -1},
        {"abc", "", 1, true, 1},
        {"", "", 1, true, -1},
        {"", "a", 1, true, -1},
        {"ABC", "b", 1, false, 2},
        {"ABC", "b", 1, true, -1},
        // A backslash that is the second byte of 乗 is not a backslash.
        {kBackslashTrail, "\\", 1, true, -1},
        {kBackslashTrail + "\\", "\\", 1, true, 3},
        // Starting on a second byte does not make it a character of its own.
        {kBackslashTrail + "\\", "\\", 2, true, 3},
        // B2 E2 CA D4: "E2 CA" spans two characters, "B2" is half of one.
        {G("测试"), "\xE2\xCA", 1, true, -1},
        {G("测试"), "\xB2", 1, true, -1},
        {G("a测试"), G("试"), 1, true, 4},
        // Letter folding never reaches a second byte.
        {kTrailUpperA, "a", 1, false, -1},
        {kTrailUpperA, "A", 1, true, -1},
        {kTrailUpperA, kTrailLowerA, 1, false, -1},
        {"x" + kTrailUpperA + "A", "a", 1, false, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.text, c.what, c.start, c.caseSensitive), c.expected)
            << Visible(c.text) << " / " << Visible(c.what) << " from " << c.start;
    }
}

TEST(GbkSplit, KeepsInnerEmptyPiecesAndDropsATrailingOne) {
    struct Case {
        std::string text, separator;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a,,b,", ",", {"a", "", "b"}},
        {"a,b,,", ",", {"a", "b", ""}},
        {",a", ",", {"", "a"}},
        {",", ",", {""}},
        {"a", ",", {"a"}},
        {"", ",", {}},
        {"a::b:c", "::", {"a", "b:c"}},
        {"abc", "", {"abc"}},
        // Only the lone backslash separates; the one inside 乗 does not.
        {kBackslashTrail + "\\x", "\\", {kBackslashTrail, "x"}},
        {G("测试#办公室#"), "#", {G("测试"), G("办公室")}},
    };
    for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.separator), c.pieces) << Visible(c.text);
}

TEST(GbkTrim, RemovesAsciiAndFullWidthBlanksOnCharacterBoundaries) {
    struct Case {
        std::string text, trimmed;
    };
    const Case cases[] = {
        {"  \t a b \r\n", "a b"},
        {G("　a　"), "a"},
        {G("　 　"), ""},
        {"", ""},
        // 啊 is B0 A1: followed by A1 A1 the last two bytes are a full-width blank...
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
        // ...but B0 A1 | A1 A1 | A1 ends in a lone byte, not in a blank.
        {"\xB0\xA1\xA1\xA1\xA1", "\xB0\xA1\xA1\xA1\xA1"},
        {" \xB0\xA1\xA1\xA1 ", "\xB0\xA1"},
    };
    for (const auto& c : cases) EXPECT_EQ(Trim(c.text), c.trimmed) << Visible(c.text);
    EXPECT_EQ(TrimSpaces(G(" \tv　")), "\tv");
}

TEST(GbkParts, LengthsOfZeroOrLessAreEmpty) {
    EXPECT_EQ(Left("abc", 2), "ab");
    EXPECT_EQ(Left("abc", 0), "");
    EXPECT_EQ(Left("abc", -1), "");
    EXPECT_EQ(Left("abc", 9), "abc");
    EXPECT_EQ(Right("abc", 2), "bc");
    EXPECT_EQ(Right("abc", 0), "");
    EXPECT_EQ(Right("abc", 9), "abc");
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 2), "bcdef");
    EXPECT_EQ(Mid("abcdef", 2, 0), "");
    EXPECT_EQ(Mid("abcdef", 7, 1), "");
    EXPECT_EQ(Mid("abcdef", 0, 2), "ab");
    EXPECT_EQ(Mid("abcdef", 5, 9), "ef");
}

TEST(GbkToInt64, ReadsTheLeadingIntegerAndSaturates) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<std::string, std::int64_t> cases[] = {
        {"42", 42},
        {"  42abc", 42},
        {"\t\r\n-17", -17},
        {"+5", 5},
        {"007", 7},
        {"12.9", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 5", 0},
        {"9223372036854775807", kMax},
        {"9223372036854775808", kMax},
        {"99999999999999999999999", kMax},
        {"-9223372036854775808", kMin},
        {"-9223372036854775809", kMin},
        {"-99999999999999999999999", kMin},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ToInt64(text), value) << text;
}

TEST(GbkNumberToText, ThirteenSignificantDigitsWithoutTrailingZeros) {
    const std::pair<double, std::string> cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.5, "1.5"},
        {2.50, "2.5"},
        {-0.5, "-0.5"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.3333333333333"},
        {2.0 / 3.0, "0.6666666666667"},
        {1234567890123.4, "1234567890123"},
        {1e15, "1000000000000000"},
        {123456789012345678.0, "123456789012300000"},
        {0.00012, "0.00012"},
        {1e-10, "1E-10"},
        {1.5e25, "1.5E+25"},
        // The fourteenth digit is a 5: halves go away from zero.
        {1.0000000000005, "1.000000000001"},
        {-1.0000000000005, "-1.000000000001"},
        {9.9999999999999, "10"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(NumberToText(value), text) << value;
}

TEST(GbkRoundHalfAway, HalvesGoAwayFromZero) {
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.5, 0, 3.0},    {-2.5, 0, -3.0},      {0.5, 0, 1.0},        {-0.5, 0, -1.0}, {0.4, 0, 0.0},
        {0.05, 0, 0.0},   {1.005, 2, 1.01},     {2.675, 2, 2.68},     {1.004, 2, 1.0}, {0.005, 2, 0.01},
        {9.995, 2, 10.0}, {1234.5, -2, 1200.0}, {1250.0, -2, 1300.0}, {0.0, 2, 0.0},   {3.0, 2, 3.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RoundHalfAway(c.value, c.decimals), c.expected) << c.value << " at " << c.decimals;
    }
}

TEST(GbkReplaceAll, NoRescanAndNoMatchAcrossCharacters) {
    struct Case {
        std::string text, find, replacement;
        bool caseSensitive;
        long long start, count;
        std::string expected;
    };
    const Case cases[] = {
        {"aaa", "a", "b", true, 1, -1, "bbb"},
        {"aa", "a", "aa", true, 1, -1, "aaaa"},
        {"abab", "ab", "x", true, 2, -1, "abx"},
        {"aaaa", "a", "b", true, 1, 2, "bbaa"},
        {"aaaa", "a", "b", true, 1, 0, "aaaa"},
        {"AbA", "a", "x", false, 1, -1, "xbx"},
        {"AbA", "a", "x", true, 1, -1, "AbA"},
        {"abc", "", "x", true, 1, -1, "abc"},
        {kBackslashTrail + "\\", "\\", "/", true, 1, -1, kBackslashTrail + "/"},
        {kBackslashTrail + "\\", "\\", "/", true, 2, -1, kBackslashTrail + "/"},
        {G("测试"), "\xE2\xCA", "X", true, 1, -1, G("测试")},
        {kTrailUpperA + "a", "A", "x", false, 1, -1, kTrailUpperA + "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement, c.caseSensitive, c.start, c.count), c.expected)
            << Visible(c.text) << " / " << Visible(c.find);
    }
}

TEST(GbkCaseFolding, OnlyOneByteLetters) {
    EXPECT_TRUE(EqualsNoCase("ABC", "abc"));
    EXPECT_TRUE(EqualsNoCase("", ""));
    EXPECT_FALSE(EqualsNoCase("a", "ab"));
    EXPECT_FALSE(EqualsNoCase(kTrailUpperA, kTrailLowerA));
    EXPECT_TRUE(EqualsNoCase("X" + kTrailUpperA, "x" + kTrailUpperA));
    EXPECT_EQ(ToLowerAscii("AB" + kTrailUpperA + "C"), "ab" + kTrailUpperA + "c");
    EXPECT_EQ(ToUpperAscii("ab" + kTrailLowerA + "c"), "AB" + kTrailLowerA + "C");
}

}  // namespace
