#pragma once

#include <juce_core/juce_core.h>

// What the system tells of the terminal the command writes to, each system its own way.
class Terminal final
{
public:
    Terminal() = delete;

    // Whether standard output is a terminal rather than a pipe or a file.
    static bool isStandardOutput();

    // The width in characters the terminal on standard output reports, or 0 when it reports none.
    static int getReportedWidth();

    // Makes the terminal show the command's UTF-8 output as text and leaves its line ends as written.
    static void takeUtf8Output();

    // Why the write just made to an output failed, as an errno value; a reader that has gone (a closed
    // pipe) is EPIPE on every system.
    static int whyTheWriteFailed();
};
