#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The arguments of one subcommand, taken off one by one: options with a value ("--name X" or
// "--name=X"), flags, then the words left; "--" ends the options, so words may start with "-". A mistake
// ends the command with a one-line usage message and exit code 2.
// Options are matched here by their exact text: the toolkit's ArgumentList takes any argument that starts
// with "-" and holds the letter's character code for a short option, so "-1" would read as "-h".
class CommandOptions final
{
public:
    static constexpr int usageExitCode = 2;

    // args as the toolkit holds them, the subcommand's name first.
    CommandOptions (const juce::ArgumentList& args, const juce::String& commandName);

    bool wantsHelp() const;

    // The option's value, or nothing when the option is absent; a missing value is a usage error. The value
    // is the next argument even when it starts with "-" ("--count -1" is told as a bad count, "--name -1
    // song" is a name), unless it is itself a long option.
    std::optional<juce::String> takeValue (const juce::String& option);
    bool takeFlag (const juce::String& option);

    // The words left once every option was taken; any option left is unknown, hence a usage error.
    juce::StringArray takeWords();

    [[noreturn]] void failUsage (const juce::String& message) const;

    static bool isLongOption (const juce::String& argument);

private:
    // The index of the option (alone or as "--option=value") among the options, or -1.
    int indexOf (const juce::String& option) const;

    juce::StringArray options; // what stands before "--"
    juce::StringArray wordsAfterEnd;
    juce::String commandName;
};
