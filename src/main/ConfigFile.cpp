#include "main/ConfigFile.h"

#include "advice/DataTags.h"
#include "advice/TextScanner.h"

#include <vector>

namespace
{
constexpr size_t npos = TextScanner::npos;

// Looks for key from position; on success returns true, moves position to the value's start and gives the
// value, which runs up to the next ";" and is empty when no ";" follows.
bool findValue (TextScanner& scanner, std::string_view key, size_t& position, std::string_view& value)
{
    const auto keyPosition = scanner.find (key, position);

    if (keyPosition == npos)
        return false;

    const auto start = keyPosition + key.size();
    const auto end = scanner.find (";", start);
    value = end == npos ? std::string_view() : scanner.view (start, end);
    position = start;
    return true;
}

void readInteger (TextScanner& scanner, std::string_view key, size_t& position, int& target)
{
    std::string_view value;

    if (findValue (scanner, key, position, value))
        target = TextScanner::leadingInteger (value);
}

void writeLine (juce::MemoryOutputStream& text, const char* key, const juce::String& value)
{
    text << key << value << ";\r\n";
}
} // namespace

juce::File ConfigFile::getDefaultLocation()
{
    return juce::File::getSpecialLocation (juce::File::currentApplicationFile).getSiblingFile (fileName);
}

ConfigFile::Settings ConfigFile::parse (const juce::String& text)
{
    TextScanner scanner (text);
    Settings settings;
    size_t position = 0;
    std::string_view value;

    readInteger (scanner, "Language=", position, settings.language);
    readInteger (scanner, "LanguageSet=", position, settings.languageSet);

    if (findValue (scanner, "Sets=", position, value))
        settings.sets = TextScanner::toString (value);

    readInteger (scanner, "Tags=", position, settings.tag);
    readInteger (scanner, "LastItem=", position, settings.lastItem);

    if (findValue (scanner, "LookForFavorites=", position, value))
        settings.lookForFavorites = value == "true";

    readInteger (scanner, "Timer=", position, settings.timerSeconds);

    // The interface knows French (0) and English; set-language filters are -1, 0 or 1.
    if (settings.language != 0)
        settings.language = 1;

    if (settings.languageSet < -1 || settings.languageSet > 1)
        settings.languageSet = -1;

    if (settings.tag != -1 && !DataTags::isValidHash (settings.tag))
        settings.tag = -1;

    // A negative period would make the toolkit tick every millisecond, an oversized one overflows.
    if (settings.timerSeconds < 0 || settings.timerSeconds > maximumTimerSeconds)
        settings.timerSeconds = 0;

    return settings;
}

ConfigFile::Settings ConfigFile::parseData (const void* data, size_t numBytes)
{
    return parse (decodeText (data, numBytes));
}

juce::String ConfigFile::decodeText (const void* data, size_t numBytes)
{
    const auto* bytes = static_cast<const juce::uint8*> (data);

    if (bytes == nullptr || numBytes == 0)
        return {};

    const bool littleEndian = numBytes >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
    const bool bigEndian = numBytes >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff;

    if (!littleEndian && !bigEndian)
        return juce::String::createStringFromData (
            data, (int) juce::jmin (numBytes, (size_t) std::numeric_limits<int>::max()));

    const auto numUnits = numBytes / 2 - 1;
    const auto unitAt = [&] (size_t index) -> juce::uint32
    {
        const auto* unit = bytes + 2 + 2 * index;
        return littleEndian ? (juce::uint32) (unit[0] | (unit[1] << 8))
                            : (juce::uint32) ((unit[0] << 8) | unit[1]);
    };
    const auto isHighSurrogate = [] (juce::uint32 unit) { return unit >= 0xd800 && unit <= 0xdbff; };
    const auto isLowSurrogate = [] (juce::uint32 unit) { return unit >= 0xdc00 && unit <= 0xdfff; };

    std::vector<juce::juce_wchar> characters;
    characters.reserve (numUnits + 1);

    for (size_t i = 0; i < numUnits; ++i)
    {
        auto unit = unitAt (i);

        // As with the toolkit's loader, the text ends at a zero character.
        if (unit == 0)
            break;

        if (isHighSurrogate (unit) && i + 1 < numUnits && isLowSurrogate (unitAt (i + 1)))
        {
            unit = 0x10000 + ((unit - 0xd800) << 10) + (unitAt (i + 1) - 0xdc00);
            ++i;
        }
        else if (isHighSurrogate (unit) || isLowSurrogate (unit))
        {
            unit = 0xfffd;
        }

        characters.push_back ((juce::juce_wchar) unit);
    }

    characters.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (characters.data()));
}

juce::String ConfigFile::format (const Settings& settings)
{
    juce::MemoryOutputStream text;
    text << header << "\r\n";
    writeLine (text, "Language=", juce::String (settings.language));
    writeLine (text, "LanguageSet=", juce::String (settings.languageSet));
    writeLine (text, "Sets=", settings.sets);
    writeLine (text, "Tags=", juce::String (settings.tag));
    writeLine (text, "LastItem=", juce::String (settings.lastItem));
    writeLine (text, "LookForFavorites=", settings.lookForFavorites ? "true" : "false");
    writeLine (text, "Timer=", juce::String (settings.timerSeconds));
    return text.toString();
}

ConfigFile::Settings ConfigFile::read (const juce::File& file)
{
    juce::MemoryBlock bytes;

    if (!file.loadFileAsData (bytes))
        return parse ({});

    return parseData (bytes.getData(), bytes.getSize());
}

juce::MemoryBlock ConfigFile::encodeUtf16LittleEndian (const juce::String& text)
{
    juce::MemoryOutputStream bytes;
    bytes.writeByte ((char) 0xff);
    bytes.writeByte ((char) 0xfe);

    for (auto unit = text.toUTF16(); !unit.isEmpty();)
    {
        // Advancing a UTF-16 pointer steps over a whole surrogate pair: its units are copied one by one.
        const auto* start = unit.getAddress();
        unit.getAndAdvance();

        for (const auto* u = start; u < unit.getAddress(); ++u)
            bytes.writeShort ((short) *u);
    }

    return bytes.getMemoryBlock();
}

bool ConfigFile::write (const juce::File& file, const Settings& settings)
{
    if (!file.getParentDirectory().isDirectory())
        return false;

    const auto bytes = encodeUtf16LittleEndian (format (settings));
    juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

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
