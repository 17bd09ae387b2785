#include "advice/SetConseils.h"

#include "advice/DataTags.h"
#include "advice/HashList.h"
#include "base/TextScanner.h"
#include "base/Utf16TextFile.h"

#include <array>
#include <chrono>
#include <cstring>

namespace
{
constexpr size_t npos = TextScanner::npos;

// A header-only read starts with this many bytes, and reads four times more while the header goes on.
constexpr size_t firstHeaderBytes = 4096;

// File systems keep modification times in steps of up to two seconds (FAT): a file whose time lies
// within two seconds of the moment it was recorded may be written again without its time changing, so
// for such a file only its bytes tell whether it is unchanged.
constexpr juce::int64 timestampStep = 2'000'000'000;

juce::int64 nowInNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds> (
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

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
} // namespace

SetConseils::SetConseils (DataTags* tags)
    : dataTags (tags)
{
}

//==============================================================================
juce::String SetConseils::getDescriptionItem (int index) const
{
    if (auto* item = getItem (index))
        return item->description;

    return {};
}

void SetConseils::setDescriptionItem (int index, const juce::String& text)
{
    if (auto* item = getItem (index))
        item->description = text;
}

bool SetConseils::getFavoriteItem (int index) const
{
    if (auto* item = getItem (index))
        return item->favorite;

    return false;
}

void SetConseils::setFavoriteItem (int index, bool favorite)
{
    if (auto* item = getItem (index))
        item->favorite = favorite;
}

bool SetConseils::hasSameAdviceAs (const SetConseils& other) const
{
    if (name != other.name || description != other.description || author != other.author ||
        language != other.language || colourSet != other.colourSet ||
        conseils.size() != other.conseils.size())
        return false;

    for (int i = 0; i < conseils.size(); ++i)
    {
        const auto* item = conseils.getUnchecked (i);
        const auto* otherItem = other.conseils.getUnchecked (i);

        if (item->description != otherItem->description || item->tags != otherItem->tags)
            return false;
    }

    return true;
}

void SetConseils::takeFavoritesFrom (const SetConseils& other)
{
    jassert (hasSameAdviceAs (other));

    for (int i = 0; i < juce::jmin (conseils.size(), other.conseils.size()); ++i)
        conseils.getUnchecked (i)->favorite = other.conseils.getUnchecked (i)->favorite;

    fileRecord = other.fileRecord;
    readWhole = other.readWhole;
}

bool SetConseils::isTagAssociatedToItem (int index, int hash) const
{
    if (auto* item = getItem (index))
        return item->hasTag (hash);

    return false;
}

void SetConseils::addTagToItem (int index, int hash)
{
    if (auto* item = getItem (index))
        item->addTagToItem (hash);
}

int SetConseils::getNumTags (int index) const
{
    if (auto* item = getItem (index))
        return item->tags.size();

    return 0;
}

juce::String SetConseils::getHashTags (int index) const
{
    if (auto* item = getItem (index))
        return item->getHashTags();

    return {};
}

void SetConseils::setHashTags (int index, const juce::String& list)
{
    auto* item = getItem (index);

    if (item == nullptr)
        return;

    item->tags.clearQuick();
    const std::string_view utf8 (list.toRawUTF8(), list.getNumBytesAsUTF8());
    HashList::forEachEntry (utf8, [item] (std::string_view entry)
                            { item->tags.add (TextScanner::leadingInteger (entry)); });
    item->sortTags();
}

void SetConseils::setOldHashTags (int index, const juce::String& codes)
{
    if (auto* item = getItem (index))
    {
        item->tags.clearQuick();
        readOldTagList (std::string_view (codes.toRawUTF8(), codes.getNumBytesAsUTF8()), *item);
    }
}

void SetConseils::readOldTagList (std::string_view codes, ConseilItem& item) const
{
    HashList::forEachEntry (codes,
                            [this, &item] (std::string_view code)
                            {
                                const auto hash =
                                    dataTags != nullptr
                                        ? dataTags->convertOldHashToNewHas (TextScanner::toString (code))
                                        : 0;
                                item.tags.add (hash);
                            });
    item.sortTags();
}

void SetConseils::addNewConseil()
{
    conseils.add (new ConseilItem());
}

void SetConseils::removeConseil (int index)
{
    if (juce::isPositiveAndBelow (index, conseils.size()))
        conseils.remove (index);
}

void SetConseils::duplicateConseil (int from, int to)
{
    auto* source = getItem (from);
    auto* target = getItem (to);

    if (source == nullptr || target == nullptr || source == target)
        return;

    target->description = source->description;
    setHashTags (to, source->getHashTags());
}

//==============================================================================
// What tells one set format from the other; the reading itself is the same for both.
struct SetConseils::SetFormat
{
    juce::String (*decode) (const void* data, size_t size, bool& whole);

