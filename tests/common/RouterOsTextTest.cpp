#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>
#include <regex>
#include <string_view>

#include "common/platform/Random.h"
#include "common/text/RouterOsText.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;
using trelvix::test::bytes::kBackslashTrail;

namespace {

TEST(RouterOsEscapes, EncodeAndDecodeBothWays) {
    const std::pair<std::string, std::string> cases[] = {
        {"a b/c_d:e", "a\\20b\\2Fc\\5Fd\\3Ae"},
        {G("a b/测试-1.2"), "a\\20b\\2F\\B2\\E2\\CA\\D4-1.2"},
        {"100%", "100\\25"},
        {"", ""},
        {std::string("\0\xFF", 2), "\\00\\FF"},
        {kBackslashTrail, "\\81\\5C"},
    };
    for (const auto& [plain, escaped] : cases) {
        EXPECT_EQ(EncodeRouterOsEscapes(plain), escaped) << Visible(plain);
        EXPECT_EQ(DecodeRouterOsEscapes(escaped), plain) << escaped;
    }
}

TEST(RouterOsEscapes, OnlyLettersDigitsDashAndDotAreSafe) {
    const std::pair<unsigned char, std::string> cases[] = {
        {0x2C, "\\2C"}, {0x2D, "-"},    {0x2E, "."},    {0x2F, "\\2F"}, {0x30, "0"},
        {0x39, "9"},    {0x3A, "\\3A"}, {0x40, "\\40"}, {0x41, "A"},    {0x5A, "Z"},
        {0x5B, "\\5B"}, {0x60, "\\60"}, {0x61, "a"},    {0x7A, "z"},    {0x7B, "\\7B"},
    };
    for (const auto& [byte, escaped] : cases) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeRouterOsEscapes(one), escaped) << int(byte);
        const std::string percent = escaped.size() == 1 ? escaped : "%" + escaped.substr(1);
        EXPECT_EQ(PercentEncode(one, true), percent) << int(byte);
    }
}

TEST(RouterOsEscapes, DecodeTakesOnlyBackslashAndTwoHexDigits) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\b2\\e2\\ca\\d4", G("测试")},
        {"\\B2\\e2\\Ca\\d4", G("测试")},
        // The second byte of 乗 is no escape, even with hex digits after it.
        {kBackslashTrail + "41", kBackslashTrail + "41"},
        {G("乗乗"), G("乗乗")},
        {"a\\", "a\\"},
        {"a\\4", "a\\4"},
        {"\\G1", "\\G1"},
        {"\\4G", "\\4G"},
        {"%41", "%41"},
        {"100%", "100%"},
        // A decoded backslash is not read again.
        {"\\5C41", "\\41"},
        {"\\\\41", "\\A"},
    };
    for (const auto& [escaped, plain] : cases) {
        EXPECT_EQ(DecodeRouterOsEscapes(escaped), plain) << Visible(escaped);
    }
}

TEST(PercentEscapes, EncodeEveryByteOrKeepTheSafeOnes) {
    EXPECT_EQ(PercentEncode("A1"), "%41%31");
    EXPECT_EQ(PercentEncode("A1", true), "A1");
    EXPECT_EQ(PercentEncode(""), "");
    EXPECT_EQ(PercentEncode("a b~", true), "a%20b%7E");
    EXPECT_EQ(PercentEncode(G("测"), false), "%B2%E2");
    EXPECT_EQ(PercentEncode(G("测 x"), true, true), "%E6%B5%8B%20x");
}

TEST(PercentEscapes, DecodeLeavesAPercentWithoutTwoHexDigits) {
    const std::pair<std::string, std::string> cases[] = {
        {"%41%4a%4A", "AJJ"}, {"%", "%"},     {"a%", "a%"},     {"%4", "%4"},
        {"%G1", "%G1"},       {"%%41", "%A"}, {"\\41", "\\41"}, {"", ""},
    };
    for (const auto& [escaped, plain] : cases) EXPECT_EQ(PercentDecode(escaped), plain) << escaped;
    EXPECT_EQ(PercentDecode("%E6%B5%8B%E8%AF%95", true), G("测试"));
    EXPECT_EQ(PercentDecode("%B2%E2"), G("测"));
}

