#include "base/UserFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
UserFolder::Environment environmentOf (std::map<juce::String, juce::String> variables)
{
    return [variables] (const juce::String& name)
    {
        const auto found = variables.find (name);
        return found != variables.end() ? found->second : juce::String();
    };
}

const juce::File workingFolder ("/somewhere/current");
} // namespace

TEST (UserFolderTest, keepsTheSetsInTheDataHomeAndTheSettingsInTheConfigHomeOfHome)
{
    const auto places = UserFolder::find (environmentOf ({ { "HOME", "/home/ada" } }), workingFolder);

    EXPECT_TRUE (places.error.isEmpty());
    EXPECT_EQ (places.folder, juce::File ("/home/ada/.local/share/musewheeler"));
    EXPECT_EQ (places.settingsFolder, juce::File ("/home/ada/.config/musewheeler"));
}

TEST (UserFolderTest, followsAbsoluteXdgFolders)
{
    const auto places = UserFolder::find (environmentOf ({ { "HOME", "/home/ada" },
                                                           { "XDG_DATA_HOME", "/data/ada" },
                                                           { "XDG_CONFIG_HOME", "/config/ada" } }),
                                          workingFolder);

    EXPECT_EQ (places.folder, juce::File ("/data/ada/musewheeler"));
    EXPECT_EQ (places.settingsFolder, juce::File ("/config/ada/musewheeler"));
}

TEST (UserFolderTest, ignoresRelativeAndEmptyXdgFolders)
{
    const auto places = UserFolder::find (
        environmentOf (
            { { "HOME", "/home/ada" }, { "XDG_DATA_HOME", "relative/data" }, { "XDG_CONFIG_HOME", "" } }),
        workingFolder);

    EXPECT_EQ (places.folder, juce::File ("/home/ada/.local/share/musewheeler"));
    EXPECT_EQ (places.settingsFolder, juce::File ("/home/ada/.config/musewheeler"));
}

TEST (UserFolderTest, musewheelerHomeHoldsBothAndMayBeRelative)
{
    const auto absolute = UserFolder::find (environmentOf ({ { "HOME", "/home/ada" },
                                                             { "XDG_DATA_HOME", "/data/ada" },
                                                             { "MUSEWHEELER_HOME", "/sets/mine" } }),
                                            workingFolder);
    EXPECT_EQ (absolute.folder, juce::File ("/sets/mine"));
    EXPECT_EQ (absolute.settingsFolder, juce::File ("/sets/mine"));

    const auto relative =
        UserFolder::find (environmentOf ({ { "MUSEWHEELER_HOME", "mine" } }), workingFolder);
    EXPECT_TRUE (relative.error.isEmpty());
    EXPECT_EQ (relative.folder, juce::File ("/somewhere/current/mine"));
}

TEST (UserFolderTest, withoutHomeNorXdgFoldersNamesNoFolderAndSaysWhy)
{
    for (const auto& home : { juce::String(), juce::String ("relative-home") })
    {
        const auto places = UserFolder::find (
            environmentOf ({ { "HOME", home }, { "XDG_DATA_HOME", "rel" } }), workingFolder);

        EXPECT_EQ (places.folder, juce::File());
        EXPECT_EQ (places.settingsFolder, juce::File());
        EXPECT_TRUE (places.error.contains ("HOME")) << places.error;
    }
}

TEST (UserFolderTest, withOneXdgFolderOnlyKeepsBothKindsOfFilesThere)
{
    const auto places =
        UserFolder::find (environmentOf ({ { "XDG_DATA_HOME", "/data/ada" } }), workingFolder);

    EXPECT_TRUE (places.error.isEmpty());
    EXPECT_EQ (places.folder, juce::File ("/data/ada/musewheeler"));
    EXPECT_EQ (places.settingsFolder, juce::File ("/data/ada/musewheeler"));
}
