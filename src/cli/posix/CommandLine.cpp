#include "cli/CommandLine.h"

#include "cli/CharacterEncoding.h"

juce::ArgumentList CommandLine::read (int argc, char* argv[], ByteNamedPaths& paths)
{
    // The toolkit's own ArgumentList (argc, argv) reads the arguments as ASCII; names and words in French
    // arrive in the locale's encoding, UTF-8 nearly always.
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
    {
        arguments.add (CharacterEncoding::decodeArgument (argv[i]));
        paths.add (argv[i], arguments[i - 1]);
    }

    return juce::ArgumentList (juce::String::fromUTF8 (argv[0]), arguments);
}
