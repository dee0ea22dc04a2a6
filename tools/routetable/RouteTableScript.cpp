#include "tools/routetable/RouteTableScript.h"

#include <algorithm>

#include "common/CarrierCidrList.h"
#include "common/text/RouterOsText.h"
#include "names/tools/route_table.h"

namespace trelvix::routetable {
using namespace names::tools::route_table;

namespace {

static_assert(static_cast<std::size_t>(ListChoice::China) == static_cast<std::size_t>(CarrierList::China) &&
                  static_cast<std::size_t>(ListChoice::Custom) == kCarrierLists.size(),
              "the built-in list buttons come in the order of the carrier lists");

constexpr std::string_view kLineEnd = "\r\n";

enum class Mode { Route, Rule, AddressList };

Mode ModeOf(const RouteTableFields& f) {
    if (f.routeChecked) return Mode::Route;
    if (f.ruleChecked) return Mode::Rule;
    return Mode::AddressList;
}

// Typed values go into the command bare while that is safe, else quoted and
// escaped, so a blank or $ in a field cannot split or change the command.
void AppendWord(Gbk& out, std::string_view value) {
    if (IsBareWord(value)) out.append(value);
    else out += QuoteTyped(value);
}

// "key=value " when the field holds anything; nothing for an empty field.
void AppendClause(Gbk& out, std::string_view key, std::string_view value) {
    if (value.empty()) return;
    out.append(key);
    AppendWord(out, value);
    out.push_back(' ');
}

// The drop-down shows "lookup only in table", but RouterOS separates
// arguments at blanks and knows that action only as one hyphenated word.
std::string_view RouterAction(std::string_view shown) {
    if (shown == "lookup only in table") return "lookup-only-in-table";
    return shown;
}

// Every line of the list in order. A line ends at LF, and a CR before it
// belongs to the line end, so lists typed or pasted with LF alone give one
// command per prefix just as CR LF lists do. An empty line between two line
// ends is a line; a line end at the very end adds none.
template <typename Visit>
void ForEachLine(std::string_view list, Visit visit) {
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t lf = list.find('\n', start);
        if (lf == std::string_view::npos) {
            visit(list.substr(start));
            return;
        }
        std::size_t end = lf;
        if (end > start && list[end - 1] == '\r') --end;
        visit(list.substr(start, end - start));
        start = lf + 1;
    }
}

// The header, then head + prefix + tail for every line of the list.
Gbk JoinCommands(std::string_view header, std::string_view list, std::string_view head, std::string_view tail) {
    const std::size_t lines = static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) + 1;
    Gbk out;
    out.reserve(header.size() + kLineEnd.size() + list.size() + lines * (head.size() + tail.size() + kLineEnd.size()));
    out.append(header);
    out.append(kLineEnd);
    bool first = true;
    ForEachLine(list, [&](std::string_view prefix) {
        if (!first) out.append(kLineEnd);
        first = false;
        out.append(head);
        AppendWord(out, prefix);
        out.append(tail);
    });
    return out;
}

Result RouteScript(const RouteTableFields& f, std::string_view list) {
    if (f.gateway.empty())
        return {std::nullopt, Refusal{"请填写网关地址!", 64, std::nullopt, 编辑框_2, FocusWhen::BeforeBox, false}};
    Gbk tail = " gateway=";
    AppendWord(tail, f.gateway);
    tail.push_back(' ');
    AppendClause(tail, "check-gateway=", f.checkGateway);
    AppendClause(tail, "type=", f.type);
    AppendClause(tail, "distance=", f.distance);
    tail += "scope=";
    AppendWord(tail, f.scope);
    tail.push_back(' ');
    AppendClause(tail, "target-scope=", f.targetScope);
    AppendClause(tail, "routing-mark=", f.routingMark);
    AppendClause(tail, "pref-src=", f.prefSource);
    tail += "disabled=no";
    return {JoinCommands("/ip route", list, "add dst-address=", tail), std::nullopt};
}

Result RuleScript(const RouteTableFields& f, std::string_view list) {
    Gbk head = "add ";
    AppendClause(head, "src-address=", f.srcAddress);
    head += "dst-address=";
    Gbk tail = " ";
    AppendClause(tail, "routing-mark=", f.ruleRoutingMark);
    AppendClause(tail, "interface=", f.ruleInterface);
    tail += "action=";
    AppendWord(tail, RouterAction(f.action));
    if (!f.table.empty()) {
        tail += " table=";
        AppendWord(tail, f.table);
    }
    tail += " disabled=no";
    return {JoinCommands("/ip route rule", list, head, tail), std::nullopt};
}

Result AddressListScript(const RouteTableFields& f, std::string_view list) {
    if (f.listName.empty())
        return {std::nullopt,
                Refusal{"请填写必填参数 : name !", 0, std::nullopt, 编辑框_31, FocusWhen::AfterBox, false}};
    Gbk tail = " ";
    AppendClause(tail, "timeout=", f.timeout);
    tail += "disabled=no list=" + Quote(EncodeRouterOsEscapes(f.listName));
    return {JoinCommands("/ip firewall address-list", list, "add address=", tail), std::nullopt};
}

}  // namespace

std::string_view PickCarrierCidrList(const RouteTableFields& fields) {
    for (std::size_t i = 0; i < kListChoiceCount; ++i) {
        if (!fields.listChecked[i]) continue;
        if (static_cast<ListChoice>(i) == ListChoice::Custom) return fields.code;
        return CarrierCidrList(kCarrierLists[i]);
    }
    return {};
}

Result BuildRouteTableScript(const RouteTableFields& fields) {
    const std::string_view list = PickCarrierCidrList(fields);
    switch (ModeOf(fields)) {
        case Mode::Route: return RouteScript(fields, list);
        case Mode::Rule: return RuleScript(fields, list);
        case Mode::AddressList: break;
    }
    return AddressListScript(fields, list);
}

Gbk ListOddEvenHosts(std::string_view prefix, bool odd, long long count) {
    Gbk out;
    if (count <= 0) return out;
    out.reserve(static_cast<std::size_t>((count + 1) / 2) * (prefix.size() + 5));
    for (long long i = odd ? 1 : 2; i <= count; i += 2) {
        out.append(prefix);
        out += std::to_string(i);
        out.append(kLineEnd);
    }
    return out;
}

Result BuildOddEvenHosts(std::string_view firstThree, bool odd) {
    const Gbk prefix = IpPrefix3(firstThree);
    if (prefix.empty())
        return {std::nullopt, Refusal{"您输入的前三位IP格式有误,请重新输入,正确的例如:192.168.1", 16, Gbk("IP格式有误"),
                                      "", FocusWhen::None, true}};
    return {ListOddEvenHosts(prefix, odd, 254), std::nullopt};
}

}  // namespace trelvix::routetable
