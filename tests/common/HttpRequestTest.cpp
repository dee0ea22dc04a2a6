// The web clients against a server on 127.0.0.1 that each test starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/http/HttpRequest.h"
#include "tests/support/FakeHttpServer.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::FakeHttpServer;
using trelvix::test::FakeReply;
using trelvix::test::G;
using trelvix::test::Visible;

namespace {

const std::string kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// A body longer than one read, with zero bytes and every other byte value.
std::string BinaryBody(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7) % 256);
    return body;
}

std::size_t CountNoCase(std::string_view text, std::string_view what) {
    std::string t(text), w(what);
    for (auto* s : {&t, &w})
        std::transform(s->begin(), s->end(), s->begin(), [](unsigned char c) { return std::tolower(c); });
    std::size_t n = 0;
    for (std::size_t at = t.find(w); at != std::string::npos; at = t.find(w, at + 1)) ++n;
    return n;
}

HttpLimits Short() {
    HttpLimits limits;
    limits.connect = std::chrono::seconds(2);
    limits.total = std::chrono::seconds(1);
    return limits;
}

TEST(HttpRequest, BareGetSendsTheDefaultLinesAndReturnsTheBodyAsReceived) {
    FakeHttpServer server;
    const std::string body = BinaryBody(5000);
    server.reply("/page", {200, body, {}});
    const std::string url = server.url("/page?a=1");
    Gbk headers, responseHeaders, newCookies = "untouched";

    // A method outside 0..2 is a GET.
    const std::string got = HttpRequest(url, 7, "ignored", nullptr, &newCookies, &headers, &responseHeaders);
    EXPECT_EQ(got, body);
    const std::string defaults = "Accept: */*\r\nReferer: " + url +
                                 "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
    EXPECT_EQ(Visible(headers), Visible(defaults));
    EXPECT_EQ(Visible(responseHeaders), "HTTP/1.1 200 OK\\r\\nContent-Length: 5000\\r\\nConnection: close");
    EXPECT_EQ(newCookies, "");

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, "/page?a=1");
    EXPECT_EQ(seen[0].body, "");
    EXPECT_NE(seen[0].rawHeaders.find(defaults + "\r\n"), std::string::npos) << Visible(seen[0].rawHeaders);
    EXPECT_EQ(seen[0].header("User-Agent"), kAgent);
    EXPECT_EQ(seen[0].header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    EXPECT_EQ(CountNoCase(seen[0].rawHeaders, "Cookie:"), 0u);
    EXPECT_EQ(CountNoCase(seen[0].rawHeaders, "Expect:"), 0u);
}

TEST(HttpRequest, CallerLinesGoOutOnceWithTheirAgent) {
    FakeHttpServer server;
    // Caller text ending in CR LF leaves an empty line in the text, never on the wire.
    Gbk headers = "X-A: 1\r\nuser-agent: Bot/2\r\nAccept: text/html\r\nX-Empty:\r\n";
    HttpRequest(server.url("/"), 0, {}, nullptr, nullptr, &headers);
    EXPECT_EQ(Visible(headers),
              Visible(
                  "X-A: 1\r\nuser-agent: Bot/2\r\nAccept: text/html\r\nX-Empty:\r\n\r\nReferer: " + server.url("/") +
                  "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded"));
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    const std::string& raw = seen[0].rawHeaders;
    EXPECT_EQ(seen[0].header("X-A"), "1");
    EXPECT_EQ(seen[0].header("User-Agent"), "Bot/2");
    EXPECT_EQ(CountNoCase(raw, "user-agent:"), 1u) << Visible(raw);
    EXPECT_EQ(CountNoCase(raw, "\r\nAccept:"), 1u) << Visible(raw);
    EXPECT_EQ(seen[0].header("Accept"), "text/html");
    EXPECT_NE(raw.find("\r\nX-Empty:"), std::string::npos) << Visible(raw);
}