TEST(Quoting, QuoteWrapsAsItStandsAndQuoteTypedEscapes) {
    EXPECT_EQ(Quote("a\"b\\c$"), "\"a\"b\\c$\"");
    EXPECT_EQ(Quote(""), "\"\"");
    const std::pair<std::string, std::string> typed[] = {
        {"pa$$\"1", "\"pa\\$\\$\\\"1\""},
        {"a\\b", "\"a\\\\b\""},
        {"", "\"\""},
        {"why?", "\"why\\?\""},
        // RouterOS reads bytes: the second byte of a character is escaped like any other.
        {kBackslashTrail, "\"\x81\x5C\x5C\""},
        {kBackslashTrail + "\\", "\"\x81\x5C\x5C\x5C\x5C\""},
        {G("淺"), "\"\x9C\x5C\x5C\""},
        {G("测试"), "\"" + G("测试") + "\""},
        // A lone lead byte does not swallow the quote after it.
        {"\x81\"", "\"\x81\\\"\""},
        {"\x81$", "\"\x81\\$\""},
        // A pasted line break stays inside the string as the router's own escapes.
        {"a\r\n/system reset", "\"a\\r\\n/system reset\""},
        {"\n\r", "\"\\n\\r\""},
    };
    // Bytes, not their visible forms: Visible shows a CR and the escape \r alike.
    for (const auto& [text, quoted] : typed) EXPECT_EQ(QuoteTyped(text), quoted) << Visible(text);
}

// Reads one RouterOS double-quoted string the way the router does: byte by byte,
// knowing nothing of GBK. Gives nothing where the router would not store the text
// as it stands: a bare $ (a variable), a bare ? (a pasted ? asks the terminal for
// help), an unknown escape, no closing quote, or anything after it.
std::optional<std::string> ReadRouterOsString(std::string_view line) {
    if (line.empty() || line[0] != '"') return std::nullopt;
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    std::string out;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') return i + 1 == line.size() ? std::optional<std::string>(out) : std::nullopt;
        if (c == '$' || c == '?') return std::nullopt;
        // A line break ends the command, string or not.
        if (c == '\r' || c == '\n') return std::nullopt;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++i == line.size()) return std::nullopt;
        switch (const char e = line[i]) {
            case '"':
            case '\\':
            case '$':
            case '?': out.push_back(e); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case '_': out.push_back(' '); break;
            default:
                if (!hex(e) || i + 1 == line.size() || !hex(line[i + 1])) return std::nullopt;
                out.push_back(static_cast<char>(std::stoi(std::string(line.substr(i, 2)), nullptr, 16)));
                ++i;
        }
    }
    return std::nullopt;
}

bool IsBareByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
           std::string_view("-_.:/,@+").find(c) != std::string_view::npos;
}

// Random byte strings in which the bytes that matter turn up often: the three
// escaped bytes, "?", blanks, GBK lead bytes and 0x5C as a second byte.
std::string RandomTypedBytes(std::mt19937& engine) {
    static const std::string kOften = "\\\"$?ab09-_./:,@+ ;=[]{}()#\t\r\n\x81\x9C\xB2\xE2\xFE\xFF\x5C\x40\x7F\x80";
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> kind(0, 2);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, kOften.size() - 1);
    std::string out;
    for (int n = length(engine); n > 0; --n)
        out.push_back(kind(engine) == 0 ? static_cast<char>(anyByte(engine)) : kOften[pick(engine)]);
    return out;
}

TEST(Quoting, TheReaderRefusesWhatBreaksALine) {
    // The reader is the yardstick below, so it must catch the faults it is there for.
    EXPECT_EQ(ReadRouterOsString("\"a\\$b\\\"c\\\\d\\?\""), "a$b\"c\\d?");
    EXPECT_EQ(ReadRouterOsString("\"\\41\\_\""), "A ");
    for (const std::string broken :
         {"\"\x9C\x5C\"", "\"\x81\"\"", "\"a$b\"", "\"a?\"", "\"a\"b", "\"a", "a", "\"\\q\"", "\"a\r\nb\"", "\"a\nb\""})
        EXPECT_EQ(ReadRouterOsString(broken), std::nullopt) << Visible(broken);
}

TEST(Quoting, EveryTypedByteStringReadsBackExactly) {
    std::mt19937 engine(20240601);
    for (int round = 0; round < 20000; ++round) {
        const std::string typed = RandomTypedBytes(engine);
        const Gbk quoted = QuoteTyped(typed);
        ASSERT_EQ(ReadRouterOsString(quoted), typed) << Visible(typed) << " -> " << Visible(quoted);

        const Gbk word = TypedWord(typed);
        const bool bare = std::all_of(typed.begin(), typed.end(), IsBareByte);
        ASSERT_EQ(word, bare ? typed : quoted) << Visible(typed) << " -> " << Visible(word);
    }
}

