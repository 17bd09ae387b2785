#include "cli/AdviceIndex.h"

#include "advice/SetFileReader.h"
#include "base/RegularFile.h"
#include "cli/FoldedText.h"

#include <cstring>
#include <numeric>
#include <string_view>

namespace
{
const char magic[8] = { 'M', 'W', 'S', 'I', 'D', 'X', '0', '1' };

// A set file's modification may not move its time when it comes within the file system's clock step of
// the last one; an index made that soon after a change is not trusted.
constexpr juce::int64 clockStepMs = 2000;

struct FileStamp
{
    juce::String name;
    juce::int64 size = 0, modified = 0;

    bool operator== (const FileStamp& other) const
    {
        return name == other.name && size == other.size && modified == other.modified;
    }
};

// The set files of the folder as the set library finds them, stamped with their size and time.
std::vector<FileStamp> stampSetFiles (const juce::File& folder)
{
    std::vector<FileStamp> stamps;

    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*"))
        if (SetFileReader::hasSetExtension (file) && RegularFile::isRegular (file))
            stamps.push_back (
                { file.getFileName(), file.getSize(), file.getLastModificationTime().toMilliseconds() });

    std::sort (stamps.begin(), stamps.end(),
               [] (const FileStamp& a, const FileStamp& b) { return a.name < b.name; });
    return stamps;
}

int tagBit (int hash)
{
    int bit = 0;

    for (int category = 0; category < hash / 100; ++category)
        bit += DataTags::getNumTagsInCategory (category);

    return bit + hash % 100;
}

void writeString (juce::MemoryOutputStream& out, const juce::String& text)
{
    const auto size = text.getNumBytesAsUTF8();
    out.writeInt ((int) size);
    out.write (text.toRawUTF8(), size);
}

void padToEightBytes (juce::MemoryOutputStream& out)
{
    while (out.getDataSize() % 8 != 0)
        out.writeByte (0);
}

// Reads the index's bytes front to back; any read past the end leaves it failed.
class Reader final
{
public:
    Reader (const char* start, size_t size)
        : data (start)
        , end (start + size)
    {
    }

    bool failed() const { return position == nullptr; }

    const char* take (size_t size)
    {
        if (position == nullptr || (size_t) (end - position) < size)
        {
            position = nullptr;
            return nullptr;
        }

        const auto* taken = position;
        position += size;
        return taken;
    }

    juce::uint32 takeUint32()
    {
        juce::uint32 value = 0;

        if (const auto* bytes = take (sizeof (value)))
            std::memcpy (&value, bytes, sizeof (value));

        return value;
    }

    juce::int64 takeInt64()
    {
        juce::int64 value = 0;

        if (const auto* bytes = take (sizeof (value)))
            std::memcpy (&value, bytes, sizeof (value));

        return value;
    }

    juce::String takeString()
    {
        const auto size = takeUint32();
        const auto* bytes = take (size);
        return bytes != nullptr ? juce::String::fromUTF8 (bytes, (int) size) : juce::String();
    }

    void alignToEightBytes()
    {
        if (position != nullptr)
            take ((size_t) ((8 - (position - data) % 8) % 8));
    }

    template <typename Value>
    const Value* takeArray (size_t count)
    {
        return reinterpret_cast<const Value*> (take (count * sizeof (Value)));
    }

private:
    const char* data;
    const char* position = data;
    const char* end;
};
} // namespace

AdviceIndex::~AdviceIndex() = default;

juce::File AdviceIndex::getFile (const juce::File& dataFolder)
{
    return dataFolder.getChildFile (fileName);
}

std::unique_ptr<AdviceIndex> AdviceIndex::open (const juce::File& dataFolder)
{
    if (!dataFolder.isDirectory())
        return nullptr;

    const auto stamps = stampSetFiles (dataFolder);
    const auto libraryBytes =
        std::accumulate (stamps.begin(), stamps.end(), (juce::int64) 0,
                         [] (juce::int64 sum, const FileStamp& stamp) { return sum + stamp.size; });

    if (libraryBytes < minimumLibraryBytes)
        return nullptr;

    const auto file = getFile (dataFolder);
    std::unique_ptr<AdviceIndex> index (new AdviceIndex());

    if (file.existsAsFile() && index->read (dataFolder))
        return index;

    const auto bytes = build (dataFolder);
    juce::TemporaryFile temporary (file);

    if (!temporary.getFile().replaceWithData (bytes.getData(), bytes.getSize()) ||
        !temporary.overwriteTargetFileWithTemporary())
        return nullptr;

    index = std::unique_ptr<AdviceIndex> (new AdviceIndex());
    return index->read (dataFolder) ? std::move (index) : nullptr;
}