TEST(HttpRequest, PostAndHeadSendTheirBody) {
    FakeHttpServer server;
    server.replyAll({200, "done", {}});

    // postText fills an empty postBytes, which is sent.
    std::string postBytes;
    const std::string text = G("名=值&b=$\"x\"");
    EXPECT_EQ(HttpRequest(server.url("/post"), 1, text, nullptr, nullptr, nullptr, nullptr, false, &postBytes), "done");
    EXPECT_EQ(postBytes, text);

    // postBytes goes ahead of postText, zero bytes and all.
    postBytes = BinaryBody(3000);
    HttpRequest(server.url("/bytes"), 1, "not sent", nullptr, nullptr, nullptr, nullptr, false, &postBytes);

    // A HEAD carries its body too, and waits for no body back.
    Gbk responseHeaders;
    EXPECT_EQ(HttpRequest(server.url("/head"), 2, "h=1", nullptr, nullptr, nullptr, &responseHeaders), "");
    EXPECT_EQ(Visible(responseHeaders), "HTTP/1.1 200 OK\\r\\nContent-Length: 4\\r\\nConnection: close");

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].body, text);
    EXPECT_EQ(seen[0].header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(seen[0].header("Content-Length"), std::to_string(text.size()));
    EXPECT_EQ(seen[1].body, BinaryBody(3000));
    EXPECT_EQ(CountNoCase(seen[1].rawHeaders, "Expect:"), 0u);
    EXPECT_EQ(seen[2].method, "HEAD");
    EXPECT_EQ(seen[2].body, "h=1") << Visible(seen[2].rawHeaders);
}

TEST(HttpRequest, RedirectsAreFollowedUnlessNoRedirect) {
    FakeHttpServer server;
    server.reply("/from", {302, "moved", {{"Location", "/to"}, {"Set-Cookie", "hop=1"}}});
    server.reply("/to", {200, "arrived", {{"X-Final", "yes"}}});
    const std::string from = server.url("/from");

    Gbk responseHeaders;
    EXPECT_EQ(HttpRequest(from, 0, {}, nullptr, nullptr, nullptr, &responseHeaders), "arrived");
    EXPECT_EQ(Visible(responseHeaders),
              "HTTP/1.1 200 OK\\r\\nX-Final: yes\\r\\nContent-Length: 7\\r\\nConnection: close");
    auto seen = server.requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].target, "/to");
    EXPECT_EQ(seen[1].header("Referer"), from);  // the header text is the one composed for the first URL

    Gbk newCookies;
    EXPECT_EQ(HttpRequest(from, 0, {}, nullptr, &newCookies, nullptr, &responseHeaders, true), "moved");
    EXPECT_EQ(responseHeaders.substr(0, 19), "HTTP/1.1 302 Found\r");
    EXPECT_NE(responseHeaders.find("\r\nLocation: /to\r\n"), std::string::npos);
    EXPECT_EQ(newCookies, "hop=1");
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(HttpRequest, LongResponseHeadersAreDeliveredWholeWithTheirCookies) {
    FakeHttpServer server;
    const std::string big(6000, 'x');
    server.replyAll({200, "", {{"X-Big", big}, {"Set-Cookie", "s=1; path=/"}, {"set-cookie", "t=2"}}});
    Gbk responseHeaders, newCookies;
    HttpRequest(server.url("/"), 0, {}, nullptr, &newCookies, nullptr, &responseHeaders);
    EXPECT_EQ(responseHeaders,
              "HTTP/1.1 200 OK\r\nX-Big: " + big +
                  "\r\nSet-Cookie: s=1; path=/\r\nSet-Cookie: t=2\r\nContent-Length: 0\r\nConnection: close");
    EXPECT_EQ(newCookies, "s=1; t=2");
}

