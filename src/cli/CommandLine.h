#pragma once

#include "cli/ByteNamedPaths.h"

// The command's name and arguments as the user typed them, each system handing them over its own way: as
// bytes in the locale's encoding (POSIX), or as UTF-16 text beside the bytes of the ANSI code page, which
// cannot hold every name (Windows).
class CommandLine final
{
public:
    CommandLine() = delete;

    // From main's arguments; paths typed as bytes that name a file only as bytes are kept in paths.
    static juce::ArgumentList read (int argc, char* argv[], ByteNamedPaths& paths);
};
