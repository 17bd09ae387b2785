// Reads arbitrary text as a hash list and as a list of legacy tag codes.
#include "advice/DataTags.h"
#include "advice/SetConseils.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static DataTags tags;
    const auto list = juce::String::fromUTF8 (reinterpret_cast<const char*> (data), (int) size);

    SetConseils set (&tags);
    set.addNewConseil();
    set.setHashTags (0, list);

    // The tags come back as a list that reads to itself, ascending and without repeats.
    const auto written = set.getHashTags (0);
    set.setHashTags (0, written);

    if (set.getHashTags (0) != written)
        std::abort();

    if (!list.containsChar (',') && set.getNumTags (0) != 0)
        std::abort();

    set.setOldHashTags (0, list);

    if (set.getNumTags (0) > list.length())
        std::abort();

    return 0;
}
