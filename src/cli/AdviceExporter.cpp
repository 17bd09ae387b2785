#include "cli/AdviceExporter.h"

juce::String AdviceExporter::write (const std::vector<AdviceSelection::Advice>& advice,
                                    const juce::String& format)
{
    juce::MemoryOutputStream out;

    if (format == "markdown")
    {
        juce::String section;

        for (const auto& item : advice)
        {
            if (item.fileName != section)
            {
                if (section.isNotEmpty())
                    out << "\n";

                out << "## " << escapeMarkdown (item.setName) << "\n\n";

                if (item.author.isNotEmpty())
                    out << "*" << escapeMarkdown (item.author) << "*\n\n";

                section = item.fileName;
            }

            out << "- " << escapeMarkdown (item.text) << "\n";
        }
    }
    else if (format == "csv")
    {
        out << getCsvColumns().joinIntoString (",") << "\n";

        for (const auto& item : advice)
        {
            const auto colour = juce::String (item.colour.getRed()) + "," +
                                juce::String (item.colour.getGreen()) + "," +
                                juce::String (item.colour.getBlue());
            juce::StringArray fields{
                item.text,   item.tags,           item.favorite ? "1" : "0",        item.setName,
                item.author, item.setDescription, item.language == 0 ? "fr" : "en", colour
            };

            for (auto& field : fields)
                field = quoteCsv (field);

            out << fields.joinIntoString (",") << "\n";
        }
    }
    else
    {
        for (const auto& item : advice)
            out << item.text << (format == "fortune" ? "\n%\n" : "\n");
    }

    return out.toUTF8();
}

juce::String AdviceExporter::escapeMarkdown (const juce::String& text)
{
    juce::String escaped;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (juce::String ("\\`*_#[]").containsChar (c))
            escaped << "\\";

        escaped << juce::String::charToString (c);
    }

    return escaped;
}

juce::String AdviceExporter::quoteCsv (const juce::String& field)
{
    if (!field.containsAnyOf (",\"\r\n;\t") && field == field.trim())
        return field;

    return "\"" + field.replace ("\"", "\"\"") + "\"";
}

juce::StringArray AdviceExporter::getCsvColumns()
{
    return { "text", "tags", "favorite", "set", "author", "description", "language", "colour" };
}
