#include "cli/CsvParser.h"

#include <map>

std::vector<CsvParser::Record> CsvParser::parse (const juce::String& text, juce::juce_wchar delimiter)
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

        if (c == delimiter)
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

juce::juce_wchar CsvParser::detectDelimiter (const juce::String& text)
{
    // The first lines are enough to tell, and spare a second reading of a long file.
    const auto sample = text.substring (0, 64 * 1024).upToLastOccurrenceOf ("\n", false, false);
    juce::juce_wchar best = ',';
    double bestShare = 0.0;

    for (const juce::juce_wchar candidate : { ',', ';', '\t' })
    {
        std::map<int, int> counts;
        int numRecords = 0;

        for (const auto& record : parse (sample.isEmpty() ? text : sample, candidate))
        {
            if (record.fields.joinIntoString ("").trim().isEmpty())
                continue;

            ++counts[record.fields.size()];
            ++numRecords;
        }

        const auto mostCommon = std::max_element (
            counts.begin(), counts.end(), [] (const auto& a, const auto& b) { return a.second < b.second; });

        if (mostCommon == counts.end() || mostCommon->first < 2)
            continue;

        const auto share = (double) mostCommon->second / numRecords;

        if (share > bestShare)
        {
            best = candidate;
            bestShare = share;
        }
    }

    return best;
}

juce::juce_wchar CsvParser::findSeparatorLine (const juce::String& text)
{
    const auto firstLine = text.upToFirstOccurrenceOf ("\n", false, false).trim().unquoted();

    if (firstLine.length() == 5 && firstLine.startsWithIgnoreCase ("sep="))
        return firstLine[4];

    return 0;
}
