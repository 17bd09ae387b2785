#include "cli/Terminal.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <unistd.h>

bool Terminal::isStandardOutput()
{
    return ::isatty (STDOUT_FILENO) != 0;
}

int Terminal::getReportedWidth()
{
    winsize size{};
    return ::ioctl (STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? (int) size.ws_col : 0;
}

void Terminal::takeUtf8Output()
{
    // Terminals read the bytes in the locale's encoding, UTF-8 nearly always, and take "\n" as it is.
}

int Terminal::whyTheWriteFailed()
{
    return errno;
}
