// The System section as a user meets it: the main window, headless, every
// generate button clicked with the page's defaults.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/PageContext.h"
#include "generators/Sections.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;
using test::Visible;

OleDate At(int year, int month, int day, int hour, int minute, int second) {
    return CivilToOleDate({year, month, day, hour, minute, second}).value();
}

// Moves one second forward on every reading: a handler that reads it twice
// around midnight sees two different days.
class TickingClock final : public Clock {
public:
    explicit TickingClock(OleDate start) : next_(start) {}
    OleDate Now() const override {
        const OleDate now = next_;
        next_ += 1.0 / 86400.0;
        return now;
    }

private:
    mutable OleDate next_;
};

// The main window from its real layout with only this section bound, so the
// page is tested the same whatever state the other sections are in.
class SystemPage : public testing::Test {
protected:
    explicit SystemPage(const Clock& clock = fixedClock_)
        : w_(static_cast<ui::HeadlessWindow&>(
              ui_.createWindow(ui::BuiltInLayout("main.json"), nullptr, [this, &clock](ui::Window& w) {
                  page_.emplace(PageContext{ui_,
                                            w,
                                            clock,
                                            random_,
                                            secureRandom_,
                                            [&w](const Gbk& script) { w.setText(G("编辑框_代码"), script); },
                                            {}});
                  BindSystemSection(*page_);
              }))) {}

    Gbk Script() const { return w_.text(G("编辑框_代码")); }
    void Click(const char* button) { w_.click(G(button)); }
    void Type(const char* box, const char* text) { w_.type(G(box), G(text)); }

    static inline FixedClock fixedClock_{At(2017, 3, 8, 23, 59, 59)};
    test::TempHome home_;
    ui::HeadlessUi ui_;
    FixedRandom random_{{}};
    FixedRandom secureRandom_{{}};
    std::optional<PageContext> page_;
    ui::HeadlessWindow& w_;
};

struct ButtonCase {
    const char* button;
    const char* caption;
    const char* script;  // UTF-8; CR LF written out
};

const ButtonCase kButtons[] = {
    {"按钮_01生成", "5.X/6.X系列脚本生成",
     R"(/user add name="VEMTU" password="147258" group="full" address="0.0.0.0/0" comment="ADMIN-VEMTU")"},
    {"按钮_02关机生成", "5.X/6.X系列脚本生成",
     R"(/system scheduler add name="Timing\20Shutdown" on-event="/system shutdown" start-date="Jan/01/2015" start-time="05:30:00" interval="1d 00:00:00" comment="\B6\A8\CA\B1\B9\D8\BB\FA" disabled=no)"},
    {"按钮_02重启生成", "5.X/6.X系列脚本生成",
     R"(/system scheduler add name="Timing\20Reboot" on-event="/system reboot" start-date="Jan/01/2015" start-time="05:30:00" interval="1d 00:00:00" comment="\B6\A8\CA\B1\D6\D8\C6\F4" disabled=no)"},
    {"按钮_03监控CPU", "监控CPU及内存使用情况", "/system resource monitor"},
    {"按钮_03所有连接", "查看当前所有网络连接", "/ip firewall connection print"},
    {"按钮_03路由重启", "路由器重启脚本", "/system reboot"},
    {"按钮_03路由关机", "路由器关机脚本", "/system shutdown"},
    {"按钮_03恢复初始化", "ROS恢复安装默认(初始化脚本)", "/system reset"},
    {"按钮_03系统时间", "查看系统时间", "/system clock print"},
    {"按钮_03系统信息", "查看系统常规信息", "/system resource print"},
    {"按钮_03系统PCI", "查看系统PCI信息", "/system resource pci print"},
    {"按钮_03ROS版本", "查看ROS版本等级许可", "/system license print"},
    {"按钮_03组件情况", "查看系统组件包安装情况", "/system package print"},
    {"按钮_03系统管理员", "查看系统管理员列表", "/user print"},
    {"按钮_03系统日志", "查看系统日志", "/log print"},
    {"按钮_03IP配置", "查看IP配置情况", "/ip address print"},
    {"按钮_03网卡", "查看网卡情况", "/interface print"},
    {"按钮_03网关", "查看网关配置情况", "/ip route print"},
    {"按钮_03防火墙", "查看防火墙配置情况", "/ip firewall filter print"},
    {"按钮_03关闭ssh", "关闭ssh通道", R"(/ip service set [find name="ssh"] disabled=yes)"},
    {"按钮_03关闭ftp", "关闭ftp通道", R"(/ip service set [find name="ftp"] disabled=yes)"},
    {"按钮_03关闭telnet", "关闭telnet通道", R"(/ip service set [find name="telnet"] disabled=yes)"},
    {"按钮_03备份日期5x", "5.X/备份文件名:当前日期", R"(/system backup save name="20170308")"},
    {"按钮_03备份名称5x", "5.X/备份文件名:备份名称", R"(/system backup save name="VemtuBak")"},
    {"按钮_03备份日期6x", "6.X/备份文件名:当前日期", R"(/system backup save dont-encrypt=yes name="20170308")"},
    {"按钮_03备份名称6x", "6.X/备份文件名:备份名称", R"(/system backup save dont-encrypt=yes name="VemtuBak")"},
    {"按钮_03还原日期", "还原文件名:当前日期", R"(/system backup load name="20170308.backup")"},
    {"按钮_03还原名称", "还原文件名:备份名称", R"(/system backup load name="VemtuBak.backup")"},
    {"按钮_03删除连接", "5.X/6.X系列脚本生成",
     R"(/system scheduler add name="del_close" on-event="/ip firewall connection remove [/ip firewall connection find tcp-state=close]" start-date="Jan/01/1990" start-time="00:00:00" interval="00:01:00" disabled=no)"},
    {"按钮_03定时清理DDNS", "每24小时清理DNS缓存",
     R"(/system scheduler add comment="\B6\A8\C6\DA\C7\E5\C0\EDDNS\BB\BA\B4\E6" disabled=no interval="1d" name="Del-DNS-Cache" on-event="/ip dns cache flush" policy="ftp,reboot,read,write,policy,test,winbox,password,sniff,sensitive,api" start-date="jan/01/1990" start-time="05:00:00")"},
    {"按钮_03生成", "5.X/6.X系列脚本生成", R"(/system identity set name="Office-Router")"},
    {"按钮_03时间同步", "NTP时间同步脚本生成",
     "###只支持ROS版本＜6.37的系统,6.37不支持,或自行手动修改\r\n"
     "/system ntp client set mode=unicast primary-ntp=\"216.239.35.0\" secondary-ntp=\"216.239.35.4\" enabled=yes\r\n"
     "/system clock set time-zone-name=\"Asia/Shanghai\"\r\n"
     "/system clock manual set dst-delta=\"+08:00\" dst-end=\"Sep/10/2011 00:00:00\" "
     "dst-start=\"Sep/10/2011 00:00:00\" time-zone=\"+08:00\""},
};

