#include "base/RegularFile.h"

bool RegularFile::read (const juce::File& file, juce::MemoryBlock& bytes, size_t maxBytes)
{
    bytes.reset();
    const auto status = getStatus (file);

    if (!status.regular)
        return false;

    juce::FileInputStream stream (file);

    if (!stream.openedOk())
        return false;

    // Read straight into a block of the file's size: the toolkit's readers copy through a 64 KiB
    // buffer and grow the block as they go.
    const auto wanted = (size_t) std::min ((juce::uint64) status.size, (juce::uint64) maxBytes);
    bytes.setSize (wanted);
    auto* data = static_cast<char*> (bytes.getData());
    size_t got = 0;

    while (got < wanted)
    {
        const auto chunk = (int) std::min (wanted - got, (size_t) (1 << 30));
        const auto numRead = stream.read (data + got, chunk);

        if (numRead <= 0)
            break;

        got += (size_t) numRead;
    }

    bytes.setSize (got);
    return !stream.getStatus().failed();
}
