// Reads arbitrary bytes as a set file in the current format, decoded as the program loads set files.
#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"
#include "base/Utf16TextFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static DataTags tags;
    const auto text = Utf16TextFile::decode (data, size);

    // The text survives the program's own encoding unchanged but for line feeds becoming CR LF.
    // (Built in one pass: juce::String::replace is quadratic on long texts.)
    juce::MemoryOutputStream expected;
    juce::juce_wchar previous = 0;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (c == '\n' && previous != '\r')
            expected.writeByte ('\r');

        expected.appendUTF8Char (c);
        previous = c;
    }

    const auto encoded = Utf16TextFile::encode (text);

    if (Utf16TextFile::decode (encoded.getData(), encoded.getSize()) != expected.toUTF8())
        std::abort();

    for (const auto mode : { SetConseils::headerOnly, SetConseils::headerAndAdvice })
    {
        SetConseils set (&tags);
        SetFileReader::readSetText (set, text, mode);

        if (mode == SetConseils::headerOnly && set.getNumConseils() != 0)
            std::abort();

        for (int i = 0; i < set.getNumConseils(); ++i)
        {
            const auto* previous = i > 0 ? set.getDescriptionItem (i - 1).toRawUTF8() : "";

            if (i > 0 && std::strcmp (previous, set.getDescriptionItem (i).toRawUTF8()) > 0)
                std::abort();

            // Whatever was read must survive a write and a second read unchanged in its tags.
            SetConseils copy (&tags);
            copy.addNewConseil();
            copy.setHashTags (0, set.getHashTags (i));

            if (copy.getHashTags (0) != set.getHashTags (i))
                std::abort();
        }
    }

    return 0;
}
