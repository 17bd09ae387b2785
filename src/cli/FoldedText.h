#pragma once

#include <juce_core/juce_core.h>

// Text put in a form where comparisons ignore letter case and accents: "Synthèse" and "SYNTHESE" fold alike.
// The toolkit changes letter case but has no Unicode decomposition, so the accented Latin letters the
// program's two languages use are mapped to their base letters here.
class FoldedText final
{
public:
    static juce::String fold (const juce::String& text);

    // Whether text holds every word of words (separated by white space), ignoring case and accents.
    static bool containsEveryWord (const juce::String& text, const juce::String& words);
};
