// The subnet calculator's page 0 through its real window on the headless
// realisation, opened as the tool chooser opens it: typing octets and moving
// the prefix-length slider. (Page 1 is in subnet.cases.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

class SubnetWindow : public test::ToolWindowTest {
protected:
    ui::HeadlessWindow& open() { return openTool(ToolIndex::SubnetCalculator); }
};

using Texts = std::vector<std::pair<const char*, const char*>>;

// A step types its text into an octet box, or moves the slider to the number.
void Act(ui::HeadlessWindow& w, const std::pair<const char*, const char*>& step) {
    const std::string control = G(step.first);
    if (control == G("横向滚动条")) w.choose(control, std::stoi(step.second));
    else w.type(control, G(step.second));
}

TEST_F(SubnetWindow, OctetsAndTheSliderShowTheSubnet) {
    struct Case {
        const char* what;
        Texts steps;
        Texts expected;
    };
    const Case cases[] = {
        {"192.168.1.130/26: every row",
         {{"编辑框_ip1", "192"},
          {"编辑框_ip2", "168"},
          {"编辑框_ip3", "1"},
          {"编辑框_ip4", "130"},
          {"横向滚动条", "26"}},
         {{"标签_位数", "26"},
          {"标签_主机地址21", "11000000"},
          {"标签_主机地址22", "10101000"},
          {"标签_主机地址23", "00000001"},
          {"标签_主机地址24", "10000010"},
          {"标签_网络掩码21", "11111111"},
          {"标签_网络掩码22", "11111111"},
          {"标签_网络掩码23", "11111111"},
          {"标签_网络掩码24", "11000000"},
          {"标签_子网地址21", "11000000"},
          {"标签_子网地址22", "10101000"},
          {"标签_子网地址23", "00000001"},
          {"标签_子网地址24", "10000000"},
          {"标签_广播地址21", "11000000"},
          {"标签_广播地址22", "10101000"},
          {"标签_广播地址23", "00000001"},
          {"标签_广播地址24", "10111111"},
          {"标签_网络掩码十进制", "255.255.255.192"},
          {"标签_子网地址十进制", "192.168.1.128"},
          {"标签_广播地址十进制", "192.168.1.191"},
          {"标签_可用地址1", "192.168.1.129"},
          {"标签_可用地址2", "192.168.1.190"}}},
        {"an octet typed after the slider moved uses the slider's length",
         {{"横向滚动条", "24"}, {"编辑框_ip1", "10"}, {"编辑框_ip3", "7"}},
         {{"标签_位数", "24"},
          {"标签_子网地址十进制", "10.0.7.0"},
          {"标签_广播地址十进制", "10.0.7.255"},
          {"标签_可用地址1", "10.0.7.1"},
          {"标签_可用地址2", "10.0.7.254"}}},
        {"a /32 on .255 is the host itself",
         {{"编辑框_ip1", "10"}, {"编辑框_ip4", "255"}, {"横向滚动条", "32"}},
         {{"标签_位数", "32"},
          {"标签_网络掩码24", "11111111"},
          {"标签_子网地址24", "11111111"},
          {"标签_广播地址24", "11111111"},
          {"标签_网络掩码十进制", "255.255.255.255"},
          {"标签_子网地址十进制", "10.0.0.255"},
          {"标签_广播地址十进制", "10.0.0.255"},
          {"标签_可用地址1", "10.0.0.255"},
          {"标签_可用地址2", "10.0.0.255"}}},
        {"a /32 on .0 keeps the third octet",
         {{"编辑框_ip1", "10"}, {"编辑框_ip3", "1"}, {"横向滚动条", "32"}},
         {{"标签_可用地址1", "10.0.1.0"}, {"标签_可用地址2", "10.0.1.0"}}},
        {"a /31 gives both of its addresses",
         {{"编辑框_ip1", "10"}, {"编辑框_ip4", "4"}, {"横向滚动条", "31"}},
         {{"标签_网络掩码十进制", "255.255.255.254"},
          {"标签_子网地址十进制", "10.0.0.4"},
          {"标签_广播地址十进制", "10.0.0.5"},
          {"标签_可用地址1", "10.0.0.4"},
          {"标签_可用地址2", "10.0.0.5"}}},
        {"back to /1 from a longer prefix",
         {{"编辑框_ip1", "192"}, {"编辑框_ip2", "168"}, {"横向滚动条", "30"}, {"横向滚动条", "1"}},
         {{"标签_位数", "1"},
          {"标签_网络掩码21", "10000000"},
          {"标签_网络掩码22", "00000000"},
          {"标签_网络掩码十进制", "128.0.0.0"},
          {"标签_子网地址十进制", "128.0.0.0"},
          {"标签_广播地址21", "11111111"},
          {"标签_广播地址十进制", "255.255.255.255"},
          {"标签_可用地址1", "128.0.0.1"},
          {"标签_可用地址2", "255.255.255.254"}}},
        {"300 in an octet box becomes 255",
         {{"横向滚动条", "8"}, {"编辑框_ip1", "300"}},
         {{"编辑框_ip1", "255"},
          {"标签_主机地址21", "11111111"},
          {"标签_子网地址十进制", "255.0.0.0"},
          {"标签_广播地址十进制", "255.255.255.255"}}},
        {"an emptied octet box stays empty and counts as 0, also when the slider moves",
         {{"编辑框_ip2", "200"}, {"横向滚动条", "16"}, {"编辑框_ip2", ""}, {"横向滚动条", "9"}},
         {{"编辑框_ip2", ""},
          {"标签_主机地址22", "00000000"},
          {"标签_子网地址十进制", "0.0.0.0"},
          {"标签_广播地址十进制", "0.127.255.255"},
          {"标签_可用地址2", "0.127.255.254"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::HeadlessWindow& w = open();
        for (const auto& step : c.steps) Act(w, step);
        for (const auto& [control, text] : c.expected) EXPECT_EQ(w.text(G(control)), G(text)) << control;
        // The next case starts from a fresh window.
        w.close(false);
    }
}

TEST_F(SubnetWindow, KeepsItsResultsWhileHidden) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_ip1"), "172");
    w.choose(G("横向滚动条"), 12);
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.shown());

    EXPECT_EQ(&open(), &w);
    EXPECT_TRUE(w.shown());
    EXPECT_EQ(w.currentItem(G("横向滚动条")), 12);
    EXPECT_EQ(w.text(G("标签_子网地址十进制")), G("172.0.0.0"));
    EXPECT_EQ(w.text(G("标签_广播地址十进制")), G("172.15.255.255"));
}

}  // namespace
}  // namespace trelvix
