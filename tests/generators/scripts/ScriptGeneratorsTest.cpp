#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "TestSupport.h"
#include "common/EmbeddedData.h"
#include "generators/scripts/ScriptGenerators.h"

namespace trelvix {
namespace {

using test::G;
using test::Visible;

// Lines joined by CR LF, no line end after the last; GBK.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string out;
    bool first = true;
    for (const char* line : lines) {
        if (!first) out += "\r\n";
        first = false;
        out += G(line);
    }
    return out;
}

// Pieces of text joined by CR LF, for expected scripts that share runs of lines.
std::string JoinLines(std::initializer_list<std::string> pieces) {
    std::string out;
    bool first = true;
    for (const std::string& piece : pieces) {
        if (!first) out += "\r\n";
        first = false;
        out += piece;
    }
    return out;
}

// The lines both mail templates share: the date split and the settings of DefaultMail().
const std::string kMailDateSplit = Lines({
    ":local date [/system clock get date]",
    ":local day [:pick $date 4 6]",
    ":local month [:pick $date 0 3]",
    ":local year [:pick $date 7 11]",
    ":local convert ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [:pick $date 0 3]]+1);",
    ":if ($convert <=9) do={",
    ":set convert (\"0\".$convert)}",
});
const std::string kMailAccountSettings = Lines({
    "#SMTP服务器设置",
    ":local smtps \"smtp.example.com\"",
    "#邮件端口设置",
    ":local ports \"25\"",
    "#寄件人设置",
    ":local Mailings \"vemtu_ji\"",
    "#寄件人密码设置",
    ":local pass \"123456789\"",
    "#收件人账号设置",
    ":local recipient \"vemtu_shou@example.net\"",
    "#寄件人账号设置",
    ":local Collection \"vemtu_ji@example.com\"",
    "#发送内容设置",
    ":local Contents \"邮件发送时的公网IP是:\"",
});

constexpr const char* kSeparator = R"(:log warning "=====================================")";

TEST(StoredScripts, HaveTheirSizes) {
    struct Case {
        const char* path;
        std::size_t size;
    };
    const Case cases[] = {
        {"data/scripts/online-counter-schedule.rsc", 419},
        {"data/scripts/scheduled-backup.rsc", 635},
        {"data/scripts/mail-backup-hotspot.rsc", 1803},
        {"data/scripts/mail-backup.rsc", 1493},
        {"data/scripts/health-alarm.rsc", 460},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string_view text = StoredText(c.path);
        EXPECT_EQ(text.size(), c.size);
        EXPECT_NE(text.substr(text.size() - 2), "\r\n");
    }
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

// The two fixed sets are written once and reviewed; the hash catches any
// byte that changes afterwards (an editor adding a final line end, a
// conversion to UTF-8).
TEST(StoredScripts, FixedSetsStayAsReviewed) {
    struct Case {
        const char* path;
        std::size_t size;
        std::size_t lines;
        std::uint64_t hash;
    };
    const Case cases[] = {
        {"data/scripts/pcc-rebalance.rsc", 2643, 65, 0x452afa2b5204fec3ull},
        {"data/scripts/pppoe-expiry.rsc", 3526, 58, 0x4ed4f36dcf2fb2b6ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string_view text = StoredText(c.path);
        EXPECT_EQ(text.size(), c.size);
        std::size_t lines = 1;
        for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++lines;
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
        EXPECT_EQ(Fnv1a(text), c.hash);
    }
}

TEST(OnlineCounter, MarksTheLanCountsAndSchedules) {
    // clang-format off
    const std::string expected =
        "/ip firewall address-list add address=10.0.0.0/8 disabled=no list=lan\r\n"
        "/ip firewall mangle add chain=prerouting src-address-list=lan action=add-src-to-address-list "
        R"(address-list="Online" address-list-timeout=1m  comment="\D4\DA\CF\DF\D3\C3\BB\A7" disabled=no)" "\r\n"
        R"(/system schedule add interval=00:05:00 name="\CD\B3\BC\C6\D4\DA\CF\DF\C8\CB\CA\FD" on-event=":local s \)" "\r\n"
        R"(    0\r\)" "\r\n"
        R"(    \n:foreach i in=[/ip firewall address-list find list=Online] do={:set s (\$s\)" "\r\n"
        R"(    +1)}\r\)" "\r\n"
        R"(    \n:log warning (\"\B5\B1\C7\B0\" . \$s . \"\CC\A8\BF\CD\BB\A7\BB\FA\D4\DA\CF\)" "\r\n"
        R"x(    \DF\")" policy=reboot,read,write,policy,test,password,sniff,sensitive \)x" "\r\n"
        R"(    start-date=jan/01/1970 start-time=00:00:00)";
    // clang-format on
    EXPECT_BYTES(BuildOnlineCounterScript({"10.0.0.0/8", "00:05:00"}), expected);
    EXPECT_BYTES(BuildLanAddressList("192.168.1.0/24"),
                 std::string("/ip firewall address-list add address=192.168.1.0/24 disabled=no list=lan"));
    EXPECT_BYTES(
        BuildOnlineCounterFilter(),
        std::string(
            "/ip firewall filter add chain=forward src-address-list=lan action=add-src-to-address-list "
            R"(address-list="Online" address-list-timeout=1m  comment="\D4\DA\CF\DF\D3\C3\BB\A7" disabled=no)"));
    // A blank typed into the net box would split the command.
    EXPECT_BYTES(BuildLanAddressList("1.1.1.0/24 x"),
                 std::string(R"(/ip firewall address-list add address="1.1.1.0/24 x" disabled=no list=lan)"));
}

StatusLogFields NoItems() {
    StatusLogFields f;
    f.week = f.clock = f.version = f.cpuLoad = f.freeMemory = f.expiredUsers = false;
    f.wanInterface = "ether1";
    return f;
}

TEST(StatusLog, WithNoItemIsTheTwoSeparators) {
    for (RouterOsSeries series : {RouterOsSeries::V5, RouterOsSeries::V6})
        EXPECT_BYTES(BuildStatusLogScript(NoItems(), series), Lines({kSeparator, kSeparator}));
}

TEST(StatusLog, DefaultsFor6xAreTheKnownScript) {
    StatusLogFields f;
    f.wanInterface = "ether1";
    const std::string expected = Lines({
        ":local Date [/system clock get date];:local Year ([:pick $Date 7 11]-1);",
        ":local Month ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [:pick $Date 0 3]]);",
        ":local Day [:pick $Date 4 6];",
        ":if ([:pick $Date 4 5] = 0) do={:set Day [:pick $Date 5 6]};",
        ":set Day ($Day-1)",
        ":local leapyear 0,31,59,90,120,151,181,212,243,273,304,334,0,31,60,91,121,152,182,213,244,274,305,335",
        ":local Today ($Year*365+$Year/4);:if (($Year-$Year/4*4) != 3) do={:set Today ($Today+[:pick $leapyear $Month]+$Day)} else={:set Today ($Today+[:pick $leapyear ($Month+12)]+$Day)}",
        ":local Week ($Today-$Today/7*7)",
        R"(:if ($Week=0) do={:set Week "日"} else={:if ($Week=1) do={:set Week "一"} else={:if ($Week=2) do={:set Week "二"} else={:if ($Week=3) do={:set Week "三"} else={:if ($Week=4) do={:set Week "四"} else={:if ($Week=5) do={:set Week "五"} else={:if ($Week=6) do={:set Week "六"}}}}}}})",
        ":local time [/system clock get time]",
        R"(:local version [/system resource get "version"])",
        ":local ma [/system resource get cpu-load]",
        R"(:local maaaac [/system resource get "free-memory"])",
        ":local ssss [:len [/ppp secret find disabled=yes]]",
        kSeparator,
        R"(:log error ("今天是星期" . $Week))",
        R"(:log warning ("当前北京时间:"."$time"))",
        R"(:log warning ("当前系统版本是:"."$version"))",
        R"(:log warning ("当前CPU使用率:"."$ma"."%"))",
        R"(:log warning ("当前内存剩余:"."$maaaac"/1048576 ." MB可用"))",
        R"x(:log error ("当前到期用户有:"."$ssss"."个)"))x",
        kSeparator,
    });
    EXPECT_EQ(expected.size(), 1484u);
    EXPECT_BYTES(BuildStatusLogScript(f, RouterOsSeries::V6), expected);
}

