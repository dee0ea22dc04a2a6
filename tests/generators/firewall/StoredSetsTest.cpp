// The stored software blocks as files: their sizes, line ends, and the two
// sets whose server addresses are left out, line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "generators/firewall/FirewallGenerators.h"

namespace trelvix::firewall {
namespace {

using test::G;
using test::Visible;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\r\n") + line;
    return out;
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

TEST(StoredBlocks, TheSingleThunderRuleIs120Bytes) {
    EXPECT_EQ(StoredBlock(SoftwareBlock::Thunder).size(), 120u);
}

// Its four server addresses are left out: the list stays empty and the rule
// that drops it stays.
TEST(StoredBlocks, QqXuanFengKeepsItsListAndRule) {
    const std::vector<std::string> expected = {
        "/ ip firewall address-list ",
        " ",
        "/ ip firewall filter ",
        R"(add chain=forward dst-address-list="BlockadeQqXuanFeng" action=drop comment="BlockadeQqXuanFeng" disabled=no)",
    };
    EXPECT_EQ(Visible(StoredBlock(SoftwareBlock::QqXuanFeng)), Visible(Joined(expected)));
}

// The port rules of the seven blocks without the server-address lines; the
// RF online block is nothing but such lines, so it is left out whole.
TEST(StoredBlocks, NetSoftwareHasEveryPortRuleAndEachNamesItsProtocol) {
    const std::vector<std::string> expected = {
        "/ ip firewall filter",
        R"(add chain=input protocol=udp dst-port=137-138 action=drop comment="drop udp137-138")",
        R"(add chain=forward protocol=tcp dst-port=4661 action=drop comment="downP2P VeryCD")",
        "add chain=forward protocol=tcp dst-port=4662 action=drop",
        "add chain=forward protocol=tcp dst-port=4242 action=drop",
        G("# 屁屁狗(PPGOU)"),
        R"(add chain=forward protocol=tcp dst-port=8505 action=drop comment="downTools PPGOU")",
        G("# KUGO酷狗"),
        R"(add chain=forward protocol=tcp dst-port=3318 action=drop comment="downMP3 KUGO" disabled=yes)",
        "add chain=forward protocol=tcp dst-port=1043 action=drop disabled=yes",
        "add chain=forward protocol=tcp dst-port=4224 action=drop disabled=yes",
        "add chain=forward protocol=tcp dst-port=2371 action=drop disabled=yes",
        "add chain=forward protocol=udp dst-port=7000 action=drop disabled=yes",
        G("# 比特精灵"),
        R"(add chain=forward protocol=tcp dst-port=16881 action=drop comment="downP2P BitSpirit")",
        "add chain=forward protocol=tcp dst-port=6881-6890 action=drop",
        "add chain=forward protocol=tcp dst-port=8881-8890 action=drop",
        "add chain=forward protocol=udp dst-port=16881 action=drop",
        "add chain=forward protocol=udp dst-port=6881-6890 action=drop",
        "add chain=forward protocol=udp dst-port=8881-8890 action=drop",
        G("# 宝酷"),
        R"(add chain=forward protocol=tcp dst-port=6346 action=drop comment="downP2P BaoCue")",
        "add chain=forward protocol=tcp dst-port=11300 action=drop",
        G("# 百度下吧"),
        R"(add chain=forward protocol=tcp dst-port=11000 action=drop comment="downP2P BaiduXiaBa" disabled=yes)",
    };
    const std::string text = StoredBlock(SoftwareBlock::NetSoftware);
    EXPECT_EQ(Visible(text), Visible(Joined(expected)));
    // RouterOS refuses a port without a protocol, and an import stops at the
    // first refused line, losing every block after it.
    for (const std::string& line : Lines(text))
        if (line.find("dst-port=") != std::string::npos) {
            EXPECT_NE(line.find(" protocol="), std::string::npos) << line;
        }
}

}  // namespace
}  // namespace trelvix::firewall
