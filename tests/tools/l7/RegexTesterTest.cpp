#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

// A clock that moves on by `step` at every reading, so that a run's time
// bound falls at a known point of its work.
RegexTestBound SteppingClock(std::chrono::milliseconds bound, std::chrono::milliseconds step) {
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    return {bound, [now, step] { return *now += step; }};
}

TEST(RunRegexTest, ARunStoppedByItsTimeBoundKeepsWhatItFoundAndSaysItIsIncomplete) {
    using std::chrono::seconds;
    // The clock is read at the start and after each match: the third match ends the three seconds.
    const RegexTestResult r = RunRegexTest("a", "aaaaaa", SteppingClock(seconds(3), seconds(1)));
    EXPECT_EQ(r.kind, RegexTestResult::Kind::Stopped);
    EXPECT_EQ(r.rows, (std::vector<Gbk>{"a", "a", "a"}));
    EXPECT_EQ(r.message, G("测试超过3秒已停止,结果不完整 - 已找到匹配数量: 3"));

    const RegexTestResult none = RunRegexTest("b", std::string(100, 'a'), SteppingClock(seconds(3), seconds(2)));
    EXPECT_EQ(none.kind, RegexTestResult::Kind::Stopped);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.message, G("测试超过3秒已停止,结果不完整 - 已找到匹配数量: 0"));
}

// Where one search is past the engine's limits, the run goes on after it and
// finds the match at the end, but says that it may have missed some.
TEST(RunRegexTest, ASearchTheEngineGivesUpOnIsPassedOverAndTheResultCalledIncomplete) {
    const std::string subject = std::string(30, 'a') + "\r\nax";
    const RegexTestResult r = RunRegexTest("(a|aa)+(a|aa)+(a|aa)+$x|ax", subject,
                                           SteppingClock(std::chrono::seconds(3), {}));
    EXPECT_EQ(r.kind, RegexTestResult::Kind::Stopped);
    EXPECT_EQ(r.rows, (std::vector<Gbk>{"ax"}));
    EXPECT_EQ(r.message, G("匹配过于复杂,测试已停止,结果不完整 - 已找到匹配数量: 1"));
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

// Under the engine's limits at every position, but costly at each of a long
// text: a short bound stops it (the clock is read between a few positions).
TEST(RunRegexTest, APatternCostlyAtEveryPositionStopsAtItsTimeBound) {
    std::string lines;
    while (lines.size() < 1000000) lines += std::string(100, 'a') + "\r\n";
    const RegexTestResult r = RunRegexTest("a*a*a*[xy]", lines,
                                           SteppingClock(std::chrono::milliseconds(20), std::chrono::milliseconds(5)));
    EXPECT_EQ(r.kind, RegexTestResult::Kind::Stopped);
    EXPECT_EQ(r.message, G("测试超过1秒已停止,结果不完整 - 已找到匹配数量: 0"));
}

}  // namespace
}  // namespace trelvix