TEST(StatusLog, MemoryAloneDiffersByTheDivisor) {
    StatusLogFields f = NoItems();
    f.freeMemory = true;
    const auto expected = [](const char* divisor) {
        return Lines(
            {R"(:local maaaac [/system resource get "free-memory"])", kSeparator,
             (std::string(R"(:log warning ("当前内存剩余:"."$maaaac"/)") + divisor + R"( ." MB可用"))").c_str(),
             kSeparator});
    };
    EXPECT_BYTES(BuildStatusLogScript(f, RouterOsSeries::V5), expected("1024"));
    EXPECT_BYTES(BuildStatusLogScript(f, RouterOsSeries::V6), expected("1048576"));
}

TEST(StatusLog, EveryItemInItsOrderWithTheSpeedsCrossed) {
    StatusLogFields f;
    f.pppSecrets = f.pppoeUsers = f.pptpUsers = f.l2tpUsers = f.onlineUsers = true;
    f.upSpeed = f.downSpeed = f.tcpConnections = f.udpConnections = true;
    f.week = false;  // its nine lines are checked above
    f.wanInterface = "pppoe-out1";
    const std::string expected = Lines({
        ":local time [/system clock get time]",
        R"(:local version [/system resource get "version"])",
        ":local ma [/system resource get cpu-load]",
        R"(:local maaaac [/system resource get "free-memory"])",
        ":local userppp [:len [/ppp secret find]]",
        R"(:local userpppoe [:len [/ppp active find service =("pppoe")]])",
        R"(:local userpptp [:len [/ppp active find service =("pptp")]])",
        R"(:local userl2tp [:len [/ppp active find service =("l2tp")]])",
        R"(:local zxzj [:len [/ip firewall address-list find list=("Online")]])",
        ":local ssss [:len [/ppp secret find disabled=yes]]",
        ":local maciii",
        R"(/interface monitor-traffic pppoe-out1 once do={:set maciii $"rx-bits-per-second"};)",
        ":local maciqian",
        R"(/interface monitor-traffic pppoe-out1 once do={:set maciqian $"tx-bits-per-second"};)",
        R"(:local s [:len [/ip firewall connection find protocol =("tcp")]])",
        R"(:local ss [:len [/ip firewall connection find protocol =("udp")]])",
        kSeparator,
        R"(:log warning ("当前北京时间:"."$time"))",
        R"(:log warning ("当前系统版本是:"."$version"))",
        R"(:log warning ("当前CPU使用率:"."$ma"."%"))",
        R"(:log warning ("当前内存剩余:"."$maaaac"/1024 ." MB可用"))",
        R"(:log warning ("当前系统共有ppp拨号用户:"."$userppp"."个"))",
        R"(:log warning ("当前系统共有pppoe在线用户:"."$userpppoe"."个"))",
        R"(:log warning ("当前系统共有pptp在线用户:"."$userpptp"."个"))",
        R"(:log warning ("当前系统共有l2tp在线用户:"."$userl2tp"."个"))",
        R"(:log error ("当前共有:"."$zxzj"."个用户在线"))",
        R"x(:log error ("当前到期用户有:"."$ssss"."个)"))x",
        R"(:log warning ("当前网络总下行速度为:"."$maciii"/1024 ."KB"))",
        R"(:log warning ("当前网络总上行速度为:"."$maciqian"/1024 ."KB"))",
        R"(:log error ("当前TCP共有:"."$s"."条"))",
        R"(:log error ("当前UDP共有:"."$ss"."条"))",
        kSeparator,
    });
    EXPECT_BYTES(BuildStatusLogScript(f, RouterOsSeries::V5), expected);
}

