#include <gtest/gtest.h>

#include "common/http/HttpRequest.h"
#include "common/http/WebText.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;

namespace {

const std::string kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

TEST(HeaderValue, TextAfterTheFirstColonWithoutSpaces) {
    const std::pair<std::string, std::string> cases[] = {
        {"User-Agent:  Bot/1.0 (x)  ", "Bot/1.0 (x)"},
        {"Location: http://a.b:81/c", "http://a.b:81/c"},
        {"No colon here", ""},
        {"Name:", ""},
        {"A:\tv\t", "\tv\t"},  // only spaces are trimmed
        {G("A:　值　"), G("值")},
    };
    for (const auto& [line, value] : cases) EXPECT_EQ(HeaderValue(line), value) << Visible(line);
}

TEST(Url, HostPortAndPath) {
    struct Case {
        std::string url, host, hostAndPort;
        long long port;
        std::string path;
    };
    const Case cases[] = {
        {"HTTP://WWW.Example.COM:8080/Path/Page?Q=Yes", "www.example.com", "www.example.com:8080", 8080,
         "/Path/Page?Q=Yes"},
        {"https://a.example/x", "a.example", "a.example", 443, "/x"},
        {"HTTPS://A.example", "a.example", "a.example", 443, "/"},
        {"a.example/Dir/", "a.example", "a.example", 80, "/Dir/"},
        {"a.example:8081", "a.example", "a.example:8081", 8081, "/"},
        {"http://a.example:81", "a.example", "a.example:81", 81, "/"},
        {"https://a.example:8443/s", "a.example", "a.example:8443", 8443, "/s"},
        // The host found in the scheme ("ttp" in "http") is not where the path starts.
        {"http://ttp/x", "ttp", "ttp", 80, "/x"},
        {"http://http/x", "http", "http", 80, "/x"},
        {G("http://a.example/中文?名=值"), "a.example", "a.example", 80, G("/中文?名=值")},
        // A query right after the host stays part of the host: such URLs are not refined.
        {"http://a.example?q=1", "a.example?q=1", "a.example?q=1", 80, "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
        EXPECT_EQ(UrlHost(c.url, true), c.hostAndPort) << c.url;
        EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
        EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
    }
}

TEST(Cookies, SetCookieLinesGiveTheirNameAndValue) {
    const std::pair<std::string, std::string> cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: s=1; path=/\r\nSet-Cookie: t=2", "s=1; t=2"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 0", ""},
        {"Set-Cookie:  a = 1 ;Path=/", "a = 1"},
        {"Set-Cookie: k=v\r\nX-A: 1\r\nSet-Cookie: sid=abc; HttpOnly; Secure", "k=v; sid=abc"},
        {G("Set-Cookie:　名=值　"), G("名=值")},
    };
    for (const auto& [headers, cookies] : cases) EXPECT_EQ(CookiesFromHeaders(headers), cookies) << Visible(headers);
}

TEST(Cookies, MergeKeepsNewOverOldAndDropsDeleted) {
    struct Case {
        std::string oldCookies, newCookies, merged, newAfter;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3; c=4", "b=3; c=4; a=1", "b=3;c=4"},
        {"a=1", "a=deleted", "", "a=deleted"},
        {"a=1;a=2", "", "a=1", ""},
        {"", "s=1; t=2", "s=1; t=2", "s=1;t=2"},
        {"a=1; b=deleted", "", "a=1", ""},
        {"a = 1", "", "a=1", ""},
        {G("a=1　; b=2"), "", "a=1; b=2", ""},
        {"x=1", "x=1; x=1", "x=1", "x=1;x=1"},
        {"flag; a=1", "flag", "flag; a=1", "flag"},
    };
    for (const auto& c : cases) {
        Gbk oldCookies = c.oldCookies, newCookies = c.newCookies;
        EXPECT_EQ(MergeCookies(oldCookies, newCookies), c.merged) << c.oldCookies << " + " << c.newCookies;
        EXPECT_EQ(oldCookies, c.merged);
        EXPECT_EQ(newCookies, c.newAfter);
    }
}

TEST(Cookies, NamesListsAndIndexes) {
    const std::pair<std::string, std::string> names[] = {
        {" a =1", "a"}, {"flag", "flag"}, {"=v", ""}, {"a=b=c", "a"}, {G("名=值"), G("名")},
    };
    for (const auto& [item, name] : names) EXPECT_EQ(CookieName(item), name) << item;

    const std::vector<Gbk> items = {"a=1", "b=2", "b=2"};
    EXPECT_TRUE(CookieListHas(items, "b"));
    EXPECT_FALSE(CookieListHas(items, "B"));
    EXPECT_FALSE(CookieListHas({}, "a"));
    EXPECT_EQ(IndexOfText(items, "b=2"), 2);
    EXPECT_EQ(IndexOfText(items, "B=2"), -1);
    EXPECT_EQ(IndexOfText({}, ""), -1);

    EXPECT_EQ(DedupeList("a; b; a; c; b", "; "), "a; b; c");
    EXPECT_EQ(DedupeList("A;a;A", ";"), "A;a");
    EXPECT_EQ(DedupeList("a;;a;", ";"), "a;");
    EXPECT_EQ(DedupeList("", "; "), "");
}

// A chatty site's long lists merge whole (their cost is measured by
// bench/bench_cookies, not by the clock of a test).
TEST(Cookies, LongListsMergeWhole) {
    Gbk oldCookies, newCookies;
    for (int i = 0; i < 100000; ++i) {
        oldCookies += "o" + std::to_string(i % 50000) + "=1; ";
        newCookies += "n" + std::to_string(i) + "=2; ";
    }
    const Gbk merged = MergeCookies(oldCookies, newCookies);
    EXPECT_EQ(merged.substr(0, 12), "n0=2; n1=2; ");
    EXPECT_EQ(Split(merged, "; ").size(), 150000u);
}

TEST(RequestHeaders, DefaultLinesAreAddedWhenMissing) {
    const std::string url = "http://a.example/x?y=1";
    const std::string defaults = "\r\nReferer: " + url +
                                 "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
    struct Case {
        std::string headers, cookies, sent;
    };
    const Case cases[] = {
        {"", "", "Accept: */*" + defaults},
        {"Accept: text/html", "", "Accept: text/html" + defaults},
        // The names are looked for as written: another letter case gets a second line.
        {"accept: text/html", "", "accept: text/html\r\nAccept: */*" + defaults},
        {"X-A: 1\r\n", "", "X-A: 1\r\n\r\nAccept: */*" + defaults},
        {"Referer: r\r\nContent-Type: text/plain", "",
         "Referer: r\r\nContent-Type: text/plain\r\nAccept: */*\r\nAccept-Language: zh-cn"},
        {"", "a=1; b=2", "Accept: */*" + defaults + "\r\nCookie: a=1; b=2"},
        {"", "Cookie: a=1", "Accept: */*" + defaults + "\r\nCookie: a=1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Visible(ComposeRequestHeaders(c.headers, url, c.cookies)), Visible(c.sent)) << Visible(c.headers);
}

TEST(RequestHeaders, AgentIsTheFirstUserAgentLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", kAgent},
        {"Accept: */*", kAgent},
        {"User-Agent: Bot/1.0", "Bot/1.0"},
        {"X-A: 1\r\nuser-agent:  bot/2 \r\nX-B: 3", "bot/2"},
        {"USER-AGENT: A\r\nUser-Agent: B", "A"},
        {"User-Agent:   ", kAgent},
    };
    for (const auto& [headers, agent] : cases) EXPECT_EQ(UserAgentFor(headers), agent) << Visible(headers);
}

}  // namespace
