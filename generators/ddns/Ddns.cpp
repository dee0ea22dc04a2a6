#include "generators/ddns/Ddns.h"

#include "common/text/RouterOsText.h"

namespace trelvix::ddns {
namespace {

// The router's log texts are kept as RouterOS byte escapes of their GBK
// text, so the script pastes into a terminal of any code page.
const char kF3322[] =
    "#本DDNS脚本默认更新线路为PPPOE-OUT1，如果PPPOE-OUT1掉线状态则更新PPPOE-OUT2\r\n"
    ":do {\r\n"
    ":local ether\r\n"
    "#DDNS帐号\r\n"
    ":local user  \"{账号}\"\r\n"
    "#DDNS密码\r\n"
    ":local pass  \"{密码}\"\r\n"
    "#DDNS域名\r\n"
    ":local host  \"{域名}\"\r\n"
    "#以下不需要修改\r\n"
    ":local status [/interface pppoe-client get [/interface pppoe-client find name=\"{网卡1}\"] running];\r\n"
    ":if ($status=true) do={\r\n"
    ":set ether \"{网卡1}\"};\r\n"
    ":if ($status=false) do={\r\n"
    ":set ether \"{网卡2}\"};\r\n"
    ":local oldip [:resolve $host]\r\n"
    ":delay 5s\r\n"
    ":local newip [ /ip address get [/ip address find interface=$ether ] address ]\r\n"
    ":set newip [:pick $newip 0 [:find $newip \"/\"]]\r\n"
    ":if ($oldip != $newip) do={\r\n"
    "/tool fetch url=(\"http://members.3322.org/dyndns/update\\?system=dyndns&hostname=\\\r\n"
    "$host&myip=$newip\") mode=http user=$user password=$pass dst-path=$host\r\n"
    ":log error (\"\\BE\\C9\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$oldip)\r\n"
    ":log error (\"\\D0\\C2\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$newip)\r\n"
    ":delay 3s\r\n"
    ":local Result [/file get $host contents]\r\n"
    // A find that misses gives nothing, never the text "nil": only its
    // length tells success from failure.
    ":if ([:len [:find $Result \"good\"]] > 0) do={\r\n"
    ":log error ($host.\" \\B8\\FC\\D0\\C2\\B3\\C9\\B9\\A6\")\r\n"
    "} else={\r\n"
    ":log error ($host.\" \\B8\\FC\\D0\\C2\\CA\\A7\\B0\\DC\")}\r\n"
    "/file remove $host}}";

const char kOray[] =
    "#花生壳官方域名解析时间间隔:免费30分钟;专业5分钟;商业3分钟;旗舰1分钟\r\n"
    "\r\n"
    ":local ipaddr\r\n"
    ":local server \"http://ddns.oray.com\"\r\n"
    ":local domain \"{域名}\"\r\n"
    ":local par \"/ph/update?&myip=$ipaddr\"\r\n"
    ":local users \"{账号}\"\r\n"
    ":local paswd \"{密码}\"\r\n"
    ":set ipaddr [/ip address get [/ip address find interface={网卡}] address]\r\n"
    ":set ipaddr [:pick $ipaddr 0 ([len $ipaddr] -3)]\r\n"
    "/tool fetch url=($server.$par) mode=http user=$users password=$paswd";

const char kChangeIp[] =
    "#本DDNS脚本默认更新线路为首选网卡,如果首选网卡掉线状态则更新备用网卡\r\n"
    "\r\n"
    "\r\n"
    ":local ether\r\n"
    "#DDNS帐号\r\n"
    ":local user \"{账号}\"\r\n"
    "#DDNS密码\r\n"
    ":local pass \"{密码}\"\r\n"
    "#DDNS域名\r\n"
    ":local host \"{域名}\"\r\n"
    "#以下不需要修改\r\n"
    ":local status [/interface pppoe-client get [/interface pppoe-client find name=\"{网卡1}\"] running];\r\n"
    ":if ($status=true) do={\r\n"
    ":set ether \"{网卡1}\"};\r\n"
    ":if ($status=false) do={\r\n"
    ":set ether \"{网卡2}\"};\r\n"
    ":local oldip [:resolve $host]\r\n"
    ":delay 5s\r\n"
    ":local newip [ /ip address get [/ip address find interface=$ether ] address ]\r\n"
    ":set newip [:pick $newip 0 [:find $newip \"/\"]]\r\n"
    ":if ($oldip != $newip) do={\r\n"
    "/tool dns-update address=$newip    key-name=$user key=$pass name=$host\r\n"
    ":log error (\"\\BE\\C9\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$oldip)\r\n"
    ":log error (\"\\D0\\C2\\B5\\C4IP\\B5\\D8\\D6\\B7\\A3\\BA: \".$newip)}";

}  // namespace

const std::array<const char*, 4> kDomainSuffixes = {".f3322.net", ".oicp.net", ".meibu.com", ".changeip.org"};

const char* SignupPage(DdnsProvider provider) {
    switch (provider) {
        case DdnsProvider::F3322: return "http://www.pubyun.com/";
        case DdnsProvider::Oray: return "http://hsk.oray.com/";
        case DdnsProvider::Meibu: return nullptr;
        case DdnsProvider::ChangeIp: return "https://www.changeip.com/";
    }
    return nullptr;
}

Gbk BuildDdnsScript(const DdnsFields& f) {
    if (f.provider == DdnsProvider::Meibu) return {};
    const Gbk account = EscapeTyped(f.account);
    const Gbk password = EscapeTyped(f.password);
    const Gbk host = EscapeTyped(f.prefix + f.suffix);
    BatchReplaceOptions exact;
    exact.caseSensitive = true;
    if (f.provider == DdnsProvider::Oray) {
        const Gbk nic = TypedWord(f.interface1);
        return BatchReplace(kOray, {{"{账号}", account}, {"{密码}", password}, {"{域名}", host}, {"{网卡}", nic}},
                            exact);
    }
    const Gbk nic1 = EscapeTyped(f.interface1);
    const Gbk nic2 = EscapeTyped(f.interface2);
    return BatchReplace(f.provider == DdnsProvider::F3322 ? kF3322 : kChangeIp,
                        {{"{账号}", account}, {"{密码}", password}, {"{域名}", host}, {"{网卡1}", nic1},
                         {"{网卡2}", nic2}},
                        exact);
}

}  // namespace trelvix::ddns
