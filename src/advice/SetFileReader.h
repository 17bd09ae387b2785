#pragma once

#include "advice/SetConseils.h"

#include <string_view>

class TextScanner;

// Reads set files, in the current format and in the legacy one, into a SetConseils; and tells which of the
// two a file holds.
class SetFileReader final
{
public:
    // What a file is to the readers: no set file (no regular file, too large, not named *.mwh), a set
    // file in the legacy format, or one in the current format.
    enum FileKind
    {
        notASetFile = 0,
        legacySetFile = 1,
        currentSetFile = 2
    };

    static FileKind getFileKind (const juce::File& file);

    // Set files are named *.mwh, in any letter case.
    static bool hasSetExtension (const juce::File& file);

    // Reads the set's file in the given format.
    static void readFile (SetConseils& set, bool legacy, SetConseils::LoadMode mode);

    // The same readers working on text already in memory (the file's text, or the legacy file's bytes).
    static void readSetText (SetConseils& set, const juce::String& text, SetConseils::LoadMode mode);
    // The same for a file's text decoded by Utf16TextFile::decode, which told whether it holds the whole
    // file.
    static void readSetText (SetConseils& set, const juce::String& text, bool wholeText,
                             SetConseils::LoadMode mode);
    static void readOldSetBytes (SetConseils& set, const juce::MemoryBlock& bytes,
                                 SetConseils::LoadMode mode);

    // Replaces the item's tags by the hashes of the legacy codes listed, each followed by ",".
    static void readOldTagList (const DataTags* tags, std::string_view codes, ConseilItem& item);

    // Translates a legacy file's bytes (one character per byte, 0-255) into text, through Mac OS Roman.
    static juce::String convertANSIToUnicode (const juce::String& raw);

private:
    explicit SetFileReader (SetConseils& setToRead)
        : set (setToRead)
    {
    }

    struct SetFormat;
    static const SetFormat& formatOf (bool legacy);

    void loadHeaderOnly (bool legacy);
    void loadWholeFile (bool legacy, SetConseils::LoadMode mode);
    void readSet (TextScanner& scanner, const SetFormat& format, SetConseils::LoadMode mode, bool wholeText);
    void readItems (TextScanner& scanner, const SetFormat& format, size_t position);

    static juce::String readOldText (const void* bytes, size_t size, bool& whole);
    // Each returns whether the header ended within the text, so that a longer text holds the same header.
    bool readHeader (TextScanner& scanner, size_t& position);
    bool readOldHeader (TextScanner& scanner, size_t& position);
    void readTagList (TextScanner& scanner, std::string_view list, ConseilItem& item);

    SetConseils& set;
};
