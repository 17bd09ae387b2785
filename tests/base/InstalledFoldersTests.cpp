#include "TestHelpers.h"
#include "base/InstalledFolders.h"
#include "base/ShippedSets.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
// An installation in a folder of the test's own (usr/lib/musewheeler, usr/share/musewheeler) and a home.
class InstalledFoldersTest : public ::testing::Test
{
protected:
    InstalledFoldersTest()
    {
        shared.getChildFile ("help/index.html").create();
        shared.getChildFile ("shipped/a.mwh").create();
        shared.getChildFile ("shipped/a.mwh").replaceWithText ("first set");
        programFolder.createDirectory();
        home.createDirectory();
    }

    UserFolder::Environment environment() const
    {
        return [variables = variables] (const juce::String& name)
        {
            const auto found = variables.find (name);
            return found != variables.end() ? found->second : juce::String();
        };
    }

    InstalledFolders::Places prepare() const
    {
        return InstalledFolders::prepare (programFolder, environment(), root.get());
    }

    testing_helpers::TemporaryFolder root;
    juce::File shared = root.child ("usr/share/musewheeler");
    juce::File programFolder = root.child ("usr/lib/musewheeler");
    juce::File home = root.child ("home");
    std::map<juce::String, juce::String> variables{
        { "HOME", home.getFullPathName() }, { "XDG_DATA_DIRS", root.child ("none").getFullPathName() }
    };
};
} // namespace

TEST_F (InstalledFoldersTest, findsTheSharedFolderFromAProgramAPluginOrTheDataFolders)
{
    EXPECT_EQ (InstalledFolders::findShared (programFolder, environment()), shared);
    EXPECT_EQ (InstalledFolders::findShared (root.child ("usr/bin"), environment()), shared);
    EXPECT_EQ (InstalledFolders::findShared (root.child ("usr/lib/lv2/Musewheeler.lv2"), environment()),
               shared);
    EXPECT_EQ (InstalledFolders::findShared (
                   root.child ("usr/lib/vst3/Musewheeler.vst3/Contents/x86_64-linux"), environment()),
               shared);

    // A plugin in ~/.lv2, the rest installed in ~/.local.
    const auto local = home.getChildFile (".local/share/musewheeler");
    local.getChildFile ("shipped").createDirectory();
    EXPECT_EQ (InstalledFolders::findShared (home.getChildFile (".lv2/Musewheeler.lv2"), environment()),
               local);

    variables["XDG_DATA_DIRS"] = root.child ("usr/share").getFullPathName();
    local.getChildFile ("shipped").deleteFile();
    EXPECT_EQ (InstalledFolders::findShared (home.getChildFile (".lv2/Musewheeler.lv2"), environment()),
               shared);
}

TEST_F (InstalledFoldersTest, aNewUserGetsTheShippedSetsInTheirFolderAndTheSharedHelp)
{
    const auto places = prepare();

    EXPECT_TRUE (places.warning.isEmpty()) << places.warning;
    EXPECT_EQ (places.sets, home.getChildFile (".local/share/musewheeler/data"));
    EXPECT_EQ (places.settingsFolder, home.getChildFile (".config/musewheeler"));
    EXPECT_EQ (places.help, shared.getChildFile ("help"));
    EXPECT_EQ (places.sets.getChildFile ("a.mwh").loadFileAsString(), "first set");
    EXPECT_TRUE (places.settingsFolder.isDirectory());
    // Nothing of the program in the home: the sets, their record and the settings' folder.
    EXPECT_FALSE (home.getChildFile (".local/share/musewheeler/help").exists());
    EXPECT_EQ (home.getChildFile (".local/share/musewheeler")
                   .getNumberOfChildFiles (juce::File::findFilesAndDirectories),
               2);
}

TEST_F (InstalledFoldersTest, aHomeThatCannotBeWrittenShowsTheShippedSetsReadOnlyAndSaysWhy)
{
    // A file where the user's data folder should be.
    home.getChildFile (".local/share").create();

    const auto places = prepare();
    EXPECT_EQ (places.sets, shared.getChildFile ("shipped"));
    EXPECT_TRUE (places.warning.contains ("read-only")) << places.warning;
    EXPECT_FALSE (places.settingsFolder.isDirectory());
}

