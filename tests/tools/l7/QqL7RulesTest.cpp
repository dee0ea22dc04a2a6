#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/text/RouterOsText.h"
#include "tools/l7/QqL7Rules.h"

namespace trelvix {
namespace {

TEST(BuildQqL7Regexp, WritesTheNumbersBigEndianBytesBetweenTheMarkers) {
    struct Case {
        const char* number;
        const char* regexp;  // nullptr: refused
    };
    const Case cases[] = {
        {"10000", R"(.?\x02.+\x27\x10.+\x03$)"},
        // Five hexadecimal digits get a leading 0: three bytes.
        {"100000", R"(.?\x02.+\x01\x86\xA0.+\x03$)"},
        {"0", R"(.?\x02.+\x00.+\x03$)"},
        {"", R"(.?\x02.+\x00.+\x03$)"},
        {"4294967295", R"(.?\x02.+\xFF\xFF\xFF\xFF.+\x03$)"},
        {"00010000", R"(.?\x02.+\x27\x10.+\x03$)"},
        {"4294967296", nullptr},
        {"99999999999999999999999", nullptr},
        {"-1", nullptr},
        {"12a", nullptr},
        {"1 2", nullptr},
        {"+5", nullptr},
        {"１２３", nullptr},  // full-width digits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const std::optional<Gbk> regexp = BuildQqL7Regexp(test::G(c.number));
        if (c.regexp) {
            ASSERT_TRUE(regexp.has_value());
            EXPECT_EQ(*regexp, c.regexp);
        } else {
            EXPECT_FALSE(regexp.has_value());
        }
    }
}

const QqRuleNaming kUnified{true, "QQ", "qq-%QQ%"};
const QqRuleNaming kCustom{false, "QQ", "qq-%QQ%"};

TEST(BuildSingleQqL7, QuotesTheRegexpSoRouterOsStoresItAsWritten) {
    const QqL7Result r = BuildSingleQqL7(kUnified, " 10000 ");
    ASSERT_EQ(r.kind, QqL7Result::Kind::Script);
    // No line end after the rule.
    EXPECT_BYTES(r.text,
                 "/ip firewall layer7-protocol\r\n"
                 "add name=QQ regexp=\".\\?\\\\x02.+\\\\x27\\\\x10.+\\\\x03\\$\"");
}

TEST(BuildSingleQqL7, NamesByTheTrimmedNumberInAnyCaseOfThePlaceholder) {
    const QqRuleNaming lower{false, "", "qq-%qq%-x"};
    const QqL7Result r = BuildSingleQqL7(lower, " 100000");
    ASSERT_EQ(r.kind, QqL7Result::Kind::Script);
    EXPECT_BYTES(r.text,
                 "/ip firewall layer7-protocol\r\n"
                 "add name=qq-100000-x regexp=\".\\?\\\\x02.+\\\\x01\\\\x86\\\\xA0.+\\\\x03\\$\"");
}

TEST(BuildSingleQqL7, AnEmptyBoxGivesNothingAndABadNumberIsRefused) {
    EXPECT_EQ(BuildSingleQqL7(kUnified, "   ").kind, QqL7Result::Kind::Empty);
    const QqL7Result bad = BuildSingleQqL7(kUnified, " 4294967296 ");
    EXPECT_EQ(bad.kind, QqL7Result::Kind::Refused);
    EXPECT_EQ(bad.text, test::G("QQ号码只能是0到4294967295之间的数字:4294967296"));
}

TEST(BuildSingleQqL7, ANameThatIsNoBareWordIsQuoted) {
    const QqRuleNaming spaced{true, test::G("QQ 规则$1"), ""};
    const QqL7Result r = BuildSingleQqL7(spaced, "10000");
    ASSERT_EQ(r.kind, QqL7Result::Kind::Script);
    EXPECT_BYTES(r.text, test::G("/ip firewall layer7-protocol\r\n"
                                 "add name=\"QQ 规则\\$1\" regexp=\".\\?\\\\x02.+\\\\x27\\\\x10.+\\\\x03\\$\""));
}

TEST(BuildBatchQqL7, OneLinePerItemEachEndedAndAnEmptyItemIsNumberZero) {
    const std::vector<Gbk> items = {"10000", "", "4294967295"};
    const QqL7Result r = BuildBatchQqL7(kCustom, items);
    ASSERT_EQ(r.kind, QqL7Result::Kind::Script);
    EXPECT_BYTES(r.text,
                 "/ip firewall layer7-protocol\r\n"
                 "add name=qq-10000 regexp=\".\\?\\\\x02.+\\\\x27\\\\x10.+\\\\x03\\$\"\r\n"
                 "add name=qq- regexp=\".\\?\\\\x02.+\\\\x00.+\\\\x03\\$\"\r\n"
                 "add name=qq-4294967295 regexp=\".\\?\\\\x02.+\\\\xFF\\\\xFF\\\\xFF\\\\xFF.+\\\\x03\\$\"\r\n");
}

// RouterOS refuses a second protocol of one name, which would stop the import.
TEST(BuildBatchQqL7, NoTwoRulesShareAName) {
    struct Case {
        QqRuleNaming naming;
        std::vector<Gbk> items;
        std::vector<const char*> names;
    };
    const Case cases[] = {
        {kUnified, {"1", "2", "3"}, {"QQ", "QQ-2", "QQ-3"}},
        {kCustom, {"10", "20", "10", "10"}, {"qq-10", "qq-20", "qq-10-2", "qq-10-3"}},
        {{false, "", "fixed"}, {"1", "2"}, {"fixed", "fixed-2"}},
        // A number that a typed name already holds is passed over.
        {{false, "", "QQ-%QQ%"}, {"2", "", "", ""}, {"QQ-2", "QQ-", "QQ--2", "QQ--3"}},
        {{true, "QQ-2", ""}, {"1", "2"}, {"QQ-2", "QQ-2-2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names[0]);
        const QqL7Result r = BuildBatchQqL7(c.naming, c.items);
        ASSERT_EQ(r.kind, QqL7Result::Kind::Script);
        std::string expected = "/ip firewall layer7-protocol\r\n";
        for (std::size_t i = 0; i < c.items.size(); ++i)
            expected += "add name=" + std::string(c.names[i]) + " regexp=" + QuoteTyped(*BuildQqL7Regexp(c.items[i])) +
                        "\r\n";
        EXPECT_BYTES(r.text, expected);
    }
}

TEST(BuildBatchQqL7, AnEmptyListGivesNothingAndOneBadItemRefusesAll) {
    EXPECT_EQ(BuildBatchQqL7(kUnified, {}).kind, QqL7Result::Kind::Empty);
    const std::vector<Gbk> items = {"10000", "abc"};
    const QqL7Result r = BuildBatchQqL7(kUnified, items);
    EXPECT_EQ(r.kind, QqL7Result::Kind::Refused);
    EXPECT_EQ(r.text, test::G("QQ号码只能是0到4294967295之间的数字:abc"));
}

TEST(BuildAllQqL7, IsOneQuotedRuleWithoutLineEnd) {
    EXPECT_BYTES(BuildAllQqL7(),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=QQ-all regexp=\".\\?\\\\x02.+\\\\x03\\$\"");
}

}  // namespace
}  // namespace trelvix
