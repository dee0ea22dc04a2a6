#include "generators/firewall/FilterSets.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

namespace trelvix::firewall {
namespace {

// A comment written as RouterOS byte escapes inside quotes.
Gbk Escaped(std::string_view text) { return Quote(EncodeRouterOsEscapes(text)); }

// The all-TCP rule counts both directions of a connection, so its limit is
// twice the number the box shows (saturating, like every number read here).
Gbk DoubledLimit(std::string_view typed) {
    const std::int64_t n = ToInt64(typed);
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::int64_t doubled = n > kMax / 2 ? kMax : n < kMin / 2 ? kMin : n * 2;
    return std::to_string(doubled);
}

}  // namespace

Outcome BuildKeywordFilter(const KeywordFields& f, KeywordMode mode) {
    const std::vector<Gbk> lines = Split(f.keywords, "\r\n");
    if (lines.empty()) return Outcome::Nothing();
    const std::string_view action = mode == KeywordMode::Allow ? "accept" : "drop";
    const Gbk source = f.bySource ? "src-address=" + TypedWord(f.sourceNet + "/" + f.sourcePrefix) + " " : Gbk();
    const std::string_view head = "/ip firewall filter add chain=forward ";
    Gbk out;
    // Each keyword is written twice, escaped (up to three bytes per byte).
    out.reserve(lines.size() * (head.size() + source.size() + 80) + f.keywords.size() * 6);
    bool first = true;
    for (const Gbk& keyword : lines) {
        if (keyword.empty()) continue;
        if (!first) out += "\r\n";
        first = false;
        const Gbk q = Escaped(keyword);
        out += head;
        out += source;
        out += "protocol=tcp dst-port=80 content=";
        out += q;
        out += " action=";
        out += action;
        out += " comment=";
        out += q;
        out += " disabled=no";
    }
    if (mode == KeywordMode::Allow) {
        if (!first) out += "\r\n";
        out += "/ip firewall filter add chain=forward protocol=tcp dst-port=80 content=" + Quote("*") +
               " action=drop comment=" + Quote("LanJieAll 80") + " disabled=no";
    }
    return Outcome::Script(std::move(out));
}

Gbk BuildRecommendedFirewall(const RecommendedFields& f) {
    Gbk out = "/ip firewall filter\r\n";
    const auto line = [&out](bool on, const Gbk& rule) {
        if (on) out += rule + "\r\n";
    };
    line(f.invalidInput, "add chain=input action=drop connection-state=invalid comment=" + Escaped("丢弃非法连接数据"));
    line(f.nonLocal, "add chain=input action=drop dst-address-type=!local comment=" + Escaped("丢弃非本地数据"));
    line(f.allTcp, "add chain=input action=drop protocol=tcp connection-limit=" + DoubledLimit(f.allTcpLimit) +
                       ",0 comment=" + Escaped("限制所有 TCP 连接数为" + f.allTcpLimit + "条"));
    line(f.perHost, "add chain=forward action=drop connection-limit=" + TypedWord(f.perHostLimit + ",32") +
                        " comment=" + Escaped("限制每个主机TCP连接数为" + f.perHostLimit + "条"));
    line(f.portScan,
         "add chain=input action=drop protocol=tcp psd=21,3s,3,1 comment=" + Escaped("探测并丢弃端口扫描连接"));
    line(f.dosDetect, "add chain=input action=add-src-to-address-list protocol=tcp address-list=black_list comment=" +
                          Escaped("探测 DoS 攻击"));
    line(f.dosTarpit,
         "add chain=input action=tarpit protocol=tcp src-address-list=black_list connection-limit=3,32 comment=" +
             Escaped("压制 DoS 攻击"));
    line(f.invalidForward,
         "add chain=forward action=drop connection-state=invalid comment=" + Escaped("丢弃非法数据包"));
    line(f.nonUnicast,
         "add chain=forward src-address-type=!unicast action=drop comment=" + Escaped("丢弃掉所有非单播数据"));
    if (f.virusJump) {
        line(true, "add chain=forward action=jump jump-target=virus comment=" + Escaped("跳转到病毒链表 virus"));
        if (f.virusChain) out += StoredText("data/firewall/virus-chain.rsc");
    }
    if (f.icmpJump) {
        line(true, "add chain=forward protocol=icmp action=jump jump-target=ICMP comment=" + Escaped("跳转到ICMP链表"));
        line(f.pingReply, "add chain=ICMP protocol=icmp icmp-options=0:0-255 limit=5,5 action=accept comment=" +
                              Escaped("Ping应答限制为每秒5个包"));
        line(f.traceroute, "add chain=ICMP protocol=icmp icmp-options=3:3 limit=5,5 action=accept comment=" +
                               Escaped("Traceroute限制为每秒5个包"));
        line(f.mtuProbe, "add chain=ICMP protocol=icmp icmp-options=3:4 limit=5,5 action=accept comment=" +
                             Escaped("MTU线路探测限制为每秒5个包"));
        line(f.pingRequest, "add chain=ICMP protocol=icmp icmp-options=8:0-255 limit=5,5 action=accept comment=" +
                                Escaped("Ping请求限制为每秒5个包"));
        line(f.traceTtl, "add chain=ICMP protocol=icmp icmp-options=11:0-255 limit=5,5 action=accept comment=" +
                             Escaped("Trace TTL限制为每秒5个包"));
        line(f.icmpDrop, "add chain=ICMP protocol=icmp action=drop comment=" + Escaped("丢弃掉任何ICMP数据"));
    }
    return out;
}

}  // namespace trelvix::firewall
