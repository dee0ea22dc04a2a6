#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "generators/vpn/Vpn.h"

namespace trelvix::vpn {
namespace {

using test::Visible;

const std::string kLine1 = "/interface pptp-server server set enabled=yes\r\n";
const std::string kPool = "/ip pool add name=pptp_pool ranges=172.16.254.2-172.16.254.254\r\n";
const std::string kProfileHead =
    "/ppp profile add name=pptp_profile local-address=172.16.254.1 remote-address=pptp_pool use-ipv6=yes "
    "use-mpls=default use-compression=default use-vj-compression=default use-encryption=default "
    "only-one=default change-tcp-mss=default ";
const std::string kNat = "/ip firewall nat add chain=srcnat src-address=172.16.254.2-172.16.254.254 action=masquerade";

struct DnsCase {
    const char* dns1;
    const char* dns2;
    const char* value;
};
struct ClauseCase {
    bool idle, session, rate;
    const char* upload;
    const char* download;
    const char* clauses;
};

TEST(VpnServer, DnsValueCrossedWithTheOptionalClauses) {
    const DnsCase dnsCases[] = {
        {"8.8.8.8", "1.1.1.1", "8.8.8.8,1.1.1.1"},
        {"8.8.8.8", "", "8.8.8.8"},
        {"", "1.1.1.1", "1.1.1.1"},
        {"", "", ""},
    };
    const ClauseCase clauseCases[] = {
        {false, false, false, "1M", "1M", ""},
        {true, false, false, "1M", "1M", "idle-timeout=00:10:00 "},
        {false, true, false, "1M", "1M", "session-timeout=1d "},
        {false, false, true, "10mb", "2m", "rate-limit=10M/2M "},
        {true, true, true, "512k", "1M", "idle-timeout=00:10:00 session-timeout=1d rate-limit=512k/1M "},
    };
    for (const DnsCase& d : dnsCases)
        for (const ClauseCase& c : clauseCases) {
            VpnServerFields f;
            f.dns1 = d.dns1;
            f.dns2 = d.dns2;
            f.idleTimeout = c.idle;
            f.idleTime = "00:10:00";
            f.sessionTimeout = c.session;
            f.sessionTime = "1d";
            f.rateLimit = c.rate;
            f.upload = c.upload;
            f.download = c.download;
            const std::string expected = kLine1 + kPool + kProfileHead + c.clauses + "dns-server=" + d.value + "\r\n" +
                                         kNat;
            EXPECT_EQ(Visible(BuildPptpL2tpServer(f)), Visible(expected))
                << d.dns1 << "|" << d.dns2 << "|" << c.clauses;
        }
}

TEST(VpnServer, L2tpChangesOnlyTheServerMenu) {
    VpnServerFields f;
    f.protocol = VpnProtocol::L2tp;
    EXPECT_EQ(BuildPptpL2tpServer(f), "/interface l2tp-server server set enabled=yes\r\n" + kPool + kProfileHead +
                                          "dns-server=114.114.114.114,114.114.115.115\r\n" + kNat);
}

TEST(VpnSecret, ServiceFollowsTheProtocolAndTheMacClauseSitsBeforeTheProfile) {
    VpnSecretFields f;
    EXPECT_EQ(BuildVpnSecret(f),
              "/ppp secret add name=\"VEMTU\" password=\"Vemtu@2017pwd\" service=pptp profile=pptp_profile");
    f.protocol = VpnProtocol::L2tp;
    f.bindMac = true;
    f.mac = "00:11:22:33:44:55";
    f.profile = "l2tp_profile";
    f.name = "a b";
    f.password = "p\"$";
    EXPECT_EQ(BuildVpnSecret(f),
              "/ppp secret add name=\"a b\" password=\"p\\\"\\$\" service=l2tp "
              "caller-id=00:11:22:33:44:55 profile=l2tp_profile");
}

const std::string kHead =
    "/interface pptp-client add name=\"vemtu_pptp_client\" connect-to=202.96.134.133 user=\"Vemtu\" "
    "password=\"Vemtu@2017pwd\"";
const SplitLists kLists = {"1.0.1.0/24\r\n1.0.2.0/23", "1.24.0.0/13\r\n1.56.0.0/13"};

std::string Route(const std::string& prefix, const std::string& gw) {
    return "add dst-address=" + prefix + " gateway=" + gw +
           " check-gateway=ping distance=1 scope=255 target-scope=10 disabled=no\r\n";
}
std::string DefaultRoute(const std::string& gw) {
    return "add dst-address=0.0.0.0/0 gateway=" + gw +
           " check-gateway=ping distance=2 scope=255 target-scope=10 disabled=no";
}

TEST(VpnClient, DefaultRouteIsOneLine) {
    VpnClientFields f;
    EXPECT_EQ(BuildVpnClientScript(f, kLists), kHead + " add-default-route=yes disabled=no");
    f.protocol = VpnProtocol::L2tp;
    EXPECT_EQ(BuildVpnClientScript(f, kLists).substr(0, 24), "/interface l2tp-client a");
}

TEST(VpnClient, SplitRoutesTheOtherLinesListThroughItsGateway) {
    VpnClientFields f;
    f.telecomGateway = "10.0.0.1";
    f.netcomGateway = "10.0.0.2";
    const std::string top = kHead + " disabled=no\r\n/ip route\r\n";
    f.routing = ClientRouting::TelecomMain;
    EXPECT_EQ(Visible(BuildVpnClientScript(f, kLists)),
              Visible(top + Route("1.24.0.0/13", "10.0.0.2") + Route("1.56.0.0/13", "10.0.0.2") +
                      DefaultRoute("10.0.0.1")));
    f.routing = ClientRouting::NetcomMain;
    EXPECT_EQ(Visible(BuildVpnClientScript(f, kLists)),
              Visible(top + Route("1.0.1.0/24", "10.0.0.1") + Route("1.0.2.0/23", "10.0.0.1") +
                      DefaultRoute("10.0.0.2")));
}

TEST(VpnClient, BuiltInListsGiveOneRoutePerPrefix) {
    VpnClientFields f;
    auto lines = [](const std::string& s) {
        std::size_t n = 1;
        for (std::size_t at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n", at + 2)) ++n;
        return n;
    };
    // The client, "/ip route" and the default route around one line a prefix.
    const SplitLists lists = BuiltInSplitLists();
    f.routing = ClientRouting::NetcomMain;
    EXPECT_EQ(lines(BuildVpnClientScript(f, lists)), lines(std::string(lists.telecom)) + 3);
    f.routing = ClientRouting::TelecomMain;
    EXPECT_EQ(lines(BuildVpnClientScript(f, lists)), lines(std::string(lists.netcom)) + 3);
}

TEST(VpnLine, RouteAndMarkRules) {
    EXPECT_EQ(BuildVpnRoute("pptp-out1"),
              "/ip route add dst-address=0.0.0.0/0 gateway=pptp-out1 routing-mark=Route_vpn");
    const std::string mark =
        "/ip firewall mangle \r\n"
        "add chain=prerouting action=mark-connection new-connection-mark=vpn_conn passthrough=yes "
        "dst-address-type=!local dst-address-list=!novpn\r\n"
        "add chain=prerouting action=mark-routing new-routing-mark=Route_vpn passthrough=no "
        "dst-address-type=!local dst-address-list=!novpn connection-mark=vpn_conn";
    // The stored rules are 317 bytes with their two "{name}"s.
    EXPECT_EQ(mark.size(), 317u - 2 * 6 + 2 * 5);
    EXPECT_EQ(BuildVpnMarkScript(""), mark);
    std::string named = mark;
    for (std::size_t at = named.find("novpn"); at != std::string::npos; at = named.find("novpn", at))
        named.replace(at, 5, "cn_list"), at += 7;
    EXPECT_EQ(BuildVpnMarkScript("cn_list"), named);
}

}  // namespace
}  // namespace trelvix::vpn
