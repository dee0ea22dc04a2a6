// The MAC list's count: the generator bounds it itself, since the count box
// limits only what a user types.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "generators/tools/ToolsGenerators.h"

namespace trelvix::tools {
namespace {

using test::G;

TEST(MacList, RefusesACountPastItsBoundBeforeDrawingAnything) {
    for (const char* count : {"10000", "100000000", "99999999999999999999999"}) {
        FixedRandom random({});
        MacListFields f;
        f.count = count;
        const Outcome out = BuildMacAddresses(f, random);
        ASSERT_TRUE(out.error) << count;
        EXPECT_EQ(out.error->message, G("每次最多生成9999个MAC地址!"));
        EXPECT_EQ(out.error->flags, 48);
        EXPECT_EQ(out.error->focus, FieldOf(f.count));
        EXPECT_FALSE(out.script);
    }
}

TEST(MacList, TheLargestCountGivesThatManyLines) {
    FixedRandom random({0x12345678u});
    MacListFields f;
    f.octetA = "E4";
    f.octetB = "8D";
    f.octetC = "8C";
    f.count = "9999";
    const Outcome out = BuildMacAddresses(f, random);
    ASSERT_TRUE(out.script);
    EXPECT_EQ(std::count(out.script->begin(), out.script->end(), '\n'), 9998);
    EXPECT_EQ(out.script->size(), 9999 * 17 + 9998 * 2);
}

}  // namespace
}  // namespace trelvix::tools