TEST_F (InstalledFoldersTest, withoutAHomeTheShippedSetsAreShownAndTheErrorSaysWhy)
{
    variables.erase ("HOME");

    const auto places = prepare();
    EXPECT_EQ (places.sets, shared.getChildFile ("shipped"));
    EXPECT_EQ (places.help, shared.getChildFile ("help"));
    EXPECT_TRUE (places.warning.contains ("HOME")) << places.warning;
    EXPECT_EQ (places.settingsFolder, juce::File());
}

TEST_F (InstalledFoldersTest, anOldCopyIsTakenOverWithItsSetsAndSettings)
{
    const auto old = home.getChildFile (".local/share/musewheeler");
    for (const auto& path : { "Musewheeler", "musewheeler-sets", "help/index.html" })
        old.getChildFile (path).create();
    old.getChildFile ("data/a.mwh").create();
    old.getChildFile ("data/a.mwh").replaceWithText ("first set, starred");
    old.getChildFile ("Musewheeler.ini").replaceWithText ("settings");

    const auto places = prepare();
    EXPECT_TRUE (places.warning.isEmpty()) << places.warning;
    EXPECT_EQ (places.sets.getChildFile ("a.mwh").loadFileAsString(), "first set, starred");
    EXPECT_EQ (places.settingsFolder.getChildFile ("Musewheeler.ini").loadFileAsString(), "settings");
    EXPECT_FALSE (old.getChildFile ("Musewheeler").exists());
    EXPECT_FALSE (old.getChildFile ("help").exists());
}

TEST_F (InstalledFoldersTest, withTheUserFolderAlsoTheSharedOneTheHelpAndShippedSetsStay)
{
    // `make install`: ~/.local/share/musewheeler holds the help and shipped sets beside the user's data.
    const auto local = home.getChildFile (".local/share/musewheeler");
    shared.copyDirectoryTo (local);
    const auto places =
        InstalledFolders::prepare (home.getChildFile (".local/lib/musewheeler"), environment(), root.get());

    EXPECT_EQ (places.help, local.getChildFile ("help"));
    EXPECT_EQ (places.sets, local.getChildFile ("data"));
    EXPECT_EQ (places.sets.getChildFile ("a.mwh").loadFileAsString(), "first set");
    EXPECT_TRUE (local.getChildFile ("help/index.html").existsAsFile());
    EXPECT_TRUE (local.getChildFile ("shipped/a.mwh").existsAsFile());
}

TEST_F (InstalledFoldersTest,
        aFolderWithOnlySomeShippedSetsCopiedGivesWayToTheShippedSetsUnlessTheUserHasOwnSets)
{
    const auto userSets = home.getChildFile (".local/share/musewheeler/data");
    const auto shipped = shared.getChildFile ("shipped");
    shipped.getChildFile ("b.mwh").replaceWithText ("second set");
    userSets.createDirectory();
    shipped.getChildFile ("a.mwh").copyFileTo (userSets.getChildFile ("a.mwh"));

    EXPECT_FALSE (InstalledFolders::holdsOwnSets (userSets, shipped));

    userSets.getChildFile ("a.mwh").replaceWithText ("first set, starred");
    EXPECT_TRUE (InstalledFolders::holdsOwnSets (userSets, shipped));

    shipped.getChildFile ("a.mwh").copyFileTo (userSets.getChildFile ("a.mwh"));
    userSets.getChildFile ("mine.mwh").replaceWithText ("my own set");
    EXPECT_TRUE (InstalledFolders::holdsOwnSets (userSets, shipped));
}

TEST_F (InstalledFoldersTest, withoutAnInstallationFoundNoFolderIsNamedFromTheRoot)
{
    const auto places = InstalledFolders::prepare (root.child ("elsewhere/bin"), environment(), root.get());

    EXPECT_TRUE (places.warning.contains ("not found")) << places.warning;
    EXPECT_EQ (places.help, juce::File());
    EXPECT_EQ (places.sets, home.getChildFile (".local/share/musewheeler/data"));
}
