#include "cli/ByteNamedPaths.h"

#include "cli/CharacterEncoding.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

ByteNamedPaths::~ByteNamedPaths()
{
    for (const auto descriptor : descriptors)
        ::close (descriptor);
}

void ByteNamedPaths::add (const char* bytes, const juce::String& asTyped)
{
    if (CharacterEncoding::isValidUtf8 (bytes, std::strlen (bytes)) || files.count (asTyped) > 0)
        return;

    const auto descriptor = ::open (bytes, O_PATH | O_CLOEXEC);

    if (descriptor < 0)
        return;

    descriptors.add (descriptor);
    files.emplace (asTyped, juce::File ("/proc/self/fd/" + juce::String (descriptor)));
}

std::optional<juce::File> ByteNamedPaths::find (const juce::String& asTyped) const
{
    if (const auto found = files.find (asTyped); found != files.end())
        return found->second;

    return std::nullopt;
}

juce::String ByteNamedPaths::describe (const juce::File& file) const
{
    for (const auto& [asTyped, reached] : files)
        if (file == reached || file.isAChildOf (reached))
            return asTyped + file.getFullPathName().substring (reached.getFullPathName().length());

    return file.getFullPathName();
}
