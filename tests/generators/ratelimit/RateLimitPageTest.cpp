#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RateLimitFixture.h"

namespace trelvix::ratelimit {
namespace {

using test::RateLimitWindow;
using trelvix::test::G;
using trelvix::test::Visible;

TEST(SimpleQueuePage, DefaultsWithBurstAndTimeGiveTheLoop) {
    RateLimitWindow w;
    w.click("选择框_31开启Burst功能");
    w.click("按钮_31生成2");
    w.click("选择框_31开启Time功能");
    w.click("按钮_31生成2");
    w.click("按钮_31删除脚本");
    const std::string head =
        ":for vemtu from=1 to=200 do={/queue simple add name=(\"PC\".$vemtu) target=(\"192.168.1.\" . $vemtu) "
        "limit-at=0/0 max-limit=0/0 burst-limit=0/0 burst-threshold=0/0 burst-time=3s/3s priority=8/8";
    ASSERT_EQ(w.scripts.size(), 3u);
    EXPECT_EQ(Visible(w.scripts[0]), Visible(head + " disabled=no}"));
    EXPECT_EQ(Visible(w.scripts[1]),
              Visible(head + " time=00h00m00s-24h00m00s,sun,mon,tue,wed,thu,fri,sat disabled=no}"));
    EXPECT_EQ(w.scripts[2], ":for vemtu from=1 to=200 do={queue simple remove (\"PC\" . $vemtu)}");
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST(SimpleQueuePage, ReadsEveryFieldOfThePage) {
    RateLimitWindow w;
    w.type("编辑框_31ip前缀", "10.1.2.0");
    w.type("编辑框_31name前缀", "pc");
    w.type("编辑框_31数量左", "2");
    w.type("编辑框_31数量右", "9");
    w.type("组合框_31upLimitAt", "64k");
    w.type("组合框_31downLimitAt", "128k");
    w.type("组合框_31upMaxLimit", "1M");
    w.type("组合框_31downMaxLimit", "2M");
    w.choose("组合框_31Priority", 2);
    w.click("选择框_31开启Burst功能");
    w.type("组合框_31upBurstLimit", "3M");
    w.type("组合框_31downBurstLimit", "4M");
    w.type("组合框_31upBurstThreshold", "512k");
    w.type("组合框_31downBurstThreshold", "768k");
    w.choose("组合框_31upBurstTime", 4);
    w.choose("组合框_31downBurstTime", 9);
    w.click("选择框_31开启Time功能");
    w.type("编辑框_31Time左", "08:00:00");
    w.type("编辑框_31Time右", "20:30:00");
    for (const char* day : {"选择框_31sun", "选择框_31tue", "选择框_31wed", "选择框_31thu", "选择框_31sat"})
        w.click(day);
    w.click("按钮_31生成1");
    ASSERT_EQ(w.scripts.size(), 1u);
    EXPECT_EQ(Visible(w.scripts[0]),
              Visible(":for vemtu from=2 to=9 do={/queue simple add name=(\"pc\".$vemtu) target=(\"10.1.2.\" . $vemtu) "
                      "limit-at=64k/128k max-limit=1M/2M burst-limit=3M/4M burst-threshold=512k/768k "
                      "burst-time=5s/10s priority=3 time=08h00m00s-20h30m00s,mon,fri disabled=no}"));
}

TEST(SimpleQueuePage, ErrorsMoveTheFocusBeforeOrAfterTheirBox) {
    {
        RateLimitWindow w;
        w.type("编辑框_31ip前缀", "192.168");
        w.window->focusTo(G("按钮_31生成1"));
        w.click("按钮_31生成1");
        ASSERT_EQ(w.ui.messages.size(), 1u);
        const ui::ShownMessage& m = w.ui.messages[0];
        EXPECT_EQ(m.text, G("您填写的ip格式有误,请重新填写!"));
        EXPECT_EQ(m.flags, 16);
        EXPECT_EQ(m.title, G("ip格式错误"));
        EXPECT_EQ(m.owner, G("主窗口"));
        EXPECT_EQ(m.focusAtShow, G("按钮_31生成1"));  // the focus moves after the box
        EXPECT_EQ(w.window->focus(), G("编辑框_31ip前缀"));
        EXPECT_TRUE(w.scripts.empty());
    }
    {
        RateLimitWindow w;
        w.click("选择框_31开启Time功能");
        w.type("编辑框_31Time左", "8:00");
        w.click("按钮_31生成2");
        ASSERT_EQ(w.ui.messages.size(), 1u);
        EXPECT_EQ(w.ui.messages[0].text, G("您填写的Time时间段格式有误,格式: 12:10:10"));
        EXPECT_EQ(w.ui.messages[0].title, G("信息："));
        EXPECT_EQ(w.ui.messages[0].focusAtShow, G("编辑框_31Time左"));  // before the box
        EXPECT_TRUE(w.scripts.empty());
    }
}

struct FoldState {
    bool burst, time;
};

TEST(SimpleQueuePage, FoldedGroupsHideTheirControlsAndMoveTheOnesBelow) {
    RateLimitWindow w;
    const ui::Rect outer = w.rect("分组框_31简单限速");
    const int burstTop = w.rect("分组框_31burst").y;
    // Every combination, reached in an order that also unfolds and folds again.
    for (const FoldState s : {FoldState{false, false}, FoldState{true, false}, FoldState{true, true},
                              FoldState{false, true}, FoldState{false, false}}) {
        SCOPED_TRACE(std::string("burst ") + (s.burst ? "on" : "off") + ", time " + (s.time ? "on" : "off"));
        if (w.window->checked(G("选择框_31开启Burst功能")) != s.burst) w.click("选择框_31开启Burst功能");
        if (w.window->checked(G("选择框_31开启Time功能")) != s.time) w.click("选择框_31开启Time功能");

        const ui::Rect burst = w.rect("分组框_31burst");
        const ui::Rect box = w.rect("选择框_31开启Time功能");
        const ui::Rect time = w.rect("分组框_31开启time");
        EXPECT_EQ(burst.y, burstTop);
        EXPECT_EQ(burst.h, s.burst ? 103 : 4);
        EXPECT_EQ(box.y, burstTop + (s.burst ? 103 + 5 : 4 + 20));
        EXPECT_EQ(time.y, box.y + 6);
        EXPECT_EQ(time.h, s.time ? 77 : 4);

        for (const std::string& c : w.window->children(G("分组框_31burst")))
            EXPECT_EQ(w.window->visible(c), s.burst) << c;
        for (const std::string& c : w.window->children(G("分组框_31开启time"))) {
            EXPECT_EQ(w.window->visible(c), s.time) << c;
            // A shown control of the time group sits below its check box and inside the group.
            const ui::Rect r = w.window->rect(c);
            if (s.time) {
                EXPECT_GE(time.y + r.y, box.bottom()) << c;
                EXPECT_LE(r.y + r.h, time.h) << c;
            }
        }
        EXPECT_GT(box.y, burst.bottom());
        EXPECT_LE(time.bottom(), outer.h);
        if (s.burst) {
            for (const std::string& c : w.window->children(G("分组框_31burst")))
                EXPECT_LE(w.window->rect(c).bottom(), burst.h) << c;
        }
    }
}

TEST(SimpleQueuePage, GroupsStartFoldedAsTheirBoxesSay) {
    // The layout draws both groups open; binding the page folds them.
    const ui::WindowSpec& spec = ui::BuiltInLayout("main.json");
    int layoutBurstHeight = 0;
    ui::ForEachControl(spec.controls, [&](const ui::ControlSpec& c, const ui::ControlSpec*) {
        if (c.name == G("分组框_31burst")) layoutBurstHeight = c.rect.h;
    });
    ASSERT_EQ(layoutBurstHeight, 103);
    for (int creation = 0; creation < 2; ++creation) {
        RateLimitWindow w;
        EXPECT_EQ(w.rect("分组框_31burst").h, 4);
        EXPECT_EQ(w.rect("分组框_31开启time").h, 4);
        EXPECT_EQ(w.rect("选择框_31开启Time功能").y, w.rect("分组框_31burst").y + 4 + 20);
        EXPECT_FALSE(w.visible("组合框_31upBurstLimit"));
        EXPECT_FALSE(w.visible("编辑框_31Time左"));
    }
}

TEST(PcqPage, ButtonsPickTheirGroupAndVersion) {
    RateLimitWindow w;
    w.type("编辑框_32外网网卡2", "ether1");
    w.type("编辑框_32外网网卡1", "ether9");
    for (const char* button : {"按钮_32生成52", "按钮_32生成62", "按钮_32生成51", "按钮_32生成61"}) w.click(button);
    ASSERT_EQ(w.scripts.size(), 4u);
    const std::string tree = "/queue tree add name=\"PCQup\" parent=";
    EXPECT_NE(w.scripts[0].find(tree + "global-out queue"), std::string::npos);
    EXPECT_NE(w.scripts[1].find(tree + "ether1 queue"), std::string::npos);
    EXPECT_EQ(w.scripts[1].find("/tool traffic-monitor"), std::string::npos);
    EXPECT_NE(w.scripts[2].find(tree + "global-out queue"), std::string::npos);
    EXPECT_NE(w.scripts[2].find("interface=ether9 traffic"), std::string::npos);
    EXPECT_NE(w.scripts[3].find(tree + "ether9 queue"), std::string::npos);
}

TEST(PcqPage, RateCombosMendTheirCaseWhenTheyLoseTheFocus) {
    RateLimitWindow w;
    for (const char* combo : {"组合框_32up1", "组合框_32down1", "组合框_32up2", "组合框_32down2"}) {
        SCOPED_TRACE(combo);
        w.type(combo, "10mb");
        w.window->focusTo(G(combo));
        EXPECT_EQ(w.text(combo), "10mb");
        w.window->focusTo(G("编辑框_32外网网卡1"));
        EXPECT_EQ(w.text(combo), "10Mb");
    }
    // The threshold combos are read through the rate rule instead.
    w.type("组合框_32up开启限速速率", "10mb");
    w.window->focusTo(G("组合框_32up开启限速速率"));
    w.window->focusTo(G("编辑框_32外网网卡1"));
    EXPECT_EQ(w.text("组合框_32up开启限速速率"), "10mb");
}

}  // namespace
}  // namespace trelvix::ratelimit
