#include "base/Utf16TextFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
juce::uint8* writeUnit (juce::uint8* out, juce::uint32 unit)
{
    *out++ = (juce::uint8) (unit & 0xff);
    *out++ = (juce::uint8) ((unit >> 8) & 0xff);
    return out;
}

// Writes c as UTF-8 at out and returns the position after it.
char* writeUtf8 (char* out, juce::uint32 c)
{
    if (c < 0x80)
    {
        *out++ = (char) c;
    }
    else if (c < 0x800)
    {
        *out++ = (char) (0xc0 | (c >> 6));
        *out++ = (char) (0x80 | (c & 0x3f));
    }
    else if (c < 0x10000)
    {
        *out++ = (char) (0xe0 | (c >> 12));
        *out++ = (char) (0x80 | ((c >> 6) & 0x3f));
        *out++ = (char) (0x80 | (c & 0x3f));
    }
    else
    {
        *out++ = (char) (0xf0 | (c >> 18));
        *out++ = (char) (0x80 | ((c >> 12) & 0x3f));
        *out++ = (char) (0x80 | ((c >> 6) & 0x3f));
        *out++ = (char) (0x80 | (c & 0x3f));
    }

    return out;
}

// UTF-8 the toolkit accepts, written again canonically: its check lets overlong forms and encoded
// surrogates through, and a string holding them miscounts its own bytes (a later write then drops
// characters). Such sequences become U+FFFD.
juce::String decodeUtf8 (const juce::uint8* bytes, size_t size)
{
    // Every broken sequence, down to a single byte, becomes the three bytes of U+FFFD.
    juce::HeapBlock<char> utf8 (size * 3 + 1);
    auto* out = utf8.get();
    size_t i = 0;

    while (i < size && bytes[i] != 0)
    {
        const auto lead = bytes[i];

        if (lead < 0x80)
        {
            *out++ = (char) lead;
            ++i;
            continue;
        }

        const int length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
        juce::uint32 c = lead & (0x7fu >> length);
        int n = 1;

        for (; n < length && i + (size_t) n < size && (bytes[i + (size_t) n] & 0xc0) == 0x80; ++n)
            c = (c << 6) | (bytes[i + (size_t) n] & 0x3fu);

        static constexpr juce::uint32 smallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
        const bool valid =
            n == length && c >= smallest[length] && c <= 0x10ffff && !(c >= 0xd800 && c <= 0xdfff);
        out = writeUtf8 (out, valid ? c : 0xfffd);
        i += (size_t) n;
    }

    *out = 0; // the toolkit reads the first character before it looks at the end, also of an empty range
    return juce::String (juce::CharPointer_UTF8 (utf8.get()), juce::CharPointer_UTF8 (out));
}

// Stops at a zero unit, as the toolkit's strings cannot hold one; stoppedAtZero then tells.
template <bool littleEndian>
juce::String decodeUtf16 (const juce::uint8* units, size_t numUnits, bool& stoppedAtZero)
{
    const auto unitAt = [units] (size_t index) -> juce::uint32
    {
        juce::uint16 unit;
        std::memcpy (&unit, units + 2 * index, sizeof (unit));
        return littleEndian ? juce::ByteOrder::swapIfBigEndian (unit)
                            : juce::ByteOrder::swapIfLittleEndian (unit);
    };

    // Decoded straight into UTF-8, the toolkit's own string format: three bytes per unit at most.
    juce::HeapBlock<char> utf8 (numUnits * 3 + 1);
    auto* out = utf8.get();

    for (size_t i = 0; i < numUnits; ++i)
    {
        auto c = unitAt (i);

        if (c < 0x80)
        {
            if (c == 0)
            {
                stoppedAtZero = true;
                break;
            }

            *out++ = (char) c;
            continue;
        }

        if (c >= 0xd800 && c <= 0xdfff)
        {
            const auto next = i + 1 < numUnits ? unitAt (i + 1) : 0u;

            if (c <= 0xdbff && next >= 0xdc00 && next <= 0xdfff)
            {
                c = 0x10000 + ((c - 0xd800) << 10) + (next - 0xdc00);
                ++i;
            }
            else
            {
                c = 0xfffd; // a lone surrogate is not a character
            }
        }

        out = writeUtf8 (out, c);
    }

    *out = 0; // the toolkit reads the first character before it looks at the end, also of an empty range
    return juce::String (juce::CharPointer_UTF8 (utf8.get()), juce::CharPointer_UTF8 (out));
}
} // namespace

juce::String Utf16TextFile::decode (const void* data, size_t size)
{
    bool whole = true;
    return decode (data, size, whole);
}

