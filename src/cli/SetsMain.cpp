#include "base/ProgramFolder.h"
#include "cli/CommandLine.h"
#include "cli/SetsCommand.h"
#include "cli/Terminal.h"

#include <iostream>

int main (int argc, char* argv[])
{
    Terminal::takeUtf8Output();
    SetsCommand command;
    const auto arguments = CommandLine::read (argc, argv, command.getByteNamedPaths());

    if (const auto warning = ProgramFolder::prepare (ProgramFolder::get()); warning.isNotEmpty())
        std::cerr << "musewheeler-sets: " << warning << std::endl;

    return command.run (arguments);
}
