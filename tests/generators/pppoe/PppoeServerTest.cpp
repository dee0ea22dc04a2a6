#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/pppoe/PppoeServer.h"

namespace trelvix::pppoe {
namespace {

using test::G;
using test::Visible;

const std::string kPool = "/ip pool add name=pppoe_pool ranges=10.10.10.2-10.10.10.254\r\n";
const std::string kProfileHead =
    "/ppp profile add name=pppoe_profile local-address=10.10.10.1 remote-address=pppoe_pool use-ipv6=yes "
    "use-mpls=default use-compression=default ";
const std::string kProfileTail = "use-encryption=default only-one=default change-tcp-mss=default ";
const std::string kServer =
    "/interface pppoe-server server add service-name=PPPoE_Server interface=ether2 one-session-per-host=yes "
    "disabled=no default-profile=pppoe_profile";
const std::string kDns = "dns-server=114.114.114.114,114.114.115.115\r\n";

// The default script of 6.3+ with `clauses` between change-tcp-mss and the DNS clause.
std::string From63(const std::string& clauses, const std::string& dns = kDns) {
    return kPool + kProfileHead + kProfileTail + clauses + dns + kServer;
}

struct ServerCase {
    const char* name;
    void (*edit)(PppoeServerFields&);
    ServerVariant variant;
    std::string expected;
};

const std::vector<ServerCase> kServers = {
    {"defaults, before 6.3: the profile has use-vj-compression", [](PppoeServerFields&) {}, ServerVariant::Before63,
     kPool + kProfileHead + "use-vj-compression=default " + kProfileTail + kDns + kServer},
    {"defaults, 6.3+", [](PppoeServerFields&) {}, ServerVariant::From63, From63("")},
    {"only the first DNS", [](PppoeServerFields& f) { f.dns2.clear(); }, ServerVariant::From63,
     From63("", "dns-server=114.114.114.114\r\n")},
    {"only the second DNS", [](PppoeServerFields& f) { f.dns1.clear(); }, ServerVariant::From63,
     From63("", "dns-server=114.114.115.115\r\n")},
    {"no DNS",
     [](PppoeServerFields& f) {
         f.dns1.clear();
         f.dns2.clear();
     },
     ServerVariant::From63, From63("", "dns-server=\r\n")},
    {"rate limit: upload first", [](PppoeServerFields& f) { f.rateLimit = true; }, ServerVariant::From63,
     From63("rate-limit=1M/1M ")},
    {"all three clauses, in the order idle, session, rate",
     [](PppoeServerFields& f) {
         f.rateLimit = true;
         f.upload = "512k";
         f.download = "4M";
         f.idleTimeout = true;
         f.idleTime = "00:10:00";
         f.sessionTimeout = true;
         f.sessionTime = "12:00:00";
     },
     ServerVariant::Before63,
     kPool + kProfileHead + "use-vj-compression=default " + kProfileTail +
         "idle-timeout=00:10:00 session-timeout=12:00:00 rate-limit=512k/4M " + kDns + kServer},
    {"a value typed but its check box off is left out",
     [](PppoeServerFields& f) {
         f.idleTime = "00:10:00";
         f.upload = "2M";
         f.sessionTimeout = true;
     },
     ServerVariant::From63, From63("session-timeout=00:00:00 ")},
    {"every list value in its place",
     [](PppoeServerFields& f) {
         f.useIpv6 = "required";
         f.useMpls = "no";
         f.useCompression = "yes";
         f.useVjCompression = "no";
         f.useEncryption = "required";
         f.onlyOne = "yes";
         f.changeTcpMss = "no";
     },
     ServerVariant::Before63,
     kPool +
         "/ppp profile add name=pppoe_profile local-address=10.10.10.1 remote-address=pppoe_pool use-ipv6=required "
         "use-mpls=no use-compression=yes use-vj-compression=no use-encryption=required only-one=yes "
         "change-tcp-mss=no " +
         kDns + kServer},
    {"6.3+ ignores the vj list", [](PppoeServerFields& f) { f.useVjCompression = "yes"; }, ServerVariant::From63,
     From63("")},
    {"the pool and profile names are used twice each",
     [](PppoeServerFields& f) {
         f.poolName = "subs";
         f.profile = "plan-a";
         f.poolRanges = "172.16.0.10-172.16.0.99,172.16.1.10-172.16.1.99";
         f.gateway = "172.16.0.1";
         f.interface = "vlan20";
         f.serviceName = "isp2";
     },
     ServerVariant::From63,
     "/ip pool add name=subs ranges=172.16.0.10-172.16.0.99,172.16.1.10-172.16.1.99\r\n"
     "/ppp profile add name=plan-a local-address=172.16.0.1 remote-address=subs use-ipv6=yes use-mpls=default "
     "use-compression=default " +
         kProfileTail + kDns +
         "/interface pppoe-server server add service-name=isp2 interface=vlan20 one-session-per-host=yes "
         "disabled=no default-profile=plan-a"},
    {"typed values that cannot stand bare are quoted, a pair as one word",
     [](PppoeServerFields& f) {
         f.interface = "ether 2";
         f.serviceName = G("宽带$1");
         f.profile = "my plan";
         f.dns1 = "8.8.8.8 ";
         f.rateLimit = true;
         f.upload = "1 M";
     },
     ServerVariant::From63,
     kPool +
         "/ppp profile add name=\"my plan\" local-address=10.10.10.1 remote-address=pppoe_pool use-ipv6=yes "
         "use-mpls=default use-compression=default " +
         kProfileTail +
         "rate-limit=\"1 M/1M\" dns-server=\"8.8.8.8 ,114.114.115.115\"\r\n"
         "/interface pppoe-server server add service-name=\"" +
         G("宽带") +
         "\\$1\" interface=\"ether 2\" "
         "one-session-per-host=yes disabled=no default-profile=\"my plan\""},
};

TEST(PppoeServerScript, WritesPoolProfileAndServer) {
    for (const ServerCase& c : kServers) {
        SCOPED_TRACE(c.name);
        PppoeServerFields f;
        c.edit(f);
        EXPECT_EQ(Visible(BuildPppoeServerScript(f, c.variant)), Visible(c.expected));
    }
}

}  // namespace
}  // namespace trelvix::pppoe
