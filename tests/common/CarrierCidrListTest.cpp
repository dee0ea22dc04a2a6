// Invariants of the built-in carrier lists: whatever a refresh of the source
// database brings, every list must stay a clean, ascending CIDR list that the
// route generator can turn into one command per line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "common/CarrierCidrList.h"

namespace trelvix {
namespace {

struct Prefix {
    std::uint32_t first;
    std::uint32_t last;
};

// A strict dotted-quad "/" length: decimal parts without leading zeros.
std::optional<Prefix> ParseCidr(std::string_view text) {
    std::uint64_t address = 0;
    std::size_t at = 0;
    auto number = [&](std::uint32_t max) -> std::optional<std::uint32_t> {
        const std::size_t start = at;
        std::uint32_t value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 3)
            value = value * 10 + static_cast<std::uint32_t>(text[at++] - '0');
        if (at == start || (text[start] == '0' && at - start > 1) || value > max) return std::nullopt;
        return value;
    };
    for (int part = 0; part < 4; ++part) {
        const auto octet = number(255);
        if (!octet) return std::nullopt;
        address = address << 8 | *octet;
        const char separator = part < 3 ? '.' : '/';
        if (at >= text.size() || text[at++] != separator) return std::nullopt;
    }
    const auto length = number(32);
    if (!length || at != text.size() || *length == 0) return std::nullopt;
    const std::uint64_t size = std::uint64_t{1} << (32 - *length);
    if (address % size != 0) return std::nullopt;  // host bits set
    return Prefix{static_cast<std::uint32_t>(address), static_cast<std::uint32_t>(address + size - 1)};
}

struct ListCase {
    CarrierList list;
    const char* name;
    bool endsWithLineEnd;
};

const ListCase kLists[] = {
    {CarrierList::Telecom, "telecom", false},    {CarrierList::Unicom, "unicom", false},
    {CarrierList::Mobile, "mobile", false},      {CarrierList::Tietong, "tietong", false},
    {CarrierList::GreatWall, "greatwall", true}, {CarrierList::Education, "education", false},
    {CarrierList::China, "china", false},
};

// Fails the calling test on the first line that breaks the form.
std::vector<Prefix> ReadList(const ListCase& c) {
    std::string_view text = CarrierCidrList(c.list);
    std::vector<Prefix> out;
    EXPECT_FALSE(text.empty());
    const bool lineEnd = text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
    EXPECT_EQ(lineEnd, c.endsWithLineEnd) << "final line end";
    if (lineEnd) text.remove_suffix(2);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const auto prefix = ParseCidr(line);
        if (!prefix) {
            ADD_FAILURE() << "line " << out.size() + 1 << " is not a CIDR prefix: " << test::Visible(line);
            return out;
        }
        if (!out.empty() && prefix->first <= out.back().last) {
            ADD_FAILURE() << "line " << out.size() + 1 << " is not above the line before: " << line;
            return out;
        }
        out.push_back(*prefix);
        start = end + 2;
    }
    return out;
}

TEST(CarrierCidrList, EveryListIsAscendingCidrOneALine) {
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        const std::vector<Prefix> prefixes = ReadList(c);
        EXPECT_FALSE(prefixes.empty());
    }
}

// A carrier prefix outside 中国ip would be routed as a carrier's but never as China's.
TEST(CarrierCidrList, EveryCarrierPrefixLiesInsideOneChinaPrefix) {
    const std::vector<Prefix> china = ReadList(kLists[6]);
    ASSERT_FALSE(china.empty());
    for (const ListCase& c : kLists) {
        if (c.list == CarrierList::China) continue;
        SCOPED_TRACE(c.name);
        for (const Prefix& p : ReadList(c)) {
            const auto above = std::upper_bound(china.begin(), china.end(), p.first,
                                                [](std::uint32_t a, const Prefix& q) { return a < q.first; });
            const bool inside = above != china.begin() && std::prev(above)->last >= p.last;
            EXPECT_TRUE(inside) << p.first << "-" << p.last;
        }
    }
}

