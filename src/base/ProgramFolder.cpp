#include "base/ProgramFolder.h"

juce::File ProgramFolder::get()
{
    if (const auto& folder = overridden())
        return *folder;

    return findRunningExecutable().getParentDirectory();
}

juce::File ProgramFolder::getSibling (const juce::String& relativePath)
{
    return get().getChildFile (relativePath);
}

std::optional<juce::File>& ProgramFolder::overridden()
{
    static std::optional<juce::File> folder;
    return folder;
}

juce::File ProgramFolder::findRunningExecutable()
{
#if JUCE_LINUX
    // The toolkit names the program after the command that started it, resolved against the current
    // folder: started by bare name through PATH, that is the wrong folder. The kernel knows the real file.
    const auto executable = juce::File ("/proc/self/exe").getLinkedTarget();

    if (executable.existsAsFile())
        return executable;
#endif

    return juce::File::getSpecialLocation (juce::File::currentApplicationFile);
}

ProgramFolder::ScopedOverride::ScopedOverride (const juce::File& folder)
    : previous (overridden())
{
    overridden() = folder;
}

ProgramFolder::ScopedOverride::~ScopedOverride()
{
    overridden() = previous;
}
