#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "generators/install/MultiPppoeGenerators.h"

namespace trelvix::install {
namespace {

using test::G;
using test::Visible;

// ---------------------------------------------------------------- dual line

DualLineFields DualPage() {
    DualLineFields f;
    f.lanInterface = "ether4";
    f.lanGateway = "192.168.0.254";
    f.lanGatewayPrefix = "24";
    f.lanNetwork = "192.168.0.0";
    f.lanNetworkPrefix = "24";
    f.telInterface = "ether1";
    f.telAddress = "203.0.113.10";
    f.telPrefix = "29";
    f.telGateway = "203.0.113.9";
    f.telDns = "203.0.113.53";
    f.cncInterface = "ether2";
    f.cncAddress = "198.51.100.10";
    f.cncPrefix = "29";
    f.cncGateway = "198.51.100.9";
    f.cncDns = "198.51.100.53";
    f.mss = "1440";
    return f;
}

const std::string kDualBody =
    "/ip address add address=192.168.0.254/24 interface=ether4 comment=\"Lan\" disabled=no\r\n"
    "/ip address add address=203.0.113.10/29 interface=ether1 comment=\"Tel\" disabled=no\r\n"
    "/ip address add address=198.51.100.10/29 interface=ether2 comment=\"Cnc\" disabled=no\r\n"
    "\r\n"
    "/ip route add gateway=203.0.113.9\r\n"
    "/ip route add gateway=198.51.100.9\r\n"
    "\r\n"
    "/ip firewall nat add chain=srcnat src-address=192.168.0.0/24 action=masquerade disabled=no\r\n"
    "/ip firewall nat add chain=dstnat src-address=192.168.0.0/24 protocol=udp dst-port=53 action=dst-nat "
    "to-addresses=192.168.0.254 to-ports=53 disabled=no\r\n"
    "/ip firewall mangle add chain=forward protocol=tcp tcp-flags=syn action=change-mss new-mss=1440\r\n"
    "\r\n"
    "/ip dns set allow-remote-requests=yes cache-size=2048 max-udp-packet-size=512 servers=";

TEST(DualLineScript, ThePrimaryCarrierOnlyOrdersTheDnsServers) {
    DualLineFields f = DualPage();
    EXPECT_BYTES(BuildDualLineScript(f), kDualBody + "203.0.113.53,198.51.100.53");
    f.telecomPrimary = false;
    EXPECT_BYTES(BuildDualLineScript(f), kDualBody + "198.51.100.53,203.0.113.53");
}

TEST(DualLineScript, TypedValuesWithBlanksAreQuoted) {
    DualLineFields f = DualPage();
    f.lanInterface = "my lan";
    const std::string s = BuildDualLineScript(f);
    EXPECT_NE(s.find("interface=\"my lan\" comment=\"Lan\""), std::string::npos) << Visible(s);
}

// ---------------------------------------------------------------- route table

constexpr char kTel[] = "1.0.1.0/24\r\n1.0.2.0/23\r\n1.0.8.0/21";
constexpr char kCnc[] = "1.24.0.0/13\r\n1.56.0.0/13\r\n1.188.0.0/14\r\n";

std::string Route(const std::string& prefix, const std::string& gateway) {
    return "add dst-address=" + prefix + " gateway=" + gateway +
           " check-gateway=ping distance=1 scope=255 target-scope=10 disabled=no\r\n";
}

std::string DefaultRoute(const std::string& gateway) {
    return "add dst-address=0.0.0.0/0 gateway=" + gateway +
           " check-gateway=ping distance=2 scope=255 target-scope=10 disabled=no";
}

TEST(CarrierRouteTable, TheOtherCarriersPrefixesGoOverItsGatewayAndTheDefaultOverThePrimary) {
    DualLineFields f = DualPage();
    // The Unicom list ends in CR LF, which adds no empty prefix.
    EXPECT_BYTES(BuildCarrierRouteTable(f, kTel, kCnc),
                 "/ip route\r\n" + Route("1.24.0.0/13", "198.51.100.9") + Route("1.56.0.0/13", "198.51.100.9") +
                     Route("1.188.0.0/14", "198.51.100.9") + DefaultRoute("203.0.113.9"));
    f.telecomPrimary = false;
    EXPECT_BYTES(BuildCarrierRouteTable(f, kTel, kCnc),
                 "/ip route\r\n" + Route("1.0.1.0/24", "203.0.113.9") + Route("1.0.2.0/23", "203.0.113.9") +
                     Route("1.0.8.0/21", "203.0.113.9") + DefaultRoute("198.51.100.9"));
}

TEST(CarrierRouteTable, AnEmptyListLeavesOnlyTheDefaultRoute) {
    EXPECT_BYTES(BuildCarrierRouteTable(DualPage(), "", ""), "/ip route\r\n" + DefaultRoute("203.0.113.9"));
}

// ---------------------------------------------------------------- VLAN

VlanFields VlanPage(int rows) {
    VlanFields f;
    f.vlanInterface = "ether1";
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        f.rows.push_back({"user" + n, "pw" + n, std::to_string(i * 10)});
    }
    return f;
}

// Two bridges' octets: 0x13 (multicast bit set) and 0xFC (universal), both
// come out locally administered unicast.
std::vector<std::uint32_t> TwoMacs() {
    return {0x13, 0x22, 0x33, 0x44, 0x55, 0x66, 0xFC, 0x01, 0x02, 0x03, 0x04, 0x05};
}

std::string VlanScript(const std::string& between) {
    return "/interface vlan\r\n"
           "add arp=enabled disabled=no interface=ether1 mtu=1500 name=vlan1 use-service-tag=no vlan-id=10\r\n"
           "add arp=enabled disabled=no interface=ether1 mtu=1500 name=vlan2 use-service-tag=no vlan-id=20\r\n"
           "\r\n"
           "/interface bridge\r\n"
           "add admin-mac=12:22:33:44:55:66 ageing-time=5m arp=enabled auto-mac=no disabled=no forward-delay=15s" +
           between +
           "max-message-age=20s mtu=1500 name=ADSL-1 priority=0x8000 protocol-mode=none transmit-hold-count=6\r\n"
           "add admin-mac=FE:01:02:03:04:05 ageing-time=5m arp=enabled auto-mac=no disabled=no forward-delay=15s" +
           between +
           "max-message-age=20s mtu=1500 name=ADSL-2 priority=0x8000 protocol-mode=none transmit-hold-count=6\r\n"
           "\r\n"
           "/interface bridge port\r\n"
           "add bridge=ADSL-1 disabled=no edge=auto external-fdb=auto horizon=none interface=vlan1 path-cost=10 "
           "point-to-point=auto priority=0x80\r\n"
           "add bridge=ADSL-2 disabled=no edge=auto external-fdb=auto horizon=none interface=vlan2 path-cost=10 "
           "point-to-point=auto priority=0x80\r\n"
           "\r\n"
           "/interface pppoe-client add name=pppoe-out1 interface=ADSL-1 user=user1 password=pw1 "
           "add-default-route=yes disabled=no\r\n"
           "/interface pppoe-client add name=pppoe-out2 interface=ADSL-2 user=user2 password=pw2 "
           "add-default-route=yes disabled=no";
}

TEST(VlanMultiPppoe, BothModesWithAFreshUnicastMacPerBridge) {
    const struct {
        VlanMode mode;
        const char* between;
    } cases[] = {{VlanMode::V5To62, " l2mtu=65535 "}, {VlanMode::V63Up, " "}};
    for (const auto& c : cases) {
        FixedRandom random(TwoMacs());
        const Outcome out = BuildVlanMultiPppoe(VlanPage(2), c.mode, random);
        ASSERT_TRUE(out.script);
        EXPECT_BYTES(*out.script, VlanScript(c.between));
    }
}

TEST(VlanMultiPppoe, NoAccountsGiveTheMessage) {
    FixedRandom random({0});
    const Outcome out = BuildVlanMultiPppoe(VlanPage(0), VlanMode::V63Up, random);
    ASSERT_TRUE(out.error);
    EXPECT_FALSE(out.script);
    EXPECT_BYTES(out.error->message, G("至少需要1个VLAN的PPPoE拨号的相关信息!"));
    EXPECT_EQ(out.error->flags, 64);
    EXPECT_EQ(out.error->title, std::optional<Gbk>(""));
}

TEST(VlanMultiPppoe, AccountAndPasswordWithBlanksOrDollarsAreQuoted) {
    VlanFields f = VlanPage(1);
    f.rows[0].user = "a b";
    f.rows[0].password = "p$w";
    FixedRandom random({0});
    const Outcome out = BuildVlanMultiPppoe(f, VlanMode::V63Up, random);
    ASSERT_TRUE(out.script);
    EXPECT_NE(out.script->find("user=\"a b\" password=\"p\\$w\" add-default-route=yes disabled=no"), std::string::npos)
        << Visible(*out.script);
}

TEST(UnicastMac, ClearsTheGroupBitAndSetsTheLocalBit) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"00:11:22:33:44:55", "02:11:22:33:44:55"},
                 {"FF:00:00:00:00:00", "FE:00:00:00:00:00"},
                 {"A1:00:00:00:00:01", "A2:00:00:00:00:01"},
                 {"02:AA:BB:CC:DD:EE", "02:AA:BB:CC:DD:EE"}};
    for (const auto& c : cases) EXPECT_EQ(UnicastMac(c.in), c.out) << c.in;
}