// Each range has one carrier, so no address may be sent over two lines.
TEST(CarrierCidrList, CarrierListsShareNoAddress) {
    std::vector<std::pair<Prefix, const char*>> all;
    for (const ListCase& c : kLists) {
        if (c.list == CarrierList::China) continue;
        for (const Prefix& p : ReadList(c)) all.emplace_back(p, c.name);
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first.first < b.first.first; });
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_GT(all[i].first.first, all[i - 1].first.last) << all[i - 1].second << " and " << all[i].second;
}

std::uint32_t Address(const char* dotted) {
    const auto prefix = ParseCidr(std::string(dotted) + "/32");
    EXPECT_TRUE(prefix) << dotted;
    return prefix ? prefix->first : 0;
}

bool Holds(const std::vector<Prefix>& prefixes, std::uint32_t first, std::uint32_t last) {
    const auto above = std::upper_bound(prefixes.begin(), prefixes.end(), last,
                                        [](std::uint32_t a, const Prefix& q) { return a < q.first; });
    return above != prefixes.begin() && std::prev(above)->last >= first;
}

// Blocks the database files under mainland China although they are run from
// Hong Kong or Taiwan: routing them over a mainland line would send them the
// long way round.
TEST(CarrierCidrList, NoListHoldsHongKongOrTaiwanSpace) {
    struct Block {
        const char* first;
        const char* last;
        const char* whose;
    };
    const Block blocks[] = {
        {"223.122.32.0", "223.122.255.255", "China Mobile Hong Kong"},
        {"223.123.128.0", "223.123.194.255", "China Mobile Hong Kong"},
        {"223.120.0.0", "223.120.127.255", "China Mobile International, Hong Kong"},
        {"203.65.240.0", "203.65.243.255", "Taiwan"},
    };
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        const std::vector<Prefix> prefixes = ReadList(c);
        for (const Block& b : blocks)
            EXPECT_FALSE(Holds(prefixes, Address(b.first), Address(b.last))) << b.whose << " " << b.first;
    }
}

// Carrier space the database files under a company's name, taken by the
// carrier that announces it, and a customer's name cut out of a carrier's
// block: each address must be in its carrier's list.
TEST(CarrierCidrList, CarrierSpaceUnderOtherNamesIsInItsCarriersList) {
    struct Case {
        const char* address;
        CarrierList list;
        const char* why;
    };
    const Case cases[] = {
        {"42.128.0.1", CarrierList::Tietong, "北方星辰 on 铁通's AS9394"},
        {"42.175.255.254", CarrierList::Tietong, "北方星辰 on 铁通's AS9394"},
        {"110.56.0.1", CarrierList::Tietong, "北方星辰 on 铁通's AS9394"},
        {"116.140.0.1", CarrierList::Unicom, "新国信通信 on 联通's AS4837"},
        {"116.191.255.254", CarrierList::Unicom, "新国信通信 on 联通's AS4837"},
        {"166.111.0.1", CarrierList::Education, "a university on AS4538"},
        {"211.103.36.38", CarrierList::Mobile, "a customer's name inside a 移动 block"},
    };
    for (const Case& c : cases) {
        const auto listCase = std::find_if(std::begin(kLists), std::end(kLists),
                                           [&](const ListCase& l) { return l.list == c.list; });
        ASSERT_NE(listCase, std::end(kLists));
        const std::uint32_t address = Address(c.address);
        EXPECT_TRUE(Holds(ReadList(*listCase), address, address)) << c.address << ": " << c.why;
    }
}

TEST(CarrierCidrList, TheCheckerRefusesWhatAListMustNotHold) {
    const char* const bad[] = {"",           " 1.0.1.0/24", "1.0.1.0/24 ", "1.0.1.1/24", "1.0.1.0",
                               "1.0.1.0/33", "1.0.01.0/24", "256.0.0.0/8", "1.0.1/24",   "1.0.1.0/0"};
    for (const char* line : bad) EXPECT_FALSE(ParseCidr(line)) << line;
    ASSERT_TRUE(ParseCidr("223.255.252.0/23"));
    EXPECT_EQ(ParseCidr("223.255.252.0/23")->last, 0xDFFFFDFFu);
    EXPECT_TRUE(ParseCidr("1.2.3.4/32"));
}

}  // namespace
}  // namespace trelvix
