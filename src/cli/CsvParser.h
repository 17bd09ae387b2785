#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// Comma-separated values as RFC 4180 writes them, or separated by another character (";" where the comma is
// the decimal mark, a tab in "Unicode text" exports): fields between double quotes may hold the separator,
// line breaks and doubled double quotes. The toolkit's tokeniser knows quotes but neither doubled quotes
// nor line breaks inside them, so spreadsheets' files are read here.
class CsvParser final
{
public:
    struct Record
    {
        int line = 0; // 1-based line the record starts on
        juce::StringArray fields;
        bool quoteClosed = true; // false when the text ended inside a quoted field
    };

    // Line breaks are CR LF, LF or CR; a last line break is optional.
    static std::vector<Record> parse (const juce::String& text, juce::juce_wchar delimiter = ',');

    // The separator that splits the first lines into the same number of fields, more than one: a comma, a
    // semicolon or a tab; a comma when none does.
    static juce::juce_wchar detectDelimiter (const juce::String& text);

    // The separator a spreadsheet names on a first line "sep=;", or 0 when the text has no such line.
    static juce::juce_wchar findSeparatorLine (const juce::String& text);
};
