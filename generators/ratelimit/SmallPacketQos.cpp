#include "generators/ratelimit/SmallPacketQos.h"

#include <string>

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

namespace trelvix::ratelimit {
namespace {

Gbk Rate(std::string_view typed) { return TypedWord(NormalizeRate(typed)); }

// " limit-at=… max-limit=…", left out unless both are filled.
Gbk RateClause(const QosRateRow& row) {
    if (row.limitAt.empty() || row.maxLimit.empty()) return {};
    return " limit-at=" + Rate(row.limitAt) + " max-limit=" + Rate(row.maxLimit);
}

// The burst clause needs all three burst fields; the burst time is written
// as chosen, since RouterOS reads a bare number as seconds.
Gbk BurstClause(const QosRateRow& row) {
    if (row.burstLimit.empty() || row.burstThreshold.empty() || row.burstTime.empty()) return {};
    return " burst-limit=" + Rate(row.burstLimit) + " burst-threshold=" + Rate(row.burstThreshold) +
           " burst-time=" + TypedWord(row.burstTime);
}

// The address list of the range to shape and the rules' match on it; both
// empty unless the box is checked and holds a range.
struct LanRestriction {
    Gbk addressList, match;
};

LanRestriction Restriction(const SmallPacketQosFields& f) {
    if (!f.restrictRange || f.range.empty()) return {};
    return {FillPlaceholders(StoredText("data/ratelimit/small-packet-lanip.rsc"), {{"{ip段}", TypedWord(f.range)}}),
            " src-address-list=lanip"};
}

// `type`: the queue type's name, already through the typed-value rule.
Gbk QueueType(const Gbk& type, const Gbk& bandwidth, const char* classifier) {
    return "/queue type add name=" + type + " kind=pcq pcq-rate=" + Rate(bandwidth) +
           " pcq-limit=50 pcq-classifier=" + classifier + " pcq-total-limit=2000\r\n";
}

}  // namespace

Gbk BuildSmallPacketQos(const SmallPacketQosFields& f, RouterOsVersion version) {
    const LanRestriction lan = Restriction(f);
    std::array<Gbk, kQosRowCount> up, bup, down, bdown;
    for (std::size_t i = 0; i < kQosRowCount; ++i) {
        up[i] = RateClause(f.up[i]);
        bup[i] = BurstClause(f.up[i]);
        down[i] = RateClause(f.down[i]);
        bdown[i] = BurstClause(f.down[i]);
    }
    const Gbk upType = TypedWord(f.upMark), downType = TypedWord(f.downMark);
    const bool v5 = version == RouterOsVersion::V5;
    const Gbk parentUp = v5 ? Gbk("global-out") : TypedWord(f.wan);
    const Gbk parentDown = v5 ? Gbk("global-in") : TypedWord(f.lan);

    // Filled in one pass, so a typed value that holds a placeholder's name
    // is written as typed and never filled again.
    // clang-format off
    const Gbk tree = FillPlaceholders(StoredText("data/ratelimit/small-packet-qos.rsc"),
                                      {{"{downall}", down[0]}, {"{bdownall}", bdown[0]},
                                       {"{down1}", down[1]}, {"{bdown1}", bdown[1]},
                                       {"{down2}", down[2]}, {"{bdown2}", bdown[2]},
                                       {"{down3}", down[3]}, {"{bdown3}", bdown[3]},
                                       {"{down4}", down[4]}, {"{bdown4}", bdown[4]},
                                       {"{down5}", down[5]}, {"{bdown5}", bdown[5]},
                                       {"{downtype}", downType},
                                       {"{lanip}", lan.addressList},
                                       {"{upall}", up[0]}, {"{bupall}", bup[0]},
                                       {"{up1}", up[1]}, {"{bup1}", bup[1]},
                                       {"{up2}", up[2]}, {"{bup2}", bup[2]},
                                       {"{up3}", up[3]}, {"{bup3}", bup[3]},
                                       {"{up4}", up[4]}, {"{bup4}", bup[4]},
                                       {"{up5}", up[5]}, {"{bup5}", bup[5]},
                                       {"{uptype}", upType},
                                       {"{ip}", lan.match},
                                       {"{up}", parentUp},
                                       {"{down}", parentDown}});
    // clang-format on
    return QueueType(upType, f.upBandwidth, "src-address") + QueueType(downType, f.downBandwidth, "dst-address") +
           "\r\n" + tree;
}

}  // namespace trelvix::ratelimit
