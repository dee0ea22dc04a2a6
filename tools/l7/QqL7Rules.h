#pragma once
// Layer-7 rules for QQ messenger traffic of one account: a QQ message runs from a
// byte 02 near the start to a byte 03 at the end, and the account's number travels
// in it as big-endian bytes, so the rule's regexp asks for those bytes in between.
#include <optional>
#include <span>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// The number's regexp, ".?\x02.+" + its bytes as \xHH escapes + ".+\x03$" (the
// bytes without leading zero bytes; 0 is one byte \x00). The empty text counts as
// 0. Nothing for any other text that is not digits from 0 to 4294967295, the range
// of a QQ account number.
std::optional<Gbk> BuildQqL7Regexp(std::string_view number);

// How the rules are named: one name for all, or a template in which "%QQ%" (in any
// letter case) stands for the number.
struct QqRuleNaming {
    bool unified = true;
    Gbk unifiedName;
    Gbk customTemplate;
};
Gbk QqRuleName(const QqRuleNaming& naming, std::string_view number);

// A generated text, nothing to show (the code box is emptied), or a refusal.
struct QqL7Result {
    enum class Kind { Script, Empty, Refused };
    Kind kind = Kind::Empty;
    Gbk text;  // the script, or the refusal's message (naming the number)
};

// The rule for the number in the box (spaces at its ends ignored); no CR LF after it.
QqL7Result BuildSingleQqL7(const QqRuleNaming& naming, std::string_view box);
// One rule per list item, each line ended by CR LF. No two rules share a
// name: a name that came before is numbered (QQ, QQ-2, QQ-3, ...).
QqL7Result BuildBatchQqL7(const QqRuleNaming& naming, std::span<const Gbk> items);
// The rule for every QQ number; no CR LF after it.
Gbk BuildAllQqL7();

}  // namespace trelvix
