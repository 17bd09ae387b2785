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

    // The folder is opened rather than the file, so that the file keeps its name (a set is read only from
    // a file named *.mwh), unless that name is itself no UTF-8.
    const std::string path (bytes);
    const auto slash = path.find_last_of ('/');
    const auto name = slash == std::string::npos ? path : path.substr (slash + 1);
    const auto folder =
        slash == std::string::npos ? std::string (".") : path.substr (0, juce::jmax ((size_t) 1, slash));
    const auto nameIsUtf8 = !name.empty() && CharacterEncoding::isValidUtf8 (name.data(), name.size());

    if (::access (bytes, F_OK) != 0)
        return;

    const auto descriptor = ::open (nameIsUtf8 ? folder.c_str() : bytes, O_PATH | O_CLOEXEC);

    if (descriptor < 0)
        return;

    descriptors.add (descriptor);
    const juce::File opened ("/proc/self/fd/" + juce::String (descriptor));
    files.emplace (asTyped,
                   nameIsUtf8 ? opened.getChildFile (juce::String::fromUTF8 (name.data(), (int) name.size()))
                              : opened);
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
