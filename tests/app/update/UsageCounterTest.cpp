// The usage counter against a counter service on 127.0.0.1, started by the
// real start-up, with its ten-second waits shortened.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FakeHttpServer.h"
#include "ProgramFixture.h"
#include "app/UsageCounter.h"

namespace trelvix::test {
namespace {

using namespace std::chrono_literals;

const std::string kToday = G("标签_今天次数");
const std::string kYesterday = G("标签_昨天次数");
const std::string kBom = "\xEF\xBB\xBF";

// A program whose start-up starts the real counter at `address`.
void UseRealCounter(Program& p, const std::string& address, std::chrono::milliseconds wait) {
    p.app.services.usageCounter = address;
    p.app.services.counterRetryWait = wait;
    // No case here needs a request to time out: a bound no loaded machine
    // reaches keeps every answer the answer.
    p.app.services.limits = {60s, 120s, 64 * 1024};
    p.app.parts.decipherStatisticsAddress = DecipherStatisticsAddress;
    p.app.parts.startUsageCounter = StartUsageCounter;
}

// Plays the UI thread until the worker's result has been shown.
void RunUntilPosted(ui::HeadlessUi& ui) {
    while (ui.runPosted() == 0) std::this_thread::sleep_for(2ms);
}

std::vector<std::string> Targets(const FakeHttpServer& server) {
    std::vector<std::string> targets;
    for (const SeenRequest& r : server.requests()) targets.push_back(r.target);
    return targets;
}

std::vector<std::string> Expected(int countAttempts) {
    std::vector<std::string> t(static_cast<size_t>(countAttempts), "/count?var=times");
    t.push_back("/count?return=times");
    t.push_back("/count?return=times2");
    return t;
}

struct CounterCase {
    const char* name;
    std::vector<FakeReply> countReplies;  // answers to "?var=times", the last one repeats
    int attempts;
};

TEST(UsageCounter, CountsOnceThenShowsTodayAndYesterday) {
    const CounterCase cases[] = {
        {"counted at once", {{200, "true", {}, false}}, 1},
        {"a byte-order mark is not part of the answer", {{200, kBom + "true", {}, false}}, 1},
        {"counted at the third attempt",
         {{200, "false", {}, false}, {200, "false", {}, false}, {200, "true", {}, false}},
         3},
        // Four attempts at most, and only exactly "true" counts.
        {"never counted", {{200, "false", {}, false}}, 4},
        {"true with a line end", {{200, "true\r\n", {}, false}}, 4},
        {"a mark in the middle", {{200, "t" + kBom + "rue", {}, false}}, 4},
        {"failing", {{500, "true", {}, false}}, 4},
    };
    for (const CounterCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHttpServer server;
        for (const FakeReply& r : c.countReplies) server.reply("/count?var=times", r);
        server.reply("/count?return=times", {200, kBom + "1024", {}, false});
        server.reply("/count?return=times2", {200, G("987次"), {}, false});
        Program p;
        UseRealCounter(p, server.url("/count"), 0ms);
        ui::HeadlessWindow& w = p.start();
        RunUntilPosted(p.ui);
        EXPECT_EQ(Targets(server), Expected(c.attempts));
        EXPECT_EQ(w.text(kToday), G("1024"));
        EXPECT_EQ(w.text(kYesterday), G("987次"));
        EXPECT_TRUE(p.ui.messages.empty());
    }
}

TEST(UsageCounter, AFailingServiceLeavesBothLabelsEmpty) {
    for (bool reachable : {true, false}) {
        SCOPED_TRACE(reachable ? "answers 404" : "unreachable");
        std::optional<FakeHttpServer> server(std::in_place);
        const std::string address = server->url("/count");
        if (!reachable) server.reset();
        Program p;
        UseRealCounter(p, address, 0ms);
        ui::HeadlessWindow& w = p.start();
        RunUntilPosted(p.ui);
        if (server) {
            EXPECT_EQ(Targets(*server), Expected(4));
        }
        EXPECT_EQ(w.text(kToday), G(""));
        EXPECT_EQ(w.text(kYesterday), G(""));
        EXPECT_TRUE(p.ui.messages.empty());
    }
}

TEST(UsageCounter, WithoutAServiceTheLabelsAreEmptiedAtOnce) {
    Program p;
    UseRealCounter(p, "", 0ms);
    ui::HeadlessWindow& w = p.start();
    // The layout's 235 and 500 would pass for counts.
    EXPECT_EQ(w.text(kToday), G(""));
    EXPECT_EQ(w.text(kYesterday), G(""));
    EXPECT_EQ(p.app.usageCounter, nullptr);
}

// The wait between attempts is longer than any test: the worker ends only
// because the shut-down wakes it.
TEST(UsageCounter, ShutDownDuringTheWaitEndsTheWorkerPromptly) {
    FakeHttpServer server;
    server.replyAll({200, "false", {}, false});
    const int workersBefore = ui::BackgroundWork::LiveWorkers();
    Program p;
    UseRealCounter(p, server.url("/count"), std::chrono::hours(24));
    ui::HeadlessWindow& w = p.start();
    while (server.requests().empty()) std::this_thread::sleep_for(2ms);
    EXPECT_EQ(w.text(kToday), G("235"));  // nothing shown yet

    p.ui.destroyWindow(w);
    EXPECT_EQ(p.app.usageCounter, nullptr);
    while (ui::BackgroundWork::LiveWorkers() > workersBefore) std::this_thread::sleep_for(2ms);
    EXPECT_EQ(server.requests().size(), 1u);  // no attempt after the end
    EXPECT_EQ(p.ui.runPosted(), 0);
}

TEST(StripUtf8Bom, RemovesOnlyALeadingMark) {
    const std::pair<std::string, std::string> cases[] = {
        {kBom + "true", "true"},
        {kBom, ""},
        {kBom + kBom + "1", kBom + "1"},  // one mark, once
        {"1" + kBom, "1" + kBom},
        {"\xEF\xBB", "\xEF\xBB"},  // not a whole mark
        {"", ""},
        {G("空"), G("空")},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Visible(StripUtf8Bom(in)), Visible(out)) << Visible(in);
}

}  // namespace
}  // namespace trelvix::test
