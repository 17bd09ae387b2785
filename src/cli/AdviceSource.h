#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// The advice a user already keeps elsewhere: a text file with one advice a line, a fortune file (advice
// separated by lines holding only "%"), or CSV (first column the text, optional second one a hash list).
class AdviceSource final
{
public:
    enum class Format
    {
        text,
        fortune,
        csv
    };

    struct Entry
    {
        int line = 0;         // 1-based line of the source where the advice starts
        juce::String text;    // tidied as the set editor tidies what is typed
        juce::String tags;    // the source's hash list; empty for the default tags
        juce::String problem; // set when the source itself is broken there
    };

    struct Contents
    {
        juce::String error; // the whole source cannot be read: why, in a few words
        Format format = Format::text;
        std::vector<Entry> entries;
    };

    // Sources are a few thousand advice at most; a larger file is taken for a mistake.
    static constexpr juce::int64 maximumSize = 4 * 1024 * 1024;

    static Contents read (const juce::File& source);

    // .csv by its extension; a file with a line holding only "%" is a fortune file; any other is text.
    static Format detectFormat (const juce::File& source, const juce::String& text);
    static std::vector<Entry> parse (const juce::String& text, Format format);

    // Line breaks and tabs become spaces, then the text is trimmed and its doubled spaces made single.
    static juce::String tidy (const juce::String& text);

    static juce::String getFormatName (Format format);
};
