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
    return {wan, lan};
}

}  // namespace

Gbk BuildPcqScript(const PcqFields& f, RouterOsVersion version) {
    const Parents parents = TreeParents(version, f.wan, f.lan);
    return FillPlaceholders(StoredText("data/ratelimit/pcq.rsc"), {{"{UP}", NormalizeRate(f.up)},
                                                    {"{DOWN}", NormalizeRate(f.down)},
                                                    {"{PARENTUP}", parents.up},
                                                    {"{PARENTDOWN}", parents.down}});
}

Gbk BuildPcqTrafficMonitorScript(const PcqTrafficMonitorFields& f, RouterOsVersion version) {
    const Parents parents = TreeParents(version, f.wan, f.lan);
    return FillPlaceholders(StoredText("data/ratelimit/pcq-traffic-monitor.rsc"), {{"{UP}", NormalizeRate(f.up)},
                                                                    {"{DOWN}", NormalizeRate(f.down)},
                                                                    {"{PARENTUP}", parents.up},
                                                                    {"{PARENTDOWN}", parents.down},
                                                                    {"{WAN}", f.wan},
                                                                    {"{UPOFF}", NormalizeRate(f.upOff)},
                                                                    {"{UPON}", NormalizeRate(f.upOn)},
                                                                    {"{DOWNOFF}", NormalizeRate(f.downOff)},
                                                                    {"{DOWNON}", NormalizeRate(f.downOn)}});
}

}  // namespace trelvix::ratelimit