juce::MemoryBlock AdviceIndex::build (const juce::File& dataFolder)
{
    // Stamped before they are read: a set changed while it is read is read again by the next command.
    const auto buildTime = juce::Time::currentTimeMillis();
    const auto stamps = stampSetFiles (dataFolder);

    DataTags dataTags;
    LibSetsConseils library (&dataTags);
    library.loadLibSetsConseils (dataFolder);
    library.generateFilteredList (1, -1, {}, -1, false);

    juce::MemoryOutputStream out;
    out.write (magic, sizeof (magic));
    out.writeInt64 (buildTime);
    out.writeInt ((int) stamps.size());

    for (const auto& stamp : stamps)
    {
        writeString (out, stamp.name);
        out.writeInt64 (stamp.size);
        out.writeInt64 (stamp.modified);
    }

    const auto& setsRead = library.getSetsConseils();
    out.writeInt (setsRead.size());

    for (const auto* set : setsRead)
    {
        writeString (out, set->getFileSet().getFileName());
        writeString (out, set->getName());
        writeString (out, set->getAuthor());
        out.writeInt (set->getLanguage());
    }

    const auto count = library.getNumConseilsFiltered();
    std::vector<juce::uint64> masks ((size_t) count * 2, 0), hashes ((size_t) count);
    std::vector<juce::uint32> setIndices ((size_t) count), textOffsets{ 0 }, foldedOffsets{ 0 };
    std::vector<juce::uint8> favoriteFlags ((size_t) count);
    juce::MemoryOutputStream texts, foldedTexts;

    for (int k = 0; k < count; ++k)
    {
        const auto* set = library.getSetOfFiltered (k);
        const auto item = library.getItemOfFiltered (k);
        const auto text = set->getDescriptionItem (item);
        setIndices[(size_t) k] = (juce::uint32) setsRead.indexOf (set);
        favoriteFlags[(size_t) k] = set->getFavoriteItem (item) ? 1 : 0;
        hashes[(size_t) k] = (juce::uint64) text.hashCode64();

        for (const auto& hash : juce::StringArray::fromTokens (set->getHashTags (item), ",", ""))
            if (hash.isNotEmpty() && DataTags::isValidHash (hash.getIntValue()))
                masks[(size_t) k * 2 + (size_t) (tagBit (hash.getIntValue()) / 64)] |=
                    juce::uint64 (1) << (tagBit (hash.getIntValue()) % 64);

        texts << text;
        foldedTexts << FoldedText::fold (text);
        textOffsets.push_back ((juce::uint32) texts.getDataSize());
        foldedOffsets.push_back ((juce::uint32) foldedTexts.getDataSize());
    }

    out.writeInt (count);
    out.writeInt ((int) texts.getDataSize());
    out.writeInt ((int) foldedTexts.getDataSize());
    padToEightBytes (out);
    out.write (masks.data(), masks.size() * sizeof (juce::uint64));
    out.write (hashes.data(), hashes.size() * sizeof (juce::uint64));
    out.write (setIndices.data(), setIndices.size() * sizeof (juce::uint32));
    out.write (textOffsets.data(), textOffsets.size() * sizeof (juce::uint32));
    out.write (foldedOffsets.data(), foldedOffsets.size() * sizeof (juce::uint32));
    out.write (favoriteFlags.data(), favoriteFlags.size());
    out.write (texts.getData(), texts.getDataSize());
    out.write (foldedTexts.getData(), foldedTexts.getDataSize());
    return out.getMemoryBlock();
}

