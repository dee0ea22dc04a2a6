#include "generators/ratelimit/Pcq.h"

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

namespace trelvix::ratelimit {
namespace {

// RouterOS 5 hangs the trees on the global queues; 6 on the interfaces.
struct Parents {
    Gbk up, down;
};

Parents TreeParents(RouterOsVersion version, const Gbk& wan, const Gbk& lan) {
    if (version == RouterOsVersion::V5) return {"global-out", "global-in"};
    return {TypedWord(wan), TypedWord(lan)};
}

// A typed rate as the scripts write it, outside quotes.
Gbk Rate(std::string_view typed) { return TypedWord(NormalizeRate(typed)); }

}  // namespace

Gbk BuildPcqScript(const PcqFields& f, RouterOsVersion version) {
    const Parents parents = TreeParents(version, f.wan, f.lan);
    return FillPlaceholders(
        StoredText("data/ratelimit/pcq.rsc"),
        {{"{UP}", Rate(f.up)}, {"{DOWN}", Rate(f.down)}, {"{PARENTUP}", parents.up}, {"{PARENTDOWN}", parents.down}});
}

Gbk BuildPcqTrafficMonitorScript(const PcqTrafficMonitorFields& f, RouterOsVersion version) {
    const Parents parents = TreeParents(version, f.wan, f.lan);
    return FillPlaceholders(StoredText("data/ratelimit/pcq-traffic-monitor.rsc"), {{"{UP}", Rate(f.up)},
                                                                                   {"{DOWN}", Rate(f.down)},
                                                                                   {"{PARENTUP}", parents.up},
                                                                                   {"{PARENTDOWN}", parents.down},
                                                                                   {"{WAN}", TypedWord(f.wan)},
                                                                                   {"{UPOFF}", Rate(f.upOff)},
                                                                                   {"{UPON}", Rate(f.upOn)},
                                                                                   {"{DOWNOFF}", Rate(f.downOff)},
                                                                                   {"{DOWNON}", Rate(f.downOn)}});
}

}  // namespace trelvix::ratelimit
