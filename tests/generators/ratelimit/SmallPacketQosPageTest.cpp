#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "RateLimitFixture.h"
#include "generators/ratelimit/SmallPacketQos.h"
#include "ui/Layout.h"

namespace trelvix::ratelimit {
namespace {

using test::RateLimitWindow;
using trelvix::test::G;
using trelvix::test::Visible;

struct RateCombo {
    std::string name;  // UTF-8
    std::size_t row;
    const QosRateColumn* column;
};

// The 60 combos the page's handler reads, named from the row table.
std::vector<RateCombo> TableCombos(const char* direction) {
    std::vector<RateCombo> combos;
    for (std::size_t row = 0; row < kQosRowCount; ++row)
        for (const QosRateColumn& column : kQosRateColumns)
            combos.push_back({std::string("组合框_34") + direction + column.name + kQosRowKeys[row], row, &column});
    return combos;
}

void CollectNames(const std::vector<ui::ControlSpec>& controls, const std::string& prefix, std::set<std::string>& out) {
    for (const ui::ControlSpec& c : controls) {
        if (c.kind == ui::Kind::Combo && c.name.rfind(prefix, 0) == 0) out.insert(c.name);
        CollectNames(c.children, prefix, out);
    }
}

TEST(SmallPacketPage, LayoutHoldsExactlyTheTablesRateCombos) {
    const ui::WindowSpec& main = ui::BuiltInLayout("main.json");
    RateLimitWindow w;
    const std::vector<Gbk> rates = {"0",  "64k", "128k", "256k", "384k", "512k", "768k",
                                    "1M", "2M",  "3M",   "4M",   "5M",   "10M"};
    const std::vector<Gbk> seconds = {"", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (const char* direction : {"up", "down"}) {
        std::set<std::string> laidOut, named;
        CollectNames(main.controls, G(std::string("组合框_34") + direction), laidOut);
        for (const RateCombo& c : TableCombos(direction)) {
            named.insert(G(c.name));
            const std::string field = c.column->name;
            const bool time = field == "BurstTime";
            EXPECT_EQ(w.items(c.name.c_str()), time ? seconds : rates) << c.name;
            EXPECT_EQ(w.text(c.name.c_str()), (field == "LimitAt" || field == "MaxLimit") ? "0" : "") << c.name;
        }
        EXPECT_EQ(named.size(), 30u);
        EXPECT_EQ(laidOut, named) << direction;
    }
    EXPECT_EQ(w.items("组合框_34外网接口").size(), 12u);
    EXPECT_EQ(w.items("组合框_34内网接口").back(), "ether12");
}

TEST(SmallPacketPage, DefaultsGiveTheGeneratorsDefaults) {
    RateLimitWindow w;
    w.click("按钮_34生成51");
    w.click("按钮_34生成61");
    ASSERT_EQ(w.scripts.size(), 2u);
    EXPECT_BYTES(w.scripts[0], BuildSmallPacketQos(SmallPacketQosFields{}, RouterOsVersion::V5));
    EXPECT_BYTES(w.scripts[1], BuildSmallPacketQos(SmallPacketQosFields{}, RouterOsVersion::V6));
    EXPECT_NE(w.scripts[0].find("add name=down-all parent=global-in queue=default limit-at=0 max-limit=0\r\n"),
              std::string::npos);
    EXPECT_NE(w.scripts[1].find("add name=up-all parent=ether1 queue=default limit-at=0 max-limit=0\r\n"),
              std::string::npos);
}

// Each combo gets a value of its own, so a combo bound to the wrong row,
// column or direction shows in its queue's line.
TEST(SmallPacketPage, EveryComboReachesItsQueue) {
    RateLimitWindow w;
    const char* queues[2][kQosRowCount] = {{"up-all", "small-up", "middle1-up", "middle2-up", "big-up", "ie-up"},
                                           {"down-all", "small-down", "middle1-down", "middle2-down", "big-down",
                                            "ie-down"}};
    int d = 0;
    for (const char* direction : {"up", "down"}) {
        for (const RateCombo& c : TableCombos(direction)) {
            const int n = d * 10 + static_cast<int>(c.row) + 1;
            const std::string field = c.column->name;
            const std::string value = field == "LimitAt"          ? std::to_string(n) + "k"
                                      : field == "MaxLimit"       ? std::to_string(n) + "m"
                                      : field == "BurstLimit"     ? std::to_string(n + 100) + "M"
                                      : field == "BurstThreshold" ? std::to_string(n + 200) + "k"
                                                                  : std::to_string(n);
            w.type(c.name.c_str(), value.c_str());
        }
        ++d;
    }
    w.type("组合框_34外网接口", "ether3");
    w.type("组合框_34内网接口", "ether4");
    w.click("按钮_34生成61");
    ASSERT_EQ(w.scripts.size(), 1u);
    const std::string& script = w.scripts[0];
    for (int dir = 0; dir < 2; ++dir)
        for (std::size_t row = 0; row < kQosRowCount; ++row) {
            const int n = dir * 10 + static_cast<int>(row) + 1;
            const std::string clauses = " limit-at=" + std::to_string(n) + "k max-limit=" + std::to_string(n) +
                                        "M burst-limit=" + std::to_string(n + 100) +
                                        "M burst-threshold=" + std::to_string(n + 200) +
                                        "k burst-time=" + std::to_string(n);
            const std::string queue = std::string("add name=") + queues[dir][row] + " ";
            const std::size_t at = script.find(queue);
            ASSERT_NE(at, std::string::npos) << queue;
            const std::size_t end = script.find("\r\n", at);
            const std::string line = script.substr(at, end == std::string::npos ? std::string::npos : end - at);
            EXPECT_EQ(line.substr(line.size() - clauses.size()), clauses) << line;
        }
    EXPECT_NE(script.find("add name=up-all parent=ether3 queue=default"), std::string::npos);
    EXPECT_NE(script.find("add name=down-all parent=ether4 queue=default"), std::string::npos);
}

TEST(SmallPacketPage, TypesMarksAndRangeComeFromTheirBoxes) {
    RateLimitWindow w;
    w.type("组合框_34上传带宽", "512k");
    w.type("组合框_34下载带宽", "4m");
    w.type("编辑框_34上传标记名", "qos-up");
    w.type("编辑框_34下载标记名", "qos-down");
    w.type("编辑框_34限制IP段", "10.0.0.0/16");
    w.click("按钮_34生成51");
    w.click("选择框_34限制ip段");
    w.click("按钮_34生成51");
    ASSERT_EQ(w.scripts.size(), 2u);
    const std::string types =
        "/queue type add name=qos-up kind=pcq pcq-rate=512k pcq-limit=50 pcq-classifier=src-address pcq-total-limit=2000\r\n"
        "/queue type add name=qos-down kind=pcq pcq-rate=4M pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=2000\r\n"
        "\r\n";
    const auto startsWith = [](const std::string& script, const std::string& head) {
        return Visible(script.substr(0, head.size())) == Visible(head);
    };
    EXPECT_TRUE(startsWith(w.scripts[0], types + "/ip firewall mangle\r\n")) << Visible(w.scripts[0]);
    EXPECT_EQ(w.scripts[0].find("src-address-list"), std::string::npos);
    EXPECT_TRUE(startsWith(w.scripts[1], types + "/ip firewall address-list\r\n"
                                                 " add address=10.0.0.0/16 comment=\"lanip\" disabled=no list=lanip\r\n"
                                                 "\r\n/ip firewall mangle\r\n"))
        << Visible(w.scripts[1]);
    EXPECT_NE(w.scripts[1].find("protocol=icmp passthrough=yes src-address-list=lanip\r\n"), std::string::npos);
    EXPECT_NE(w.scripts[1].find("queue=qos-down limit-at=0 max-limit=0"), std::string::npos);
}

}  // namespace
}  // namespace trelvix::ratelimit
