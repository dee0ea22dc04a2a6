// The IPv6 tunnel window as the tool chooser opens it, on the headless
// realisation: it is destroyed on close and comes back with its defaults, and
// a script past the size limit is refused with a box. (The buttons' scripts
// and the links are in ipv6.cases.)
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/EmbeddedData.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "tools/ipv6/Ipv6TunnelScript.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

class Ipv6Window : public test::ToolWindowTest {
protected:
    ui::HeadlessWindow& open() { return openTool(ToolIndex::Ipv6Tunnel); }
};

TEST_F(Ipv6Window, ClosingDestroysItAndReopeningShowsTheDefaults) {
    ui::HeadlessWindow& w = open();
    const std::string boxes[] = {"编辑框_11", "编辑框_13", "编辑框_18", "编辑框_22", "编辑框_27"};
    std::vector<Gbk> defaults;
    for (const std::string& box : boxes) defaults.push_back(w.text(G(box)));
    EXPECT_EQ(defaults[0], "Hurricane Electric IPv6 Tunnel Broker");
    EXPECT_EQ(defaults[4], "/nic/update");

    for (const std::string& box : boxes) w.type(G(box), "changed");
    w.click(G("按钮_生成1"));
    EXPECT_EQ(w.currentItem(G("选择夹1")), 1);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ui.window("Ipv6TunnelWindow"), nullptr);

    ui::HeadlessWindow& again = open();
    for (std::size_t i = 0; i < std::size(boxes); ++i) EXPECT_EQ(again.text(G(boxes[i])), defaults[i]) << boxes[i];
    EXPECT_TRUE(again.text(G("编辑框_ipv4代码")).empty());
    EXPECT_EQ(again.currentItem(G("选择夹1")), 0);
}

TEST_F(Ipv6Window, ClosedWindowsAreNotKeptWhileTheProgramRuns) {
    for (int i = 0; i < 200; ++i) {
        ui::HeadlessWindow& w = open();
        w.click(G("按钮_生成1"));
        ASSERT_TRUE(w.close());
    }
    // The owner and the window closed last, whose close was the last event.
    EXPECT_LE(ui.heldWindows(), 2u);
    open();
    EXPECT_EQ(ui.heldWindows(), 2u);
}

TEST_F(Ipv6Window, AScriptPastTheLimitIsRefusedAndTheBoxKeepsItsText) {
    ui::HeadlessWindow& w = open();
    w.type(G("编辑框_ipv4代码"), "kept");
    const std::string half(ipv6tunnel::kScriptLimit / 2, 'x');
    w.type(G("编辑框_11"), half);
    w.type(G("编辑框_12"), half);  // written twice
    w.click(G("按钮_生成1"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, ipv6tunnel::ScriptTooLongMessage());
    EXPECT_EQ(ui.messages[0].flags, 48);
    EXPECT_EQ(ui.messages[0].owner, "Ipv6TunnelWindow");
    EXPECT_EQ(w.currentItem(G("选择夹1")), 0);
    EXPECT_EQ(w.text(G("编辑框_ipv4代码")).bytes(), "kept");
}

TEST_F(Ipv6Window, CtrlASelectsTheScriptAndTheLogoOpensTheBrokersSite) {
    ui::HeadlessWindow& w = open();
    w.click(G("按钮_生成2"));
    const std::string box = G("编辑框_ipv4代码");
    w.keyDown(box, 65, ui::mod::Ctrl | ui::mod::Shift);
    EXPECT_EQ(w.selection(box), std::make_pair(0, 0));
    w.keyDown(box, 65, ui::mod::Ctrl);
    EXPECT_EQ(w.selection(box), std::make_pair(0, static_cast<int>(w.text(box).size())));
    w.fire(G("图片框2"), ui::Event::MouseDown);
    EXPECT_EQ(ui.openedUrls, std::vector<Gbk>{"https://tunnelbroker.net/"});
}

// The pictures are PNG files of their picture boxes' sizes.
TEST(Ipv6Pictures, FitTheirBoxes) {
    struct Picture {
        const char* file;
        std::uint32_t width, height;
    };
    for (const Picture& p :
         {Picture{"data/ipv6/tunnel-details.png", 640, 570}, Picture{"data/ipv6/broker-logo.png", 421, 105}}) {
        SCOPED_TRACE(p.file);
        const std::optional<std::string_view> png = EmbeddedFile(p.file);
        ASSERT_TRUE(png);
        ASSERT_GT(png->size(), 24u);
        EXPECT_EQ(png->substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(png->substr(12, 4), "IHDR");
        auto be32 = [&](std::size_t at) {
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>((*png)[at + i]);
            return v;
        };
        EXPECT_EQ(be32(16), p.width);
        EXPECT_EQ(be32(20), p.height);
    }
}

}  // namespace
}  // namespace trelvix
