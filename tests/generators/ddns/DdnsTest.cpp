#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "generators/ddns/Ddns.h"

namespace trelvix::ddns {
namespace {

using test::G;
using test::Visible;

// The lines both pppoe-line templates share after the host's line.
std::string LineChoice(const std::string& nic1, const std::string& nic2) {
    // clang-format off
    return G("#以下不需要修改\r\n") +
           ":local status [/interface pppoe-client get [/interface pppoe-client find name=\"" + nic1 +
           "\"] running];\r\n"
           ":if ($status=true) do={\r\n"
           ":set ether \"" + nic1 + "\"};\r\n"
           ":if ($status=false) do={\r\n"
           ":set ether \"" + nic2 + "\"};\r\n"
           ":local oldip [:resolve $host]\r\n"
           ":delay 5s\r\n"
           ":local newip [ /ip address get [/ip address find interface=$ether ] address ]\r\n"
           ":set newip [:pick $newip 0 [:find $newip \"/\"]]\r\n"
           ":if ($oldip != $newip) do={\r\n";
    // clang-format on
}
const std::string kLogIps =
    ":log error (\"\\BE\\C9\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$oldip)\r\n"
    ":log error (\"\\D0\\C2\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$newip)";

TEST(Ddns, F3322TestsTheLengthOfTheFind) {
    DdnsFields f;
    f.prefix = "abc";
    f.suffix = ".x";
    const std::string expected =
        G("#本DDNS脚本默认更新线路为PPPOE-OUT1，如果PPPOE-OUT1掉线状态则更新PPPOE-OUT2\r\n") +
        ":do {\r\n:local ether\r\n" + G("#DDNS帐号\r\n") + ":local user  \"username\"\r\n" + G("#DDNS密码\r\n") +
        ":local pass  \"password\"\r\n" + G("#DDNS域名\r\n") + ":local host  \"abc.x\"\r\n" +
        LineChoice("pppoe-out1", "pppoe-out2") +
        "/tool fetch url=(\"http://members.3322.org/dyndns/update\\?system=dyndns&hostname=\\\r\n"
        "$host&myip=$newip\") mode=http user=$user password=$pass dst-path=$host\r\n" +
        kLogIps +
        "\r\n:delay 3s\r\n"
        ":local Result [/file get $host contents]\r\n"
        ":if ([:len [:find $Result \"good\"]] > 0) do={\r\n"
        ":log error ($host.\" \\B8\\FC\\D0\\C2\\B3\\C9\\B9\\A6\")\r\n"
        "} else={\r\n"
        ":log error ($host.\" \\B8\\FC\\D0\\C2\\CA\\A7\\B0\\DC\")}\r\n"
        "/file remove $host}}";
    EXPECT_EQ(Visible(BuildDdnsScript(f)), Visible(expected));
}

TEST(Ddns, OrayWritesTheInterfaceBare) {
    DdnsFields f;
    f.provider = DdnsProvider::Oray;
    f.suffix = ".oicp.net";
    // The update path is built once the address is read, its "?" escaped for a terminal.
    const std::string tail =
        ":set ipaddr [:pick $ipaddr 0 ([len $ipaddr] -3)]\r\n"
        ":local par \"/ph/update\\?&myip=$ipaddr\"\r\n"
        "/tool fetch url=($server.$par) mode=http user=$users password=$paswd";
    const std::string head = G("#花生壳官方域名解析时间间隔:免费30分钟;专业5分钟;商业3分钟;旗舰1分钟\r\n") +
                             "\r\n:local ipaddr\r\n:local server \"http://ddns.oray.com\"\r\n";
    EXPECT_EQ(Visible(BuildDdnsScript(f)),
              Visible(head +
                      ":local domain \"username.oicp.net\"\r\n"
                      ":local users \"username\"\r\n"
                      ":local paswd \"password\"\r\n"
                      ":set ipaddr [/ip address get [/ip address find interface=pppoe-out1] address]\r\n" +
                      tail));
    // A typed quote or dollar cannot leave the template's quotes; the bare
    // interface with a blank is quoted whole.
    f.account = "a\"b";
    f.password = "p$x\\";
    f.interface1 = "pppoe out";
    EXPECT_EQ(Visible(BuildDdnsScript(f)),
              Visible(head +
                      ":local domain \"username.oicp.net\"\r\n"
                      ":local users \"a\\\"b\"\r\n"
                      ":local paswd \"p\\$x\\\\\"\r\n"
                      ":set ipaddr [/ip address get [/ip address find interface=\"pppoe out\"] address]\r\n" +
                      tail));
}

TEST(Ddns, ChangeIpByteForByte) {
    DdnsFields f;
    f.provider = DdnsProvider::ChangeIp;
    f.suffix = ".changeip.org";
    const std::string expected =
        G("#本DDNS脚本默认更新线路为首选网卡,如果首选网卡掉线状态则更新备用网卡\r\n") + "\r\n\r\n:local ether\r\n" +
        G("#DDNS帐号\r\n") + ":local user \"username\"\r\n" + G("#DDNS密码\r\n") + ":local pass \"password\"\r\n" +
        G("#DDNS域名\r\n") + ":local host \"username.changeip.org\"\r\n" + LineChoice("pppoe-out1", "pppoe-out2") +
        "/tool dns-update address=$newip    key-name=$user key=$pass name=$host\r\n" + kLogIps + "}";
    // The template is 788 bytes; its placeholders take 39 and the values 67.
    EXPECT_EQ(expected.size(), 788u - 39u + 67u);
    EXPECT_EQ(Visible(BuildDdnsScript(f)), Visible(expected));
}

TEST(Ddns, HiddenProviderWritesNothing) {
    DdnsFields f;
    f.provider = DdnsProvider::Meibu;
    EXPECT_EQ(BuildDdnsScript(f), "");
    EXPECT_EQ(SignupPage(DdnsProvider::Meibu), nullptr);
}

}  // namespace
}  // namespace trelvix::ddns
