#include "base/EnvironmentPaths.h"

juce::File EnvironmentPaths::findApplicationDataFolder (const UserFolder::Environment&)
{
    return {};
}

juce::File EnvironmentPaths::findLocalApplicationDataFolder (const UserFolder::Environment&)
{
    return {};
}

juce::StringArray EnvironmentPaths::splitFolderList (const juce::String& list)
{
    return juce::StringArray::fromTokens (list, ":", {});
}
