#pragma once

#include "cli/HeldPath.h"

#include <map>
#include <memory>
#include <vector>

// Paths typed with bytes that are not UTF-8 (a folder named in Latin-1): the toolkit's files take names as
// Unicode text and hand the system their UTF-8, which would name another file. Each such path that exists
// is opened once (HeldPath) and reached through a name that leads to the very file the bytes name;
// messages still show the path as the user typed it.
class ByteNamedPaths final
{
public:
    ByteNamedPaths();
    ~ByteNamedPaths();

    // Keeps the argument when its bytes are not UTF-8 and name an existing file or folder.
    void add (const char* bytes, const juce::String& asTyped);

    // The file the text typed names, when it is one of the paths kept.
    std::optional<juce::File> find (const juce::String& asTyped) const;

    // The path as typed for a file reached through one of the paths kept; the full path otherwise.
    juce::String describe (const juce::File& file) const;

private:
    std::map<juce::String, juce::File> files;
    std::vector<std::unique_ptr<HeldPath>> heldPaths;

    JUCE_DECLARE_NON_COPYABLE (ByteNamedPaths)
};
