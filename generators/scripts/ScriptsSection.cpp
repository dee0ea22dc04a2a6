// The Scripts section's pages: each handler reads its page through the page's
// field table, calls the page's generator and hands the result to the script box.
#include "common/EmbeddedData.h"
#include "common/ServiceAddresses.h"
#include "common/text/Gbk.h"
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/scripts/ScriptGenerators.h"
#include "names/main/scripts.h"

namespace trelvix {
using namespace names::main::scripts;

namespace {

const PageFields<OnlineCounterFields> kOnlineCounterGroup = {
    Field(编辑框_71内网网段1, &OnlineCounterFields::lanNet),
    Field(编辑框_71执行周期, &OnlineCounterFields::interval),
};

const PageFields<StatusLogFields> kStatusLogGroup = {
    Field(选择框_71_星期, &StatusLogFields::week),
    Field(选择框_71_北京时间, &StatusLogFields::clock),
    Field(选择框_71_系统版本, &StatusLogFields::version),
    Field(选择框_71_CPU使用率, &StatusLogFields::cpuLoad),
    Field(选择框_71_可用内存, &StatusLogFields::freeMemory),
    Field(选择框_71_ppp拨号用户数, &StatusLogFields::pppSecrets),
    Field(选择框_71_pppoe用户, &StatusLogFields::pppoeUsers),
    Field(选择框_71_pptp用户, &StatusLogFields::pptpUsers),
    Field(选择框_71_l2tp用户, &StatusLogFields::l2tpUsers),
    Field(选择框_71_在线用户, &StatusLogFields::onlineUsers),
    Field(选择框_71_到期用户, &StatusLogFields::expiredUsers),
    Field(选择框_71_上行速度, &StatusLogFields::upSpeed),
    Field(选择框_71_下行速度, &StatusLogFields::downSpeed),
    Field(选择框_71_tcp连接数, &StatusLogFields::tcpConnections),
    Field(选择框_71_udp连接数, &StatusLogFields::udpConnections),
    Field(编辑框_71外网网卡, &StatusLogFields::wanInterface),
};

const PageFields<ScheduledBackupFields> kScheduledBackupGroup = {
    Field(编辑框_72文件名, &ScheduledBackupFields::name),
    Field(编辑框_72执行周期, &ScheduledBackupFields::interval),
    Field(编辑框_72执行时间, &ScheduledBackupFields::startTime),
    Field(选择框_72加密, &ScheduledBackupFields::encrypt),
};

const PageFields<MailBackupFields> kMailBackupGroup = {
    Field(编辑框_73寄件邮箱前缀, &MailBackupFields::senderPrefix),
    Field(组合框_73寄件邮箱后缀, &MailBackupFields::senderDomain),
    Field(编辑框_73邮箱密码, &MailBackupFields::password),
    Field(编辑框_73收件邮箱前缀, &MailBackupFields::recipientPrefix),
    Field(组合框_73收件邮箱后缀, &MailBackupFields::recipientDomain),
    Field(编辑框_73ip接口, &MailBackupFields::wanInterface),
    Field(选择框_73加密, &MailBackupFields::encrypt),
    Field(选择框_73备份hotspot, &MailBackupFields::withHotspot),
};

const PageFields<HealthAlarmFields> kHealthAlarmPage = {
    Field(编辑框_76温度, &HealthAlarmFields::temperature),
    Field(编辑框_76电压, &HealthAlarmFields::voltage),
};

// A limit box left empty or holding only blanks gets its default back.
void RestoreDefaultOnBlur(PageContext& page, const std::string& box, ui::GbkText fallback) {
    page.window.on(box, ui::Event::LostFocus, [&page, box, fallback](const ui::EventArgs&) {
        if (Trim(page.window.text(box)).empty()) page.window.setText(box, fallback);
    });
}

// The mail password shows plainly while its check box is ticked.
void ToggleMailPasswordMask(PageContext& page) {
    page.window.setMasked(kMailBackupGroup.Control(&MailBackupFields::password),
                          !page.window.checked(选择框_73显示密码));
}

}  // namespace

void BindScriptsSection(PageContext& page) {
    OnGenerate(page, 按钮_71生成1, kOnlineCounterGroup, BuildOnlineCounterScript);
    OnClick(page, 按钮_71生成21,
            [&page] { page.showScript(BuildLanAddressList(page.window.text(编辑框_71内网网段2))); });
    BindFixedScript(page, 按钮_71生成22, BuildOnlineCounterFilter());
    OnGenerate(page, 按钮_71生成53, kStatusLogGroup,
               [](const StatusLogFields& f) { return BuildStatusLogScript(f, RouterOsSeries::V5); });
    OnGenerate(page, 按钮_71生成63, kStatusLogGroup,
               [](const StatusLogFields& f) { return BuildStatusLogScript(f, RouterOsSeries::V6); });

    OnGenerate(page, 按钮_72生成1, kScheduledBackupGroup,
               [](const ScheduledBackupFields& f) { return BuildScheduledBackupScript(f, RouterOsSeries::V5); });
    OnGenerate(page, 按钮_72生成2, kScheduledBackupGroup,
               [](const ScheduledBackupFields& f) { return BuildScheduledBackupScript(f, RouterOsSeries::V6); });
    OnGenerate(page, 按钮_73生成5x, kMailBackupGroup,
               [](const MailBackupFields& f) { return BuildMailBackupScript(f, RouterOsSeries::V5); });
    OnGenerate(page, 按钮_73生成6x, kMailBackupGroup,
               [](const MailBackupFields& f) { return BuildMailBackupScript(f, RouterOsSeries::V6); });
    OnClick(page, 选择框_73显示密码, [&page] { ToggleMailPasswordMask(page); });

    BindFixedScript(page, 按钮_74生成, Gbk(StoredText("data/scripts/pcc-rebalance.rsc")));
    BindFixedScript(page, 按钮_75生成, Gbk(StoredText("data/scripts/pppoe-expiry.rsc")));
    BindMakerPageLink(page, 超级链接框1, ui::Event::Click, MakerPage("/download/expiry-page.html", "https://"));

    OnGenerate(page, 按钮_76生成, kHealthAlarmPage, BuildHealthAlarmScript);
    RestoreDefaultOnBlur(page, kHealthAlarmPage.Control(&HealthAlarmFields::temperature), "50"_gbk);
    RestoreDefaultOnBlur(page, kHealthAlarmPage.Control(&HealthAlarmFields::voltage), "23.2"_gbk);
}

}  // namespace trelvix
