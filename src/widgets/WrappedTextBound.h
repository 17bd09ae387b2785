#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <optional>

// A quick upper bound on the number of lines a text takes when the toolkit wraps it at word boundaries
// (juce::GlyphArrangement::addJustifiedText, as CustomLookAndFeel lays out the advice label), without
// laying it out. Each measured character is given the widest advance it has in the font, followed by any
// measured character or by none, kerning included; the wrap is then played through with those widths. As
// wider characters never let a line take more of the text, the lines counted are never fewer than the
// toolkit's, so "the bound fits" means "the text fits", and only texts near the limit need the real layout.
// Characters are measured as the texts bring them, every one again when a new one comes.
class WrappedTextBound final
{
public:
    // The widest advance of each character below U+0100, 0 for those not measured.
    using Widths = std::array<float, 256>;

    // For texts of characters (those below U+0100, spaces allowed) in font, wrapped in lines of lineWidth.
    WrappedTextBound (const juce::Font& font, const juce::String& characters, float lineWidth);

    // From widths measured before, which stand for the font: no font is touched, and a text holding a
    // character without a width is left to the real layout.
    WrappedTextBound (const Widths& widths, float lineWidth);

    // Measures every character not measured yet, each followed by any of them, so that the widths hold for
    // every text of them.
    void measureAllCharacters();

    const Widths& getWidths() const { return widths; }

    // At least as many lines as the toolkit's wrap gives the text; nothing for a text holding a character
    // that was not measured, or no character but spaces, which only the real layout can tell.
    std::optional<int> countLinesAtMost (const juce::String& text);

    // The same for a text whose characters all lie below U+0100, given one byte each.
    std::optional<int> countLinesAtMost (const juce::uint8* text, size_t length);

    // Whether such a text surely takes no more than maxLines lines: told by a coarser bound when it can
    // (one pass, no going back), else by countLinesAtMost.
    bool surelyFitsIn (const juce::uint8* text, size_t length, int maxLines);

private:
    // Measures the characters of text not measured yet, and the others followed by them.
    void measureCharactersOf (const juce::uint8* text, size_t length);

    // Float sums over a long text drift by far less than this many pixels; a break is assumed that much
    // early.
    static constexpr double roundingAllowance = 0.25;

    // The coarse bound's widths: each advance in 1/256 pixel, rounded up, with the character's kind.
    struct CoarseWidth
    {
        juce::uint32 width;
        juce::uint32 wordMask; // 0 for a space, which ends a word, else all ones
    };

    void updateCoarseWidths();

    static constexpr double coarseUnitsPerPixel = 256.0;
    // Given to characters not measured: a text holding one cannot pass the coarse bound.
    static constexpr juce::uint32 unmeasuredCoarseWidth = 1u << 20;

    const std::optional<juce::Font> font;
    std::array<bool, 256> measurable{}; // characters that may be measured and are not yet
    Widths widths{};
    juce::Array<juce::juce_wchar> measured;
    std::array<CoarseWidth, 256> coarseWidths{};
    int numMeasuredInCoarseWidths = -1;
    double lineWidth;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WrappedTextBound)
};
