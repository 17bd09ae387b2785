#include "cli/AdviceIndex.h"

#include "advice/SetFileReader.h"
#include "base/RegularFile.h"
#include "cli/FoldedText.h"

#include <cstring>
#include <numeric>
#include <optional>
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
    stream = std::make_unique<juce::FileInputStream> (getFile (dataFolder));

    if (stream->failedToOpen())
        return false;

    const auto fileSize = stream->getTotalLength();
    char start[sizeof (magic)] = {};

    if (stream->read (start, sizeof (start)) != (int) sizeof (start) ||
        std::memcmp (start, magic, sizeof (magic)) != 0)
        return false;

    const auto readString = [this, fileSize]
    {
        const auto size = (juce::int64) (juce::uint32) stream->readInt();

        if (size > fileSize - stream->getPosition())
            return std::optional<juce::String>();

        juce::MemoryBlock bytes ((size_t) size);
        stream->read (bytes.getData(), (int) size);
        return std::optional<juce::String> (bytes.toString());
    };

    const auto buildTime = stream->readInt64();
    const auto numFiles = (juce::uint32) stream->readInt();
    std::vector<FileStamp> stamps;

    for (juce::uint32 i = 0; i < numFiles && !stream->isExhausted(); ++i)
    {
        const auto name = readString();

        if (!name)
            return false;

        const auto size = stream->readInt64();
        stamps.push_back ({ *name, size, stream->readInt64() });
    }

    if (stamps != stampSetFiles (dataFolder))
        return false;

    for (const auto& stamp : stamps)
        if (stamp.modified > buildTime - clockStepMs)
            return false;

    const auto numSetsRead = (juce::uint32) stream->readInt();

    for (juce::uint32 i = 0; i < numSetsRead && !stream->isExhausted(); ++i)
    {
        const auto fileNameRead = readString(), name = readString(), author = readString();

        if (!fileNameRead || !name || !author)
            return false;

        sets.push_back ({ *fileNameRead, *name, *author, stream->readInt() });
    }

    numAdvice = stream->readInt();
    textBytesRead = (juce::uint32) stream->readInt();
    foldedBytesRead = (juce::uint32) stream->readInt();
    const auto n = (juce::int64) numAdvice;

    if (numAdvice < 0 || sets.size() != numSetsRead)
        return false;

    // The columns, each where the one before it ends.
    auto position = (stream->getPosition() + 7) / 8 * 8;
    const auto place = [&position] (juce::int64 size)
    {
        const auto at = position;
        position += size;
        return at;
    };

    tagMasksAt = place (n * 16);
    textHashesAt = place (n * 8);
    setOfAt = place (n * 4);
    textOffsetsAt = place ((n + 1) * 4);
    foldedOffsetsAt = place ((n + 1) * 4);
    favoritesAt = place (n);
    textsAt = place (textBytesRead);
    foldedTextsAt = place (foldedBytesRead);
    return position == fileSize;
}

template <typename Value>
std::vector<Value> AdviceIndex::readColumn (juce::int64 at, size_t count) const
{
    // Read, not mapped: the page cache holds large pieces of a file, and a mapping takes in a whole piece
    // for the one page touched.
    std::vector<Value> values (count);

    if (!stream->setPosition (at) ||
        stream->read (values.data(), (int) (count * sizeof (Value))) != (int) (count * sizeof (Value)))
        std::fill (values.begin(), values.end(), Value());

    return values;
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

    const auto n = (size_t) numAdvice;
    const auto setOf = readColumn<juce::uint32> (setOfAt, n);
    const auto favorites =
        filter.favoritesOnly ? readColumn<juce::uint8> (favoritesAt, n) : std::vector<juce::uint8>();
    const auto bit = filter.tag >= 0 ? tagBit (filter.tag) : -1;
    const auto tagMasks =
        bit >= 0 ? readColumn<juce::uint64> (tagMasksAt, n * 2) : std::vector<juce::uint64>();
    std::vector<int> positions;

    for (size_t i = 0; i < n; ++i)
    {
        if (setOf[i] >= sets.size() || !setInScope[setOf[i]] || (filter.favoritesOnly && favorites[i] == 0))
            continue;

        if (bit >= 0 && (tagMasks[i * 2 + (size_t) (bit / 64)] & (juce::uint64 (1) << (bit % 64))) == 0)
            continue;

        positions.push_back ((int) i);
    }

    return positions;
}

std::vector<int> AdviceIndex::search (const std::vector<int>& positions, const juce::String& words) const
{
    std::vector<std::string> folded;

    for (const auto& word : juce::StringArray::fromTokens (FoldedText::fold (words), true))
        folded.emplace_back (word.toRawUTF8());

    const auto offsets = readColumn<juce::uint32> (foldedOffsetsAt, (size_t) numAdvice + 1);
    std::vector<int> found;
    std::vector<char> chunk;
    juce::uint32 chunkStart = 0, chunkEnd = 0;
    constexpr juce::uint32 chunkBytes = 1024 * 1024;

    for (const auto position : positions)
    {
        const auto start = offsets[(size_t) position], end = offsets[(size_t) position + 1];

        // A damaged index reads as empty texts, never past its end.
        if (start > end || end > foldedBytesRead)
            continue;

        // The folded texts are read a piece at a time, from the advice wanted on.
        if (start < chunkStart || end > chunkEnd)
        {
            chunkStart = start;
            chunkEnd = juce::jmin (foldedBytesRead, juce::jmax (end, start + chunkBytes));
            chunk = readColumn<char> (foldedTextsAt + start, chunkEnd - chunkStart);
        }

        const std::string_view view (chunk.data() + (start - chunkStart), end - start);

        if (std::all_of (folded.begin(), folded.end(),
                         [&view] (const std::string& word)
                         { return view.find (word) != std::string_view::npos; }))
            found.push_back (position);
    }

    return found;
}

AdviceSelection::Advice AdviceIndex::getAdvice (int position) const
{
    const auto offsets = readColumn<juce::uint32> (textOffsetsAt + (juce::int64) position * 4, 2);
    const auto setOf = readColumn<juce::uint32> (setOfAt + (juce::int64) position * 4, 1);
    const auto favorite = readColumn<juce::uint8> (favoritesAt + position, 1);
    AdviceSelection::Advice advice;

    if (setOf[0] < sets.size())
    {
        const auto& set = sets[setOf[0]];
        advice.fileName = set.fileName;
        advice.setName = set.name;
        advice.author = set.author;
        advice.language = set.language;
    }

    if (offsets[0] <= offsets[1] && offsets[1] <= textBytesRead)
    {
        const auto text = readColumn<char> (textsAt + offsets[0], offsets[1] - offsets[0]);
        advice.text = juce::String::fromUTF8 (text.data(), (int) text.size());
    }

    advice.favorite = favorite[0] != 0;
    return advice;
}

std::vector<juce::uint64> AdviceIndex::getTextHashes (const std::vector<int>& positions) const
{
    const auto all = readColumn<juce::uint64> (textHashesAt, (size_t) numAdvice);
    std::vector<juce::uint64> hashes;
    hashes.reserve (positions.size());

    for (const auto position : positions)
        hashes.push_back (all[(size_t) position]);

    return hashes;
}
