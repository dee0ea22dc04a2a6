// HttpRequestEx: how it drives a request object (against one that records
// every call), and the request object of the HTTP core against a server on
// 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "common/http/HttpRequestEx.h"
#include "tests/support/FakeHttpServer.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::FakeHttpServer;
using trelvix::test::FakeReply;
using trelvix::test::Visible;

namespace {

const std::string kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
const std::string kUrl = "http://example.test/q?x=1";

// Writes each call down as one line and answers Send with a canned response.
class RecordingRequest final : public WebRequestObject {
public:
    std::vector<std::string> calls;
    std::string body;
    Gbk responseHeaders;
    int status = 0;

    void SetTimeouts(int a, int b, int c, int d) override {
        calls.push_back("SetTimeouts " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
                        std::to_string(d));
    }
    void SetProxy(int setting, std::string_view server) override {
        calls.push_back("SetProxy " + std::to_string(setting) + " " + std::string(server));
    }
    void SetCredentials(std::string_view user, std::string_view password, int flags) override {
        calls.push_back("SetCredentials " + std::string(user) + " " + std::string(password) + " " +
                        std::to_string(flags));
    }
    bool Open(std::string_view verb, std::string_view url, bool async) override {
        calls.push_back("Open " + std::string(verb) + " " + std::string(url) + (async ? " async" : " sync"));
        return true;
    }
    void SetOption(int option, long value) override {
        calls.push_back("SetOption " + std::to_string(option) + " " + std::to_string(value));
    }
    bool SetRequestHeader(std::string_view name, std::string_view value) override {
        calls.push_back("Header [" + std::string(name) + "] [" + std::string(value) + "]");
        return !name.empty();
    }
    bool Send(std::string_view sent) override {
        calls.push_back("Send [" + std::string(sent) + "]");
        return true;
    }
    std::string ResponseBody() const override { return body; }
    Gbk GetAllResponseHeaders() const override { return responseHeaders; }
    int Status() const override { return status; }
};

std::vector<std::string> DefaultHeaderCalls(const std::string& url) {
    return {"Header [Accept] [*/*]", "Header [Referer] [" + url + "]", "Header [Accept-Language] [zh-cn]",
            "Header [User-Agent] [" + kAgent + "]", "Header [Content-Type] [application/x-www-form-urlencoded]"};
}

template <typename... Lists>
std::vector<std::string> Join(const Lists&... lists) {
    std::vector<std::string> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

TEST(HttpRequestEx, BareGetSetsDefaultTimeoutsThenOpensThenTheDefaultLinesInOrder) {
    auto request = std::make_shared<RecordingRequest>();
    request->body = "body";
    request->status = 200;
    Gbk headers;
    int status = -1;
    EXPECT_EQ(HttpRequestEx(kUrl, 0, {}, nullptr, nullptr, &headers, nullptr, &status, false, {}, {}, 0, {}, {}, 1,
                            request),
              "body");
    // Certificate checks stay on: no option other than the ones asked for is set.
    EXPECT_EQ(request->calls,
              Join(std::vector<std::string>{"SetTimeouts 15000 15000 15000 15000", "Open GET " + kUrl + " sync"},
                   DefaultHeaderCalls(kUrl), std::vector<std::string>{"Send []"}));
    EXPECT_EQ(Visible(headers),
              Visible("Accept: */*\r\nReferer: " + kUrl + "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + kAgent +
                      "\r\nContent-Type: application/x-www-form-urlencoded"));
    EXPECT_EQ(status, 200);
}

TEST(HttpRequestEx, TimeoutSecondsGiveOneTimeForAllFourPhases) {
    const struct {
        int seconds;
        const char* call;  // null: SetTimeouts is not called
    } cases[] = {{30, "SetTimeouts 30000 30000 30000 30000"},
                 {1, "SetTimeouts 1000 1000 1000 1000"},
                 {-1, nullptr},
                 {0, "SetTimeouts 15000 15000 15000 15000"},
                 {-5, "SetTimeouts 15000 15000 15000 15000"}};
    for (const auto& c : cases) {
        auto request = std::make_shared<RecordingRequest>();
        HttpRequestEx(kUrl, 0, {}, nullptr, nullptr, nullptr, nullptr, nullptr, false, {}, {}, c.seconds, {}, {}, 1,
                      request);
        ASSERT_FALSE(request->calls.empty());
        if (c.call) EXPECT_EQ(request->calls.front(), c.call) << c.seconds;
        else EXPECT_EQ(request->calls.front(), "Open GET " + kUrl + " sync") << c.seconds;
    }
}

TEST(HttpRequestEx, ProxyAndCredentialsGoTogetherOnly) {
    const struct {
        const char *proxy, *user, *password;
        int flags;
        std::vector<std::string> expected;  // the calls before Open
    } cases[] = {
        {"", "", "", 1, {}},
        {"10.0.0.1:8080", "", "pw", 1, {"SetProxy 2 10.0.0.1:8080"}},
        {"10.0.0.1:8080", "me", "pw", 1, {"SetProxy 2 10.0.0.1:8080", "SetCredentials me pw 1"}},
        {"10.0.0.1:8080", "me", "", 0, {"SetProxy 2 10.0.0.1:8080", "SetCredentials me  0"}},
        {"", "me", "pw", 1, {}},
    };
    for (const auto& c : cases) {
        auto request = std::make_shared<RecordingRequest>();
        HttpRequestEx(kUrl, 0, {}, nullptr, nullptr, nullptr, nullptr, nullptr, false, {}, c.proxy, -1, c.user,
                      c.password, c.flags, request);
        std::vector<std::string> before;
        for (const std::string& call : request->calls) {
            if (call.starts_with("Open ")) break;
            before.push_back(call);
        }
        EXPECT_EQ(before, c.expected) << c.proxy << " / " << c.user;
    }
}

TEST(HttpRequestEx, HeaderTextGetsOnlyTheMissingDefaultLines) {
    const struct {
        const char* what;
        std::string headers;
        std::vector<std::string> calls;  // the header calls
    } cases[] = {
        {"an agent of its own gets no second one",
         "User-Agent: me/1",
         {"Header [User-Agent] [me/1]", "Header [Accept] [*/*]", "Header [Referer] [" + kUrl + "]",
          "Header [Accept-Language] [zh-cn]", "Header [Content-Type] [application/x-www-form-urlencoded]"}},
        {"names are matched in their letter case", "user-agent: me/1",
         Join(std::vector<std::string>{"Header [user-agent] [me/1]"},
              std::vector<std::string>{"Header [Accept] [*/*]", "Header [Referer] [" + kUrl + "]",
                                       "Header [Accept-Language] [zh-cn]", "Header [User-Agent] [" + kAgent + "]",
                                       "Header [Content-Type] [application/x-www-form-urlencoded]"})},
        {"a line without a colon is passed with empty name and value; the rest still go",
         "no colon here\r\n\r\nAccept: text/html\r\nReferer: r\r\nAccept-Language: en\r\nUser-Agent: a\r\n"
         "Content-Type: text/plain",
         {"Header [] []", "Header [Accept] [text/html]", "Header [Referer] [r]", "Header [Accept-Language] [en]",
          "Header [User-Agent] [a]", "Header [Content-Type] [text/plain]"}},
    };
    for (const auto& c : cases) {
        auto request = std::make_shared<RecordingRequest>();
        Gbk headers = c.headers;
        HttpRequestEx(kUrl, 0, {}, nullptr, nullptr, &headers, nullptr, nullptr, false, {}, {}, -1, {}, {}, 1, request);
        std::vector<std::string> headerCalls;
        for (const std::string& call : request->calls)
            if (call.starts_with("Header ")) headerCalls.push_back(call);
        EXPECT_EQ(headerCalls, c.calls) << c.what;
    }
}

TEST(HttpRequestEx, MethodRedirectAndBodyChoices) {
    const struct {
        const char* what;
        int method;
        std::string postText, postBytes;
        bool noRedirect;
        std::vector<std::string> calls;  // Open to Send, header lines left out
    } cases[] = {
        {"a method outside 0..2 is a GET; the text body still goes",
         3,
         "a=1",
         "",
         false,
         {"Open GET " + kUrl + " sync", "Send [a=1]"}},
        {"bytes go ahead of the text, also with a GET",
         0,
         "a=1",
         std::string("b\0c", 3),
         false,
         {"Open GET " + kUrl + " sync", "Send [" + std::string("b\0c", 3) + "]"}},
        {"POST, redirects off after Open",
         1,
         "a=1",
         "",
         true,
         {"Open POST " + kUrl + " sync", "SetOption 6 0", "Send [a=1]"}},
        {"HEAD", 2, "", "", false, {"Open HEAD " + kUrl + " sync", "Send []"}},
    };
    for (const auto& c : cases) {
        auto request = std::make_shared<RecordingRequest>();
        HttpRequestEx(kUrl, c.method, c.postText, nullptr, nullptr, nullptr, nullptr, nullptr, c.noRedirect,
                      c.postBytes, {}, -1, {}, {}, 1, request);
        std::vector<std::string> calls;
        for (const std::string& call : request->calls)
            if (!call.starts_with("Header ")) calls.push_back(call);
        EXPECT_EQ(calls, c.calls) << c.what;
    }
}

TEST(HttpRequestEx, CookiesAreSentFirstAndMergedWithWhatTheResponseSets) {
    auto request = std::make_shared<RecordingRequest>();
    request->responseHeaders = "Content-Length: 0\r\nSET-COOKIE: a=1; path=/\r\nset-cookie: b=deleted\r\n";
    request->status = 302;
    Gbk cookies = "b=2; c=3", newCookies, responseHeaders;
    int status = 0;
    HttpRequestEx(kUrl, 0, {}, &cookies, &newCookies, nullptr, &responseHeaders, &status, false, {}, {}, -1, {}, {}, 1,
                  request);
    ASSERT_GE(request->calls.size(), 2u);
    EXPECT_EQ(request->calls[1], "Header [Cookie] [b=2; c=3]");
    EXPECT_EQ(newCookies, "a=1; c=3");
    EXPECT_EQ(cookies, "a=1; c=3");
    EXPECT_EQ(Visible(responseHeaders),
              Visible("Content-Length: 0\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=deleted\r\n"));
    EXPECT_EQ(status, 302);

    // Without cookies of its own the caller still gets the response's.
    Gbk only;
    HttpRequestEx(kUrl, 0, {}, nullptr, &only, nullptr, nullptr, nullptr, false, {}, {}, -1, {}, {}, 1, request);
    EXPECT_EQ(only, "a=1");
}

TEST(HttpRequestEx, ACallersRequestObjectIsUsedAndKept) {
    auto request = std::make_shared<RecordingRequest>();
    request->body = "one";
    HttpRequestEx(kUrl, 0, {}, nullptr, nullptr, nullptr, nullptr, nullptr, false, {}, {}, 30, {}, {}, 1, request);
    EXPECT_EQ(request.use_count(), 1);
    const std::size_t first = request->calls.size();
    EXPECT_EQ(HttpRequestEx(kUrl, 1, "x", nullptr, nullptr, nullptr, nullptr, nullptr, false, {}, {}, -1, {}, {}, 1,
                            request),
              "one");
    EXPECT_EQ(request->calls.size(), first * 2 - 1);  // the same calls but SetTimeouts
    EXPECT_EQ(request.use_count(), 1);
}

TEST(HeaderName, TrimmedTextBeforeTheFirstColon) {
    const struct {
        const char *line, *name;
    } cases[] = {{"Accept: */*", "Accept"}, {"  X-A :b:c", "X-A"}, {"no colon", ""}, {": v", ""}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(HeaderName(c.line), c.name) << c.line;
}

// ---------------------------------------------------------------- over the wire

TEST(HttpRequestExWire, ErrorStatusReturnsItsBodyAndTheHeadersGoOutInOrder) {
    FakeHttpServer server;
    server.reply("/missing", {404, "not here", {{"Set-Cookie", "s=1; path=/"}}});
    const std::string url = server.url("/missing?ip=1.2.3.4");
    Gbk headers = "apikey: 0123", responseHeaders, newCookies;
    int status = 0;
    EXPECT_EQ(HttpRequestEx(url, 0, {}, nullptr, &newCookies, &headers, &responseHeaders, &status), "not here");
    EXPECT_EQ(status, 404);
    EXPECT_EQ(newCookies, "s=1");
    EXPECT_EQ(Visible(responseHeaders),
              Visible("Set-Cookie: s=1; path=/\r\nContent-Length: 8\r\nConnection: close\r\n"));
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].target, "/missing?ip=1.2.3.4");
    const std::string raw = seen[0].rawHeaders;
    const std::vector<std::string> order = {"apikey: 0123\r\n",
                                            "Accept: */*\r\n",
                                            "Referer: " + url + "\r\n",
                                            "Accept-Language: zh-cn\r\n",
                                            "User-Agent: " + kAgent + "\r\n",
                                            "Content-Type: application/x-www-form-urlencoded\r\n"};
    std::size_t at = 0;
    for (const std::string& line : order) {
        const std::size_t found = raw.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " in " << Visible(raw);
        at = found + line.size();
    }
}

TEST(HttpRequestExWire, FailuresGiveAnEmptyResult) {
    int closedPort = 0;
    {
        FakeHttpServer gone;
        closedPort = gone.port();
    }
    FakeHttpServer stalling;
    stalling.replyAll({200, "", {}, true});
    const struct {
        const char* what;
        std::string url;
    } cases[] = {
        {"closed port", "http://127.0.0.1:" + std::to_string(closedPort) + "/"},
        {"a server that never answers, after the time-out", stalling.url("/slow")},
        {"no host", "http:///x"},
    };
    for (const auto& c : cases) {
        Gbk responseHeaders = "old";
        int status = -1;
        EXPECT_EQ(HttpRequestEx(c.url, 0, {}, nullptr, nullptr, nullptr, &responseHeaders, &status, false, {}, {}, 1),
                  "")
            << c.what;
        EXPECT_EQ(responseHeaders, "") << c.what;
        EXPECT_EQ(status, 0) << c.what;
    }
}

TEST(HttpRequestExWire, BodiesRedirectsAndAReusedObject) {
    FakeHttpServer server;
    server.reply("/moved", {302, "gone", {{"Location", "/here"}}});
    server.reply("/here", {200, "arrived", {}});
    auto request = NewWebRequestObject();
    ASSERT_NE(request, nullptr);
    int status = 0;

    // Redirects are followed unless switched off; switching them off stays with the object.
    EXPECT_EQ(HttpRequestEx(server.url("/moved"), 0, {}, nullptr, nullptr, nullptr, nullptr, &status, false, {}, {}, 0,
                            {}, {}, 1, request),
              "arrived");
    EXPECT_EQ(status, 200);
    EXPECT_EQ(HttpRequestEx(server.url("/moved"), 0, {}, nullptr, nullptr, nullptr, nullptr, &status, true, {}, {}, 0,
                            {}, {}, 1, request),
              "gone");
    EXPECT_EQ(status, 302);
    EXPECT_EQ(HttpRequestEx(server.url("/moved"), 0, {}, nullptr, nullptr, nullptr, nullptr, &status, false, {}, {}, 0,
                            {}, {}, 1, request),
              "gone");

    // A GET carries its body; a POST its text.
    HttpRequestEx(server.url("/here"), 0, "text", nullptr, nullptr, nullptr, nullptr, nullptr, false, "bytes");
    HttpRequestEx(server.url("/here"), 1, "a=1&b=2");
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[4].method, "GET");
    EXPECT_EQ(seen[4].body, "bytes");
    EXPECT_EQ(seen[5].method, "POST");
    EXPECT_EQ(seen[5].body, "a=1&b=2");
}

TEST(HttpRequestExWire, ProxyCredentialsAnswerTheProxysChallenge) {
    FakeHttpServer proxy;
    const std::string target = "http://example.test/p";
    proxy.reply(target, {407, "", {{"Proxy-Authenticate", "Basic realm=\"p\""}}});
    proxy.reply(target, {200, "via proxy", {}});
    const std::string server = "127.0.0.1:" + std::to_string(proxy.port());
    EXPECT_EQ(HttpRequestEx(target, 0, {}, nullptr, nullptr, nullptr, nullptr, nullptr, false, {}, server, 0, "me",
                            "pw"),
              "via proxy");
    const auto seen = proxy.requests();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().target, target);
    EXPECT_EQ(seen.back().header("Proxy-Authorization"), "Basic bWU6cHc=");  // me:pw
}

}  // namespace
