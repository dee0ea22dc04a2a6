#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/install/InstallGenerators.h"

namespace trelvix::install {
namespace {

using test::G;
using test::Visible;

MultiWanFields Page() {
    MultiWanFields f;
    f.lanInterface = "ether1";
    f.lanAddress = "192.168.0.254/24";
    f.dns1 = "114.114.114.114";
    f.dns2 = "114.114.115.115";
    f.mss = "1440";
    f.pccType = "both-addresses";
    return f;
}

StaticLineRow FixedRow(int i) {
    const std::string n = std::to_string(i);
    return {"203.0.113." + n + "/29", "203.0.113." + std::to_string(i + 100), "ether" + std::to_string(i + 1),
            "192.168." + n + ".0/24"};
}

PppoeLineRow PppoeRow(int i) {
    const std::string n = std::to_string(i);
    return {"user" + n, "pw" + n, "ether" + std::to_string(i + 1), "192.168." + n + ".0/24"};
}

MultiWanFields WithFixed(int rows) {
    MultiWanFields f = Page();
    for (int i = 1; i <= rows; ++i) f.staticRows.push_back(FixedRow(i));
    return f;
}

MultiWanFields WithPppoe(int rows) {
    MultiWanFields f = Page();
    f.staticLines = false;
    for (int i = 1; i <= rows; ++i) f.pppoeRows.push_back(PppoeRow(i));
    return f;
}

std::string Script(const MultiWanFields& f, BalanceMode mode) {
    const Outcome out = BuildMultiWanScript(f, mode);
    EXPECT_FALSE(out.error) << Visible(out.error ? out.error->message : "");
    return out.script.value_or("");
}

const char kHead[] =
    "/ip firewall mangle add chain=forward protocol=tcp tcp-flags=syn action=change-mss new-mss=1440\r\n"
    "/ip dns set allow-remote-requests=yes cache-size=2048 max-udp-packet-size=512 "
    "servers=114.114.114.114,114.114.115.115\r\n"
    "\r\n";

TEST(MultiWanChecks, RefuseInTheirOrderWithAnInformationBoxAndNoCaption) {
    const std::string dns = G("请填写首选DNS和备用DNS的地址!");
    const std::string noRows = G("需添加一条宽带配置列表信息,才能生成脚本!!");
    const std::string twoLines = G("至少需要2条以上的宽带线路,才能启用PCC或NTH负载功能!");
    struct Case {
        const char* what;
        BalanceMode mode;
        bool fixed;
        int rows;
        void (*change)(MultiWanFields&);
        const std::string* message;  // null: a script
    };
    const auto none = [](MultiWanFields&) {};
    const Case cases[] = {
        {"no fixed rows", BalanceMode::SingleLine, true, 0, none, &noRows},
        {"no PPPoE rows", BalanceMode::Nth, false, 0, none, &noRows},
        {"PCC over one line", BalanceMode::Pcc, true, 1, none, &twoLines},
        {"NTH over one PPPoE line", BalanceMode::Nth, false, 1, none, &twoLines},
        {"empty first DNS before no rows", BalanceMode::Pcc, true, 0, [](MultiWanFields& f) { f.dns1.clear(); }, &dns},
        {"empty second DNS though DNS is off", BalanceMode::SingleLine, false, 2,
         [](MultiWanFields& f) {
             f.dns2.clear();
             f.setDns = false;
         },
         &dns},
        {"one line is enough alone", BalanceMode::SingleLine, true, 1, none, nullptr},
        {"two lines balance", BalanceMode::Pcc, false, 2, none, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MultiWanFields f = c.fixed ? WithFixed(c.rows) : WithPppoe(c.rows);
        c.change(f);
        const Outcome out = BuildMultiWanScript(f, c.mode);
        if (!c.message) {
            EXPECT_TRUE(out.script);
            continue;
        }
        ASSERT_TRUE(out.error);
        EXPECT_FALSE(out.script);
        EXPECT_BYTES(out.error->message, *c.message);
        EXPECT_EQ(out.error->flags, 64);
        EXPECT_EQ(out.error->title, std::optional<Gbk>(""));
        EXPECT_FALSE(out.error->focus);
    }
}

TEST(MultiWanScript, ListInForceFollowsTheRadioButton) {
    // The PPPoE rows are there, but the fixed-IP list is in force and empty.
    MultiWanFields f = WithPppoe(2);
    f.staticLines = true;
    EXPECT_TRUE(BuildMultiWanScript(f, BalanceMode::Pcc).error);
}

TEST(MultiWanScript, SingleFixedLineUsesRowOneAndEndsOnItsGateway) {
    EXPECT_BYTES(Script(WithFixed(3), BalanceMode::SingleLine),
                 std::string(kHead) +
                     "/ip firewall nat\r\n"
                     "add action=masquerade chain=srcnat out-interface=ether2 comment=1\r\n"
                     "\r\n"
                     "/ip address add address=192.168.0.254/24 interface=ether1 comment=\"lan\"\r\n"
                     "/ip address add address=203.0.113.1/29 interface=ether2\r\n"
                     "\r\n"
                     "/ip route add gateway=203.0.113.101");
}

TEST(MultiWanScript, SinglePppoeLineCarriesTheDefaultRouteAndNoRoute) {
    MultiWanFields f = WithPppoe(3);
    f.usePeerDns = true;
    EXPECT_BYTES(Script(f, BalanceMode::SingleLine),
                 std::string(kHead) +
                     "/ip firewall nat\r\n"
                     "add action=masquerade chain=srcnat out-interface=pppoe-out1 comment=1\r\n"
                     "\r\n"
                     "/ip address add address=192.168.0.254/24 interface=ether1 comment=\"lan\"\r\n"
                     "/interface pppoe-client add name=pppoe-out1 interface=ether2 user=user1 password=pw1 "
                     "add-default-route=yes use-peer-dns=yes disabled=no\r\n"
                     "\r\n");
}

TEST(MultiWanScript, NthOverThreeFixedLines) {
    const std::string mangle =
        "add action=mark-connection chain=prerouting connection-state=new dst-address-type=!local "
        "in-interface=ether1 new-connection-mark=ip_nth{i} nth=3,{i} passthrough=yes comment=NTH_3_{i}\r\n"
        "add action=mark-routing chain=prerouting in-interface=ether1 connection-mark=ip_nth{i} "
        "new-routing-mark=ip_router_{i}\r\n"
        "\r\n";
    std::string expected = std::string(kHead) +
                           "/ip firewall nat\r\n"
                           "add action=masquerade chain=srcnat out-interface=ether2 comment=1\r\n"
                           "add action=masquerade chain=srcnat out-interface=ether3 comment=2\r\n"
                           "add action=masquerade chain=srcnat out-interface=ether4 comment=3\r\n"
                           "\r\n"
                           "/ip address add address=192.168.0.254/24 interface=ether1 comment=\"lan\"\r\n"
                           "/ip address add address=203.0.113.1/29 interface=ether2\r\n"
                           "/ip address add address=203.0.113.2/29 interface=ether3\r\n"
                           "/ip address add address=203.0.113.3/29 interface=ether4\r\n"
                           "\r\n"
                           "/ip firewall mangle\r\n";
    for (const char* i : {"1", "2", "3"}) {
        std::string block = mangle;
        for (std::size_t at; (at = block.find("{i}")) != std::string::npos;) block.replace(at, 3, i);
        expected += block;
    }
    expected +=
        "/ip route\r\n"
        "add dst-address=0.0.0.0/0 gateway=203.0.113.101 check-gateway=ping routing-mark=ip_router_1 distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=ether2 check-gateway=ping distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=203.0.113.102 check-gateway=ping routing-mark=ip_router_2 distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=ether3 check-gateway=ping distance=2 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=203.0.113.103 check-gateway=ping routing-mark=ip_router_3 distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=ether4 check-gateway=ping distance=3 disabled=no";
    EXPECT_BYTES(Script(WithFixed(3), BalanceMode::Nth), expected);
}

TEST(MultiWanScript, PccClassifiersCountFromZero) {
    for (int n : {2, 3, 5}) {
        SCOPED_TRACE(n);
        MultiWanFields f = WithPppoe(n);
        f.pccType = "src-address-and-port";
        const std::string script = Script(f, BalanceMode::Pcc);
        for (int i = 1; i <= n; ++i) {
            const std::string line =
                "add action=mark-connection chain=prerouting dst-address-type=!local in-interface=ether1 "
                "per-connection-classifier=src-address-and-port:" +
                std::to_string(n) + "/" + std::to_string(i - 1) + " new-connection-mark=pcc" + std::to_string(i) +
                " passthrough=yes comment=PCC" + std::to_string(i) + "\r\n";
            EXPECT_NE(script.find(line), std::string::npos) << i;
        }
        EXPECT_EQ(script.find(":" + std::to_string(n) + "/" + std::to_string(n) + " "), std::string::npos);
    }
}

TEST(MultiWanScript, OptionsChangeOnlyTheirClauses) {
    // Two PCC lines over fixed IPs, with split and return path, own marks
    // left empty, and MSS, DNS and masquerade off.
    MultiWanFields f = WithFixed(2);
    f.split = true;
    f.returnPath = true;
    f.ownMarks = true;
    f.changeMss = f.setDns = f.masquerade = false;
    f.usePeerDns = true;  // not read for fixed-IP lines
    EXPECT_BYTES(
        Script(f, BalanceMode::Pcc),
        "/ip address add address=192.168.0.254/24 interface=ether1 comment=\"lan\"\r\n"
        "/ip address add address=203.0.113.1/29 interface=ether2\r\n"
        "/ip address add address=203.0.113.2/29 interface=ether3\r\n"
        "\r\n"
        "/ip firewall mangle\r\n"
        "add action=mark-connection chain=prerouting dst-address-type=!local in-interface=ether1 "
        "per-connection-classifier=both-addresses:2/0 new-connection-mark=1 passthrough=yes comment=PCC1 "
        "src-address=192.168.1.0/24 \r\n"
        "add action=mark-routing chain=prerouting in-interface=ether1 connection-mark=1 new-routing-mark=1 "
        "src-address=192.168.1.0/24 \r\n"
        "add action=mark-connection chain=input in-interface=ether2 new-connection-mark=1\r\n"
        "add action=mark-routing chain=output connection-mark=1 new-routing-mark=1\r\n"
        "\r\n"
        "add action=mark-connection chain=prerouting dst-address-type=!local in-interface=ether1 "
        "per-connection-classifier=both-addresses:2/1 new-connection-mark=2 passthrough=yes comment=PCC2 "
        "src-address=192.168.2.0/24 \r\n"
        "add action=mark-routing chain=prerouting in-interface=ether1 connection-mark=2 new-routing-mark=2 "
        "src-address=192.168.2.0/24 \r\n"
        "add action=mark-connection chain=input in-interface=ether3 new-connection-mark=2\r\n"
        "add action=mark-routing chain=output connection-mark=2 new-routing-mark=2\r\n"
        "\r\n"
        "/ip route\r\n"
        "add dst-address=0.0.0.0/0 gateway=203.0.113.101 check-gateway=ping routing-mark=1 distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=ether2 check-gateway=ping distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=203.0.113.102 check-gateway=ping routing-mark=2 distance=1 disabled=no\r\n"
        "add dst-address=0.0.0.0/0 gateway=ether3 check-gateway=ping distance=2 disabled=no");
}

TEST(MultiWanScript, OwnMarkStemsAndPppoeReturnPath) {
    MultiWanFields f = WithPppoe(2);
    f.ownMarks = true;
    f.connectionMark = "wan-c";
    f.routingMark = "wan-r";
    f.returnPath = true;
    const std::string script = Script(f, BalanceMode::Nth);
    for (const char* line : {
             "in-interface=ether1 new-connection-mark=wan-c2 nth=2,2 passthrough=yes comment=NTH_2_2\r\n",
             "add action=mark-connection chain=input in-interface=pppoe-out2 new-connection-mark=wan-c2\r\n",
             "add action=mark-routing chain=output connection-mark=wan-c2 new-routing-mark=wan-r2\r\n\r\n",
             "gateway=pppoe-out2 check-gateway=ping routing-mark=wan-r2 distance=1 disabled=no\r\n",
         })
        EXPECT_NE(script.find(line), std::string::npos) << line;
}

TEST(MultiWanScript, TypedValuesThatWouldBreakTheLineAreQuoted) {
    MultiWanFields f = WithPppoe(2);
    f.pppoeRows[0].user = G("张三 a");
    f.pppoeRows[0].password = "p;w\"[$x]";
    f.pppoeRows[1].interface = "wan 2";
    f.ownMarks = true;
    f.connectionMark = "my mark";
    f.routingMark = "r$";
    const std::string script = Script(f, BalanceMode::Pcc);
    EXPECT_NE(script.find("/interface pppoe-client add name=pppoe-out1 interface=ether2 user=\"" + G("张三 a") +
                          "\" password=\"p;w\\\"[\\$x]\" disabled=no\r\n"),
              std::string::npos);
    EXPECT_NE(script.find("add name=pppoe-out2 interface=\"wan 2\" user=user2 "), std::string::npos);
    EXPECT_NE(script.find(" new-connection-mark=\"my mark1\" passthrough=yes comment=PCC1\r\n"), std::string::npos);
    EXPECT_NE(script.find(" connection-mark=\"my mark2\" new-routing-mark=\"r\\$2\"\r\n"), std::string::npos);
    EXPECT_NE(script.find(" routing-mark=\"r\\$1\" distance=1 disabled=no"), std::string::npos);
}

}  // namespace
}  // namespace trelvix::install
