#pragma once

#include <juce_core/juce_core.h>

// One text of the interface in its two languages, written as plain UTF-8 literals so the French reads
// naturally in the source. Interface languages are numbered as in "Musewheeler.ini": 0 French, any other
// value English.
//
// The toolkit's LocalisedStrings and TRANS are left to the toolkit's own texts (dialogs/ToolkitTexts):
// their translation table is process-wide, so panels held in both languages at once (as the tests do)
// could not each keep their own.
struct Bilingual
{
    static constexpr int french = 0;
    static constexpr int english = 1;

    const char* englishText;
    const char* frenchText;

    juce::String in (int language) const
    {
        return juce::String (juce::CharPointer_UTF8 (language == french ? frenchText : englishText));
    }
};
