#pragma once
// The route-table generator's texts: one static route, routing rule or
// address-list entry per prefix of a carrier list or of the user's own list,
// and the odd or even hosts of a /24. Plain functions of the window's field
// values, so the window only reads its controls and writes the result.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix::routetable {

// The list radio buttons, in the order they are read: the first checked wins.
enum class ListChoice { Telecom, Unicom, Mobile, Tietong, GreatWall, Education, China, Custom };
inline constexpr std::size_t kListChoiceCount = 8;

struct RouteTableFields {
    std::array<bool, kListChoiceCount> listChecked{true};  // 电信 checked at start
    Gbk code;                                              // the code box: the list itself when 自定义ip is checked
    bool routeChecked = true;                              // the mode radio buttons; neither: address list
    bool ruleChecked = false;

    // route page
    Gbk gateway;  // required
    Gbk checkGateway;
    Gbk type = "unicast";
    Gbk distance;
    Gbk scope = "30";  // written even when empty
    Gbk targetScope;
    Gbk routingMark;
    Gbk prefSource;

    // rule page (nothing required)
    Gbk srcAddress;
    Gbk ruleRoutingMark;
    Gbk ruleInterface;
    Gbk action = "lookup";  // the drop-down's text
    Gbk table;

    // address-list page
    Gbk listName = "novpn";  // required
    Gbk timeout;
};

enum class FocusWhen { None, BeforeBox, AfterBox };

// A message box in place of a result.
struct Refusal {
    Gbk message;
    int flags = 0;
    std::optional<Gbk> title;  // none: the default title
    std::string focus;         // control to focus, "" for none
    FocusWhen when = FocusWhen::None;
    bool ownedByWindow = false;  // the box belongs to the tool window, not the main one
    bool operator==(const Refusal&) const = default;
};

// Either the text for the code box or a refusal.
struct Result {
    std::optional<Gbk> text;
    std::optional<Refusal> refusal;
};

// The chosen list: a built-in one, the code box's text for 自定义ip, or the
// empty text when no list button is checked. Points into `fields` for the
// custom list, so it lives as long as they do.
std::string_view PickCarrierCidrList(const RouteTableFields& fields);

// "/ip route", "/ip route rule" or "/ip firewall address-list" and one command
// line per line of the list, lines joined by CR LF with none after the last.
// Route mode refuses an empty gateway, address-list mode an empty name.
Result BuildRouteTableScript(const RouteTableFields& fields);

// prefix + i + CR LF for every odd (or even) i from 1 to count.
Gbk ListOddEvenHosts(std::string_view prefix, bool odd, long long count);

// The odd or even hosts 1..254 under the first three parts of `firstThree`
// (three or four dotted parts); anything else is refused.
Result BuildOddEvenHosts(std::string_view firstThree, bool odd);

}  // namespace trelvix::routetable
