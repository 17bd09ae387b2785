#include "advice/RandomShuffle.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
std::multiset<int> draw (RandomShuffle& shuffle, int min, int max, int count)
{
    std::multiset<int> values;

    for (int i = 0; i < count; ++i)
        values.insert (shuffle.getRandomShuffledNumber (min, max));

    return values;
}

std::multiset<int> range (int min, int max)
{
    std::multiset<int> values;

    for (int v = min; v < max; ++v)
        values.insert (v);

    return values;
}
} // namespace

TEST (RandomShuffleTest, everyCycleReturnsEachValueOfTheRangeOnce)
{
    RandomShuffle shuffle;

    for (int cycle = 0; cycle < 4; ++cycle)
        EXPECT_EQ (draw (shuffle, 3, 12, 9), range (3, 12)) << "cycle " << cycle;

    EXPECT_EQ (draw (shuffle, -2, 2, 4), range (-2, 2));
}

TEST (RandomShuffleTest, cyclesAreShuffledDifferently)
{
    RandomShuffle shuffle;
    std::set<std::vector<int>> orders;

    for (int cycle = 0; cycle < 20; ++cycle)
    {
        std::vector<int> order;

        for (int i = 0; i < 8; ++i)
            order.push_back (shuffle.getRandomShuffledNumber (0, 8));

        orders.insert (order);
    }

    // 20 permutations of 8 values drawn alike would be a one in a trillion chance.
    EXPECT_GT (orders.size(), 1u);
}

TEST (RandomShuffleTest, anEmptyRangeGivesItsLowerBoundAndLeavesTheCycleAlone)
{
    RandomShuffle shuffle;
    EXPECT_EQ (shuffle.getRandomShuffledNumber (4, 4), 4);
    EXPECT_EQ (shuffle.getRandomShuffledNumber (7, 2), 7);

    auto values = draw (shuffle, 0, 5, 2);
    EXPECT_EQ (shuffle.getRandomShuffledNumber (0, 0), 0);
    values.merge (draw (shuffle, 0, 5, 3));
    EXPECT_EQ (values, range (0, 5));
}

TEST (RandomShuffleTest, anotherRangeStartsANewCycleAtOnce)
{
    RandomShuffle shuffle;
    draw (shuffle, 0, 10, 4);
    EXPECT_EQ (draw (shuffle, 0, 3, 3), range (0, 3));

    draw (shuffle, 0, 10, 4);
    EXPECT_EQ (draw (shuffle, 1, 10, 9), range (1, 10));
}

TEST (RandomShuffleTest, aSingleValueIsAlwaysDrawn)
{
    RandomShuffle shuffle;

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (shuffle.getRandomShuffledNumber (0, 1), 0);
}
