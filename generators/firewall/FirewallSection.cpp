// The firewall section: each page's field tables, and handlers that read the
// page once, call its generator and hand the result to the script box.
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/firewall/FilterSets.h"
#include "generators/firewall/FirewallGenerators.h"
#include "generators/firewall/PortMapping.h"
#include "names/main/firewall.h"

namespace trelvix {
using namespace names::main::firewall;

namespace {

using namespace firewall;

// ---------------------------------------------------------------- page 1: ping and redirect

const PageFields<LanNetFields> kPingGroup = {
    Field(编辑框_41内网网段, &LanNetFields::net),
    Field(编辑框_41内网网段掩码, &LanNetFields::prefix),
};

const PageFields<UrlRedirectFields> kRedirectGroup = {
    Field(编辑框_41name, &UrlRedirectFields::name),
    Field(编辑框_41address, &UrlRedirectFields::address),
    Field(编辑框_41srcaddress, &UrlRedirectFields::srcAddress),
    Field(编辑框_41dstaddress, &UrlRedirectFields::dstAddress),
    Field(组合框_41协议名, &UrlRedirectFields::protocol),
    Field(编辑框_41dstport, &UrlRedirectFields::dstPort),
    Field(编辑框_41toaddress, &UrlRedirectFields::toAddress),
    Field(编辑框_41toport, &UrlRedirectFields::toPort),
};

void BindPingPage(PageContext& page) {
    BindFixedScript(page, 按钮_41生成tracert, BuildTracertBlock());
    BindFixedScript(page, 按钮_41生成ping, BuildRouterPingBlock());
    OnGenerate(page, 按钮_41禁止外网ping生成, kPingGroup, BuildWanPingBlock);
    OnGenerate(page, 按钮_41禁止内网ping生成, kPingGroup, BuildLanPingBlock);
    OnGenerate(page, 按钮_41生成, kRedirectGroup, BuildUrlRedirect);
}

// ---------------------------------------------------------------- page 2: ARP

const PageFields<ArpScheduleFields> kArpScheduleGroup = {
    Field(编辑框_42执行周期, &ArpScheduleFields::interval),
    Field(编辑框_42Name, &ArpScheduleFields::name),
    Field(编辑框_42网卡接口, &ArpScheduleFields::interface),
};

const PageFields<ArpModeFields> kArpModeGroup = {
    Field(编辑框_42网卡接口2, &ArpModeFields::interface),
};

const PageFields<StaticArpFields> kStaticArpGroup = {
    Field(编辑框_42ip地址, &StaticArpFields::address),
    Field(编辑框_42mac, &StaticArpFields::mac),
    Field(编辑框_42网卡接口1, &StaticArpFields::interface),
};

void BindArpPage(PageContext& page) {
    OnGenerate(page, 按钮_42定时绑定arp, kArpScheduleGroup, BuildArpBindSchedule);
    BindFixedScript(page, 按钮_42自动绑定arp, BuildCopyDynamicArp());
    BindFixedScript(page, 按钮_42自动删除所有arp绑定, BuildRemoveAllArp());
    OnGenerate(page, 按钮_42绑定arp, kArpModeGroup, BuildArpReplyOnly);
    OnGenerate(page, 按钮_42解绑arp, kArpModeGroup, BuildArpEnable);
    OnGenerate(page, 按钮_42自定义arp, kStaticArpGroup, BuildStaticArpEntry);
}

// ---------------------------------------------------------------- page 3: connection limits

const PageFields<NetLimitFields> kNetLimitGroup = {
    Field(单选框_43TCP2, &NetLimitFields::tcp),
    Field(编辑框_43内网网段, &NetLimitFields::net),
    Field(编辑框_43内网网段掩码, &NetLimitFields::prefix),
    Field(编辑框_43排除ip地址, &NetLimitFields::exempt),
    Field(编辑框_43tcp数量2, &NetLimitFields::limit),
};

const PageFields<HostLimitFields> kHostLimitGroup = {
    Field(单选框_43TCP1, &HostLimitFields::tcp),        Field(编辑框_43ip前缀, &HostLimitFields::prefix),
    Field(编辑框_43机器数量左, &HostLimitFields::from), Field(编辑框_43机器数量右, &HostLimitFields::to),
    Field(编辑框_43tcp数量1, &HostLimitFields::limit),
};

void BindConnLimitPage(PageContext& page) {
    OnGenerate(page, 按钮_43生成2, kNetLimitGroup, BuildConnectionLimitScript);
    OnGenerate(page, 按钮_43生成1, kHostLimitGroup, BuildPerHostConnLimit);
}

// ---------------------------------------------------------------- page 4: software blocks

struct BlockButton {
    const char* button;
    SoftwareBlock block;
};

constexpr BlockButton kBlockButtons[] = {
    {按钮_44封迅雷, SoftwareBlock::Thunder},         {按钮_44彻底封迅雷, SoftwareBlock::ThunderFull},
    {按钮_44禁止PPlive, SoftwareBlock::PpLive},      {按钮_44封QQ旋风, SoftwareBlock::QqXuanFeng},
    {按钮_44封网络软件, SoftwareBlock::NetSoftware}, {按钮_44禁止QQ直播, SoftwareBlock::QqLive},
};

void BindSoftwareBlockPage(PageContext& page) {
    for (const BlockButton& b : kBlockButtons) BindFixedScript(page, b.button, StoredBlock(b.block));
}

// ---------------------------------------------------------------- page 5: port mapping

constexpr const char* kWanBox = 编辑框_45外网网卡接口;
constexpr const char* kWanList = 列表框_45外网网卡;

const PageFields<DstNatFields> kDstNatGroup = {
    Field(编辑框_45外网ip, &DstNatFields::publicAddress), Field(组合框_45协议名1, &DstNatFields::protocol),
    Field(编辑框_45外网端口1, &DstNatFields::publicPort), Field(编辑框_45内网ip, &DstNatFields::innerAddress),
    Field(编辑框_45内网端口1, &DstNatFields::innerPort),  Field(编辑框_45备注1, &DstNatFields::comment),
};

const PageFields<PppoeDstNatFields> kPppoeDstNatGroup = {
    Field(编辑框_45内网网段, &PppoeDstNatFields::lanNet),
    Field(编辑框_45内网网段掩码, &PppoeDstNatFields::lanPrefix),
    Field(编辑框_45内网网关, &PppoeDstNatFields::lanGateway),
    Field(组合框_45协议名2, &PppoeDstNatFields::protocol),
    Field(编辑框_45目标端口2, &PppoeDstNatFields::dstPort),
    Field(编辑框_45映射ip主机, &PppoeDstNatFields::host),
    Field(编辑框_45映射端口2, &PppoeDstNatFields::hostPort),
    Field(编辑框_45备注2, &PppoeDstNatFields::comment),
};

const PageFields<DynamicWanFields> kDynamicWanGroup = {
    Field(编辑框_45动态拨号网卡名称, &DynamicWanFields::interface),
    Field(编辑框_45备注3, &DynamicWanFields::comment),
};

// The interface list is the user's alone: any name goes in, also an empty
// one or one already listed.
void AddWanInterface(ui::Window& w) {
    std::vector<ui::GbkText> items = w.items(kWanList);
    items.push_back(w.text(kWanBox));
    w.setItems(kWanList, items);
}

void RemoveWanInterface(ui::Window& w) {
    std::vector<ui::GbkText> items = w.items(kWanList);
    const int chosen = w.currentItem(kWanList);
    if (chosen < 0 || chosen >= static_cast<int>(items.size())) return;
    items.erase(items.begin() + chosen);
    w.setItems(kWanList, items);
}

void BindPortMappingPage(PageContext& page) {
    OnClick(page, 按钮_45增加外网接口, [&page] { AddWanInterface(page.window); });
    OnClick(page, 按钮_45删除外网接口, [&page] { RemoveWanInterface(page.window); });
    OnClick(page, 按钮_45生成2, [&page] {
        const UpnpFields fields{Gbk(page.window.text(编辑框_45内网网卡接口)), ui::AsBytes(page.window.items(kWanList))};
        Deliver(page, BuildUpnpScript(fields));
    });
    OnGenerate(page, 按钮_45生成1, kDstNatGroup, BuildDstNatScript);
    OnGenerate(page, 按钮_45生成3, kPppoeDstNatGroup, BuildPppoeDstNat);
    OnGenerate(page, 按钮_45生成4, kDynamicWanGroup, BuildDynamicWanNatScript);
}

// ---------------------------------------------------------------- page 6: blocking

constexpr const char* kBatchBox = 编辑框_46ip地址列表;

const PageFields<BlockPortFields> kBlockPortGroup = {
    Field(组合框_46tcp协议名, &BlockPortFields::protocol),
    Field(编辑框_46端口, &BlockPortFields::port),
    Field(编辑框_46备注1, &BlockPortFields::comment),
};

const PageFields<BlockAddressFields> kBlockAddressGroup = {
    Field(编辑框_46封锁ip1, &BlockAddressFields::address),
    Field(编辑框_46封锁ip掩码1, &BlockAddressFields::prefix),
    Field(编辑框_46备注2, &BlockAddressFields::comment),
};

const PageFields<BlockToListFields> kBlockToListGroup = {
    Field(编辑框_46封锁ip2, &BlockToListFields::address),
    Field(编辑框_46封锁ip掩码2, &BlockToListFields::prefix),
    Field(编辑框_46vemtulist, &BlockToListFields::list),
    Field(编辑框_46备注3, &BlockToListFields::comment),
};

const PageFields<BatchListFields> kBatchListGroup = {
    Field(kBatchBox, &BatchListFields::addresses),
    Field(选择框_46列表名称, &BatchListFields::ownName),
    Field(编辑框_46批量vemtulist, &BatchListFields::listName),
};

void BindBlockingPage(PageContext& page) {
    OnGenerate(page, 按钮_46生成1, kBlockPortGroup, BuildBlockPortRule);
    OnGenerate(page, 按钮_46生成2, kBlockAddressGroup, BuildBlockAddressRule);
    OnGenerate(page, 按钮_46生成3, kBlockToListGroup, BuildBlockAddressToList);
    BindFixedScript(page, 按钮_46第一次生成, BuildListBlockRule());
    OnGenerate(page, 按钮_46生成脚本, kBatchListGroup, BuildBatchAddressList);
    OnClick(page, 按钮_46清空ip, [&page] { page.window.setText(kBatchBox, Gbk()); });
}

// ---------------------------------------------------------------- page 7: keyword filter

const PageFields<KeywordFields> kKeywordGroup = {
    Field(编辑框_47关键词, &KeywordFields::keywords),
    Field(选择框_47封锁ip, &KeywordFields::bySource),
    Field(编辑框_47ip段, &KeywordFields::sourceNet),
    Field(编辑框_47ip段掩码, &KeywordFields::sourcePrefix),
};

void BindKeywordPage(PageContext& page) {
    OnGenerate(page, 按钮_47封锁关键词, kKeywordGroup,
               [](const KeywordFields& f) { return BuildKeywordFilter(f, KeywordMode::Block); });
    OnGenerate(page, 按钮_47允许关键词, kKeywordGroup,
               [](const KeywordFields& f) { return BuildKeywordFilter(f, KeywordMode::Allow); });
}

// ---------------------------------------------------------------- page 8: recommended set

using Recommended = RecommendedFields;

const PageFields<Recommended> kRecommendedPage = {
    Field(选择框_48丢弃非法连接数据, &Recommended::invalidInput),
    Field(选择框_48丢弃非本地数据, &Recommended::nonLocal),
    Field(选择框_48限制所有TCP连接数, &Recommended::allTcp),
    Field(编辑框_48所有tcp连接数, &Recommended::allTcpLimit),
    Field(选择框_48限制每个主机TCP连接数, &Recommended::perHost),
    Field(编辑框_48每台tcp连接数, &Recommended::perHostLimit),
    Field(选择框_48探测并丢弃端口扫描连接, &Recommended::portScan),
    Field(选择框_48探测DoS攻击, &Recommended::dosDetect),
    Field(选择框_48压制DoS攻击, &Recommended::dosTarpit),
    Field(选择框_48丢弃非法数据包, &Recommended::invalidForward),
    Field(选择框_48丢弃掉所有非单播数据, &Recommended::nonUnicast),
    Field(选择框_48跳转到病毒链表virus, &Recommended::virusJump),
    Field(选择框_48生成病毒链表virus, &Recommended::virusChain),
    Field(选择框_48跳转到ICMP链表, &Recommended::icmpJump),
    Field(选择框_48Ping应答限制为每秒5个包, &Recommended::pingReply),
    Field(选择框_48Traceroute限制为每秒5个包, &Recommended::traceroute),
    Field(选择框_48MTU线路探测限制为每秒5个包, &Recommended::mtuProbe),
    Field(选择框_48Ping请求限制为每秒5个包, &Recommended::pingRequest),
    Field(选择框_48TraceTTL限制为每秒5个包, &Recommended::traceTtl),
    Field(选择框_48丢弃掉任何ICMP数据, &Recommended::icmpDrop),
};

// A limit box left exactly empty gets its default back; blanks are the
// user's and stay.
void RestoreDefaultOnBlur(PageContext& page, const std::string& box, ui::GbkText fallback) {
    page.window.on(box, ui::Event::LostFocus, [&page, box, fallback](const ui::EventArgs&) {
        if (page.window.text(box).empty()) page.window.setText(box, fallback);
    });
}

void BindRecommendedPage(PageContext& page) {
    OnGenerate(page, 按钮_48生成, kRecommendedPage, BuildRecommendedFirewall);
    RestoreDefaultOnBlur(page, kRecommendedPage.Control(&Recommended::allTcpLimit), "15"_gbk);
    RestoreDefaultOnBlur(page, kRecommendedPage.Control(&Recommended::perHostLimit), "150"_gbk);
}

}  // namespace

void BindFirewallSection(PageContext& page) {
    BindPingPage(page);
    BindArpPage(page);
    BindConnLimitPage(page);
    BindSoftwareBlockPage(page);
    BindPortMappingPage(page);
    BindBlockingPage(page);
    BindKeywordPage(page);
    BindRecommendedPage(page);
}

}  // namespace trelvix