TEST(Quoting, TypedWordStaysBareOnlyForPlainBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"PCQ-up", "PCQ-up"},
        {"PCQ-up/PCQ-down", "PCQ-up/PCQ-down"},
        {"a_b.c:d/e,f@g+h09", "a_b.c:d/e,f@g+h09"},
        {"08h30m00s-24h00m00s,mon,fri", "08h30m00s-24h00m00s,mon,fri"},
        // One value, quoted whole: not two quoted halves around the "/".
        {"PCQ up/PCQ-down", "\"PCQ up/PCQ-down\""},
        {"WAN\"", "\"WAN\\\"\""},
        {"$wan", "\"\\$wan\""},
        {"a;b", "\"a;b\""},
        {"a=b", "\"a=b\""},
        {"{UP}", "\"{UP}\""},
        {"x?", "\"x\\?\""},
        {G("上行"), "\"" + G("上行") + "\""},
        {G("淺"), "\"\x9C\x5C\x5C\""},
    };
    for (const auto& [typed, word] : cases) EXPECT_EQ(Visible(TypedWord(typed)), Visible(word)) << Visible(typed);
}

TEST(Quoting, CommentFromBoxEscapesTheText) {
    EXPECT_EQ(CommentFromBox(G("办公室")), " comment=\"\\B0\\EC\\B9\\AB\\CA\\D2\"");
    EXPECT_EQ(CommentFromBox(""), "");
}

BatchReplaceOptions Options(std::optional<long long> count, long long start, bool caseSensitive) {
    BatchReplaceOptions options;
    options.count = count;
    options.start = start;
    options.caseSensitive = caseSensitive;
    return options;
}

TEST(BatchReplace, PairsApplyInOrderWithoutCaseByDefault) {
    struct Case {
        std::string text;
        std::vector<ReplacePair> pairs;
        BatchReplaceOptions options;
        std::string expected;
    };
    const Case cases[] = {
        {"a", {{"a", "b"}, {"b", "c"}}, {}, "c"},
        {"AaA", {{"a", "x"}}, {}, "xxx"},
        {"AaA", {{"a", "x"}}, Options({}, 1, true), "AxA"},
        {"aaa", {{"a", "b"}}, Options(1, 1, false), "baa"},
        {"aaa", {{"a", "b"}}, Options({}, 2, false), "abb"},
        {"aaa", {{"a", "b"}}, Options({}, 0, false), "bbb"},
        {"abc", {{"", "x"}, {"b", "y"}}, {}, "ayc"},
        {"name-%qq%", {{"%QQ%", "12345"}}, {}, "name-12345"},
        // 81 51 ends in the letter Q: not a letter here, so no match for "q".
        {"\x81\x51q", {{"q", "x"}}, {}, "\x81\x51x"},
        {G("测试"), {{"\xE2\xCA", "X"}}, {}, G("测试")},
        {"{a}{b}{c}{d}{e}", {{"{a}", "1"}, {"{b}", "2"}, {"{c}", "3"}, {"{d}", "4"}, {"{e}", "5"}}, {}, "12345"},
    };
    for (const auto& c : cases) EXPECT_EQ(BatchReplace(c.text, c.pairs, c.options), c.expected) << c.text;
    EXPECT_EQ(BatchReplace("{wan}-{wan}", {{"{wan}", "ether1"}}), "ether1-ether1");
}

TEST(NormalizeRate, MbFirstOtherwiseEveryM) {
    const std::pair<std::string, std::string> cases[] = {
        {"10mb", "10M"},         {"10m", "10M"}, {"10MB", "10MB"}, {"512k", "512k"},
        {"10m/20mb", "10m/20M"}, {"mm", "MM"},   {"", ""},
    };
    for (const auto& [text, rate] : cases) EXPECT_EQ(NormalizeRate(text), rate) << text;
}

TEST(IntToHex, UpperCaseWithoutLeadingZeros) {
    const std::pair<std::int64_t, std::string> cases[] = {
        {-1, ""}, {0, "0"}, {10, "A"}, {255, "FF"}, {4096, "1000"}, {INT64_MAX, "7FFFFFFFFFFFFFFF"},
    };
    for (const auto& [value, hex] : cases) EXPECT_EQ(IntToHex(value), hex) << value;
}

