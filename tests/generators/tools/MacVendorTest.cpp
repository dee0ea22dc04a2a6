// The MAC-vendor lookup against a fake service on 127.0.0.1: the request's
// exact path, a page that holds the table, and the failures that must give
// empty results within the time limit.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "TestSupport.h"
#include "generators/tools/MacVendor.h"
#include "tests/support/FakeHttpServer.h"

namespace trelvix::tools {
namespace {

using test::FakeHttpServer;
using test::FakeReply;
using test::G;

// The service's table as the page carries it (UTF-8, LF line ends).
std::string VendorPage(const std::string& name, const std::string& address) {
    return "<html><table>\n<tr>\n<td bgcolor=\"#F5F5F5\" align=\"center\">厂商</td>\n"
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" + name + "</td>\n</tr>\n\n<tr>\n"
           "<td bgcolor=\"#F5F5F5\" align=\"center\">厂址</td>\n"
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" + address + "</td>\n</tr>\n"
           "</table></html>";
}

struct LookupFixture : ::testing::Test {
    FakeHttpServer server;
    MacVendorService service{"127.0.0.1:" + std::to_string(server.port()),
                             HttpLimits{std::chrono::milliseconds(500), std::chrono::milliseconds(800), 64 * 1024}};
};

TEST(MacVendorUrl, SeparatorsStayAndEverythingElseUnsafeIsEncoded) {
    EXPECT_EQ(MacVendorUrl("h", "00:11:22:33:44:55"), "http://h/00:11:22:33:44:55__mac/");
    EXPECT_EQ(MacVendorUrl("h", "E4-8D-8C-01-02-03"), "http://h/E4-8D-8C-01-02-03__mac/");
    EXPECT_EQ(MacVendorUrl("h", "a b/?#:c"), "http://h/a%20b%2F%3F%23:c__mac/");
    EXPECT_EQ(MacVendorUrl("h", ""), "http://h/__mac/");
}

TEST_F(LookupFixture, AMatchingPageGivesTheVendorAndItsAddressInGbk) {
    server.reply("/00:11:22:33:44:55__mac/", FakeReply{200, VendorPage("华为技术有限公司", "中国 深圳"), {}});
    const MacVendor v = LookupMacVendor(service, "00:11:22:33:44:55");
    EXPECT_EQ(v.name, G("华为技术有限公司"));
    EXPECT_EQ(v.address, G("中国 深圳"));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method, "GET");
    EXPECT_EQ(server.requests()[0].target, "/00:11:22:33:44:55__mac/");
}

TEST_F(LookupFixture, FailuresGiveEmptyResults) {
    server.reply("/gone__mac/", FakeReply{404, VendorPage("x", "y"), {}});
    server.reply("/other__mac/", FakeReply{200, "<html>no table</html>", {}});
    server.reply("/stall__mac/", FakeReply{200, "", {}, true});
    for (const char* mac : {"gone", "other", "stall"}) {
        SCOPED_TRACE(mac);
        const auto start = std::chrono::steady_clock::now();
        const MacVendor v = LookupMacVendor(service, mac);
        EXPECT_EQ(v.name, "");
        EXPECT_EQ(v.address, "");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    }
}

TEST(MacVendorLookup, NoHostFindsNothingWithoutAsking) {
    const MacVendor v = LookupMacVendor(MacVendorService{"", {}}, "00:11:22:33:44:55");
    EXPECT_EQ(v.name, "");
    EXPECT_EQ(v.address, "");
}

}  // namespace
}  // namespace trelvix::tools
