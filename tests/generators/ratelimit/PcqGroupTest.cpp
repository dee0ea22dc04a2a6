#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/ratelimit/PcqGroup.h"

namespace trelvix::ratelimit {
namespace {

using test::G;
using test::Visible;

// RouterOS 6 knows the simple queue's dst-address and interface as dst and
// target; the 6.X script differs from the 5.X one in those words only.
std::string InVersion6Words(std::string script) {
    const std::string v5 = " dst-address=0.0.0.0/0 interface=all ", v6 = " target=0.0.0.0/0 dst=0.0.0.0/0 ";
    for (std::size_t at = script.find(v5); at != std::string::npos; at = script.find(v5, at + v6.size()))
        script.replace(at, v5.size(), v6);
    return script;
}

// The 5.X script, after checking the 6.X one against it.
std::string Script(const PcqGroupFields& f) {
    const Outcome out = BuildPcqGroupScript(f, RouterOsVersion::V5);
    if (!out.script) {
        ADD_FAILURE() << (out.error ? Visible(out.error->message) : "nothing");
        return {};
    }
    const Outcome v6 = BuildPcqGroupScript(f, RouterOsVersion::V6);
    EXPECT_EQ(Visible(v6.script.value_or("")), Visible(InVersion6Words(*out.script)));
    return *out.script;
}

TEST(PcqGroupScript, ThreeGroupsDealTheHostsInTurn) {
    PcqGroupFields f;
    f.groupCount = "3";
    f.up.limitAt = "0/0/0";
    f.down.limitAt = "64k/128k/256k";
    f.up.maxLimit = "1M/2M/3M";
    f.down.maxLimit = "4M/5M/6M";
    f.priority = "8/7/6";
    const std::string expected =
        ":for vemtu from=1 to=200 step=3 do={/ip firewall address-list add list=\"one\" address=(\"192.168.1.\".$vemtu)}\r\n"
        ":for vemtu from=2 to=200 step=3 do={/ip firewall address-list add list=\"two\" address=(\"192.168.1.\".$vemtu)}\r\n"
        ":for vemtu from=3 to=200 step=3 do={/ip firewall address-list add list=\"three\" address=(\"192.168.1.\".$vemtu)}\r\n"
        "\r\n"
        "/ip firewall mangle\r\n"
        "add chain=prerouting action=mark-packet new-packet-mark=one_up src-address-list=one comment=zu_1_up passthrough=yes\r\n"
        "add chain=forward action=mark-packet new-packet-mark=one_down dst-address-list=one comment=zu_1_down passthrough=yes\r\n"
        "\r\n"
        "add chain=prerouting action=mark-packet new-packet-mark=two_up src-address-list=two comment=zu_2_up passthrough=yes\r\n"
        "add chain=forward action=mark-packet new-packet-mark=two_down dst-address-list=two comment=zu_2_down passthrough=yes\r\n"
        "\r\n"
        "add chain=prerouting action=mark-packet new-packet-mark=three_up src-address-list=three comment=zu_3_up passthrough=yes\r\n"
        "add chain=forward action=mark-packet new-packet-mark=three_down dst-address-list=three comment=zu_3_down passthrough=yes\r\n"
        "\r\n"
        "/queue type add name=PCQ-up kind=pcq pcq-rate=256k pcq-limit=50 pcq-classifier=src-address pcq-total-limit=10000\r\n"
        "/queue type add name=PCQ-down kind=pcq pcq-rate=1M pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=10000\r\n"
        "\r\n"
        "/queue simple\r\n"
        "add name=\"pcq_1_up\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_up priority=8 "
        "queue=PCQ-up/PCQ-down limit-at=0/64k max-limit=1M/4M total-queue=default-small\r\n"
        "add name=\"pcq_1_down\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_down priority=8 "
        "queue=default-small/PCQ-down limit-at=0/64k max-limit=1M/4M total-queue=default-small\r\n"
        "\r\n"
        "add name=\"pcq_2_up\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=two_up priority=7 "
        "queue=PCQ-up/PCQ-down limit-at=0/128k max-limit=2M/5M total-queue=default-small\r\n"
        "add name=\"pcq_2_down\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=two_down priority=7 "
        "queue=default-small/PCQ-down limit-at=0/128k max-limit=2M/5M total-queue=default-small\r\n"
        "\r\n"
        "add name=\"pcq_3_up\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=three_up priority=6 "
        "queue=PCQ-up/PCQ-down limit-at=0/256k max-limit=3M/6M total-queue=default-small\r\n"
        "add name=\"pcq_3_down\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=three_down priority=6 "
        "queue=default-small/PCQ-down limit-at=0/256k max-limit=3M/6M total-queue=default-small";
    EXPECT_EQ(Visible(Script(f)), Visible(expected));
}

TEST(PcqGroupScript, BurstClauseOnBothQueuesOfAGroup) {
    PcqGroupFields f;
    f.burst = true;
    f.up.burstLimit = "2M";
    f.up.burstTime = "8";
    f.down.burstThreshold = "512k";
    const std::string rest =
        " limit-at=0/0 max-limit=0/0 total-queue=default-small burst-limit=2M/0 burst-threshold=0/512k burst-time=8s/3s";
    const std::string script = Script(f);
    const std::string queues = script.substr(script.find("/queue simple\r\n"));
    // clang-format off
    EXPECT_EQ(Visible(queues),
              Visible("/queue simple\r\n"
                      "add name=\"pcq_1_up\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_up "
                      "priority=8 queue=PCQ-up/PCQ-down" + rest + "\r\n"
                      "add name=\"pcq_1_down\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_down "
                      "priority=8 queue=default-small/PCQ-down" + rest));
    // clang-format on
}

TEST(PcqGroupScript, RatesAreMendedOnlyInMaxLimitAndBurst) {
    PcqGroupFields f;
    f.groupCount = "2";
    f.burst = true;
    f.up = {"1m/2m", "1m/2m", "3m/4m", "5m/6m", "7m/8"};
    f.down = {"1/2", "3/4", "5/6", "1/2", "9/10"};
    f.priority = "1m/2";
    f.upBandwidth = "2m";
    const std::string script = Script(f);
    for (const char* part :
         {"priority=1m queue=PCQ-up/PCQ-down limit-at=1m/1 max-limit=1M/3 total-queue=default-small "
          "burst-limit=3M/5 burst-threshold=5M/1 burst-time=7ms/9s",
          "priority=2 queue=default-small/PCQ-down limit-at=2m/2 max-limit=2M/4 total-queue=default-small "
          "burst-limit=4M/6 burst-threshold=6M/2 burst-time=8s/10s",
          "pcq-rate=2M pcq-limit=50"}) {
        EXPECT_NE(script.find(part), std::string::npos) << part << "\n" << Visible(script);
    }
}

TEST(PcqGroupScript, TypedNamesAndValuesThatCannotStandBareAreQuotedWhole) {
    PcqGroupFields f;
    f.to = "200 ";
    f.upMark = "PCQ up";
    f.downMark = G("下行");
    f.upBandwidth = "1 M";
    f.priority = "8\"";
    f.down.limitAt = "$x";
    // clang-format off
    const std::string expected =
        ":for vemtu from=1 to=\"200 \" step=1 do={/ip firewall address-list add list=\"one\" address=(\"192.168.1.\".$vemtu)}\r\n"
        "\r\n"
        "/ip firewall mangle\r\n"
        "add chain=prerouting action=mark-packet new-packet-mark=one_up src-address-list=one comment=zu_1_up passthrough=yes\r\n"
        "add chain=forward action=mark-packet new-packet-mark=one_down dst-address-list=one comment=zu_1_down passthrough=yes\r\n"
        "\r\n"
        "/queue type add name=\"PCQ up\" kind=pcq pcq-rate=\"1 M\" pcq-limit=50 pcq-classifier=src-address pcq-total-limit=10000\r\n"
        "/queue type add name=\"" + G("下行") + "\" kind=pcq pcq-rate=1M pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=10000\r\n"
        "\r\n"
        "/queue simple\r\n"
        "add name=\"pcq_1_up\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_up priority=\"8\\\"\" "
        "queue=\"PCQ up/" + G("下行") + "\" limit-at=\"0/\\$x\" max-limit=0/0 total-queue=default-small\r\n"
        "add name=\"pcq_1_down\" dst-address=0.0.0.0/0 interface=all parent=none packet-marks=one_down priority=\"8\\\"\" "
        "queue=\"default-small/" + G("下行") + "\" limit-at=\"0/\\$x\" max-limit=0/0 total-queue=default-small";
    EXPECT_EQ(Visible(Script(f)), Visible(expected));
}
// clang-format on

TEST(PcqGroupScript, HostNumbersAndTotalLimit) {
    PcqGroupFields f;
    f.from = "10";
    f.to = "20";
    f.groupCount = "2";
    f.up.limitAt = f.down.limitAt = f.up.maxLimit = f.down.maxLimit = f.priority = "1/2/3";  // extra values ignored
    std::string script = Script(f);
    EXPECT_NE(script.find(":for vemtu from=10 to=20 step=2 do="), std::string::npos) << Visible(script);
    EXPECT_NE(script.find(":for vemtu from=11 to=20 step=2 do="), std::string::npos);
    EXPECT_NE(script.find("pcq-classifier=src-address pcq-total-limit=550\r\n"), std::string::npos);
    EXPECT_NE(script.find("pcq-classifier=dst-address pcq-total-limit=550\r\n\r\n"), std::string::npos);

    // Huge host numbers saturate instead of wrapping; the total keeps 13 digits.
    f.from = "1";
    f.to = "99999999999999999999";
    script = Script(f);
    EXPECT_NE(script.find(" to=99999999999999999999 step=2"), std::string::npos);
    EXPECT_NE(script.find("pcq-total-limit=461168601842700000000\r\n"), std::string::npos) << Visible(script);
}

struct SplitCase {
    const char* name;
    void (*edit)(PcqGroupFields&);
    const char* message;
    const char* title;
    // The field the error names, in the fields checked.
    FieldRef (*focus)(const PcqGroupFields&);
};

void TwoGroups(PcqGroupFields& f) {
    f.groupCount = "2";
    f.up = {"0/0", "0/0", "0/0", "0/0", "3/3"};
    f.down = f.up;
    f.priority = "8/8";
}

const char* const kIp = "您填写的ip格式有误,请重新填写!";
const char* const kFormat = "您填写的格式有误,请重新确认!";

const std::vector<SplitCase> kSplitCases = {
    {"the prefix first",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.prefix = "192.168";
         f.up.limitAt = "0";
     },
     kIp, "ip格式错误", [](const PcqGroupFields& f) { return FieldOf(f.prefix); }},
    {"upload limit-at",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.up.limitAt = "0";
         f.up.maxLimit = "0";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.up.limitAt); }},
    {"upload max-limit",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.up.maxLimit = "1M";
         f.priority = "8";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.up.maxLimit); }},
    {"priority",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.priority = "8/";
         f.down.limitAt = "0";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.priority); }},
    {"upload burst-limit with burst on",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.burst = true;
         f.up.burstLimit = "1M";
         f.up.burstTime = "3";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.up.burstLimit); }},
    {"upload burst-threshold with burst on",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.burst = true;
         f.up.burstThreshold = "";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.up.burstThreshold); }},
    {"upload burst time with burst on",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.burst = true;
         f.up.burstTime = "3";
         f.down.limitAt = "0";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.up.burstTime); }},
    {"download after upload",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.down.limitAt = "0";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.down.limitAt); }},
    {"download max-limit",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.down.maxLimit = "1M";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.down.maxLimit); }},
    {"download burst time with burst on",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.burst = true;
         f.down.burstTime = "3/";
     },
     kFormat, "格式错误", [](const PcqGroupFields& f) { return FieldOf(f.down.burstTime); }},
    {"burst off: short burst lists are not read",
     [](PcqGroupFields& f) {
         TwoGroups(f);
         f.up.burstLimit = f.up.burstThreshold = f.up.burstTime = "";
         f.down.burstLimit = f.down.burstThreshold = f.down.burstTime = "1";
     },
     nullptr, nullptr, nullptr},
};

