#include "settings/ConfigFile.h"

#include "advice/DataTags.h"
#include "base/ProgramFolder.h"
#include "base/TextScanner.h"
#include "base/Utf16TextFile.h"

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

bool ConfigFile::Settings::operator== (const Settings& other) const
{
    return language == other.language && languageSet == other.languageSet && sets == other.sets &&
           tag == other.tag && lastItem == other.lastItem && lookForFavorites == other.lookForFavorites &&
           timerSeconds == other.timerSeconds && timerBars == other.timerBars;
}

juce::File ConfigFile::getDefaultLocation()
{
    const auto folder = ProgramFolder::getSettingsFolder();

    // No folder for the settings (an installed program without a home): none are read or written, rather
    // than a file at the root.
    return folder == juce::File() ? juce::File() : folder.getChildFile (fileName);
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

    return withUsableValues (settings);
}

ConfigFile::Settings ConfigFile::withUsableValues (Settings settings)
{
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

    // One timer at a time: the bars, when chosen, replace the seconds.
    if (!isTimerBarCount (settings.timerBars))
        settings.timerBars = 0;
    else
        settings.timerSeconds = 0;

    return settings;
}

ConfigFile::Settings ConfigFile::parseData (const void* data, size_t numBytes)
{
    return parse (Utf16TextFile::decode (data, numBytes));
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
    return parse (Utf16TextFile::load (file));
}

bool ConfigFile::write (const juce::File& file, const Settings& settings)
{
    return Utf16TextFile::replaceWithText (file, format (settings));
}
