#include "tools/l7/RegexTester.h"

#include <string>

#include "common/regex/RegexObject.h"

namespace trelvix {

namespace {

Gbk StoppedMessage(RegexObject::RunStop why, const RegexTestBound& bound, long long found) {
    const long long seconds = (bound.time.count() + 999) / 1000;
    const Gbk reason = why == RegexObject::RunStop::TimeBound ? "测试超过" + std::to_string(seconds) + "秒已停止"
                                                              : Gbk("匹配过于复杂,测试已停止");
    return reason + ",结果不完整 - 已找到匹配数量: " + std::to_string(found);
}

}  // namespace

RegexTestResult RunRegexTest(std::string_view pattern, std::string_view source, const RegexTestBound& bound) {
    RegexTestResult result;
    if (pattern.empty()) {
        result.kind = RegexTestResult::Kind::EmptyPattern;
        result.message = "[正则表达式]不能为空";
        return result;
    }
    RegexObject test;
    // One match past the rows shown tells that there are more; the time bound keeps
    // a pattern that is costly at every position of a long text from holding the window.
    test.SetRunBounds({static_cast<long long>(kMaxRegexTestRows) + 1, bound.time, bound.clock});
    test.Create(pattern, source);
    result.count = test.MatchCount();
    const RegexObject::RunStop stop = test.LastRunStop();
    if (stop != RegexObject::RunStop::Complete) {
        result.kind = RegexTestResult::Kind::Stopped;
        result.rows.reserve(static_cast<std::size_t>(result.count));
        for (long long i = 1; i <= result.count; ++i) result.rows.push_back(test.MatchText(i));
        result.message = StoppedMessage(stop, bound, result.count);
        return result;
    }
    if (result.count <= 0) {
        result.count = 0;
        result.message = "匹配失败";
        return result;
    }
    result.kind = RegexTestResult::Kind::Matched;
    const long long shown = std::min<long long>(result.count, static_cast<long long>(kMaxRegexTestRows));
    result.rows.reserve(static_cast<std::size_t>(shown));
    for (long long i = 1; i <= shown; ++i) result.rows.push_back(test.MatchText(i));
    if (shown < result.count)
        result.message = "匹配成功 - 匹配数量: 超过" + std::to_string(shown) + " (只列出前" + std::to_string(shown) +
                         "个)";
    else result.message = "匹配成功 - 匹配数量: " + std::to_string(result.count);
    return result;
}

}  // namespace trelvix
