#pragma once
// The regular-expression help of the Layer-7 window: a stored text of 56 entries
// in four sections, each entry line "n=syntax<tab>description", where "{#换}" in a
// description stands for a line break. Entry n belongs to the help tree's item n
// counted from 0 in display order; the layout's five headings hold 0, 35, 36, 47
// and 54, which have no entry.
#include <array>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

// The stored help, data/l7tools/regex-help.txt.
std::string_view RegexHelpText();

struct RegexHelpEntry {
    int number = 0;   // 1 to 60
    Gbk syntax;       // the element or title the tree shows
    Gbk description;  // as stored, with the line's CR at its end
};

// The entry lines of `help`, in the text's order.
std::vector<RegexHelpEntry> ParseRegexHelp(std::string_view help);

// The tree heading each run of entries goes under, by display index: the first
// 34 entries under 正则表达式语法说明 (0), the next 10 under 网页相关 (36), 6 under
// 匹配相关数字 (47), the last 6 under 匹配字符串 (54).
int RegexHelpHeadingOf(std::size_t entryOrder);

// The 60 texts of each table; element n - 1 belongs to entry n.
struct RegexHelpTables {
    std::array<Gbk, 60> syntax;
    std::array<Gbk, 60> descriptions;
};
void FillRegexHelpTables(RegexHelpTables& tables, const std::vector<RegexHelpEntry>& entries);

// What the help box shows for the tree item at display index k: the syntax, a line
// of 48 dashes and the description with its line breaks; empty for a heading.
Gbk RegexHelpBoxText(const RegexHelpTables& tables, int k);

}  // namespace trelvix
