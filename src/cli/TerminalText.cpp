#include "cli/TerminalText.h"

#include <sys/ioctl.h>
#include <unistd.h>

int TerminalText::getOutputWidth()
{
    if (::isatty (STDOUT_FILENO) == 0)
        return 0;

    const auto columns = juce::SystemStats::getEnvironmentVariable ("COLUMNS", {});

    if (columns.containsOnly ("0123456789") && columns.getIntValue() > 0)
        return columns.getIntValue();

    winsize size{};

    if (::ioctl (STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;

    return 0;
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
