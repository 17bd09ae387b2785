#include "cli/AdviceSource.h"

#include "base/Utf16TextFile.h"
#include "cli/CsvLayout.h"
#include "cli/CsvParser.h"

namespace
{
bool isFortuneSeparator (const juce::String& line)
{
    return line.trimEnd() == "%";
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

// "3, 7 and 12", the first few of a long list.
juce::String describeLines (const juce::Array<int>& lines)
{
    constexpr int shown = 8;
    juce::StringArray numbers;

    for (int i = 0; i < juce::jmin (shown, lines.size()); ++i)
        numbers.add (juce::String (lines[i]));

    auto description = (lines.size() == 1 ? "line " : "lines ") + numbers.joinIntoString (", ");

    if (lines.size() > shown)
        description << " and " << (lines.size() - shown) << " more";

    return description;
}

// Lines with a tab between two words: a table, as "Unicode text" exports write one.
bool looksTabSeparated (const juce::StringArray& lines)
{
    int numSampled = 0;

    for (const auto& line : lines)
    {
        if (line.trim().isEmpty())
            continue;

        if (!line.trim().containsChar ('\t'))
            return false;

        if (++numSampled == 20)
            break;
    }

    return numSampled >= 2;
}
} // namespace

AdviceSource::Contents AdviceSource::read (const juce::File& source)
{
    return read (source, Options());
}

AdviceSource::Contents AdviceSource::read (const juce::File& source, const Options& options)
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

    auto decoded = decode (bytes, options.encoding);
    contents.encoding = decoded.encoding;
    auto& text = decoded.text;

    // A spreadsheet's "sep=;" line names the separator and is no record: it is blanked, keeping the lines.
    const auto separator = CsvParser::findSeparatorLine (text);

    if (separator != 0)
        text = "\n" + text.fromFirstOccurrenceOf ("\n", false, false);

    contents.format = options.format   ? *options.format
                      : separator != 0 ? Format::csv
                                       : detectFormat (source, text);

    if (contents.format == Format::csv || contents.format == Format::tsv)
        contents.delimiter = options.delimiter != 0           ? options.delimiter
                             : separator != 0                 ? separator
                             : contents.format == Format::tsv ? (juce::juce_wchar) '\t'
                                                              : CsvParser::detectDelimiter (text);

    parseInto (text, contents);

    for (auto& entry : contents.entries)
        if (decoded.badLines.contains (entry.line) && entry.problem.isEmpty())
            entry.problem = "holds bytes that are no character in " + decoded.encoding;

    return contents;
}

AdviceSource::Decoded AdviceSource::decode (const juce::MemoryBlock& bytes,
                                            const std::optional<CharacterEncoding>& encoding)
{
    Decoded decoded;

    if (startsWithUtf16ByteOrderMark (bytes) && !encoding)
    {
        decoded.text = Utf16TextFile::decode (bytes.getData(), bytes.getSize());
        decoded.encoding = "UTF-16";
        return decoded;
    }

    const auto* data = static_cast<const char*> (bytes.getData());
    const auto* end = data + bytes.getSize();

    if (bytes.getSize() >= 3 && juce::CharPointer_UTF8::isByteOrderMark (data))
        data += 3;

    juce::MemoryOutputStream utf8;
    juce::Array<int> otherLines;
    int line = 1;

    for (const auto* start = data; start < end; ++line)
    {
        const auto* lineEnd = std::find (start, end, '\n');
        const auto size = (size_t) (lineEnd - start);

        if (encoding)
        {
            juce::String text;

            if (!encoding->decode (start, size, text))
                decoded.badLines.add (line);

            utf8 << text;
        }
        else if (CharacterEncoding::isValidUtf8 (start, size))
        {
            utf8.write (start, size);
        }
        else
        {
            utf8 << CharacterEncoding::decodeWindows1252 (start, size);
            otherLines.add (line);
        }

        if (lineEnd < end)
            utf8 << "\n";

        start = lineEnd + 1;
    }

    decoded.text = utf8.toUTF8();
    const auto numLines = line - 1;

    if (encoding)
        decoded.encoding = encoding->getName();
    else if (otherLines.isEmpty())
        decoded.encoding = "UTF-8";
    else if (otherLines.size() == numLines)
        decoded.encoding = "Windows-1252";
    else
        decoded.encoding = "UTF-8, " + describeLines (otherLines) + " as Windows-1252";

    return decoded;
}

