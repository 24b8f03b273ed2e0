#include "core/config/RandomOrder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ScriptedUniformRandom.h"
#include "core/config/StdUniformRandom.h"

namespace revuro {
namespace {

using Rows = std::vector<std::string>;
using testing::ScriptedUniformRandom;

TEST(RandomOrderTest, DrawsByTheScriptSkippingPastTheEndAndTakenRows) {
    // With three rows k = floor(r * 4): 0.8 -> 3 (no row), 0.3 -> 1, 0.4 -> 1 (taken), 0.1 -> 0.
    auto script = std::make_unique<ScriptedUniformRandom>(std::vector{0.8, 0.3, 0.4, 0.1, 0.6});
    ScriptedUniformRandom& generator = *script;
    RandomOrder order(std::move(script), [] { return 3723.25; });
    EXPECT_EQ(order.Draw({"a", "b", "c"}), (Rows{"b", "a", "c"}));
    EXPECT_EQ(generator.draws, 5);
    EXPECT_EQ(generator.seeds, (std::vector<double>{3723.25}));
}

TEST(RandomOrderTest, DrawOrderGivesThePositionsOfTheSameDraw) {
    auto script = std::make_unique<ScriptedUniformRandom>(std::vector{0.8, 0.3, 0.4, 0.1, 0.6});
    RandomOrder order(std::move(script), [] { return 1.0; });
    EXPECT_EQ(order.DrawOrder(3), (std::vector<std::size_t>{1, 0, 2}));
}

TEST(RandomOrderTest, ValuesOutsideTheUnitRangeNameNoRow) {
    auto script = std::make_unique<ScriptedUniformRandom>(std::vector{-0.5, 1.0, 7.0, 0.6, 0.1});
    RandomOrder order(std::move(script), [] { return 0.0; });
    EXPECT_EQ(order.Draw({"a", "b"}), (Rows{"b", "a"}));
}

TEST(RandomOrderTest, EachDrawSeedsAfreshFromTheClock) {
    auto script = std::make_unique<ScriptedUniformRandom>(std::vector{0.1});
    ScriptedUniformRandom& generator = *script;
    double now = 10.5;
    RandomOrder order(std::move(script), [&now] { return now; });
    (void)order.Draw({"a"});
    now = 11.75;
    (void)order.Draw({"a"});
    EXPECT_EQ(generator.seeds, (std::vector<double>{10.5, 11.75}));
}

TEST(RandomOrderTest, OneRowStaysAndNoRowsGiveNone) {
    RandomOrder order;
    EXPECT_EQ(order.Draw({"/m/a.avi"}), (Rows{"/m/a.avi"}));
    EXPECT_EQ(order.Draw({}), Rows{});
}

TEST(RandomOrderTest, EqualRowsAreBothKept) {
    RandomOrder order;
    const Rows drawn = order.Draw({"/m/a.avi", "/m/b.avi", "/m/a.avi"});
    std::multiset<std::string> kept(drawn.begin(), drawn.end());
    EXPECT_EQ(kept, (std::multiset<std::string>{"/m/a.avi", "/m/a.avi", "/m/b.avi"}));
}

// Pearson's statistic of the counts against equal expectation.
double ChiSquare(const std::map<Rows, int>& counts, int orders, int runs) {
    const double expected = static_cast<double>(runs) / orders;
    double sum = 0;
    for (const auto& [rows, seen] : counts) sum += (seen - expected) * (seen - expected) / expected;
    return sum + (orders - static_cast<int>(counts.size())) * expected;
}

class RandomOrderFairnessTest : public ::testing::Test {
  protected:
    // A fixed sequence of seeds keeps the test deterministic: it can never flake.
    std::map<Rows, int> Count(const Rows& rows, int runs) {
        double clock = 0;
        RandomOrder order(std::make_unique<StdUniformRandom>(), [&clock] { return clock += 0.37; });
        std::map<Rows, int> counts;
        for (int i = 0; i < runs; ++i) ++counts[order.Draw(rows)];
        return counts;
    }
};

TEST_F(RandomOrderFairnessTest, AllSixOrdersOfThreeRowsAreAboutEquallyLikely) {
    const int runs = 6000;
    const std::map<Rows, int> counts = Count({"a", "b", "c"}, runs);
    EXPECT_EQ(counts.size(), 6u);
    // 20.52 is the 0.1% point of chi-square with 5 degrees of freedom.
    EXPECT_LT(ChiSquare(counts, 6, runs), 20.52);
}

TEST_F(RandomOrderFairnessTest, TwoRowsSwapAboutHalfTheTime) {
    const int runs = 2000;
    const std::map<Rows, int> counts = Count({"a", "b"}, runs);
    EXPECT_EQ(counts.size(), 2u);
    // 10.83 is the 0.1% point of chi-square with 1 degree of freedom.
    EXPECT_LT(ChiSquare(counts, 2, runs), 10.83);
}

class StdUniformRandomTest : public ::testing::Test {
  protected:
    std::vector<double> Sequence(double seed, int count) {
        StdUniformRandom random;
        random.Seed(seed);
        std::vector<double> values;
        for (int i = 0; i < count; ++i) values.push_back(random.Next());
        return values;
    }
};

TEST_F(StdUniformRandomTest, ValuesLieInTheUnitRange) {
    for (double r : Sequence(42.0, 100000)) {
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST_F(StdUniformRandomTest, TheSameSeedRepeatsAndAFractionApartDiffers) {
    EXPECT_EQ(Sequence(3600.5, 20), Sequence(3600.5, 20));
    EXPECT_NE(Sequence(3600.5, 20), Sequence(3600.25, 20));
}

TEST(RandomOrderClockTest, SecondsSinceMidnightLieWithinADay) {
    const double now = RandomOrder::SecondsSinceMidnight();
    EXPECT_GE(now, 0.0);
    EXPECT_LT(now, 86401.0);  // a leap second may add one
}

}  // namespace
}  // namespace revuro
