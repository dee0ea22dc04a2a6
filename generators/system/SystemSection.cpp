// The System section's pages: each handler reads its page through the page's
// field table, calls the page's generator and hands the result to the script box.
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/system/SystemGenerators.h"
#include "names/main/system.h"

namespace trelvix {
using namespace names::main::system;

namespace {

const PageFields<AdminUserFields> kAdminUserPage = {
    Field(编辑框_01用户名, &AdminUserFields::name),   Field(编辑框_01密码, &AdminUserFields::password),
    Field(组合框_01权限, &AdminUserFields::group),    Field(编辑框_01IP地址, &AdminUserFields::address),
    Field(编辑框_01IP掩码, &AdminUserFields::prefix), Field(编辑框_01备注, &AdminUserFields::comment),
};

const PageFields<ScheduleFields> kShutdownGroup = {
    Field(编辑框_02sdname, &ScheduleFields::name),      Field(编辑框_02sd开始, &ScheduleFields::startDate),
    Field(编辑框_02sd运行, &ScheduleFields::startTime), Field(编辑框_02sd间隔, &ScheduleFields::interval),
    Field(编辑框_02sd备注, &ScheduleFields::comment),
};

const PageFields<ScheduleFields> kRebootGroup = {
    Field(编辑框_02rename, &ScheduleFields::name),      Field(编辑框_02re开始, &ScheduleFields::startDate),
    Field(编辑框_02re运行, &ScheduleFields::startTime), Field(编辑框_02re间隔, &ScheduleFields::interval),
    Field(编辑框_02re备注, &ScheduleFields::comment),
};

const PageFields<BackupFields> kBackupGroup = {
    Field(编辑框_03备份, &BackupFields::name),
    Field(选择框_03, &BackupFields::removeSame),
    Field(选择框_03加密, &BackupFields::encrypt),
};

// The query and command buttons that each show one fixed command.
struct FixedCommand {
    const char* button;
    const char* command;
};

constexpr FixedCommand kFixedCommands[] = {
    {按钮_03监控CPU, "/system resource monitor"},
    {按钮_03所有连接, "/ip firewall connection print"},
    {按钮_03路由重启, "/system reboot"},
    {按钮_03路由关机, "/system shutdown"},
    {按钮_03恢复初始化, "/system reset"},
    {按钮_03系统时间, "/system clock print"},
    {按钮_03系统信息, "/system resource print"},
    {按钮_03系统PCI, "/system resource pci print"},
    {按钮_03ROS版本, "/system license print"},
    {按钮_03组件情况, "/system package print"},
    {按钮_03系统管理员, "/user print"},
    {按钮_03系统日志, "/log print"},
    {按钮_03IP配置, "/ip address print"},
    {按钮_03网卡, "/interface print"},
    {按钮_03网关, "/ip route print"},
    {按钮_03防火墙, "/ip firewall filter print"},
};

// A button whose script comes from one box of the page.
void OnTextClick(PageContext& page, const char* button, const char* box, Gbk (*build)(std::string_view)) {
    OnClick(page, button, [&page, box = std::string(box), build] { page.showScript(build(page.window.text(box))); });
}

}  // namespace

void BindSystemSection(PageContext& page) {
    OnGenerate(page, 按钮_01生成, kAdminUserPage, BuildAdminUserScript);
    OnGenerate(page, 按钮_02关机生成, kShutdownGroup, BuildShutdownSchedule);
    OnGenerate(page, 按钮_02重启生成, kRebootGroup, BuildRebootSchedule);

    for (const FixedCommand& c : kFixedCommands) BindFixedScript(page, c.button, c.command);
    BindFixedScript(page, 按钮_03关闭ssh, BuildDisableSsh());
    BindFixedScript(page, 按钮_03关闭ftp, BuildDisableFtp());
    BindFixedScript(page, 按钮_03关闭telnet, BuildDisableTelnet());

    // One reading of the clock per click, so a backup made just before
    // midnight removes and saves the same file.
    OnGenerate(page, 按钮_03备份日期5x, kBackupGroup,
               [&page](const BackupFields& f) { return BuildDatedBackup5x(f, BackupDateName(page.clock)); });
    OnGenerate(page, 按钮_03备份名称5x, kBackupGroup, BuildNamedBackup5x);
    OnGenerate(page, 按钮_03备份日期6x, kBackupGroup,
               [&page](const BackupFields& f) { return BuildDatedBackup(f, BackupDateName(page.clock)); });
    OnGenerate(page, 按钮_03备份名称6x, kBackupGroup, BuildNamedBackup);
    OnClick(page, 按钮_03还原日期, [&page] { page.showScript(BuildRestoreByDate(BackupDateName(page.clock))); });
    OnTextClick(page, 按钮_03还原名称, 编辑框_03还原, BuildRestoreByName);

    OnTextClick(page, 按钮_03删除连接, 编辑框_03删除连接间隔时间, BuildDelClosedConnSchedule);
    BindFixedScript(page, 按钮_03定时清理DDNS, BuildDnsCacheFlushSchedule());
    OnTextClick(page, 按钮_03生成, 编辑框_03计算机名, BuildIdentityScript);
    BindFixedScript(page, 按钮_03时间同步, BuildNtpScript());
}

}  // namespace trelvix
