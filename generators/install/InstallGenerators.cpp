#include "generators/install/InstallGenerators.h"

#include <cstddef>
#include <string>
#include <utility>

#include "common/text/RouterOsText.h"
#include "ui/Ui.h"

// Every typed value the script writes bare goes through TypedWord: ordinary
// addresses, interfaces and accounts stay as typed, while a blank, quote, ";",
// "[" or "$" in a PPPoE password gets the value quoted and escaped instead of
// breaking the client line.

namespace trelvix::install {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The three checks show their boxes without a caption.
Outcome Refusal(Gbk message) {
    return Outcome::Error(
        ScriptError{std::move(message), ui::mb::IconInformation, Gbk(), {}, FocusMove::None, MainWindowName()});
}

// The part of a row the script needs, whichever list is in force.
struct Line {
    Gbk wan;         // the line's interface as masquerade, return path and PPPoE routes name it
    Gbk interface;   // column 2, typed
    Gbk srcAddress;  // column 3
    const StaticLineRow* fixed = nullptr;
    const PppoeLineRow* pppoe = nullptr;
};

std::vector<Line> LinesOf(const MultiWanFields& f) {
    std::vector<Line> lines;
    if (f.staticLines) {
        lines.reserve(f.staticRows.size());
        for (const StaticLineRow& row : f.staticRows)
            lines.push_back({TypedWord(row.interface), row.interface, row.srcAddress, &row, nullptr});
    } else {
        lines.reserve(f.pppoeRows.size());
        for (std::size_t i = 0; i < f.pppoeRows.size(); ++i) {
            const PppoeLineRow& row = f.pppoeRows[i];
            lines.push_back({"pppoe-out" + std::to_string(i + 1), row.interface, row.srcAddress, nullptr, &row});
        }
    }
    return lines;
}

struct MarkStems {
    Gbk connection, routing;
};

MarkStems StemsOf(const MultiWanFields& f, BalanceMode mode) {
    if (f.ownMarks) return {f.connectionMark, f.routingMark};
    const bool pcc = mode == BalanceMode::Pcc;
    if (f.staticLines) return {pcc ? "ip_pcc" : "ip_nth", "ip_router_"};
    return {pcc ? "pcc" : "nth", "router_"};
}

// A mark is its stem and the line number, one value.
Gbk Mark(const Gbk& stem, std::size_t i) { return TypedWord(stem + std::to_string(i)); }

}  // namespace

Outcome BuildMultiWanScript(const MultiWanFields& f, BalanceMode mode) {
    if (f.dns1.empty() || f.dns2.empty()) return Refusal("请填写首选DNS和备用DNS的地址!");
    const std::vector<Line> lines = LinesOf(f);
    const std::size_t n = lines.size();
    if (n == 0) return Refusal("需添加一条宽带配置列表信息,才能生成脚本!!");
    if (mode != BalanceMode::SingleLine && n < 2) return Refusal("至少需要2条以上的宽带线路,才能启用PCC或NTH负载功能!");

    const bool single = mode == BalanceMode::SingleLine;
    const std::size_t written = single ? 1 : n;
    const Gbk lan = TypedWord(f.lanInterface);
    const Gbk peerDns = f.usePeerDns ? " use-peer-dns=yes " : " ";
    const Gbk defaultRoute = single ? " add-default-route=yes" : "";

    Gbk s;
    if (f.changeMss)
        s += "/ip firewall mangle add chain=forward protocol=tcp tcp-flags=syn action=change-mss new-mss=" +
             TypedWord(f.mss) + Gbk(kCrLf);
    if (f.setDns)
        s += "/ip dns set allow-remote-requests=yes cache-size=2048 max-udp-packet-size=512 servers=" +
             TypedWord(f.dns1 + "," + f.dns2) + "\r\n\r\n";
    if (f.masquerade) {
        s += "/ip firewall nat\r\n";
        for (std::size_t i = 1; i <= written; ++i)
            s += "add action=masquerade chain=srcnat out-interface=" + lines[i - 1].wan +
                 " comment=" + std::to_string(i) + Gbk(kCrLf);
        s += kCrLf;
    }
    s += "/ip address add address=" + TypedWord(f.lanAddress) + " interface=" + lan + " comment=" + Quote("lan") +
         Gbk(kCrLf);
    for (std::size_t i = 1; i <= written; ++i) {
        const Line& line = lines[i - 1];
        if (line.fixed)
            s += "/ip address add address=" + TypedWord(line.fixed->address) +
                 " interface=" + TypedWord(line.interface) + Gbk(kCrLf);
        else
            s += "/interface pppoe-client add name=pppoe-out" + std::to_string(i) +
                 " interface=" + TypedWord(line.interface) + " user=" + TypedWord(line.pppoe->user) +
                 " password=" + TypedWord(line.pppoe->password) + defaultRoute + peerDns + "disabled=no" + Gbk(kCrLf);
    }
    s += kCrLf;

    if (single) {
        // A PPPoE client brings its own default route.
        if (f.staticLines) s += "/ip route add gateway=" + TypedWord(lines[0].fixed->gateway);
        return Outcome::Script(std::move(s));
    }

    const MarkStems stems = StemsOf(f, mode);
    const std::string count = std::to_string(n);
    s += "/ip firewall mangle\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const Line& line = lines[i - 1];
        const std::string number = std::to_string(i);
        const Gbk connection = Mark(stems.connection, i);
        const Gbk routing = Mark(stems.routing, i);
        const Gbk split = f.split ? " src-address=" + TypedWord(line.srcAddress) + " " : Gbk();
        if (mode == BalanceMode::Pcc)
            s += "add action=mark-connection chain=prerouting dst-address-type=!local in-interface=" + lan +
                 " per-connection-classifier=" + TypedWord(f.pccType + ":" + count + "/" + std::to_string(i - 1)) +
                 " new-connection-mark=" + connection + " passthrough=yes comment=PCC" + number + split + Gbk(kCrLf);
        else
            s += "add action=mark-connection chain=prerouting connection-state=new dst-address-type=!local "
                 "in-interface=" +
                 lan + " new-connection-mark=" + connection + " nth=" + count + "," + number +
                 " passthrough=yes comment=NTH_" + count + "_" + number + split + Gbk(kCrLf);
        s += "add action=mark-routing chain=prerouting in-interface=" + lan + " connection-mark=" + connection +
             " new-routing-mark=" + routing + split + Gbk(kCrLf);
        if (f.returnPath)
            s += "add action=mark-connection chain=input in-interface=" + line.wan +
                 " new-connection-mark=" + connection +
                 "\r\nadd action=mark-routing chain=output connection-mark=" + connection +
                 " new-routing-mark=" + routing + "\r\n\r\n";
        else s += kCrLf;
    }

    s += "/ip route\r\n";
    for (std::size_t i = 1; i <= n; ++i) {
        const Line& line = lines[i - 1];
        // The marked route goes to the line's gateway, the fallback to its
        // interface, preferred in row order.
        const Gbk marked = line.fixed ? TypedWord(line.fixed->gateway) : line.wan;
        const Gbk fallback = line.fixed ? TypedWord(line.interface) : line.wan;
        s += "add dst-address=0.0.0.0/0 gateway=" + marked +
             " check-gateway=ping routing-mark=" + Mark(stems.routing, i) +
             " distance=1 disabled=no\r\nadd dst-address=0.0.0.0/0 gateway=" + fallback +
             " check-gateway=ping distance=" + std::to_string(i) + " disabled=no";
        if (i < n) s += kCrLf;
    }
    return Outcome::Script(std::move(s));
}

}  // namespace trelvix::install
