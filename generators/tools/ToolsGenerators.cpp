#include "generators/tools/ToolsGenerators.h"

#include <string>
#include <string_view>

#include "common/text/CodePage.h"
#include "common/text/RouterOsText.h"
#include "ui/Ui.h"

// Typed values the script writes bare go through TypedWord and quoted ones
// through QuoteTyped, so a blank, quote, dollar or a GBK character ending in
// 0x5C cannot break the command line.

namespace trelvix::tools {
namespace {

// An optional clause: nothing when its box is empty.
Gbk Clause(std::string_view name, const Gbk& value, bool negate = false) {
    if (value.empty()) return {};
    return " " + Gbk(name) + "=" + (negate ? "!" : "") + TypedWord(value);
}

// A netwatch script: RouterOS decodes the outer quotes when the entry is
// added, so the escapes carry a second backslash and the message its own
// quotes; the stored script then reads :log info "\B5\E7..." and the router
// decodes the escapes only when the script runs.
Gbk LogScript(std::string_view name, const NetwatchLog& log) {
    if (!log.enabled) return {};
    const Gbk escaped = EncodeRouterOsEscapes(log.message);
    Gbk doubled;
    doubled.reserve(escaped.size() * 2);
    for (char c : escaped) {
        if (c == '\\') doubled += '\\';
        doubled += c;
    }
    return " " + Gbk(name) + "=\":log " + TypedWord(log.level) + " \\\"" + doubled + "\\\"\"";
}

struct MarkSide {
    const char* edgeChain;
    const char* addressName;
    const char* addressListName;
    const char* interfaceName;
    const char* portName;
    const char* emptyMarkMessage;
};

Outcome MarkScript(const MarkFields& f, const MarkSide& side) {
    if (f.connectionMark.empty()) {
        return Outcome::Error(ScriptError{side.emptyMarkMessage, ui::mb::IconError, Gbk("标记"),
                                          FieldOf(f.connectionMark), FocusMove::AfterBox, MainWindowName()});
    }
    const Gbk chain = f.edgeChain ? side.edgeChain : "forward";
    Gbk addresses;
    if (!f.edgeChain) {
        addresses = Clause(side.addressName, f.address, f.addressNot) +
                    Clause(side.addressListName, f.addressList, f.addressListNot);
    }
    const Gbk iface = " " + Gbk(side.interfaceName) + "=" + TypedWord(f.interfaceName);
    const Gbk mark = TypedWord(f.connectionMark);
    const Gbk packetMark = f.packetMark.empty() ? mark : TypedWord(f.packetMark);
    return Outcome::Script("/ip firewall mangle\r\nadd action=mark-connection chain=" + chain + addresses +
                           Clause("packet-size", f.packetSize) + iface + " new-connection-mark=" + mark +
                           Clause("protocol", f.protocol) + Clause(side.portName, f.port) + CommentFromBox(f.comment) +
                           " passthrough=yes\r\nadd action=mark-packet chain=" + chain + iface +
                           " connection-mark=" + mark + " new-packet-mark=" + packetMark + " passthrough=no");
}

}  // namespace

Gbk BuildSetMacScript(const SetMacFields& f) {
    return "/interface ethernet set " + TypedWord(f.interfaceName) + " mac-address=" + TypedWord(f.mac);
}

Outcome BuildMacAddresses(const MacListFields& f, RandomSource& random) {
    const std::int64_t count = ToInt64(f.count);
    if (count > kMaxMacCount) {
        return Outcome::Error(ScriptError{"每次最多生成" + std::to_string(kMaxMacCount) + "个MAC地址!",
                                          ui::mb::IconExclamation, std::nullopt, FieldOf(f.count), FocusMove::AfterBox,
                                          MainWindowName()});
    }
    const char* sep = f.colon ? ":" : "-";
    const Gbk head = f.octetA + sep + f.octetB + sep + f.octetC + sep;
    return Outcome::Script(RandomMacList(random, head, f.fixedHead, count, f.colon ? 1 : 2));
}

Outcome BuildChineseSsidScript(const SsidFields& f) {
    if (f.name.empty()) {
        return Outcome::Error(ScriptError{"请输入要修改的中文名!", ui::mb::IconInformation, std::nullopt,
                                          FieldOf(f.name), FocusMove::AfterBox, MainWindowName()});
    }
    return Outcome::Script("/interface wireless set [find name=" + QuoteTyped(f.interfaceName) +
                           "] ssid=" + Quote(EncodeRouterOsEscapes(GbkToUtf8(f.name))));
}

Outcome BuildNetwatchScript(const NetwatchFields& f) {
    const bool milliseconds = !f.timeoutMs.empty() && f.timeoutMs.find_first_not_of("0123456789") == Gbk::npos;
    if (!milliseconds) {
        return Outcome::Error(ScriptError{"请输入超时时间的毫秒数!", ui::mb::IconExclamation, std::nullopt,
                                          FieldOf(f.timeoutMs), FocusMove::AfterBox, MainWindowName()});
    }
    return Outcome::Script("/tool netwatch add host=" + TypedWord(f.host) + " interval=" + TypedWord(f.interval) +
                           " timeout=" + TypedWord(f.timeoutMs) + "ms" + LogScript("up-script", f.up) +
                           LogScript("down-script", f.down));
}

Outcome BuildUploadMarking(const MarkFields& f) {
    return MarkScript(f, {"postrouting", "src-address", "src-address-list", "out-interface", "dst-port",
                          "请输入要标记的名称 New Connection Mark"});
}

Outcome BuildMangleMarkScript(const MarkFields& f) {
    return MarkScript(f, {"prerouting", "dst-address", "dst-address-list", "in-interface", "src-port",
                          "请输入要标记的名称"});
}

}  // namespace trelvix::tools
