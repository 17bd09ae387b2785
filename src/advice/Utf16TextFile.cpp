#include "advice/Utf16TextFile.h"

#include <limits>
#include <vector>

namespace
{
void appendUnit (juce::MemoryOutputStream& stream, juce::uint32 unit)
{
    stream.writeByte ((char) (unit & 0xff));
    stream.writeByte ((char) ((unit >> 8) & 0xff));
}
} // namespace

juce::String Utf16TextFile::decode (const void* data, size_t size)
{
    const auto* bytes = static_cast<const juce::uint8*> (data);
    const bool littleEndian = size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    const bool bigEndian = size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;

    if (!littleEndian && !bigEndian)
        return juce::String::createStringFromData (
            data, (int) std::min (size, (size_t) std::numeric_limits<int>::max()));

    const auto unitAt = [&] (size_t index) -> juce::uint32
    {
        const auto* unit = bytes + 2 + 2 * index;
        return littleEndian ? (juce::uint32) (unit[0] | (unit[1] << 8))
                            : (juce::uint32) ((unit[0] << 8) | unit[1]);
    };

    const auto numUnits = (size - 2) / 2;
    std::vector<juce::juce_wchar> characters;
    characters.reserve (numUnits + 1);

    for (size_t i = 0; i < numUnits; ++i)
    {
        auto c = unitAt (i);

        if (c == 0)
            break;

        if (c >= 0xd800 && c <= 0xdbff && i + 1 < numUnits && unitAt (i + 1) >= 0xdc00 &&
            unitAt (i + 1) <= 0xdfff)
            c = 0x10000 + ((c - 0xd800) << 10) + (unitAt (++i) - 0xdc00);
        else if (c >= 0xd800 && c <= 0xdfff)
            c = 0xfffd; // a lone surrogate is not a character

        characters.push_back ((juce::juce_wchar) c);
    }

    characters.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (characters.data()));
}

juce::String Utf16TextFile::load (const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (!file.existsAsFile() || !file.loadFileAsData (bytes))
        return {};

    return decode (bytes.getData(), bytes.getSize());
}

juce::MemoryBlock Utf16TextFile::encode (const juce::String& text)
{
    juce::MemoryOutputStream stream;
    appendUnit (stream, 0xfeff);
    bool lastWasReturn = false;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = (juce::uint32) p.getAndAdvance();

        // A line feed that does not follow a carriage return becomes CR LF, as everywhere in the format.
        if (c == '\n' && !lastWasReturn)
            appendUnit (stream, '\r');

        lastWasReturn = (c == '\r');

        if (c >= 0x10000 && c <= 0x10ffff)
        {
            const auto offset = c - 0x10000;
            appendUnit (stream, 0xd800 + (offset >> 10));
            appendUnit (stream, 0xdc00 + (offset & 0x3ff));
        }
        else
        {
            appendUnit (stream, c);
        }
    }

    return stream.getMemoryBlock();
}

bool Utf16TextFile::replaceWithText (const juce::File& target, const juce::String& text)
{
    if (target == juce::File() || !target.getParentDirectory().isDirectory() || target.isDirectory())
        return false;

    const auto bytes = encode (text);
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream stream (temporary.getFile());

        if (!stream.openedOk() || !stream.write (bytes.getData(), bytes.getSize()))
            return false;

        stream.flush();

        if (stream.getStatus().failed())
            return false;
    }

    return temporary.overwriteTargetFileWithTemporary();
}
