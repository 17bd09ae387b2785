// Reads arbitrary bytes as a legacy set file.
#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static DataTags tags;
    juce::MemoryBlock bytes (data, size);

    for (const auto mode : { SetConseils::headerOnly, SetConseils::headerAndAdvice })
    {
        SetConseils set (&tags);
        SetFileReader::readOldSetBytes (set, bytes, mode);

        const auto& name = set.getName();

        if (!juce::CharPointer_UTF8::isValidString (name.toRawUTF8(), name.getNumBytesAsUTF8()))
            std::abort();

        if (set.getColourSet() != juce::Colours::orange ||
            (mode == SetConseils::headerOnly && set.getNumConseils() != 0))
            std::abort();

        for (int i = 0; i < set.getNumConseils(); ++i)
        {
            for (int t = 0; t < 500; ++t)
                if (set.isTagAssociatedToItem (i, t) && !DataTags::isValidHash (t))
                    std::abort();

            if (set.getFavoriteItem (i))
                std::abort();
        }
    }

    return 0;
}
