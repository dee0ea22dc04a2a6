#pragma once
// Page "PCQ智能动态限速": PCQ queue types with a mark-all rule and a queue tree,
// alone or with traffic monitors that switch the tree off on an idle line.
#include "common/text/Gbk.h"
#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

// Group "PCQ整体限速脚本生成"; the initial values are the page's defaults.
struct PcqFields {
    Gbk up = "1M", down = "1M";
    Gbk wan = "WAN", lan = "LAN";
};

// Group "PCQ-动态限速": the rates per host, the interfaces and the traffic
// above which limiting starts (on) and below which it stops (off).
struct PcqTrafficMonitorFields {
    Gbk up = "1M", down = "1M";
    Gbk wan = "WAN", lan = "LAN";
    Gbk upOn = "4M", upOff = "2M";
    Gbk downOn = "8M", downOff = "4M";
};

Gbk BuildPcqScript(const PcqFields& fields, RouterOsVersion version);
Gbk BuildPcqTrafficMonitorScript(const PcqTrafficMonitorFields& fields, RouterOsVersion version);

}  // namespace trelvix::ratelimit
