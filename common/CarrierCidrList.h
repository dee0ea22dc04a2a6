#pragma once
// The built-in carrier address lists: IPv4 prefixes in CIDR form, ascending,
// one a line, CR LF between lines. Made from an offline IP database by
// scripts/carrier-lists.js; data/README says how carriers map to lists.
#include <array>
#include <string_view>

namespace trelvix {

// In the order the route-table window offers them.
enum class CarrierList {
    Telecom,    // 电信
    Unicom,     // 联通(网通)
    Mobile,     // 移动
    Tietong,    // 铁通
    GreatWall,  // 长宽
    Education,  // 教育网
    China,      // 中国ip: every mainland range; covers the six above
};
inline constexpr std::array<CarrierList, 7> kCarrierLists{CarrierList::Telecom,   CarrierList::Unicom,
                                                          CarrierList::Mobile,    CarrierList::Tietong,
                                                          CarrierList::GreatWall, CarrierList::Education,
                                                          CarrierList::China};

// The list's text as built into the program. The 长宽 list ends with CR LF,
// the others end with their last prefix.
std::string_view CarrierCidrList(CarrierList list);

}  // namespace trelvix
