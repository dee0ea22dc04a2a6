// The tunnel window's two scripts, whole: the stored templates filled from the
// boxes, each value quoted the way its place in the template needs.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "TestSupport.h"
#include "tools/ipv6/Ipv6TunnelScript.h"

namespace trelvix::ipv6tunnel {
namespace {

using test::G;

// The set-up script around its four command lines.
std::string SetupScript(const std::string& commands) {
    return G("  请严格按照规则去填入自己的内容,否则程序是导入不了的,并且会报错.\r\n"
             "以下是批量导入脚本,可复制以下脚本一次性导入ROS系统中\r\n"
             "\r\n"
             "\r\n") +
           commands +
           G("\r\n"
             "  以下是几个DNS地址,根据自己的需求可以去选择的\r\n"
             "74.82.42.42\r\n"
             "223.5.5.5\r\n"
             "119.29.29.29\r\n"
             "2001:470:20::2\r\n"
             "2400:3200::1\r\n"
             "2400:3200:baba::1\r\n"
             "2001:4860:4860::8888");
}

std::string Commands(const std::string& comment, const std::string& local, const std::string& name,
                     const std::string& remote, const std::string& gateway, const std::string& tunnelAddress,
                     const std::string& lan, const std::string& lanAddress) {
    return "/interface 6to4 add comment=\"" + comment + "\" disabled=no local-address=" + local +
           " mtu=1280 name=" + name + " remote-address=" + remote + "\r\n" + "/ipv6 route add gateway=" + gateway +
           " disabled=no distance=1 dst-address=2000::/3 scope=30 target-scope=10\r\n" +
           "/ipv6 address add address=" + tunnelAddress + " advertise=no disabled=no eui-64=no interface=" + name +
           "\r\n" + "/ipv6 address add address=" + lanAddress +
           " advertise=yes disabled=no eui-64=no interface=" + lan + "\r\n";
}

SetupFields Example() {
    return {"Hurricane Electric IPv6 Tunnel Broker",
            "sit1",
            "198.51.100.7",
            "192.0.2.1",
            "2001:db8:1::1",
            "2001:db8:1::2/64",
            "lan",
            "2001:db8:2::/64"};
}

TEST(Ipv6SetupScript, FillsEveryPlaceholderWhereItStands) {
    struct Case {
        const char* what;
        SetupFields fields;
        std::string commands;
    };
    SetupFields emptyClient = Example();
    emptyClient.clientIpv4 = "";
    SetupFields renamed = Example();
    renamed.name = "he-tunnel";
    SetupFields chained = Example();
    chained.comment = "to {4} via {2}";
    chained.name = "{7}-6to4";
    SetupFields earlier = Example();
    earlier.lanInterface = "{1}";
    SetupFields typed = Example();
    typed.comment = G("电信 \"HE\" $1 ?");
    typed.name = "my tunnel";
    typed.lanInterface = G("内网");
    const Case cases[] = {
        {"the example", Example(),
         Commands("Hurricane Electric IPv6 Tunnel Broker", "198.51.100.7", "sit1", "192.0.2.1", "2001:db8:1::1",
                  "2001:db8:1::2/64", "lan", "2001:db8:2::/64")},
        {"an empty client address leaves nothing before the blank", emptyClient,
         Commands("Hurricane Electric IPv6 Tunnel Broker", "", "sit1", "192.0.2.1", "2001:db8:1::1", "2001:db8:1::2/64",
                  "lan", "2001:db8:2::/64")},
        {"the name goes to both of its places", renamed,
         Commands("Hurricane Electric IPv6 Tunnel Broker", "198.51.100.7", "he-tunnel", "192.0.2.1", "2001:db8:1::1",
                  "2001:db8:1::2/64", "lan", "2001:db8:2::/64")},
        {"later placeholders inside a value are filled in turn", chained,
         Commands("to 192.0.2.1 via lan-6to4", "198.51.100.7", "lan-6to4", "192.0.2.1", "2001:db8:1::1",
                  "2001:db8:1::2/64", "lan", "2001:db8:2::/64")},
        {"an earlier placeholder inside a value stays as typed, quoted as it is no bare word", earlier,
         Commands("Hurricane Electric IPv6 Tunnel Broker", "198.51.100.7", "sit1", "192.0.2.1", "2001:db8:1::1",
                  "2001:db8:1::2/64", "\"{1}\"", "2001:db8:2::/64")},
        {"typed values cannot break the line: the comment escaped in its quotes, other words quoted", typed,
         Commands(G("电信 \\\"HE\\\" \\$1 \\?"), "198.51.100.7", "\"my tunnel\"", "192.0.2.1", "2001:db8:1::1",
                  "2001:db8:1::2/64", G("\"内网\""), "2001:db8:2::/64")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BuildIpv6TunnelSetupScript(c.fields), SetupScript(c.commands));
    }
}

TEST(Ipv6SetupScript, AValueThatGrowsWithEveryStepStopsPastOneMegabyte) {
    // Each box repeats the next one 60 times: 60^4 copies of the fifth box's
    // text would be far past the limit, so nothing comes back.
    SetupFields f = Example();
    std::string copies2, copies3, copies4, copies5;
    for (int i = 0; i < 60; ++i) copies2 += "{3}", copies3 += "{4}", copies4 += "{5}", copies5 += "{6}";
    f.name = copies2;
    f.clientIpv4 = copies3;
    f.serverIpv4 = copies4;
    f.serverIpv6 = copies5;
    EXPECT_EQ(BuildIpv6TunnelSetupScript(f), std::nullopt);

    // Just under the limit still gives the script.
    SetupFields big = Example();
    big.lanInterface = std::string(kScriptLimit - 2000, 'x');
    const std::optional<Gbk> script = BuildIpv6TunnelSetupScript(big);
    ASSERT_TRUE(script);
    EXPECT_EQ(script->size(),
              kScriptLimit - 2000 +
                  SetupScript(Commands("Hurricane Electric IPv6 Tunnel Broker", "198.51.100.7", "sit1", "192.0.2.1",
                                       "2001:db8:1::1", "2001:db8:1::2/64", "", "2001:db8:2::/64"))
                      .size());
}

TEST(Ipv6Fill, SizeLimitCountsTheWrittenText) {
    // Escaping adds bytes after the raw text fits: the written text decides.
    const std::array<Placeholder, 1> quoted{{{std::string_view("$$$$"), Slot::InQuotes}}};
    EXPECT_EQ(FillTemplate("\"{1}\"", quoted, 10), std::optional<Gbk>("\"\\$\\$\\$\\$\""));
    EXPECT_EQ(FillTemplate("\"{1}\"", quoted, 9), std::nullopt);
    // A lead byte before a brace is one character, so no placeholder starts there.
    const std::array<Placeholder, 1> bare{{{std::string_view("x"), Slot::Bare}}};
    EXPECT_EQ(FillTemplate("\xB0{1}{1}", bare), std::optional<Gbk>("\xB0{1}x"));
}

UpdateFields Update() {
    return {"sit1", "123456", "example-user", "a1B2c3D4e5F6g7", "pppoe-out1", "ipv4.tunnelbroker.net", "/nic/update"};
}

std::string UpdateScript(const std::string& settings) {
    return "# Update Hurricane Electric IPv6 Tunnel Client IPv4 address \r\n"
           "# Add /system scheduler\r\n"
           "\r\n" +
           settings +
           ":local outputfile (\"HE-\" . $HEtunnelid . \".txt\")\r\n"
           "\r\n"
           "# Internal processing below...\r\n"
           "# ----------------------------------\r\n"
           ":local HEipv4addr\r\n"
           "\r\n"
           "# Get WAN interface IP address\r\n"
           ":set HEipv4addr [/ip address get [/ip address find interface=$WANinterface] address]\r\n"
           ":set HEipv4addr [:pick [:tostr $HEipv4addr] 0 [:find [:tostr $HEipv4addr] \"/\"]]\r\n"
           "\r\n"
           ":if ([:len $HEipv4addr] = 0) do={\r\n"
           "   :log error (\"Could not get IP for interface \" . $WANinterface)\r\n"
           "   :error (\"Could not get IP for interface \" . $WANinterface)\r\n"
           "}\r\n"
           "\r\n"
           "# Update the HEtunnelinterface with WAN IP\r\n"
           "/interface 6to4 {\r\n"
           "   :if ([get ($HEtunnelinterface) local-address] != $HEipv4addr) do={\r\n"
           "      :log info (\"Updating \" . $HEtunnelinterface . \" local-address with new IP \" . $HEipv4addr . \"...\")\r\n"
           "      set ($HEtunnelinterface) local-address=$HEipv4addr\r\n"
           "   }\r\n"
           "}\r\n"
           "\r\n"
           "/tool fetch mode=http host=($HEupdatehost) dst-path=($outputfile) \\\r\n"
           "   url=(\"http://\" . $HEupdatehost . $HEupdatepath . \\\r\n"
           "        \"\\?username=\" . $HEuserid . \\\r\n"
           "        \"&password=\" . $HEpass . \\\r\n"
           "        \"&hostname=\" . $HEtunnelid . \\\r\n"
           "        \"&myip=\" . $HEipv4addr)\r\n"
           "\r\n"
           ":log info ([/file get ($outputfile) contents])\r\n"
           "/file remove ($outputfile)";
}

std::string Settings(const UpdateFields& v) {
    return ":local HEtunnelinterface \"" + v.tunnelInterface + "\"\r\n:local HEtunnelid \"" + v.tunnelId +
           "\"\r\n:local HEuserid \"" + v.user + "\"\r\n:local HEpass \"" + v.updateKey +
           "\"\r\n:local HEupdatehost \"" + v.updateHost + "\"\r\n:local HEupdatepath \"" + v.updatePath +
           "\"\r\n:local WANinterface \"" + v.wanInterface + "\"\r\n";
}

TEST(HeUpdateScript, WritesEveryBoxIntoItsQuotedSetting) {
    struct Case {
        const char* what;
        UpdateFields fields;
        UpdateFields written;
    };
    UpdateFields typed = Update();
    typed.updateKey = "pa$$\"1?\\";
    typed.user = G("用户 淺");  // 淺 ends in 0x5C
    UpdateFields typedWritten = Update();
    typedWritten.updateKey = "pa\\$\\$\\\"1\\?\\\\";
    typedWritten.user = G("用户 淺") + "\\";
    UpdateFields chained = Update();
    chained.tunnelInterface = "{5}";
    chained.wanInterface = "a\"{7}";
    chained.updatePath = "{2}";
    UpdateFields chainedWritten = Update();
    chainedWritten.tunnelInterface = "a\\\"{2}";
    chainedWritten.wanInterface = "a\\\"{2}";
    chainedWritten.updatePath = "{2}";
    UpdateFields empty{};
    const Case cases[] = {
        {"the layout's sample values", Update(), Update()},
        {"typed bytes escaped in the quotes the template holds", typed, typedWritten},
        {"a value takes later values as they are written there", chained, chainedWritten},
        {"empty boxes give empty strings", empty, empty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BuildHeTunnelScript(c.fields), UpdateScript(Settings(c.written)));
    }
}

}  // namespace
}  // namespace trelvix::ipv6tunnel
