#include "tools/l7/QqL7Rules.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "common/text/RouterOsText.h"
#include "tools/l7/L7Catalogue.h"

namespace trelvix {

namespace {

constexpr std::uint64_t kLargestQqNumber = 4294967295u;
constexpr std::string_view kBadQqNumber = "QQ号码只能是0到4294967295之间的数字:";

std::optional<std::uint64_t> QqNumberValue(std::string_view number) {
    std::uint64_t value = 0;
    for (char c : number) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kLargestQqNumber) return std::nullopt;
    }
    return value;
}

// The rule line: the name as a typed word, the regexp quoted, so that RouterOS reads
// its backslashes, "?" and "$" as the regexp's own.
Gbk QqRuleLine(const Gbk& name, const Gbk& regexp) {
    return "add name=" + TypedWord(name) + " regexp=" + QuoteTyped(regexp);
}

// A firewall rule names the protocol it matches, and RouterOS refuses a second
// protocol of a name, which stops the whole import: a name given already
// gets the first free number after it, from 2 on.
class DistinctNames {
public:
    Gbk operator()(const Gbk& name) {
        if (used_.insert(name).second) return name;
        int& last = lastNumber_[name];
        Gbk numbered;
        do numbered = name + "-" + std::to_string(last = std::max(last, 1) + 1);
        while (!used_.insert(numbered).second);
        return numbered;
    }

private:
    std::unordered_set<Gbk> used_;
    std::unordered_map<Gbk, int> lastNumber_;
};

QqL7Result Refused(std::string_view number) { return {QqL7Result::Kind::Refused, Gbk(kBadQqNumber) + Gbk(number)}; }

}  // namespace

std::optional<Gbk> BuildQqL7Regexp(std::string_view number) {
    const std::optional<std::uint64_t> value = QqNumberValue(number);
    if (!value) return std::nullopt;
    Gbk digits = IntToHex(static_cast<std::int64_t>(*value));
    if (digits.size() % 2 != 0) digits.insert(digits.begin(), '0');
    Gbk regexp = ".?\\x02.+";
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        regexp += "\\x";
        regexp.append(digits, i, 2);
    }
    regexp += ".+\\x03$";
    return regexp;
}

Gbk QqRuleName(const QqRuleNaming& naming, std::string_view number) {
    if (naming.unified) return naming.unifiedName;
    return BatchReplace(naming.customTemplate, {{"%QQ%", number}});
}

QqL7Result BuildSingleQqL7(const QqRuleNaming& naming, std::string_view box) {
    const Gbk number = TrimSpaces(box);
    if (number.empty()) return {};
    const std::optional<Gbk> regexp = BuildQqL7Regexp(number);
    if (!regexp) return Refused(number);
    return {QqL7Result::Kind::Script, Gbk(kL7Header) + QqRuleLine(QqRuleName(naming, number), *regexp)};
}

QqL7Result BuildBatchQqL7(const QqRuleNaming& naming, std::span<const Gbk> items) {
    if (items.empty()) return {};
    Gbk text(kL7Header);
    DistinctNames distinct;
    for (const Gbk& item : items) {
        const std::optional<Gbk> regexp = BuildQqL7Regexp(item);
        if (!regexp) return Refused(item);
        text += QqRuleLine(distinct(QqRuleName(naming, item)), *regexp);
        text += "\r\n";
    }
    return {QqL7Result::Kind::Script, text};
}

Gbk BuildAllQqL7() { return Gbk(kL7Header) + "add name=QQ-all regexp=" + QuoteTyped(".?\\x02.+\\x03$"); }

}  // namespace trelvix
