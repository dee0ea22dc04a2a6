// The VPN section's pages: "PPTP或L2TP" (server, account, client and the
// protocol radios that rename default names) and "VPN借线功能" (the VPN
// line's route, its mark rules and the route-table window).
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/vpn/Vpn.h"
#include "names/main/vpn.h"

namespace trelvix {
using namespace names::main::vpn;

namespace {

using vpn::ClientRouting;
using vpn::VpnProtocol;

const std::string kPptpRadio = 单选框_51PPTP;
const std::string kL2tpRadio = 单选框_51L2TP;

VpnProtocol ChosenProtocol(const ui::Window& w) {
    return w.checked(kPptpRadio) ? VpnProtocol::Pptp : VpnProtocol::L2tp;
}

using Server = vpn::VpnServerFields;
const PageFields<Server> kServerGroup = {
    Field(编辑框_51ip地址池段, &Server::poolRanges),
    Field(编辑框_51网关, &Server::gateway),
    Field(编辑框_51首选DNS, &Server::dns1),
    Field(编辑框_51备用DNS, &Server::dns2),
    Field(编辑框_51ippool, &Server::poolName),
    Field(编辑框_51策略模板1, &Server::profile),
    Field(选择框_51空闲超时, &Server::idleTimeout),
    Field(编辑框_51空闲超时, &Server::idleTime),
    Field(选择框_51连接超时, &Server::sessionTimeout),
    Field(编辑框_51连接超时, &Server::sessionTime),
    Field(选择框_51客户端限速, &Server::rateLimit),
    Field(组合框_51上传速率, &Server::upload),
    Field(组合框_51下载速率, &Server::download),
    Field(组合框_51ipv6, &Server::useIpv6),
    Field(组合框_51mpls, &Server::useMpls),
    Field(组合框_51onlyone, &Server::onlyOne),
    Field(组合框_51encry, &Server::useEncryption),
    Field(组合框_51compre, &Server::useCompression),
    Field(组合框_51vj, &Server::useVjCompression),
    Field(组合框_51tcpmss, &Server::changeTcpMss),
};

using Secret = vpn::VpnSecretFields;
const PageFields<Secret> kSecretGroup = {
    Field(编辑框_51用户名1, &Secret::name),      Field(编辑框_51密码1, &Secret::password),
    Field(编辑框_51策略模板2, &Secret::profile), Field(选择框_51绑定mac, &Secret::bindMac),
    Field(编辑框_51mac地址, &Secret::mac),
};

using Client = vpn::VpnClientFields;
const PageFields<Client> kClientGroup = {
    Field(编辑框_51pptpname, &Client::name),
    Field(编辑框_51pptp服务器ip, &Client::server),
    Field(编辑框_51用户名2, &Client::user),
    Field(编辑框_51密码2, &Client::password),
    Field(编辑框_51电信网关, &Client::telecomGateway),
    Field(编辑框_51网通网关, &Client::netcomGateway),
};

ClientRouting ChosenRouting(const ui::Window& w) {
    if (w.checked(单选框_51默认路由)) return ClientRouting::Default;
    return w.checked(单选框_51电信路由) ? ClientRouting::TelecomMain : ClientRouting::NetcomMain;
}

// A name still at one protocol's default follows the protocol; one the user
// changed stays as it is.
struct DefaultName {
    const char* box;
    const char* pptp;
    const char* l2tp;
};
constexpr DefaultName kDefaultNames[] = {
    {编辑框_51ippool, "pptp_pool", "l2tp_pool"},
    {编辑框_51策略模板1, "pptp_profile", "l2tp_profile"},
    {编辑框_51策略模板2, "pptp_profile", "l2tp_profile"},
    {编辑框_51pptpname, "vemtu_pptp_client", "vemtu_l2tp_client"},
};

void RenameDefaults(ui::Window& w, VpnProtocol to) {
    for (const DefaultName& n : kDefaultNames) {
        const char* from = to == VpnProtocol::L2tp ? n.pptp : n.l2tp;
        const char* into = to == VpnProtocol::L2tp ? n.l2tp : n.pptp;
        if (Gbk(w.text(n.box)) == from) w.setText(n.box, Gbk(into));
    }
}

void SwitchToL2tpNames(ui::Window& w) { RenameDefaults(w, VpnProtocol::L2tp); }
void SwitchToPptpNames(ui::Window& w) { RenameDefaults(w, VpnProtocol::Pptp); }

void BindPptpL2tpPage(PageContext& page) {
    OnClick(page, 按钮_51生成1, [&page] {
        Server f = kServerGroup.Read(page.window);
        f.protocol = ChosenProtocol(page.window);
        page.showScript(vpn::BuildPptpL2tpServer(f));
    });
    OnClick(page, 按钮_51生成2, [&page] {
        Secret f = kSecretGroup.Read(page.window);
        f.protocol = ChosenProtocol(page.window);
        page.showScript(vpn::BuildVpnSecret(f));
    });
    OnClick(page, 按钮_51生成3, [&page] {
        Client f = kClientGroup.Read(page.window);
        f.protocol = ChosenProtocol(page.window);
        f.routing = ChosenRouting(page.window);
        page.showScript(vpn::BuildVpnClientScript(f, vpn::BuiltInSplitLists()));
    });
    OnClick(page, kL2tpRadio, [&page] { SwitchToL2tpNames(page.window); });
    OnClick(page, kPptpRadio, [&page] { SwitchToPptpNames(page.window); });
}

void BindVpnLinePage(PageContext& page) {
    OnClick(page, 按钮_53生成路由,
            [&page] { page.showScript(vpn::BuildVpnRoute(Gbk(page.window.text(编辑框_53vpn名称)))); });
    OnClick(page, 按钮_53生成vpn标记,
            [&page] { page.showScript(vpn::BuildVpnMarkScript(Gbk(page.window.text(编辑框_53name)))); });
    OnClick(page, 按钮_53路由表生成器, [&page] {
        if (page.openToolWindow) page.openToolWindow(ToolIndex::RouteTable);
    });
}

}  // namespace

void BindVpnSection(PageContext& page) {
    BindPptpL2tpPage(page);
    BindVpnLinePage(page);
}

}  // namespace trelvix
