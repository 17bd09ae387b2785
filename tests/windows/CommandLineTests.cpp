#include "TestHelpers.h"
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Windows hands the command its arguments as UTF-16 text, read whole from the process's command line
// rather than from main's ANSI bytes, which lose what the code page cannot hold.
TEST (CommandLineTest, readsTheArgumentsFromTheWideCommandLine)
{
    char name[] = "not-this-name", argument[] = "not-this-argument";
    char* argv[] = { name, argument, nullptr };
    ByteNamedPaths paths;
    const auto arguments = CommandLine::read (2, argv, paths);

    const auto program = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    EXPECT_TRUE (arguments.executableName.containsIgnoreCase (program.getFileNameWithoutExtension()))
        << arguments.executableName;
    EXPECT_EQ (arguments.size(), __argc - 1);

    for (int i = 0; i < arguments.size(); ++i)
        EXPECT_NE (arguments[i].text, "not-this-argument");
}
