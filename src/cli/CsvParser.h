#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// Comma-separated values as RFC 4180 writes them: fields between double quotes may hold commas, line
// breaks and doubled double quotes. The toolkit's tokeniser knows quotes but neither doubled quotes
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
    static std::vector<Record> parse (const juce::String& text);
};
