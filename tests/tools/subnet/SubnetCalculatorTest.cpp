#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TestSupport.h"
#include "tools/subnet/SubnetCalculator.h"

namespace trelvix {
namespace {

using test::G;
using test::Visible;

std::uint32_t Ip(const char* dotted) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(std::sscanf(dotted, "%u.%u.%u.%u", &a, &b, &c, &d), 4) << dotted;
    return a << 24 | b << 16 | c << 8 | d;
}

TEST(SubnetCalculator, HostAndPrefixGiveMaskNetworkBroadcastAndUsableRange) {
    struct Case {
        const char* host;
        int bits;
        const char* mask;
        const char* network;
        const char* broadcast;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"192.168.1.130", 26, "255.255.255.192", "192.168.1.128", "192.168.1.191", "192.168.1.129", "192.168.1.190"},
        // The window's first look: host 0.0.0.0 and the slider at 1.
        {"0.0.0.0", 1, "128.0.0.0", "0.0.0.0", "127.255.255.255", "0.0.0.1", "127.255.255.254"},
        {"200.1.2.3", 1, "128.0.0.0", "128.0.0.0", "255.255.255.255", "128.0.0.1", "255.255.255.254"},
        {"10.0.1.7", 23, "255.255.254.0", "10.0.0.0", "10.0.1.255", "10.0.0.1", "10.0.1.254"},
        {"172.31.200.9", 12, "255.240.0.0", "172.16.0.0", "172.31.255.255", "172.16.0.1", "172.31.255.254"},
        {"255.255.255.255", 30, "255.255.255.252", "255.255.255.252", "255.255.255.255", "255.255.255.253",
         "255.255.255.254"},
        // A /31 is a point-to-point link: both addresses are hosts.
        {"10.0.0.4", 31, "255.255.255.254", "10.0.0.4", "10.0.0.5", "10.0.0.4", "10.0.0.5"},
        {"10.0.0.5", 31, "255.255.255.254", "10.0.0.4", "10.0.0.5", "10.0.0.4", "10.0.0.5"},
        // A /32 is the host itself, also at the ends of an octet and of the address space.
        {"10.0.0.255", 32, "255.255.255.255", "10.0.0.255", "10.0.0.255", "10.0.0.255", "10.0.0.255"},
        {"10.0.1.0", 32, "255.255.255.255", "10.0.1.0", "10.0.1.0", "10.0.1.0", "10.0.1.0"},
        {"0.0.0.0", 32, "255.255.255.255", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"},
        {"255.255.255.255", 32, "255.255.255.255", "255.255.255.255", "255.255.255.255", "255.255.255.255",
         "255.255.255.255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.host) + "/" + std::to_string(c.bits));
        const SubnetAddresses s = RecalculateSubnet(Ip(c.host), c.bits);
        EXPECT_EQ(DottedDecimal(s.mask), c.mask);
        EXPECT_EQ(DottedDecimal(s.subnet.network), c.network);
        EXPECT_EQ(DottedDecimal(s.subnet.broadcast), c.broadcast);
        EXPECT_EQ(DottedDecimal(s.usable.first), c.first);
        EXPECT_EQ(DottedDecimal(s.usable.last), c.last);
    }
}

TEST(SubnetCalculator, EveryPrefixLengthMasksThatManyLeadingBits) {
    for (int bits = 1; bits <= 32; ++bits) {
        SCOPED_TRACE(bits);
        const std::uint32_t mask = MaskBitsToOctets(bits);
        std::string digits;
        for (const Gbk& octet : BinaryOctetRow(mask)) digits += octet;
        EXPECT_EQ(digits, std::string(bits, '1') + std::string(32 - bits, '0'));
    }
    // The slider allows no other lengths; a stray one is taken as the nearest end.
    EXPECT_EQ(MaskBitsToOctets(0), MaskBitsToOctets(1));
    EXPECT_EQ(MaskBitsToOctets(33), MaskBitsToOctets(32));
}

TEST(SubnetCalculator, AddressRowsAreEightDigitOctets) {
    const std::array<Gbk, 4> host = BinaryOctetRow(Ip("192.168.1.130"));
    EXPECT_EQ(host[0], "11000000");
    EXPECT_EQ(host[1], "10101000");
    EXPECT_EQ(host[2], "00000001");
    EXPECT_EQ(host[3], "10000010");

    struct Case {
        int value;
        const char* bare;
    };
    const Case cases[] = {{0, "0"}, {1, "1"}, {2, "10"}, {5, "101"}, {192, "11000000"}, {255, "11111111"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(IntToBinaryText(c.value), c.bare);
        EXPECT_EQ(BinaryTextToInt(OctetBinaryText(c.value)), static_cast<std::uint32_t>(c.value));
    }
    EXPECT_EQ(BinaryTextToInt(""), 0u);
    EXPECT_EQ(BinaryTextToInt("0101"), 5u);
}

TEST(SubnetCalculator, OctetBoxesAreCorrectedInPlace) {
    struct Case {
        const char* typed;
        const char* corrected;  // null: the box keeps what was typed
        int value;
        const char* label;
    };
    const Case cases[] = {
        {"0", nullptr, 0, "00000000"},
        {"130", nullptr, 130, "10000010"},
        {"007", nullptr, 7, "00000111"},
        {"255", nullptr, 255, "11111111"},
        {"", nullptr, 0, "00000000"},  // an emptied box counts as 0 and stays empty
        {"256", "255", 255, "11111111"},
        {"300", "255", 255, "11111111"},
        {"99999999999999999999999", "255", 255, "11111111"},
        {"-5", "0", 0, "00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const OctetField f = NormalizeOctetField(c.typed);
        if (c.corrected) {
            ASSERT_TRUE(f.correctedText);
            EXPECT_EQ(*f.correctedText, c.corrected);
        } else {
            EXPECT_FALSE(f.correctedText);
        }
        EXPECT_EQ(f.value, c.value);
        EXPECT_EQ(f.label, c.label);
    }
}

TEST(SubnetCalculator, NetworkOctetBoxIsClampedAndAnEmptyOneNamesZero) {
    struct Case {
        const char* typed;
        const char* corrected;
        int value;
    };
    const Case cases[] = {
        {"10", nullptr, 10}, {"255", nullptr, 255}, {"", nullptr, 0},
        {"256", "255", 255}, {"999", "255", 255},   {"-1", "0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<Gbk> corrected = ClampNetworkOctet(c.typed);
        if (c.corrected) {
            ASSERT_TRUE(corrected);
            EXPECT_EQ(*corrected, c.corrected);
        } else {
            EXPECT_FALSE(corrected);
        }
        EXPECT_EQ(NetworkOctetValue(c.typed), c.value);
    }
}

TEST(SubnetCalculator, EachSubnetCountHasItsMaskAndHostCount) {
    struct Case {
        int count;
        const char* mask;
        const char* hosts;
    };
    const Case cases[] = {
        {1, "255.0.0.0", "16777214"},  {2, "255.128.0.0", "8388606"},  {4, "255.192.0.0", "4194302"},
        {8, "255.224.0.0", "2097150"}, {16, "255.240.0.0", "1048574"}, {32, "255.248.0.0", "524286"},
        {64, "255.252.0.0", "262142"}, {128, "255.254.0.0", "131070"}, {256, "255.255.0.0", "65534"},
    };
    for (int item = 0; item < kSubnetCountItems; ++item) {
        const Case& c = cases[item];
        SCOPED_TRACE(c.count);
        EXPECT_EQ(SubnetCount(item), c.count);
        const SubnetPlan plan = CalcSubnetMask(item, 10);
        EXPECT_EQ(plan.mask, c.mask);
        EXPECT_EQ(plan.hosts, c.hosts);
        EXPECT_EQ(plan.list, ListSubnets(10, c.count));
    }
}

TEST(SubnetCalculator, SubnetListNamesTheNetworkAndEveryHostRange) {
    struct Case {
        int firstOctet;
        int count;
        const char* expected;
    };
    const Case cases[] = {
        {10, 4,
         "你输入的网络地址为：10.0.0.0，各子网IP范围如下所示：\r\n"
         "1)  10.0.0.1 -- 10.63.255.254\r\n"
         "2)  10.64.0.1 -- 10.127.255.254\r\n"
         "3)  10.128.0.1 -- 10.191.255.254\r\n"
         "4)  10.192.0.1 -- 10.255.255.254"},
        {172, 1,
         "你输入的网络地址为：172.0.0.0，各子网IP范围如下所示：\r\n"
         "1)  172.0.0.1 -- 172.255.255.254"},
        // What an empty box lists: it counts as 0.
        {0, 1,
         "你输入的网络地址为：0.0.0.0，各子网IP范围如下所示：\r\n"
         "1)  0.0.0.1 -- 0.255.255.254"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(Visible(ListSubnets(c.firstOctet, c.count)), Visible(G(c.expected)));
    }
}

TEST(SubnetCalculator, TwoHundredFiftySixSubnetsEndWithoutALineBreak) {
    const Gbk list = ListSubnets(1, 256);
    const std::string header = G("你输入的网络地址为：1.0.0.0，各子网IP范围如下所示：") + "\r\n";
    ASSERT_EQ(list.compare(0, header.size(), header), 0);

    std::string expected = header;
    for (int i = 1; i <= 256; ++i) {
        expected += std::to_string(i) + ")  1." + std::to_string(i - 1) + ".0.1 -- 1." + std::to_string(i - 1) +
                    ".255.254";
        if (i < 256) expected += "\r\n";
    }
    EXPECT_EQ(Visible(list), Visible(expected));
    const std::string last = "256)  1.255.0.1 -- 1.255.255.254";
    EXPECT_EQ(list.substr(list.size() - last.size()), last);
}

}  // namespace
}  // namespace trelvix
