// The PPPOE section's pages 1 and 2: the server, the single secret, and the
// batch of secrets with its log. Each handler reads its page once through
// its field table, calls the generator and hands the result to the script box.
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/pppoe/AccountLog.h"
#include "generators/pppoe/PppoeAccounts.h"
#include "generators/pppoe/PppoeServer.h"
#include "names/main/pppoe.h"

namespace trelvix {
using namespace names::main::pppoe;

namespace {

using pppoe::ServerVariant;

// ---------------------------------------------------------------- page 1: the server

using Server = pppoe::PppoeServerFields;

const PageFields<Server> kServerPage = {
    Field(编辑框_21网卡接口, &Server::interface),
    Field(编辑框_21pppoe服务名称, &Server::serviceName),
    Field(编辑框_21ip地址池范围, &Server::poolRanges),
    Field(编辑框_21地址池名, &Server::poolName),
    Field(编辑框_21pppoe网关, &Server::gateway),
    Field(编辑框_21策略模板, &Server::profile),
    Field(编辑框_21首选DNS, &Server::dns1),
    Field(编辑框_21备用DNS, &Server::dns2),
    Field(选择框_21pppoe客户端限速, &Server::rateLimit),
    Field(组合框_21上传, &Server::upload),
    Field(组合框_21下载, &Server::download),
    Field(选择框_21空闲超时, &Server::idleTimeout),
    Field(编辑框_21空闲超时, &Server::idleTime),
    Field(选择框_21连接超时, &Server::sessionTimeout),
    Field(编辑框_21连接超时, &Server::sessionTime),
    Field(组合框_21ipv6, &Server::useIpv6),
    Field(组合框_21mpls, &Server::useMpls),
    Field(组合框_21compre, &Server::useCompression),
    Field(组合框_21vj, &Server::useVjCompression),
    Field(组合框_21encry, &Server::useEncryption),
    Field(组合框_21onlyone, &Server::onlyOne),
    Field(组合框_21tcpmss, &Server::changeTcpMss),
};

void BindServerPage(PageContext& page) {
    struct VariantButton {
        const char* button;
        ServerVariant variant;
    };
    for (const VariantButton& b :
         {VariantButton{按钮_21生成1, ServerVariant::Before63}, VariantButton{按钮_21生成, ServerVariant::From63}})
        OnGenerate(page, b.button, kServerPage,
                   [v = b.variant](const Server& f) { return pppoe::BuildPppoeServerScript(f, v); });
}

// ---------------------------------------------------------------- page 2: accounts

using Secret = pppoe::PppoeSecretFields;
using Accounts = pppoe::PppoeAccountsFields;
using Part = pppoe::RandomPart;

// Group "添加PPPOE帐号".
const PageFields<Secret> kSecretGroup = {
    Field(编辑框_22用户名, &Secret::name),       Field(编辑框_22密码, &Secret::password),
    Field(选择框_22绑定mac, &Secret::bindMac),   Field(编辑框_22mac, &Secret::mac),
    Field(编辑框_22策略模板1, &Secret::profile),
};

// Group "批量添加PPPOE帐号".
const PageFields<Accounts> kAccountsGroup = {
    Field(编辑框_22账号数量, &Accounts::count),
    Field(编辑框_22账号长度, &Accounts::account, &Part::length),
    Field(选择框_22账号数字, &Accounts::account, &Part::digits),
    Field(选择框_22账号字母, &Accounts::account, &Part::letters),
    Field(组合框_22账号大小写字母, &Accounts::account, &Part::letterCase),
    Field(选择框_22账号前缀, &Accounts::usePrefix),
    Field(编辑框_22账号前缀, &Accounts::prefix),
    Field(选择框_22账号后缀, &Accounts::useSuffix),
    Field(编辑框_22账号后缀, &Accounts::suffix),
    Field(编辑框_22密码长度, &Accounts::password, &Part::length),
    Field(选择框_22密码数字, &Accounts::password, &Part::digits),
    Field(选择框_22密码字母, &Accounts::password, &Part::letters),
    Field(组合框_22密码大小写字母, &Accounts::password, &Part::letterCase),
    Field(编辑框_22策略模板2, &Accounts::profile),
};

const std::string kSaveLogBox = 选择框_22自动保存;

// With digits and letters both chosen the batch mixes all three kinds of
// character and never reads the case list, so the list says so and is
// greyed out; otherwise it is free again, on whatever item it shows.
void SyncCaseCombo(ui::Window& w, Part Accounts::*part) {
    const std::string& list = kAccountsGroup.Control(part, &Part::letterCase);
    const bool digits = w.checked(kAccountsGroup.Control(part, &Part::digits));
    const bool letters = w.checked(kAccountsGroup.Control(part, &Part::letters));
    if (digits && letters) {
        w.setCurrentItem(list, 2);
        w.setEnabled(list, false);
    } else {
        w.setEnabled(list, true);
    }
}

void SyncAccountCaseCombo(ui::Window& w) { SyncCaseCombo(w, &Accounts::account); }
void SyncPasswordCaseCombo(ui::Window& w) { SyncCaseCombo(w, &Accounts::password); }

// The log is the only record of the passwords just made: when it cannot be
// written anywhere the user must be told while the script is still shown.
void SaveBatchLog(PageContext& page, const Gbk& script) {
    const pppoe::AccountLogSaved saved = pppoe::SaveAccountLog(script, page.clock.Now(),
                                                               pppoe::DefaultAccountLogFolders());
    if (saved.file) return;
    page.ui.messageBox(
        {"自动生成的帐号及密码未能保存到Log文件夹(程序目录和设置目录都无法写入),"
         "请复制脚本框中的内容另行保存!"_gbk,
         ui::mb::IconError, "错误"_gbk, ""});
}

void BindAccountsPage(PageContext& page) {
    OnGenerate(page, 按钮_22生成1, kSecretGroup, pppoe::BuildPppoeSecret);
    OnClick(page, 按钮_22生成2, [&page] {
        const Accounts fields = kAccountsGroup.Read(page.window);
        const Outcome outcome = pppoe::BuildPppoeAccounts(fields, page.secureRandom);
        Deliver(page, outcome, [&fields](FieldRef field) { return kAccountsGroup.ControlOf(fields, field); });
        if (outcome.script && page.window.checked(kSaveLogBox)) SaveBatchLog(page, *outcome.script);
    });
    for (auto box : {&Part::digits, &Part::letters}) {
        OnClick(page, kAccountsGroup.Control(&Accounts::account, box), [&page] { SyncAccountCaseCombo(page.window); });
        OnClick(page, kAccountsGroup.Control(&Accounts::password, box),
                [&page] { SyncPasswordCaseCombo(page.window); });
    }
}

}  // namespace

void BindPppoeSection(PageContext& page) {
    BindServerPage(page);
    BindAccountsPage(page);
}

}  // namespace trelvix
