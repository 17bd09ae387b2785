// Reads arbitrary text as a hash list, as the hash lists of a set's advice and as a list of legacy tag
// codes.
#include "advice/DataTags.h"
#include "advice/HashList.h"
#include "advice/SetConseils.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static DataTags tags;
    const auto list = juce::String::fromUTF8 (reinterpret_cast<const char*> (data), (int) size);
    const std::string_view utf8 (list.toRawUTF8(), list.getNumBytesAsUTF8());

    // One hash for each "," in the list's order; what follows the last "," is what is left unread.
    const auto hashes = HashList::read (list);
    size_t entries = 0;
    const auto unended = HashList::forEachEntry (utf8, [&entries] (std::string_view) { ++entries; });

    if ((int) entries != hashes.size() || (int) entries != list.retainCharacters (",").length() ||
        unended.find (',') != std::string_view::npos || unended != utf8.substr (utf8.size() - unended.size()))
        std::abort();

    // Whatever was read is written as a list that reads back to the same hashes.
    if (HashList::read (HashList::write (hashes)) != hashes)
        std::abort();

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
