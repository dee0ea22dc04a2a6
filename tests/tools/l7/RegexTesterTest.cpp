#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "TestSupport.h"
#include "tools/l7/RegexTester.h"

namespace trelvix {
namespace {

using test::G;

TEST(RunRegexTest, AnEmptyPatternIsReportedAndRunsNothing) {
    const RegexTestResult r = RunRegexTest("", "abc");
    EXPECT_EQ(r.kind, RegexTestResult::Kind::EmptyPattern);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.message, G("[正则表达式]不能为空"));
}

TEST(RunRegexTest, NoMatchAndARejectedPatternBothFail) {
    for (const char* pattern : {"xyz", "(ab", "[a-"}) {
        SCOPED_TRACE(pattern);
        const RegexTestResult r = RunRegexTest(pattern, "abc abc");
        EXPECT_EQ(r.kind, RegexTestResult::Kind::NoMatch);
        EXPECT_EQ(r.count, 0);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_EQ(r.message, G("匹配失败"));
    }
}

TEST(RunRegexTest, ListsEveryMatchIgnoringCase) {
    const RegexTestResult r = RunRegexTest("q+", "Qq a qqq");
    ASSERT_EQ(r.kind, RegexTestResult::Kind::Matched);
    EXPECT_EQ(r.rows, (std::vector<Gbk>{"Qq", "qqq"}));
    EXPECT_EQ(r.message, G("匹配成功 - 匹配数量: 2"));
}

// "a*" matches the empty text before every character and at the end; a two-byte
// character is stepped over whole.
TEST(RunRegexTest, AnEmptyMatchStepsOverChineseCharactersWhole) {
    const RegexTestResult r = RunRegexTest("a*", G("中a文"));
    ASSERT_EQ(r.kind, RegexTestResult::Kind::Matched);
    EXPECT_EQ(r.rows, (std::vector<Gbk>{"", "a", "", ""}));
    EXPECT_EQ(r.count, 4);
}

TEST(RunRegexTest, ACatastrophicPatternEndsWithinTheLimit) {
    const std::string subject = std::string(5000, 'a') + "!";
    const auto start = std::chrono::steady_clock::now();
    const RegexTestResult r = RunRegexTest("(a+)+$", subject);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.kind, RegexTestResult::Kind::NoMatch);
    EXPECT_LT(took, std::chrono::seconds(10 * test::SlowdownFactor()));
}

TEST(RunRegexTest, ShowsAtMostTheCapAndSaysThereAreMore) {
    const std::string subject(kMaxRegexTestRows + 5, 'x');
    const RegexTestResult r = RunRegexTest("x", subject);
    ASSERT_EQ(r.kind, RegexTestResult::Kind::Matched);
    EXPECT_EQ(r.rows.size(), kMaxRegexTestRows);
    EXPECT_EQ(r.message, G("匹配成功 - 匹配数量: 超过10000 (只列出前10000个)"));
    const RegexTestResult exact = RunRegexTest("x", std::string(kMaxRegexTestRows, 'x'));
    EXPECT_EQ(exact.rows.size(), kMaxRegexTestRows);
    EXPECT_EQ(exact.message, G("匹配成功 - 匹配数量: 10000"));
}

// Under the engine's limits at every position, but costly at each of a long text.
TEST(RunRegexTest, APatternCostlyAtEveryPositionEndsWithinTheTimeBound) {
    std::string lines;
    while (lines.size() < 1000000) lines += std::string(100, 'a') + "\r\n";
    const auto start = std::chrono::steady_clock::now();
    const RegexTestResult r = RunRegexTest("a*a*a*[xy]", lines);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.kind, RegexTestResult::Kind::NoMatch);
    EXPECT_LT(took, kRegexTestTime + std::chrono::seconds(5 * test::SlowdownFactor()));
}

}  // namespace
}  // namespace trelvix
