#include "generators/Sections.h"
#include "generators/system/SystemGenerators.h"

#include <functional>
#include <string>

namespace trelvix {
namespace {

struct ScheduleControls {
    const char* name;
    const char* startDate;
    const char* startTime;
    const char* interval;
    const char* comment;
};

constexpr ScheduleControls kShutdownControls = {
    "编辑框_02sdname", "编辑框_02sd开始", "编辑框_02sd运行", "编辑框_02sd间隔", "编辑框_02sd备注"};
constexpr ScheduleControls kRebootControls = {
    "编辑框_02rename", "编辑框_02re开始", "编辑框_02re运行", "编辑框_02re间隔", "编辑框_02re备注"};

AdminUserFields ReadAdminUser(const ui::Window& w) {
    return {w.text("编辑框_01用户名"), w.text("编辑框_01密码"), w.text("组合框_01权限"),
            w.text("编辑框_01IP地址"), w.text("编辑框_01IP掩码"), w.text("编辑框_01备注")};
}

ScheduleFields ReadSchedule(const ui::Window& w, const ScheduleControls& c) {
    return {w.text(c.name), w.text(c.startDate), w.text(c.startTime), w.text(c.interval),
            w.text(c.comment)};
}

BackupFields ReadBackup(const ui::Window& w) {
    return {w.text("编辑框_03备份"), w.checked("选择框_03"), w.checked("选择框_03加密")};
}

void OnClick(PageContext& page, const std::string& button, std::function<Gbk()> build) {
    page.window.on(button, ui::Event::Click,
                   [&page, build = std::move(build)](const ui::EventArgs&) { page.showScript(build()); });
}

}  // namespace

void BindSystemSection(PageContext& page) {
    ui::Window& w = page.window;

    w.on("按钮_01生成", ui::Event::Click, [&page, &w](const ui::EventArgs&) {
        Deliver(page, BuildAdminUserScript(ReadAdminUser(w)));
    });
    OnClick(page, "按钮_02关机生成", [&w] { return BuildShutdownSchedule(ReadSchedule(w, kShutdownControls)); });
    OnClick(page, "按钮_02重启生成", [&w] { return BuildRebootSchedule(ReadSchedule(w, kRebootControls)); });

    for (const FixedCommand& c : FixedCommands()) BindFixedScript(page, c.button, c.command);
    BindFixedScript(page, "按钮_03关闭ssh", BuildDisableSsh());
    BindFixedScript(page, "按钮_03关闭ftp", BuildDisableFtp());
    BindFixedScript(page, "按钮_03关闭telnet", BuildDisableTelnet());

    // One reading of the clock per click, so a backup made just before
    // midnight removes and saves the same file.
    OnClick(page, "按钮_03备份日期5x", [&page, &w] {
        return BuildDatedBackup5x(ReadBackup(w), BackupDateName(page.clock));
    });
    OnClick(page, "按钮_03备份名称5x", [&w] { return BuildNamedBackup5x(ReadBackup(w)); });
    OnClick(page, "按钮_03备份日期6x", [&page, &w] {
        return BuildDatedBackup(ReadBackup(w), BackupDateName(page.clock));
    });
    OnClick(page, "按钮_03备份名称6x", [&w] { return BuildNamedBackup(ReadBackup(w)); });
    OnClick(page, "按钮_03还原日期", [&page] { return BuildRestoreByDate(BackupDateName(page.clock)); });
    OnClick(page, "按钮_03还原名称", [&w] { return BuildRestoreByName(w.text("编辑框_03还原")); });

    OnClick(page, "按钮_03删除连接", [&w] {
        return BuildDelClosedConnSchedule(w.text("编辑框_03删除连接间隔时间"));
    });
    BindFixedScript(page, "按钮_03定时清理DDNS", BuildDnsCacheFlushSchedule());
    OnClick(page, "按钮_03生成", [&w] { return BuildIdentityScript(w.text("编辑框_03计算机名")); });
    BindFixedScript(page, "按钮_03时间同步", BuildNtpScript());
}

}  // namespace trelvix
