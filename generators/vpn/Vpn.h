#pragma once
// Pages "PPTP或L2TP" and "VPN借线功能": a PPTP or L2TP server with its pool,
// profile and masquerade rule, one account, a client routed by default or
// split between two lines, and the VPN line's marked default route.
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix::vpn {

enum class VpnProtocol { Pptp, L2tp };

// "pptp" or "l2tp", as RouterOS names the server and client menus.
const char* ProtocolWord(VpnProtocol protocol);

struct VpnServerFields {
    VpnProtocol protocol = VpnProtocol::Pptp;
    Gbk poolRanges = "172.16.254.2-172.16.254.254";
    Gbk gateway = "172.16.254.1";
    Gbk dns1 = "114.114.114.114", dns2 = "114.114.115.115";
    Gbk poolName = "pptp_pool";
    Gbk profile = "pptp_profile";
    bool idleTimeout = false;
    Gbk idleTime = "00:00:00";
    bool sessionTimeout = false;
    Gbk sessionTime = "00:00:00";
    bool rateLimit = false;
    Gbk upload = "1M", download = "1M";
    Gbk useIpv6 = "yes";
    Gbk useMpls = "default";
    Gbk onlyOne = "default";
    Gbk useEncryption = "default";
    Gbk useCompression = "default";
    Gbk useVjCompression = "default";
    Gbk changeTcpMss = "default";
};

// Four lines, the last without a line end; nothing is checked.
Gbk BuildPptpL2tpServer(const VpnServerFields& f);

struct VpnSecretFields {
    VpnProtocol protocol = VpnProtocol::Pptp;
    Gbk name = "VEMTU";
    Gbk password = "Vemtu@2017pwd";
    Gbk profile = "pptp_profile";
    bool bindMac = false;
    Gbk mac = "00:00:00:00:00:00";
};

// One line without a line end, for the server the page sets up: its service
// is the chosen protocol.
Gbk BuildVpnSecret(const VpnSecretFields& f);

enum class ClientRouting { Default, NetcomMain, TelecomMain };

struct VpnClientFields {
    VpnProtocol protocol = VpnProtocol::Pptp;
    ClientRouting routing = ClientRouting::Default;
    Gbk name = "vemtu_pptp_client";
    Gbk server = "202.96.134.133";
    Gbk user = "Vemtu";
    Gbk password = "Vemtu@2017pwd";
    Gbk telecomGateway = "202.96.128.1";
    Gbk netcomGateway = "221.5.88.1";
};

// The carrier lists a split client routes over: CR LF between prefixes.
struct SplitLists {
    std::string_view telecom;
    std::string_view netcom;
};

// The built-in 电信 and 联通(网通) lists.
SplitLists BuiltInSplitLists();

// The client alone with a default route (one line, no line end), or the
// client, one route per prefix of the other line's list through that
// line's gateway, and a distance-2 default route through the main line's.
Gbk BuildVpnClientScript(const VpnClientFields& f, const SplitLists& lists);

// The default route of the VPN line's routing mark; no line end.
Gbk BuildVpnRoute(const Gbk& vpnInterface);

// The two mangle rules that mark traffic not bound for the address list
// (novpn when the name is empty).
Gbk BuildVpnMarkScript(const Gbk& listName);

}  // namespace trelvix::vpn
