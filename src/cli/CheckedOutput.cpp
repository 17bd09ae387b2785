#include "cli/CheckedOutput.h"

#include "cli/Terminal.h"

#include <unistd.h>

#include <cerrno>

CheckedOutput::CheckedOutput (int fileDescriptor)
    : descriptor (fileDescriptor)
    , buffer (64 * 1024)
{
    setp (buffer.data(), buffer.data() + buffer.size());
}

CheckedOutput::~CheckedOutput()
{
    writeBuffered();
}

bool CheckedOutput::writeBuffered()
{
    const auto* data = pbase();
    auto left = (size_t) (pptr() - pbase());

    while (left > 0 && failure == 0)
    {
        const auto written = ::write (descriptor, data, left);

        if (written < 0 && errno == EINTR)
            continue;

        if (written <= 0)
        {
            failure = written < 0 ? Terminal::whyTheWriteFailed() : EIO;
            break;
        }

        data += written;
        left -= (size_t) written;
    }

    // What cannot be written is dropped: the failure is told once, at the end.
    setp (buffer.data(), buffer.data() + buffer.size());
    return failure == 0;
}

CheckedOutput::int_type CheckedOutput::overflow (int_type c)
{
    if (!writeBuffered())
        return traits_type::eof();

    if (!traits_type::eq_int_type (c, traits_type::eof()))
    {
        *pptr() = traits_type::to_char_type (c);
        pbump (1);
    }

    return traits_type::not_eof (c);
}

int CheckedOutput::sync()
{
    return writeBuffered() ? 0 : -1;
}

int CheckedOutput::finish()
{
    writeBuffered();
    return failure;
}
