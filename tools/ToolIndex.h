#pragma once
// The tools, numbered as the main window's tool chooser lists them. Apart from
// the tool windows so that a page can name the tool it opens without
// building against the tools.

namespace trelvix {

enum class ToolIndex {
    RouteTable = 0,
    SubnetCalculator = 1,
    ScriptEditor = 2,
    L7Tools = 3,
    Ipv6Tunnel = 4,
    IpLookup = 5,
    HardwareCatalogue = 6,
};
inline constexpr int kToolCount = 7;

}  // namespace trelvix
