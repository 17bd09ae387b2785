#include "TestHelpers.h"
#include "widgets/InstalledFonts.h"

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
} // namespace

// Without JUCE_FONT_PATH the toolkit reads its font folders from fonts.conf, where a folder of the user's
// data (prefix="xdg") holds the fonts a user installed.
TEST (InstalledFontsTest, followsTheFontFoldersOfFontsConf)
{
    if (!juce::File ("/etc/fonts/fonts.conf").loadFileAsString().contains ("prefix=\"xdg\""))
        GTEST_SKIP() << "this system's fonts.conf names no font folder in the user's data";

    testing_helpers::TemporaryFolder dataHome;
    const auto environment = environmentOf ({ { "XDG_DATA_HOME", dataHome.get().getFullPathName() } });
    const auto before = InstalledFonts::describe (environment);

    const auto font = dataHome.child ("fonts/mine/Mine.ttf");
    ASSERT_TRUE (font.create());
    const auto after = InstalledFonts::describe (environment);

    EXPECT_NE (after, before);
    EXPECT_TRUE (after.contains (font.getFullPathName())) << after;
    EXPECT_FALSE (before.contains (dataHome.get().getFullPathName() + "/fonts/")) << before;

    // JUCE_FONT_PATH, when set, names the only folders.
    testing_helpers::TemporaryFolder first, second;
    ASSERT_TRUE (first.child ("a.ttf").create());
    ASSERT_TRUE (second.child ("b.otf").create());
    const auto chosen = InstalledFonts::describe (environmentOf (
        { { "XDG_DATA_HOME", dataHome.get().getFullPathName() },
          { "JUCE_FONT_PATH", first.get().getFullPathName() + ";" + second.get().getFullPathName() } }));
    EXPECT_TRUE (chosen.contains (first.child ("a.ttf").getFullPathName())) << chosen;
    EXPECT_TRUE (chosen.contains (second.child ("b.otf").getFullPathName())) << chosen;
    EXPECT_FALSE (chosen.contains (font.getFullPathName())) << chosen;
}
