#include "advice/SetFileReader.h"

#include "advice/DataTags.h"
#include "advice/HashList.h"
#include "base/RegularFile.h"
#include "base/TextScanner.h"
#include "base/Utf16TextFile.h"

#include <array>
#include <cstring>

namespace
{
constexpr size_t npos = TextScanner::npos;

// A header-only read starts with this many bytes, and reads four times more while the header goes on.
constexpr size_t firstHeaderBytes = 4096;

// Where the last whole line of a file's first bytes ends (0 if none does), in the encodings the loader
// reads: a text cut there splits no character, and a key at the start of a line is whole.
size_t endOfLastLine (const juce::MemoryBlock& bytes)
{
    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    const auto size = bytes.getSize();
    const bool littleEndian = size >= 2 && data[0] == 0xff && data[1] == 0xfe;
    const bool bigEndian = size >= 2 && data[0] == 0xfe && data[1] == 0xff;

    if (!littleEndian && !bigEndian)
    {
        for (auto end = size; end > 0; --end)
            if (data[end - 1] == '\n')
                return end;

        return 0;
    }

    for (auto end = 2 + (size - 2) / 2 * 2; end >= 4; end -= 2)
    {
        const auto low = littleEndian ? data[end - 2] : data[end - 1];
        const auto high = littleEndian ? data[end - 1] : data[end - 2];

        if (low == '\n' && high == 0)
            return end;
    }

    return 0;
}

// A colour value as the writer writes it: three whole numbers between commas.
bool isWholeColour (std::string_view value)
{
    const auto firstComma = value.find (',');
    const auto secondComma = firstComma == npos ? npos : value.find (',', firstComma + 1);

    return secondComma != npos && value.find (',', secondComma + 1) == npos &&
           TextScanner::isWholeInteger (value.substr (0, firstComma)) &&
           TextScanner::isWholeInteger (value.substr (firstComma + 1, secondComma - firstComma - 1)) &&
           TextScanner::isWholeInteger (value.substr (secondComma + 1));
}

// Mac OS Roman, bytes 0x80 to 0xFF: the legacy files were written on that code page.
constexpr std::array<juce::juce_wchar, 128> macRomanHighHalf{
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7
};

// The value of key searched from `from`: found keys move `from` just past themselves; a missing key
// leaves it where it was and reads as an empty value, so damaged files never send the reader backwards.
juce::String readValue (TextScanner& scanner, std::string_view key, size_t& from)
{
    const auto keyPosition = scanner.find (key, from);

    if (keyPosition == npos)
        return {};

    from = keyPosition + key.size();
    return scanner.valueAt (from);
}

juce::Colour readColour (std::string_view text)
{
    const auto firstComma = text.find (',');
    const auto secondComma = firstComma == npos ? npos : text.find (',', firstComma + 1);

    const auto component = [&] (size_t start, size_t end)
    {
        if (start == npos || start > text.size())
            return (juce::uint8) 0;

        return (juce::uint8) (TextScanner::leadingInteger (text.substr (start, end - start)) & 0xff);
    };

    return juce::Colour (component (0, firstComma),
                         component (firstComma == npos ? npos : firstComma + 1, secondComma),
                         component (secondComma == npos ? npos : secondComma + 1, npos));
}
constexpr int headerLength = 24;

// Whether the file's text starts with the current header, read from its first bytes only, with the
// encodings the whole-file loader accepts: UTF-16 with a byte-order mark of either order, else UTF-8.
bool startsWithCurrentHeader (const juce::File& file)
{
    juce::FileInputStream stream (file);

    if (!stream.openedOk())
        return false;

    juce::uint8 bytes[2 * headerLength + 3] = {};
    const auto numRead = stream.read (bytes, (int) sizeof (bytes));
    const juce::StringRef header (SetConseils::fileHeader);

    const auto matches = [&] (int offset, int stride, int characterByte)
    {
        for (int i = 0; i < headerLength; ++i)
        {
            const auto position = offset + i * stride;

            if (position + stride > numRead || bytes[position + characterByte] != (juce::uint8) header[i])
                return false;

            if (stride == 2 && bytes[position + 1 - characterByte] != 0)
                return false;
        }

        return true;
    };

    if (numRead >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe)
        return matches (2, 2, 0);

    if (numRead >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff)
        return matches (2, 2, 1);

    const bool utf8ByteOrderMark = numRead >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf;
    return matches (utf8ByteOrderMark ? 3 : 0, 1, 0);
}
} // namespace

//==============================================================================
// What tells one set format from the other; the reading itself is the same for both.
struct SetFileReader::SetFormat
{
    juce::String (*decode) (const void* data, size_t size, bool& whole);

