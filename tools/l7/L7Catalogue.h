#pragma once
// The Layer-7 window's built-in catalogue of protocol matchers: a RouterOS script
// "/ip firewall layer7-protocol" with one "add name=... regexp=\"...\"" line per
// protocol. The window parses it once into a RegexObject and reads rows and whole
// lines back from it by 1-based row number.
#include <span>
#include <string_view>
#include <vector>

#include "common/regex/RegexObject.h"
#include "common/text/Gbk.h"

namespace trelvix {

// The stored catalogue, data/l7tools/catalogue.rsc.
std::string_view L7CatalogueText();

// Runs the catalogue parse over `catalogue`; match i is catalogue row i. The
// regexp is read up to its closing quote, stepping over every RouterOS escape, so
// a pattern holding \" comes out whole.
void ParseL7Catalogue(RegexObject& list, std::string_view catalogue);

struct L7ProtocolRow {
    Gbk number;  // "1", "2"...
    Gbk name;
    Gbk regexp;  // as written between the quotes, RouterOS escapes and all
};

// The rows of a parsed catalogue, in catalogue order.
std::vector<L7ProtocolRow> L7ProtocolRows(const RegexObject& list);

// The header line, then the whole catalogue line of every checked row (1-based
// positions, in the order given), each ended by CR LF.
Gbk BuildSelectedL7(const RegexObject& list, std::span<const long long> checkedRows);

// "/ip firewall layer7-protocol" and CR LF: the first line of every generated text.
inline constexpr std::string_view kL7Header = "/ip firewall layer7-protocol\r\n";

}  // namespace trelvix
