#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/text/DateTime.h"
#include "generators/system/SystemGenerators.h"

namespace trelvix {
namespace {

using test::G;
using test::Visible;

AdminUserFields DefaultAdmin() { return {"VEMTU", "147258", "full", "0.0.0.0", "0", "ADMIN-VEMTU"}; }

TEST(AdminUser, WritesTheAccountLine) {
    struct Case {
        const char* what;
        void (*change)(AdminUserFields&);
        const char* expected;
    };
    const Case cases[] = {
        {"defaults", [](AdminUserFields&) {},
         R"(/user add name="VEMTU" password="147258" group="full" address="0.0.0.0/0" comment="ADMIN-VEMTU")"},
        {"name with blanks and Chinese stays unescaped", [](AdminUserFields& f) { f.name = G("网管 小王"); },
         R"(/user add name="网管 小王" password="147258" group="full" address="0.0.0.0/0" comment="ADMIN-VEMTU")"},
        {"address and prefix",
         [](AdminUserFields& f) {
             f.address = "192.168.1.0";
             f.prefix = "24";
             f.group = "read";
         },
         R"(/user add name="VEMTU" password="147258" group="read" address="192.168.1.0/24" comment="ADMIN-VEMTU")"},
        {"empty comment leaves the clause out", [](AdminUserFields& f) { f.comment.clear(); },
         R"(/user add name="VEMTU" password="147258" group="full" address="0.0.0.0/0")"},
        {"Chinese comment is escaped", [](AdminUserFields& f) { f.comment = G("管理员 1"); },
         R"(/user add name="VEMTU" password="147258" group="full" address="0.0.0.0/0" comment="\B9\DC\C0\ED\D4\B1\201")"},
        {"quote, dollar and backslash reach the router as typed",
         [](AdminUserFields& f) {
             f.name = "ad$min";
             f.password = R"(p"a$s\w)";
             f.address = "$a";
         },
         R"(/user add name="ad\$min" password="p\"a\$s\\w" group="full" address="\$a/0" comment="ADMIN-VEMTU")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AdminUserFields f = DefaultAdmin();
        c.change(f);
        const Outcome out = BuildAdminUserScript(f);
        ASSERT_TRUE(out.script);
        EXPECT_FALSE(out.error);
        EXPECT_BYTES(*out.script, G(c.expected));
    }
}

TEST(AdminUser, RefusesAnEmptyNameBeforeAnEmptyPassword) {
    struct Case {
        const char* name;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "请输入要添加的管理员名称!"},
        {"", "147258", "请输入要添加的管理员名称!"},
        {"VEMTU", "", "请输入管理员的密码!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        AdminUserFields f = DefaultAdmin();
        f.name = c.name;
        f.password = c.password;
        const Outcome out = BuildAdminUserScript(f);
        EXPECT_FALSE(out.script);
        ASSERT_TRUE(out.error);
        EXPECT_EQ(out.error->message, G(c.message));
        EXPECT_EQ(out.error->flags, 64);
        EXPECT_FALSE(out.error->title);  // the default "信息："
        EXPECT_FALSE(out.error->focus);
        EXPECT_EQ(out.error->when, FocusMove::None);
    }
}

TEST(ToRouterOsDate, TurnsYearMonthDayIntoTheSchedulersForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"2015/01/01", "Jan/01/2015"},
        {"2016/3/7", "Mar/7/2016"},
        {"2015/12/31", "Dec/31/2015"},
        {"2015/02/31", "Feb/31/2015"},  // only the bounds are checked, not the calendar
        {"1970/1/1", "Jan/1/1970"},
        {"2020/4/1", "Apr/1/2020"},
        {"2020/5/1", "May/1/2020"},
        {"2020/6/1", "Jun/1/2020"},
        {"2020/7/1", "Jul/1/2020"},
        {"2020/8/1", "Aug/1/2020"},
        {"2020/9/1", "Sep/1/2020"},
        {"2020/10/1", "Oct/1/2020"},
        {"2020/11/1", "Nov/1/2020"},
        // Day and year keep their typed form; the numbers are only read for the checks.
        {" 2020/ 6/07x", "Jun/07x/ 2020"},
        {"2020/+2/1", "Feb/1/2020"},
        // Out of range: one fixed date.
        {"2015/013/2", "Jan/1/1970"},
        {"1969/01/01", "Jan/1/1970"},
        {"2015/02/32", "Jan/1/1970"},
        {"2015/0/5", "Jan/1/1970"},
        {"2015/5/0", "Jan/1/1970"},
        {"2015/-1/5", "Jan/1/1970"},
        {"2015//01", "Jan/1/1970"},
        {"year/1/1", "Jan/1/1970"},
        // Not three parts: another fixed date.
        {"2015-01-01", "Jan/1/2015"},
        {"2015/1", "Jan/1/2015"},
        {"", "Jan/1/2015"},
        {"2015/01/", "Jan/1/2015"},
        {"2015/1/2/3", "Jan/1/2015"},
    };
    for (auto [typed, expected] : cases) EXPECT_EQ(ToRouterOsDate(typed), expected) << typed;
}