    // Reads the header from the start of the text; returns whether it ended within the text.
    bool (SetFileReader::*readHeader) (TextScanner&, size_t& position);

    // A value of an advice's record after its text: its key, and its reader (none for a value that only
    // tells where the record ends).
    struct Field
    {
        std::string_view key;
        void (*read) (SetFileReader&, TextScanner&, std::string_view value, ConseilItem&);
    };

    std::string_view itemKey;
    std::array<Field, 2> fields; // in the order the writer writes them

    // The current format is read strictly: a key counts only at the start of a line, a text without its
    // ";" is no advice, each value is looked for after the one before it, and the text taken in is
    // tracked so that text passed over shows. The legacy reader takes keys anywhere, looks for each value
    // from the key before it, and passes over only what follows a zero character.
    bool strict;
};

const SetFileReader::SetFormat& SetFileReader::formatOf (bool legacy)
{
    static const SetFormat currentFormat{
        &Utf16TextFile::decode,
        &SetFileReader::readHeader,
        "Item=",
        { { { "Favorite=",
              [] (SetFileReader&, TextScanner& scanner, std::string_view value, ConseilItem& item)
              {
                  item.favorite = value == "true";

                  if (value != "true" && value != "false")
                      scanner.markPassedOver();
              } },
            { "Tags=", [] (SetFileReader& reader, TextScanner& scanner, std::string_view value,
                           ConseilItem& item) { reader.readTagList (scanner, value, item); } } } },
        true
    };

    // Legacy favourite marks are not carried over; their key only tells where the record ends.
    static const SetFormat legacyFormat{
        &SetFileReader::readOldText,
        &SetFileReader::readOldHeader,
        "Texte=",
        { { { "Attributs=", [] (SetFileReader& reader, TextScanner&, std::string_view value,
                                ConseilItem& item) { readOldTagList (reader.set.dataTags, value, item); } },
            { "Favori=", nullptr } } },
        false
    };

    return legacy ? legacyFormat : currentFormat;
}

SetFileReader::FileKind SetFileReader::getFileKind (const juce::File& file)
{
    const auto status = RegularFile::getStatus (file);

    if (!status.regular || status.size > SetConseils::maximumFileBytes || !hasSetExtension (file))
        return notASetFile;

    return startsWithCurrentHeader (file) ? currentSetFile : legacySetFile;
}

bool SetFileReader::hasSetExtension (const juce::File& file)
{
    return file.getFileExtension().toLowerCase() == ".mwh";
}

void SetFileReader::readFile (SetConseils& set, bool legacy, SetConseils::LoadMode mode)
{
    SetFileReader reader (set);

    if (mode == SetConseils::headerOnly)
        reader.loadHeaderOnly (legacy);
    else
        reader.loadWholeFile (legacy, mode);
}

// A full read in either format: every byte of the file unless it lies beyond the size limit, which counts
// as text passed over; then the record of what was read.
void SetFileReader::loadWholeFile (bool legacy, SetConseils::LoadMode mode)
{
    const auto status = RegularFile::getStatus (set.fileSet);
    const bool tooLarge = status.size > SetConseils::maximumFileBytes;
    juce::MemoryBlock bytes;

    if (!tooLarge)
        RegularFile::read (set.fileSet, bytes);

    const auto& format = formatOf (legacy);
    bool whole = true;
    TextScanner scanner (format.decode (bytes.getData(), bytes.getSize(), whole));
    readSet (scanner, format, mode, whole);

    set.readWhole = set.readWhole && !tooLarge;
    set.fileRecord = SetConseils::makeRecord (set.fileSet, status, bytes);
}

// Reads the header from the file's first bytes, and more of them only while the header may go on; a
// file whose header is not over within maximumHeaderBytes is read no further. Text that is not UTF-8 is
// told from the bytes read: a file whose first lines are UTF-8 and whose later ones are not shows its
// header as UTF-8 here, where the full read takes the whole file as Windows-1252.
void SetFileReader::loadHeaderOnly (bool legacy)
{
    const auto& format = formatOf (legacy);
    juce::MemoryBlock bytes;

    for (auto limit = firstHeaderBytes;; limit *= 4)
    {
        RegularFile::read (set.fileSet, bytes, limit);
        const bool lastRead = bytes.getSize() < limit || limit >= SetConseils::maximumHeaderBytes;

        // A current-format text is cut at a line end so that no character is split; a legacy character
        // is one byte.
        const auto size = lastRead || legacy ? bytes.getSize() : endOfLastLine (bytes);
        bool whole = true;
        TextScanner scanner (format.decode (bytes.getData(), size, whole));
        size_t position = 0;
        const bool ended = (this->*format.readHeader) (scanner, position);

        // Text after a zero character is never read, so the header cannot go on there.
        if (ended || !whole || lastRead)
            break;
    }

    set.loadMode = SetConseils::headerOnly;
    set.recycleItems();
    set.spareItems.clear();
    set.readWhole = false;
    set.fileRecord = {};
}

