#pragma once

#include "cli/AdviceSelection.h"

// Advice written out for other programs: plain text (one advice a line), Markdown (a section per set),
// a fortune file (advice separated by lines holding only "%"), or CSV with every field of the advice and
// of its set (text, tags, favorite, set, author, description, language, colour), which import reads back
// as the same set.
class AdviceExporter final
{
public:
    static juce::StringArray getFormatNames() { return { "text", "markdown", "fortune", "csv" }; }

    // The advice in the format named (one of getFormatNames()), ending with a line break.
    static juce::String write (const std::vector<AdviceSelection::Advice>& advice,
                               const juce::String& format);

    // Text with Markdown's emphasis and code characters escaped, so that it shows as written.
    static juce::String escapeMarkdown (const juce::String& text);

    // A CSV field, quoted when it holds a comma, a quote, a line break or spaces at its ends.
    static juce::String quoteCsv (const juce::String& field);

    // The names of the CSV export's columns, as its header row gives them.
    static juce::StringArray getCsvColumns();
};
