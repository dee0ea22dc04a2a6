#include <gtest/gtest.h>

#include <string>

#include "CaseFile.h"
#include "Runner.h"
#include "RunnerFixtures.h"
#include "TestSupport.h"

namespace trelvix::cases {
namespace {

using test::G;

TEST(CaseRunner, PassingCasesOnTheMainWindowPass) {
    const FixtureRun r = RunFixture("passing.case-fixture");
    EXPECT_EQ(r.totals.passed, 4) << r.report;
    EXPECT_EQ(r.totals.failed, 0) << r.report;
}

TEST(CaseRunner, ScriptDifferencePointsAtTheFirstDifferingByte) {
    const FixtureRun r = RunFixture("script-differs.case-fixture");
    EXPECT_EQ(r.totals.passed, 0);
    EXPECT_EQ(r.totals.failed, 3);

    // Offsets count GBK bytes: the three characters of the first line are six.
    const std::string oneByte = FailureOf(r.report, "one byte differs on the second line");
    EXPECT_NE(oneByte.find("script-differs.case-fixture:3)"), std::string::npos) << oneByte;
    EXPECT_NE(oneByte.find("script-differs.case-fixture:7: the script box differs at byte 87 (line 2, column 52): "
                           "expected \\x32 (2), actual \\x31 (1)"),
              std::string::npos)
        << oneByte;
    // Both sides from 30 bytes before, escapes visible, the caret under the byte.
    EXPECT_NE(oneByte.find("    expected: ...ss=10.0.0.1/24 interface=ether2\\r\\n\n"
                           "    actual:   ...ss=10.0.0.1/24 interface=ether1\\r\\n\n"
                           "              " +
                           std::string(3 + 30, ' ') + "^\n"),
              std::string::npos)
        << oneByte;

    const std::string early = FailureOf(r.report, "the script ends early");
    EXPECT_NE(early.find("at byte 27 (line 1, column 28): expected \\x0D (\\r), actual the end"), std::string::npos)
        << early;
    EXPECT_NE(early.find("(expected 29 bytes, actual 27)"), std::string::npos) << early;

    const std::string changed = FailureOf(r.report, "the script box changed");
    EXPECT_NE(changed.find(":18: the script box changed"), std::string::npos) << changed;
    EXPECT_NE(changed.find("actual \\xD6 (the first byte of 中)"), std::string::npos) << changed;
}

TEST(CaseRunner, MessageBoxesAreCheckedInOrderWithFlagsTitleAndFocus) {
    RunOptions options;
    options.createWindows = CreateWindowsWithTestWindow;
    const FixtureRun r = RunFixture("messages.case-fixture", options);
    EXPECT_EQ(r.totals.passed, 3) << r.report;
    EXPECT_EQ(r.totals.failed, 6) << r.report;

    const std::string flags = FailureOf(r.report, "wrong flags");
    EXPECT_NE(flags.find("message box differs\n"
                         "    expected: \"请输入值！\" flags 64 title \"错误\"\n"
                         "    actual:   \"请输入值！\" flags 48 title \"错误\"\n"),
              std::string::npos)
        << flags;

    const std::string unexpected = FailureOf(r.report, "a box nobody expected");
    EXPECT_NE(unexpected.find("message boxes shown that the case does not expect:\n"
                              "    1. \"请输入值！\" flags 48 title \"错误\" focus 编辑框_值"),
              std::string::npos)
        << unexpected;

    EXPECT_NE(FailureOf(r.report, "a box expected, none shown").find("expected a message box, none was shown"),
              std::string::npos);
    EXPECT_NE(FailureOf(r.report, "an answer never used").find("1 queued message-box answer(s) not used"),
              std::string::npos);
    EXPECT_NE(FailureOf(r.report, "a handler reads a control the window lacks")
                  .find(":43: a handler named a control that window 测试窗口 lacks: 编辑框_没有"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "a hidden button cannot be clicked").find(":47: 按钮_隐藏 is hidden"),
              std::string::npos)
        << r.report;
}

TEST(CaseRunner, UnknownControlFailsItsCaseByNameAndLine) {
    const FixtureRun r = RunFixture("unknown-control.case-fixture");
    EXPECT_EQ(r.totals.passed, 1) << r.report;
    EXPECT_EQ(r.totals.failed, 1) << r.report;
    EXPECT_NE(r.report.find("unknown-control.case-fixture:3: window 主窗口 has no control 编辑框_不存在"),
              std::string::npos)
        << r.report;
}

TEST(CaseRunner, FaultsInTheFileFailTheirCaseAndTheRestRuns) {
    const FixtureRun r = RunFixture("parse-errors.case-fixture");
    EXPECT_EQ(r.totals.passed, 1) << r.report;
    EXPECT_EQ(r.totals.failed, 3) << r.report;
    EXPECT_NE(r.report.find("parse-errors.case-fixture:2: unknown command: press"), std::string::npos) << r.report;
    EXPECT_NE(r.report.find("parse-errors.case-fixture:6: unknown escape \\d"), std::string::npos) << r.report;
    EXPECT_NE(r.report.find("parse-errors.case-fixture:12: the case checks nothing"), std::string::npos) << r.report;
}

// The program is created after the set-up lines; before it exists nothing may reach it.
TEST(CaseRunner, SetUpLinesFirstInACaseWithNoPreamble) {
    const FixtureRun r = RunFixture("setup-first.case-fixture");
    EXPECT_EQ(r.totals.passed, 3) << r.report;
    EXPECT_EQ(r.totals.failed, 0) << r.report;
}

TEST(CaseRunner, StepsForScrollBarsListsSelectionsPanelsClosingAndTheExit) {
    RunOptions options;
    options.createWindows = CreateWindowsWithServiceWindow;
    const FixtureRun r = RunFixture("window-steps.case-fixture", options);
    EXPECT_EQ(r.totals.passed, 8) << r.report;
    EXPECT_EQ(r.totals.failed, 3) << r.report;
    EXPECT_NE(FailureOf(r.report, "a scroll bar cannot pass its end")
                  .find(":79: 横向滚动条_位置 cannot go to 51: it stops at 50"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "a selection beyond the text")
                  .find(":85: 编辑框_值 holds 2 bytes; the selection goes beyond them"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "the program runs on").find(":89: expected the program to end with 0; it runs on"),
              std::string::npos)
        << r.report;
}

TEST(CaseRunner, AFakeWebServiceAnswersAndTellsWhatItWasAsked) {
    RunOptions options;
    options.createWindows = CreateWindowsWithServiceWindow;
    const FixtureRun r = RunFixture("web.case-fixture", options);
    EXPECT_EQ(r.totals.passed, 8) << r.report;
    EXPECT_EQ(r.totals.failed, 3) << r.report;
    EXPECT_NE(FailureOf(r.report, "a request that never came").find("expected a request for \"/update\"; no more came"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "an address asked for differs").find("the address asked for differs at byte 7"),
              std::string::npos)
        << r.report;
    EXPECT_NE(FailureOf(r.report, "a service named too late").find("before the program starts"), std::string::npos)
        << r.report;
}

TEST(CaseRunner, FilterRunsOnlyMatchingCases) {
    RunOptions options;
    options.filter = "raw bytes";
    const FixtureRun r = RunFixture("passing.case-fixture", options);
    EXPECT_EQ(r.totals.passed, 1);
    EXPECT_EQ(r.totals.failed, 0);
}

TEST(CaseValues, EscapesGiveBytesAndTextBecomesGbk) {
    struct Row {
        const char* written;
        std::string bytes;
    };
    const Row rows[] = {
        {"a\\r\\nb", "a\r\nb"},
        {"\\t\\\\\\\"\\|", "\t\\\"|"},
        {"中\\xD6\\xd0文", G("中") + "\xD6\xD0" + G("文")},  // \xHH is a byte, not a character
        {"信息：", "\xD0\xC5\xCF\xA2\xA3\xBA"},
        {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(DecodeValue(r.written), r.bytes) << r.written;

    for (const char* bad : {"C:\\data", "\\x4", "\\xZZ", "end\\", "\xF0\x9F\x98\x80"})
        EXPECT_THROW(DecodeValue(bad), std::runtime_error) << bad;
}

TEST(CaseFileFormat, BlocksRowsAndMessagesReadAsWritten) {
    const CaseFile f = ParseCaseFile(
        "window 测试窗口\n"
        "case blocks\r\n"
        "  set 编辑框_值\n"
        "    |  two spaces kept as one\\r\\n\n"
        "    |\n"
        "    | end \n"
        "  rows 列表\n"
        "    | a | b\\|c |  |\n"
        "    [x] | d\n"
        "  expect message \"say \\\"hi\\\"\" title \"t\" focus none flags 36\n"
        "  key 编辑框_值 a ctrl+shift\n"
        "  clock 2017-03-08 23:59:59\n",
        "mem.cases");
    ASSERT_TRUE(f.errors.empty());
    ASSERT_EQ(f.preamble.size(), 1u);
    EXPECT_EQ(f.preamble[0].text, G("测试窗口"));
    ASSERT_EQ(f.cases.size(), 1u);
    const Case& c = f.cases[0];
    ASSERT_TRUE(c.errors.empty()) << c.errors[0].what();
    ASSERT_EQ(c.steps.size(), 5u);

    EXPECT_EQ(c.steps[0].text, " two spaces kept as one\r\nend");  // trailing blanks of a line are dropped
    ASSERT_EQ(c.steps[1].rows.size(), 2u);
    EXPECT_EQ(c.steps[1].rows[0].cells, (std::vector<std::string>{"a", "b|c", ""}));
    EXPECT_FALSE(c.steps[1].rows[0].checked.has_value());
    EXPECT_EQ(c.steps[1].rows[1].cells, (std::vector<std::string>{"d"}));
    EXPECT_EQ(c.steps[1].rows[1].checked, true);

    const Step& m = c.steps[2];
    EXPECT_EQ(m.text, "say \"hi\"");
    EXPECT_EQ(m.number, 36);
    EXPECT_EQ(m.title, "t");
    EXPECT_EQ(m.focus, "");
    EXPECT_EQ(c.steps[3].index, 'A');
    EXPECT_EQ(c.steps[3].modifiers, ui::mod::Ctrl | ui::mod::Shift);
    // 42802 days after 30 December 1899, one second before midnight.
    EXPECT_DOUBLE_EQ(c.steps[4].date, 42802.0 + 86399.0 / 86400.0);
    EXPECT_EQ(c.steps[4].line, 12);
}

TEST(CaseFileFormat, MistakesAreReportedOnTheirLine) {
    struct Row {
        const char* text;
        int line;
        const char* says;
    };
    const Row rows[] = {
        {"case x\nset 编辑框_值\nexpect unchanged", 2, "expected `= value` or `|` lines below it"},
        {"case x\nset 编辑框_值 = 1\n  | 2", 2, "not both"},
        {"case x\ncheck 复选框 maybe", 2, "expected on or off"},
        {"case x\nclock 2017-02-29", 2, "clock wants a date"},
        {"case x\nexpect message 请输入", 2, "double quotes"},
        {"case x\nexpect message \"a\" color red", 2, "unknown part of a message: color"},
        {"case x\nanswer maybe", 2, "unknown answer"},
        {"case x\nchoose 组合框 first", 2, "wants an index"},
        {"case x\nkey 编辑框 a meta", 2, "unknown key modifier: meta"},
        {"case x\nexpect script\n  | ok\\r\\n\n  | \\q", 4, "unknown escape \\q"},
        {"case x\nweb update = 1", 2, "a path that starts with /"},
        {"case x\nweb /a silent = 1", 2, "a silent reply sends nothing"},
        {"case x\nweb /a header \"no colon\"", 2, "\"Name: value\""},
        {"case x\nweb /a status 1000", 2, "100 to 599"},
        {"case x\nservice weather", 2, "unknown service: weather"},
        {"case x\nselect 编辑框 1", 2, "a start and an end byte offset"},
        {"case x\nwait expect no message", 2, "not with one that stays so"},
        {"case x\nwait click 按钮", 2, "wait expect ..."},
        {"case x\nexpect panel 状态条 first = a", 2, "a panel number"},
        {"case x\nitems 列表框\n  | a | b |", 2, "one text"},
    };
    for (const Row& r : rows) {
        const CaseFile f = ParseCaseFile(r.text, "mem.cases");
        ASSERT_EQ(f.cases.size(), 1u) << r.text;
        ASSERT_EQ(f.cases[0].errors.size(), 1u) << r.text;
        EXPECT_EQ(f.cases[0].errors[0].line, r.line) << r.text;
        EXPECT_NE(std::string(f.cases[0].errors[0].what()).find(r.says), std::string::npos)
            << r.text << " -> " << f.cases[0].errors[0].what();
    }
    // Before the first case, a fault belongs to the file.
    EXPECT_EQ(ParseCaseFile("frobnicate\ncase x\nexpect unchanged", "mem.cases").errors.size(), 1u);
}

TEST(CaseReport, DifferenceShowsBothSidesReadably) {
    EXPECT_EQ(DescribeDifference(G("中文\r\n"), G("中文\r\n")), "");
    // A difference inside a two-byte character shows the whole character on both sides.
    const std::string d = DescribeDifference(G("名称=中"), G("名称=乙"));
    EXPECT_NE(d.find("at byte 5 (line 1, column 6)"), std::string::npos) << d;
    EXPECT_NE(d.find("    expected: 名称=中\n    actual:   名称=乙\n              " + std::string(5, ' ') + "^"),
              std::string::npos)
        << d;
    EXPECT_EQ(ShowBytes(std::string("a\\b\t\x01\xFF", 6)), "a\\\\b\\t\\x01\\xFF");
}

}  // namespace
}  // namespace trelvix::cases