TEST(HttpRequest, GivenCookiesAreSentAndMergedWithTheResponses) {
    FakeHttpServer server;
    server.reply("/c", {200, "", {{"Set-Cookie", "b=3; path=/"}, {"Set-Cookie", "c=4"}}});
    Gbk cookies = "a=1; b=2", newCookies;
    Gbk headers;
    HttpRequest(server.url("/c"), 0, {}, &cookies, &newCookies, &headers);
    EXPECT_EQ(cookies, "b=3; c=4; a=1");
    EXPECT_EQ(newCookies, "b=3; c=4; a=1");
    EXPECT_TRUE(headers.ends_with("\r\nCookie: a=1; b=2")) << Visible(headers);

    // Given but empty: no cookie line, and the response's cookies come back,
    // the deleted one left out.
    server.reply("/e", {200, "", {{"Set-Cookie", "s=1; path=/"}, {"Set-Cookie", "gone=deleted; Max-Age=0"}}});
    Gbk empty;
    HttpRequest(server.url("/e"), 0, {}, &empty, &newCookies);
    EXPECT_EQ(empty, "s=1");
    EXPECT_EQ(newCookies, "s=1");

    // A cookie text holding "Cookie:" is its own line.
    Gbk line = "Cookie: z=9";
    HttpRequest(server.url("/l"), 0, {}, &line);

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].header("Cookie"), "a=1; b=2");
    EXPECT_EQ(CountNoCase(seen[1].rawHeaders, "Cookie:"), 0u) << Visible(seen[1].rawHeaders);
    EXPECT_EQ(seen[2].header("Cookie"), "z=9");
    EXPECT_EQ(CountNoCase(seen[2].rawHeaders, "Cookie:"), 1u);
}

// Without a cookie list of its own a request keeps and sends the client's
// cookies; with one (even empty) it neither sends nor keeps them.
TEST(HttpRequest, TheClientsOwnCookiesServeRequestsWithoutACookieList) {
    FakeHttpServer server;
    server.reply("/store/set", {200, "", {{"Set-Cookie", "kept=1; Path=/store"}}});
    server.reply("/store/own", {200, "", {{"Set-Cookie", "own=2; Path=/store"}}});
    HttpRequest(server.url("/store/set"));
    Gbk none;
    HttpRequest(server.url("/store/own"), 0, {}, &none);
    HttpRequest(server.url("/store/next"));
    Gbk empty;
    HttpRequest(server.url("/store/given"), 0, {}, &empty);

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 4u);
    // Other tests of this program may have left cookies for 127.0.0.1 too.
    const std::string sent = "; " + seen[2].header("Cookie") + "; ";
    EXPECT_NE(sent.find("; kept=1; "), std::string::npos) << sent;
    EXPECT_EQ(sent.find("own=2"), std::string::npos) << sent;
    EXPECT_EQ(seen[3].header("Cookie"), "");
}

TEST(HttpRequest, ProxyGetsTheWholeUrl) {
    FakeHttpServer proxy;
    proxy.replyAll({200, "via proxy", {}});
    const std::string proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
    EXPECT_EQ(HttpRequest("http://far.example.invalid/p?q=1", 0, {}, nullptr, nullptr, nullptr, nullptr, false, nullptr,
                          proxyAddress),
              "via proxy");
    const auto seen = proxy.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].target.substr(0, 7), "http://");
    EXPECT_NE(seen[0].target.find("far.example.invalid"), std::string::npos) << seen[0].target;
    EXPECT_TRUE(seen[0].target.ends_with("/p?q=1")) << seen[0].target;
}

TEST(HttpRequest, FailuresAfterConnectingWriteTheOutArguments) {
    // A server that never answers: the call ends at its time-out.
    FakeHttpServer server;
    server.replyAll({200, "never", {}, true});
    Gbk headers, responseHeaders = "old";
    EXPECT_EQ(HttpRequest(server.url("/"), 0, {}, nullptr, nullptr, &headers, &responseHeaders, false, nullptr, {},
                          Short()),
              "");
    EXPECT_TRUE(headers.starts_with("Accept: */*\r\n"));
    EXPECT_EQ(responseHeaders, "");

    // A body over the cap: what arrived up to it.
    FakeHttpServer big;
    big.replyAll({200, BinaryBody(50000), {}});
    HttpLimits limits;
    limits.maxBody = 1000;
    EXPECT_EQ(HttpRequest(big.url("/"), 0, {}, nullptr, nullptr, nullptr, nullptr, false, nullptr, {}, limits),
              BinaryBody(1000));
}

TEST(HttpRequest, AnAddressThatCannotBeReachedLeavesTheOutArgumentsAlone) {
    FakeHttpServer server;
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.port());
    const std::vector<std::string> urls = {"http://bad host/x",   "http://a@" + hostPort + "/x",
                                           "http://127.0.0.1:0/", "http://127.0.0.1:70000/",
                                           "http:///x",           server.url("/x\r\nX-Injected: 1")};
    for (const std::string& url : urls) {
        Gbk cookies = "c=1", newCookies = "n", headers = "H: 1", responseHeaders = "r";
        std::string postBytes;
        EXPECT_EQ(HttpRequest(url, 1, "p", &cookies, &newCookies, &headers, &responseHeaders, false, &postBytes), "")
            << Visible(url);
        EXPECT_EQ(cookies + newCookies + headers + responseHeaders + postBytes, "c=1nH: 1r") << Visible(url);
    }
    EXPECT_EQ(server.requests().size(), 0u);
}

