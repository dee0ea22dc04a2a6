#include "tools/l7/L7Catalogue.h"

#include <string>

#include "common/EmbeddedData.h"

namespace trelvix {

namespace {

// The name up to " regexp=", then the quoted regexp: any byte but a quote, a
// backslash or a line end, or a backslash with the byte it escapes.
constexpr std::string_view kCatalogueLine = R"re(add name=(.*?) regexp="((?:[^"\\\r\n]++|\\.)*+)")re";

}  // namespace

std::string_view L7CatalogueText() { return StoredText("data/l7tools/catalogue.rsc"); }

void ParseL7Catalogue(RegexObject& list, std::string_view catalogue) {
    list.Create(kCatalogueLine, catalogue, /*caseSensitive=*/true, /*multiline=*/true);
}

std::vector<L7ProtocolRow> L7ProtocolRows(const RegexObject& list) {
    std::vector<L7ProtocolRow> rows;
    const long long count = list.MatchCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (long long i = 1; i <= count; ++i)
        rows.push_back({std::to_string(i), list.SubMatchText(i, 1), list.SubMatchText(i, 2)});
    return rows;
}

Gbk BuildSelectedL7(const RegexObject& list, std::span<const long long> checkedRows) {
    Gbk text(kL7Header);
    for (long long row : checkedRows) {
        text += list.MatchText(row);
        text += "\r\n";
    }
    return text;
}

}  // namespace trelvix
