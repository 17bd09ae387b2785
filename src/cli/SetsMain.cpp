#include "base/ProgramFolder.h"
#include "cli/CharacterEncoding.h"
#include "cli/SetsCommand.h"

#include <iostream>

int main (int argc, char* argv[])
{
    // The toolkit's own ArgumentList (argc, argv) reads the arguments as ASCII; names and words in French
    // arrive in the locale's encoding, UTF-8 nearly always.
    SetsCommand command;
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
    {
        arguments.add (CharacterEncoding::decodeArgument (argv[i]));
        command.getByteNamedPaths().add (argv[i], arguments[i - 1]);
    }

    if (const auto warning = ProgramFolder::prepare (ProgramFolder::get()); warning.isNotEmpty())
        std::cerr << "musewheeler-sets: " << warning << std::endl;

    return command.run (juce::ArgumentList (juce::String::fromUTF8 (argv[0]), arguments));
}