// Either format: the header, then the advice (unless only the header is wanted), sorted once at the end.
void SetFileReader::readSet (TextScanner& scanner, const SetFormat& format, SetConseils::LoadMode mode,
                             bool wholeText)
{
    set.loadMode = mode;
    size_t position = 0;

    (this->*format.readHeader) (scanner, position);
    set.recycleItems();

    if (mode == SetConseils::headerOnly)
    {
        set.spareItems.clear();
        set.readWhole = false;
        return;
    }

    readItems (scanner, format, position);
    set.spareItems.clear();
    set.sortItems();
    set.readWhole = wholeText && !(format.strict && scanner.hasPassedOverText());
}

void SetFileReader::readSetText (SetConseils& set, const juce::String& text, SetConseils::LoadMode mode)
{
    readSetText (set, text, true, mode);
}

void SetFileReader::readSetText (SetConseils& set, const juce::String& text, bool wholeText,
                                 SetConseils::LoadMode mode)
{
    TextScanner scanner (text);
    SetFileReader (set).readSet (scanner, formatOf (false), mode, wholeText);
}

bool SetFileReader::readHeader (TextScanner& scanner, size_t& position)
{
    const std::string_view headerLine (SetConseils::fileHeader);

    if (scanner.view (0, headerLine.size()) == headerLine)
        scanner.markTaken (0, headerLine.size());

    bool ended = true;

    // Keys count only at the start of a line, searched after the value before them and before the first
    // advice: a name or a text that holds "Author=" is never taken for a key, wherever the file breaks.
    const auto value = [&] (std::string_view key) -> std::string_view
    {
        const auto itemsStart = scanner.findAtLineStart ("Item=", position);
        const auto keyPosition = scanner.findAtLineStart (key, position);

        if (keyPosition == npos || keyPosition > itemsStart)
        {
            // Without an advice to end the header, a longer text may still hold the key.
            if (itemsStart == npos)
                ended = false;

            return {};
        }

        const auto valueStart = keyPosition + key.size();
        const auto valueEnd = scanner.endOfValue (valueStart);

        if (valueEnd >= scanner.size())
            ended = false;

        scanner.markTaken (keyPosition, valueEnd + 1);
        position = valueEnd + 1;
        return scanner.view (valueStart, valueEnd);
    };

    set.name = TextScanner::toString (value ("Name="));
    set.description = TextScanner::toString (value ("Description="));
    set.author = TextScanner::toString (value ("Author="));

    const auto languageValue = value ("Language=");
    set.language = TextScanner::leadingInteger (languageValue);

    const auto colourValue = value ("Colour=");
    set.colourSet = readColour (colourValue);

    // Numbers followed by other text are read only up to it.
    if ((!TextScanner::isBlank (languageValue) && !TextScanner::isWholeInteger (languageValue)) ||
        (!TextScanner::isBlank (colourValue) && !isWholeColour (colourValue)))
        scanner.markPassedOver();

    return ended;
}

void SetFileReader::readItems (TextScanner& scanner, const SetFormat& format, size_t position)
{
    const auto findKey = [&scanner, &format] (std::string_view key, size_t from)
    { return format.strict ? scanner.findAtLineStart (key, from) : scanner.find (key, from); };

    // The legacy reader stops where no ";" follows.
    while (format.strict || scanner.find (";", position) != npos)
    {
        const auto itemPosition = findKey (format.itemKey, position);

        if (itemPosition == npos)
            return;

        const auto textStart = itemPosition + format.itemKey.size();
        const auto textEnd = scanner.endOfValue (textStart);

        // A text without its ";" was cut off: it is no advice.
        if (format.strict && textEnd >= scanner.size())
            return;

        auto* item = set.appendRecycledItem();
        item->description = TextScanner::toString (scanner.view (textStart, textEnd));

        if (format.strict)
            scanner.markTaken (itemPosition, textEnd + 1);

        // A record ends where the next one starts: keys missing from a hand-edited record read as empty
        // instead of being taken from a later record.
        const auto recordEnd = findKey (format.itemKey, textEnd);
        auto searchFrom = format.strict ? textEnd + 1 : textStart;
        auto lastValueEnd = textEnd;

        for (const auto& field : format.fields)
        {
            const auto keyPosition = findKey (field.key, searchFrom);

            if (keyPosition == npos || keyPosition >= recordEnd)
                continue;

            const auto valueStart = keyPosition + field.key.size();
            lastValueEnd = scanner.endOfValue (valueStart);

            if (field.read != nullptr)
                field.read (*this, scanner, scanner.view (valueStart, lastValueEnd), *item);

            if (format.strict)
                scanner.markTaken (keyPosition, lastValueEnd + 1);

            searchFrom = format.strict ? lastValueEnd + 1 : valueStart;
        }

        position = std::max (lastValueEnd, textEnd) + 1;
    }
}

