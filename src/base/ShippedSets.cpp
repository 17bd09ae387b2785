#include "base/ShippedSets.h"

#include "base/PlainRename.h"

#include <filesystem>
#include <random>

namespace
{
constexpr const char* temporaryMark = ".part-";
constexpr int copyAttempts = 3;

bool hasSetExtension (const juce::File& file)
{
    return file.getFileExtension().toLowerCase() == ".mwh";
}
} // namespace

bool ShippedSets::update (const juce::File& shippedFolder, const juce::File& userFolder)
{
    const auto data = userFolder.getChildFile ("data");

    // Not the toolkit's createDirectory: a program starting at the same moment may make the same folders,
    // and the toolkit gives up on a parent another one has just made, where the standard library takes a
    // folder that now exists as made.
    std::error_code error;
    std::filesystem::create_directories (std::filesystem::u8path (data.getFullPathName().toStdString()),
                                         error);

    if (!data.isDirectory())
        return false;

    removeTemporaryFiles (userFolder);
    removeTemporaryFiles (data);

    const auto recordFile = userFolder.getChildFile (recordName);
    const auto before = readRecord (recordFile);
    auto record = before;
    bool complete = true;

    for (const auto& shipped : findSets (shippedFolder))
    {
        const auto name = shipped.getFileName();
        const auto shippedSum = checksumOf (shipped);

        if (shippedSum.isEmpty())
        {
            complete = false;
            continue;
        }

        const auto mine = data.getChildFile (name);
        const auto found = record.find (name);
        const auto recorded = found != record.end() ? found->second : juce::String();

        // Something other than a file in a set's place is the user's business.
        if (mine.isDirectory())
            continue;

        if (!mine.exists())
        {
            // Missing but recorded: the user deleted it, and it stays deleted.
            if (recorded.isNotEmpty())
                record[name] = deleted;
            else if (copyThroughTemporary (shipped, mine))
                record[name] = shippedSum;
            else
                complete = false;

            continue;
        }

        const auto mineSum = checksumOf (mine);

        if (mineSum == shippedSum)
            record[name] = shippedSum;
        else if (recorded.isEmpty())
            // A set of that name the user had before any record: theirs, and from now on an edit of the
            // shipped one.
            record[name] = shippedSum;
        else if (mineSum == recorded)
        {
            // Unchanged since it was last shipped: the new version's replaces it, an older one too after a
            // downgrade.
            if (copyThroughTemporary (shipped, mine))
                record[name] = shippedSum;
            else
                complete = false;
        }
    }

    if (record != before)
    {
        const auto text = formatRecord (record);

        if (!writeThroughTemporary (recordFile,
                                    juce::MemoryBlock (text.toRawUTF8(), text.getNumBytesAsUTF8())))
            complete = false;
    }

    return complete;
}

juce::Array<juce::File> ShippedSets::findSets (const juce::File& folder)
{
    juce::Array<juce::File> found;

    for (const auto& file :
         folder.findChildFiles (juce::File::findFiles | juce::File::ignoreHiddenFiles, false, "*"))
        if (hasSetExtension (file))
            found.add (file);

    std::sort (found.begin(), found.end(),
               [] (const juce::File& a, const juce::File& b) { return a.getFileName() < b.getFileName(); });
    return found;
}

juce::String ShippedSets::checksumOf (const juce::File& file)
{
    // Not a digest from the toolkit's cryptography module, which not every product links: this only has to
    // tell an edited set from the shipped one, and FNV-1a does that in a few lines.
    juce::FileInputStream stream (file);

    if (!stream.openedOk())
        return {};

    juce::uint64 hash = 14695981039346656037ULL;
    juce::HeapBlock<juce::uint8> buffer (65536);

    for (;;)
    {
        const auto numRead = stream.read (buffer.get(), 65536);

        if (numRead < 0 || stream.getStatus().failed())
            return {};

        if (numRead == 0)
            break;

        for (int i = 0; i < numRead; ++i)
            hash = (hash ^ buffer[i]) * 1099511628211ULL;
    }

    return juce::String::toHexString ((juce::int64) hash).paddedLeft ('0', 16);
}

ShippedSets::Record ShippedSets::readRecord (const juce::File& file)
{
    Record record;
    juce::StringArray lines;
    lines.addLines (file.loadFileAsString());

    for (const auto& line : lines)
    {
        // "<checksum or deleted> <file name>": the name is the rest of the line, spaces and all.
        const auto space = line.indexOfChar (' ');

        if (space > 0 && space + 1 < line.length())
            record[line.substring (space + 1)] = line.substring (0, space);
    }

    return record;
}

bool ShippedSets::isTemporaryName (const juce::String& fileName)
{
    return fileName.startsWithChar ('.') && fileName.contains (temporaryMark);
}

juce::String ShippedSets::formatRecord (const Record& record)
{
    juce::String text;

    for (const auto& [name, sum] : record)
        text << sum << ' ' << name << '\n';

    return text;
}

void ShippedSets::removeTemporaryFiles (const juce::File& folder)
{
    // A copy takes milliseconds: an older temporary file is the litter of one that was stopped, while a
    // newer one may be another program's copy under way.
    const auto stale = juce::Time::getCurrentTime() - juce::RelativeTime::seconds (litterSeconds);

    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*"))
        if (isTemporaryName (file.getFileName()) && file.getLastModificationTime() < stale)
            file.deleteFile();
}

bool ShippedSets::writeThroughTemporary (const juce::File& target, const juce::MemoryBlock& bytes)
{
    // Should anything remove this temporary file meanwhile, the copy is made again under a new name.
    for (int attempt = 0; attempt < copyAttempts; ++attempt)
    {
        // From the system's random source, not a seeded generator: programs and threads starting in the
        // same instant must never pick the same name.
        std::random_device random;
        const auto temporary = target.getSiblingFile ("." + target.getFileName() + temporaryMark +
                                                      juce::String::toHexString ((int) random()) +
                                                      juce::String::toHexString ((int) random()));
        bool written = false;

        {
            juce::FileOutputStream stream (temporary);

            // A file already there is not this copy's to write or remove.
            if (!stream.openedOk() || stream.getPosition() != 0)
                continue;

            // An empty set is an empty file: the toolkit's write takes no empty block.
            written = bytes.getSize() == 0 || stream.write (bytes.getData(), bytes.getSize());
            // The toolkit's flush ends in fsync: the bytes are on the disk before the rename.
            stream.flush();
            written = written && !stream.getStatus().failed();
        }

        if (written && PlainRename::move (temporary, target))
            return true;

        temporary.deleteFile();
    }

    return false;
}

bool ShippedSets::copyThroughTemporary (const juce::File& source, const juce::File& target)
{
    juce::MemoryBlock bytes;
    return source.loadFileAsData (bytes) && writeThroughTemporary (target, bytes);
}
