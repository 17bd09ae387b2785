#include "cli/CommandLine.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <shellapi.h>

juce::ArgumentList CommandLine::read (int argc, char* argv[], ByteNamedPaths&)
{
    // main's arguments are in the ANSI code page, where a name in another script turns into question
    // marks; the wide command line holds every name as typed, so no path needs its bytes kept.
    int count = 0;
    auto* const wide = CommandLineToArgvW (GetCommandLineW(), &count);

    if (wide == nullptr || count < 1)
    {
        if (wide != nullptr)
            LocalFree (wide);

        return juce::ArgumentList (argc, argv);
    }

    juce::StringArray arguments;

    for (int i = 1; i < count; ++i)
        arguments.add (juce::String (wide[i]));

    // The help names the command as it is typed, without Windows' ".exe".
    juce::String executable (wide[0]);
    LocalFree (wide);

    if (executable.endsWithIgnoreCase (".exe"))
        executable = executable.dropLastCharacters (4);

    return juce::ArgumentList (executable, arguments);
}
