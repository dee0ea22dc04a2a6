#include "generators/ratelimit/PcqGroup.h"

#include <string>

#include "common/text/RouterOsText.h"

namespace trelvix::ratelimit {
namespace {

// How one list is read: whether it is a rate, whether only burst reads it,
// and where its values go. A short list is the field the error names.
struct ListStep {
    const GroupValueList& list;
    bool rate;
    bool burstOnly;
    Gbk GroupSettings::*field;
};

Gbk Number(double value) { return NumberToText(value); }

// Which traffic a group's simple queues take: all of it, in each version's own
// words. RouterOS 6 simple queues have target and dst in place of RouterOS 5's
// interface and dst-address, and no property by the old names.
Gbk SimpleQueueScope(RouterOsVersion version) {
    return version == RouterOsVersion::V5 ? " dst-address=0.0.0.0/0 interface=all" : " target=0.0.0.0/0 dst=0.0.0.0/0";
}

}  // namespace

std::optional<std::vector<Gbk>> GroupValueList::Values(int groups) const {
    std::vector<Gbk> parts = Split(text, "/");
    if (groups < 0) groups = 0;
    if (parts.size() < static_cast<std::size_t>(groups)) return std::nullopt;
    parts.resize(static_cast<std::size_t>(groups));
    return parts;
}

Gbk GroupName(int group) {
    static const char* const kNames[] = {"one", "two", "three", "four", "five", "six", "seven", "eight"};
    return group >= 1 && group <= 8 ? kNames[group - 1] : "";
}

int GroupCountOf(std::string_view text) {
    const std::int64_t n = ToInt64(text);
    return n < 0 ? 0 : n > 8 ? 8 : static_cast<int>(n);
}

GroupTable SplitGroupValues(const GroupListFields& lists, const GroupValueList& priority, int groups, bool burst) {
    const ListStep steps[] = {
        {lists.limitAt, false, false, &GroupSettings::limitAt},
        {lists.maxLimit, true, false, &GroupSettings::maxLimit},
        {priority, false, false, &GroupSettings::priority},
        {lists.burstLimit, true, true, &GroupSettings::burstLimit},
        {lists.burstThreshold, true, true, &GroupSettings::burstThreshold},
        {lists.burstTime, false, true, &GroupSettings::burstTime},
    };
    GroupTable table;
    table.groups.resize(static_cast<std::size_t>(groups < 0 ? 0 : groups));
    for (const ListStep& step : steps) {
        if (step.burstOnly && !burst) continue;
        const GroupValueList list = step.rate ? GroupValueList(NormalizeRate(step.list.text)) : step.list;
        const auto values = list.Values(groups);
        if (!values) {
            table.groups.clear();
            table.error = MainWindowError("您填写的格式有误,请重新确认!", "格式错误", FieldOf(step.list),
                                          FocusMove::AfterBox);
            return table;
        }
        for (std::size_t g = 0; g < values->size(); ++g) table.groups[g].*step.field = (*values)[g];
    }
    return table;
}

Outcome BuildPcqGroupScript(const PcqGroupFields& f, RouterOsVersion version) {
    const int n = GroupCountOf(f.groupCount);
    const Gbk prefix = IpPrefix3(f.prefix);
    if (prefix.empty())
        return Outcome::Error(
            MainWindowError("您填写的ip格式有误,请重新填写!", "ip格式错误", FieldOf(f.prefix), FocusMove::AfterBox));
    const GroupTable up = SplitGroupValues(f.up, f.priority, n, f.burst);
    if (up.error) return Outcome::Error(*up.error);
    const GroupTable down = SplitGroupValues(f.down, f.priority, n, f.burst);
    if (down.error) return Outcome::Error(*down.error);

    // Host numbers are read as 64-bit integers and computed as reals, so a
    // huge range still gives a number (written with 13 significant digits).
    const double first = static_cast<double>(ToInt64(f.from));
    const double last = static_cast<double>(ToInt64(f.to));
    const Gbk step = std::to_string(n);
    Gbk script;

    for (int g = 1; g <= n; ++g)
        script += ":for vemtu from=" + Number(g + first - 1) + " to=" + TypedWord(f.to) + " step=" + step +
                  " do={/ip firewall address-list add list=" + Quote(GroupName(g)) + " address=(" + QuoteTyped(prefix) +
                  ".$vemtu)}\r\n";
    script += "\r\n/ip firewall mangle\r\n";
    for (int g = 1; g <= n; ++g) {
        const Gbk name = GroupName(g), number = std::to_string(g);
        script += "add chain=prerouting action=mark-packet new-packet-mark=" + name + "_up src-address-list=" + name +
                  " comment=zu_" + number + "_up passthrough=yes\r\n";
        script += "add chain=forward action=mark-packet new-packet-mark=" + name + "_down dst-address-list=" + name +
                  " comment=zu_" + number + "_down passthrough=yes\r\n\r\n";
    }

    const Gbk total = Number((last - first + 1) * 50);
    script += "/queue type add name=" + TypedWord(f.upMark) +
              " kind=pcq pcq-rate=" + TypedWord(NormalizeRate(f.upBandwidth)) +
              " pcq-limit=50 pcq-classifier=src-address pcq-total-limit=" + total + "\r\n";
    script += "/queue type add name=" + TypedWord(f.downMark) +
              " kind=pcq pcq-rate=" + TypedWord(NormalizeRate(f.downBandwidth)) +
              " pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=" + total + "\r\n\r\n";

    const Gbk upQueues = TypedWord(f.upMark + "/" + f.downMark);
    const Gbk downQueues = TypedWord("default-small/" + f.downMark);
    const Gbk scope = SimpleQueueScope(version);
    script += "/queue simple\r\n";
    for (int g = 1; g <= n; ++g) {
        const GroupSettings& u = up.groups[g - 1];
        const GroupSettings& d = down.groups[g - 1];
        const Gbk name = GroupName(g), number = std::to_string(g);
        // Both queues of a group carry the same rates; only the queue kinds differ.
        const Gbk rates = " limit-at=" + TypedWord(u.limitAt + "/" + d.limitAt) +
                          " max-limit=" + TypedWord(u.maxLimit + "/" + d.maxLimit) + " total-queue=default-small";
        const Gbk burst = !f.burst ? Gbk()
                                   : " burst-limit=" + TypedWord(u.burstLimit + "/" + d.burstLimit) +
                                         " burst-threshold=" + TypedWord(u.burstThreshold + "/" + d.burstThreshold) +
                                         " burst-time=" + TypedWord(u.burstTime + "s/" + d.burstTime + "s");
        const Gbk priority = TypedWord(u.priority);
        script += "add name=" + Quote("pcq_" + number + "_up") + scope + " parent=none packet-marks=" + name +
                  "_up priority=" + priority + " queue=" + upQueues + rates + burst + "\r\n";
        script += "add name=" + Quote("pcq_" + number + "_down") + scope + " parent=none packet-marks=" + name +
                  "_down priority=" + priority + " queue=" + downQueues + rates + burst;
        if (g < n) script += "\r\n\r\n";
    }
    return Outcome::Script(std::move(script));
}

}  // namespace trelvix::ratelimit
