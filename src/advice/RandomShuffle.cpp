#include "advice/RandomShuffle.h"

int RandomShuffle::getRandomShuffledNumber (int min, int max)
{
    if (min >= max)
        return min;

    if (min != lastMin || max != lastMax || pool.isEmpty())
    {
        pool.clearQuick();
        lastMin = min;
        lastMax = max;
        random.setSeedRandomly();

        pool.ensureStorageAllocated (max - min);

        for (int value = min; value < max; ++value)
            pool.add (value);
    }

    const auto index = random.nextInt (pool.size());
    return pool.removeAndReturn (index);
}
