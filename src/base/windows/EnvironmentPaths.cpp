#include "base/EnvironmentPaths.h"

juce::File EnvironmentPaths::findApplicationDataFolder (const UserFolder::Environment& environment)
{
    const auto folder = environment ("APPDATA");
    return juce::File::isAbsolutePath (folder) ? juce::File (folder) : juce::File();
}

juce::File EnvironmentPaths::findLocalApplicationDataFolder (const UserFolder::Environment& environment)
{
    const auto folder = environment ("LOCALAPPDATA");
    return juce::File::isAbsolutePath (folder) ? juce::File (folder) : juce::File();
}

juce::StringArray EnvironmentPaths::splitFolderList (const juce::String& list)
{
    return juce::StringArray::fromTokens (list, ";", {});
}
