#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The arguments of one subcommand, taken off one by one: options with a value ("--name X" or
// "--name=X"), flags, then the words left. A mistake ends the command with a one-line usage message
// and exit code 2.
class CommandOptions final
{
public:
    static constexpr int usageExitCode = 2;

    // args as the toolkit parsed them, the subcommand's name first.
    CommandOptions (const juce::ArgumentList& args, const juce::String& commandName);

    bool wantsHelp() const;

    // The option's value, or nothing when the option is absent; a missing value is a usage error.
    std::optional<juce::String> takeValue (const juce::String& option);
    bool takeFlag (const juce::String& option);

    // The words left once every option was taken; any option left is unknown, hence a usage error.
    juce::StringArray takeWords();

    [[noreturn]] void failUsage (const juce::String& message) const;

private:
    juce::ArgumentList args;
    juce::String commandName;
};