bool AdviceIndex::read (const juce::File& dataFolder)
{
    mapped =
        std::make_unique<juce::MemoryMappedFile> (getFile (dataFolder), juce::MemoryMappedFile::readOnly);

    if (mapped->getData() == nullptr)
        return false;

    Reader reader (static_cast<const char*> (mapped->getData()), mapped->getSize());
    const auto* start = reader.take (sizeof (magic));

    if (start == nullptr || std::memcmp (start, magic, sizeof (magic)) != 0)
        return false;

    const auto buildTime = reader.takeInt64();
    const auto numFiles = reader.takeUint32();
    std::vector<FileStamp> stamps;

    for (juce::uint32 i = 0; i < numFiles && !reader.failed(); ++i)
    {
        FileStamp stamp;
        stamp.name = reader.takeString();
        stamp.size = reader.takeInt64();
        stamp.modified = reader.takeInt64();
        stamps.push_back (stamp);
    }

    if (reader.failed() || stamps != stampSetFiles (dataFolder))
        return false;

    for (const auto& stamp : stamps)
        if (stamp.modified > buildTime - clockStepMs)
            return false;

    const auto numSetsRead = reader.takeUint32();

    for (juce::uint32 i = 0; i < numSetsRead && !reader.failed(); ++i)
    {
        SetEntry entry;
        entry.fileName = reader.takeString();
        entry.name = reader.takeString();
        entry.author = reader.takeString();
        entry.language = (int) reader.takeUint32();
        sets.push_back (entry);
    }

    numAdvice = (int) reader.takeUint32();
    const auto textBytes = reader.takeUint32();
    const auto foldedBytes = reader.takeUint32();
    reader.alignToEightBytes();
    const auto n = (size_t) numAdvice;
    tagMasks = reader.takeArray<juce::uint64> (n * 2);
    textHashes = reader.takeArray<juce::uint64> (n);
    setOf = reader.takeArray<juce::uint32> (n);
    textOffsets = reader.takeArray<juce::uint32> (n + 1);
    foldedOffsets = reader.takeArray<juce::uint32> (n + 1);
    favorites = reader.takeArray<juce::uint8> (n);
    texts = reader.take (textBytes);
    foldedTexts = reader.take (foldedBytes);

    if (reader.failed() || numAdvice < 0 || textOffsets[n] != textBytes || foldedOffsets[n] != foldedBytes)
        return false;

    for (size_t i = 0; i < n; ++i)
        if (setOf[i] >= sets.size() || textOffsets[i] > textOffsets[i + 1] ||
            foldedOffsets[i] > foldedOffsets[i + 1])
            return false;

    return true;
}

bool AdviceIndex::hasSetFile (const juce::String& name) const
{
    return std::any_of (sets.begin(), sets.end(),
                        [&name] (const SetEntry& set) { return set.fileName.equalsIgnoreCase (name); });
}

std::optional<int> AdviceIndex::getSetLanguage (const juce::String& name) const
{
    for (const auto& set : sets)
        if (set.fileName.equalsIgnoreCase (name))
            return set.language;

    return std::nullopt;
}

std::vector<int> AdviceIndex::select (const AdviceSelection::Filter& filter) const
{
    // As the set library filters: a chosen set stands instead of the language.
    std::vector<bool> setInScope (sets.size());

    for (size_t s = 0; s < sets.size(); ++s)
        setInScope[s] = filter.setFile.isNotEmpty()
                            ? sets[s].fileName.equalsIgnoreCase (filter.setFile)
                            : filter.language == -1 || sets[s].language == filter.language;

    const auto bit = filter.tag >= 0 ? tagBit (filter.tag) : -1;
    std::vector<int> positions;

    for (int i = 0; i < numAdvice; ++i)
    {
        if (!setInScope[setOf[i]] || (filter.favoritesOnly && favorites[i] == 0))
            continue;

        if (bit >= 0 &&
            (tagMasks[(size_t) i * 2 + (size_t) (bit / 64)] & (juce::uint64 (1) << (bit % 64))) == 0)
            continue;

        positions.push_back (i);
    }

    return positions;
}

std::vector<int> AdviceIndex::search (const std::vector<int>& positions, const juce::String& words) const
{
    std::vector<std::string> folded;

    for (const auto& word : juce::StringArray::fromTokens (FoldedText::fold (words), true))
        folded.emplace_back (word.toRawUTF8());

    std::vector<int> found;

    for (const auto position : positions)
    {
        size_t size = 0;
        const auto* text = textAt (foldedOffsets, foldedTexts, position, size);
        const std::string_view view (text, size);

        if (std::all_of (folded.begin(), folded.end(),
                         [&view] (const std::string& word)
                         { return view.find (word) != std::string_view::npos; }))
            found.push_back (position);
    }

    return found;
}

const char* AdviceIndex::textAt (const juce::uint32* offsets, const char* blob, int position,
                                 size_t& size) const
{
    size = offsets[position + 1] - offsets[position];
    return blob + offsets[position];
}

AdviceSelection::Advice AdviceIndex::getAdvice (int position) const
{
    size_t size = 0;
    const auto* text = textAt (textOffsets, texts, position, size);
    const auto& set = sets[setOf[position]];
    AdviceSelection::Advice advice;
    advice.fileName = set.fileName;
    advice.setName = set.name;
    advice.author = set.author;
    advice.text = juce::String::fromUTF8 (text, (int) size);
    advice.favorite = favorites[position] != 0;
    advice.language = set.language;
    return advice;
}

juce::uint64 AdviceIndex::getTextHash (int position) const
{
    return textHashes[position];
}
