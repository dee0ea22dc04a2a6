#pragma once
// Page "网络收集L7&大小包脚本": stored Layer-7 and packet-size scripts, seven
// shown as they stand and one classic script with the user's LAN range.
#include <array>

#include "common/text/Gbk.h"

namespace trelvix::ratelimit {

struct StoredScriptButton {
    const char* button;
    const char* path;
};

// The collected script for RouterOS 6, then the six packages for RouterOS 5,
// to be imported in order. (Defined with the generator, whose sources hold
// control names in GBK.)
const std::array<StoredScriptButton, 7>& L7StoredScripts();

inline constexpr const char* kL7ClassicScript = "data/ratelimit/l7-classic-5x.rsc";

// Group "ROS 5.X L7和小包混合流控经典版".
struct L7QosClassicFields {
    Gbk lanRange;  // empty: 192.168.1.0/24
};

Gbk BuildL7QosClassic(const L7QosClassicFields& fields);

}  // namespace trelvix::ratelimit
