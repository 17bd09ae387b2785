#pragma once

#include <juce_core/juce_core.h>

#include <limits>

// The settings kept from one run to the next in "Musewheeler.ini" beside the program: their text form,
// its reader (which works on text in memory, so that any damaged file can be tried on it) and its writer.
class ConfigFile final
{
public:
    static constexpr const char* fileName = "Musewheeler.ini";
    static constexpr const char* header = "Musewheeler V1 - Init Data File";

    // The longest advice timer period that still fits the toolkit's millisecond timers.
    static constexpr int maximumTimerSeconds = std::numeric_limits<int>::max() / 1000;

    struct Settings
    {
        int language = 1;
        int languageSet = -1;
        juce::String sets;
        int tag = -1;
        int lastItem = -1;
        bool lookForFavorites = false;
        int timerSeconds = 0;

        // Advice every so many bars of the host's tempo, 0 when off. Only a plugin instance keeps it, in
        // its state: the program has no tempo to follow, and its file has no line for it.
        int timerBars = 0;

        bool operator== (const Settings& other) const;
        bool operator!= (const Settings& other) const { return !(*this == other); }
    };

    ConfigFile() = delete;

    // "Musewheeler.ini" in the folder of the running program (beside the bundle on macOS), or in the user's
    // settings folder when the program is installed.
    static juce::File getDefaultLocation();

    // Each key is searched forward from the value of the key before it. A missing key takes its default
    // and leaves the search position where it was, so the keys after it are still found; values the
    // program cannot work with (an unknown language or tag, a negative or oversized timer) read as the
    // default too.
    static Settings parse (const juce::String& text);

    // The settings with each value the program cannot work with replaced by its default, as parse does.
    static Settings withUsableValues (Settings settings);

    // The bar counts the timer can follow.
    static bool isTimerBarCount (int bars) { return bars == 4 || bars == 8 || bars == 16; }

    // The file's bytes decoded as the program reads its text files (Utf16TextFile), then parsed.
    static Settings parseData (const void* data, size_t numBytes);

    // The file's text: the header and one "Key=value;" line per setting, each ended by CR LF.
    static juce::String format (const Settings& settings);

    // A missing or unreadable file reads as an empty text.
    static Settings read (const juce::File& file);

    // Through Utf16TextFile: UTF-16 little-endian with its byte-order mark, written beside the file and
    // moved over it only once complete; false when it could not be written, the old file left untouched.
    static bool write (const juce::File& file, const Settings& settings);
};
