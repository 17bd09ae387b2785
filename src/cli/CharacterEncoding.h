#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Bytes in an encoding other than UTF-8 made into text: the lines of a source file a user brings, and the
// arguments of the command in the locale's encoding. The toolkit reads UTF-8 and UTF-16 only; other
// encodings go through the system's own converter (TextConverter).
class CharacterEncoding final
{
public:
    // The encoding's name as the system knows it ("ISO-8859-3", "latin1", "cp1252"); nothing when it knows
    // none.
    static std::optional<CharacterEncoding> find (const juce::String& name);

    // The locale's encoding for the command's arguments; nothing when it is UTF-8 or plain ASCII.
    static std::optional<CharacterEncoding> forLocale();

    const juce::String& getName() const { return name; }

    // The text of the bytes; false when some bytes are no character of the encoding (each then becomes
    // U+FFFD, so that the rest still reads).
    bool decode (const char* bytes, size_t size, juce::String& text) const;

    static bool isValidUtf8 (const char* bytes, size_t size);

    // Windows-1252, the encoding of older Windows and Mac text exports: Latin-1 with letters and marks in
    // place of the control characters 0x80 to 0x9f. Every byte is a character, so it never fails; the
    // converters refuse the five bytes the code page leaves unassigned, which are kept here as the C1
    // controls.
    static juce::String decodeWindows1252 (const char* bytes, size_t size);

    // An argument as the terminal typed it: UTF-8 when it is valid UTF-8, else in the locale's encoding,
    // else Windows-1252.
    static juce::String decodeArgument (const char* argument);

private:
    explicit CharacterEncoding (const juce::String& iconvName);

    juce::String name;
};