AdviceSource::Format AdviceSource::detectFormat (const juce::File& source, const juce::String& text)
{
    if (source.hasFileExtension (".csv"))
        return Format::csv;

    if (source.hasFileExtension (".tsv;.tab"))
        return Format::tsv;

    if (CsvParser::findSeparatorLine (text) != 0)
        return Format::csv;

    const auto lines = juce::StringArray::fromLines (text);

    for (const auto& line : lines)
        if (isFortuneSeparator (line))
            return Format::fortune;

    return looksTabSeparated (lines) ? Format::tsv : Format::text;
}

std::vector<AdviceSource::Entry> AdviceSource::parse (const juce::String& text, Format format,
                                                      juce::juce_wchar delimiter)
{
    juce::StringArray notes;
    return parse (text, format, delimiter, notes);
}

std::vector<AdviceSource::Entry> AdviceSource::parse (const juce::String& text, Format format,
                                                      juce::juce_wchar delimiter, juce::StringArray& notes)
{
    Contents contents;
    contents.format = format;
    contents.delimiter = delimiter;
    parseInto (text, contents);
    notes = contents.notes;
    return contents.entries;
}

void AdviceSource::parseInto (const juce::String& text, Contents& contents)
{
    const auto format = contents.format;
    auto& entries = contents.entries;

    if (format == Format::csv || format == Format::tsv)
    {
        if (contents.delimiter == 0)
            contents.delimiter = format == Format::tsv ? '\t' : CsvParser::detectDelimiter (text);

        const auto records = CsvParser::parse (text, contents.delimiter);
        const auto layout = CsvLayout::detect (records);

        if (!layout.passedOver.isEmpty())
            contents.notes.add ((layout.passedOver.size() == 1 ? "column " : "columns ") +
                                layout.passedOver.joinIntoString (", ") + " passed over");

        bool headerSkipped = !layout.header;

        for (const auto& record : records)
        {
            if (record.fields.joinIntoString ("").trim().isEmpty())
                continue;

            if (!headerSkipped)
            {
                headerSkipped = true;
                continue;
            }

            if (entries.empty())
                contents.setFields = layout.getSetFields (record);

            Entry entry{ record.line,
                         tidy (layout.getText (record)),
                         layout.getTags (record),
                         {},
                         layout.isFavorite (record) };

            if (!record.quoteClosed)
                entry.problem = "a quoted field is not closed before the end of the file";

            entries.push_back (entry);
        }

        return;
    }

    const auto lines = juce::StringArray::fromLines (text);

    if (format == Format::text)
    {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].trim().isNotEmpty())
                entries.push_back ({ i + 1, tidy (lines[i]), {}, {} });

        return;
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
            return "csv";
        case Format::tsv:
            return "tsv";
        case Format::fortune:
            return "fortune";
        case Format::text:
            break;
    }

    return "text";
}

std::optional<AdviceSource::Format> AdviceSource::findFormat (const juce::String& name)
{
    for (const auto format : { Format::text, Format::fortune, Format::csv, Format::tsv })
        if (name.equalsIgnoreCase (getFormatName (format)))
            return format;

    return std::nullopt;
}

juce::juce_wchar AdviceSource::parseDelimiter (const juce::String& word)
{
    if (word.equalsIgnoreCase ("tab") || word == "\\t")
        return '\t';

    if (word.equalsIgnoreCase ("comma"))
        return ',';

    if (word.equalsIgnoreCase ("semicolon"))
        return ';';

    if (word.length() == 1 && word[0] != '"' && word[0] != '\n' && word[0] != '\r')
        return word[0];

    return 0;
}

juce::String AdviceSource::describeDelimiter (juce::juce_wchar delimiter)
{
    return delimiter == '\t' ? juce::String ("tabs") : "\"" + juce::String::charToString (delimiter) + "\"";
}
