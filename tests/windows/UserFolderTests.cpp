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

const juce::File workingFolder ("C:\\somewhere\\current");
} // namespace

// Windows gives each user a folder for the files of their programs, which comes before the XDG rules that
// programs ported from elsewhere may have set.
TEST (UserFolderTest, keepsBothInTheApplicationDataFolderOnWindows)
{
    const auto places = UserFolder::find (environmentOf ({ { "APPDATA", "C:\\Users\\ada\\AppData\\Roaming" },
                                                           { "HOME", "C:\\Users\\ada" },
                                                           { "XDG_DATA_HOME", "D:\\data" } }),
                                          workingFolder);

    EXPECT_TRUE (places.error.isEmpty());
    EXPECT_EQ (places.folder, juce::File ("C:\\Users\\ada\\AppData\\Roaming\\Musewheeler"));
    EXPECT_EQ (places.settingsFolder, places.folder);

    const auto chosen = UserFolder::find (
        environmentOf ({ { "APPDATA", "C:\\Users\\ada\\AppData\\Roaming" }, { "MUSEWHEELER_HOME", "mine" } }),
        workingFolder);
    EXPECT_EQ (chosen.folder, juce::File ("C:\\somewhere\\current\\mine"));

    const auto relative = UserFolder::find (
        environmentOf ({ { "APPDATA", "Roaming" }, { "HOME", "C:\\Users\\ada" } }), workingFolder);
    EXPECT_EQ (relative.folder, juce::File ("C:\\Users\\ada\\.local\\share\\musewheeler"));
}
