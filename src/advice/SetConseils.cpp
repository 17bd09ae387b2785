#include "advice/SetConseils.h"

#include "advice/DataTags.h"
#include "advice/TextScanner.h"
#include "advice/Utf16TextFile.h"

#include <array>
#include <cstring>

namespace
{
constexpr size_t npos = TextScanner::npos;

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

// Calls addHash for each entry of a list in which every entry is followed by ",".
template <typename AddHash>
void forEachListEntry (std::string_view list, AddHash&& addHash)
{
    for (size_t start = 0;;)
    {
        const auto comma = list.find (',', start);

        if (comma == std::string_view::npos)
            return;

        addHash (list.substr (start, comma - start));
        start = comma + 1;
    }
}

juce::Colour readColour (const juce::String& value)
{
    const auto utf8 = value.toStdString();
    const std::string_view text (utf8);
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
    forEachListEntry (utf8, [item] (std::string_view entry)
                      { item->addTagToItem (TextScanner::leadingInteger (entry)); });
}

void SetConseils::setOldHashTags (int index, const juce::String& codes)
{
    auto* item = getItem (index);

    if (item == nullptr)
        return;

    item->tags.clearQuick();
    const std::string_view utf8 (codes.toRawUTF8(), codes.getNumBytesAsUTF8());

    forEachListEntry (utf8,
                      [this, item] (std::string_view code)
                      {
                          const auto hash =
                              dataTags != nullptr
                                  ? dataTags->convertOldHashToNewHas (TextScanner::toString (code))
                                  : 0;
                          item->addTagToItem (hash);
                      });
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
void SetConseils::loadData (int mode)
{
    readSetText (Utf16TextFile::load (fileSet), mode);
}

void SetConseils::readSetText (const juce::String& text, int mode)
{
    loadMode = mode;
    TextScanner scanner (text);
    size_t position = 0;

    readHeader (scanner, position);
    recycleItems();

    if (mode == 1)
    {
        spareItems.clear();
        return;
    }

    readItems (scanner, position);
    spareItems.clear();
    sortItems();
}

void SetConseils::readHeader (TextScanner& scanner, size_t& position)
{
    name = readValue (scanner, "Name=", position);
    description = readValue (scanner, "Description=", position);
    author = readValue (scanner, "Author=", position);
    language = readValue (scanner, "Language=", position).getIntValue();

    const auto colourValue = readValue (scanner, "Colour=", position);
    colourSet = readColour (colourValue);
}

void SetConseils::readItems (TextScanner& scanner, size_t position)
{
    static constexpr std::string_view itemKey = "Item=", favoriteKey = "Favorite=", tagsKey = "Tags=";

    while (scanner.find (";", position) != npos)
    {
        const auto itemPosition = scanner.find (itemKey, position);

        if (itemPosition == npos)
            return;

        const auto textStart = itemPosition + itemKey.size();
        const auto textEnd = scanner.endOfValue (textStart);

        auto* item = appendRecycledItem();
        item->description = TextScanner::toString (scanner.view (textStart, textEnd));

        // A record ends where the next one starts: keys missing from a hand-edited record read as empty
        // instead of being taken from a later record.
        const auto recordEnd = scanner.find (itemKey, textEnd);
        auto next = textStart;
        auto lastValueEnd = textEnd;

        const auto favoritePosition = scanner.find (favoriteKey, textStart);

        if (favoritePosition != npos && favoritePosition < recordEnd)
        {
            next = favoritePosition + favoriteKey.size();
            lastValueEnd = scanner.endOfValue (next);
            item->favorite = scanner.view (next, lastValueEnd) == "true";
        }

        const auto tagsPosition = scanner.find (tagsKey, next);

        if (tagsPosition != npos && tagsPosition < recordEnd)
        {
            const auto tagsStart = tagsPosition + tagsKey.size();
            lastValueEnd = scanner.endOfValue (tagsStart);
            const auto list = scanner.view (tagsStart, lastValueEnd);
            forEachListEntry (list, [item] (std::string_view entry)
                              { item->addTagToItem (TextScanner::leadingInteger (entry)); });
        }

        position = std::max (lastValueEnd, textEnd) + 1;
    }
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

    std::sort (entries.begin(), entries.end(),
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
    juce::MemoryBlock bytes;

    if (!fileSet.loadFileAsData (bytes))
        bytes.reset();

    readOldSetBytes (bytes, mode);
}

void SetConseils::readOldSetBytes (const juce::MemoryBlock& bytes, int mode)
{
    // One character per byte, so that no byte is altered before the code-page translation.
    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    const auto size = bytes.getSize();
    std::vector<juce::juce_wchar> raw;
    raw.reserve (size + 1);

    for (size_t i = 0; i < size && data[i] != 0; ++i)
        raw.push_back (data[i]);

    raw.push_back (0);

    const auto text = convertANSIToUnicode (juce::String (juce::CharPointer_UTF32 (raw.data())));

    loadMode = mode;
    TextScanner scanner (text);
    size_t position = 0;

    name = readValue (scanner, "Nom=", position);
    author = readValue (scanner, "Auteur=", position);
    const auto year = readValue (scanner,
                                 "Ann\xc3\xa9"
                                 "e=",
                                 position);
    author << " (" << year << ")";
    description = readValue (scanner, "Description=", position);
    language = readValue (scanner, "Language=", position).getIntValue();
    colourSet = juce::Colours::orange;

    recycleItems();

    if (mode == 1)
    {
        spareItems.clear();
        return;
    }

    readOldItems (scanner, position);
    spareItems.clear();
    sortItems();
}

void SetConseils::readOldItems (TextScanner& scanner, size_t position)
{
    static constexpr std::string_view textKey = "Texte=", attributesKey = "Attributs=",
                                      favoriteKey = "Favori=";

    while (scanner.find (";", position) != npos)
    {
        const auto textPosition = scanner.find (textKey, position);

        if (textPosition == npos)
            return;

        const auto textStart = textPosition + textKey.size();
        const auto textEnd = scanner.endOfValue (textStart);

        appendRecycledItem();
        const auto index = conseils.size() - 1;
        conseils.getLast()->description = TextScanner::toString (scanner.view (textStart, textEnd));

        const auto recordEnd = scanner.find (textKey, textEnd);
        auto next = textStart;
        auto lastValueEnd = textEnd;

        const auto attributesPosition = scanner.find (attributesKey, next);

        if (attributesPosition != npos && attributesPosition < recordEnd)
        {
            next = attributesPosition + attributesKey.size();
            lastValueEnd = scanner.endOfValue (next);
            setOldHashTags (index, TextScanner::toString (scanner.view (next, lastValueEnd)));
        }

        // Legacy favourite marks are not carried over; the key only tells where the record ends.
        const auto favoritePosition = scanner.find (favoriteKey, next);

        if (favoritePosition != npos && favoritePosition < recordEnd)
            lastValueEnd = scanner.endOfValue (favoritePosition + favoriteKey.size());

        position = std::max (lastValueEnd, textEnd) + 1;
    }
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

bool SetConseils::saveData() const
{
    return Utf16TextFile::replaceWithText (fileSet, createSetText());
}
