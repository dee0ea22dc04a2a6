// The stored firewall texts as files: their line ends, the sizes given for
// them, and rules an import would stop at. The page's cases show each
// set's whole text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/EmbeddedData.h"
#include "generators/firewall/FirewallGenerators.h"

namespace trelvix::firewall {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

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
}

// Every rule with a port names its protocol: RouterOS refuses a port without
// one, and an import stops at the first refused line, losing every block
// after it.
TEST(StoredBlocks, EveryPortRuleNamesItsProtocol) {
    const SoftwareBlock withPorts[] = {SoftwareBlock::PpLive, SoftwareBlock::NetSoftware, SoftwareBlock::QqLive};
    for (const SoftwareBlock block : withPorts) {
        for (const std::string& line : Lines(StoredBlock(block))) {
            if (line.find("dst-port=") != std::string::npos) {
                EXPECT_NE(line.find(" protocol="), std::string::npos) << line;
            }
        }
    }
}

}  // namespace
}  // namespace trelvix::firewall
