// The firewall section's pages 1 to 4: each page's field tables, and handlers
// that read the page once, call its generator and hand the result to the
// script box.
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/firewall/FirewallGenerators.h"

namespace trelvix {
namespace {

using namespace firewall;

// ---------------------------------------------------------------- page 1: ping and redirect

const PageFields<LanNetFields> kPingGroup = {
    Field("编辑框_41内网网段", &LanNetFields::net),
    Field("编辑框_41内网网段掩码", &LanNetFields::prefix),
};

const PageFields<UrlRedirectFields> kRedirectGroup = {
    Field("编辑框_41name", &UrlRedirectFields::name),
    Field("编辑框_41address", &UrlRedirectFields::address),
    Field("编辑框_41srcaddress", &UrlRedirectFields::srcAddress),
    Field("编辑框_41dstaddress", &UrlRedirectFields::dstAddress),
    Field("组合框_41协议名", &UrlRedirectFields::protocol),
    Field("编辑框_41dstport", &UrlRedirectFields::dstPort),
    Field("编辑框_41toaddress", &UrlRedirectFields::toAddress),
    Field("编辑框_41toport", &UrlRedirectFields::toPort),
};

void BindPingPage(PageContext& page) {
    BindFixedScript(page, "按钮_41生成tracert", BuildTracertBlock());
    BindFixedScript(page, "按钮_41生成ping", BuildRouterPingBlock());
    OnGenerate(page, "按钮_41禁止外网ping生成", kPingGroup, BuildWanPingBlock);
    OnGenerate(page, "按钮_41禁止内网ping生成", kPingGroup, BuildLanPingBlock);
    OnGenerate(page, "按钮_41生成", kRedirectGroup, BuildUrlRedirect);
}

// ---------------------------------------------------------------- page 2: ARP

const PageFields<ArpScheduleFields> kArpScheduleGroup = {
    Field("编辑框_42执行周期", &ArpScheduleFields::interval),
    Field("编辑框_42Name", &ArpScheduleFields::name),
    Field("编辑框_42网卡接口", &ArpScheduleFields::interface),
};

const PageFields<ArpModeFields> kArpModeGroup = {
    Field("编辑框_42网卡接口2", &ArpModeFields::interface),
};

const PageFields<StaticArpFields> kStaticArpGroup = {
    Field("编辑框_42ip地址", &StaticArpFields::address),
    Field("编辑框_42mac", &StaticArpFields::mac),
    Field("编辑框_42网卡接口1", &StaticArpFields::interface),
};

void BindArpPage(PageContext& page) {
    OnGenerate(page, "按钮_42定时绑定arp", kArpScheduleGroup, BuildArpBindSchedule);
    BindFixedScript(page, "按钮_42自动绑定arp", BuildCopyDynamicArp());
    BindFixedScript(page, "按钮_42自动删除所有arp绑定", BuildRemoveAllArp());
    OnGenerate(page, "按钮_42绑定arp", kArpModeGroup, BuildArpReplyOnly);
    OnGenerate(page, "按钮_42解绑arp", kArpModeGroup, BuildArpEnable);
    OnGenerate(page, "按钮_42自定义arp", kStaticArpGroup, BuildStaticArpEntry);
}

// ---------------------------------------------------------------- page 3: connection limits

const PageFields<NetLimitFields> kNetLimitGroup = {
    Field("单选框_43TCP2", &NetLimitFields::tcp),
    Field("编辑框_43内网网段", &NetLimitFields::net),
    Field("编辑框_43内网网段掩码", &NetLimitFields::prefix),
    Field("编辑框_43排除ip地址", &NetLimitFields::exempt),
    Field("编辑框_43tcp数量2", &NetLimitFields::limit),
};

const PageFields<HostLimitFields> kHostLimitGroup = {
    Field("单选框_43TCP1", &HostLimitFields::tcp),
    Field("编辑框_43ip前缀", &HostLimitFields::prefix),
    Field("编辑框_43机器数量左", &HostLimitFields::from),
    Field("编辑框_43机器数量右", &HostLimitFields::to),
    Field("编辑框_43tcp数量1", &HostLimitFields::limit),
};

void BindConnLimitPage(PageContext& page) {
    OnGenerate(page, "按钮_43生成2", kNetLimitGroup, BuildConnectionLimitScript);
    OnGenerate(page, "按钮_43生成1", kHostLimitGroup, BuildPerHostConnLimit);
}

// ---------------------------------------------------------------- page 4: software blocks

struct BlockButton {
    const char* button;
    SoftwareBlock block;
};

constexpr BlockButton kBlockButtons[] = {
    {"按钮_44封迅雷", SoftwareBlock::Thunder},
    {"按钮_44彻底封迅雷", SoftwareBlock::ThunderFull},
    {"按钮_44禁止PPlive", SoftwareBlock::PpLive},
    {"按钮_44封QQ旋风", SoftwareBlock::QqXuanFeng},
    {"按钮_44封网络软件", SoftwareBlock::NetSoftware},
    {"按钮_44禁止QQ直播", SoftwareBlock::QqLive},
};

void BindSoftwareBlockPage(PageContext& page) {
    for (const BlockButton& b : kBlockButtons) BindFixedScript(page, b.button, StoredBlock(b.block));
}

}  // namespace

void BindFirewallSection(PageContext& page) {
    BindPingPage(page);
    BindArpPage(page);
    BindConnLimitPage(page);
    BindSoftwareBlockPage(page);
}

}  // namespace trelvix
