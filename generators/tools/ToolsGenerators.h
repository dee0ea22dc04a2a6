#pragma once
// The common tools section's scripts: an Ethernet interface's MAC address,
// lists of random MAC addresses, a Chinese SSID, a netwatch entry and the
// mangle rules that mark one upload or download flow.
#include <cstdint>

#include "common/platform/Random.h"
#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::tools {

struct SetMacFields {
    Gbk interfaceName;
    Gbk mac;
};

Gbk BuildSetMacScript(const SetMacFields& fields);

struct MacListFields {
    bool fixedHead = true;  // the first three octets come from the three boxes
    Gbk octetA;
    Gbk octetB;
    Gbk octetC;
    bool colon = true;  // ":" between octets, otherwise "-"
    Gbk count;          // as typed; empty or not a number counts as 0
};

// The most addresses one list holds, whatever the count box says: its four
// digits allow no more, and the program may write a larger number there.
inline constexpr std::int64_t kMaxMacCount = 9999;

// One address per line, CR LF between them and none after the last. Refuses
// a count above kMaxMacCount.
Outcome BuildMacAddresses(const MacListFields& fields, RandomSource& random);

struct SsidFields {
    Gbk name;  // GBK; the router stores the SSID as UTF-8
    Gbk interfaceName;
};

// Refuses an empty name.
Outcome BuildChineseSsidScript(const SsidFields& fields);

struct NetwatchLog {
    bool enabled = false;
    Gbk level;  // info, warning or error; empty when none is chosen
    Gbk message;
};

struct NetwatchFields {
    Gbk host;
    Gbk interval;
    Gbk timeoutMs;
    NetwatchLog up;
    NetwatchLog down;
};

// Refuses a time-out that is not a number of milliseconds: "timeout=ms"
// would stop the router's import, and a quoted word before "ms" too.
Outcome BuildNetwatchScript(const NetwatchFields& fields);

// One side of the marking page. The names follow the download group; the
// upload group fills the same fields from its mirrored boxes (its source
// address, destination port and out-interface).
struct MarkFields {
    bool edgeChain = true;  // prerouting (download) or postrouting (upload); else forward
    Gbk address;
    bool addressNot = false;
    Gbk addressList;
    bool addressListNot = false;
    Gbk protocol;
    Gbk port;
    Gbk packetSize;
    Gbk interfaceName;
    Gbk connectionMark;
    Gbk packetMark;
    Gbk comment;
};

// Both refuse an empty connection mark.
Outcome BuildUploadMarking(const MarkFields& fields);
Outcome BuildMangleMarkScript(const MarkFields& fields);

}  // namespace trelvix::tools
