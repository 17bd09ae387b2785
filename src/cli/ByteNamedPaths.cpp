#include "cli/ByteNamedPaths.h"

#include "cli/CharacterEncoding.h"

#include <cstring>

ByteNamedPaths::ByteNamedPaths() = default;
ByteNamedPaths::~ByteNamedPaths() = default;

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

    if (!HeldPath::exists (path))
        return;

    auto handle = HeldPath::open (nameIsUtf8 ? folder : path);

    if (handle == nullptr)
        return;

    const auto opened = handle->getFile();
    heldPaths.push_back (std::move (handle));
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
