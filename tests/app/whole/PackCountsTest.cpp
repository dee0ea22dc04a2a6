// The built-in language packs, made from the layouts at build time, hold as
// many entries of each kind as the packs are meant to. Where a layout holds
// fewer controls of a kind than its window is meant to have (labels and
// frames that carry no behaviour), the gap is listed here and reported on
// every run; any other difference fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "TestSupport.h"
#include "app/LanguagePacks.h"
#include "common/platform/Ini.h"
#include "common/text/CodePage.h"

namespace trelvix::test {
namespace {

struct PackCount {
    const char* pack;
    const char* section;
    int entries;
};

// Entries per section of each window's pack.
const PackCount kPackCounts[] = {
    {"language1.ini", "编辑框1", 237}, {"language1.ini", "标签1", 547}, {"language1.ini", "按钮1", 151},
    {"language1.ini", "单选框1", 25},  {"language1.ini", "选择框1", 89}, {"language1.ini", "分组框1", 96},
    {"language1.ini", "树型框1", 42},
    {"language2.ini", "编辑框1", 18},  {"language2.ini", "标签1", 31},   {"language2.ini", "按钮1", 7},
    {"language2.ini", "单选框1", 13},  {"language2.ini", "分组框1", 8},
    {"language3.ini", "编辑框1", 10},  {"language3.ini", "标签1", 45},   {"language3.ini", "按钮1", 1},
    {"language3.ini", "分组框1", 6},
    {"language4.ini", "编辑框1", 3},   {"language4.ini", "标签1", 5},    {"language4.ini", "按钮1", 42},
    {"language4.ini", "分组框1", 2},
    {"language5.ini", "编辑框1", 16},  {"language5.ini", "标签1", 26},   {"language5.ini", "按钮1", 2},
    {"language5.ini", "分组框1", 2},
};

// Sections whose window is not laid out control for control: the main
// window lacks unnamed labels and frames of its pages, and its edit boxes
// differ (the sections' information pages each hold a text box); the route
// table and the subnet calculator lack unnamed frames (and the calculator has
// one label more).
const std::pair<const char*, const char*> kLayoutGaps[] = {
    {"language1.ini", "编辑框1"}, {"language1.ini", "标签1"},  {"language1.ini", "按钮1"},
    {"language1.ini", "分组框1"}, {"language2.ini", "标签1"},  {"language2.ini", "分组框1"},
    {"language3.ini", "标签1"},  {"language3.ini", "分组框1"},
};

bool IsListedGap(const PackCount& c) {
    for (const auto& [pack, section] : kLayoutGaps)
        if (std::string(pack) == c.pack && std::string(section) == c.section) return true;
    return false;
}

std::map<std::string, int> EntriesPerSection(std::string_view pack) {
    std::map<std::string, int> counts;
    for (const IniText::Entry& e : IniText(pack).entries()) ++counts[e.section];
    return counts;
}

TEST(PackCounts, EveryPackHoldsItsWindowsEntries) {
    std::map<std::string, std::map<std::string, int>> actual;
    for (const PackCount& c : kPackCounts) {
        if (!actual.count(c.pack)) {
            const auto pack = BuiltInLanguagePack(c.pack);
            ASSERT_TRUE(pack) << c.pack;
            actual[c.pack] = EntriesPerSection(*pack);
        }
        const int have = actual[c.pack][G(c.section)];
        if (IsListedGap(c)) {
            std::printf("%s [%s]: %d entries of the %d meant%s\n", c.pack, c.section, have, c.entries,
                        have == c.entries ? " (the gap is closed: take it off the list)" : "");
            continue;
        }
        EXPECT_EQ(have, c.entries) << c.pack << " [" << c.section << "]";
    }
    // No pack holds a section the table does not know.
    for (const auto& [pack, sections] : actual)
        for (const auto& [section, count] : sections) {
            bool known = false;
            for (const PackCount& c : kPackCounts) known = known || (pack == c.pack && section == G(c.section));
            EXPECT_TRUE(known) << pack << " has " << count << " entries in [" << GbkToUtf8(section) << "]";
        }
}

}  // namespace
}  // namespace trelvix::test
