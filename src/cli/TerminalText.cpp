#include "cli/TerminalText.h"

#include "cli/Terminal.h"

int TerminalText::getOutputWidth()
{
    if (!Terminal::isStandardOutput())
        return 0;

    const auto columns = juce::SystemStats::getEnvironmentVariable ("COLUMNS", {});

    if (columns.containsOnly ("0123456789") && columns.getIntValue() > 0)
        return columns.getIntValue();

    return Terminal::getReportedWidth();
}

juce::String TerminalText::wrap (const juce::String& text, int width)
{
    if (width <= 0)
        return text;

    juce::StringArray lines;

    for (const auto& paragraph : juce::StringArray::fromLines (text))
    {
        juce::String line;

        for (const auto& word : juce::StringArray::fromTokens (paragraph, " ", ""))
        {
            if (word.isEmpty())
                continue;

            if (line.isNotEmpty() && line.length() + 1 + word.length() > width)
            {
                lines.add (line);
                line.clear();
            }

            line << (line.isEmpty() ? "" : " ") << word;
        }

        lines.add (line);
    }

    return lines.joinIntoString ("\n");
}
