#include "advice/QuickSetCheck.h"

#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetTextRules.h"

#include <array>
#include <cstring>
#include <string_view>
#include <vector>

namespace
{
// The file is read this many bytes at a time; the header must lie within its first window, and each advice
// record within a window from its start (a longer text is refused anyway).
constexpr size_t windowBytes = 1 << 17;
constexpr size_t longestHeaderUnits = windowBytes / 4;
constexpr size_t longestRecordUnits = 2048;

juce::String toString (const juce::uint8* text, size_t length)
{
    std::vector<juce::juce_wchar> characters (text, text + length);
    characters.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (characters.data()));
}
} // namespace

// UTF-16 little-endian units from a window of the file's bytes.
struct QuickSetCheck::Units
{
    const juce::uint8* position;
    const juce::uint8* end;

    bool isEmpty() const noexcept { return position == end; }

    juce::uint32 peek() const noexcept
    {
        return (juce::uint32) position[0] | ((juce::uint32) position[1] << 8);
    }

    juce::uint32 next() noexcept
    {
        const auto unit = peek();
        position += 2;
        return unit;
    }

    // Whether the units go on with this ASCII text; they are taken if so.
    bool take (std::string_view ascii) noexcept
    {
        if ((size_t) (end - position) < 2 * ascii.size())
            return false;

        for (size_t i = 0; i < ascii.size(); ++i)
            if (position[2 * i] != (juce::uint8) ascii[i] || position[2 * i + 1] != 0)
                return false;

        position += 2 * ascii.size();
        return true;
    }

    // A header value up to its ";", taken with it: none when a line or the window ends first, or when it
    // holds a zero or half of a surrogate pair, which the program's decoder treats apart.
    std::optional<juce::String> takeValue()
    {
        std::u16string value;

        while (!isEmpty())
        {
            const auto unit = next();

            if (unit == ';')
                return juce::String (juce::CharPointer_UTF16 (
                    reinterpret_cast<const juce::CharPointer_UTF16::CharType*> (value.c_str())));

            if (unit == 0 || unit == '\r' || unit == '\n' || (unit >= 0xd800 && unit <= 0xdfff))
                return std::nullopt;

            value.push_back ((char16_t) unit);
        }

        return std::nullopt;
    }

    // A number of one to maxDigits digits.
    std::optional<int> takeNumber (int maxDigits) noexcept
    {
        int value = 0, digits = 0;

        for (; digits < maxDigits && !isEmpty() && peek() >= '0' && peek() <= '9'; ++digits)
            value = value * 10 + (int) (next() - '0');

        return digits > 0 ? std::optional<int> (value) : std::nullopt;
    }
};

// The file's bytes, read a window at a time.
class QuickSetCheck::UnitWindow
{
public:
    explicit UnitWindow (const juce::File& file)
        : stream (file)
    {
    }

    bool openedOk() const { return stream.openedOk(); }

    // The units from the current position on: at least wanted of them, unless the file ends first.
    Units fill (size_t wanted)
    {
        if (end - start < 2 * wanted && !streamEnded)
        {
            std::memmove (bytes.data(), bytes.data() + start, end - start);
            end -= start;
            start = 0;

            while (end < bytes.size() && !streamEnded)
            {
                const auto numRead = stream.read (bytes.data() + end, (int) (bytes.size() - end));
                streamEnded = numRead <= 0;
                end += (size_t) juce::jmax (0, numRead);
            }
        }

        return { bytes.data() + start, bytes.data() + start + (end - start) / 2 * 2 };
    }

    void moveTo (const Units& units) { start = (size_t) (units.position - bytes.data()); }

    // Whether every byte of the file was taken, and it held nothing else.
    bool endedWhole() const { return streamEnded && start == end && stream.getStatus().wasOk(); }

private:
    juce::FileInputStream stream;
    std::array<juce::uint8, windowBytes> bytes;
    size_t start = 0, end = 0;
    bool streamEnded = false;
};

//==============================================================================
QuickSetCheck::QuickSetCheck (CardTextMeasure& measureToUse, SeenTexts& seenTextsToUse)
    : measure (measureToUse)
    , seenTexts (seenTextsToUse)
{
}