// The on-event text of the scheduled backup around the save command.
std::string ScheduledBackup(const std::string& name, const std::string& save, const std::string& interval = "1d",
                            const std::string& time = "02:00:00") {
    // clang-format off
    return "/system scheduler add interval=" + interval + " name=\"" + name +
           R"(" on-event=":local date [/system clock get date]\r\)" "\r\n"
           R"(    \n:local day [:pick \$date 4 6]\r\)" "\r\n"
           R"(    \n:local month [:pick \$date 0 3]\r\)" "\r\n"
           R"(    \n:local year [:pick \$date 7 11]\r\)" "\r\n"
           R"(    \n:local convert ([:find jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec [\)" "\r\n"
           R"(    :pick \$date 0 3]]+1)\r\)" "\r\n"
           R"(    \n:if (\$convert <=9) do={\r\)" "\r\n"
           R"(    \n:set convert (\"0\".\$convert)}\r\)" "\r\n"
           R"(    \n:set date (\$year.\$convert.\$day)\r\)" "\r\n"
           R"(    \n/system backup save )" + save + R"(name=\$date" policy=\)" "\r\n"
           "    ftp,reboot,read,write,policy,test,password,sniff,sensitive start-date=\\\r\n"
           "    jan/25/2015 start-time=" + time;
    // clang-format on
}

