#include "advice/SetConseils.h"

#include "advice/HashList.h"
#include "advice/SetFileReader.h"
#include "base/TextScanner.h"
#include "base/Utf16TextFile.h"

#include <chrono>
#include <cstring>

namespace
{
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

const juce::Array<int>& SetConseils::getTagsItem (int index) const
{
    static const juce::Array<int> none;

    if (auto* item = getItem (index))
        return item->tags;

    return none;
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
        SetFileReader::readOldTagList (
            dataTags, std::string_view (codes.toRawUTF8(), codes.getNumBytesAsUTF8()), *item);
    }
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
void SetConseils::loadData (LoadMode mode)
{
    SetFileReader::readFile (*this, false, mode);
}

void SetConseils::loadOldData (LoadMode mode)
{
    SetFileReader::readFile (*this, true, mode);
}

int SetConseils::loadAnyFormat (LoadMode mode, OtherFiles otherFiles)
{
    const auto kind = SetFileReader::getFileKind (fileSet);

    if (kind == SetFileReader::currentSetFile)
        loadData (mode);
    else if (kind == SetFileReader::legacySetFile || otherFiles == OtherFiles::readAsLegacy)
        loadOldData (mode);

    return kind;
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

juce::String SetConseils::convertANSIToUnicode (const juce::String& raw)
{
    return SetFileReader::convertANSIToUnicode (raw);
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
