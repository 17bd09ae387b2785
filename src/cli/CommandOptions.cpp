#include "cli/CommandOptions.h"

CommandOptions::CommandOptions (const juce::ArgumentList& arguments, const juce::String& name)
    : args (arguments)
    , commandName (name)
{
    args.arguments.remove (0);
}

bool CommandOptions::wantsHelp() const
{
    return args.containsOption ("--help|-h");
}

std::optional<juce::String> CommandOptions::takeValue (const juce::String& option)
{
    const auto index = args.indexOfOption (option);

    if (index < 0)
        return std::nullopt;

    // The toolkit reads a long option's value only from "--name=X"; users write "--name X" as often.
    const auto& argument = args.arguments.getReference (index);
    auto value = argument.getLongOptionValue();
    auto taken = 1;

    if (!argument.text.containsChar ('='))
    {
        if (index + 1 >= args.size() || args[index + 1].isOption())
            failUsage (option + " needs a value");

        value = args[index + 1].text;
        taken = 2;
    }

    if (value.isEmpty())
        failUsage (option + " needs a value");

    args.arguments.removeRange (index, taken);

    if (args.containsOption (option))
        failUsage (option + " is given twice");

    return value;
}

bool CommandOptions::takeFlag (const juce::String& option)
{
    const auto found = args.removeOptionIfFound (option);

    if (found && args.containsOption (option))
        failUsage (option + " is given twice");

    return found;
}

juce::StringArray CommandOptions::takeWords()
{
    juce::StringArray words;

    for (const auto& argument : args.arguments)
    {
        if (argument.isOption())
            failUsage ("unknown option " + argument.text);

        words.add (argument.text);
    }

    args.arguments.clear();
    return words;
}

void CommandOptions::failUsage (const juce::String& message) const
{
    juce::ConsoleApplication::fail ("musewheeler-sets " + commandName + ": " + message +
                                        " (musewheeler-sets " + commandName + " --help tells more)",
                                    usageExitCode);
    std::abort(); // not reached: fail() throws
}
