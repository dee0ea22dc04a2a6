#pragma once
// The offline IP-location table built into the program (data/iplocation,
// made by scripts/ip-location-table.js): where the IP lookup answers from
// when the build names no IP-location service.
#include <array>
#include <optional>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// Country, province, city, district and carrier, in this order; a field the
// database leaves empty is empty. GBK: a character GBK lacks becomes "?".
using IpPlace = std::array<Gbk, 5>;

// The place of a dotted IPv4 address ("1.2.3.4", blanks around it ignored).
// Nothing for text that is no such address, for the blank address box's
// 0.0.0.0 and for a range the database holds nothing about. A binary search
// once the table is read; the first call reads it (some tens of milliseconds).
// Safe on any thread.
std::optional<IpPlace> FindIpPlace(std::string_view address);

}  // namespace trelvix
