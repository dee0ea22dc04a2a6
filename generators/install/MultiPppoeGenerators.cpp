#include "generators/install/MultiPppoeGenerators.h"

#include <cstddef>
#include <string>
#include <utility>

#include "common/text/RouterOsText.h"
#include "ui/Ui.h"

// Every typed value written bare goes through TypedWord, so a blank, quote or
// "$" in an account or password is quoted instead of breaking its line.

namespace trelvix::install {
namespace {

constexpr std::string_view kCrLf = "\r\n";

Outcome Refusal(Gbk message) {
    return Outcome::Error(
        ScriptError{std::move(message), ui::mb::IconInformation, Gbk(), {}, FocusMove::None, MainWindowName()});
}

Gbk Address(const Gbk& address, const Gbk& prefix) { return TypedWord(address + "/" + prefix); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

Gbk UnicastMac(std::string_view mac) {
    Gbk out(mac);
    if (out.size() < 2) return out;
    const int hi = HexDigit(out[0]), lo = HexDigit(out[1]);
    if (hi < 0 || lo < 0) return out;
    const int octet = (((hi << 4) | lo) & ~0x01) | 0x02;
    constexpr char kHex[] = "0123456789ABCDEF";
    out[0] = kHex[octet >> 4];
    out[1] = kHex[octet & 0x0F];
    return out;
}

Gbk BuildDualLineScript(const DualLineFields& f) {
    const Gbk& d1 = f.telecomPrimary ? f.telDns : f.cncDns;
    const Gbk& d2 = f.telecomPrimary ? f.cncDns : f.telDns;
    const Gbk lanNet = Address(f.lanNetwork, f.lanNetworkPrefix);
    Gbk s;
    s += "/ip address add address=" + Address(f.lanGateway, f.lanGatewayPrefix) +
         " interface=" + TypedWord(f.lanInterface) + " comment=" + Quote("Lan") + " disabled=no\r\n";
    s += "/ip address add address=" + Address(f.telAddress, f.telPrefix) + " interface=" + TypedWord(f.telInterface) +
         " comment=" + Quote("Tel") + " disabled=no\r\n";
    s += "/ip address add address=" + Address(f.cncAddress, f.cncPrefix) + " interface=" + TypedWord(f.cncInterface) +
         " comment=" + Quote("Cnc") + " disabled=no\r\n\r\n";
    s += "/ip route add gateway=" + TypedWord(f.telGateway) + Gbk(kCrLf);
    s += "/ip route add gateway=" + TypedWord(f.cncGateway) + "\r\n\r\n";
    s += "/ip firewall nat add chain=srcnat src-address=" + lanNet + " action=masquerade disabled=no\r\n";
    s += "/ip firewall nat add chain=dstnat src-address=" + lanNet +
         " protocol=udp dst-port=53 action=dst-nat to-addresses=" + TypedWord(f.lanGateway) +
         " to-ports=53 disabled=no\r\n";
    s += "/ip firewall mangle add chain=forward protocol=tcp tcp-flags=syn action=change-mss new-mss=" +
         TypedWord(f.mss) + "\r\n\r\n";
    s += "/ip dns set allow-remote-requests=yes cache-size=2048 max-udp-packet-size=512 servers=" +
         TypedWord(d1 + "," + d2);
    return s;
}

Gbk BuildCarrierRouteTable(const DualLineFields& f, std::string_view telecomList, std::string_view unicomList) {
    const std::string_view list = f.telecomPrimary ? unicomList : telecomList;
    const Gbk other = TypedWord(f.telecomPrimary ? f.cncGateway : f.telGateway);
    const Gbk primary = TypedWord(f.telecomPrimary ? f.telGateway : f.cncGateway);
    Gbk s = "/ip route\r\n";
    s.reserve(list.size() * 2 + 200);
    std::size_t at = 0;
    while (at < list.size()) {
        std::size_t end = list.find(kCrLf, at);
        if (end == std::string_view::npos) end = list.size();
        s += "add dst-address=";
        s += list.substr(at, end - at);
        s += " gateway=" + other + " check-gateway=ping distance=1 scope=255 target-scope=10 disabled=no\r\n";
        at = end + kCrLf.size();
    }
    s += "add dst-address=0.0.0.0/0 gateway=" + primary +
         " check-gateway=ping distance=2 scope=255 target-scope=10 disabled=no";
    return s;
}

Outcome BuildVlanMultiPppoe(const VlanFields& f, VlanMode mode, RandomSource& random) {
    if (f.rows.empty()) return Refusal("至少需要1个VLAN的PPPoE拨号的相关信息!");
    const std::string_view between = mode == VlanMode::V5To62 ? " l2mtu=65535 " : " ";
    const Gbk port = TypedWord(f.vlanInterface);
    const std::size_t n = f.rows.size();
    Gbk s = "/interface vlan\r\n";
    for (std::size_t i = 1; i <= n; ++i)
        s += "add arp=enabled disabled=no interface=" + port + " mtu=1500 name=vlan" + std::to_string(i) +
             " use-service-tag=no vlan-id=" + TypedWord(f.rows[i - 1].vlanId) + Gbk(kCrLf);
    s += "\r\n/interface bridge\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const Gbk mac = UnicastMac(RandomMacList(random, "", false, 1, 1));
        s += "add admin-mac=" + mac + " ageing-time=5m arp=enabled auto-mac=no disabled=no forward-delay=15s" +
             Gbk(between) + "max-message-age=20s mtu=1500 name=ADSL-" + std::to_string(i) +
             " priority=0x8000 protocol-mode=none transmit-hold-count=6\r\n";
    }
    s += "\r\n/interface bridge port\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        s += "add bridge=ADSL-" + k + " disabled=no edge=auto external-fdb=auto horizon=none interface=vlan" + k +
             " path-cost=10 point-to-point=auto priority=0x80\r\n";
    }
    s += kCrLf;
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        const VlanAccountRow& row = f.rows[i - 1];
        s += "/interface pppoe-client add name=pppoe-out" + k + " interface=ADSL-" + k +
             " user=" + TypedWord(row.user) + " password=" + TypedWord(row.password) +
             " add-default-route=yes disabled=no";
        if (i < n) s += kCrLf;
    }
    return Outcome::Script(std::move(s));
}