TEST(PcqGroupScript, ChecksTheListsInOrder) {
    for (const SplitCase& c : kSplitCases) {
        SCOPED_TRACE(c.name);
        PcqGroupFields f;
        c.edit(f);
        const Outcome out = BuildPcqGroupScript(f, RouterOsVersion::V5);
        if (!c.message) {
            EXPECT_TRUE(out.script);
            continue;
        }
        ASSERT_TRUE(out.error);
        EXPECT_FALSE(out.script);
        EXPECT_EQ(*out.error,
                  (ScriptError{G(c.message), 16, G(c.title), c.focus(f), FocusMove::AfterBox, G("主窗口")}));
    }
}

TEST(GroupValueList, TakesTheFirstValuesAndKeepsEmptyOnes) {
    EXPECT_EQ(GroupValueList("1M/2M/3M").Values(2), (std::vector<Gbk>{"1M", "2M"}));
    EXPECT_EQ(GroupValueList("1M//3M").Values(3), (std::vector<Gbk>{"1M", "", "3M"}));
    EXPECT_EQ(GroupValueList("1M/2M/").Values(3), std::nullopt);  // no value after the last "/"
    EXPECT_EQ(GroupValueList("").Values(1), std::nullopt);
}

TEST(GroupName, NamesTheEightGroups) {
    const std::vector<Gbk> names = {"", "one", "two", "three", "four", "five", "six", "seven", "eight", ""};
    for (int g = 0; g <= 9; ++g) EXPECT_EQ(GroupName(g), names[g]) << g;
    EXPECT_EQ(GroupName(-1), "");
}

}  // namespace
}  // namespace trelvix::ratelimit
