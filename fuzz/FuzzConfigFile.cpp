// Reads arbitrary bytes as the configuration file.
#include "advice/DataTags.h"
#include "settings/ConfigFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto settings = ConfigFile::parseData (data, size);

    // Whatever was read is a setting the program can work with.
    if (settings.language != 0 && settings.language != 1)
        std::abort();

    if (settings.languageSet < -1 || settings.languageSet > 1)
        std::abort();

    if (settings.tag != -1 && !DataTags::isValidHash (settings.tag))
        std::abort();

    if (settings.timerSeconds < 0 || settings.timerSeconds > ConfigFile::maximumTimerSeconds)
        std::abort();

    // And it is written and read back unchanged, unless the set's name itself holds a key: the keys are
    // found by a forward search from the value before them.
    if (settings.sets.containsChar ('='))
        return 0;

    const auto again = ConfigFile::parse (ConfigFile::format (settings));

    if (again.language != settings.language || again.languageSet != settings.languageSet ||
        again.tag != settings.tag || again.lastItem != settings.lastItem ||
        again.lookForFavorites != settings.lookForFavorites || again.timerSeconds != settings.timerSeconds ||
        again.sets != settings.sets)
        std::abort();

    return 0;
}
