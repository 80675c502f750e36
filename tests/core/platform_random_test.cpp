// The random generator: repeatable from a seed, uniform, and distinct seeds per pairing.
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

using platform::Random;

TEST(RandomTest, SameSeedGivesSameSequence) {
    Random a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const auto x = a.next();
        EXPECT_EQ(x, b.next());
        differs |= x != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(RandomTest, BelowIsInRangeAndUniform) {
    Random r(7);
    std::array<int, 10> counts{};
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const auto v = r.below(10);
        ASSERT_LT(v, 10u);
        ++counts[v];
    }
    for (int c : counts)
        EXPECT_NEAR(c, draws / 10, draws / 100); // within 10 % of the expectation
    EXPECT_EQ(r.below(1), 0u);
}

TEST(RandomTest, ClockSeedsDifferWithinOneTickAndDerivedSeedsDiffer) {
    std::set<std::uint64_t> seeds;
    for (int i = 0; i < 1000; ++i)
        seeds.insert(Random::clockSeed());
    EXPECT_EQ(seeds.size(), 1000u);
    EXPECT_NE(Random::derive(1, 1), Random::derive(1, 2));
    EXPECT_NE(Random::derive(1, 1), Random::derive(2, 1));
}
