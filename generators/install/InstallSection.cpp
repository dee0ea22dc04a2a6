// The installation section's page 1: the field table of the multi-line page,
// its two line lists with their editors, and the three generate buttons.
#include "generators/PageFields.h"
#include "generators/RowList.h"
#include "generators/Sections.h"
#include "generators/install/InstallGenerators.h"

namespace trelvix {
namespace {

using namespace install;

const std::string kStaticList = "超级列表框_13";
const std::string kPppoeList = "超级列表框_15";
const std::string kLineTabs = "选择夹_13";
const std::string kPeerDnsBox = "选择框_13usepeerdns";

const PageFields<MultiWanFields> kMultiWanPage = {
    Field("编辑框_13内网网卡", &MultiWanFields::lanInterface),
    Field("编辑框_13内网网关", &MultiWanFields::lanAddress),
    Field("编辑框_13首选DNS", &MultiWanFields::dns1),
    Field("编辑框_13备用DNS", &MultiWanFields::dns2),
    Field("编辑框_13MSS值", &MultiWanFields::mss),
    Field("单选框_13固定IP", &MultiWanFields::staticLines),
    Field(kPeerDnsBox, &MultiWanFields::usePeerDns),
    Field("选择框_13添加伪装功能", &MultiWanFields::masquerade),
    Field("选择框_13添加mss", &MultiWanFields::changeMss),
    Field("选择框_13添加dns", &MultiWanFields::setDns),
    Field("选择框_13回程路由", &MultiWanFields::returnPath),
    Field("选择框_13分流", &MultiWanFields::split),
    Field("选择框_13自定义标记名称", &MultiWanFields::ownMarks),
    Field("编辑框_13newconnectionmark", &MultiWanFields::connectionMark),
    Field("编辑框_13newroutingmark", &MultiWanFields::routingMark),
    Field("组合框_13pcc叠加类型", &MultiWanFields::pccType),
};

const RowEditor kStaticLines = {
    kStaticList,
    {"编辑框_13配置IP", "编辑框_13配置网关", "编辑框_13外网网卡", "编辑框_13配置IP段"},
    {{0, "IP地址: ", CellKey::AddressPart, ""}, {2, "外网网卡: ", CellKey::Whole, ""}},
    "按钮_13添加信息", "按钮_13修改信息", "按钮_13删除信息",
};

const RowEditor kPppoeLines = {
    kPppoeList,
    {"编辑框_15配置账号", "编辑框_15配置密码", "编辑框_15外网网卡", "编辑框_15配置IP段"},
    {{0, "宽带账号: ", CellKey::Whole, "选择框_15检查账号重复"},
     {2, "外网网卡: ", CellKey::Whole, "选择框_15检查网卡重复"}},
    "按钮_15添加信息", "按钮_15修改信息", "按钮_15删除信息",
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
    {"按钮_13单线生成", BalanceMode::SingleLine},
    {"按钮_13PCC生成", BalanceMode::Pcc},
    {"按钮_13NTH生成", BalanceMode::Nth},
};

void BindMultiWanPage(PageContext& page) {
    for (const ModeButton& b : kModeButtons)
        OnClick(page, b.button, [&page, mode = b.mode] {
            Deliver(page, BuildMultiWanScript(ReadMultiWanPage(page.window), mode));
        });
    OnClick(page, "单选框_13固定IP", [&page] { ShowStaticLinePage(page.window); });
    OnClick(page, "单选框_13PPPOE", [&page] { ShowPppoeLinePage(page.window); });
    // Add, modify, delete and show of either list are the shared line-list editors.
    BindRowEditor(page, kStaticLines);
    BindRowEditor(page, kPppoeLines);
}

}  // namespace

void BindInstallSection(PageContext& page) { BindMultiWanPage(page); }

}  // namespace trelvix
