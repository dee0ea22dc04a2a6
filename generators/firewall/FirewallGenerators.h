#pragma once
// The firewall section's first pages: ping and tracert rules and the DNS
// redirect to an inner server, ARP binding, connection limits for a LAN net
// and for a range of hosts, and the stored software blocks.
#include <string_view>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::firewall {

// ---------------------------------------------------------------- ping and redirect

Gbk BuildTracertBlock();
Gbk BuildRouterPingBlock();

struct LanNetFields {
    Gbk net;     // the LAN's network address
    Gbk prefix;  // its prefix length
};

// Drops ping to the router from outside the LAN net.
Gbk BuildWanPingBlock(const LanNetFields& fields);
// Drops the router's ICMP towards the LAN net.
Gbk BuildLanPingBlock(const LanNetFields& fields);

struct UrlRedirectFields {
    Gbk name;        // the DNS name to answer
    Gbk address;     // the inner address it answers with
    Gbk srcAddress;  // optional clauses of the nat rule: empty leaves them out
    Gbk dstAddress;
    Gbk protocol;  // written even when empty
    Gbk dstPort;
    Gbk toAddress;  // the inner server
    Gbk toPort;
};

// Refuses an empty name, address or target (the focus moves before the box).
Outcome BuildUrlRedirect(const UrlRedirectFields& fields);

// ---------------------------------------------------------------- ARP

struct ArpScheduleFields {
    Gbk interval;
    Gbk name;
    Gbk interface;
};

Gbk BuildArpBindSchedule(const ArpScheduleFields& fields);
Gbk BuildCopyDynamicArp();
Gbk BuildRemoveAllArp();

struct ArpModeFields {
    Gbk interface;
};

Gbk BuildArpReplyOnly(const ArpModeFields& fields);
Gbk BuildArpEnable(const ArpModeFields& fields);

struct StaticArpFields {
    Gbk address;
    Gbk mac;
    Gbk interface;
};

Gbk BuildStaticArpEntry(const StaticArpFields& fields);

// ---------------------------------------------------------------- connection limits

struct NetLimitFields {
    bool tcp = true;  // else udp
    Gbk net;
    Gbk prefix;
    Gbk exempt;  // comma-separated hosts the limit leaves alone
    Gbk limit;   // connections per host
};

Gbk BuildConnectionLimitScript(const NetLimitFields& fields);

struct HostLimitFields {
    bool tcp = true;  // else udp
    Gbk prefix;       // three or four dotted parts
    Gbk from;         // first and last host number
    Gbk to;
    Gbk limit;
};

// Refuses a prefix that is not three or four dotted parts (the box comes
// first, then the focus).
Outcome BuildPerHostConnLimit(const HostLimitFields& fields);

// ---------------------------------------------------------------- software blocks

enum class SoftwareBlock { Thunder, ThunderFull, PpLive, QqXuanFeng, NetSoftware, QqLive };

// One of the stored rule sets, unchanged.
Gbk StoredBlock(SoftwareBlock block);

}  // namespace trelvix::firewall
