#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/ratelimit/SimpleQueue.h"

namespace trelvix::ratelimit {
namespace {

using test::G;
using test::Visible;

const std::string kHead =
    ":for vemtu from=1 to=200 do={/queue simple add name=(\"PC\".$vemtu) target=(\"192.168.1.\" . $vemtu) ";

struct ScriptCase {
    const char* name;
    void (*edit)(SimpleQueueFields&);
    RouterOsVersion version;
    std::string expected;
};

const std::vector<ScriptCase> kScripts = {
    {"burst off, 5.X", [](SimpleQueueFields&) {}, RouterOsVersion::V5,
     kHead + "limit-at=0/0 max-limit=0/0 disabled=no}"},
    {"burst off, 6.X: no priority without burst", [](SimpleQueueFields&) {}, RouterOsVersion::V6,
     kHead + "limit-at=0/0 max-limit=0/0 disabled=no}"},
    {"burst on, 5.X", [](SimpleQueueFields& f) { f.burst = true; }, RouterOsVersion::V5,
     kHead + "limit-at=0/0 max-limit=0/0 burst-limit=0/0 burst-threshold=0/0 burst-time=3s/3s priority=8 disabled=no}"},
    {"burst on, 6.X", [](SimpleQueueFields& f) { f.burst = true; }, RouterOsVersion::V6,
     kHead +
         "limit-at=0/0 max-limit=0/0 burst-limit=0/0 burst-threshold=0/0 burst-time=3s/3s priority=8/8 disabled=no}"},
    {"burst and time on, 6.X",
     [](SimpleQueueFields& f) {
         f.burst = true;
         f.time = true;
     },
     RouterOsVersion::V6,
     kHead + "limit-at=0/0 max-limit=0/0 burst-limit=0/0 burst-threshold=0/0 burst-time=3s/3s priority=8/8 "
             "time=00h00m00s-24h00m00s,sun,mon,tue,wed,thu,fri,sat disabled=no}"},
    {"time on with mon and fri, 5.X",
     [](SimpleQueueFields& f) {
         f.time = true;
         f.timeStart = "08:30:00";
         f.timeEnd = "18:00:00";
         f.days = {false, true, false, false, false, true, false};
     },
     RouterOsVersion::V5, kHead + "limit-at=0/0 max-limit=0/0 time=08h30m00s-18h00m00s,mon,fri disabled=no}"},
    {"time on with mon and fri, 6.X, burst in order",
     [](SimpleQueueFields& f) {
         f.time = true;
         f.days = {false, true, false, false, false, true, false};
         f.burst = true;
         f.upLimitAt = "256k";
         f.upMaxLimit = "1M";
         f.upBurstLimit = "2M";
         f.upBurstThreshold = "512k";
         f.upBurstTime = "8";
         f.downMaxLimit = "4M";
         f.priority = "3";
     },
     RouterOsVersion::V6,
     kHead + "limit-at=256k/0 max-limit=1M/4M burst-limit=2M/0 burst-threshold=512k/0 burst-time=8s/3s priority=3/3 "
             "time=00h00m00s-24h00m00s,mon,fri disabled=no}"},
    {"a prefix of four parts, other range and name",
     [](SimpleQueueFields& f) {
         f.prefix = "10.0.8.0";
         f.namePrefix = "host";
         f.from = "5";
         f.to = "9";
     },
     RouterOsVersion::V5,
     ":for vemtu from=5 to=9 do={/queue simple add name=(\"host\".$vemtu) target=(\"10.0.8.\" . $vemtu) "
     "limit-at=0/0 max-limit=0/0 disabled=no}"},
    {"rates typed in lower case are written with M",
     [](SimpleQueueFields& f) {
         f.upLimitAt = "1m";
         f.upMaxLimit = "2m";
         f.downMaxLimit = "10mb";
     },
     RouterOsVersion::V5, kHead + "limit-at=1M/0 max-limit=2M/10M disabled=no}"},
    {"a typed name keeps its $ and quote from RouterOS", [](SimpleQueueFields& f) { f.namePrefix = "P$\"C"; },
     RouterOsVersion::V5,
     ":for vemtu from=1 to=200 do={/queue simple add name=(\"P\\$\\\"C\".$vemtu) target=(\"192.168.1.\" . $vemtu) "
     "limit-at=0/0 max-limit=0/0 disabled=no}"},
    {"typed values that cannot stand bare are quoted, each whole value at once",
     [](SimpleQueueFields& f) {
         f.from = "1 ";
         f.to = "$n";
         f.upLimitAt = "1 m";
         f.upMaxLimit = "2m";
         f.downMaxLimit = G("十M");
         f.burst = true;
         f.upBurstLimit = "0";
         f.downBurstTime = "3;";
         f.priority = "8?";
         f.time = true;
         f.timeStart = "08:00:00 ";
     },
     RouterOsVersion::V6,
     ":for vemtu from=\"1 \" to=\"\\$n\" do={/queue simple add name=(\"PC\".$vemtu) target=(\"192.168.1.\" . $vemtu) "
     "limit-at=\"1 M/0\" max-limit=\"2M/" +
         G("十M") +
         "\" burst-limit=0/0 burst-threshold=0/0 "
         "burst-time=\"3s/3;s\" priority=\"8\\?/8\\?\" "
         "time=\"08h00m00 s-24h00m00s,sun,mon,tue,wed,thu,fri,sat\" disabled=no}"},
};

TEST(SimpleQueueScript, WritesTheLoopWithItsClauses) {
    for (const ScriptCase& c : kScripts) {
        SCOPED_TRACE(c.name);
        SimpleQueueFields f;
        c.edit(f);
        const Outcome out = BuildSimpleQueueScript(f, c.version);
        ASSERT_TRUE(out.script) << (out.error ? Visible(out.error->message) : "nothing");
        EXPECT_EQ(Visible(*out.script), Visible(c.expected));
    }
}

TEST(SimpleQueueScript, RemoveLoopUsesRangeAndName) {
    SimpleQueueFields f;
    EXPECT_EQ(BuildRemoveSimpleQueues(f), ":for vemtu from=1 to=200 do={queue simple remove (\"PC\" . $vemtu)}");
    f.from = "20";
    f.to = "30";
    f.namePrefix = "pc-";
    f.prefix = "bad";  // not checked
    EXPECT_EQ(BuildRemoveSimpleQueues(f), ":for vemtu from=20 to=30 do={queue simple remove (\"pc-\" . $vemtu)}");
    f.to = "30 ";
    EXPECT_EQ(BuildRemoveSimpleQueues(f), ":for vemtu from=20 to=\"30 \" do={queue simple remove (\"pc-\" . $vemtu)}");
}

// The error, and the field it names (its focus is filled in from the fields checked).
struct Expected {
    ScriptError error;
    Gbk SimpleQueueFields::*focus = nullptr;
};

struct CheckCase {
    const char* name;
    void (*edit)(SimpleQueueFields&);
    Expected expected;
};

Expected IpError() {
    return {{G("您填写的ip格式有误,请重新填写!"), 16, G("ip格式错误"), {}, FocusMove::AfterBox, G("主窗口")},
            &SimpleQueueFields::prefix};
}
Expected TimeError(Gbk SimpleQueueFields::*box, int flags) {
    return {{G("您填写的Time时间段格式有误,格式: 12:10:10"), flags, std::nullopt, {}, FocusMove::BeforeBox, ""}, box};
}
Expected RateError(const char* message) { return {{G(message), 16, G("错误"), {}, FocusMove::None, G("主窗口")}}; }
const char* const kMaxBelowLimit = "Max Limit的值不能小于Limit At的值!";

void NoDays(SimpleQueueFields& f) {
    f.time = true;
    f.days = {};
}

const std::vector<CheckCase> kChecks = {
    {"two parts of an address", [](SimpleQueueFields& f) { f.prefix = "192.168"; }, IpError()},
    {"five parts of an address", [](SimpleQueueFields& f) { f.prefix = "192.168.1.0.5"; }, IpError()},
    {"the prefix before the days",
     [](SimpleQueueFields& f) {
         f.prefix = "";
         NoDays(f);
     },
     IpError()},
    {"no day checked, even with bad times",
     [](SimpleQueueFields& f) {
         NoDays(f);
         f.timeStart = "8:00";
         f.timeEnd = "x";
     },
     Expected{{G("请选择要限速的哪一天!"), 16, std::nullopt, {}, FocusMove::None, ""}}},
    {"start of two parts: focus first, error icon",
     [](SimpleQueueFields& f) {
         f.time = true;
         f.timeStart = "8:00";
         f.timeEnd = "8:00";
     },
     TimeError(&SimpleQueueFields::timeStart, 16)},
    {"end of two parts: no icon",
     [](SimpleQueueFields& f) {
         f.time = true;
         f.timeEnd = "18:00:";
     },
     TimeError(&SimpleQueueFields::timeEnd, 0)},
    {"the time before the rates",
     [](SimpleQueueFields& f) {
         f.time = true;
         f.timeStart = "8";
         f.burst = true;
         f.upLimitAt = "2M";
         f.upMaxLimit = "1M";
     },
     TimeError(&SimpleQueueFields::timeStart, 16)},
    {"upload rates out of order",
     [](SimpleQueueFields& f) {
         f.burst = true;
         f.upLimitAt = "2M";
         f.upMaxLimit = "1M";
     },
     RateError(kMaxBelowLimit)},
    {"download rates out of order",
     [](SimpleQueueFields& f) {
         f.burst = true;
         f.downMaxLimit = "1M";
         f.downBurstLimit = "512k";
     },
     RateError("Burst Limit的值不能小于Max Limit的值!")},
};

TEST(SimpleQueueScript, ChecksInOrderAndProducesNothingOnAFault) {
    for (const CheckCase& c : kChecks) {
        SCOPED_TRACE(c.name);
        SimpleQueueFields f;
        c.edit(f);
        ScriptError expected = c.expected.error;
        if (c.expected.focus) expected.focus = FieldOf(f.*c.expected.focus);
        for (RouterOsVersion v : {RouterOsVersion::V5, RouterOsVersion::V6}) {
            const Outcome out = BuildSimpleQueueScript(f, v);
            EXPECT_FALSE(out.script);
            ASSERT_TRUE(out.error);
            EXPECT_EQ(Visible(out.error->message), Visible(expected.message));
            EXPECT_EQ(*out.error, expected);
        }
    }
}

TEST(SimpleQueueScript, RatesAreNotComparedWithoutBurst) {
    SimpleQueueFields f;
    f.upLimitAt = "2M";
    f.upMaxLimit = "1M";
    f.downBurstLimit = "1";
    EXPECT_TRUE(BuildSimpleQueueScript(f, RouterOsVersion::V6).script);
}

struct OrderCase {
    const char *limitAt, *maxLimit, *burstLimit, *burstThreshold;
    const char* message;  // nullptr: in order
};

TEST(CheckRateOrder, ComparesRatesReadAsKilobits) {
    const OrderCase cases[] = {
        {"2M", "1M", "0", "0", kMaxBelowLimit},
        {"1M", "1M", "1M", "1M", nullptr},
        {"0", "1M", "0", "5M", nullptr},  // burst 0: nothing more is compared
        {"0", "1M", "512k", "0", "Burst Limit的值不能小于Max Limit的值!"},
        {"0", "1M", "2M", "3M", "Burst Limit的值不能小于Burst Threshold的值!"},
        {"1", "M", "0", "0", kMaxBelowLimit},    // "M" alone is 0
        {"1", "abc", "0", "0", kMaxBelowLimit},  // no number is 0
        {"1.5M", "1100", "0", "0", nullptr},     // 1.5M reads as 1M = 1024
        {"1.5M", "1023", "0", "0", kMaxBelowLimit},
        {"2m", "2000", "0", "0", kMaxBelowLimit},  // lower-case m counts too
        {"1M", "3000000M", "3000000M", "2999999M", nullptr},
        {"1M", "99999999999999999999M", "0", "0", nullptr},  // saturates, never wraps
        {"99999999999999999999M", "1M", "0", "0", kMaxBelowLimit},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(std::string(c.limitAt) + " " + c.maxLimit + " " + c.burstLimit + " " + c.burstThreshold);
        const auto error = CheckRateOrder(c.limitAt, c.maxLimit, c.burstLimit, c.burstThreshold);
        if (!c.message) {
            EXPECT_FALSE(error);
            continue;
        }
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, RateError(c.message).error);
    }
}

}  // namespace
}  // namespace trelvix::ratelimit
