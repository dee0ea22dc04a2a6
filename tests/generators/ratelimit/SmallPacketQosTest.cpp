#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/EmbeddedData.h"
#include "generators/ratelimit/SmallPacketQos.h"

namespace trelvix::ratelimit {
namespace {

using trelvix::test::G;

// The whole script as the page writes it: queue types, an empty line, then
// the address list (when given), the mangle rules and the two queue trees.
std::string Expected(const std::string& parentDown, const std::string& parentUp, const std::string& lanList = "",
                     const std::string& match = "", const std::string& rates = " limit-at=0 max-limit=0") {
    // clang-format off
    const std::string m = match;
    return "/queue type add name=PCQ-up kind=pcq pcq-rate=256k pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000\r\n"
           "/queue type add name=PCQ-down kind=pcq pcq-rate=1M pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000\r\n"
           "\r\n" + lanList +
           "/ip firewall mangle\r\n"
           "add action=mark-connection chain=forward new-connection-mark=small_con protocol=icmp passthrough=yes" + m + "\r\n"
           "add action=mark-connection chain=forward new-connection-mark=small_con protocol=udp dst-port=53 passthrough=yes" + m + "\r\n"
           "add action=mark-connection chain=forward new-connection-mark=small_con protocol=tcp dst-port=53 passthrough=yes" + m + "\r\n"
           "add action=mark-connection chain=forward new-connection-mark=small_con packet-size=0-512 passthrough=yes" + m + "\r\n"
           "add action=mark-packet chain=forward connection-mark=small_con new-packet-mark=small passthrough=no\r\n"
           "add action=mark-connection chain=forward new-connection-mark=ie_con protocol=tcp dst-port=80,443,8080,22,23,3389 passthrough=yes" + m + "\r\n"
           "add action=mark-packet chain=forward connection-mark=ie_con new-packet-mark=ie passthrough=no\r\n"
           "add action=mark-connection chain=forward new-connection-mark=middle_con packet-size=513-1000 passthrough=yes" + m + "\r\n"
           "add action=mark-packet chain=forward connection-mark=middle_con new-packet-mark=middle passthrough=no\r\n"
           "add action=mark-connection chain=forward new-connection-mark=middle_con2 packet-size=1001-1300 passthrough=yes" + m + "\r\n"
           "add action=mark-packet chain=forward connection-mark=middle_con2 new-packet-mark=middle2 passthrough=no\r\n"
           "add action=mark-connection chain=forward new-connection-mark=big_con packet-size=1301-1500 passthrough=yes" + m + "\r\n"
           "add action=mark-packet chain=forward connection-mark=big_con new-packet-mark=big passthrough=no\r\n"
           "\r\n"
           "/queue tree\r\n"
           "add name=down-all parent=" + parentDown + " queue=default" + rates + "\r\n"
           "add name=small-down packet-mark=small parent=down-all priority=1 queue=PCQ-down" + rates + "\r\n"
           "add name=middle1-down packet-mark=middle parent=down-all priority=4 queue=PCQ-down" + rates + "\r\n"
           "add name=middle2-down packet-mark=middle2 parent=down-all priority=6 queue=PCQ-down" + rates + "\r\n"
           "add name=big-down packet-mark=big parent=down-all priority=7 queue=PCQ-down" + rates + "\r\n"
           "add name=ie-down packet-mark=ie parent=down-all priority=3 queue=PCQ-down" + rates + "\r\n"
           "\r\n"
           "add name=up-all parent=" + parentUp + " queue=default" + rates + "\r\n"
           "add name=small-up packet-mark=small parent=up-all priority=1 queue=PCQ-up" + rates + "\r\n"
           "add name=middle1-up packet-mark=middle parent=up-all priority=4 queue=PCQ-up" + rates + "\r\n"
           "add name=middle2-up packet-mark=middle2 parent=up-all priority=6 queue=PCQ-up" + rates + "\r\n"
           "add name=big-up packet-mark=big parent=up-all priority=7 queue=PCQ-up" + rates + "\r\n"
           "add name=ie-up packet-mark=ie parent=up-all priority=3 queue=PCQ-up" + rates;
}
// clang-format on

// The queue line of a class ("small-down", "up-all", ...).
std::string QueueLine(const std::string& script, const std::string& queue) {
    for (const std::string& line : test::CrLfLines(script))
        if (line.rfind("add name=" + queue + " ", 0) == 0) return line;
    return "(no queue " + queue + ")";
}

TEST(SmallPacketQos, StoredTemplateAndFragmentAreTheirOwnBytes) {
    EXPECT_EQ(StoredText("data/ratelimit/small-packet-qos.rsc").size(), 2518u);
    EXPECT_EQ(test::CrLfLines(StoredText("data/ratelimit/small-packet-qos.rsc")).size(), 29u);
    EXPECT_BYTES(
        StoredText("data/ratelimit/small-packet-lanip.rsc"),
        G("/ip firewall address-list\r\n add address={ip段} comment=\"lanip\" disabled=no list=lanip\r\n\r\n"));
}

TEST(SmallPacketQos, DefaultsForBothVersions) {
    const SmallPacketQosFields f;
    EXPECT_BYTES(BuildSmallPacketQos(f, RouterOsVersion::V5), Expected("global-in", "global-out"));
    EXPECT_BYTES(BuildSmallPacketQos(f, RouterOsVersion::V6), Expected("ether2", "ether1"));
}

TEST(SmallPacketQos, RangeRestrictionNeedsTheBoxCheckedAndFilled) {
    SmallPacketQosFields f;
    f.range = "192.168.2.0/24";
    EXPECT_BYTES(BuildSmallPacketQos(f, RouterOsVersion::V5), Expected("global-in", "global-out"));

    f.restrictRange = true;
    EXPECT_BYTES(
        BuildSmallPacketQos(f, RouterOsVersion::V5),
        Expected(
            "global-in", "global-out",
            "/ip firewall address-list\r\n add address=192.168.2.0/24 comment=\"lanip\" disabled=no list=lanip\r\n\r\n",
            " src-address-list=lanip"));

    f.range = "";
    EXPECT_BYTES(BuildSmallPacketQos(f, RouterOsVersion::V5), Expected("global-in", "global-out"));
}

TEST(SmallPacketQos, RateClauseNeedsLimitAtAndMaxLimit) {
    struct Case {
        const char* limitAt;
        const char* maxLimit;
        const char* clause;
    };
    for (const Case& c :
         {Case{"1m", "2m", " limit-at=1M max-limit=2M"}, Case{"512k", "10mb", " limit-at=512k max-limit=10M"},
          Case{"1m", "", ""}, Case{"", "2M", ""}, Case{"", "", ""}}) {
        SmallPacketQosFields f;
        f.down[1].limitAt = c.limitAt;
        f.down[1].maxLimit = c.maxLimit;
        const std::string script = BuildSmallPacketQos(f, RouterOsVersion::V5);
        EXPECT_EQ(QueueLine(script, "small-down"),
                  std::string("add name=small-down packet-mark=small parent=down-all priority=1 queue=PCQ-down") +
                      c.clause)
            << c.limitAt << " / " << c.maxLimit;
        EXPECT_EQ(QueueLine(script, "small-up"),
                  "add name=small-up packet-mark=small parent=up-all priority=1 queue=PCQ-up limit-at=0 max-limit=0");
    }
}

TEST(SmallPacketQos, BurstClauseNeedsAllThreeBurstFields) {
    struct Case {
        const char* limit;
        const char* threshold;
        const char* time;
        const char* clause;
    };
    for (const Case& c : {Case{"2m", "1M", "5", " burst-limit=2M burst-threshold=1M burst-time=5"},
                          Case{"2M", "1M", "", ""}, Case{"2M", "", "5", ""}, Case{"", "1M", "5", ""}}) {
        SmallPacketQosFields f;
        f.up[0] = {"1M", "2M", c.limit, c.threshold, c.time};
        const std::string script = BuildSmallPacketQos(f, RouterOsVersion::V6);
        EXPECT_EQ(QueueLine(script, "up-all"),
                  std::string("add name=up-all parent=ether1 queue=default limit-at=1M max-limit=2M") + c.clause)
            << c.limit << " / " << c.threshold << " / " << c.time;
    }

    // Without a rate clause the burst clause stands alone.
    SmallPacketQosFields f;
    f.down[5] = {"", "", "4M", "2M", "8"};
    EXPECT_EQ(QueueLine(BuildSmallPacketQos(f, RouterOsVersion::V5), "ie-down"),
              "add name=ie-down packet-mark=ie parent=down-all priority=3 queue=PCQ-down "
              "burst-limit=4M burst-threshold=2M burst-time=8");
}

TEST(SmallPacketQos, EveryRowFillsItsOwnQueue) {
    SmallPacketQosFields f;
    const char* queues[2][kQosRowCount] = {{"up-all", "small-up", "middle1-up", "middle2-up", "big-up", "ie-up"},
                                           {"down-all", "small-down", "middle1-down", "middle2-down", "big-down",
                                            "ie-down"}};
    for (std::size_t i = 0; i < kQosRowCount; ++i) {
        f.up[i].maxLimit = std::to_string(i + 1) + "M";
        f.down[i].maxLimit = std::to_string(i + 11) + "M";
    }
    const std::string script = BuildSmallPacketQos(f, RouterOsVersion::V6);
    for (std::size_t i = 0; i < kQosRowCount; ++i) {
        EXPECT_NE(QueueLine(script, queues[0][i]).find(" limit-at=0 max-limit=" + std::to_string(i + 1) + "M"),
                  std::string::npos)
            << queues[0][i];
        EXPECT_NE(QueueLine(script, queues[1][i]).find(" limit-at=0 max-limit=" + std::to_string(i + 11) + "M"),
                  std::string::npos)
            << queues[1][i];
    }
}

TEST(SmallPacketQos, TypedNamesAndInterfaces) {
    SmallPacketQosFields f;
    f.upMark = "";
    f.downMark = "pcq down";
    f.wan = "ether3";
    f.lan = "bridge-lan";
    f.upBandwidth = "2m";
    const std::string script = BuildSmallPacketQos(f, RouterOsVersion::V6);
    const std::vector<std::string> lines = test::CrLfLines(script);
    EXPECT_EQ(
        lines[0],
        "/queue type add name= kind=pcq pcq-rate=2M pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000");
    EXPECT_EQ(lines[1],
              "/queue type add name=\"pcq down\" kind=pcq pcq-rate=1M pcq-limit=50 pcq-classifier=dst-address "
              "pcq-total-limit=2000");
    EXPECT_EQ(QueueLine(script, "up-all"), "add name=up-all parent=ether3 queue=default limit-at=0 max-limit=0");
    EXPECT_EQ(QueueLine(script, "down-all"),
              "add name=down-all parent=bridge-lan queue=default limit-at=0 max-limit=0");
    EXPECT_EQ(QueueLine(script, "small-up"),
              "add name=small-up packet-mark=small parent=up-all priority=1 queue= limit-at=0 max-limit=0");
    EXPECT_EQ(QueueLine(script, "big-down"),
              "add name=big-down packet-mark=big parent=down-all priority=7 queue=\"pcq down\" limit-at=0 max-limit=0");
}

TEST(SmallPacketQos, TypedPlaceholderNamesAreNotFilledAgain) {
    SmallPacketQosFields f;
    f.downMark = "{up}";
    f.restrictRange = true;
    f.range = "{ip}";
    const std::string script = BuildSmallPacketQos(f, RouterOsVersion::V5);
    EXPECT_EQ(QueueLine(script, "small-down"),
              "add name=small-down packet-mark=small parent=down-all priority=1 queue=\"{up}\" limit-at=0 max-limit=0");
    EXPECT_EQ(test::CrLfLines(script)[4], " add address=\"{ip}\" comment=\"lanip\" disabled=no list=lanip");
}

}  // namespace
}  // namespace trelvix::ratelimit