std::optional<int> QuickSetCheck::countCleanAdvice (const juce::File& file)
{
    const auto numSeenBefore = seenTexts.size();
    const auto numAdvice = countAdvice (file);

    // The full check that follows meets those texts again, and must not find them seen.
    if (!numAdvice)
        seenTexts.forgetAllBut (numSeenBefore);

    return numAdvice;
}

std::optional<int> QuickSetCheck::countAdvice (const juce::File& file)
{
    // The window is large: kept off the stack.
    auto window = std::make_unique<UnitWindow> (file);

    if (!window->openedOk() || !readHeader (*window))
        return std::nullopt;

    int numAdvice = 0;

    for (auto units = window->fill (longestRecordUnits); !units.isEmpty();
         units = window->fill (longestRecordUnits))
    {
        if (!readAdvice (units))
            return std::nullopt;

        window->moveTo (units);
        ++numAdvice;
    }

    if (!window->endedWhole())
        return std::nullopt;

    return numAdvice;
}

bool QuickSetCheck::readHeader (UnitWindow& window)
{
    auto units = window.fill (longestHeaderUnits);

    if (units.isEmpty() || units.next() != 0xfeff || !units.take (SetConseils::fileHeader) ||
        !units.take ("\r\n\r\nName="))
        return false;

    const auto name = units.takeValue();

    if (!name || !units.take ("\r\nDescription=") || !units.takeValue() || !units.take ("\r\nAuthor=") ||
        !units.takeValue() || !units.take ("\r\nLanguage="))
        return false;

    // Only the two languages the program knows are no problem.
    if (!units.take ("0;\r\nColour=") && !units.take ("1;\r\nColour="))
        return false;

    for (const auto* separator : { ",", ",", ";\r\n\r\n" })
        if (!units.takeNumber (3) || !units.take (separator))
            return false;

    window.moveTo (units);
    return name->isNotEmpty() && measure.fitsNameLine (*name);
}

bool QuickSetCheck::readAdvice (Units& units)
{
    if (!units.take ("Item="))
        return false;

    // The text ends at its first ";": the first byte 0x3B, found by the C library's fast search, must be a
    // whole unit. Before it, each character one the set editor allows (so no line end), narrowed to a byte;
    // no double space, and none at either end.
    std::array<juce::uint8, SetTextRules::maximumLength> text;
    const auto* start = units.position;
    const auto* semicolon = static_cast<const juce::uint8*> (
        std::memchr (start, ';', std::min ((size_t) (units.end - start), 2 * text.size() + 2)));

    if (semicolon == nullptr || (semicolon - start) % 2 != 0 || semicolon[1] != 0 || semicolon == start)
        return false;

    const auto length = (size_t) (semicolon - start) / 2;
    juce::uint8 highBytes = 0, previous = 0;
    bool allAllowed = true, doubleSpace = false;

    for (size_t i = 0; i < length; ++i)
    {
        const auto c = start[2 * i];
        highBytes |= start[2 * i + 1];
        allAllowed &= SetTextRules::isAllowed (c);
        doubleSpace |= (c == ' ') & (previous == ' ');
        text[i] = c;
        previous = c;
    }

    if (highBytes != 0 || !allAllowed || doubleSpace || text[0] == ' ' || text[length - 1] == ' ')
        return false;

    units.position = semicolon + 2;
    const auto prepared = seenTexts.prepareOneByteText (text.data(), length);

    if (!units.take ("\r\nFavorite=") || !(units.take ("true;\r\n") || units.take ("false;\r\n")) ||
        !units.take ("Tags="))
        return false;

    // Known tags, each followed by its ",", one of them an abstraction tag; then the blank line.
    bool abstraction = false;

    while (!units.take (";\r\n\r\n"))
    {
        const auto tag = units.takeNumber (9);

        if (!tag || !units.take (",") || !DataTags::isValidHash (*tag))
            return false;

        abstraction = abstraction || *tag <= 2; // 0 Abstract, 1 Musewheeler, 2 Creativity
    }

    if (!abstraction)
        return false;

    if (!measure.surelyFitsAdviceLabel (text.data(), length) &&
        !measure.fitsAdviceLabel (toString (text.data(), length)))
        return false;

    return seenTexts.insert (prepared);
}
