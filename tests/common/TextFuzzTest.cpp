#include <gtest/gtest.h>

#include <iconv.h>

#include <random>

#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "common/text/Gbk.h"
#include "common/text/RouterOsText.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::Visible;

namespace {

// Bytes that matter to the parsers turn up often: escape markers, hex digits, lead
// bytes, 0x5C as a second byte, the full-width blank, UTF-8 starts.
std::string RandomBytes(std::mt19937& engine) {
    static const std::string kInteresting =
        "\\%0123456789aAfFgG.\"$#:- \t\r\n\x81\x5C\xA1\xB2\xE2\xE6\xF0\xFE\xFF\x80\xC0\xED";
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, kInteresting.size() - 1);
    std::string out;
    for (int n = length(engine); n > 0; --n) {
        out.push_back(kind(engine) == 0 ? static_cast<char>(anyByte(engine)) : kInteresting[pick(engine)]);
    }
    return out;
}

bool IsValidUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    std::string in = text;
    std::string out(text.size() * 4 + 4, '\0');
    char* ip = in.data();
    char* op = out.data();
    std::size_t il = in.size(), ol = out.size();
    const bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<std::size_t>(-1) && il == 0;
    iconv_close(cd);
    return ok;
}

std::string Join(const std::vector<Gbk>& pieces, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) out += (i ? separator : "") + pieces[i];
    return out;
}

TEST(TextFuzz, DecodersAndConvertersStaySane) {
    std::mt19937 engine(20170808);
    for (int round = 0; round < 4000; ++round) {
        const std::string s = RandomBytes(engine);
        const std::string t = RandomBytes(engine).substr(0, 3);
        SCOPED_TRACE(Visible(s) + " / " + Visible(t));

        ASSERT_EQ(DecodeRouterOsEscapes(EncodeRouterOsEscapes(s)), s);
        ASSERT_EQ(PercentDecode(PercentEncode(s)), s);
        ASSERT_EQ(PercentDecode(PercentEncode(s, true)), s);
        ASSERT_LE(DecodeRouterOsEscapes(s).size(), s.size());
        ASSERT_LE(PercentDecode(s).size(), s.size());
        PercentDecode(s, true);

        const std::string utf8 = GbkToUtf8(s);
        ASSERT_TRUE(IsValidUtf8(utf8));
        ASSERT_LE(Utf8ToGbk(utf8).size(), s.size());
        ASSERT_LE(Utf8ToGbk(s).size(), s.size());
        for (int codePage : {0, 936, 950, 65001}) {
            const std::string units = MultiByteToUtf16(s, codePage);
            ASSERT_EQ(units.size() % 2, 0u);
            ASSERT_GE(units.size(), 2u);
            ASSERT_EQ(units.substr(units.size() - 2), std::string(2, '\0'));
            ASSERT_LE(Utf16ToMultiByte(s, codePage).size(), s.size() * 2);
        }

        if (!s.empty() && !t.empty()) {
            const std::vector<Gbk> pieces = Split(s, t);
            const std::string joined = Join(pieces, t);
            ASSERT_TRUE(joined == s || joined + t == s);
        }
        const Gbk trimmed = Trim(s);
        ASSERT_NE(s.find(trimmed), std::string::npos);
        ASSERT_EQ(Trim(trimmed), trimmed);
        ASSERT_EQ(ReplaceAll(s, t, t), s);
        const long long at = Find(s, t, 1, false);
        ASSERT_TRUE(at == -1 || (at >= 1 && at <= static_cast<long long>(s.size())));
        // A search from the middle agrees with a replacement, which walks from the front.
        if (!t.empty()) {
            const long long start =
                std::uniform_int_distribution<long long>(0, static_cast<long long>(s.size()) + 1)(engine);
            const std::string marked = ReplaceAll(s, t, std::string(t.size() + 1, '\x01'), true, start, 1);
            long long firstChange = -1;
            for (std::size_t i = 0; i < s.size(); ++i) {
                if (marked[i] != s[i]) {
                    firstChange = static_cast<long long>(i) + 1;
                    break;
                }
            }
            if (firstChange == -1 && marked.size() != s.size()) firstChange = static_cast<long long>(s.size()) + 1;
            const long long found = Find(s, t, start);
            ASSERT_EQ(found == -1, marked == s);
            if (found != -1) {
                ASSERT_GE(firstChange, found);
                ASSERT_LE(firstChange, found + static_cast<long long>(t.size()));
            }
        }
        ASSERT_NE(s.find(TextBetween(s, t, t.substr(0, 1))), std::string::npos);
        ASSERT_EQ(DecodeRouterOsEscapes(s + "\\"), DecodeRouterOsEscapes(s) + "\\")
            << "a trailing backslash is left alone (unless it completes a character)";
        ToInt64(s);
        std::uniform_real_distribution<double> days(-700000.0, 3000000.0);
        LocaleDateTimeText(days(engine), s, t + s);
    }
}

}  // namespace
