#include "widgets/CardMeasureRecord.h"

#include "advice/SetTextRules.h"
#include "base/FileStatus.h"
#include "base/PlainRename.h"
#include "widgets/InstalledFonts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr const char* magic = "Musewheeler card text widths";
constexpr int version = 1;

bool isFinitePositive (float value)
{
    return std::isfinite (value) && value > 0.0f;
}

// A 64-bit FNV-1a of the bytes, which a flipped or lost byte changes.
juce::uint64 checksumOf (const void* data, size_t size)
{
    juce::uint64 hash = 0xcbf29ce484222325ull;

    for (size_t i = 0; i < size; ++i)
    {
        hash ^= static_cast<const juce::uint8*> (data)[i];
        hash *= 0x100000001b3ull;
    }

    return hash;
}

// Only the characters measured, each with its width.
void writeWidths (juce::OutputStream& out, const WrappedTextBound::Widths& widths)
{
    const auto measured = [] (float width) { return width != 0.0f; };
    out.writeShort ((short) std::count_if (widths.begin(), widths.end(), measured));

    for (size_t c = 0; c < widths.size(); ++c)
        if (measured (widths[c]))
        {
            out.writeByte ((char) c);
            out.writeFloat (widths[c]);
        }
}

bool readWidths (juce::InputStream& in, WrappedTextBound::Widths& widths)
{
    const auto count = (int) in.readShort();

    if (count < 0 || count > (int) widths.size() || in.getNumBytesRemaining() < count * 5)
        return false;

    for (int i = 0; i < count; ++i)
    {
        const auto c = (size_t) (juce::uint8) in.readByte();
        const auto width = in.readFloat();

        // Only the characters the set editor allows are measured: another one is no width this program wrote.
        if (!SetTextRules::isAllowed ((juce::juce_wchar) c) || widths[c] != 0.0f || !isFinitePositive (width))
            return false;

        widths[c] = width;
    }

    return true;
}
} // namespace

juce::MemoryBlock CardMeasureRecord::toBytes (const juce::String& key) const
{
    juce::MemoryOutputStream out;
    out.writeString (magic);
    out.writeInt (version);
    out.writeString (key);
    out.writeFloat (adviceLineWidth);
    out.writeInt (adviceLinesThatFit);
    writeWidths (out, adviceWidths);
    out.writeFloat (nameAreaWidth);
    writeWidths (out, nameWidths);
    out.writeInt64 ((juce::int64) checksumOf (out.getData(), out.getDataSize()));
    return out.getMemoryBlock();
}

std::optional<CardMeasureRecord> CardMeasureRecord::fromBytes (const juce::MemoryBlock& bytes,
                                                               const juce::String& key)
{
    constexpr size_t checksumSize = sizeof (juce::int64);

    if (bytes.getSize() < checksumSize)
        return std::nullopt;

    const auto contentSize = bytes.getSize() - checksumSize;
    juce::MemoryInputStream in (bytes, false);
    in.setPosition ((juce::int64) contentSize);

    if ((juce::uint64) in.readInt64() != checksumOf (bytes.getData(), contentSize))
        return std::nullopt;

    in.setPosition (0);
    CardMeasureRecord record;

    if (in.readString() != magic || in.readInt() != version)
        return std::nullopt;

    // The key, with the zero that ends it, compared in place: it names hundreds of files.
    const auto keySize = key.getNumBytesAsUTF8() + 1;
    const auto keyAt = (size_t) in.getPosition();

    if (keyAt > contentSize || contentSize - keyAt < keySize ||
        std::memcmp (static_cast<const char*> (bytes.getData()) + keyAt, key.toRawUTF8(), keySize) != 0)
        return std::nullopt;

    in.setPosition ((juce::int64) (keyAt + keySize));

    record.adviceLineWidth = in.readFloat();
    record.adviceLinesThatFit = in.readInt();

    if (!readWidths (in, record.adviceWidths))
        return std::nullopt;

    record.nameAreaWidth = in.readFloat();

    if (!readWidths (in, record.nameWidths) || in.getPosition() != (juce::int64) contentSize)
        return std::nullopt;

    if (!isFinitePositive (record.adviceLineWidth) || record.adviceLinesThatFit <= 0 ||
        !isFinitePositive (record.nameAreaWidth))
        return std::nullopt;

    return record;
}

std::optional<CardMeasureRecord> CardMeasureRecord::read (const juce::File& file, const juce::String& key)
{
    juce::MemoryBlock bytes;

    if (!file.loadFileAsData (bytes))
        return std::nullopt;

    return fromBytes (bytes, key);
}

bool CardMeasureRecord::write (const juce::File& file, const juce::String& key) const
{
    if (!file.getParentDirectory().createDirectory())
        return false;

    const auto bytes = toBytes (key);
    // Removed by its destructor unless renamed over the record.
    const juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream stream (temporary.getFile());

        if (!stream.openedOk() || !stream.write (bytes.getData(), bytes.getSize()))
            return false;

        stream.flush();

        if (stream.getStatus().failed())
            return false;
    }

    return PlainRename::move (temporary.getFile(), file);
}

juce::String CardMeasureRecord::describeKey (const juce::File& program,
                                             const UserFolder::Environment& environment)
{
    const auto status = FileStatus::of (program);
    juce::String key;
    key << "program " << program.getFullPathName() << " " << status.size << " " << status.modificationTime
        << "\n"
        << InstalledFonts::describe (environment);
    return key;
}

juce::String CardMeasureRecord::describeCurrentKey()
{
    return describeKey (juce::File::getSpecialLocation (juce::File::currentExecutableFile),
                        UserFolder::getVariable);
}

juce::File CardMeasureRecord::findFile()
{
    const auto folder = UserFolder::findCacheFolder();
    return folder != juce::File() ? folder.getChildFile (fileName) : juce::File();
}