    // Reads the header from the start of the text; returns whether it ended within the text.
    bool (SetConseils::*readHeader) (TextScanner&, size_t& position);

    // A value of an advice's record after its text: its key, and its reader (none for a value that only
    // tells where the record ends).
    struct Field
    {
        std::string_view key;
        void (*read) (SetConseils&, TextScanner&, std::string_view value, ConseilItem&);
    };

    std::string_view itemKey;
    std::array<Field, 2> fields; // in the order the writer writes them

    // The current format is read strictly: a key counts only at the start of a line, a text without its
    // ";" is no advice, each value is looked for after the one before it, and the text taken in is
    // tracked so that text passed over shows. The legacy reader takes keys anywhere, looks for each value
    // from the key before it, and passes over only what follows a zero character.
    bool strict;
};

const SetConseils::SetFormat& SetConseils::formatOf (bool legacy)
{
    static const SetFormat currentFormat{
        &Utf16TextFile::decode,
        &SetConseils::readHeader,
        "Item=",
        { { { "Favorite=",
              [] (SetConseils&, TextScanner& scanner, std::string_view value, ConseilItem& item)
              {
                  item.favorite = value == "true";

                  if (value != "true" && value != "false")
                      scanner.markPassedOver();
              } },
            { "Tags=", [] (SetConseils& set, TextScanner& scanner, std::string_view value, ConseilItem& item)
              { set.readTagList (scanner, value, item); } } } },
        true
    };

    // Legacy favourite marks are not carried over; their key only tells where the record ends.
    static const SetFormat legacyFormat{
        &SetConseils::readOldText,
        &SetConseils::readOldHeader,
        "Texte=",
        { { { "Attributs=", [] (SetConseils& set, TextScanner&, std::string_view value, ConseilItem& item)
              { set.readOldTagList (value, item); } },
            { "Favori=", nullptr } } },
        false
    };

    return legacy ? legacyFormat : currentFormat;
}

void SetConseils::loadData (int mode)
{
    if (mode == 1)
        loadHeaderOnly (false);
    else
        loadWholeFile (false, mode);
}

// A full read in either format: every byte of the file unless it lies beyond the size limit, which counts
// as text passed over; then the record of what was read.
void SetConseils::loadWholeFile (bool legacy, int mode)
{
    const auto status = RegularFile::getStatus (fileSet);
    const bool tooLarge = status.size > maximumFileBytes;
    juce::MemoryBlock bytes;

    if (!tooLarge)
        RegularFile::read (fileSet, bytes);

    const auto& format = formatOf (legacy);
    bool whole = true;
    TextScanner scanner (format.decode (bytes.getData(), bytes.getSize(), whole));
    readSet (scanner, format, mode, whole);

    readWhole = readWhole && !tooLarge;
    fileRecord = makeRecord (fileSet, status, bytes);
}

// Reads the header from the file's first bytes, and more of them only while the header may go on; a
// file whose header is not over within maximumHeaderBytes is read no further. Text that is not UTF-8 is
// told from the bytes read: a file whose first lines are UTF-8 and whose later ones are not shows its
// header as UTF-8 here, where the full read takes the whole file as Windows-1252.
void SetConseils::loadHeaderOnly (bool legacy)
{
    const auto& format = formatOf (legacy);
    juce::MemoryBlock bytes;

    for (auto limit = firstHeaderBytes;; limit *= 4)
    {
        RegularFile::read (fileSet, bytes, limit);
        const bool lastRead = bytes.getSize() < limit || limit >= maximumHeaderBytes;

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

    loadMode = 1;
    recycleItems();
    spareItems.clear();
    readWhole = false;
    fileRecord = {};
}

// Either format: the header, then the advice (unless only the header is wanted), sorted once at the end.
void SetConseils::readSet (TextScanner& scanner, const SetFormat& format, int mode, bool wholeText)
{
    loadMode = mode;
    size_t position = 0;

    (this->*format.readHeader) (scanner, position);
    recycleItems();

    if (mode == 1)
    {
        spareItems.clear();
        readWhole = false;
        return;
    }

    readItems (scanner, format, position);
    spareItems.clear();
    sortItems();
    readWhole = wholeText && !(format.strict && scanner.hasPassedOverText());
}

void SetConseils::readSetText (const juce::String& text, int mode)
{
    TextScanner scanner (text);
    readSet (scanner, formatOf (false), mode, true);
}

bool SetConseils::readHeader (TextScanner& scanner, size_t& position)
{
    const std::string_view headerLine (fileHeader);

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

    name = TextScanner::toString (value ("Name="));
    description = TextScanner::toString (value ("Description="));
    author = TextScanner::toString (value ("Author="));

    const auto languageValue = value ("Language=");
    language = TextScanner::leadingInteger (languageValue);

    const auto colourValue = value ("Colour=");
    colourSet = readColour (colourValue);

    // Numbers followed by other text are read only up to it.
    if ((!TextScanner::isBlank (languageValue) && !TextScanner::isWholeInteger (languageValue)) ||
        (!TextScanner::isBlank (colourValue) && !isWholeColour (colourValue)))
        scanner.markPassedOver();

    return ended;
}

void SetConseils::readItems (TextScanner& scanner, const SetFormat& format, size_t position)
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

        auto* item = appendRecycledItem();
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

void SetConseils::readTagList (TextScanner& scanner, std::string_view list, ConseilItem& item)
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
void SetConseils::recycleItems()
{
    spareItems.ensureStorageAllocated (spareItems.size() + conseils.size());

    while (!conseils.isEmpty())
        spareItems.add (conseils.removeAndReturn (conseils.size() - 1));
}

ConseilItem* SetConseils::appendRecycledItem()
{
    if (spareItems.isEmpty())
        return conseils.add (new ConseilItem());

    auto* item = spareItems.removeAndReturn (spareItems.size() - 1);
    item->description.clear();
    item->tags.clearQuick();
    item->favorite = false;
    return conseils.add (item);
}

void SetConseils::sortItems()
{
    // Sorted on a copy of each text's first eight bytes, read as one big-endian number, then on the
    // bytes after them: the item comparison's order, without chasing every string through memory.
    struct SortEntry
    {
        juce::uint64 prefix;
        const char* rest; // nullptr when the text ends within its first eight bytes
        ConseilItem* item;
    };

    std::vector<SortEntry> entries;
    entries.reserve ((size_t) conseils.size());

    for (auto* item : conseils)
    {
        juce::uint64 prefix = 0;
        const auto* text = item->description.toRawUTF8();

        for (int i = 0; i < 8; ++i)
        {
            prefix = (prefix << 8) | (juce::uint8) *text;

            if (*text != 0)
                ++text;
        }

        const bool endedEarly = (prefix & 0xff) == 0;
        entries.push_back ({ prefix, endedEarly ? nullptr : text, item });
    }

    // Stable, so that equal texts keep the file's order: a set read again then lists its advice in the
    // same order as the set in memory, and the two compare equal.
    std::stable_sort (entries.begin(), entries.end(),
                      [] (const SortEntry& a, const SortEntry& b)
                      {
                          if (a.prefix != b.prefix)
                              return a.prefix < b.prefix;

                          // Equal prefixes that hold the end of a text are equal texts.
                          if (a.rest == nullptr || b.rest == nullptr)
                              return false;

                          return std::strcmp (a.rest, b.rest) < 0;
                      });

    conseils.clearQuick (false);

    for (const auto& entry : entries)
        conseils.add (entry.item);
}

int SetConseils::ElementComparator::compareElements (const ConseilItem* first, const ConseilItem* second)
{
    // UTF-8 byte order is code-point order, so comparing the bytes gives juce::String::compare's order
    // without decoding every character: sorting sets of many advice with a common opening stays fast.
    return std::strcmp (first->description.toRawUTF8(), second->description.toRawUTF8());
}

//==============================================================================
void SetConseils::loadOldData (int mode)
{
    if (mode == 1)
        loadHeaderOnly (true);
    else
        loadWholeFile (true, mode);
}

juce::String SetConseils::readOldText (const void* bytes, size_t size, bool& whole)
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

void SetConseils::readOldSetBytes (const juce::MemoryBlock& bytes, int mode)
{
    bool whole = true;
    TextScanner scanner (readOldText (bytes.getData(), bytes.getSize(), whole));
    readSet (scanner, formatOf (true), mode, whole);
}

bool SetConseils::readOldHeader (TextScanner& scanner, size_t& position)
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

    name = value ("Nom=");
    author = value ("Auteur=");
    const auto year = value ("Année=");
    author << " (" << year << ")";
    description = value ("Description=");
    language = value ("Language=").getIntValue();
    colourSet = juce::Colours::orange;
    return ended;
}

juce::String SetConseils::convertANSIToUnicode (const juce::String& raw)
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

//==============================================================================
juce::String SetConseils::createSetText() const
{
    // A memory stream grows geometrically; appending to a juce::String reallocates it at every step.
    juce::MemoryOutputStream text;
    text << fileHeader << "\n\n";
    text << "Name=" << name << ";\n";
    text << "Description=" << description << ";\n";
    text << "Author=" << author << ";\n";
    text << "Language=" << language << ";\n";
    text << "Colour=" << (int) colourSet.getRed() << "," << (int) colourSet.getGreen() << ","
         << (int) colourSet.getBlue() << ";\n\n";

    for (const auto* item : conseils)
    {
        text << "Item=" << item->description << ";\n";
        text << (item->favorite ? "Favorite=true;\n" : "Favorite=false;\n");
        text << "Tags=" << item->getHashTags() << ";\n\n";
    }

    return text.toUTF8();
}

bool SetConseils::saveData()
{
    const auto bytes = Utf16TextFile::encode (createSetText());
    RegularFile::Status written;

    if (!Utf16TextFile::replaceWithBytes (fileSet, bytes.getData(), bytes.getSize(), written))
        return false;

    fileRecord = { fileSet, written, hashBytes (bytes.getData(), bytes.getSize()), nowInNanoseconds() };
    readWhole = true;
    return true;
}

//==============================================================================
SetConseils::FileRecord SetConseils::makeRecord (const juce::File& file, const RegularFile::Status& status,
                                                 const juce::MemoryBlock& bytes)
{
    // A file that changed while it was read holds something else than what was read.
    if (!status.regular || RegularFile::getStatus (file) != status ||
        (juce::int64) bytes.getSize() != status.size)
        return {};

    return { file, status, hashBytes (bytes.getData(), bytes.getSize()), nowInNanoseconds() };
}

juce::uint64 SetConseils::hashBytes (const void* data, size_t size)
{
    // The library's hash reads eight bytes at a step (64 bits wide here); the record never leaves the
    // process, so a hash that may change between library versions serves.
    return (juce::uint64) std::hash<std::string_view>{}(
        std::string_view (static_cast<const char*> (data), size));
}

bool SetConseils::isUnchangedOnDisk() const
{
    if (!fileRecord.isValid() || fileRecord.file != fileSet)
        return false;

    const auto status = RegularFile::getStatus (fileSet);

    if (!status.regular || status.size != fileRecord.status.size)
        return false;

    if (status.modificationTime == fileRecord.status.modificationTime &&
        fileRecord.takenAt >= status.modificationTime + timestampStep)
        return true;

    juce::MemoryBlock bytes;
    return RegularFile::read (fileSet, bytes) && (juce::int64) bytes.getSize() == status.size &&
           hashBytes (bytes.getData(), bytes.getSize()) == fileRecord.hash;
}
