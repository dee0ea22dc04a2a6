#include "tools/catalogue/CatalogueModel.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "common/regex/RegexObject.h"

namespace trelvix {

int CatalogueTree::NodeAt(long long number) const {
    if (number < 0 || number >= Count()) return -1;
    const std::vector<int>* level = &roots_;
    for (std::size_t i = 0; i < level->size();) {
        const int id = (*level)[i];
        if (number == 0) return id;
        if (number < nodes_[id].size) {
            --number;  // past the item itself, into its descendants
            level = &nodes_[id].children;
            i = 0;
        } else {
            number -= nodes_[id].size;
            ++i;
        }
    }
    return -1;
}

int CatalogueTree::NumberOf(int node) const {
    int number = 0;
    for (int id = node; id >= 0; id = nodes_[id].parent) {
        const int parent = nodes_[id].parent;
        for (int sibling : parent < 0 ? roots_ : nodes_[parent].children) {
            if (sibling == id) break;
            number += nodes_[sibling].size;
        }
        if (parent >= 0) ++number;
    }
    return number;
}

int CatalogueTree::Add(const Gbk& text, long long parent, bool bold) {
    const int under = NodeAt(parent);
    const int id = Count();
    nodes_.push_back(Node{text, bold, under, {}, 1});
    if (under < 0) {
        roots_.push_back(id);
        return id;  // the last root comes after every item
    }
    nodes_[under].children.push_back(id);
    for (int ancestor = under; ancestor >= 0; ancestor = nodes_[ancestor].parent) ++nodes_[ancestor].size;
    // After the parent and all its earlier descendants.
    return NumberOf(under) + nodes_[under].size - 1;
}

std::vector<CatalogueTreeItem> CatalogueTree::Items() const {
    std::vector<CatalogueTreeItem> items;
    items.reserve(nodes_.size());
    struct Pending {
        int id;
        int parentNumber;
    };
    std::vector<Pending> stack;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) stack.push_back({*it, -1});
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        const int number = static_cast<int>(items.size());
        const Node& node = nodes_[next.id];
        items.push_back({node.text, next.parentNumber, node.bold});
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it) stack.push_back({*it, number});
    }
    return items;
}

double LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    std::size_t end = at;
    auto digits = [&] {
        const std::size_t from = end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        return end > from;
    };
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    bool any = digits();
    if (end < text.size() && text[end] == '.') {
        ++end;
        any = digits() || any;
    }
    if (!any) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        const std::size_t mark = end;
        ++end;
        if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
        if (!digits()) end = mark;
    }
    std::string_view number = text.substr(at, end - at);
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    return value;
}

double FieldNumber(const FieldValue& value) {
    switch (value.kind) {
        case FieldKind::Number: return value.number;
        case FieldKind::Text: return LeadingNumber(value.bytes);
        default: return 0;
    }
}

long long ItemNumberOf(double value) {
    if (std::isnan(value) || value <= -1 || value >= static_cast<double>(INT_MAX)) return -1;
    return static_cast<long long>(std::trunc(value));
}

Gbk TextAfterLast(std::string_view text, std::string_view separator) {
    if (separator.empty()) return {};
    long long found = -1;
    for (long long at = Find(text, separator); at > 0; at = Find(text, separator, at + 1)) found = at;
    if (found < 0) return {};
    return Gbk(text.substr(static_cast<std::size_t>(found - 1) + separator.size()));
}

Gbk TextBeforeFirst(std::string_view text, std::string_view separator) {
    if (separator.empty()) return {};
    const long long found = Find(text, separator);
    return found < 0 ? Gbk() : Gbk(text.substr(0, static_cast<std::size_t>(found - 1)));
}

std::vector<ProductSpecRow> ProductSpecRows(std::string_view spec) {
    std::vector<ProductSpecRow> rows;
    for (const Gbk& part : Split(spec, "##")) rows.push_back({TextBeforeFirst(part, "#"), TextAfterLast(part, "#")});
    return rows;
}

std::optional<RatePageRow> ParseRatePage(std::string_view body) {
    body = body.substr(0, body.find('\0'));
    RegexObject table;
    table.Create("<td>(.*?)</td><td>(.*?)</td><td>(.*?)</td>", body);
    if (table.MatchCount() != 2) return std::nullopt;
    return RatePageRow{table.SubMatchText(2, 2), table.SubMatchText(2, 3)};
}

bool IsWebAddress(std::string_view address) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")})
        if (address.size() > scheme.size() && EqualsNoCase(address.substr(0, scheme.size()), scheme)) return true;
    return false;
}

Gbk DollarAmountText(std::string_view cost) { return TextAfterLast(cost, "$"); }

Gbk YuanText(double amount) { return "￥" + NumberToText(RoundHalfAway(amount, 2)); }

Gbk YuanPrice(std::string_view cost, double rate) { return YuanText(LeadingNumber(DollarAmountText(cost)) * rate); }

}  // namespace trelvix
