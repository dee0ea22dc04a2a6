// The stored firewall texts as files: their line ends, the sizes given for
// them, and rules an import would stop at. The page's cases show each
// set's whole text.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/EmbeddedData.h"
#include "generators/firewall/FilterSets.h"
#include "generators/firewall/FirewallGenerators.h"

namespace trelvix::firewall {
namespace {

TEST(StoredBlocks, LinesEndInCrLfAndTheLastHasNone) {
    const SoftwareBlock all[] = {SoftwareBlock::Thunder,    SoftwareBlock::ThunderFull, SoftwareBlock::PpLive,
                                 SoftwareBlock::QqXuanFeng, SoftwareBlock::NetSoftware, SoftwareBlock::QqLive};
    for (const SoftwareBlock block : all) {
        SCOPED_TRACE(static_cast<int>(block));
        const std::string text = StoredBlock(block);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.back(), '\n');
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
            }
            if (text[i] == '\r') {
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
}

TEST(StoredTexts, HaveTheSizesTheyAreKnownBy) {
    EXPECT_EQ(StoredText("data/firewall/block-thunder.rsc").size(), 120u);
    EXPECT_EQ(StoredText("data/firewall/arp-bind-schedule.rsc").size(), 278u);
    EXPECT_EQ(StoredText("data/firewall/dynamic-wan-nat.rsc").size(), 463u);
}

// Every rule with a port names its protocol: RouterOS refuses a port without
// one, and an import stops at the first refused line, losing every block
// after it.
TEST(StoredBlocks, EveryPortRuleNamesItsProtocol) {
    const SoftwareBlock withPorts[] = {SoftwareBlock::PpLive, SoftwareBlock::NetSoftware, SoftwareBlock::QqLive};
    for (const SoftwareBlock block : withPorts) {
        for (const std::string& line : test::CrLfLines(StoredBlock(block))) {
            if (line.find("dst-port=") != std::string::npos) {
                EXPECT_NE(line.find(" protocol="), std::string::npos) << line;
            }
        }
    }
}

// The virus chain's shape: its heading, then one drop rule a line, each port
// or range above the one before, so no rule repeats or hides another.
TEST(VirusChain, HeadingThenAscendingDropRules) {
    const std::string text(StoredText("data/firewall/virus-chain.rsc"));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = test::CrLfLines(text);
    ASSERT_EQ(lines.back(), "");
    lines.pop_back();
    ASSERT_EQ(lines.size(), 117u);
    EXPECT_EQ(lines[0], "#\xB2\xA1\xB6\xBEvirus\xC1\xB4\xB1\xED");  // #病毒virus链表

    const std::regex rule(R"(add chain=virus protocol=(tcp|udp) dst-port=(\d+)(?:-(\d+))? action=drop )"
                          R"(comment=([A-Za-z0-9.\-]+|"[A-Za-z0-9. \-]+"))");
    int tcp = 0, udp = 0, ranges = 0;
    long previous = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, rule)) << lines[i];
        (m[1] == "tcp" ? tcp : udp)++;
        const long low = std::stol(m[2]);
        const long high = m[3].matched ? std::stol(m[3]) : low;
        if (m[3].matched) {
            ++ranges;
            EXPECT_LT(low, high) << lines[i];
        }
        EXPECT_GT(low, previous) << lines[i];
        EXPECT_LE(high, 65535) << lines[i];
        previous = high;
    }
    EXPECT_EQ(tcp, 113);
    EXPECT_EQ(udp, 3);
    EXPECT_EQ(ranges, 15);
    EXPECT_EQ(lines[1], "add chain=virus protocol=tcp dst-port=41 action=drop comment=DeepThroat.Trojan-1");
    EXPECT_EQ(lines.back(), "add chain=virus protocol=tcp dst-port=65390 action=drop comment=Eclypse.Trojan-3");
}

// With both boxes the chain follows its jump rule, before the ICMP jump.
TEST(VirusChain, FollowsItsJumpInTheRecommendedSet) {
    RecommendedFields f;
    f.perHost = false;
    f.virusJump = true;
    f.virusChain = true;
    f.icmpJump = true;
    EXPECT_EQ(BuildRecommendedFirewall(f),
              "/ip firewall filter\r\n"
              "add chain=forward action=jump jump-target=virus comment="
              "\"\\CC\\F8\\D7\\AA\\B5\\BD\\B2\\A1\\B6\\BE\\C1\\B4\\B1\\ED\\20virus\"\r\n" +
                  std::string(StoredText("data/firewall/virus-chain.rsc")) +
                  "add chain=forward protocol=icmp action=jump jump-target=ICMP comment="
                  "\"\\CC\\F8\\D7\\AA\\B5\\BDICMP\\C1\\B4\\B1\\ED\"\r\n");
}

}  // namespace
}  // namespace trelvix::firewall
