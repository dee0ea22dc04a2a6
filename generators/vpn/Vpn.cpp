#include "generators/vpn/Vpn.h"

#include <string>

#include "common/CarrierCidrList.h"
#include "common/text/RouterOsText.h"

// Values the script writes bare go through TypedWord and the names and
// passwords through QuoteTyped, so a blank, quote or Chinese character in a
// box cannot break a command line.

namespace trelvix::vpn {
namespace {

Gbk DnsServers(const VpnServerFields& f) {
    if (!f.dns1.empty() && !f.dns2.empty()) return TypedWord(f.dns1 + "," + f.dns2);
    return TypedWord(f.dns1.empty() ? f.dns2 : f.dns1);
}

// "name=value " when the clause is on, else nothing.
Gbk Clause(bool on, const char* name, const Gbk& value) {
    return on ? Gbk(name) + "=" + TypedWord(value) + " " : Gbk();
}

}  // namespace

const char* ProtocolWord(VpnProtocol protocol) { return protocol == VpnProtocol::Pptp ? "pptp" : "l2tp"; }

Gbk BuildPptpL2tpServer(const VpnServerFields& f) {
    const Gbk ranges = TypedWord(f.poolRanges);
    const Gbk pool = TypedWord(f.poolName);
    const Gbk rate = NormalizeRate(f.upload) + "/" + NormalizeRate(f.download);
    return Gbk("/interface ") + ProtocolWord(f.protocol) + "-server server set enabled=yes\r\n" +
           "/ip pool add name=" + pool + " ranges=" + ranges + "\r\n" +
           "/ppp profile add name=" + TypedWord(f.profile) + " local-address=" + TypedWord(f.gateway) +
           " remote-address=" + pool + " use-ipv6=" + TypedWord(f.useIpv6) + " use-mpls=" + TypedWord(f.useMpls) +
           " use-compression=" + TypedWord(f.useCompression) + " use-vj-compression=" + TypedWord(f.useVjCompression) +
           " use-encryption=" + TypedWord(f.useEncryption) + " only-one=" + TypedWord(f.onlyOne) +
           " change-tcp-mss=" + TypedWord(f.changeTcpMss) + " " + Clause(f.idleTimeout, "idle-timeout", f.idleTime) +
           Clause(f.sessionTimeout, "session-timeout", f.sessionTime) + Clause(f.rateLimit, "rate-limit", rate) +
           "dns-server=" + DnsServers(f) + "\r\n" + "/ip firewall nat add chain=srcnat src-address=" + ranges +
           " action=masquerade";
}

Gbk BuildVpnSecret(const VpnSecretFields& f) {
    const Gbk mac = f.bindMac ? "caller-id=" + TypedWord(f.mac) + " " : Gbk();
    return "/ppp secret add name=" + QuoteTyped(f.name) + " password=" + QuoteTyped(f.password) +
           " service=" + ProtocolWord(f.protocol) + " " + mac + "profile=" + TypedWord(f.profile);
}

SplitLists BuiltInSplitLists() { return {CarrierCidrList(CarrierList::Telecom), CarrierCidrList(CarrierList::Unicom)}; }

Gbk BuildVpnClientScript(const VpnClientFields& f, const SplitLists& lists) {
    const Gbk head = Gbk("/interface ") + ProtocolWord(f.protocol) + "-client add name=" + QuoteTyped(f.name) +
                     " connect-to=" + TypedWord(f.server) + " user=" + QuoteTyped(f.user) +
                     " password=" + QuoteTyped(f.password);
    if (f.routing == ClientRouting::Default) return head + " add-default-route=yes disabled=no";

    // The main line keeps the default route; the other line's prefixes go
    // through the other line's gateway.
    const bool telecomMain = f.routing == ClientRouting::TelecomMain;
    const std::string_view list = telecomMain ? lists.netcom : lists.telecom;
    const Gbk listGateway = TypedWord(telecomMain ? f.netcomGateway : f.telecomGateway);
    const Gbk defaultGateway = TypedWord(telecomMain ? f.telecomGateway : f.netcomGateway);

    const std::string tail = " gateway=" + std::string(listGateway) +
                             " check-gateway=ping distance=1 scope=255 target-scope=10 disabled=no\r\n";
    std::string out = std::string(head) + " disabled=no\r\n/ip route\r\n";
    out.reserve(out.size() + list.size() + (list.size() / 10 + 1) * (tail.size() + 16));
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find("\r\n", start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) {
            out += "add dst-address=";
            out.append(list.substr(start, end - start));
            out += tail;
        }
        start = end + 2;
    }
    out += "add dst-address=0.0.0.0/0 gateway=" + std::string(defaultGateway) +
           " check-gateway=ping distance=2 scope=255 target-scope=10 disabled=no";
    return Gbk(std::move(out));
}

Gbk BuildVpnRoute(const Gbk& vpnInterface) {
    return "/ip route add dst-address=0.0.0.0/0 gateway=" + TypedWord(vpnInterface) + " routing-mark=Route_vpn";
}

Gbk BuildVpnMarkScript(const Gbk& listName) {
    const Gbk name = listName.empty() ? Gbk("novpn") : TypedWord(listName);
    return "/ip firewall mangle \r\n"
           "add chain=prerouting action=mark-connection new-connection-mark=vpn_conn passthrough=yes "
           "dst-address-type=!local dst-address-list=!" +
           name +
           "\r\n"
           "add chain=prerouting action=mark-routing new-routing-mark=Route_vpn passthrough=no "
           "dst-address-type=!local dst-address-list=!" +
           name + " connection-mark=vpn_conn";
}

}  // namespace trelvix::vpn
