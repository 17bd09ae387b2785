#include "cli/Terminal.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>

bool Terminal::isStandardOutput()
{
    return _isatty (_fileno (stdout)) != 0;
}

int Terminal::getReportedWidth()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};

    if (GetConsoleScreenBufferInfo (GetStdHandle (STD_OUTPUT_HANDLE), &info) == 0)
        return 0;

    // The visible window's width, not the buffer's, which is often far wider.
    return juce::jmax (0, info.srWindow.Right - info.srWindow.Left + 1);
}

void Terminal::takeUtf8Output()
{
    // The console otherwise reads the bytes in the OEM code page, and the C library's text mode would
    // write "\r\n" into files and pipes that other programs read as the command's exact output.
    SetConsoleOutputCP (CP_UTF8);
    _setmode (_fileno (stdout), _O_BINARY);
    _setmode (_fileno (stderr), _O_BINARY);
}

int Terminal::whyTheWriteFailed()
{
    // The C library tells a pipe whose reader has gone as EINVAL; Windows' own error names it (which of
    // the three depends on how far the reader's end is closed).
    const auto error = errno;
    const auto systemError = GetLastError();
    const auto readerGone = systemError == ERROR_NO_DATA || systemError == ERROR_BROKEN_PIPE ||
                            systemError == ERROR_PIPE_NOT_CONNECTED;
    return readerGone ? EPIPE : error;
}
