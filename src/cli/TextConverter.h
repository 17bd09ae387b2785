#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <string>

// The system's converter from an encoding other than UTF-8 into UTF-8 (the C library's iconv on POSIX
// systems, the code pages on Windows), closed with its scope.
class TextConverter final
{
public:
    // The encoding's name as the system knows it ("ISO-8859-3", "latin1", "cp1252").
    explicit TextConverter (const juce::String& encodingName);
    ~TextConverter();

    // False when the system knows no such encoding.
    bool isOpen() const;

    // Decodes bytes into UTF-8, appended to out; a byte that starts no character of the encoding becomes
    // U+FFFD and is passed over, so that the rest still reads. False when that happened.
    bool convert (const char* bytes, size_t size, std::string& out) const;

    // Where the user finds the names the system knows, for a message about an unknown one.
    static juce::String whereNamesAreListed();

    // The name of the encoding the user's locale gives the command's arguments; empty when it names none.
    static juce::String getLocaleEncoding();

private:
    struct Native;
    std::unique_ptr<Native> native;

    JUCE_DECLARE_NON_COPYABLE (TextConverter)
};