TEST(ScheduledBackup, NamesEncryptsAndSchedules) {
    const std::string defaultName = R"(ROS\D7\D4\B6\AF\B1\B8\B7\DD\BD\C5\B1\BE)";
    struct Case {
        const char* what;
        ScheduledBackupFields fields;
        RouterOsSeries series;
        std::string expected;
    };
    const Case cases[] = {
        {"5.X has no encryption clause",
         {G("ROS自动备份脚本"), "1d", "02:00:00", true},
         RouterOsSeries::V5,
         ScheduledBackup(defaultName, "")},
        {"6.X unencrypted",
         {G("ROS自动备份脚本"), "1d", "02:00:00", false},
         RouterOsSeries::V6,
         ScheduledBackup(defaultName, "dont-encrypt=yes ")},
        {"6.X encrypted",
         {"nightly", "7d", "03:30:00", true},
         RouterOsSeries::V6,
         ScheduledBackup("nightly", "dont-encrypt=no ", "7d", "03:30:00")},
        {"an empty name takes the escaped default",
         {"", "1d", "02:00:00", false},
         RouterOsSeries::V5,
         ScheduledBackup(defaultName, "")},
        {"percent and slash are escaped in the name",
         {"a%b/c", "1d", "02:00:00", false},
         RouterOsSeries::V5,
         ScheduledBackup(R"(a\25b\2Fc)", "")},
        {"a blank in the time is quoted",
         {"x", "1d", "02:00 x", false},
         RouterOsSeries::V5,
         ScheduledBackup("x", "", "1d", "\"02:00 x\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_BYTES(BuildScheduledBackupScript(c.fields, c.series), c.expected);
    }
}

MailBackupFields DefaultMail() {
    return {"vemtu_ji", "example.com", "123456789", "vemtu_shou", "example.net", "pppoe-out1", false, false};
}

TEST(MailBackup, PlainTemplateForBothSeries) {
    const auto expected = [](const char* save) {
        return JoinLines({
            Lines({
                "# 感谢网友提供脚本",
                "",
                "#备份文件名称设置",
            }),
            kMailDateSplit,
            Lines({
                ":set date (\"MikroTik-\".$year.$convert.$day);",
                save,
            }),
            kMailAccountSettings,
            Lines({
                "#发送主题设置",
                ":local Themes \"MikroTik系统备份\"",
                "#接口名称设置",
                ":local ddnsinterface \"pppoe-out1\"",
                "#服务器名称设置",
                ":local ServerName \"附件为您RouterOS最新的系统配置备份文件\"",
                ":local smtpp [:resolve $smtps]",
                ":delay 3",
                "/tool e-mail set address=$smtpp port=$ports from=$Collection user=$Collection password=$pass",
                ":global ddnssystems (\"您的路由器版本是为 MikroTik v\" . [/system package get system version] )",
                ":local ipssfn [ /ip address get [/ip address find interface=$ddnsinterface ] address ]",
                ":global ipss [:pick $ipssfn 0 [:find $ipssfn \"/\" ] ]",
                "/tool e-mail send to=$recipient from=$Collection subject=$Themes body=(\"$ServerName\\n$ddnssystems\\n$Contents$ipss\") file=$date",
                ":log warning \"系统数据已备份，邮件已发送至($recipient)\"",
                ":log warning (\"外网IP =\" .\"$ipss\")",
            }),
        });
    };
    MailBackupFields f = DefaultMail();
    f.encrypt = true;
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V5), expected("/system backup save name=$date;"));
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V6),
                 expected("/system backup save dont-encrypt=no name=$date;"));
    f.encrypt = false;
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V6),
                 expected("/system backup save dont-encrypt=yes name=$date;"));
}

