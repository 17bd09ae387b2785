#include "cli/CsvParser.h"

std::vector<CsvParser::Record> CsvParser::parse (const juce::String& text)
{
    std::vector<Record> records;
    Record record;
    juce::String field;
    bool inQuotes = false;
    bool fieldStarted = false; // anything read for the current record
    int line = 1;
    record.line = line;

    const auto endField = [&]
    {
        record.fields.add (field);
        field.clear();
    };

    const auto endRecord = [&]
    {
        endField();
        records.push_back (std::move (record));
        record = Record();
        fieldStarted = false;
    };

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();
        const bool lineBreak = c == '\r' || c == '\n';

        if (lineBreak && c == '\r' && *p == '\n')
            ++p;

        if (inQuotes)
        {
            if (c == '"' && *p == '"')
            {
                field << '"';
                ++p;
            }
            else if (c == '"')
            {
                inQuotes = false;
            }
            else
            {
                field << (lineBreak ? juce::String ("\n") : juce::String::charToString (c));
            }

            if (lineBreak)
                ++line;

            continue;
        }

        if (lineBreak)
        {
            endRecord();
            record.line = ++line;
            continue;
        }

        if (c == ',')
            endField();
        else if (c == '"' && field.isEmpty())
            inQuotes = true;
        else
            field << juce::String::charToString (c);

        fieldStarted = true;
    }

    record.quoteClosed = !inQuotes;

    if (fieldStarted || inQuotes)
        endRecord();

    return records;
}
