#include "generators/scripts/ScriptGenerators.h"

#include <string>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

// Typed values that the stored scripts write bare go through TypedWord, and
// those they write inside their own double quotes through InQuotes, so a
// blank, quote or dollar a user typed cannot end the command early.

namespace trelvix {
namespace {

constexpr std::string_view kOnlineUserComment = R"(\D4\DA\CF\DF\D3\C3\BB\A7)";

Gbk OnlineAddressListTail() {
    return "action=add-src-to-address-list address-list=" + Quote("Online") +
           " address-list-timeout=1m  comment=" + Quote(kOnlineUserComment) + " disabled=no";
}

Gbk q(std::string_view text) { return Quote(text); }

// The day of the week from the router's date, counted from its year, month and day.
constexpr std::string_view kWeekDeclaration =
    ":local Date [/system clock get date];:local Year ([:pick $Date 7 11]-1);\r\n"
    ":local Month ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [:pick $Date 0 3]]);\r\n"
    ":local Day [:pick $Date 4 6];\r\n"
    ":if ([:pick $Date 4 5] = 0) do={:set Day [:pick $Date 5 6]};\r\n"
    ":set Day ($Day-1)\r\n"
    ":local leapyear 0,31,59,90,120,151,181,212,243,273,304,334,0,31,60,91,121,152,182,213,244,274,305,335\r\n"
    ":local Today ($Year*365+$Year/4);:if (($Year-$Year/4*4) != 3) do={:set Today ($Today+[:pick $leapyear $Month]+$Day)} else={:set Today ($Today+[:pick $leapyear ($Month+12)]+$Day)}\r\n"
    ":local Week ($Today-$Today/7*7)\r\n"
    ":if ($Week=0) do={:set Week \"日\"} else={:if ($Week=1) do={:set Week \"一\"} else={:if ($Week=2) do={:set Week \"二\"} else={:if ($Week=3) do={:set Week \"三\"} else={:if ($Week=4) do={:set Week \"四\"} else={:if ($Week=5) do={:set Week \"五\"} else={:if ($Week=6) do={:set Week \"六\"}}}}}}}\r\n";

Gbk Count(std::string_view label, std::string_view var, std::string_view unit, std::string_view level = "warning") {
    return ":log " + Gbk(level) + " (" + q(label) + "." + q(var) + "." + q(unit) + ")\r\n";
}

}  // namespace

Gbk BuildOnlineCounterScript(const OnlineCounterFields& f) {
    return "/ip firewall address-list add address=" + TypedWord(f.lanNet) + " disabled=no list=lan\r\n" +
           "/ip firewall mangle add chain=prerouting src-address-list=lan " + OnlineAddressListTail() + "\r\n" +
           ReplaceAll(StoredText("data/scripts/online-counter-schedule.rsc"), "{执行周期}", TypedWord(f.interval));
}

Gbk BuildLanAddressList(std::string_view lanNet) {
    return "/ip firewall address-list add address=" + TypedWord(lanNet) + " disabled=no list=lan";
}

Gbk BuildOnlineCounterFilter() {
    return "/ip firewall filter add chain=forward src-address-list=lan " + OnlineAddressListTail();
}

Gbk BuildStatusLogScript(const StatusLogFields& f, RouterOsSeries series) {
    const Gbk wan = TypedWord(f.wanInterface);
    Gbk decl;
    Gbk log;
    if (f.week) {
        decl += kWeekDeclaration;
        log += ":log error (" + q("今天是星期") + " . $Week)\r\n";
    }
    if (f.clock) {
        decl += ":local time [/system clock get time]\r\n";
        log += ":log warning (" + q("当前北京时间:") + "." + q("$time") + ")\r\n";
    }
    if (f.version) {
        decl += ":local version [/system resource get " + q("version") + "]\r\n";
        log += ":log warning (" + q("当前系统版本是:") + "." + q("$version") + ")\r\n";
    }
    if (f.cpuLoad) {
        decl += ":local ma [/system resource get cpu-load]\r\n";
        log += Count("当前CPU使用率:", "$ma", "%");
    }
    if (f.freeMemory) {
        decl += ":local maaaac [/system resource get " + q("free-memory") + "]\r\n";
        log += ":log warning (" + q("当前内存剩余:") + "." + q("$maaaac") + "/" +
               (series == RouterOsSeries::V5 ? "1024" : "1048576") + " ." + q(" MB可用") + ")\r\n";
    }
    if (f.pppSecrets) {
        decl += ":local userppp [:len [/ppp secret find]]\r\n";
        log += Count("当前系统共有ppp拨号用户:", "$userppp", "个");
    }
    if (f.pppoeUsers) {
        decl += ":local userpppoe [:len [/ppp active find service =(" + q("pppoe") + ")]]\r\n";
        log += Count("当前系统共有pppoe在线用户:", "$userpppoe", "个");
    }
    if (f.pptpUsers) {
        decl += ":local userpptp [:len [/ppp active find service =(" + q("pptp") + ")]]\r\n";
        log += Count("当前系统共有pptp在线用户:", "$userpptp", "个");
    }
    if (f.l2tpUsers) {
        decl += ":local userl2tp [:len [/ppp active find service =(" + q("l2tp") + ")]]\r\n";
        log += Count("当前系统共有l2tp在线用户:", "$userl2tp", "个");
    }
    if (f.onlineUsers) {
        decl += ":local zxzj [:len [/ip firewall address-list find list=(" + q("Online") + ")]]\r\n";
        log += Count("当前共有:", "$zxzj", "个用户在线", "error");
    }
    if (f.expiredUsers) {
        decl += ":local ssss [:len [/ppp secret find disabled=yes]]\r\n";
        log += Count("当前到期用户有:", "$ssss", "个)", "error");
    }
    // The up-speed box reads the receive rate and logs it as the down speed,
    // and the down-speed box the other way round: the labels follow the
    // user's side of the line, the rates the router's interface.
    if (f.upSpeed) {
        decl += ":local maciii\r\n/interface monitor-traffic " + wan + " once do={:set maciii $" +
                q("rx-bits-per-second") + "};\r\n";
        log += ":log warning (" + q("当前网络总下行速度为:") + "." + q("$maciii") + "/1024 ." + q("KB") + ")\r\n";
    }
    if (f.downSpeed) {
        decl += ":local maciqian\r\n/interface monitor-traffic " + wan + " once do={:set maciqian $" +
                q("tx-bits-per-second") + "};\r\n";
        log += ":log warning (" + q("当前网络总上行速度为:") + "." + q("$maciqian") + "/1024 ." + q("KB") + ")\r\n";
    }
    if (f.tcpConnections) {
        decl += ":local s [:len [/ip firewall connection find protocol =(" + q("tcp") + ")]]\r\n";
        log += Count("当前TCP共有:", "$s", "条", "error");
    }
    if (f.udpConnections) {
        decl += ":local ss [:len [/ip firewall connection find protocol =(" + q("udp") + ")]]\r\n";
        log += Count("当前UDP共有:", "$ss", "条", "error");
    }
    const Gbk separator = ":log warning " + q("=====================================");
    return decl + separator + "\r\n" + log + separator;
}

Gbk BuildScheduledBackupScript(const ScheduledBackupFields& f, RouterOsSeries series) {
    Gbk encrypt;
    if (series == RouterOsSeries::V6) encrypt = f.encrypt ? "dont-encrypt=no " : "dont-encrypt=yes ";
    const Gbk name = f.name.empty() ? Gbk(R"(ROS\D7\D4\B6\AF\B1\B8\B7\DD\BD\C5\B1\BE)") : EncodeRouterOsEscapes(f.name);
    return BatchReplace(StoredText("data/scripts/scheduled-backup.rsc"), {{"{文件名}", name},
                                                                          {"{执行周期}", TypedWord(f.interval)},
                                                                          {"{执行时间}", TypedWord(f.startTime)},
                                                                          {"{加密}", encrypt}});
}

Gbk BuildMailBackupScript(const MailBackupFields& f, RouterOsSeries series) {
    Gbk encrypt;
    if (series == RouterOsSeries::V6) encrypt = f.encrypt ? "dont-encrypt=no " : "dont-encrypt=yes ";
    const std::string_view stored = StoredText(f.withHotspot ? "data/scripts/mail-backup-hotspot.rsc"
                                                             : "data/scripts/mail-backup.rsc");
    return BatchReplace(stored, {{"{smtp}", EscapeTyped("smtp." + f.senderDomain)},
                                 {"{寄件邮箱前缀}", EscapeTyped(f.senderPrefix)},
                                 {"{收件邮箱}", EscapeTyped(f.recipientPrefix + "@" + f.recipientDomain)},
                                 {"{寄件邮箱}", EscapeTyped(f.senderPrefix + "@" + f.senderDomain)},
                                 {"{寄件邮箱密码}", EscapeTyped(f.password)},
                                 {"{接口}", EscapeTyped(f.wanInterface)},
                                 {"{加密}", encrypt}});
}

Gbk BuildHealthAlarmScript(const HealthAlarmFields& f) {
    return BatchReplace(StoredText("data/scripts/health-alarm.rsc"),
                        {{"{温度}", TypedWord(Trim(f.temperature))}, {"{电压}", TypedWord(Trim(f.voltage))}});
}

}  // namespace trelvix
