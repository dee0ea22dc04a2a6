#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RateLimitFixture.h"

namespace trelvix::ratelimit {
namespace {

using test::RateLimitWindow;
using trelvix::test::G;
using trelvix::test::Visible;

std::vector<Gbk> Repeated(const std::vector<const char*>& values, int n) {
    std::vector<Gbk> out;
    for (const char* v : values) {
        Gbk item;
        for (int i = 0; i < n; ++i) item += (i ? "/" : "") + Gbk(v);
        out.push_back(item);
    }
    return out;
}

// The default script; `scope` names the traffic the simple queues take, in the
// words of the button's RouterOS version.
std::string DefaultScript(const std::string& scope) {
    // clang-format off
    return ":for vemtu from=1 to=200 step=1 do={/ip firewall address-list add list=\"one\" address=(\"192.168.1.\".$vemtu)}\r\n"
           "\r\n"
           "/ip firewall mangle\r\n"
           "add chain=prerouting action=mark-packet new-packet-mark=one_up src-address-list=one comment=zu_1_up passthrough=yes\r\n"
           "add chain=forward action=mark-packet new-packet-mark=one_down dst-address-list=one comment=zu_1_down passthrough=yes\r\n"
           "\r\n"
           "/queue type add name=PCQ-up kind=pcq pcq-rate=256k pcq-limit=50 pcq-classifier=src-address pcq-total-limit=10000\r\n"
           "/queue type add name=PCQ-down kind=pcq pcq-rate=1M pcq-limit=50 pcq-classifier=dst-address pcq-total-limit=10000\r\n"
           "\r\n"
           "/queue simple\r\n"
           "add name=\"pcq_1_up\" " + scope + " parent=none packet-marks=one_up priority=8 "
           "queue=PCQ-up/PCQ-down limit-at=0/0 max-limit=0/0 total-queue=default-small\r\n"
           "add name=\"pcq_1_down\" " + scope + " parent=none packet-marks=one_down priority=8 "
           "queue=default-small/PCQ-down limit-at=0/0 max-limit=0/0 total-queue=default-small";
    // clang-format on
}

TEST(PcqGroupPage, DefaultsGiveOneGroup) {
    RateLimitWindow w;
    w.click("按钮_33生成1");
    w.click("按钮_33生成2");
    ASSERT_EQ(w.scripts.size(), 2u);
    EXPECT_EQ(Visible(w.scripts[0]), Visible(DefaultScript("dst-address=0.0.0.0/0 interface=all")));
    // RouterOS 6 took dst-address and interface away from simple queues.
    EXPECT_EQ(Visible(w.scripts[1]), Visible(DefaultScript("target=0.0.0.0/0 dst=0.0.0.0/0")));
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST(PcqGroupPage, ChoosingAGroupCountRefillsTheLists) {
    RateLimitWindow w;
    const Gbk upBandwidth = w.text("组合框_33上传带宽");
    const std::vector<Gbk> bandwidthItems = w.items("组合框_33下载带宽");
    w.choose("组合框_33分组数", 2);

    EXPECT_EQ(w.text("组合框_33Priority"), "8/8/8");
    EXPECT_EQ(w.items("组合框_33Priority"), Repeated({"1", "2", "3", "4", "5", "6", "7", "8"}, 3));
    const std::vector<Gbk> rates =
        Repeated({"64k", "128k", "256k", "384k", "512k", "768k", "1M", "2M", "3M", "4M", "5M", "10M"}, 3);
    for (const char* combo :
         {"组合框_33upLimitAt", "组合框_33upMaxLimit", "组合框_33upBurstLimit", "组合框_33upBurstThreshold",
          "组合框_33downLimitAt", "组合框_33downMaxLimit", "组合框_33downBurstLimit", "组合框_33downBurstThreshold"}) {
        SCOPED_TRACE(combo);
        EXPECT_EQ(w.text(combo), "0/0/0");
        EXPECT_EQ(w.items(combo), rates);
    }
    EXPECT_EQ(w.text("编辑框_33upBurstTime"), "3/3/3");
    EXPECT_EQ(w.text("编辑框_33downBurstTime"), "3/3/3");
    EXPECT_EQ(w.text("组合框_33上传带宽"), upBandwidth);
    EXPECT_EQ(w.items("组合框_33下载带宽"), bandwidthItems);

    w.click("按钮_33生成1");
    ASSERT_EQ(w.scripts.size(), 1u);
    for (const char* from :
         {":for vemtu from=1 to=200 step=3 ", ":for vemtu from=2 to=200 step=3 ", ":for vemtu from=3 to=200 step=3 "})
        EXPECT_NE(w.scripts[0].find(from), std::string::npos) << from;

    w.choose("组合框_33分组数", 0);
    EXPECT_EQ(w.text("组合框_33Priority"), "8");
    EXPECT_EQ(w.items("组合框_33upLimitAt").front(), "64k");
}

TEST(PcqGroupPage, AShortListNamesItsControl) {
    RateLimitWindow w;
    w.choose("组合框_33分组数", 1);
    w.type("组合框_33upMaxLimit", "1M");
    w.window->focusTo(G("按钮_33生成2"));
    w.click("按钮_33生成2");
    ASSERT_EQ(w.ui.messages.size(), 1u);
    const ui::ShownMessage& m = w.ui.messages[0];
    EXPECT_EQ(m.text, G("您填写的格式有误,请重新确认!"));
    EXPECT_EQ(m.flags, 16);
    EXPECT_EQ(m.title, G("格式错误"));
    EXPECT_EQ(m.owner, G("主窗口"));
    EXPECT_EQ(m.focusAtShow, G("按钮_33生成2"));
    EXPECT_EQ(w.window->focus(), G("组合框_33upMaxLimit"));
    EXPECT_TRUE(w.scripts.empty());
}

TEST(PcqGroupPage, BurstGroupFoldsAndTheTipFollows) {
    RateLimitWindow w;
    const int burstTop = w.rect("分组框_33burst").y;
    const std::vector<const char*> burstControls = {"组合框_33upBurstLimit", "组合框_33downBurstThreshold",
                                                    "编辑框_33downBurstTime"};
    for (bool open : {false, true, false}) {
        SCOPED_TRACE(open ? "open" : "folded");
        if (w.window->checked(G("选择框_33开启Burst功能")) != open) w.click("选择框_33开启Burst功能");
        const ui::Rect burst = w.rect("分组框_33burst");
        const ui::Rect tip = w.rect("分组框_33小提示");
        EXPECT_EQ(burst.y, burstTop);
        EXPECT_EQ(burst.h, open ? 103 : 4);
        EXPECT_EQ(tip.y, burstTop + (open ? 103 + 8 : 4 + 13));
        EXPECT_GT(tip.y, burst.y + burst.h);
        EXPECT_LE(tip.y + tip.h, w.rect("分组框_33分组限速").h);
        for (const char* c : burstControls) EXPECT_EQ(w.visible(c), open) << c;
    }
}

}  // namespace
}  // namespace trelvix::ratelimit
