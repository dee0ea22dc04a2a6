// The MAC-vendor lookup against a fake service on 127.0.0.1: the request's
// exact path, a page that holds the table, and the failures that must give
// empty results within the time limit; without a service, the answers of the
// built-in IEEE registry.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

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
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" +
           name +
           "</td>\n</tr>\n\n<tr>\n"
           "<td bgcolor=\"#F5F5F5\" align=\"center\">厂址</td>\n"
           "<td bgcolor=\"#FFFFFF\" align=\"center\" style=\"font-size:16px;\">" +
           address +
           "</td>\n</tr>\n"
           "</table></html>";
}

// A page that is served arrives within these on any machine; only a stalling
// one meets its time-out.
struct LookupFixture : ::testing::Test {
    FakeHttpServer server;
    MacVendorService service{"127.0.0.1:" + std::to_string(server.port()),
                             HttpLimits{std::chrono::seconds(60), std::chrono::seconds(120), 64 * 1024}};
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
    const std::pair<const char*, std::chrono::milliseconds> cases[] = {{"gone", service.limits.total},
                                                                       {"other", service.limits.total},
                                                                       {"stall", std::chrono::milliseconds(800)}};
    for (const auto& [mac, total] : cases) {
        SCOPED_TRACE(mac);
        service.limits.total = total;
        const MacVendor v = LookupMacVendor(service, mac);
        EXPECT_EQ(v.name, "");
        EXPECT_EQ(v.address, "");
    }
}

// Expected texts as the IEEE registry's CSV files of ieee-data 20220827.1
// give them, one line each and without the blanks at their ends.
TEST(RegisteredVendor, TheLongestAssignmentHoldingTheAddressAnswers) {
    const struct {
        const char* mac;
        const char* name;
        const char* address;
    } cases[] = {
        {"00:0C:42:12:34:56", "Routerboard.com", "Pernavas 46 Riga  LV LV-1009"},  // MA-L
        {"e4-8d-8c-ab-cd-ef", "Routerboard.com", "Mikrotikls SIA Riga Riga LV LV1009"},
        {"20:85:93:B1:23:45", "IOG Products LLC", "9737 LURLINE AVENUE CHATSWORTH CA US 91311"},  // MA-M
        // No MA-M block 208593F: the MA-L holder of 20:85:93 answers.
        {"20:85:93:F0:00:00", "IEEE Registration Authority", "445 Hoes Lane Piscataway NJ US 08554"},
        {"70-B3-D5-F2-FF-FF", "TELEPLATFORMS", "Polbina st., 3/1 Moscow  RU 109388"},  // MA-S, quoted
        {"70:B3:D5:F2:50:00", "JSC “Scientific Industrial Enterprise \"Rubin\"",
         "2, Baydukov str. Penza Penza reg. RU 440000"},
        {"00:50:C2:7D:5A:BC", "DEUTA-WERKE GmbH", "Paffrather Strasse 140 Bergisch-Gladbach NRW DE 51465"},  // IAB
        // An address written over two lines in the registry reads as one.
        {"C4:04:D8:00:00:01", "Aviva Links Inc.", "160 E Tasman Dr STE 102 SAN JOSE CA US 95134"},
        // A block given to several organisations: the registry's first record.
        {"08:00:30:00:00:00", "NETWORK RESEARCH CORPORATION", "2380 N. ROSE AVENUE OXNARD CA US 93010"},
        {"  00:00:0c:00:00:00\t", "Cisco Systems, Inc", "170 WEST TASMAN DRIVE SAN JOSE CA US 95134-1706"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mac);
        const MacVendor v = FindRegisteredVendor(c.mac);
        EXPECT_EQ(v.name, G(c.name));
        EXPECT_EQ(v.address, G(c.address));
    }
    // Characters GBK lacks become "?".
    const MacVendor doro = FindRegisteredVendor("98:BA:39:00:00:00");
    EXPECT_EQ(doro.name, "Doro AB");
    EXPECT_EQ(doro.address, "J?rgen Kocksgatan 1B Malm? Skane SE 211 20");
}

TEST(RegisteredVendor, UnknownAndMalformedAddressesFindNothing) {
    for (const char* mac :
         {"12:34:56:00:00:00", "AB-CD-EF-00-00-00",  // locally administered: never assigned
          "", "00:0C:42", "00:0C:42:12:34", "00:0C:42:12:34:56:78", "000C42123456", "00:0C-42:12:34:56",
          "00:0C:42:12:34:5G", "0:0C:42:12:34:56", "00 0C 42 12 34 56", "00:0C:42:12:34:56x"}) {
        SCOPED_TRACE(mac);
        const MacVendor v = FindRegisteredVendor(mac);
        EXPECT_EQ(v.name, "");
        EXPECT_EQ(v.address, "");
    }
}

TEST(MacVendorLookup, NoHostAnswersFromTheRegistryWithoutAsking) {
    const MacVendor v = LookupMacVendor(MacVendorService{"", {}}, "00:0C:42:00:00:01");
    EXPECT_EQ(v.name, "Routerboard.com");
    EXPECT_EQ(v.address, "Pernavas 46 Riga  LV LV-1009");
}

}  // namespace
}  // namespace trelvix::tools