TEST_F(SystemPage, EveryButtonShowsItsScriptWithTheDefaults) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.button);
        EXPECT_EQ(w_.text(G(c.button)), G(c.caption));
        w_.setText(G("编辑框_代码"), G(""));
        Click(c.button);
        EXPECT_EQ(Visible(Script()), Visible(G(c.script)));
    }
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(SystemPage, AdministratorChecksLeaveTheFocusAndTheScriptBox) {
    struct Case {
        const char* name;
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"", "", "请输入要添加的管理员名称!"},
        {"", "1", "请输入要添加的管理员名称!"},
        {"VEMTU", "", "请输入管理员的密码!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ui_.messages.clear();
        w_.setText(G("编辑框_代码"), G("kept"));
        Type("编辑框_01用户名", c.name);
        Type("编辑框_01密码", c.password);
        w_.setFocus(G("编辑框_01备注"));
        Click("按钮_01生成");
        ASSERT_EQ(ui_.messages.size(), 1u);
        EXPECT_EQ(ui_.messages[0].text, G(c.message));
        EXPECT_EQ(ui_.messages[0].flags, 64);
        EXPECT_EQ(ui_.messages[0].title, G("信息："));
        EXPECT_EQ(ui_.messages[0].focusAtShow, G("编辑框_01备注"));
        EXPECT_EQ(w_.focus(), G("编辑框_01备注"));
        EXPECT_EQ(Script(), "kept");
    }
}

TEST_F(SystemPage, FieldsTypedOnThePagesReachTheScripts) {
    Type("编辑框_01用户名", "ad min");
    Type("编辑框_01密码", "pa$$");
    w_.choose(G("组合框_01权限"), 2);
    Type("编辑框_01IP地址", "192.168.1.0");
    Type("编辑框_01IP掩码", "24");
    Type("编辑框_01备注", "");
    Click("按钮_01生成");
    EXPECT_EQ(Visible(Script()),
              Visible(R"(/user add name="ad min" password="pa\$\$" group="write" address="192.168.1.0/24")"));

    Type("编辑框_02re开始", "2015/0/5");
    Type("编辑框_02re备注", "");
    Click("按钮_02重启生成");
    EXPECT_EQ(
        Visible(Script()),
        Visible(
            R"(/system scheduler add name="Timing\20Reboot" on-event="/system reboot" start-date="Jan/1/1970" start-time="05:30:00" interval="1d 00:00:00" disabled=no)"));

    Type("编辑框_03备份", "备份");
    w_.click(G("选择框_03"));
    w_.click(G("选择框_03加密"));
    Click("按钮_03备份名称6x");
    EXPECT_EQ(
        Visible(Script()),
        Visible(
            "/file remove \"\\B1\\B8\\B7\\DD.backup\"\r\n/system backup save dont-encrypt=no name=\"\\B1\\B8\\B7\\DD\""));
    Click("按钮_03备份名称5x");
    EXPECT_EQ(Visible(Script()),
              Visible("/file remove \"\\B1\\B8\\B7\\DD.backup\"\r\n/system backup save name=\"\\B1\\B8\\B7\\DD\""));

    Type("编辑框_03还原", "备份");
    Click("按钮_03还原名称");
    EXPECT_EQ(Visible(Script()), Visible(R"(/system backup load name="\B1\B8\B7\DD.backup")"));

    Type("编辑框_03删除连接间隔时间", "00:05:00");
    Click("按钮_03删除连接");
    EXPECT_NE(Script().find(R"( interval="00:05:00" disabled=no)"), std::string::npos) << Visible(Script());

    Type("编辑框_03计算机名", "路由");
    Click("按钮_03生成");
    EXPECT_EQ(Visible(Script()), Visible(R"(/system identity set name="\C2\B7\D3\C9")"));
}