ScheduleFields ShutdownDefaults() {
    return {"Timing Shutdown", "2015/01/01", "05:30:00", "1d 00:00:00", G("定时关机")};
}

TEST(Schedules, ShutdownAndRebootLines) {
    ScheduleFields reboot{"Timing Reboot", "2015/01/01", "05:30:00", "1d 00:00:00", G("定时重启")};
    ScheduleFields bare{"", "", "", "", ""};
    ScheduleFields typed{G("关机 A"), "2016/3/7", "$t", R"(1d"x\)", ""};
    const std::pair<Gbk, const char*> cases[] = {
        {BuildShutdownSchedule(ShutdownDefaults()),
         R"(/system scheduler add name="Timing\20Shutdown" on-event="/system shutdown" start-date="Jan/01/2015" start-time="05:30:00" interval="1d 00:00:00" comment="\B6\A8\CA\B1\B9\D8\BB\FA" disabled=no)"},
        {BuildRebootSchedule(reboot),
         R"(/system scheduler add name="Timing\20Reboot" on-event="/system reboot" start-date="Jan/01/2015" start-time="05:30:00" interval="1d 00:00:00" comment="\B6\A8\CA\B1\D6\D8\C6\F4" disabled=no)"},
        {BuildShutdownSchedule(bare),
         R"(/system scheduler add name="" on-event="/system shutdown" start-date="Jan/1/2015" start-time="" interval="" disabled=no)"},
        {BuildRebootSchedule(typed),
         R"(/system scheduler add name="\B9\D8\BB\FA\20A" on-event="/system reboot" start-date="Mar/7/2016" start-time="\$t" interval="1d\"x\\" disabled=no)"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_BYTES(actual, G(expected));
}

TEST(FixedTexts, ServicesDnsFlushAndTime) {
    const std::pair<Gbk, std::string> cases[] = {
        {BuildDisableSsh(), R"(/ip service set [find name="ssh"] disabled=yes)"},
        {BuildDisableFtp(), R"(/ip service set [find name="ftp"] disabled=yes)"},
        {BuildDisableTelnet(), R"(/ip service set [find name="telnet"] disabled=yes)"},
        {BuildDnsCacheFlushSchedule(),
         R"(/system scheduler add comment="\B6\A8\C6\DA\C7\E5\C0\EDDNS\BB\BA\B4\E6" disabled=no interval="1d" name="Del-DNS-Cache" on-event="/ip dns cache flush" policy="ftp,reboot,read,write,policy,test,winbox,password,sniff,sensitive,api" start-date="jan/01/1990" start-time="05:00:00")"},
        {BuildNtpScript(),
         G("###只支持ROS版本＜6.37的系统,6.37不支持,或自行手动修改\r\n"
           "/system ntp client set mode=unicast primary-ntp=\"216.239.35.0\" secondary-ntp=\"216.239.35.4\" enabled=yes\r\n"
           "/system clock set time-zone-name=\"Asia/Shanghai\"\r\n"
           "/system clock manual set dst-delta=\"+08:00\" dst-end=\"Sep/10/2011 00:00:00\" "
           "dst-start=\"Sep/10/2011 00:00:00\" time-zone=\"+08:00\"")},
    };
    for (const auto& [actual, expected] : cases) EXPECT_BYTES(actual, expected);
}

OleDate At(int year, int month, int day, int hour, int minute, int second) {
    return CivilToOleDate({year, month, day, hour, minute, second}).value();
}

TEST(Backups, VersionNameRemoveAndEncrypt) {
    const FixedClock clock(At(2017, 3, 8, 23, 59, 59));
    const Gbk today = BackupDateName(clock);
    EXPECT_EQ(today, "20170308");

    enum Kind { Dated5, Named5, Dated6, Named6 };
    struct Case {
        Kind kind;
        bool remove, encrypt;
        const char* expected;
    };
    const Case cases[] = {
        {Dated5, false, false, R"(/system backup save name="20170308")"},
        {Dated5, false, true, R"(/system backup save name="20170308")"},
        {Dated5, true, false, "/file remove \"20170308.backup\"\r\n/system backup save name=\"20170308\""},
        {Dated5, true, true, "/file remove \"20170308.backup\"\r\n/system backup save name=\"20170308\""},
        {Named5, false, false, R"(/system backup save name="VemtuBak")"},
        {Named5, false, true, R"(/system backup save name="VemtuBak")"},
        {Named5, true, false, "/file remove \"VemtuBak.backup\"\r\n/system backup save name=\"VemtuBak\""},
        {Named5, true, true, "/file remove \"VemtuBak.backup\"\r\n/system backup save name=\"VemtuBak\""},
        {Dated6, false, false, R"(/system backup save dont-encrypt=yes name="20170308")"},
        {Dated6, false, true, R"(/system backup save dont-encrypt=no name="20170308")"},
        {Dated6, true, false,
         "/file remove \"20170308.backup\"\r\n/system backup save dont-encrypt=yes name=\"20170308\""},
        {Dated6, true, true,
         "/file remove \"20170308.backup\"\r\n/system backup save dont-encrypt=no name=\"20170308\""},
        {Named6, false, false, R"(/system backup save dont-encrypt=yes name="VemtuBak")"},
        {Named6, false, true, R"(/system backup save dont-encrypt=no name="VemtuBak")"},
        {Named6, true, false,
         "/file remove \"VemtuBak.backup\"\r\n/system backup save dont-encrypt=yes name=\"VemtuBak\""},
        {Named6, true, true,
         "/file remove \"VemtuBak.backup\"\r\n/system backup save dont-encrypt=no name=\"VemtuBak\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " remove " << c.remove << " encrypt " << c.encrypt);
        const BackupFields f{"VemtuBak", c.remove, c.encrypt};
        Gbk actual;
        switch (c.kind) {
            case Dated5: actual = BuildDatedBackup5x(f, today); break;
            case Named5: actual = BuildNamedBackup5x(f); break;
            case Dated6: actual = BuildDatedBackup(f, today); break;
            case Named6: actual = BuildNamedBackup(f); break;
        }
        EXPECT_BYTES(actual, c.expected);
    }
}

TEST(Backups, TypedNamesAreEscapedAndEmptyNamesStayQuoted) {
    const std::pair<Gbk, const char*> cases[] = {
        {BuildNamedBackup({G("备份 1"), true, true}),
         "/file remove \"\\B1\\B8\\B7\\DD\\201.backup\"\r\n/system backup save dont-encrypt=no name=\"\\B1\\B8\\B7\\DD\\201\""},
        {BuildNamedBackup5x({"", false, false}), R"(/system backup save name="")"},
        {BuildRestoreByDate("20170308"), R"(/system backup load name="20170308.backup")"},
        {BuildRestoreByName("VemtuBak"), R"(/system backup load name="VemtuBak.backup")"},
        {BuildRestoreByName(G("备份 1")), R"(/system backup load name="\B1\B8\B7\DD\201.backup")"},
        {BuildRestoreByName(""), R"(/system backup load name=".backup")"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_BYTES(actual, expected);
}

TEST(OtherSchedulersAndIdentity, WriteTheirLines) {
    const std::pair<Gbk, const char*> cases[] = {
        {BuildDelClosedConnSchedule("00:01:00"),
         R"(/system scheduler add name="del_close" on-event="/ip firewall connection remove [/ip firewall connection find tcp-state=close]" start-date="Jan/01/1990" start-time="00:00:00" interval="00:01:00" disabled=no)"},
        {BuildDelClosedConnSchedule(""),
         R"(/system scheduler add name="del_close" on-event="/ip firewall connection remove [/ip firewall connection find tcp-state=close]" start-date="Jan/01/1990" start-time="00:00:00" interval="" disabled=no)"},
        {BuildDelClosedConnSchedule("$i"),
         R"(/system scheduler add name="del_close" on-event="/ip firewall connection remove [/ip firewall connection find tcp-state=close]" start-date="Jan/01/1990" start-time="00:00:00" interval="\$i" disabled=no)"},
        {BuildIdentityScript("Office-Router"), R"(/system identity set name="Office-Router")"},
        {BuildIdentityScript(G("办公室 路由")), R"(/system identity set name="\B0\EC\B9\AB\CA\D2\20\C2\B7\D3\C9")"},
        {BuildIdentityScript(""), R"(/system identity set name="")"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_BYTES(actual, expected);
}

}  // namespace
}  // namespace trelvix
