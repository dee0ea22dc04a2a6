#pragma once
// Page "Queues简单限速": one simple queue per host of an address range, written
// as a RouterOS :for loop, with optional burst and time-window clauses.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"
#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

// The page's fields; the initial values are the page's defaults.
struct SimpleQueueFields {
    Gbk prefix = "192.168.1";
    Gbk namePrefix = "PC";
    Gbk from = "1", to = "200";
    Gbk upLimitAt = "0", downLimitAt = "0";
    Gbk upMaxLimit = "0", downMaxLimit = "0";
    Gbk priority = "8";
    bool burst = false;
    Gbk upBurstLimit = "0", downBurstLimit = "0";
    Gbk upBurstThreshold = "0", downBurstThreshold = "0";
    Gbk upBurstTime = "3", downBurstTime = "3";
    bool time = false;
    Gbk timeStart = "00:00:00", timeEnd = "24:00:00";
    std::array<bool, 7> days{true, true, true, true, true, true, true};  // sun .. sat
};

Outcome BuildSimpleQueueScript(const SimpleQueueFields& fields, RouterOsVersion version);

// The loop that removes the queues the page adds; no checks.
Gbk BuildRemoveSimpleQueues(const SimpleQueueFields& fields);

// A rate as the order check reads it: the leading integer, times 1024 when the
// text holds an "M" or "m" anywhere; saturating, so huge rates still compare.
std::int64_t RateOrderValue(std::string_view rate);

// One direction's rates in the order limit-at <= max-limit <= burst-limit and
// burst-threshold <= burst-limit; a burst-limit of 0 ends the comparison.
std::optional<ScriptError> CheckRateOrder(std::string_view limitAt, std::string_view maxLimit,
                                          std::string_view burstLimit, std::string_view burstThreshold);

}  // namespace trelvix::ratelimit
