// The built-in language packs, made from the layouts at build time, hold the
// sections their windows are meant to have and, where every control of a kind
// is one the program works with or names, exactly as many entries as the
// window has controls of that kind.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "TestSupport.h"
#include "app/LanguagePacks.h"
#include "common/platform/Ini.h"
#include "common/text/CodePage.h"

namespace trelvix::test {
namespace {

std::map<std::string, int> EntriesPerSection(std::string_view pack) {
    std::map<std::string, int> counts;
    for (const IniText::Entry& e : IniText(pack).entries()) ++counts[e.section];
    return counts;
}

std::map<std::string, int> BuiltInPackEntries(const char* pack) {
    const auto bytes = BuiltInLanguagePack(pack);
    if (!bytes) ADD_FAILURE() << "no built-in pack " << pack;
    return bytes ? EntriesPerSection(*bytes) : std::map<std::string, int>{};
}

struct PackSections {
    const char* pack;
    std::set<std::string> sections;  // UTF-8
};

// Each window's pack has one section per kind of control the window holds
// (tree views by their own name), and no other.
const PackSections kPackSections[] = {
    {"language1.ini", {"编辑框1", "标签1", "按钮1", "单选框1", "选择框1", "分组框1", "树型框1"}},
    {"language2.ini", {"编辑框1", "标签1", "按钮1", "单选框1", "分组框1"}},
    {"language3.ini", {"编辑框1", "标签1", "按钮1", "分组框1"}},
    {"language4.ini", {"编辑框1", "标签1", "按钮1", "分组框1"}},
    {"language5.ini", {"编辑框1", "标签1", "按钮1", "分组框1"}},
};

TEST(PackCounts, EveryPackHoldsTheSectionsOfItsWindowAndNoOther) {
    for (const PackSections& p : kPackSections) {
        SCOPED_TRACE(p.pack);
        std::set<std::string> have;
        for (const auto& [section, count] : BuiltInPackEntries(p.pack)) {
            have.insert(GbkToUtf8(section));
            EXPECT_GT(count, 0) << GbkToUtf8(section);
        }
        EXPECT_EQ(have, p.sections);
    }
}

struct PackCount {
    const char* pack;
    const char* section;
    int entries;
};

// Sections in which every control of the window is one with a known text or
// role (a field's caption, a step's heading, each button, hidden ones too), so
// the layout holds as many as the window has and the pack must hold exactly
// that many.
//
// The other sections have no row because no layout can say how many entries
// they should hold: their windows also carry controls with no behaviour and
// no fixed text (captions beside fields, frames drawn round a group, the main
// window's serial-numbered edit boxes and buttons), and a layout holds as many
// of those as its pages need to read well. That covers the main window's edit
// boxes, labels, buttons and group boxes, and the labels and group boxes of
// the route table and the subnet calculator. That the pack has an entry for
// every control its layout does hold is checked beside the pack reader.
const PackCount kPackCounts[] = {
    {"language1.ini", "单选框1", 25}, {"language1.ini", "选择框1", 89}, {"language1.ini", "树型框1", 42},
    {"language2.ini", "编辑框1", 18}, {"language2.ini", "按钮1", 7},    {"language2.ini", "单选框1", 13},
    {"language3.ini", "编辑框1", 10}, {"language3.ini", "按钮1", 1},    {"language4.ini", "编辑框1", 3},
    {"language4.ini", "标签1", 5},    {"language4.ini", "按钮1", 42},   {"language4.ini", "分组框1", 2},
    {"language5.ini", "编辑框1", 16}, {"language5.ini", "标签1", 26},   {"language5.ini", "按钮1", 2},
    {"language5.ini", "分组框1", 2},
};

TEST(PackCounts, SectionsOfNamedControlsHoldOneEntryPerControl) {
    std::map<std::string, std::map<std::string, int>> actual;
    for (const PackCount& c : kPackCounts) {
        if (!actual.count(c.pack)) actual[c.pack] = BuiltInPackEntries(c.pack);
        EXPECT_EQ(actual[c.pack][G(c.section)], c.entries) << c.pack << " [" << c.section << "]";
    }
}

}  // namespace
}  // namespace trelvix::test
