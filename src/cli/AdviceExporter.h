#pragma once

#include "cli/AdviceSelection.h"

// Advice written out for other programs: plain text (one advice a line), Markdown (a section per set)
// or a fortune file (advice separated by lines holding only "%").
class AdviceExporter final
{
public:
    static juce::StringArray getFormatNames() { return { "text", "markdown", "fortune" }; }

    // The advice in the format named (one of getFormatNames()), ending with a line break.
    static juce::String write (const std::vector<AdviceSelection::Advice>& advice,
                               const juce::String& format);

    // Text with Markdown's emphasis and code characters escaped, so that it shows as written.
    static juce::String escapeMarkdown (const juce::String& text);
};