TEST(RandomMacList, OctetsAlwaysTwoUpperCaseDigits) {
    struct Case {
        std::string prefix;
        bool usePrefix;
        long long count;
        int separatorKind;
        std::string expected;
    };
    const Case cases[] = {
        {"", false, 1, 1, "00:0F:AB:FF:10:05"},
        {"", false, 1, 2, "00-0F-AB-FF-10-05"},
        {"", false, 1, 0, "000FABFF1005"},
        {"", false, 1, 7, "000FABFF1005"},
        {"00:0C:29:", true, 2, 1, "00:0C:29:00:0F:AB\r\n00:0C:29:FF:10:05"},
        {"", false, 2, 2, "00-0F-AB-FF-10-05\r\n00-0F-AB-FF-10-05"},
        {"", false, 0, 1, ""},
        {"", false, -1, 1, ""},
    };
    for (const auto& c : cases) {
        FixedRandom random({0x00, 0x0F, 0xAB, 0xFF, 0x10, 0x05});
        EXPECT_EQ(RandomMacList(random, c.prefix, c.usePrefix, c.count, c.separatorKind), c.expected)
            << c.count << " kind " << c.separatorKind;
    }
    // Whatever the source gives, an octet is one byte's worth.
    FixedRandom wide({0x1234, 0xFFFFFFFF, 0x100});
    EXPECT_EQ(RandomMacList(wide, "", false, 1, 1), "34:FF:00:34:FF:00");

    SeededRandom seeded(7);
    const std::string list = RandomMacList(seeded, "", false, 200, 2);
    const std::regex line("([0-9A-F]{2}-){5}[0-9A-F]{2}");
    std::size_t lines = 0;
    for (std::size_t at = 0; at <= list.size(); ++lines) {
        const std::size_t end = std::min(list.find("\r\n", at), list.size());
        EXPECT_TRUE(std::regex_match(list.substr(at, end - at), line)) << list.substr(at, end - at);
        at = end + 2;
    }
    EXPECT_EQ(lines, 200u);
}

TEST(TextBetween, MarkersAndEdges) {
    struct Case {
        std::string text, left, right;
        long long start;
        bool ignoreCase;
        std::string expected;
    };
    const Case cases[] = {
        {"<a>x</a>", "<a>", "</a>", 1, false, "x"},
        {"<a>x</a>", "<b>", "</a>", 1, false, ""},
        {"b]a[", "[", "]", 1, false, ""},
        {"[a]", "[", "", 1, false, ""},
        {"abc]def]", "", "]", 1, false, "abc"},
        {"abc]def]", "", "]", 5, false, "abc"},
        {"abc", "", "]", 1, false, ""},
        {"", "", "]", 1, false, ""},
        {"abc[", "[", "]", 1, false, ""},
        {"[]", "[", "]", 1, false, ""},
        {"[a][b]", "[", "]", 2, false, "b"},
        {"[a][b]", "[", "]", -3, false, "a"},
        {"<A>x</A>", "<a>", "</a>", 1, true, "x"},
        {"<A>x</A>", "<a>", "</a>", 1, false, ""},
        {"x=\"v1\" y=\"v2\"", G("#引号"), G("#引号"), 1, false, "v1"},
        {"x=\"v1\"", G("x=#引号"), G("#引号"), 1, false, "v1"},
        // The backslash inside 乗 is no marker.
        {kBackslashTrail + "x\\y\\", "\\", "\\", 1, false, "y"},
        {G("版本:2.8\\强制更新:0\\"), G("版本:"), "\\", 1, false, "2.8"},
        {G("版本:乗\\强制更新:1\\"), G("版本:"), "\\", 1, false, G("乗")},
        {G("版本:2.8\\强制更新:1\\"), G("强制更新:"), "\\", 1, false, "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected)
            << Visible(c.text) << " / " << Visible(c.left) << " / " << Visible(c.right);
    }
}

TEST(IpPrefix3, ThreeOrFourPartsGiveTheFirstThree) {
    const std::pair<std::string, std::string> cases[] = {
        {"192.168.1", "192.168.1."},
        {"192.168.1.0", "192.168.1."},
        {"192.168.1.", "192.168.1."},
        {"192.168", ""},
        {"1.2.3.4.5", ""},
        {"", ""},
        {"a.b.c", "a.b.c."},
        {"10..1", "10..1."},
    };
    for (const auto& [text, prefix] : cases) EXPECT_EQ(IpPrefix3(text), prefix) << text;
}

}  // namespace
