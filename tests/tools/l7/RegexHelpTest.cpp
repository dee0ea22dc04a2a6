#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TestSupport.h"
#include "common/regex/RegexObject.h"
#include "tools/l7/RegexHelp.h"

namespace trelvix {
namespace {

using test::G;

TEST(RegexHelp, Has56EntriesNumbered1To60WithoutTheHeadings) {
    const std::vector<RegexHelpEntry> entries = ParseRegexHelp(RegexHelpText());
    ASSERT_EQ(entries.size(), 56u);
    std::set<int> numbers;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RegexHelpEntry& e = entries[i];
        numbers.insert(e.number);
        // The numbers rise through the text, and a run's first entry is its heading's next item.
        if (i > 0) {
            EXPECT_GT(e.number, entries[i - 1].number);
        }
        EXPECT_FALSE(e.syntax.empty()) << e.number;
        ASSERT_FALSE(e.description.empty()) << e.number;
        EXPECT_EQ(e.description.back(), '\r') << e.number;
    }
    EXPECT_EQ(numbers.size(), 56u);
    for (int heading : {35, 36, 47, 54}) {
        EXPECT_EQ(numbers.count(heading), 0u) << heading;
    }
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 60);
    // Each run of entries starts right after its heading's display index.
    EXPECT_EQ(entries[0].number, RegexHelpHeadingOf(0) + 1);
    EXPECT_EQ(entries[34].number, RegexHelpHeadingOf(34) + 1);
    EXPECT_EQ(entries[44].number, RegexHelpHeadingOf(44) + 1);
    EXPECT_EQ(entries[50].number, RegexHelpHeadingOf(50) + 1);
    EXPECT_EQ(RegexHelpHeadingOf(55), 54);
}

TEST(RegexHelp, EntriesHoldTheirElementsAndTitles) {
    const std::vector<RegexHelpEntry> entries = ParseRegexHelp(RegexHelpText());
    ASSERT_EQ(entries.size(), 56u);
    const char* const syntax[34] = {"\\",  "^",    "$",     "*",     "+",      "?",     ".",     "(pattern)", "x|y",
                                    "{n}", "{n,}", "{n,m}", "[xyz]", "[^xyz]", "[0-9]", "[a-z]", "[A-Z]",     "[^m-z]",
                                    "\\b", "\\B",  "\\d",   "\\D",   "\\f",    "\\n",   "\\r",   "\\s",       "\\S",
                                    "\\t", "\\v",  "\\w",   "\\W",   "\\num",  "\\n",   "\\xn"};
    for (int i = 0; i < 34; ++i) {
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].number, i + 1);
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].syntax, syntax[i]);
    }
    EXPECT_EQ(entries[34].syntax, G("匹配HTML标记"));
    EXPECT_EQ(entries[44].syntax, G("匹配国内电话号码"));
    EXPECT_EQ(entries[55].syntax, G("匹配多行文本"));
}

TEST(RegexHelp, TheBoxShowsSyntaxDashesAndTheDescriptionWithItsLineBreaks) {
    RegexHelpTables tables;
    FillRegexHelpTables(tables, ParseRegexHelp(RegexHelpText()));
    // The headings, and item 0 which has no entry, show nothing.
    for (int heading : {0, 35, 36, 47, 54}) {
        EXPECT_EQ(RegexHelpBoxText(tables, heading), "") << heading;
    }
    const Gbk last = RegexHelpBoxText(tables, 60);
    const Gbk head = G("匹配多行文本") + "\r\n" + std::string(48, '-') + "\r\n";
    ASSERT_EQ(last.substr(0, head.size()), head);
    EXPECT_EQ(last.find(G("{#换}")), Gbk::npos);
    EXPECT_NE(last.find(G("\r\n评注：")), Gbk::npos);
    EXPECT_EQ(RegexHelpBoxText(tables, 7).substr(0, 3), ".\r\n");
}

// The ready-made patterns work as the help says, with the program's own engine.
TEST(RegexHelp, ReadyMadePatternsFindWhatTheirTitlesSay) {
    RegexHelpTables tables;
    FillRegexHelpTables(tables, ParseRegexHelp(RegexHelpText()));
    struct Case {
        int entry;
        const char* subject;
        const char* found;
    };
    const Case cases[] = {
        {38, "<a href=\"http://example.com/a\">x</a>", "http://example.com/a"},
        {40, "see https://example.com/x?y=1 now", "https://example.com/x?y=1"},
        {42, "gateway 192.168.88.1 up", "192.168.88.1"},
        {43, "mail a.b-c@mail.example.com.", "a.b-c@mail.example.com"},
        {45, "admin_01", "admin_01"},
        {48, "tel 0755-12345678", "0755-12345678"},
        {49, "13812345678", "13812345678"},
        {50, "QQ:10000", "10000"},
        {51, "518000", "518000"},
        {52, "11010519491231002X", "11010519491231002X"},
        {55, "abc中文", "中"},
        {56, "a中", "中"},
        {60, "a开始标记x\r\ny结束标记b", "开始标记x\r\ny结束标记"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const Gbk& description = tables.descriptions[static_cast<std::size_t>(c.entry - 1)];
        const Gbk pattern = description.substr(0, description.find(G("{#换}")));
        RegexObject run;
        ASSERT_TRUE(run.Create(pattern, G(c.subject)));
        ASSERT_GE(run.MatchCount(), 1);
        const long long group = c.entry == 38 ? 1 : 0;
        EXPECT_EQ(group ? run.SubMatchText(1, group) : run.MatchText(1), G(c.found));
    }
}

}  // namespace
}  // namespace trelvix