TEST(HttpGet, BodyOnlyForASuccessfulAnswer) {
    FakeHttpServer server;
    const std::string body = BinaryBody(4000);
    server.reply("/ok", {200, body, {}});
    server.reply("/missing", {404, "<html>not found</html>", {}});
    server.reply("/error", {500, "<html>error</html>", {}});
    server.reply("/moved", {301, "moved", {{"Location", "/ok"}}});
    server.reply("/empty", {204, "", {}});
    server.reply("/big", {200, BinaryBody(2000), {}});

    EXPECT_EQ(HttpGet(server.url("/ok")), body);
    EXPECT_EQ(HttpGet(server.url("/missing")), "");
    EXPECT_EQ(HttpGet(server.url("/error")), "");
    EXPECT_EQ(HttpGet(server.url("/moved")), body);
    EXPECT_EQ(HttpGet(server.url("/empty")), "");
    // Without a scheme the URL is taken as http.
    EXPECT_EQ(HttpGet("127.0.0.1:" + std::to_string(server.port()) + "/ok"), body);
    HttpLimits limits;
    limits.maxBody = 1999;
    EXPECT_EQ(HttpGet(server.url("/big"), limits), "");
    limits.maxBody = 2000;
    EXPECT_EQ(HttpGet(server.url("/big"), limits), BinaryBody(2000));

    const auto seen = server.requests();
    ASSERT_GE(seen.size(), 5u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].header("User-Agent"), kAgent);
}

TEST(HttpGet, FailuresGiveAnEmptyBodyAtTheTimeOut) {
    FakeHttpServer silent;
    silent.replyAll({200, "never", {}, true});
    EXPECT_EQ(HttpGet(silent.url("/"), Short()), "");

    // A port nobody listens on: the server is gone once its object is.
    int closedPort;
    {
        FakeHttpServer gone;
        closedPort = gone.port();
    }
    EXPECT_EQ(HttpGet("http://127.0.0.1:" + std::to_string(closedPort) + "/", Short()), "");
}

// A request its caller abandons ends without waiting for its own time-out
// (longer than any test: the flag is the only way it ends), and one whose
// flag stays down is not disturbed by it.
TEST(HttpGet, AnAbandonedRequestEndsWithoutWaitingForItsTimeOut) {
    FakeHttpServer silent;
    silent.replyAll({200, "never", {}, true});
    std::atomic<bool> abandon{false};
    HttpLimits patient{std::chrono::hours(24), std::chrono::hours(24), 1024, &abandon};
    std::thread stopper([&abandon, &silent] {
        while (silent.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        abandon = true;
    });
    EXPECT_EQ(HttpGet(silent.url("/"), patient), "");
    stopper.join();

    FakeHttpServer server;
    server.replyAll({200, "ok", {}});
    abandon = false;
    EXPECT_EQ(HttpGet(server.url("/"), patient), "ok");
}

TEST(HttpGet, PathBytesOutsidePrintableAsciiArePercentEncoded) {
    FakeHttpServer server;
    server.replyAll({200, "ok", {}});
    EXPECT_EQ(HttpGet(server.url(G("/中 文?q=值"))), "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/%D6%D0%20%CE%C4?q=%D6%B5");
}

TEST(HttpGet, ManyThreadsAtOnce) {
    FakeHttpServer server;
    server.replyAll({200, "same", {{"Set-Cookie", "t=1; Path=/threads"}}});
    std::vector<std::string> got(16);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < got.size(); ++i)
        threads.emplace_back([&, i] { got[i] = HttpGet(server.url("/threads/" + std::to_string(i))); });
    for (auto& t : threads) t.join();
    for (const auto& g : got) EXPECT_EQ(g, "same");
    EXPECT_EQ(server.requests().size(), got.size());
}

}  // namespace