Outcome BuildVrrpMultiPppoe(const VrrpFields& f) {
    const std::size_t n = f.rows.size();
    if (n < 1) return Refusal("至少需要1条用户信息!");
    if (n > kMaxVrrpAccounts) return Refusal("账号数量不能超过99个!");
    if (n < 2 && f.pcc) return Refusal("使用PCC功能,至少需要2条用户信息!");
    const Gbk prefix = IpPrefix3(f.network);
    if (prefix.empty())
        return Outcome::Error(
            MainWindowError("您填写的ip格式有误,请重新填写!", "ip格式错误", FieldOf(f.network), FocusMove::AfterBox));

    const Gbk connStem = f.ownMarks ? f.connectionMark : Gbk("conn_pppoe-out");
    const Gbk routeStem = f.ownMarks ? f.routingMark : Gbk("router_");
    const Gbk wan = TypedWord(f.wanInterface);
    const Gbk lan = TypedWord(f.lanInterface);
    const std::string count = std::to_string(n);

    Gbk s = "/interface vrrp\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        s += "add name=vrrp" + k + " disabled=no interface=" + wan + " interval=1 vrid=" + k + Gbk(kCrLf);
    }
    s += "\r\n/ip address\r\nadd address=" + TypedWord(prefix + "1/24") + " disabled=no interface=" + wan + Gbk(kCrLf);
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        s += "add address=" + TypedWord(prefix + "1" + k + "/24") + " disabled=no interface=vrrp" + k + Gbk(kCrLf);
    }
    s += "\r\n/interface pppoe-client\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        s += "add name=pppoe-out" + k + " interface=vrrp" + k + " user=" + TypedWord(f.rows[i - 1].user) +
             " password=" + TypedWord(f.rows[i - 1].password) + " disabled=no\r\n";
    }
    s += "\r\n/ip firewall mangle\r\n";
    if (f.changeMss)
        s += "add action=change-mss chain=forward comment=change-mss disabled=no new-mss=1440 protocol=tcp "
             "tcp-flags=syn\r\n\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        const Gbk conn = TypedWord(connStem + k);
        const Gbk route = TypedWord(routeStem + k);
        if (f.pcc)
            s += "add chain=prerouting action=mark-connection dst-address-type=!local in-interface=" + lan +
                 " per-connection-classifier=" + TypedWord(f.pccType + ":" + count + "/" + std::to_string(i - 1)) +
                 " new-connection-mark=" + conn + " passthrough=yes comment=" + Quote("pcc_" + k) + Gbk(kCrLf);
        else s += kCrLf;
        s += "add action=mark-routing chain=prerouting connection-mark=" + conn + " disabled=no in-interface=" + lan +
             " new-routing-mark=" + route + " passthrough=yes\r\n";
        s += "add action=mark-connection chain=input disabled=no in-interface=pppoe-out" + k +
             " new-connection-mark=" + conn + " passthrough=yes\r\n";
        s += "add action=mark-routing chain=output connection-mark=" + conn + " disabled=no new-routing-mark=" + route +
             " passthrough=yes\r\n\r\n";
    }
    s += "/ip route\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const std::string k = std::to_string(i);
        s += "add comment=" + k + " dst-address=0.0.0.0/0 gateway=pppoe-out" + k +
             " routing-mark=" + TypedWord(routeStem + k) + " check-gateway=ping disabled=no distance=1";
        if (i < n) s += kCrLf;
    }
    if (f.masquerade) {
        s += "\r\n\r\n/ip firewall nat\r\n";
        for (std::size_t i = 1; i <= n; ++i) {
            const std::string k = std::to_string(i);
            s += "add action=masquerade chain=srcnat comment=" + k + " disabled=no out-interface=pppoe-out" + k;
            if (i < n) s += kCrLf;
        }
    }
    return Outcome::Script(std::move(s));
}

}  // namespace trelvix::install
