#include "generators/firewall/PortMapping.h"

#include <string>
#include <utility>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"
#include "generators/Placeholders.h"
#include "ui/Ui.h"

// Typed values written bare go through TypedWord, quoted ones through
// QuoteTyped, so a blank, quote or dollar in a box cannot break the rule.

namespace trelvix::firewall {
namespace {

// A plain box (no icon, no owner) that moves no focus.
Outcome Notice(Gbk message) {
    return Outcome::Error(ScriptError{std::move(message), 0, std::nullopt, {}, FocusMove::None, ""});
}

// "address/prefix" as one value.
Gbk AddressValue(const Gbk& address, const Gbk& prefix) { return TypedWord(address + "/" + prefix); }

// The list the batch and the single entries fill unless the user names another.
constexpr std::string_view kBlockList = "VemtuList";

}  // namespace

Outcome BuildUpnpScript(const UpnpFields& f) {
    if (f.wanList.empty()) return Notice("请先添加您要端口映射功能外网网卡接口!");
    Gbk out =
        "/ip upnp set allow-disable-external-interface=yes enabled=yes show-dummy-rule=yes\r\n"
        "/ip upnp interfaces\r\n"
        "add disabled=no interface=" +
        TypedWord(f.lan) + " type=internal\r\n";
    for (std::size_t i = 0; i < f.wanList.size(); ++i) {
        if (i > 0) out += "\r\n";
        out += "add disabled=no interface=" + TypedWord(f.wanList[i]) + " type=external";
    }
    return Outcome::Script(std::move(out));
}

Gbk BuildDstNatScript(const DstNatFields& f) {
    return "/ip firewall nat add chain=dstnat dst-address=" + TypedWord(f.publicAddress) +
           " protocol=" + TypedWord(f.protocol) + " dst-port=" + TypedWord(f.publicPort) +
           " action=dst-nat to-addresses=" + TypedWord(f.innerAddress) + " to-ports=" + TypedWord(f.innerPort) +
           CommentFromBox(f.comment);
}

Gbk BuildPppoeDstNat(const PppoeDstNatFields& f) {
    return "/ip firewall nat add chain=dstnat src-address=!" + AddressValue(f.lanNet, f.lanPrefix) + " dst-address=!" +
           TypedWord(f.lanGateway) + " protocol=" + TypedWord(f.protocol) + " dst-port=" + TypedWord(f.dstPort) +
           " action=dst-nat to-addresses=" + TypedWord(f.host) + " to-ports=" + TypedWord(f.hostPort) +
           CommentFromBox(f.comment);
}

Outcome BuildDynamicWanNatScript(const DynamicWanFields& f) {
    const Gbk interface = Trim(f.interface);
    if (interface.empty()) return Notice("动态网卡名称必须填写!");
    // Only the check trims the comment: the script must find the rule by the
    // comment exactly as the mapping page wrote it.
    if (Trim(f.comment).empty()) return Notice("备注名必须填写!");
    // One pass, so an interface name that looks like a placeholder is not filled.
    return Outcome::Script(
        FillPlaceholders(StoredText("data/firewall/dynamic-wan-nat.rsc"),
                         {{"{wan}", EscapeTyped(interface)}, {"{comment}", EncodeRouterOsEscapes(f.comment)}}));
}

Gbk BuildBlockPortRule(const BlockPortFields& f) {
    return "/ip firewall filter add chain=output protocol=" + TypedWord(f.protocol) + " dst-port=" + TypedWord(f.port) +
           " action=drop" + CommentFromBox(f.comment);
}

Gbk BuildBlockAddressRule(const BlockAddressFields& f) {
    return "/ip firewall filter add chain=forward dst-address=" + AddressValue(f.address, f.prefix) + " action=drop" +
           CommentFromBox(f.comment);
}

Gbk BuildBlockAddressToList(const BlockToListFields& f) {
    return "/ip firewall address-list add address=" + AddressValue(f.address, f.prefix) +
           " list=" + QuoteTyped(f.list) + CommentFromBox(f.comment);
}

Gbk BuildListBlockRule() {
    return "/ip firewall filter add chain=forward dst-address-list=" + Gbk(kBlockList) +
           " action=drop comment=" + Quote("Blockade IP List");
}

Outcome BuildBatchAddressList(const BatchListFields& f) {
    const std::vector<Gbk> lines = Split(f.addresses, "\r\n");
    if (lines.empty()) return Outcome::Nothing();
    const Gbk list = QuoteTyped(f.ownName ? std::string_view(f.listName) : kBlockList);
    const std::string_view head = "/ip firewall address-list add address=";
    const std::string_view tail = " disabled=no";
    Gbk out;
    out.reserve(f.addresses.size() + lines.size() * (head.size() + 6 + list.size() + tail.size() + 4));
    bool first = true;
    for (const Gbk& line : lines) {
        if (line.empty()) continue;
        if (!first) out += "\r\n";
        first = false;
        out += head;
        out += TypedWord(line);
        out += " list=";
        out += list;
        out += tail;
    }
    return Outcome::Script(std::move(out));
}

}  // namespace trelvix::firewall
