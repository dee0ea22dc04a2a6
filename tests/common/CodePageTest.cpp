#include <gtest/gtest.h>

#include "common/text/CodePage.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(CodePage, GbkAndUtf8RoundTrip) {
    const std::string texts[] = {"", "plain ascii\r\n", "测试 办公室 乗", "中文·标点，！"};
    for (const std::string& utf8 : texts) {
        EXPECT_EQ(Utf8ToGbk(utf8), G(utf8)) << utf8;
        EXPECT_EQ(GbkToUtf8(G(utf8)), utf8) << utf8;
    }
}

TEST(CodePage, WhatCannotBeConvertedBecomesAQuestionMarkAndTheRestStays) {
    const std::pair<std::string, std::string> toGbk[] = {
        // clang-format off
        {"a😀b", "a?b"},                       // GBK has no emoji
        {"a\xFF" "b", "a?b"},                  // not UTF-8
        {"a\xE6\xB5", "a?"},                   // cut off at the end
        {"\xC0\xAF" "x", "??x"},               // overlong form
        {"\xED\xA0\x80" "x", "???x"},          // a surrogate written as UTF-8
        {"€", "\x80"},                         // as the Windows code page has it
    };
    for (const auto& [utf8, gbk] : toGbk) EXPECT_EQ(Utf8ToGbk(utf8), gbk) << Visible(utf8);

    const std::pair<std::string, std::string> toUtf8[] = {
        {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},
        {"a\xB2", "a\xEF\xBF\xBD"},            // a lead byte alone at the end
        {"\x81\x20" "x", "\xEF\xBF\xBD x"},    // a lead byte with no second byte it can take
        {G("测") + "\xFF" + G("试"), "测\xEF\xBF\xBD试"},
        // clang-format on
    };
    for (const auto& [gbk, utf8] : toUtf8) EXPECT_EQ(GbkToUtf8(gbk), utf8) << Visible(gbk);
}

TEST(CodePage, OnlyWellFormedUtf8IsUtf8AndWhatGbkLacksIsCounted) {
    const std::pair<std::string, bool> texts[] = {
        {"", true},
        {"ascii", true},
        {"中文 UTF-8", true},
        {"a😀b", true},
        {"\xEF\xBB\xBF", true},
        {G("中文"), false},           // GBK
        {"\xC0\xAF", false},          // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xE4\xB8", false},          // cut off
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
    };
    for (const auto& [text, utf8] : texts) EXPECT_EQ(IsUtf8(text), utf8) << Visible(text);

    std::size_t lost = 99;
    EXPECT_EQ(Utf8ToGbk("한글 中 😀", lost), G("?? 中 ?"));
    EXPECT_EQ(lost, 3u);
    EXPECT_EQ(Utf8ToGbk("中文", lost), G("中文"));
    EXPECT_EQ(lost, 0u);
}

TEST(CodePage, Utf16BuffersEndWithAZeroUnit) {
    EXPECT_EQ(MultiByteToUtf16("A"), Bytes({0x41, 0, 0, 0}));
    EXPECT_EQ(MultiByteToUtf16(""), Bytes({0, 0}));
    EXPECT_EQ(MultiByteToUtf16(G("测"), 936), Bytes({0x4B, 0x6D, 0, 0}));
    EXPECT_EQ(MultiByteToUtf16(G("测"), 0), Bytes({0x4B, 0x6D, 0, 0}));
    EXPECT_EQ(MultiByteToUtf16("\xA4\xA4", 950), Bytes({0x2D, 0x4E, 0, 0}));
    EXPECT_EQ(MultiByteToUtf16("😀"), Bytes({0x3D, 0xD8, 0x00, 0xDE, 0, 0}));
    EXPECT_EQ(MultiByteToUtf16("x", 1234), "");

    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x4B, 0x6D, 0, 0})), G("测"));
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x4B, 0x6D}), 65001), "测");
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x2D, 0x4E}), 950), "\xA4\xA4");
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x4B, 0x6D}), 950), "?");  // 测 is not in Big5
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x41, 0, 0, 0, 0x42, 0})), "A");
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x41, 0, 0x42})), "A");  // odd last byte
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x3D, 0xD8, 0x41, 0})), "?A");
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x3D, 0xD8, 0x00, 0xDE}), 65001), "😀");
    EXPECT_EQ(Utf16ToMultiByte(Bytes({0x41, 0}), 1234), "");

    // GBK to UTF-8 by way of UTF-16.
    EXPECT_EQ(Utf16ToMultiByte(MultiByteToUtf16(G("办公室"), 936), 65001), "办公室");
}

}  // namespace