TEST(MailBackup, HotspotTemplateHonoursTheEncryptionBox) {
    MailBackupFields f = DefaultMail();
    f.withHotspot = true;
    const auto expected = [](const char* save) {
        return JoinLines({
            Lines({
                "#备份文件名称设置",
                ":local systemdate",
                ":local hotspotdate",
            }),
            kMailDateSplit,
            Lines({
                ":set date ($year.$convert.$day);",
                ":set systemdate (\"MikroTik-\".$date);",
                save,
                ":set hotspotdate (\"MikroTik-hotspot-\".$date);",
                "/ip hotspot export file=$hotspotdate;",
            }),
            kMailAccountSettings,
            Lines({
                "#发送系统备份主题设置",
                ":local systemThemes \"MikroTik系统备份-\"",
                "#发送hotspot数据备份主题设置",
                ":local hotspotThemes \"MikroTik-hotspot数据备份-\"",
                "#接口名称设置",
                ":local ddnsinterface \"pppoe-out1\"",
                ":local smtpp [:resolve $smtps]",
                ":delay 3",
                "/tool e-mail set address=$smtpp port=$ports from=$Collection user=$Collection password=$pass",
                ":global ddnssystems (\"您的路由器版本是为 MikroTik v\" . [/system package get system version] )",
                ":local ipssfn [ /ip address get [/ip address find interface=$ddnsinterface ] address ]",
                ":global ipss [:pick $ipssfn 0 [:find $ipssfn \"/\" ] ]",
                "/tool e-mail send to=$recipient from=$Collection subject=($systemThemes.$date) body=(\"$ddnssystems\\n$Contents$ipss\") file=$systemdate",
                "/tool e-mail send to=$recipient from=$Collection subject=($hotspotThemes.$date) body=(\"$ddnssystems\\n$Contents$ipss\") file=$hotspotdate",
                ":log warning \"系统数据和hotspot数据已备份，邮件已发送至($recipient)\"",
                ":log warning (\"外网IP =\" .\"$ipss\")",
            }),
        });
    };
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V5), expected("/system backup save name=$systemdate;"));
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V6),
                 expected("/system backup save dont-encrypt=yes name=$systemdate;"));
    f.encrypt = true;
    EXPECT_BYTES(BuildMailBackupScript(f, RouterOsSeries::V6),
                 expected("/system backup save dont-encrypt=no name=$systemdate;"));
}

TEST(MailBackup, TypedValuesStayInsideTheirQuotes) {
    MailBackupFields f = DefaultMail();
    f.senderPrefix = G("网管");
    f.password = R"(p"a$s\)";
    const std::string out = BuildMailBackupScript(f, RouterOsSeries::V5);
    EXPECT_NE(out.find(G(":local Mailings \"网管\"\r\n")), std::string::npos);
    EXPECT_NE(out.find(G(":local Collection \"网管@example.com\"\r\n")), std::string::npos);
    // clang-format off
    EXPECT_NE(out.find(R"(:local pass "p\"a\$s\\")" "\r\n"), std::string::npos);
    // clang-format on
}

TEST(HealthAlarm, TrimsBothValues) {
    const auto expected = [](const char* temp, const char* volt) {
        return Lines({
            "#定义温度报警阀值",
            (std::string(":local tempbeep ") + temp + "  ").c_str(),
            "#定义电压报警阀值 ",
            (std::string(":local volbeep ") + volt + "  ").c_str(),
            ":if (([/system health get temperature]>$tempbeep) || ([/system health get voltage]>$volbeep)) do={  ",
            ":beep length=200ms frequency=3000  ",
            ":delay 200ms  ",
            ":beep length=200ms frequency=3500  ",
            ":delay 200ms  ",
            ":beep length=200ms frequency=3000  ",
            ":delay 200ms  ",
            ":beep length=200ms frequency=3500  ",
            ":delay 200ms  ",
            ":beep length=200ms frequency=3000  ",
            ":delay 200ms  ",
            "}  ",
        });
    };
    EXPECT_BYTES(BuildHealthAlarmScript({"50", "23.2"}), expected("50", "23.2"));
    EXPECT_BYTES(BuildHealthAlarmScript({"  60 ", G("　24.5　")}), expected("60", "24.5"));
}

}  // namespace
}  // namespace trelvix
