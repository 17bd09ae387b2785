#pragma once

#include <juce_core/juce_core.h>

#include <streambuf>

// Standard output that remembers why a write failed. Written through std::cout, the C library's stream
// reports a failure once as a flag, and by the time the command ends errno tells something else; a full
// disk must still be told as such, and a reader that closed the pipe (head) told apart from it.
class CheckedOutput final : public std::streambuf
{
public:
    explicit CheckedOutput (int fileDescriptor);
    ~CheckedOutput() override;

    // Writes what is buffered; 0 when everything written so far reached the output, else the errno of the
    // first failure.
    int finish();

protected:
    int_type overflow (int_type c) override;
    int sync() override;

private:
    bool writeBuffered();

    int descriptor;
    int failure = 0;
    std::vector<char> buffer;

    JUCE_DECLARE_NON_COPYABLE (CheckedOutput)
};
