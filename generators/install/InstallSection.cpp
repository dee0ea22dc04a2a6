// The installation section's page 1: the field table of the multi-line page,
// its two line lists with their editors, and the three generate buttons.
#include "common/CarrierCidrList.h"
#include "generators/PageFields.h"
#include "generators/RowList.h"
#include "generators/Sections.h"
#include "generators/install/InstallGenerators.h"
#include "generators/install/MultiPppoeGenerators.h"
#include "names/main/install.h"

namespace trelvix {
using namespace names::main::install;

namespace {

using namespace install;

const std::string kStaticList = 超级列表框_13;
const std::string kPppoeList = 超级列表框_15;
const std::string kLineTabs = 选择夹_13;
const std::string kPeerDnsBox = 选择框_13usepeerdns;

const PageFields<MultiWanFields> kMultiWanPage = {
    Field(编辑框_13内网网卡, &MultiWanFields::lanInterface),
    Field(编辑框_13内网网关, &MultiWanFields::lanAddress),
    Field(编辑框_13首选DNS, &MultiWanFields::dns1),
    Field(编辑框_13备用DNS, &MultiWanFields::dns2),
    Field(编辑框_13MSS值, &MultiWanFields::mss),
    Field(单选框_13固定IP, &MultiWanFields::staticLines),
    Field(kPeerDnsBox, &MultiWanFields::usePeerDns),
    Field(选择框_13添加伪装功能, &MultiWanFields::masquerade),
    Field(选择框_13添加mss, &MultiWanFields::changeMss),
    Field(选择框_13添加dns, &MultiWanFields::setDns),
    Field(选择框_13回程路由, &MultiWanFields::returnPath),
    Field(选择框_13分流, &MultiWanFields::split),
    Field(选择框_13自定义标记名称, &MultiWanFields::ownMarks),
    Field(编辑框_13newconnectionmark, &MultiWanFields::connectionMark),
    Field(编辑框_13newroutingmark, &MultiWanFields::routingMark),
    Field(组合框_13pcc叠加类型, &MultiWanFields::pccType),
};

const RowEditor kStaticLines = {
    kStaticList,
    {编辑框_13配置IP, 编辑框_13配置网关, 编辑框_13外网网卡, 编辑框_13配置IP段},
    {{0, "IP地址: ", CellKey::AddressPart, ""}, {2, "外网网卡: ", CellKey::Whole, ""}},
    按钮_13添加信息,
    按钮_13修改信息,
    按钮_13删除信息,
};

const RowEditor kPppoeLines = {
    kPppoeList,
    {编辑框_15配置账号, 编辑框_15配置密码, 编辑框_15外网网卡, 编辑框_15配置IP段},
    {{0, "宽带账号: ", CellKey::Whole, 选择框_15检查账号重复},
     {2, "外网网卡: ", CellKey::Whole, 选择框_15检查网卡重复}},
    按钮_15添加信息,
    按钮_15修改信息,
    按钮_15删除信息,
};

// The page and both lists, read once; the generator takes only the list in force.
MultiWanFields ReadMultiWanPage(const ui::Window& w) {
    MultiWanFields f = kMultiWanPage.Read(w);
    for (RowCells& c : ReadRows(w, f.staticLines ? kStaticList : kPppoeList)) {
        c.resize(4);
        if (f.staticLines) f.staticRows.push_back({c[0], c[1], c[2], c[3]});
        else f.pppoeRows.push_back({c[0], c[1], c[2], c[3]});
    }
    return f;
}

// The radio buttons turn the inner page; both lists keep their rows.
void ShowStaticLinePage(ui::Window& w) {
    w.setCurrentItem(kLineTabs, 0);
    w.setVisible(kPeerDnsBox, false);
}

void ShowPppoeLinePage(ui::Window& w) {
    w.setCurrentItem(kLineTabs, 1);
    w.setVisible(kPeerDnsBox, true);
}

struct ModeButton {
    const char* button;
    BalanceMode mode;
};

constexpr ModeButton kModeButtons[] = {
    {按钮_13单线生成, BalanceMode::SingleLine},
    {按钮_13PCC生成, BalanceMode::Pcc},
    {按钮_13NTH生成, BalanceMode::Nth},
};

void BindMultiWanPage(PageContext& page) {
    for (const ModeButton& b : kModeButtons)
        OnClick(page, b.button,
                [&page, mode = b.mode] { Deliver(page, BuildMultiWanScript(ReadMultiWanPage(page.window), mode)); });
    OnClick(page, 单选框_13固定IP, [&page] { ShowStaticLinePage(page.window); });
    OnClick(page, 单选框_13PPPOE, [&page] { ShowPppoeLinePage(page.window); });
    // Add, modify, delete and show of either list are the shared line-list editors.
    BindRowEditor(page, kStaticLines);
    BindRowEditor(page, kPppoeLines);
}

// ---------------------------------------------------------------- page 2

const PageFields<DualLineFields> kDualLinePage = {
    Field(编辑框_17内网网卡, &DualLineFields::lanInterface),
    Field(编辑框_17内网网关, &DualLineFields::lanGateway),
    Field(编辑框_17内网网关掩码, &DualLineFields::lanGatewayPrefix),
    Field(编辑框_17内网网段, &DualLineFields::lanNetwork),
    Field(编辑框_17内网网段掩码, &DualLineFields::lanNetworkPrefix),
    Field(编辑框_17电信网卡, &DualLineFields::telInterface),
    Field(编辑框_17电信外网IP, &DualLineFields::telAddress),
    Field(编辑框_17电信外网IP掩码, &DualLineFields::telPrefix),
    Field(编辑框_17电信外网网关, &DualLineFields::telGateway),
    Field(编辑框_17电信DNS, &DualLineFields::telDns),
    Field(编辑框_17网通网卡, &DualLineFields::cncInterface),
    Field(编辑框_17网通外网IP, &DualLineFields::cncAddress),
    Field(编辑框_17网通外网IP掩码, &DualLineFields::cncPrefix),
    Field(编辑框_17网通外网网关, &DualLineFields::cncGateway),
    Field(编辑框_17网通DNS, &DualLineFields::cncDns),
    Field(编辑框_17MSS值, &DualLineFields::mss),
    Field(单选框_17电信, &DualLineFields::telecomPrimary),
};

void BindDualLinePage(PageContext& page) {
    OnGenerate(page, 按钮_17生成, kDualLinePage, [](const DualLineFields& f) { return BuildDualLineScript(f); });
    OnGenerate(page, 按钮_17路由表, kDualLinePage, [](const DualLineFields& f) {
        return BuildCarrierRouteTable(f, CarrierCidrList(CarrierList::Telecom), CarrierCidrList(CarrierList::Unicom));
    });
}

// ---------------------------------------------------------------- page 3

const std::string kVlanList = 超级列表框_18;

const RowEditor kVlanAccounts = {
    kVlanList,
    {编辑框_18配置账号, 编辑框_18配置密码, 编辑框_18配置VLANID},
    // Two lines on one VLAN would share one switch port, so that test is always made.
    {{0, "宽带账号: ", CellKey::Whole, 选择框_18检查账号重复}, {2, "VLAN ID: ", CellKey::Whole, ""}},
    按钮_18添加信息,
    按钮_18修改信息,
    按钮_18删除信息,
};

VlanFields ReadVlanPage(const ui::Window& w) {
    VlanFields f;
    f.vlanInterface = w.text(编辑框_18VLAN网卡).bytes();
    for (RowCells& c : ReadRows(w, kVlanList)) {
        c.resize(3);
        f.rows.push_back({c[0], c[1], c[2]});
    }
    return f;
}

struct VlanButton {
    const char* button;
    VlanMode mode;
};

constexpr VlanButton kVlanButtons[] = {
    {按钮_18生成1, VlanMode::V5To62},
    {按钮_18生成2, VlanMode::V63Up},
};

void BindVlanPage(PageContext& page) {
    for (const VlanButton& b : kVlanButtons)
        OnClick(page, b.button, [&page, mode = b.mode] {
            Deliver(page, BuildVlanMultiPppoe(ReadVlanPage(page.window), mode, page.random));
        });
    BindRowEditor(page, kVlanAccounts);
}

// ---------------------------------------------------------------- page 4

const std::string kVrrpList = 超级列表框_1a;

const PageFields<VrrpFields> kVrrpPage = {
    Field(编辑框_1a外网网卡, &VrrpFields::wanInterface),
    Field(编辑框_1a内网网卡, &VrrpFields::lanInterface),
    Field(编辑框_1a内网网段, &VrrpFields::network),
    Field(选择框_1a添加PCC, &VrrpFields::pcc),
    Field(组合框_1apcc叠加类型, &VrrpFields::pccType),
    Field(选择框_1a自定义标记名称, &VrrpFields::ownMarks),
    Field(编辑框_1anewconnectionmark, &VrrpFields::connectionMark),
    Field(编辑框_1anewroutingmark, &VrrpFields::routingMark),
    Field(选择框_1a添加伪装功能, &VrrpFields::masquerade),
    Field(选择框_1a添加mss, &VrrpFields::changeMss),
};

const RowEditor kVrrpAccounts = {
    kVrrpList,
    {编辑框_1a配置账号, 编辑框_1a配置密码},
    {{0, "宽带账号: ", CellKey::Whole, 选择框_1a检查账号重复}},
    按钮_1a添加信息,
    按钮_1a修改信息,
    按钮_1a删除信息,
};

void BindVrrpPage(PageContext& page) {
    OnClick(page, 按钮_1a生成, [&page] {
        VrrpFields f = kVrrpPage.Read(page.window);
        for (RowCells& c : ReadRows(page.window, kVrrpList)) {
            c.resize(2);
            f.rows.push_back({c[0], c[1]});
        }
        Deliver(page, BuildVrrpMultiPppoe(f), [&](FieldRef field) { return kVrrpPage.ControlOf(f, field); });
    });
    BindRowEditor(page, kVrrpAccounts);
}

}  // namespace

void BindInstallSection(PageContext& page) {
    BindMultiWanPage(page);
    BindDualLinePage(page);
    BindVlanPage(page);
    BindVrrpPage(page);
}

}  // namespace trelvix
