#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "common/platform/Random.h"

using namespace trelvix;

namespace {

TEST(RandomSources, UniformIntStaysInRangeAndReachesBothEnds) {
    SeededRandom random(1234);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = random.UniformInt(-3, 3);
        ASSERT_GE(v, -3);
        ASSERT_LE(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(random.UniformInt(5, 5), 5);
    EXPECT_EQ(random.UniformInt(5, 1), 5);
    for (int i = 0; i < 100; ++i) random.UniformInt(INT_MIN, INT_MAX);  // whole range, no overflow
}

TEST(RandomSources, FixedRepeatsItsSequence) {
    FixedRandom fixed({1, 2, 3});
    EXPECT_EQ(fixed.Next(), 1u);
    EXPECT_EQ(fixed.Next(), 2u);
    EXPECT_EQ(fixed.Next(), 3u);
    EXPECT_EQ(fixed.Next(), 1u);
    EXPECT_EQ(FixedRandom({}).Next(), 0u);
    // A sequence that always lands in the biased tail still gives an answer.
    FixedRandom tail({0xFFFFFFFF});
    EXPECT_EQ(tail.UniformInt(0, 2), static_cast<int>(0xFFFFFFFFu % 3));
}

TEST(RandomSources, SeededAndSecureVary) {
    SeededRandom a(99), b(99);
    EXPECT_EQ(a.Next(), b.Next());
    SecureRandom secure;
    std::set<std::uint32_t> values;
    for (int i = 0; i < 16; ++i) values.insert(secure.Next());
    EXPECT_GT(values.size(), 8u);
    std::set<std::uint32_t> unseeded;
    for (int i = 0; i < 4; ++i) unseeded.insert(SeededRandom().Next());
    EXPECT_GT(unseeded.size(), 1u);
}

}  // namespace
