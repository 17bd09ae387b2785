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

// A folder from the file system's root: "/" here, a drive's on Windows, whose paths from "/" are relative.
juce::File fromRoot (const juce::String& path)
{
    auto root = juce::File::getCurrentWorkingDirectory();

    while (!root.isRoot())
        root = root.getParentDirectory();

    return root.getChildFile (path);
}

juce::String path (const juce::String& fromTheRoot)
{
    return fromRoot (fromTheRoot).getFullPathName();
}

const juce::File workingFolder = fromRoot ("somewhere/current");
} // namespace

TEST (UserFolderTest, keepsTheSetsInTheDataHomeAndTheSettingsInTheConfigHomeOfHome)
{
    const auto places = UserFolder::find (environmentOf ({ { "HOME", path ("home/ada") } }), workingFolder);

    EXPECT_TRUE (places.error.isEmpty());
    EXPECT_EQ (places.folder, fromRoot ("home/ada/.local/share/musewheeler"));
    EXPECT_EQ (places.settingsFolder, fromRoot ("home/ada/.config/musewheeler"));
}

TEST (UserFolderTest, followsAbsoluteXdgFolders)
{
    const auto places = UserFolder::find (environmentOf ({ { "HOME", path ("home/ada") },
                                                           { "XDG_DATA_HOME", path ("data/ada") },
                                                           { "XDG_CONFIG_HOME", path ("config/ada") } }),
                                          workingFolder);

    EXPECT_EQ (places.folder, fromRoot ("data/ada/musewheeler"));
    EXPECT_EQ (places.settingsFolder, fromRoot ("config/ada/musewheeler"));
}

TEST (UserFolderTest, ignoresRelativeAndEmptyXdgFolders)
{
    const auto places = UserFolder::find (environmentOf ({ { "HOME", path ("home/ada") },
                                                           { "XDG_DATA_HOME", "relative/data" },
                                                           { "XDG_CONFIG_HOME", "" } }),
                                          workingFolder);

    EXPECT_EQ (places.folder, fromRoot ("home/ada/.local/share/musewheeler"));
    EXPECT_EQ (places.settingsFolder, fromRoot ("home/ada/.config/musewheeler"));
}

TEST (UserFolderTest, musewheelerHomeHoldsBothAndMayBeRelative)
{
    const auto absolute = UserFolder::find (environmentOf ({ { "HOME", path ("home/ada") },
                                                             { "XDG_DATA_HOME", path ("data/ada") },
                                                             { "MUSEWHEELER_HOME", path ("sets/mine") } }),
                                            workingFolder);
    EXPECT_EQ (absolute.folder, fromRoot ("sets/mine"));
    EXPECT_EQ (absolute.settingsFolder, fromRoot ("sets/mine"));

    const auto relative =
        UserFolder::find (environmentOf ({ { "MUSEWHEELER_HOME", "mine" } }), workingFolder);
    EXPECT_TRUE (relative.error.isEmpty());
    EXPECT_EQ (relative.folder, fromRoot ("somewhere/current/mine"));
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
        UserFolder::find (environmentOf ({ { "XDG_DATA_HOME", path ("data/ada") } }), workingFolder);

    EXPECT_TRUE (places.error.isEmpty());
    EXPECT_EQ (places.folder, fromRoot ("data/ada/musewheeler"));
    EXPECT_EQ (places.settingsFolder, fromRoot ("data/ada/musewheeler"));
}

TEST (UserFolderTest, keepsFilesThatMayBeMadeAgainInTheCacheHome)
{
    const auto home = environmentOf ({ { "HOME", path ("home/ada") } });
    EXPECT_EQ (UserFolder::findCacheFolder (home, workingFolder), fromRoot ("home/ada/.cache/musewheeler"));

    for (const auto& relative : { juce::String(), juce::String ("relative/cache") })
        EXPECT_EQ (UserFolder::findCacheFolder (
                       environmentOf ({ { "HOME", path ("home/ada") }, { "XDG_CACHE_HOME", relative } }),
                       workingFolder),
                   fromRoot ("home/ada/.cache/musewheeler"))
            << relative;

    EXPECT_EQ (UserFolder::findCacheFolder (environmentOf ({ { "HOME", path ("home/ada") },
                                                             { "XDG_CACHE_HOME", path ("cache/ada") } }),
                                            workingFolder),
               fromRoot ("cache/ada/musewheeler"));

    // MUSEWHEELER_HOME holds it too, as it holds the sets and the settings.
    EXPECT_EQ (UserFolder::findCacheFolder (environmentOf ({ { "HOME", path ("home/ada") },
                                                             { "XDG_CACHE_HOME", path ("cache/ada") },
                                                             { "MUSEWHEELER_HOME", "mine" } }),
                                            workingFolder),
               fromRoot ("somewhere/current/mine"));

    EXPECT_EQ (UserFolder::findCacheFolder (environmentOf ({ { "HOME", "relative-home" } }), workingFolder),
               juce::File());
}
