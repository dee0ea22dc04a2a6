#pragma once
// Page "PCQ简单分组限速": the hosts of one range dealt in turn to one to four
// groups, each with its own pair of PCQ simple queues. Every per-group setting
// is one text holding a value per group.
#include <optional>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"
#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

// One value per group, separated by "/" ("1M/1M/1M" for three groups).
struct GroupValueList {
    Gbk text;
    GroupValueList(Gbk t = {}) : text(std::move(t)) {}
    GroupValueList(const char* t) : text(t) {}
    // The first `groups` values; nothing when the list holds fewer. Values past
    // the group count are ignored.
    std::optional<std::vector<Gbk>> Values(int groups) const;
};

// "one" .. "eight" for 1 .. 8, otherwise the empty text.
Gbk GroupName(int group);

// The group count a text asks for: its leading integer, within the eight
// groups the table holds.
int GroupCountOf(std::string_view text);

// One direction's lists; the initial values are the page's defaults.
struct GroupListFields {
    GroupValueList limitAt = "0", maxLimit = "0";
    GroupValueList burstLimit = "0", burstThreshold = "0", burstTime = "3";
};

// The page's fields; the initial values are the page's defaults.
struct PcqGroupFields {
    Gbk groupCount = "1";
    Gbk prefix = "192.168.1";
    Gbk from = "1", to = "200";
    Gbk upBandwidth = "256k", downBandwidth = "1M";
    Gbk upMark = "PCQ-up", downMark = "PCQ-down";
    GroupValueList priority = "8";  // one list for both directions
    bool burst = false;
    GroupListFields up, down;
};

// One group's settings in one direction.
struct GroupSettings {
    Gbk limitAt, maxLimit, priority, burstLimit, burstThreshold, burstTime;
};

// A direction's lists cut into groups, or the error for the first list that
// is too short, naming that list (the burst lists are read only with burst on).
struct GroupTable {
    std::vector<GroupSettings> groups;
    std::optional<ScriptError> error;
};

GroupTable SplitGroupValues(const GroupListFields& lists, const GroupValueList& priority, int groups, bool burst);

// The versions differ only in how the simple queues name the traffic they take.
Outcome BuildPcqGroupScript(const PcqGroupFields& fields, RouterOsVersion version);

}  // namespace trelvix::ratelimit
