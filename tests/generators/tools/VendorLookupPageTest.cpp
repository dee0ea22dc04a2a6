// The vendor lookup as a user meets it on the main window: the button while
// the lookup runs, the labels it fills, the copy buttons, and a window closed
// while a lookup still waits for its answer.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "common/ServiceAddresses.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/PageContext.h"
#include "generators/Sections.h"
#include "tests/support/FakeHttpServer.h"
#include "ui/Layout.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::FakeHttpServer;
using test::FakeReply;
using test::G;

std::string VendorPage(const std::string& name, const std::string& address) {
    return "<tr>\n<td bgcolor=\"#F5F5F5\" align=\"center\">厂商</td>\n"
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" +
           name +
           "</td>\n</tr>\n\n<tr>\n"
           "<td bgcolor=\"#F5F5F5\" align=\"center\">厂址</td>\n"
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" +
           address + "</td>";
}

class VendorLookupPage : public testing::Test {
protected:
    VendorLookupPage()
        : w_(static_cast<ui::HeadlessWindow&>(
              ui_.createWindow(ui::BuiltInLayout("main.json"), nullptr, [this](ui::Window& w) {
                  page_.emplace(PageContext{ui_, w, clock_, random_, random_, [](const Gbk&) {}, {}});
                  page_->macVendorHost = "127.0.0.1:" + std::to_string(server_.port());
                  BindToolsSection(*page_);
              }))) {}

    std::string Text(const char* control) const { return w_.text(G(control)); }

    // Runs posted work until the lookup has posted its result.
    void AwaitResult() {
        while (ui_.runPosted() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    void Lookup(const char* mac) {
        w_.type(G("编辑框_81查询mac"), mac);
        w_.click(G("按钮_81查询"));
        EXPECT_FALSE(w_.enabled(G("按钮_81查询")));
        EXPECT_EQ(Text("按钮_81查询"), G("查询中..."));
        // Typing on while the lookup runs does not change what it shows.
        w_.type(G("编辑框_81查询mac"), "typed later");
        AwaitResult();
        EXPECT_TRUE(w_.enabled(G("按钮_81查询")));
        EXPECT_EQ(Text("按钮_81查询"), G("查询"));
        EXPECT_EQ(Text("标签_81mac"), mac);
    }

    FakeHttpServer server_;
    test::TempHome home_;
    ui::HeadlessUi ui_;
    FixedClock clock_{0.0};
    FixedRandom random_{{}};
    std::optional<PageContext> page_;
    ui::HeadlessWindow& w_;
};

TEST_F(VendorLookupPage, AMatchingPageFillsTheLabelsAndTheCopyButtonsCopyThem) {
    server_.reply("/00-1E-10-1F-00-00__mac/", FakeReply{200, VendorPage("某某科技", "深圳市"), {}});
    Lookup("00-1E-10-1F-00-00");
    EXPECT_EQ(Text("标签_81厂商"), G("某某科技"));
    EXPECT_EQ(Text("标签_81厂址"), G("深圳市"));
    w_.click(G("按钮_81复制厂商"));
    EXPECT_EQ(ui_.clipboard, G("某某科技"));
    w_.click(G("按钮_81复制厂址"));
    EXPECT_EQ(ui_.clipboard, G("深圳市"));
}

TEST_F(VendorLookupPage, AnUnknownAddressEmptiesTheLabelsOfAnEarlierLookup) {
    server_.reply("/00:11:22:33:44:55__mac/", FakeReply{200, VendorPage("A", "B"), {}});
    Lookup("00:11:22:33:44:55");
    ASSERT_EQ(Text("标签_81厂商"), "A");
    Lookup("66:77:88:99:AA:BB");  // no page of its own: 404
    EXPECT_EQ(Text("标签_81厂商"), "");
    EXPECT_EQ(Text("标签_81厂址"), "");
}

std::size_t ThreadCount() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++n;
    return n;
}

TEST_F(VendorLookupPage, ClosingTheWindowDuringALookupIsSafe) {
    const std::size_t threadsBefore = ThreadCount();
    {
        test::FakeHttpServer stalling;
        stalling.replyAll(FakeReply{200, "", {}, true});
        page_->macVendorHost = "127.0.0.1:" + std::to_string(stalling.port());
        // Longer than any test: only closing can end the request.
        page_->macVendorLimits = {std::chrono::hours(24), std::chrono::hours(24), 64 * 1024};
        w_.type(G("编辑框_81查询mac"), "00:11:22:33:44:55");
        w_.click(G("按钮_81查询"));
        while (stalling.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_EQ(stalling.requests().size(), 1u);
        w_.close(false);
        ui_.runPosted();
    }
    // Closing abandoned the request: the worker ends; nothing it might have posted shows.
    while (ThreadCount() > threadsBefore) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ui_.runPosted();
}

// Not the lookup, but the one other control of the section no case can
// reach: the marking page's label opens its help page on the maker's site,
// and is shown disabled by a build that names no site.
TEST_F(VendorLookupPage, TheMarkingLabelOpensItsHelpPage) {
    EXPECT_EQ(w_.enabled(G("标签_84功能链接")), kHasMakerSite);
    ASSERT_TRUE(w_.fire(G("标签_84功能链接"), ui::Event::MouseDown));
    const std::vector<std::string> opened =
        kHasMakerSite ? std::vector<std::string>{std::string("http://") + kMakerSite + "/394.html"}
                      : std::vector<std::string>{};
    EXPECT_EQ(ui_.openedUrls, opened);
}

}  // namespace
}  // namespace trelvix