void SetFileReader::readTagList (TextScanner& scanner, std::string_view list, ConseilItem& item)
{
    const auto unended =
        HashList::forEachEntry (list,
                                [&] (std::string_view entry)
                                {
                                    if (!TextScanner::isBlank (entry) && !TextScanner::isWholeInteger (entry))
                                        scanner.markPassedOver();

                                    item.tags.add (TextScanner::leadingInteger (entry));
                                });

    // An entry without its "," is not read.
    if (!TextScanner::isBlank (unended))
        scanner.markPassedOver();

    item.sortTags();
}

// A full read replaces every advice: the old items are emptied and filled again rather than deleted
// and allocated anew, since the library reads every set in scope again at each filtering.

juce::String SetFileReader::readOldText (const void* bytes, size_t size, bool& whole)
{
    // One character per byte, translated from Mac OS Roman straight into UTF-8 (three bytes at most for
    // each), up to a zero byte, which ends the text.
    const auto* data = static_cast<const juce::uint8*> (bytes);
    // An empty block may have no data at all, which memchr must not be given.
    const auto* zero = size == 0 ? nullptr : static_cast<const juce::uint8*> (std::memchr (data, 0, size));
    const auto length = zero != nullptr ? (size_t) (zero - data) : size;
    whole = zero == nullptr;

    juce::HeapBlock<char> utf8 (length * 3 + 1);
    juce::CharPointer_UTF8 out (utf8.get());

    for (size_t i = 0; i < length; ++i)
        out.write (data[i] >= 0x80 ? macRomanHighHalf[(size_t) (data[i] - 0x80)]
                                   : (juce::juce_wchar) data[i]);

    // The toolkit reads the first character before it looks at the end, also of an empty range.
    out.writeNull();
    return juce::String (juce::CharPointer_UTF8 (utf8.get()), out);
}

void SetFileReader::readOldSetBytes (SetConseils& set, const juce::MemoryBlock& bytes,
                                     SetConseils::LoadMode mode)
{
    bool whole = true;
    TextScanner scanner (readOldText (bytes.getData(), bytes.getSize(), whole));
    SetFileReader (set).readSet (scanner, formatOf (true), mode, whole);
}

bool SetFileReader::readOldHeader (TextScanner& scanner, size_t& position)
{
    bool ended = true;

    const auto value = [&] (std::string_view key)
    {
        const auto start = position;
        const auto found = readValue (scanner, key, position);

        if (position == start || scanner.find (";", position) == npos)
            ended = false;

        return found;
    };

    set.name = value ("Nom=");
    set.author = value ("Auteur=");
    const auto year = value ("Année=");
    set.author << " (" << year << ")";
    set.description = value ("Description=");
    set.language = value ("Language=").getIntValue();
    set.colourSet = juce::Colours::orange;
    return ended;
}

void SetFileReader::readOldTagList (const DataTags* tags, std::string_view codes, ConseilItem& item)
{
    item.tags.clearQuick();
    HashList::forEachEntry (codes,
                            [tags, &item] (std::string_view code)
                            {
                                const auto hash =
                                    tags != nullptr
                                        ? tags->convertOldHashToNewHas (TextScanner::toString (code))
                                        : 0;
                                item.tags.add (hash);
                            });
    item.sortTags();
}

juce::String SetFileReader::convertANSIToUnicode (const juce::String& raw)
{
    // Built in one buffer: appending character by character would reallocate the string at every step.
    std::vector<juce::juce_wchar> characters;
    characters.reserve (static_cast<size_t> (raw.length()) + 1);

    for (auto p = raw.getCharPointer(); !p.isEmpty();)
    {
        const auto byte = p.getAndAdvance();
        characters.push_back ((byte >= 0x80 && byte <= 0xff) ? macRomanHighHalf[(size_t) (byte - 0x80)]
                                                             : byte);
    }

    characters.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (characters.data()));
}