TEST(SystemPageLayout, ControlsSitInTheGroupsWithTheirDefaults) {
    ui::HeadlessUi ui;
    ui::Window& w = ui.createWindow(ui::BuiltInLayout("main.json"), nullptr, {});
    EXPECT_EQ(w.items(G("组合框_01权限")), (std::vector<ui::GbkText>{G("full"), G("read"), G("write")}));
    EXPECT_EQ(w.text(G("组合框_01权限")), G("full"));
    EXPECT_FALSE(w.checked(G("选择框_03")));
    EXPECT_FALSE(w.checked(G("选择框_03加密")));
    EXPECT_TRUE(w.readOnly(G("编辑框_ros介绍")));
    EXPECT_NE(w.text(G("编辑框_ros介绍")).bytes().find("/import file-name="), std::string::npos);
    EXPECT_EQ(w.text(G("选择框_03")), G("备份时删除与此次备份名称重复的备份文件"));
    EXPECT_EQ(w.text(G("选择框_03加密")), G("加密备份文件"));
    const Gbk password = w.text(G("编辑框_01密码"));
    EXPECT_EQ(password.size(), 6u);
    EXPECT_EQ(password.find_first_not_of("0123456789"), std::string::npos);

    const std::pair<const char*, const char*> placement[] = {
        {"编辑框_01用户名", "添加ROS管理员账户"},
        {"编辑框_01IP掩码", "添加ROS管理员账户"},
        {"编辑框_02sd间隔", "定时关机脚本"},
        {"编辑框_02re间隔", "定时重启脚本"},
        {"按钮_03监控CPU", "其他5.X/6.X通用脚本生成"},
        {"按钮_03防火墙", "其他5.X/6.X通用脚本生成"},
        {"选择框_03加密", "备份系统设置-脚本生成(5.X/6.X 系列通用脚本)"},
        {"按钮_03备份名称6x", "备份系统设置-脚本生成(5.X/6.X 系列通用脚本)"},
        {"编辑框_03还原", "还原系统设置-脚本生成(5.X/6.X 系列通用脚本)"},
        {"编辑框_03删除连接间隔时间", "自动删除-Connections-连接提升系统资源"},
        {"按钮_03定时清理DDNS", "定时清理DNS缓存"},
        {"编辑框_03计算机名", "修改ROS计算机名"},
        {"按钮_03时间同步", "设置时间与时间同步"},
    };
    for (auto [control, group] : placement) {
        const ui::ControlSpec* parent = nullptr;
        ui::ForEachControl(ui::BuiltInLayout("main.json").controls,
                           [&](const ui::ControlSpec& c, const ui::ControlSpec* p) {
                               if (c.name == G(control)) parent = p;
                           });
        ASSERT_NE(parent, nullptr) << control;
        EXPECT_EQ(parent->kind, ui::Kind::GroupBox) << control;
        EXPECT_EQ(parent->text, G(group)) << control;
    }
}

// A dated backup made at the last second of a day names one file in both of
// its lines, and the restore made by date on that day loads the same file.
class SystemPageAtMidnight : public SystemPage {
protected:
    SystemPageAtMidnight() : SystemPage(tickingClock_) {}
    static inline TickingClock tickingClock_{At(2017, 3, 8, 23, 59, 59)};
};

TEST_F(SystemPageAtMidnight, DatedBackupReadsTheClockOnce) {
    w_.click(G("选择框_03"));
    Click("按钮_03备份日期6x");
    EXPECT_EQ(Visible(Script()),
              Visible("/file remove \"20170308.backup\"\r\n/system backup save dont-encrypt=yes name=\"20170308\""));
    Click("按钮_03备份日期5x");
    EXPECT_EQ(Visible(Script()), Visible("/file remove \"20170309.backup\"\r\n/system backup save name=\"20170309\""));
}

}  // namespace
}  // namespace trelvix
