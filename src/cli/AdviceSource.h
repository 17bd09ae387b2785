#pragma once

#include "cli/CharacterEncoding.h"

#include <juce_core/juce_core.h>

#include <map>
#include <optional>
#include <vector>

// The advice a user already keeps elsewhere: a text file with one advice a line, a fortune file (advice
// separated by lines holding only "%"), or a table as spreadsheets export it (CSV separated by commas or
// semicolons, tab-separated text; see CsvLayout for its columns).
class AdviceSource final
{
public:
    enum class Format
    {
        text,
        fortune,
        csv,
        tsv
    };

    struct Entry
    {
        int line = 0;         // 1-based line of the source where the advice starts
        juce::String text;    // tidied as the set editor tidies what is typed
        juce::String tags;    // the source's hash list; empty for the default tags
        juce::String problem; // set when the source itself is broken there
        bool favorite = false;
    };

    // What the user forces instead of what is detected.
    struct Options
    {
        std::optional<Format> format;
        juce::juce_wchar delimiter = 0; // 0: detected
        std::optional<CharacterEncoding> encoding;
    };

    // The text of a source, decoded line by line: UTF-16 with a byte-order mark as a whole, otherwise each
    // line as UTF-8 when it is valid UTF-8 and as Windows-1252 when not (or every line in the encoding
    // forced), so one line saved by an older program leaves the others as they are.
    struct Decoded
    {
        juce::String text;
        juce::String encoding;     // the encoding the lines were read in, "UTF-8" with lines told apart
        juce::Array<int> badLines; // lines holding bytes that are no character of the forced encoding
    };

    struct Contents
    {
        juce::String error; // the whole source cannot be read: why, in a few words
        Format format = Format::text;
        juce::juce_wchar delimiter = 0;
        juce::String encoding;
        juce::StringArray notes; // what was read but passed over (table columns)
        std::vector<Entry> entries;
        // The set's own fields a table gives in its first advice's row ("set", "author", "description",
        // "language", "colour"), as the CSV export writes them.
        std::map<juce::String, juce::String> setFields;
    };

    // Sources are a few thousand advice at most; a larger file is taken for a mistake.
    static constexpr juce::int64 maximumSize = 4 * 1024 * 1024;

    static Contents read (const juce::File& source);
    static Contents read (const juce::File& source, const Options& options);

    static Decoded decode (const juce::MemoryBlock& bytes, const std::optional<CharacterEncoding>& encoding);

    // .csv and .tsv by their extension; a "sep=" first line makes a CSV file, a line holding only "%" a
    // fortune file, lines holding tabs between words a tab-separated one; any other is text.
    static Format detectFormat (const juce::File& source, const juce::String& text);
    static std::vector<Entry> parse (const juce::String& text, Format format, juce::juce_wchar delimiter = 0);
    static std::vector<Entry> parse (const juce::String& text, Format format, juce::juce_wchar delimiter,
                                     juce::StringArray& notes);
    // Reads text into contents.entries, notes and setFields, in contents.format and contents.delimiter.
    static void parseInto (const juce::String& text, Contents& contents);

    // Line breaks and tabs become spaces, then the text is trimmed and its doubled spaces made single.
    static juce::String tidy (const juce::String& text);

    static juce::String getFormatName (Format format);
    static std::optional<Format> findFormat (const juce::String& name);
    // "," ";" "tab" and other single characters as --delimiter takes them; 0 for anything else.
    static juce::juce_wchar parseDelimiter (const juce::String& word);
    static juce::String describeDelimiter (juce::juce_wchar delimiter);
};
