#pragma once

#include "base/RegularFile.h"

#include <juce_core/juce_core.h>

// Reads and writes text files as the program stores them: UTF-16 little-endian with a byte-order mark
// and CR LF line ends, written to a temporary file beside the target and moved over it only once
// complete; read as UTF-16 of either byte order when a byte-order mark says so, otherwise as UTF-8.
// The toolkit's own UTF-16 writer and reader handle one 16-bit unit per character, which corrupts
// every character outside the Basic Multilingual Plane; these encode and decode surrogate pairs.
class Utf16TextFile final
{
public:
    // False when the file could not be written; the old file is then left as it was.
    static bool replaceWithText (const juce::File& target, const juce::String& text);

    // The same for bytes already encoded; on success, written holds the status of the new file.
    static bool replaceWithBytes (const juce::File& target, const void* data, size_t size,
                                  RegularFile::Status& written);

    // The whole file as text; a missing or unreadable file, or one that is not a regular file, reads as
    // empty text.
    static juce::String load (const juce::File& file);

    // The bytes replaceWithText writes for text, and the text load reads from bytes.
    static juce::MemoryBlock encode (const juce::String& text);
    static juce::String decode (const void* data, size_t size);

    // The same, telling whether the text holds all of the bytes: decoding stops at a zero character,
    // and a byte left after the last whole UTF-16 unit is passed over.
    static juce::String decode (const void* data, size_t size, bool& whole);
};
