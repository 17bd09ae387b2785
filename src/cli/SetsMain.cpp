#include "base/ProgramFolder.h"
#include "cli/SetsCommand.h"

#include <iostream>

int main (int argc, char* argv[])
{
    // The toolkit's own ArgumentList (argc, argv) reads the arguments as ASCII; names and words in French
    // arrive as UTF-8.
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    if (const auto warning = ProgramFolder::prepare (ProgramFolder::get()); warning.isNotEmpty())
        std::cerr << "musewheeler-sets: " << warning << std::endl;

    return SetsCommand().run (juce::ArgumentList (juce::String::fromUTF8 (argv[0]), arguments));
}
