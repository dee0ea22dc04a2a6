#pragma once
// The IPv6 tunnel window's two scripts: the set-up script (6to4 interface,
// IPv6 route and addresses) and the scheduler script that keeps the broker's
// tunnel on the router's current IPv4 address. Both fill a stored template
// from the window's fields; the window only reads its boxes and shows the text.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix::ipv6tunnel {

// A value typed into a box can hold a later placeholder ("{5}"), which the
// next step replaces in turn; a few such boxes multiply the text, so filling
// stops once the script would pass this size.
inline constexpr std::size_t kScriptLimit = 1024 * 1024;

// Where a template writes a placeholder: inside double quotes it already has,
// or as a bare word.
enum class Slot { InQuotes, Bare };

struct Placeholder {
    std::string_view value;  // the box's text, as typed
    Slot slot;
};

// Replaces {1}, {2}, ... in this order, every occurrence, case-sensitive;
// placeholder k is `values[k - 1]`. A value is searched again by the steps
// after its own, so a later placeholder inside it is filled too, while an
// earlier one stays as typed. Each value is written once it is complete: in
// quotes with \ " $ ? escaped (no quotes added), bare as a typed word.
// Nothing when the text would pass `limit` bytes.
std::optional<Gbk> FillTemplate(std::string_view text, std::span<const Placeholder> values,
                                std::size_t limit = kScriptLimit);

// 编辑框_11 to 编辑框_18.
struct SetupFields {
    Gbk comment, name, clientIpv4, serverIpv4, serverIpv6, clientIpv6, lanInterface, routedPrefix;
};

// 编辑框_21 to 编辑框_27.
struct UpdateFields {
    Gbk tunnelInterface, tunnelId, user, updateKey, wanInterface, updateHost, updatePath;
};

// The script, or nothing when it would pass kScriptLimit.
std::optional<Gbk> BuildIpv6TunnelSetupScript(const SetupFields& fields);
std::optional<Gbk> BuildHeTunnelScript(const UpdateFields& fields);

// The box shown instead of a script that grew past the limit.
const Gbk& ScriptTooLongMessage();
inline constexpr int kScriptTooLongFlags = 48;

}  // namespace trelvix::ipv6tunnel
