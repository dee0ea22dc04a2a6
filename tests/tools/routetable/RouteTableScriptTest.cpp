#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "common/CarrierCidrList.h"
#include "tools/routetable/RouteTableScript.h"

namespace trelvix::routetable {
namespace {

using test::G;
using test::Visible;

RouteTableFields Custom(std::string code) {
    RouteTableFields f;
    f.listChecked = {};
    f.listChecked[static_cast<std::size_t>(ListChoice::Custom)] = true;
    f.code = std::move(code);
    return f;
}

RouteTableFields RouteMode(std::string code) {
    RouteTableFields f = Custom(std::move(code));
    f.gateway = "10.0.0.1";
    return f;
}

RouteTableFields RuleMode(std::string code) {
    RouteTableFields f = Custom(std::move(code));
    f.routeChecked = false;
    f.ruleChecked = true;
    return f;
}

RouteTableFields AddressMode(std::string code) {
    RouteTableFields f = Custom(std::move(code));
    f.routeChecked = false;
    return f;
}

const std::string kRouteTail = " gateway=10.0.0.1 type=unicast scope=30 disabled=no";

struct ScriptCase {
    const char* name;
    RouteTableFields fields;
    std::string expected;
};

RouteTableFields With(RouteTableFields f, void (*edit)(RouteTableFields&)) {
    edit(f);
    return f;
}

const std::vector<ScriptCase> kScripts = {
    {"route, only the gateway filled", RouteMode("1.0.1.0/24\r\n1.0.2.0/23"),
     "/ip route\r\nadd dst-address=1.0.1.0/24" + kRouteTail + "\r\nadd dst-address=1.0.2.0/23" + kRouteTail},
    {"a list ending in CR LF adds no line", RouteMode("1.0.1.0/24\r\n"),
     "/ip route\r\nadd dst-address=1.0.1.0/24" + kRouteTail},
    {"an inner blank line gives a line with an empty prefix", RouteMode("1.0.1.0/24\r\n\r\n1.0.2.0/23"),
     "/ip route\r\nadd dst-address=1.0.1.0/24" + kRouteTail + "\r\nadd dst-address=" + kRouteTail +
         "\r\nadd dst-address=1.0.2.0/23" + kRouteTail},
    {"an empty list gives the route header alone", RouteMode(""), "/ip route\r\n"},
    {"an empty list gives the rule header alone", RuleMode(""), "/ip route rule\r\n"},
    {"an empty list gives the address-list header alone", AddressMode(""), "/ip firewall address-list\r\n"},
    {"a list typed with LF alone gives one command per prefix", RouteMode("1.0.1.0/24\n1.0.2.0/23\n\n1.0.4.0/22\n"),
     "/ip route\r\nadd dst-address=1.0.1.0/24" + kRouteTail + "\r\nadd dst-address=1.0.2.0/23" + kRouteTail +
         "\r\nadd dst-address=" + kRouteTail + "\r\nadd dst-address=1.0.4.0/22" + kRouteTail},
    {"route, every clause in line order",
     With(RouteMode("1.0.1.0/24"),
          [](RouteTableFields& f) {
              f.checkGateway = "ping";
              f.type = "blackhole";
              f.distance = "2";
              f.scope = "10";
              f.targetScope = "20";
              f.routingMark = "tel";
              f.prefSource = "10.0.0.2";
          }),
     "/ip route\r\nadd dst-address=1.0.1.0/24 gateway=10.0.0.1 check-gateway=ping type=blackhole distance=2 "
     "scope=10 target-scope=20 routing-mark=tel pref-src=10.0.0.2 disabled=no"},
    {"route, an empty scope is still written", With(RouteMode("1.0.1.0/24"), [](RouteTableFields& f) { f.scope = ""; }),
     "/ip route\r\nadd dst-address=1.0.1.0/24 gateway=10.0.0.1 type=unicast scope= disabled=no"},
    {"typed values that cannot stand bare are quoted",
     With(RouteMode("1.0.1.0/24 \r\n1.0.2.0/23"),
          [](RouteTableFields& f) {
              f.gateway = "10.0.0.1 x";
              f.scope = " ";
              f.routingMark = G("电信$1");
          }),
     "/ip route\r\nadd dst-address=\"1.0.1.0/24 \" gateway=\"10.0.0.1 x\" type=unicast scope=\" \" routing-mark=\"" +
         G("电信") +
         "\\$1\" disabled=no\r\nadd dst-address=1.0.2.0/23 gateway=\"10.0.0.1 x\" type=unicast "
         "scope=\" \" routing-mark=\"" +
         G("电信") + "\\$1\" disabled=no"},
    {"a line break pasted into a box stays inside its string",
     With(RouteMode("1.0.1.0/24"), [](RouteTableFields& f) { f.gateway = "10.0.0.1\r\n/system reset"; }),
     "/ip route\r\nadd dst-address=1.0.1.0/24 gateway=\"10.0.0.1\\r\\n/system reset\" type=unicast scope=30 "
     "disabled=no"},
    {"rule, every optional box empty", RuleMode("1.0.1.0/24"),
     "/ip route rule\r\nadd dst-address=1.0.1.0/24 action=lookup disabled=no"},
    {"rule, every clause, and the action RouterOS knows as one word",
     With(RuleMode("1.0.1.0/24\r\n1.0.2.0/23"),
          [](RouteTableFields& f) {
              f.srcAddress = "192.168.1.0/24";
              f.ruleRoutingMark = "tel";
              f.ruleInterface = "ether1";
              f.action = "lookup only in table";
              f.table = "tel";
          }),
     "/ip route rule\r\n"
     "add src-address=192.168.1.0/24 dst-address=1.0.1.0/24 routing-mark=tel interface=ether1 "
     "action=lookup-only-in-table table=tel disabled=no\r\n"
     "add src-address=192.168.1.0/24 dst-address=1.0.2.0/23 routing-mark=tel interface=ether1 "
     "action=lookup-only-in-table table=tel disabled=no"},
    {"rule, another action unchanged and no gateway needed",
     With(RuleMode("1.0.1.0/24"), [](RouteTableFields& f) { f.action = "unreachable"; }),
     "/ip route rule\r\nadd dst-address=1.0.1.0/24 action=unreachable disabled=no"},
    {"address list with the default name", AddressMode("1.0.1.0/24\r\n1.0.2.0/23"),
     "/ip firewall address-list\r\nadd address=1.0.1.0/24 disabled=no list=\"novpn\"\r\n"
     "add address=1.0.2.0/23 disabled=no list=\"novpn\""},
    {"address list named 中国, with a timeout",
     With(AddressMode("1.0.1.0/24"),
          [](RouteTableFields& f) {
              f.listName = G("中国");
              f.timeout = "1d00:00:00";
          }),
     "/ip firewall address-list\r\nadd address=1.0.1.0/24 timeout=1d00:00:00 disabled=no list=\"\\D6\\D0\\B9\\FA\""},
    {"route checked wins over rule", With(RouteMode("1.0.1.0/24"), [](RouteTableFields& f) { f.ruleChecked = true; }),
     "/ip route\r\nadd dst-address=1.0.1.0/24" + kRouteTail},
};

TEST(RouteTableScript, WritesOneCommandPerLineOfTheList) {
    for (const ScriptCase& c : kScripts) {
        SCOPED_TRACE(c.name);
        const Result r = BuildRouteTableScript(c.fields);
        ASSERT_TRUE(r.text) << (r.refusal ? Visible(r.refusal->message) : "nothing");
        // Bytes, not their visible forms: Visible shows a CR and the escape \r alike.
        EXPECT_EQ(*r.text, c.expected) << Visible(*r.text);
    }
}

TEST(RouteTableScript, RefusesAMissingGatewayOrName) {
    RouteTableFields route = RouteMode("1.0.1.0/24");
    route.gateway = "";
    const Result noGateway = BuildRouteTableScript(route);
    EXPECT_FALSE(noGateway.text);
    ASSERT_TRUE(noGateway.refusal);
    EXPECT_EQ(*noGateway.refusal,
              (Refusal{G("请填写网关地址!"), 64, std::nullopt, G("编辑框_2"), FocusWhen::BeforeBox, false}));

    RouteTableFields address = AddressMode("1.0.1.0/24");
    address.listName = "";
    address.gateway = "";  // not needed here
    const Result noName = BuildRouteTableScript(address);
    EXPECT_FALSE(noName.text);
    ASSERT_TRUE(noName.refusal);
    EXPECT_EQ(*noName.refusal,
              (Refusal{G("请填写必填参数 : name !"), 0, std::nullopt, G("编辑框_31"), FocusWhen::AfterBox, false}));
}

// Built from the list file's own lines, so the count and the last line
// follow whatever the data holds.
std::string ExpectedRoutes(std::string_view list) {
    std::string out = "/ip route\r\n";
    std::size_t start = 0;
    bool first = true;
    while (start < list.size()) {
        std::size_t end = list.find("\r\n", start);
        if (end == std::string_view::npos) end = list.size();
        if (!first) out += "\r\n";
        first = false;
        out += "add dst-address=" + std::string(list.substr(start, end - start)) + kRouteTail;
        start = end + 2;
    }
    return out;
}

TEST(RouteTableScript, BuiltInListsGiveOneRoutePerPrefix) {
    for (const ListChoice choice : {ListChoice::Mobile, ListChoice::GreatWall}) {
        RouteTableFields f;
        f.listChecked = {};
        f.listChecked[static_cast<std::size_t>(choice)] = true;
        f.gateway = "10.0.0.1";
        const Result r = BuildRouteTableScript(f);
        ASSERT_TRUE(r.text);
        const std::string_view list = CarrierCidrList(static_cast<CarrierList>(choice));
        EXPECT_EQ(*r.text, ExpectedRoutes(list));
        EXPECT_NE(r.text->substr(r.text->size() - 2), "\r\n") << "no line end after the last command";
    }
}

TEST(RouteTableScript, PicksTheFirstCheckedList) {
    RouteTableFields f;
    EXPECT_EQ(PickCarrierCidrList(f), CarrierCidrList(CarrierList::Telecom)) << "电信 at start";

    f.listChecked = {};
    EXPECT_EQ(PickCarrierCidrList(f), "") << "none checked";

    f.code = "10.0.0.0/8";
    f.listChecked[static_cast<std::size_t>(ListChoice::Custom)] = true;
    EXPECT_EQ(PickCarrierCidrList(f), "10.0.0.0/8");

    f.listChecked[static_cast<std::size_t>(ListChoice::China)] = true;
    EXPECT_EQ(PickCarrierCidrList(f), CarrierCidrList(CarrierList::China));

    f.listChecked[static_cast<std::size_t>(ListChoice::Education)] = true;
    EXPECT_EQ(PickCarrierCidrList(f), CarrierCidrList(CarrierList::Education));
}

std::string Hosts(const std::string& prefix, int from) {
    std::string out;
    for (int i = from; i <= 254; i += 2) out += prefix + std::to_string(i) + "\r\n";
    return out;
}

TEST(OddEvenHosts, ListsTheHostsUnderTheFirstThreeParts) {
    struct Case {
        const char* typed;
        bool odd;
        std::string expected;
    };
    const Case cases[] = {
        {"192.168.1", true, Hosts("192.168.1.", 1)},
        {"192.168.1.0", false, Hosts("192.168.1.", 2)},
        {"192.168.1.", true, Hosts("192.168.1.", 1)},
        {"a..b", true, Hosts("a..b.", 1)},  // the parts are not checked to be numbers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const Result r = BuildOddEvenHosts(c.typed, c.odd);
        ASSERT_TRUE(r.text);
        EXPECT_EQ(*r.text, c.expected);
    }
    const std::string odd = *BuildOddEvenHosts("192.168.1", true).text;
    EXPECT_EQ(odd.substr(0, 26), "192.168.1.1\r\n192.168.1.3\r\n");
    EXPECT_EQ(odd.substr(odd.size() - 15), "192.168.1.253\r\n");
}

TEST(OddEvenHosts, RefusesAnythingButThreeOrFourParts) {
    const Refusal refusal{
        G("您输入的前三位IP格式有误,请重新输入,正确的例如:192.168.1"), 16, G("IP格式有误"), "", FocusWhen::None, true};
    for (const char* typed : {"10.0", "", "1.2.3.4.5", "."}) {
        SCOPED_TRACE(typed);
        const Result r = BuildOddEvenHosts(typed, true);
        EXPECT_FALSE(r.text);
        ASSERT_TRUE(r.refusal);
        EXPECT_EQ(*r.refusal, refusal);
    }
}

TEST(OddEvenHosts, CountsFromOne) {
    EXPECT_EQ(ListOddEvenHosts("p", true, 5), "p1\r\np3\r\np5\r\n");
    EXPECT_EQ(ListOddEvenHosts("p", false, 5), "p2\r\np4\r\n");
    EXPECT_EQ(ListOddEvenHosts("p", true, 0), "");
}

}  // namespace
}  // namespace trelvix::routetable
