#include "generators/pppoe/PppoeAccounts.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <utility>

#include "common/platform/Random.h"
#include "common/text/RouterOsText.h"
#include "generators/pppoe/RandomText.h"
#include "ui/Ui.h"

// Names, passwords, prefix and suffix are written inside double quotes as
// typed, so each goes through QuoteTyped: RouterOS expands $ there and reads
// \ and ", and a password like pa$$ would otherwise reach the router changed.
// The profile stands bare and goes through TypedWord.

namespace trelvix::pppoe {
namespace {

// An exclamation box; the focus then goes to the field at fault.
Outcome Refusal(Gbk message, FieldRef field) {
    return Outcome::Error(
        ScriptError{std::move(message), ui::mb::IconExclamation, std::nullopt, field, FocusMove::AfterBox, ""});
}

Gbk Draw(RandomSource& random, const RandomPart& part, int length) {
    if (part.digits && part.letters) return RandomMixedText(random, length);
    if (part.digits) return RandomDigits(random, length);
    return RandomLetters(random, length, part.letterCase);
}

// How many different random parts there are, counted no further than
// `enough`: a length of 0 or less has exactly one, the empty text.
std::int64_t PossibleParts(const RandomPart& part, int length, std::int64_t enough) {
    const std::int64_t kinds = part.digits && part.letters ? 62 : part.digits ? 10 : 26;
    std::int64_t possible = 1;
    for (int i = 0; i < length && possible < enough; ++i) possible *= kinds;
    return possible;
}

Gbk SecretLine(const Gbk& name, const Gbk& password, const Gbk& profile) {
    return "/ppp secret add name=" + QuoteTyped(name) + " password=" + QuoteTyped(password) +
           " service=pppoe profile=" + profile;
}

}  // namespace

Gbk BuildPppoeSecret(const PppoeSecretFields& f) {
    const Gbk callerId = f.bindMac ? "caller-id=" + TypedWord(f.mac) + " " : Gbk();
    return "/ppp secret add name=" + QuoteTyped(f.name) + " password=" + QuoteTyped(f.password) + " service=pppoe " +
           callerId + "profile=" + TypedWord(f.profile);
}

Outcome BuildPppoeAccounts(const PppoeAccountsFields& f, RandomSource& random) {
    const std::int64_t count = ToInt64(f.count);
    const std::int64_t accountLength = ToInt64(f.account.length);
    const std::int64_t passwordLength = ToInt64(f.password.length);

    if (count > kMaxAccountCount) return Refusal("每次最多生成10000个帐号!", FieldOf(f.count));
    if (accountLength > kMaxRandomLength) return Refusal("帐号长度最多为64位!", FieldOf(f.account.length));
    if (passwordLength > kMaxRandomLength) return Refusal("密码长度最多为64位!", FieldOf(f.password.length));
    // An empty password lets anyone who knows a name dial in.
    if (passwordLength < 1) return Refusal("密码长度至少为1位!", FieldOf(f.password.length));
    if (!f.account.digits && !f.account.letters)
        return Refusal("请选择帐号中随机添加数字或字母!", FieldOf(f.account.digits));
    if (!f.password.digits && !f.password.letters)
        return Refusal("请选择密码中随机添加数字或字母!", FieldOf(f.password.digits));
    if (count <= 0) return Outcome::Script("");

    const int nameLength = static_cast<int>(std::max<std::int64_t>(accountLength, 0));
    const int secretLength = static_cast<int>(std::max<std::int64_t>(passwordLength, 0));
    const std::int64_t possible = PossibleParts(f.account, nameLength, count);
    if (possible < count)
        return Refusal("帐号的随机部分只有" + std::to_string(possible) + "种组合,生成不了" + std::to_string(count) +
                           "个不同的帐号,请加大帐号长度或减少帐号数量!",
                       FieldOf(f.account.length));

    const Gbk prefix = f.usePrefix ? f.prefix : Gbk();
    const Gbk suffix = f.useSuffix ? f.suffix : Gbk();
    const Gbk profile = TypedWord(f.profile);

    // A name drawn twice is drawn again. Even when every possible name is
    // needed, a working source finishes long before this many draws; a
    // source that keeps repeating itself would otherwise never end.
    const std::int64_t drawLimit = count * 100 + 1000;
    std::int64_t draws = 0;
    std::unordered_set<Gbk> taken;
    taken.reserve(static_cast<std::size_t>(count));
    Gbk script;
    for (std::int64_t i = 1; i <= count; ++i) {
        Gbk part;
        do {
            if (++draws > drawLimit) throw std::runtime_error("the random source repeats itself");
            part = Draw(random, f.account, nameLength);
        } while (!taken.insert(part).second);
        const Gbk password = Draw(random, f.password, secretLength);
        script += SecretLine(prefix + part + suffix, password, profile);
        if (i < count) script += "\r\n";
    }
    return Outcome::Script(std::move(script));
}

}  // namespace trelvix::pppoe
