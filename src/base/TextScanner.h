#pragma once

#include <juce_core/juce_core.h>

#include <string_view>
#include <vector>

// Finds keys and their ";"-terminated values in a set or configuration text.
// juce::String::indexOf (start, ...) and substring walk from the first character on every call, which
// makes a reader built on them quadratic in the file size. This scans the UTF-8 bytes instead, and
// remembers where each key was last found, so that searches whose start only moves forward stay linear
// even when a key is missing and would otherwise be looked for to the end of the text again and again.
class TextScanner final
{
public:
    static constexpr size_t npos = std::string_view::npos;

    explicit TextScanner (const juce::String& text);

    size_t size() const noexcept { return bytes.size(); }

    // Position of the first occurrence of key at or after from, or npos. The key's characters must
    // outlive the scanner (readers pass literals).
    size_t find (std::string_view key, size_t from);

    // The same for a key that starts a line: at the start of the text or after a line end (CR or LF),
    // with only spaces or tabs before it on its line. The writer puts every key at the start of a line;
    // spaces and tabs are allowed before one because hand-edited files get indented, and they cost
    // nothing: readers look for each key after the value before it, so a value never hides one.
    size_t findAtLineStart (std::string_view key, size_t from);

    // Position of the ";" that ends the value starting at valueStart, or size() when there is none.
    size_t endOfValue (size_t valueStart);

    // The text from valueStart up to, not including, the next ";" (or the end of the text).
    juce::String valueAt (size_t valueStart);

    // The bytes from start to end as a string view (clamped to the text).
    std::string_view view (size_t start, size_t end) const noexcept;

    // The leading decimal integer of text as juce::String::getIntValue reads it (white space, an optional
    // minus sign, digits; 0 if none, wrapping on overflow). The toolkit's version negates INT_MIN,
    // which is undefined behaviour on damaged input.
    static int leadingInteger (std::string_view text) noexcept;

    static juce::String toString (std::string_view utf8);

    // Whether text holds only white space.
    static bool isBlank (std::string_view text) noexcept;

    // Whether text is one whole decimal integer, white space around it allowed.
    static bool isWholeInteger (std::string_view text) noexcept;

    // Readers tell which parts of the text they took in (a key with its value): text between the taken
    // parts, other than white space, was passed over, and a rewrite of what was read would lose it.
    // Parts must be taken in order.
    void markTaken (size_t start, size_t end);
    void markPassedOver() noexcept { passedOver = true; }

    // Whether any text was passed over, counting what lies after the last part taken.
    bool hasPassedOverText() const;

private:
    // Readers look for a handful of keys, so a short list searched in order beats any map.
    struct CachedSearch
    {
        std::string_view key;
        bool atLineStart = false;
        bool searched = false;
        size_t from = 0;
        size_t found = npos;
    };

    CachedSearch& cachedSearchFor (std::string_view key, bool atLineStart);
    bool startsLine (size_t position) const noexcept;

    juce::String text;
    std::string_view bytes;
    std::vector<CachedSearch> searches;
    size_t takenUpTo = 0;
    bool passedOver = false;

    JUCE_DECLARE_NON_COPYABLE (TextScanner)
};
