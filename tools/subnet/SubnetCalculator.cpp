#include "tools/subnet/SubnetCalculator.h"

#include <algorithm>
#include <string>

namespace trelvix {
namespace {

Gbk Decimal(std::int64_t value) { return std::to_string(value); }

}  // namespace

Gbk IntToBinaryText(int value) {
    if (value <= 0) return "0";
    Gbk digits;
    for (; value > 0; value /= 2) digits.push_back(static_cast<char>('0' + value % 2));
    std::reverse(digits.begin(), digits.end());
    return digits;
}

Gbk OctetBinaryText(int value) {
    const Gbk digits = IntToBinaryText(value);
    return digits.size() >= 8 ? digits : Gbk(8 - digits.size(), '0') + digits;
}

std::uint32_t BinaryTextToInt(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) value = value * 2 + (c == '1' ? 1 : 0);
    return value;
}

std::array<Gbk, 4> BinaryOctetRow(std::uint32_t address) {
    return {OctetBinaryText(address >> 24 & 0xFF), OctetBinaryText(address >> 16 & 0xFF),
            OctetBinaryText(address >> 8 & 0xFF), OctetBinaryText(address & 0xFF)};
}

Gbk DottedDecimal(std::uint32_t address) {
    return Decimal(address >> 24 & 0xFF) + "." + Decimal(address >> 16 & 0xFF) + "." + Decimal(address >> 8 & 0xFF) +
           "." + Decimal(address & 0xFF);
}

OctetField NormalizeOctetField(std::string_view boxText) {
    OctetField field;
    const std::int64_t typed = ToInt64(boxText);
    if (typed > 255) field.correctedText = "255";
    else if (typed < 0) field.correctedText = "0";
    field.value = static_cast<int>(std::clamp<std::int64_t>(typed, 0, 255));
    field.label = OctetBinaryText(field.value);
    return field;
}

std::uint32_t MaskBitsToOctets(int bits) {
    bits = std::clamp(bits, 1, 32);
    // Shifting a 32-bit value by 32 is undefined, so the widening does the /32 case.
    return static_cast<std::uint32_t>(0xFFFFFFFFull << (32 - bits));
}

NetworkAndBroadcast ComputeNetworkAndBroadcast(std::uint32_t host, std::uint32_t mask) {
    const std::uint32_t network = host & mask;
    return {network, network | ~mask};
}

UsableRange ShowUsableRange(const NetworkAndBroadcast& subnet) {
    if (subnet.broadcast - subnet.network < 2) return {subnet.network, subnet.broadcast};
    return {subnet.network + 1, subnet.broadcast - 1};
}

SubnetAddresses RecalculateSubnet(std::uint32_t host, int bits) {
    SubnetAddresses result;
    result.mask = MaskBitsToOctets(bits);
    result.subnet = ComputeNetworkAndBroadcast(host, result.mask);
    result.usable = ShowUsableRange(result.subnet);
    return result;
}

std::optional<Gbk> ClampNetworkOctet(std::string_view boxText) {
    const std::int64_t typed = ToInt64(boxText);
    if (typed >= 256) return Gbk("255");
    if (typed < 0) return Gbk("0");
    return std::nullopt;
}

int NetworkOctetValue(std::string_view boxText) {
    return static_cast<int>(std::clamp<std::int64_t>(ToInt64(boxText), 0, 255));
}

int SubnetCount(int countItem) { return 1 << std::clamp(countItem, 0, kSubnetCountItems - 1); }

Gbk SubnetRange(int firstOctet, int index, int count) {
    const int step = 256 / std::max(count, 1);
    const Gbk a = Decimal(firstOctet);
    return Decimal(index) + ")  " + a + "." + Decimal(step * (index - 1)) + ".0.1 -- " + a + "." +
           Decimal(step * index - 1) + ".255.254";
}

Gbk ListSubnets(int firstOctet, int count) {
    Gbk text = "你输入的网络地址为：" + Decimal(firstOctet) + ".0.0.0，各子网IP范围如下所示：\r\n";
    text.reserve(text.size() + static_cast<std::size_t>(count) * 40);
    for (int i = 1; i <= count; ++i) {
        text += SubnetRange(firstOctet, i, count);
        if (i < count) text += "\r\n";
    }
    return text;
}

SubnetPlan CalcSubnetMask(int countItem, int firstOctet) {
    countItem = std::clamp(countItem, 0, kSubnetCountItems - 1);
    const int count = SubnetCount(countItem);
    SubnetPlan plan;
    plan.hosts = Decimal((std::int64_t{1} << (24 - countItem)) - 2);
    plan.mask = "255." + Decimal(256 / count * (count - 1)) + ".0.0";
    plan.list = ListSubnets(firstOctet, count);
    return plan;
}

}  // namespace trelvix
