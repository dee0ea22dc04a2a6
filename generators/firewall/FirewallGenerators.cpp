#include "generators/firewall/FirewallGenerators.h"

#include <string>
#include <utility>
#include <vector>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"
#include "generators/Placeholders.h"
#include "ui/Ui.h"

// Every typed value goes through TypedWord where the rule writes it bare and
// through QuoteTyped's escapes where it sits inside a quoted text, so a blank,
// quote, dollar or a GBK character ending in 0x5C cannot break the command.

namespace trelvix::firewall {
namespace {

// "net/prefix" as one address value.
Gbk NetValue(const LanNetFields& f) { return TypedWord(f.net + "/" + f.prefix); }

// An optional clause of the nat rule: nothing when its box is empty.
Gbk Clause(std::string_view name, const Gbk& value) {
    if (value.empty()) return {};
    return " " + Gbk(name) + "=" + TypedWord(value);
}

// An error box with the error icon, owned by the main window.
Outcome Refusal(Gbk message, const Gbk& field, FocusMove when, std::optional<Gbk> title = std::nullopt) {
    return Outcome::Error(
        ScriptError{std::move(message), ui::mb::IconError, std::move(title), FieldOf(field), when, MainWindowName()});
}

const char* Protocol(bool tcp) { return tcp ? "tcp" : "udp"; }

// The exempt hosts' list of the net limit; its name is fixed.
constexpr std::string_view kExemptList = "VemtuTcpList";

}  // namespace

Gbk BuildTracertBlock() {
    return " /ip firewall filter add chain=forward protocol=icmp icmp-options=11 action=drop comment=" +
           Quote("No tracert");
}

Gbk BuildRouterPingBlock() {
    return "/ip firewall filter add chain=output protocol=icmp action=drop comment=" + Quote("No Ping");
}

Gbk BuildWanPingBlock(const LanNetFields& f) {
    // The comment is 禁止外网Ping, stored escaped.
    return "/ip firewall filter add chain=input src-address=!" + NetValue(f) +
           " protocol=icmp action=drop comment=" + Quote("\\BD\\FB\\D6\\B9\\CD\\E2\\CD\\F8Ping");
}

Gbk BuildLanPingBlock(const LanNetFields& f) {
    // The comment is the net as typed and 禁止Ping, stored escaped.
    return "/ip firewall filter add chain=output src-address=" + NetValue(f) +
           " protocol=icmp action=drop comment=" + Quote(EscapeTyped(f.net) + "  \\BD\\FB\\D6\\B9Ping");
}

Outcome BuildUrlRedirect(const UrlRedirectFields& f) {
    if (f.name.empty()) return Refusal("请填写Name!", f.name, FocusMove::BeforeBox);
    if (f.address.empty()) return Refusal("请填写目标内网地址!", f.address, FocusMove::BeforeBox);
    if (f.toAddress.empty()) return Refusal("请填写要跳转的目标内网地址!", f.toAddress, FocusMove::BeforeBox);
    return Outcome::Script("/ip dns static add name=" + TypedWord(f.name) + " address=" + TypedWord(f.address) +
                           "\r\n" + "/ip firewall nat add chain=dstnat" + Clause("src-address", f.srcAddress) +
                           Clause("dst-address", f.dstAddress) + " protocol=" + TypedWord(f.protocol) +
                           Clause("dst-port", f.dstPort) + " action=dst-nat to-address=" + TypedWord(f.toAddress) +
                           Clause("to-ports", f.toPort));
}

Gbk BuildArpBindSchedule(const ArpScheduleFields& f) {
    // The interface is a word of the scheduled script, which itself sits in
    // the quoted on-event value: quoted for the script if it must be, then
    // escaped for the value. One pass, so a typed value that looks like a
    // placeholder is never filled.
    const Gbk name = Quote(EncodeRouterOsEscapes(f.name));
    const Gbk interval = TypedWord(f.interval);
    const Gbk interface = EscapeTyped(TypedWord(f.interface));
    return FillPlaceholders(StoredText("data/firewall/arp-bind-schedule.rsc"),
                            {{"{执行周期}", interval}, {"{脚本名}", name}, {"{网卡名}", interface}});
}

Gbk BuildCopyDynamicArp() { return ":foreach vemtu in=[/ip arp find dynamic=yes ] do={/ip arp add copy-from=$vemtu}"; }

Gbk BuildRemoveAllArp() { return ":foreach vemtu in=[/ip arp find] do={/ip arp remove $vemtu}"; }

Gbk BuildArpReplyOnly(const ArpModeFields& f) {
    return "/interface ethernet set " + TypedWord(f.interface) + " arp=reply-only";
}

Gbk BuildArpEnable(const ArpModeFields& f) {
    return "/interface ethernet set " + TypedWord(f.interface) + " arp=enabled";
}

Gbk BuildStaticArpEntry(const StaticArpFields& f) {
    return "/ip arp add address=" + TypedWord(f.address) + " mac-address=" + TypedWord(f.mac) +
           " interface=" + TypedWord(f.interface);
}

Gbk BuildConnectionLimitScript(const NetLimitFields& f) {
    const std::string protocol = Protocol(f.tcp);
    Gbk out;
    for (const Gbk& host : Split(f.exempt, ","))
        out += "/ip firewall address-list add address=" + TypedWord(host) + " list=" + Gbk(kExemptList) +
               " disabled=no\r\n";
    // The comment is the protocol, 连接数限制为: stored escaped, and the limit.
    out += "/ip firewall filter add chain=forward src-address=" + TypedWord(f.net + "/" + f.prefix) +
           " src-address-list=!" + Gbk(kExemptList) + " protocol=" + protocol +
           " connection-limit=" + TypedWord(f.limit + ",32") + " action=drop comment=" +
           Quote(protocol + "\\C1\\AC\\BD\\D3\\CA\\FD\\CF\\DE\\D6\\C6\\CE\\AA:" + EscapeTyped(f.limit));
    return out;
}

Outcome BuildPerHostConnLimit(const HostLimitFields& f) {
    const Gbk prefix = IpPrefix3(f.prefix);
    if (prefix.empty())
        return Refusal("您填写的ip格式有误,请重新填写!", f.prefix, FocusMove::AfterBox, Gbk("ip格式错误"));
    return Outcome::Script(":for vemtu from=" + TypedWord(f.from) + " to=" + TypedWord(f.to) +
                           " do={/ip firewall filter add chain=forward src-address=(" + QuoteTyped(prefix) +
                           " . $vemtu) protocol=" + Protocol(f.tcp) +
                           " connection-limit=" + TypedWord(f.limit + ",32") + " action=drop}");
}

Gbk StoredBlock(SoftwareBlock block) {
    switch (block) {
        case SoftwareBlock::Thunder: return Gbk(StoredText("data/firewall/block-thunder.rsc"));
        case SoftwareBlock::ThunderFull: return Gbk(StoredText("data/firewall/block-thunder-full.rsc"));
        case SoftwareBlock::PpLive: return Gbk(StoredText("data/firewall/block-pplive.rsc"));
        case SoftwareBlock::QqXuanFeng: return Gbk(StoredText("data/firewall/block-qq-xuanfeng.rsc"));
        case SoftwareBlock::NetSoftware: return Gbk(StoredText("data/firewall/block-p2p-software.rsc"));
        case SoftwareBlock::QqLive: return Gbk(StoredText("data/firewall/block-qq-live.rsc"));
    }
    return {};
}

}  // namespace trelvix::firewall
