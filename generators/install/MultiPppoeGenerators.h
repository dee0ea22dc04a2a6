#pragma once
// The installation section's pages 2 to 4: two fixed-IP lines of the two
// big carriers, several PPPoE accounts over one port through an 802.1Q
// switch, and several PPPoE accounts over VRRP interfaces.
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix {
class RandomSource;
}

namespace trelvix::install {

struct DualLineFields {
    Gbk lanInterface;
    Gbk lanGateway, lanGatewayPrefix;
    Gbk lanNetwork, lanNetworkPrefix;
    Gbk telInterface, telAddress, telPrefix, telGateway, telDns;
    Gbk cncInterface, cncAddress, cncPrefix, cncGateway, cncDns;
    Gbk mss;
    bool telecomPrimary = true;
};

// Addresses, default routes, NAT, DNS redirect, MSS clamping and DNS; no checks.
Gbk BuildDualLineScript(const DualLineFields& fields);

// The other carrier's prefixes over the other carrier's gateway and the
// default route over the primary one. The lists are CR LF separated prefixes
// (the built-in carrier lists in the program).
Gbk BuildCarrierRouteTable(const DualLineFields& fields, std::string_view telecomList, std::string_view unicomList);

struct VlanAccountRow {
    Gbk user, password, vlanId;
};

struct VlanFields {
    Gbk vlanInterface;
    std::vector<VlanAccountRow> rows;
};

enum class VlanMode { V5To62 = 1, V63Up = 2 };

// One VLAN, bridge (with its own random unicast admin MAC), bridge port and
// PPPoE client per account.
Outcome BuildVlanMultiPppoe(const VlanFields& fields, VlanMode mode, RandomSource& random);

struct VrrpAccountRow {
    Gbk user, password;
};

struct VrrpFields {
    Gbk wanInterface, lanInterface, network;
    bool pcc = false;
    Gbk pccType;
    bool ownMarks = false;
    Gbk connectionMark, routingMark;
    bool masquerade = false;
    bool changeMss = false;
    std::vector<VrrpAccountRow> rows;
};

// Line i gets the host number "1" + i on the VRRP side, so at most 99 accounts fit.
inline constexpr std::size_t kMaxVrrpAccounts = 99;

Outcome BuildVrrpMultiPppoe(const VrrpFields& fields);

// A MAC address as "XX:XX:XX:XX:XX:XX" made locally administered unicast, so
// a bridge can take it as its own address.
Gbk UnicastMac(std::string_view mac);

}  // namespace trelvix::install
