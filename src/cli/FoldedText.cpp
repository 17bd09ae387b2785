#include "cli/FoldedText.h"

#include <vector>

namespace
{
// Each accented letter, lower-case, with the base letters it folds to.
struct Folding
{
    juce::juce_wchar letter;
    const char* base;
};

constexpr Folding foldings[] = {
    { 0xe0, "a" },  { 0xe1, "a" }, { 0xe2, "a" }, { 0xe3, "a" }, { 0xe4, "a" }, { 0xe5, "a" },
    { 0xe6, "ae" }, { 0xe7, "c" }, { 0xe8, "e" }, { 0xe9, "e" }, { 0xea, "e" }, { 0xeb, "e" },
    { 0xec, "i" },  { 0xed, "i" }, { 0xee, "i" }, { 0xef, "i" }, { 0xf1, "n" }, { 0xf2, "o" },
    { 0xf3, "o" },  { 0xf4, "o" }, { 0xf5, "o" }, { 0xf6, "o" }, { 0xf8, "o" }, { 0xf9, "u" },
    { 0xfa, "u" },  { 0xfb, "u" }, { 0xfc, "u" }, { 0xfd, "y" }, { 0xff, "y" }, { 0x153, "oe" },
};
} // namespace

juce::String FoldedText::fold (const juce::String& text)
{
    // Characters are gathered first and made into one string at the end: appending them to a
    // juce::String one by one allocates a string for each.
    std::vector<juce::juce_wchar> folded;
    const auto lowerCase = text.toLowerCase();
    folded.reserve ((size_t) lowerCase.length() + 8);

    for (auto p = lowerCase.getCharPointer(); !p.isEmpty();)
    {
        auto c = p.getAndAdvance();

        // The toolkit lowers letters through the C library, which leaves accented capitals as they are
        // unless a locale is set: À to Þ (but the sign ×) and Œ are lowered here.
        if ((c >= 0xc0 && c <= 0xde && c != 0xd7) || c == 0x152)
            c += c == 0x152 ? 1 : 0x20;

        const auto* found = c < 0xe0
                                ? std::end (foldings)
                                : std::find_if (std::begin (foldings), std::end (foldings),
                                                [c] (const Folding& folding) { return folding.letter == c; });

        if (found == std::end (foldings))
            folded.push_back (c);
        else
            for (const auto* base = found->base; *base != 0; ++base)
                folded.push_back ((juce::juce_wchar) *base);
    }

    folded.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (folded.data()));
}

bool FoldedText::containsEveryWord (const juce::String& text, const juce::String& words)
{
    const auto foldedText = fold (text);

    for (const auto& word : juce::StringArray::fromTokens (fold (words), true))
        if (!foldedText.contains (word))
            return false;

    return true;
}
