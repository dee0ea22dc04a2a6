// The update check against replies served from 127.0.0.1, through the real
// start-up: the box it shows, its result, and what it leaves of the start-up.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "FakeHttpServer.h"
#include "ProgramFixture.h"
#include "app/Services.h"

namespace trelvix::test {
namespace {

using namespace std::chrono_literals;

const std::string kServerFault =
    G("Trelvix 软件服务器异常,请立即联系作者修正或替换新版\r\n\r\n是 = 打开下载地址手动更新!\r\n否 = 取消");
const std::string kMustUpdate = G("Trelvix 发现有新版本,请立即更新!");
const std::string kForced = G("Trelvix 发现有新版本,点击确定立即更新?");
const std::string kAsk = G("Trelvix 发现有新版本,是否立即更新?");

enum class Service { Answers, Unreachable, Silent };

struct UpdateCase {
    const char* name;
    std::string reply;          // GBK bytes as served
    std::optional<int> answer;  // the user's answer to the box, if one is expected
    // expected
    const std::string* box;  // nullptr: no box
    int flags;
    int result;   // -2: the program ended
    bool opened;  // the download page was opened
    const char* versionLabel;
    Service service = Service::Answers;
};

constexpr int kEnded = -2;

TEST(UpdateCheck, EachReplyGivesItsBoxResultAndStartUp) {
    const UpdateCase cases[] = {
        {"current", G("版本:2.8\\"), {}, nullptr, 0, -1, false, "2.8"},
        {"other fields around", G("名称:Trelvix\\版本:2.8\\强制更新:0\\"), {}, nullptr, 0, -1, false, "2.8"},
        // The current version is a part of these, so they count as current; a forced flag changes nothing.
        {"2.8.1", G("版本:2.8.1\\强制更新:1\\"), {}, nullptr, 0, -1, false, "2.8"},
        {"12.8", G("版本:12.8\\"), {}, nullptr, 0, -1, false, "2.8"},
        {"empty field, No", G("版本:\\强制更新:1\\"), ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8"},
        {"empty field, Yes", G("版本:\\"), ui::mb::IdYes, &kServerFault, 52, kEnded, true, "2.5"},
        {"no field", G("最新:2.9\\"), ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8"},
        {"no closing backslash", G("版本:2.8"), ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8"},
        {"empty reply", "", ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8"},
        {"version withdrawn", G("版本:空\\强制更新:0\\"), {}, &kMustUpdate, 0, kEnded, true, "2.5"},
        {"forced", G("版本:2.9\\强制更新:1\\"), {}, &kForced, 0, 1, true, "2.5"},
        {"not forced, No", G("版本:2.9\\强制更新:0\\"), ui::mb::IdNo, &kAsk, 36, 0, false, "2.8"},
        {"not forced, Yes", G("版本:2.9\\强制更新:0\\"), ui::mb::IdYes, &kAsk, 36, 1, true, "2.5"},
        // Only "1" forces; the text after a zero byte is not part of the reply.
        {"forced 11", G("版本:2.9\\强制更新:11\\"), ui::mb::IdNo, &kAsk, 36, 0, false, "2.8"},
        {"forced after a zero byte", G("版本:2.9\\") + std::string(1, '\0') + G("强制更新:1\\"), ui::mb::IdNo, &kAsk,
         36, 0, false, "2.8"},
        // The reply is read as GBK: UTF-8 labels are not found.
        {"UTF-8 reply", "\xE7\x89\x88\xE6\x9C\xAC:2.8\\", ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8"},
        {"unreachable", "", ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8", Service::Unreachable},
        {"no answer in time", "", ui::mb::IdNo, &kServerFault, 52, 0, false, "2.8", Service::Silent},
    };
    for (const UpdateCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<FakeHttpServer> server(std::in_place);
        if (c.service == Service::Silent) server->replyAll({200, "", {}, true});
        else server->reply("/version", {200, c.reply, {}, false});
        const std::string address = server->url("/version");
        if (c.service == Service::Unreachable) server.reset();  // nothing listens there any more

        Program p;
        p.app.services.updateService = address;
        // A silent service meets a short bound; one that answers, a bound no
        // loaded machine reaches, so that its answer is what the case sees.
        p.app.services.limits = {60s, c.service == Service::Silent ? 300ms : 120s, 64 * 1024};
        if (c.answer) p.ui.messageAnswers.push_back(*c.answer);
        int result = kEnded;
        p.app.parts.checkForUpdate = [&result](App& a, const Gbk& version) {
            result = CheckForUpdate(a, version);
            return result;
        };
        ui::HeadlessWindow& w = p.start();

        if (c.box) {
            ASSERT_EQ(p.ui.messages.size(), 1u);
            EXPECT_EQ(Visible(p.ui.messages[0].text), Visible(*c.box));
            EXPECT_EQ(p.ui.messages[0].flags, c.flags);
            EXPECT_EQ(p.ui.messages[0].title, G("信息："));
        } else {
            EXPECT_TRUE(p.ui.messages.empty());
        }
        EXPECT_EQ(p.app.ending, c.result == kEnded);
        if (c.result != kEnded) {
            EXPECT_EQ(result, c.result);
        }
        EXPECT_EQ(p.ui.openedUrls, c.opened ? std::vector<Gbk>{DownloadPage()} : std::vector<Gbk>{});
        EXPECT_EQ(w.text(G("标签_版本")), G(c.versionLabel));
        // Only a current version lets the start-up go on to the tray icon.
        EXPECT_EQ(w.trayShown(G("托盘图标1")), c.result == -1);
        if (c.service == Service::Answers) {
            EXPECT_EQ(p.app.UpdateReplyText, c.reply.substr(0, c.reply.find('\0')));
            ASSERT_EQ(server->requests().size(), 1u);
            EXPECT_EQ(server->requests()[0].target, "/version");
        }
    }
}

TEST(UpdateCheck, WithoutAServiceItIsCurrentAtOnce) {
    Program p;  // the fixture names no service
    int result = 0;
    p.app.parts.checkForUpdate = [&result](App& a, const Gbk& version) { return result = CheckForUpdate(a, version); };
    ui::HeadlessWindow& w = p.start();
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(w.text(G("标签_版本")), G("2.8"));
    EXPECT_TRUE(w.trayShown(G("托盘图标1")));
}

}  // namespace
}  // namespace trelvix::test
