#pragma once
// Page "PCQ小包优先脚本": connections sorted by packet size and web ports, each
// class a queue with its own priority under one parent queue per direction,
// with PCQ queue types per host and an optional LAN range to shape.
#include <array>
#include <cstddef>

#include "common/text/Gbk.h"
#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

// One rate row of a direction: the parent queue's, or one traffic class's.
struct QosRateRow {
    Gbk limitAt = "0", maxLimit = "0";
    Gbk burstLimit, burstThreshold, burstTime;
};

// The rows of a direction, in the page's order: the parent queue ("all"),
// then small packets, the two middle sizes, big packets and web ports (1 to 5).
inline constexpr std::size_t kQosRowCount = 6;
using QosRateRows = std::array<QosRateRow, kQosRowCount>;

// The page's fields; the initial values are the page's defaults.
struct SmallPacketQosFields {
    Gbk upBandwidth = "256k", downBandwidth = "1M";
    Gbk upMark = "PCQ-up", downMark = "PCQ-down";
    Gbk wan = "ether1", lan = "ether2";
    bool restrictRange = false;
    Gbk range;
    QosRateRows up, down;
};

// The row table behind the page's combo boxes: a combo is named 组合框_34 +
// direction + column + row key ("组合框_34upMaxLimit1", "组合框_34downBurstTimeall").
struct QosRateColumn {
    const char* name;
    Gbk QosRateRow::*member;
};
inline const std::array<QosRateColumn, 5> kQosRateColumns = {{
    {"LimitAt", &QosRateRow::limitAt},
    {"MaxLimit", &QosRateRow::maxLimit},
    {"BurstLimit", &QosRateRow::burstLimit},
    {"BurstThreshold", &QosRateRow::burstThreshold},
    {"BurstTime", &QosRateRow::burstTime},
}};
inline constexpr std::array<const char*, kQosRowCount> kQosRowKeys = {"all", "1", "2", "3", "4", "5"};

Gbk BuildSmallPacketQos(const SmallPacketQosFields& fields, RouterOsVersion version);

}  // namespace trelvix::ratelimit