juce::String Utf16TextFile::decode (const void* data, size_t size, bool& whole)
{
    whole = true;
    const auto* bytes = static_cast<const juce::uint8*> (data);
    const bool littleEndian = size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    const bool bigEndian = size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;

    if (!littleEndian && !bigEndian)
    {
        const auto byteOrderMark =
            size >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf ? 3u : 0u;
        const auto* start = reinterpret_cast<const char*> (bytes + byteOrderMark);
        const auto length = (int) std::min (size - byteOrderMark, (size_t) std::numeric_limits<int>::max());
        whole = (size_t) length == size - byteOrderMark &&
                (length == 0 || std::memchr (start, 0, (size_t) length) == nullptr);

        // Nothing but a byte-order mark: the toolkit's loader would read one byte past the data here.
        if (length == 0)
            return {};

        // Text that is not UTF-8 is read as the toolkit reads it (Windows-1252), which gives valid text.
        if (length <= 1 || !juce::CharPointer_UTF8::isValidString (start, length))
            return juce::String::createStringFromData (
                data, (int) std::min (size, (size_t) std::numeric_limits<int>::max()));

        return decodeUtf8 (bytes + byteOrderMark, (size_t) length);
    }

    const auto numUnits = (size - 2) / 2;
    bool stoppedAtZero = false;
    auto text = littleEndian ? decodeUtf16<true> (bytes + 2, numUnits, stoppedAtZero)
                             : decodeUtf16<false> (bytes + 2, numUnits, stoppedAtZero);

    // A byte left over after the last whole unit is passed over as well.
    whole = !stoppedAtZero && size % 2 == 0;
    return text;
}

juce::String Utf16TextFile::load (const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (!RegularFile::read (file, bytes))
        return {};

    return decode (bytes.getData(), bytes.getSize());
}

juce::MemoryBlock Utf16TextFile::encode (const juce::String& text)
{
    // Every UTF-8 byte gives at most two bytes (a four-byte sequence, a surrogate pair of four), and a
    // line feed two more for its carriage return: the buffer is sized once and filled in place.
    const auto* utf8 = reinterpret_cast<const juce::uint8*> (text.toRawUTF8());
    const auto numBytes = text.getNumBytesAsUTF8();
    const auto numLineFeeds = (size_t) std::count (utf8, utf8 + numBytes, '\n');
    juce::MemoryBlock block (2 + 2 * numBytes + 2 * numLineFeeds);

    auto* out = writeUnit (static_cast<juce::uint8*> (block.getData()), 0xfeff);
    bool lastWasReturn = false;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = (juce::uint32) p.getAndAdvance();

        // A line feed that does not follow a carriage return becomes CR LF, as everywhere in the format.
        if (c == '\n' && !lastWasReturn)
            out = writeUnit (out, '\r');

        lastWasReturn = (c == '\r');

        if (c >= 0x10000 && c <= 0x10ffff)
        {
            const auto offset = c - 0x10000;
            out = writeUnit (out, 0xd800 + (offset >> 10));
            out = writeUnit (out, 0xdc00 + (offset & 0x3ff));
        }
        else
        {
            out = writeUnit (out, c);
        }
    }

    block.setSize ((size_t) (out - static_cast<juce::uint8*> (block.getData())));
    return block;
}

bool Utf16TextFile::replaceWithText (const juce::File& target, const juce::String& text)
{
    const auto bytes = encode (text);
    RegularFile::Status written;
    return replaceWithBytes (target, bytes.getData(), bytes.getSize(), written);
}

bool Utf16TextFile::replaceWithBytes (const juce::File& target, const void* data, size_t size,
                                      RegularFile::Status& written)
{
    if (target == juce::File() || !target.getParentDirectory().isDirectory() || target.isDirectory())
        return false;

    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream stream (temporary.getFile());

        if (!stream.openedOk() || !stream.write (data, size))
            return false;

        // The toolkit's flush ends in fsync: the new bytes reach the disk before the rename makes them
        // the file, so that a crash leaves the old file or the new one, never an empty one.
        stream.flush();

        if (stream.getStatus().failed())
            return false;
    }

    // The stream's flush does not report a short write (a full disk stops it part-way), so the file
    // itself must show that every byte arrived before it may replace the old one. The rename keeps the
    // modification time, so this is also the status of the file once it has replaced the target.
    written = RegularFile::getStatus (temporary.getFile());

    if (!written.regular || written.size != (juce::int64) size)
        return false;

    return temporary.overwriteTargetFileWithTemporary();
}
