#include "cli/SetsCommand.h"

int main (int argc, char* argv[])
{
    // The toolkit's own ArgumentList (argc, argv) reads the arguments as ASCII; names and words in French
    // arrive as UTF-8.
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    return SetsCommand().run (juce::ArgumentList (juce::String::fromUTF8 (argv[0]), arguments));
}
