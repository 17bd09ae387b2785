#include "cli/AdviceSource.h"

#include "base/Utf16TextFile.h"
#include "cli/CsvParser.h"

namespace
{
bool isFortuneSeparator (const juce::String& line)
{
    return line.trimEnd() == "%";
}

// Headers spreadsheets put above the texts.
bool isHeaderRecord (const CsvParser::Record& record)
{
    const auto first = record.fields[0].trim();

    for (const auto* name : { "text", "advice", "texte", "conseil" })
        if (first.equalsIgnoreCase (name))
            return true;

    return false;
}

bool holdsNulByte (const juce::MemoryBlock& bytes)
{
    const auto* data = static_cast<const char*> (bytes.getData());
    return std::find (data, data + bytes.getSize(), '\0') != data + bytes.getSize();
}

bool startsWithUtf16ByteOrderMark (const juce::MemoryBlock& bytes)
{
    return bytes.getSize() >= 2 && (((juce::uint8) bytes[0] == 0xff && (juce::uint8) bytes[1] == 0xfe) ||
                                    ((juce::uint8) bytes[0] == 0xfe && (juce::uint8) bytes[1] == 0xff));
}
} // namespace

AdviceSource::Contents AdviceSource::read (const juce::File& source)
{
    Contents contents;

    if (source.isDirectory())
    {
        contents.error = "a folder, not a file";
        return contents;
    }

    if (!source.existsAsFile())
    {
        contents.error = "no such file";
        return contents;
    }

    if (source.getSize() > maximumSize)
    {
        contents.error = "too large for a list of advice (" +
                         juce::File::descriptionOfSizeInBytes (source.getSize()) + "; the most is " +
                         juce::File::descriptionOfSizeInBytes (maximumSize) + ")";
        return contents;
    }

    juce::MemoryBlock bytes;

    if (!source.loadFileAsData (bytes))
    {
        contents.error = "cannot be read";
        return contents;
    }

    if (!startsWithUtf16ByteOrderMark (bytes) && holdsNulByte (bytes))
    {
        contents.error = "not a text file";
        return contents;
    }

    const auto text = Utf16TextFile::decode (bytes.getData(), bytes.getSize());
    contents.format = detectFormat (source, text);
    contents.entries = parse (text, contents.format);
    return contents;
}

AdviceSource::Format AdviceSource::detectFormat (const juce::File& source, const juce::String& text)
{
    if (source.hasFileExtension (".csv"))
        return Format::csv;

    for (const auto& line : juce::StringArray::fromLines (text))
        if (isFortuneSeparator (line))
            return Format::fortune;

    return Format::text;
}

std::vector<AdviceSource::Entry> AdviceSource::parse (const juce::String& text, Format format)
{
    std::vector<Entry> entries;

    if (format == Format::csv)
    {
        const auto records = CsvParser::parse (text);

        for (const auto& record : records)
        {
            if (record.fields.joinIntoString ("").trim().isEmpty() ||
                (&record == &records.front() && isHeaderRecord (record)))
                continue;

            // Tags written without quotes ("text,0,104,") spread over the columns after the text.
            auto tags = record.fields;
            tags.remove (0);
            Entry entry{ record.line, tidy (record.fields[0]), tags.joinIntoString (",").trim(), {} };

            if (!record.quoteClosed)
                entry.problem = "a quoted field is not closed before the end of the file";

            entries.push_back (entry);
        }

        return entries;
    }

    const auto lines = juce::StringArray::fromLines (text);

    if (format == Format::text)
    {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].trim().isNotEmpty())
                entries.push_back ({ i + 1, tidy (lines[i]), {}, {} });

        return entries;
    }

    Entry entry;

    const auto endEntry = [&]
    {
        entry.text = tidy (entry.text);

        if (entry.text.isNotEmpty())
            entries.push_back (entry);

        entry = Entry();
    };

    for (int i = 0; i < lines.size(); ++i)
    {
        if (isFortuneSeparator (lines[i]))
        {
            endEntry();
            continue;
        }

        if (entry.text.trim().isEmpty())
            entry.line = i + 1;

        entry.text << lines[i] << "\n";
    }

    endEntry();
    return entries;
}

juce::String AdviceSource::tidy (const juce::String& text)
{
    auto tidied = text.replaceCharacters ("\r\n\t", "   ").trim();

    while (tidied.contains ("  "))
        tidied = tidied.replace ("  ", " ");

    return tidied;
}

juce::String AdviceSource::getFormatName (Format format)
{
    switch (format)
    {
        case Format::csv:
            return "CSV";
        case Format::fortune:
            return "fortune";
        case Format::text:
            break;
    }

    return "text";
}
