#pragma once
// The subnet calculator's arithmetic: a host address and a prefix length to its
// network, broadcast and usable range (page 0), and a class-A network split into
// 1 to 256 equal subnets (page 1). Addresses are 32-bit integers here; the window
// only turns them into the texts of its labels.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// --- binary texts of the octet labels

// The binary numeral without leading zeros ("0" for 0).
Gbk IntToBinaryText(int value);

// An octet as the eight digits one label of a `BinaryOctetRow` holds.
Gbk OctetBinaryText(int value);

// A text of "0" and "1" back to its value, most significant digit first. Any
// other character counts as 0, so a label can never yield more than its digits.
std::uint32_t BinaryTextToInt(std::string_view text);

// The four labels of one address row, most significant octet first.
std::array<Gbk, 4> BinaryOctetRow(std::uint32_t address);

// The address as four decimal octets joined by ".".
Gbk DottedDecimal(std::uint32_t address);

// --- page 0: host address to its own subnet

struct OctetField {
    std::optional<Gbk> correctedText;  // the box's new content when the typed value was out of range
    int value = 0;                     // 0 to 255; an empty box counts as 0 and stays empty
    Gbk label;                         // the host label's eight digits
};

// A host octet box's content: above 255 becomes "255", below 0 becomes "0".
OctetField NormalizeOctetField(std::string_view boxText);

// The mask of a prefix length; lengths outside 1 to 32 are taken as the
// nearest end, as the slider allows no others.
std::uint32_t MaskBitsToOctets(int bits);

struct NetworkAndBroadcast {
    std::uint32_t network = 0;
    std::uint32_t broadcast = 0;
};

NetworkAndBroadcast ComputeNetworkAndBroadcast(std::uint32_t host, std::uint32_t mask);

struct UsableRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

// Network + 1 to broadcast - 1 in whole-address arithmetic, so the carry and the
// borrow cross octets. A /31 has no network or broadcast address to spare (both
// addresses are hosts, RFC 3021) and a /32 is the host itself.
UsableRange ShowUsableRange(const NetworkAndBroadcast& subnet);

struct SubnetAddresses {
    std::uint32_t mask = 0;
    NetworkAndBroadcast subnet;
    UsableRange usable;
};

SubnetAddresses RecalculateSubnet(std::uint32_t host, int bits);

// --- page 1: a network a.0.0.0 to its subnets

// The network octet box's new content when its value is out of range
// (256 or more: "255"; below 0: "0"); none when it stays as typed.
std::optional<Gbk> ClampNetworkOctet(std::string_view boxText);

// The first octet the subnet list names: the box's value within 0 to 255,
// an empty box counting as 0.
int NetworkOctetValue(std::string_view boxText);

// The choices of the subnet-count list are 1, 2, 4 ... 256: item c is 2^c subnets.
inline constexpr int kSubnetCountItems = 9;
int SubnetCount(int countItem);

// Line `index` (1 to count) of the list: its subnet's first and last host.
Gbk SubnetRange(int firstOctet, int index, int count);

// The header naming the network and the lines of its `count` subnets, CR LF
// between lines and none after the last.
Gbk ListSubnets(int firstOctet, int count);

struct SubnetPlan {
    Gbk mask;   // of each subnet, dotted decimal
    Gbk hosts;  // hosts per subnet
    Gbk list;   // `ListSubnets`
};

SubnetPlan CalcSubnetMask(int countItem, int firstOctet);

}  // namespace trelvix