// ---------------------------------------------------------------- VRRP

VrrpFields VrrpPage(int rows) {
    VrrpFields f;
    f.wanInterface = "ether1";
    f.lanInterface = "ether2";
    f.network = "11.11.11";
    f.pccType = "both-addresses";
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        f.rows.push_back({"user" + n, "pw" + n});
    }
    return f;
}

TEST(VrrpMultiPppoe, ChecksInTheirOrder) {
    const std::string none = G("至少需要1条用户信息!");
    const std::string tooMany = G("账号数量不能超过99个!");
    const std::string pcc = G("使用PCC功能,至少需要2条用户信息!");
    const std::string ip = G("您填写的ip格式有误,请重新填写!");
    struct Case {
        const char* what;
        int rows;
        bool pcc;
        const char* network;
        const std::string* message;  // null: a script
    };
    const Case cases[] = {
        {"no rows before a bad address", 0, true, "11.11", &none},
        {"100 rows before PCC and address", 100, true, "11.11", &tooMany},
        {"one row with PCC before a bad address", 1, true, "11.11", &pcc},
        {"two parts", 2, true, "11.11", &ip},
        {"five parts", 2, false, "11.11.11.0.1", &ip},
        {"one row without PCC", 1, false, "11.11.11", nullptr},
        {"99 rows", 99, true, "11.11.11.0", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VrrpFields f = VrrpPage(c.rows);
        f.pcc = c.pcc;
        f.network = c.network;
        const Outcome out = BuildVrrpMultiPppoe(f);
        if (!c.message) {
            EXPECT_TRUE(out.script);
            continue;
        }
        ASSERT_TRUE(out.error);
        EXPECT_FALSE(out.script);
        EXPECT_BYTES(out.error->message, *c.message);
        if (c.message == &ip) {
            EXPECT_EQ(out.error->flags, 16);
            EXPECT_EQ(out.error->title, std::optional<Gbk>(G("ip格式错误")));
            EXPECT_EQ(out.error->focus, FieldOf(f.network));
        } else {
            EXPECT_EQ(out.error->flags, 64);
            EXPECT_EQ(out.error->title, std::optional<Gbk>(""));
        }
    }
}

TEST(VrrpMultiPppoe, TwoAccountsWithPccMssAndMasquerade) {
    VrrpFields f = VrrpPage(2);
    f.network = "11.11.11.0";
    f.pcc = true;
    f.changeMss = true;
    f.masquerade = true;
    const Outcome out = BuildVrrpMultiPppoe(f);
    ASSERT_TRUE(out.script);
    EXPECT_BYTES(*out.script,
                 "/interface vrrp\r\n"
                 "add name=vrrp1 disabled=no interface=ether1 interval=1 vrid=1\r\n"
                 "add name=vrrp2 disabled=no interface=ether1 interval=1 vrid=2\r\n"
                 "\r\n"
                 "/ip address\r\n"
                 "add address=11.11.11.1/24 disabled=no interface=ether1\r\n"
                 "add address=11.11.11.11/24 disabled=no interface=vrrp1\r\n"
                 "add address=11.11.11.12/24 disabled=no interface=vrrp2\r\n"
                 "\r\n"
                 "/interface pppoe-client\r\n"
                 "add name=pppoe-out1 interface=vrrp1 user=user1 password=pw1 disabled=no\r\n"
                 "add name=pppoe-out2 interface=vrrp2 user=user2 password=pw2 disabled=no\r\n"
                 "\r\n"
                 "/ip firewall mangle\r\n"
                 "add action=change-mss chain=forward comment=change-mss disabled=no new-mss=1440 protocol=tcp "
                 "tcp-flags=syn\r\n"
                 "\r\n"
                 "add chain=prerouting action=mark-connection dst-address-type=!local in-interface=ether2 "
                 "per-connection-classifier=both-addresses:2/0 new-connection-mark=conn_pppoe-out1 passthrough=yes "
                 "comment=\"pcc_1\"\r\n"
                 "add action=mark-routing chain=prerouting connection-mark=conn_pppoe-out1 disabled=no "
                 "in-interface=ether2 new-routing-mark=router_1 passthrough=yes\r\n"
                 "add action=mark-connection chain=input disabled=no in-interface=pppoe-out1 "
                 "new-connection-mark=conn_pppoe-out1 passthrough=yes\r\n"
                 "add action=mark-routing chain=output connection-mark=conn_pppoe-out1 disabled=no "
                 "new-routing-mark=router_1 passthrough=yes\r\n"
                 "\r\n"
                 "add chain=prerouting action=mark-connection dst-address-type=!local in-interface=ether2 "
                 "per-connection-classifier=both-addresses:2/1 new-connection-mark=conn_pppoe-out2 passthrough=yes "
                 "comment=\"pcc_2\"\r\n"
                 "add action=mark-routing chain=prerouting connection-mark=conn_pppoe-out2 disabled=no "
                 "in-interface=ether2 new-routing-mark=router_2 passthrough=yes\r\n"
                 "add action=mark-connection chain=input disabled=no in-interface=pppoe-out2 "
                 "new-connection-mark=conn_pppoe-out2 passthrough=yes\r\n"
                 "add action=mark-routing chain=output connection-mark=conn_pppoe-out2 disabled=no "
                 "new-routing-mark=router_2 passthrough=yes\r\n"
                 "\r\n"
                 "/ip route\r\n"
                 "add comment=1 dst-address=0.0.0.0/0 gateway=pppoe-out1 routing-mark=router_1 check-gateway=ping "
                 "disabled=no distance=1\r\n"
                 "add comment=2 dst-address=0.0.0.0/0 gateway=pppoe-out2 routing-mark=router_2 check-gateway=ping "
                 "disabled=no distance=1\r\n"
                 "\r\n"
                 "/ip firewall nat\r\n"
                 "add action=masquerade chain=srcnat comment=1 disabled=no out-interface=pppoe-out1\r\n"
                 "add action=masquerade chain=srcnat comment=2 disabled=no out-interface=pppoe-out2");
}

TEST(VrrpMultiPppoe, WithoutPccOrMasqueradeEachMarkBlockStartsEmptyAndTheLastRouteEndsIt) {
    VrrpFields f = VrrpPage(1);
    f.ownMarks = true;
    f.connectionMark = "c";
    f.routingMark = "r";
    const Outcome out = BuildVrrpMultiPppoe(f);
    ASSERT_TRUE(out.script);
    const std::string tail =
        "/ip firewall mangle\r\n"
        "\r\n"
        "add action=mark-routing chain=prerouting connection-mark=c1 disabled=no in-interface=ether2 "
        "new-routing-mark=r1 passthrough=yes\r\n"
        "add action=mark-connection chain=input disabled=no in-interface=pppoe-out1 new-connection-mark=c1 "
        "passthrough=yes\r\n"
        "add action=mark-routing chain=output connection-mark=c1 disabled=no new-routing-mark=r1 passthrough=yes\r\n"
        "\r\n"
        "/ip route\r\n"
        "add comment=1 dst-address=0.0.0.0/0 gateway=pppoe-out1 routing-mark=r1 check-gateway=ping disabled=no "
        "distance=1";
    ASSERT_GE(out.script->size(), tail.size());
    EXPECT_BYTES(out.script->substr(out.script->size() - tail.size()), tail);
}

TEST(VrrpMultiPppoe, HostNumbersAreOneFollowedByTheLineNumber) {
    const Outcome out = BuildVrrpMultiPppoe(VrrpPage(99));
    ASSERT_TRUE(out.script);
    const struct {
        int line;
        const char* address;
    } cases[] = {{1, "11.11.11.11/24"}, {9, "11.11.11.19/24"}, {10, "11.11.11.110/24"}, {99, "11.11.11.199/24"}};
    for (const auto& c : cases) {
        const std::string line = "\r\nadd address=" + std::string(c.address) + " disabled=no interface=vrrp" +
                                 std::to_string(c.line) + "\r\n";
        EXPECT_NE(out.script->find(line), std::string::npos) << c.line;
    }
}

}  // namespace
}  // namespace trelvix::install
