#include "tools/l7/RegexHelp.h"

#include "common/EmbeddedData.h"
#include "common/regex/RegexObject.h"

namespace trelvix {

std::string_view RegexHelpText() { return StoredText("data/l7tools/regex-help.txt"); }

std::vector<RegexHelpEntry> ParseRegexHelp(std::string_view help) {
    RegexObject parse;
    parse.Create("([0-9]{1,2})=(.*)\t(.*?)\n", help);
    std::vector<RegexHelpEntry> entries;
    const long long count = parse.MatchCount();
    entries.reserve(static_cast<std::size_t>(count));
    for (long long i = 1; i <= count; ++i)
        entries.push_back(
            {static_cast<int>(ToInt64(parse.SubMatchText(i, 1))), parse.SubMatchText(i, 2), parse.SubMatchText(i, 3)});
    return entries;
}

int RegexHelpHeadingOf(std::size_t entryOrder) {
    struct Run {
        std::size_t entries;
        int heading;
    };
    static constexpr Run kRuns[] = {{34, 0}, {10, 36}, {6, 47}};
    std::size_t end = 0;
    for (const Run& run : kRuns) {
        end += run.entries;
        if (entryOrder < end) return run.heading;
    }
    return 54;
}

void FillRegexHelpTables(RegexHelpTables& tables, const std::vector<RegexHelpEntry>& entries) {
    for (const RegexHelpEntry& e : entries) {
        if (e.number < 1 || e.number > static_cast<int>(tables.syntax.size())) continue;
        tables.syntax[static_cast<std::size_t>(e.number - 1)] = e.syntax;
        tables.descriptions[static_cast<std::size_t>(e.number - 1)] = e.description;
    }
}

Gbk RegexHelpBoxText(const RegexHelpTables& tables, int k) {
    if (k < 1 || k > static_cast<int>(tables.descriptions.size())) return {};
    const Gbk& description = tables.descriptions[static_cast<std::size_t>(k - 1)];
    if (description.empty()) return {};
    return tables.syntax[static_cast<std::size_t>(k - 1)] + "\r\n" + Gbk(48, '-') + "\r\n" +
           ReplaceAll(description, "{#换}", "\r\n");
}

}  // namespace trelvix
