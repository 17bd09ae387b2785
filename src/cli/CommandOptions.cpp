#include "cli/CommandOptions.h"

namespace
{
const juce::String endOfOptions ("--");
} // namespace

CommandOptions::CommandOptions (const juce::ArgumentList& arguments, const juce::String& name)
    : commandName (name)
{
    bool ended = false;

    for (int i = 1; i < arguments.size(); ++i)
    {
        const auto& text = arguments[i].text;

        if (!ended && text == endOfOptions)
            ended = true;
        else
            (ended ? wordsAfterEnd : options).add (text);
    }
}

bool CommandOptions::isLongOption (const juce::String& argument)
{
    return argument.startsWith ("--") && argument.length() > 2;
}

int CommandOptions::indexOf (const juce::String& option) const
{
    for (int i = 0; i < options.size(); ++i)
        if (options[i] == option || options[i].startsWith (option + "="))
            return i;

    return -1;
}

bool CommandOptions::wantsHelp() const
{
    return options.contains ("--help") || options.contains ("-h");
}

std::optional<juce::String> CommandOptions::takeValue (const juce::String& option)
{
    const auto index = indexOf (option);

    if (index < 0)
        return std::nullopt;

    juce::String value;
    auto taken = 1;

    if (options[index] != option)
    {
        value = options[index].fromFirstOccurrenceOf ("=", false, false);
    }
    else
    {
        if (index + 1 >= options.size() || isLongOption (options[index + 1]))
            failUsage (option + " needs a value");

        value = options[index + 1];
        taken = 2;
    }

    if (value.isEmpty())
        failUsage (option + " needs a value");

    options.removeRange (index, taken);

    if (indexOf (option) >= 0)
        failUsage (option + " is given twice");

    return value;
}

bool CommandOptions::takeFlag (const juce::String& option)
{
    const auto index = options.indexOf (option);

    if (index < 0)
        return false;

    options.remove (index);

    if (options.contains (option))
        failUsage (option + " is given twice");

    return true;
}

juce::StringArray CommandOptions::takeWords()
{
    for (const auto& argument : options)
        if (argument.startsWith ("-") && argument.length() > 1)
            failUsage ("unknown option " + argument +
                       (isLongOption (argument) ? juce::String()
                                                : " (-- before words that start with - keeps them)"));

    auto words = options;
    words.addArray (wordsAfterEnd);
    options.clear();
    wordsAfterEnd.clear();
    return words;
}

void CommandOptions::failUsage (const juce::String& message) const
{
    juce::ConsoleApplication::fail ("musewheeler-sets " + commandName + ": " + message +
                                        " (musewheeler-sets " + commandName + " --help tells more)",
                                    usageExitCode);
    std::abort(); // not reached: fail() throws
}
