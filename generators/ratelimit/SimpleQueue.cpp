#include "generators/ratelimit/SimpleQueue.h"

#include <limits>
#include <vector>

#include "common/text/RouterOsText.h"
#include "ui/Ui.h"

namespace trelvix::ratelimit {
namespace {

constexpr const char* kDayNames[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

// "08:30:00" as RouterOS writes a time of day, "08h30m00s"; nothing unless
// the text has exactly three parts.
std::optional<Gbk> TimeOfDay(std::string_view text) {
    const std::vector<Gbk> parts = Split(text, ":");
    if (parts.size() != 3) return std::nullopt;
    return parts[0] + "h" + parts[1] + "m" + parts[2] + "s";
}

Gbk CheckedDays(const std::array<bool, 7>& days) {
    Gbk out;
    for (std::size_t d = 0; d < days.size(); ++d) {
        if (!days[d]) continue;
        if (!out.empty()) out += ',';
        out += kDayNames[d];
    }
    return out;
}

// An upload/download pair of typed rates, one value on the command line.
Gbk RatePair(std::string_view up, std::string_view down) {
    return TypedWord(NormalizeRate(up) + "/" + NormalizeRate(down));
}

ScriptError TimeFormatError(const Gbk& box, int flags) {
    return ScriptError{
        "您填写的Time时间段格式有误,格式: 12:10:10", flags, std::nullopt, FieldOf(box), FocusMove::BeforeBox, ""};
}

}  // namespace

std::int64_t RateOrderValue(std::string_view rate) {
    const std::int64_t n = ToInt64(rate);
    if (Find(rate, "M") < 1 && Find(rate, "m") < 1) return n;
    constexpr std::int64_t kMega = 1024;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    if (n > kMax / kMega) return kMax;
    if (n < kMin / kMega) return kMin;
    return n * kMega;
}

std::optional<ScriptError> CheckRateOrder(std::string_view limitAt, std::string_view maxLimit,
                                          std::string_view burstLimit, std::string_view burstThreshold) {
    const std::int64_t limit = RateOrderValue(limitAt), max = RateOrderValue(maxLimit);
    const std::int64_t burst = RateOrderValue(burstLimit), threshold = RateOrderValue(burstThreshold);
    const auto fault = [](const char* message) { return MainWindowError(message, "错误"); };
    if (max < limit) return fault("Max Limit的值不能小于Limit At的值!");
    if (burst == 0) return std::nullopt;
    if (burst < max) return fault("Burst Limit的值不能小于Max Limit的值!");
    if (burst < threshold) return fault("Burst Limit的值不能小于Burst Threshold的值!");
    return std::nullopt;
}

Outcome BuildSimpleQueueScript(const SimpleQueueFields& f, RouterOsVersion version) {
    const Gbk prefix = IpPrefix3(f.prefix);
    if (prefix.empty())
        return Outcome::Error(
            MainWindowError("您填写的ip格式有误,请重新填写!", "ip格式错误", FieldOf(f.prefix), FocusMove::AfterBox));

    Gbk timeClause;
    if (f.time) {
        const Gbk days = CheckedDays(f.days);
        if (days.empty())
            return Outcome::Error(
                ScriptError{"请选择要限速的哪一天!", ui::mb::IconError, std::nullopt, {}, FocusMove::None, ""});
        const std::optional<Gbk> start = TimeOfDay(f.timeStart);
        if (!start) return Outcome::Error(TimeFormatError(f.timeStart, ui::mb::IconError));
        const std::optional<Gbk> end = TimeOfDay(f.timeEnd);
        if (!end) return Outcome::Error(TimeFormatError(f.timeEnd, ui::mb::Ok));
        timeClause = " time=" + TypedWord(*start + "-" + *end + "," + days);
    }

    const Gbk priority = "priority=" +
                         TypedWord(version == RouterOsVersion::V5 ? f.priority : f.priority + "/" + f.priority);

    Gbk script = ":for vemtu from=" + TypedWord(f.from) + " to=" + TypedWord(f.to) + " do={/queue simple add name=(" +
                 QuoteTyped(f.namePrefix) + ".$vemtu) target=(" + QuoteTyped(prefix) +
                 " . $vemtu) limit-at=" + RatePair(f.upLimitAt, f.downLimitAt) +
                 " max-limit=" + RatePair(f.upMaxLimit, f.downMaxLimit);

    if (f.burst) {
        if (auto e = CheckRateOrder(f.upLimitAt, f.upMaxLimit, f.upBurstLimit, f.upBurstThreshold))
            return Outcome::Error(*e);
        if (auto e = CheckRateOrder(f.downLimitAt, f.downMaxLimit, f.downBurstLimit, f.downBurstThreshold))
            return Outcome::Error(*e);
        // The priority belongs to the burst clause only: without burst both
        // versions write the same line.
        script += " burst-limit=" + RatePair(f.upBurstLimit, f.downBurstLimit) +
                  " burst-threshold=" + RatePair(f.upBurstThreshold, f.downBurstThreshold) +
                  " burst-time=" + TypedWord(f.upBurstTime + "s/" + f.downBurstTime + "s") + " " + priority;
    }
    script += timeClause;
    script += " disabled=no}";
    return Outcome::Script(std::move(script));
}

Gbk BuildRemoveSimpleQueues(const SimpleQueueFields& f) {
    return ":for vemtu from=" + TypedWord(f.from) + " to=" + TypedWord(f.to) + " do={queue simple remove (" +
           QuoteTyped(f.namePrefix) + " . $vemtu)}";
}

}  // namespace trelvix::ratelimit
