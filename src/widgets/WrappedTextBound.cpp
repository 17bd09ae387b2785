#include "widgets/WrappedTextBound.h"

namespace
{
// Longer texts are left to the real layout; the set editor takes 400 characters at most.
constexpr int longestBoundedText = 1024;

// The toolkit breaks lines only after these, and takes no other character for one.
bool breaksAfter (juce::juce_wchar c)
{
    return c == ' ';
}
} // namespace

WrappedTextBound::WrappedTextBound (const juce::Font& fontToUse, const juce::String& characters, float width)
    : font (fontToUse)
    , lineWidth ((double) width)
{
    // Other white space (tabs, no-break spaces) is laid out apart by the toolkit, so it is left unmeasured.
    for (auto p = characters.getCharPointer(); !p.isEmpty();)
        if (const auto c = p.getAndAdvance();
            c > 0 && c < 256 && (breaksAfter (c) || !juce::CharacterFunctions::isWhitespace (c)))
            measurable[(size_t) c] = true;
}

WrappedTextBound::WrappedTextBound (const Widths& measuredWidths, float width)
    : widths (measuredWidths)
    , lineWidth ((double) width)
{
}

void WrappedTextBound::measureAllCharacters()
{
    std::array<juce::uint8, 256> all;
    size_t length = 0;

    for (size_t c = 0; c < measurable.size(); ++c)
        if (measurable[c])
            all[length++] = (juce::uint8) c;

    if (length > 0)
        measureCharactersOf (all.data(), length);
}

// Characters are measured as texts bring them: the toolkit loads each glyph with its kerning against the
// whole font, and loading every character the editor allows cost a check of a small set more than the layouts
// the bound spares it.
void WrappedTextBound::measureCharactersOf (const juce::uint8* text, size_t length)
{
    const auto numMeasuredBefore = measured.size();

    for (size_t i = 0; i < length; ++i)
        if (const auto c = text[i]; measurable[c])
        {
            measured.add (c);
            measurable[c] = false;
        }

    const juce::Array<juce::juce_wchar> newOnes (measured.begin() + numMeasuredBefore,
                                                 measured.size() - numMeasuredBefore);

    // The advance of c depends on the character after it (kerning): "c d1 c d2 ... c" gives it followed by
    // each character d and, last, by none. A new character is measured before every measured one, an old
    // one before the new ones only. Sums over so short a text stay exact to far below the rounding
    // allowance.
    for (int i = 0; i < measured.size(); ++i)
    {
        const auto c = measured[i];
        const auto& followers = i >= numMeasuredBefore ? measured : newOnes;
        juce::String pairs;
        pairs.preallocateBytes ((size_t) followers.size() * 4 + 4);

        for (const auto next : followers)
            pairs << juce::String::charToString (c) << juce::String::charToString (next);

        pairs << juce::String::charToString (c);

        juce::Array<int> glyphs;
        juce::Array<float> offsets;
        font->getGlyphPositions (pairs, glyphs, offsets);

        for (int j = 0; j + 1 < offsets.size(); j += 2)
            widths[(size_t) c] = juce::jmax (widths[(size_t) c], offsets[j + 1] - offsets[j]);
    }
}

std::optional<int> WrappedTextBound::countLinesAtMost (const juce::String& text)
{
    std::array<juce::uint8, longestBoundedText> characters;
    size_t length = 0;

    // Straight from the UTF-8 bytes: every measured character is ASCII or a two-byte sequence below U+0100.
    const auto* bytes = reinterpret_cast<const juce::uint8*> (text.toRawUTF8());

    for (size_t i = 0; bytes[i] != 0; ++length)
    {
        auto c = (juce::uint32) bytes[i++];

        if (c >= 0x80)
        {
            if ((c != 0xc2 && c != 0xc3) || (bytes[i] & 0xc0) != 0x80)
                return std::nullopt;

            c = ((c & 0x1f) << 6) | (bytes[i++] & 0x3f);
        }

        if (length == longestBoundedText)
            return std::nullopt;

        characters[length] = (juce::uint8) c;
    }

    return countLinesAtMost (characters.data(), length);
}

std::optional<int> WrappedTextBound::countLinesAtMost (const juce::uint8* text, size_t length)
{
    if (length > (size_t) longestBoundedText)
        return std::nullopt;

    // The toolkit's wrap, played through with the widest advances: a line goes on until a character other
    // than a space reaches its end, then breaks after the last space before it, or before that character
    // when the line has no space; the line's first character never breaks it. Every character is met at
    // least once, so one not measured yet is found on the way.
    const auto limit = lineWidth - roundingAllowance;
    int lines = 0;
    bool anythingButSpaces = false;

    for (size_t start = 0; start < length;)
    {
        ++lines;
        double right = 0.0;
        size_t lastBreak = 0;
        auto i = start;

        for (; i < length; ++i)
        {
            const auto c = text[i];
            const auto width = widths[c];

            if (width <= 0.0f)
            {
                if (!measurable[c])
                    return std::nullopt;

                // Measured once, then the text is read again.
                measureCharactersOf (text, length);
                return countLinesAtMost (text, length);
            }

            right += width;

            if (breaksAfter (c))
            {
                if (i > start)
                    lastBreak = i + 1;
            }
            else
            {
                anythingButSpaces = true;

                if (right >= limit && i > start)
                {
                    if (lastBreak > start)
                        i = lastBreak;

                    break;
                }
            }
        }

        start = i;
    }

    if (!anythingButSpaces)
        return std::nullopt;

    return lines;
}

// Every line but the last is filled up to the limit but for what went down to the next line: the part of a
// word after the line's last space, or a single character when the line has none; each no wider than the
// widest word. The lines share out the whole text, so (lines - 1) * (limit - widest word) <= total width.
// Whole numbers of 1/256 pixel rounded up keep it a bound, and cost a cycle a character where the chain of
// floating-point sums cost four.
bool WrappedTextBound::surelyFitsIn (const juce::uint8* text, size_t length, int maxLines)
{
    if (numMeasuredInCoarseWidths != measured.size())
        updateCoarseWidths();

    juce::uint64 total = 0;
    juce::uint32 word = 0, widestWord = 0;

    for (size_t i = 0; i < length; ++i)
    {
        const auto& coarse = coarseWidths[text[i]];
        total += coarse.width;
        word = (word + coarse.width) & coarse.wordMask;
        widestWord = std::max (widestWord, word);
    }

    const auto limit = (juce::int64) std::floor ((lineWidth - roundingAllowance) * coarseUnitsPerPixel);
    const auto room = limit - (juce::int64) widestWord;

    if (length <= (size_t) longestBoundedText && widestWord > 0 && room > 0 &&
        (juce::int64) total <= (juce::int64) (maxLines - 1) * room)
        return true;

    const auto lines = countLinesAtMost (text, length);
    return lines && *lines <= maxLines;
}

void WrappedTextBound::updateCoarseWidths()
{
    for (size_t c = 0; c < coarseWidths.size(); ++c)
    {
        const auto width = widths[c] > 0.0f
                               ? (juce::uint32) std::ceil ((double) widths[c] * coarseUnitsPerPixel)
                               : unmeasuredCoarseWidth;
        coarseWidths[c] = { width, breaksAfter ((juce::juce_wchar) c) ? 0u : ~0u };
    }

    numMeasuredInCoarseWidths = measured.size();
}
