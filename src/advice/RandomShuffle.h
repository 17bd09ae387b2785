#pragma once

#include <juce_core/juce_core.h>

// Random indexes without repeats: every value of a range comes out once before any comes out again.
class RandomShuffle final
{
public:
    RandomShuffle() = default;

    // A value of [min, max); min itself when the range is empty. A range other than the last one starts a
    // new cycle at once.
    int getRandomShuffledNumber (int min, int max);

private:
    juce::Random random;
    int lastMin = 0;
    int lastMax = -1;
    juce::Array<int> pool;

    JUCE_DECLARE_NON_COPYABLE (RandomShuffle)
};
