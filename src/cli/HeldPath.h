#pragma once

#include <juce_core/juce_core.h>

#include <memory>
#include <string>

// A file or folder named by bytes that are no UTF-8, held open while the object lives and reached through
// a name the toolkit's files can hand the system: on POSIX systems the descriptor's name under
// /proc/self/fd. Windows hands the command its arguments as UTF-16 text, never as such bytes: there,
// nothing is opened.
class HeldPath final
{
public:
    ~HeldPath();

    // The path's bytes opened, or nothing when they name nothing that exists.
    static std::unique_ptr<HeldPath> open (const std::string& bytes);

    // Whether the bytes name something that exists.
    static bool exists (const std::string& bytes);

    // The name leading to what was opened.
    const juce::File& getFile() const { return file; }

private:
    HeldPath (int handle, const juce::File& name);

    int descriptor;
    juce::File file;

    JUCE_DECLARE_NON_COPYABLE (HeldPath)
};
