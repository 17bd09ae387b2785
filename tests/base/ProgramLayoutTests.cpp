#include "FaultInjection.h"
#include "TestHelpers.h"
#include "base/ProgramLayout.h"
#include "base/ShippedSets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace
{
// A program installed in a folder of its own, as the Windows setup leaves it: the program, its help and
// the shipped sets in "shipped", no "data" yet; and a home for the cases that need one.
class ProgramLayoutTest : public ::testing::Test
{
protected:
    ProgramLayoutTest()
    {
        programFolder.getChildFile ("help/index.html").create();
        ship ("a.mwh", "first set, version 1");
        ship ("b.mwh", "second set, version 1");
        ship ("c.mwh", "third set, version 1");
        home.createDirectory();
    }

    void ship (const juce::String& name, const juce::String& text) const
    {
        const auto file = programFolder.getChildFile ("shipped").getChildFile (name);
        file.create();
        ASSERT_TRUE (file.replaceWithText (text));
    }

    juce::File mine (const juce::String& name) const
    {
        return programFolder.getChildFile ("data").getChildFile (name);
    }

    UserFolder::Environment environment() const
    {
        return [variables = variables] (const juce::String& name)
        {
            const auto found = variables.find (name);
            return found != variables.end() ? found->second : juce::String();
        };
    }

    ProgramLayout::Choice choose() const
    {
        return ProgramLayout::choose (programFolder, environment(), root.get());
    }

    testing_helpers::TemporaryFolder root;
    juce::File programFolder = root.child ("Programs/Musewheeler");
    juce::File home = root.child ("home");
    std::map<juce::String, juce::String> variables{
        { "HOME", home.getFullPathName() }, { "XDG_DATA_DIRS", root.child ("none").getFullPathName() }
    };
};
} // namespace

TEST_F (ProgramLayoutTest, aFirstStartFillsTheDataFolderFromTheShippedSetsAndRunsPortable)
{
    const auto choice = choose();

    ASSERT_TRUE (choice.portableFolder.has_value());
    EXPECT_EQ (*choice.portableFolder, programFolder);
    EXPECT_FALSE (choice.installed.has_value());
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1");
    EXPECT_EQ (mine ("c.mwh").loadFileAsString(), "third set, version 1");
    EXPECT_EQ (ShippedSets::readRecord (programFolder.getChildFile (ShippedSets::recordName)).size(), 3u);
    // The shipped sets stay as the setup left them, for the next upgrade to compare with; nothing goes to
    // the home.
    EXPECT_EQ (ShippedSets::findSets (programFolder.getChildFile ("shipped")).size(), 3);
    EXPECT_EQ (home.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (ProgramLayoutTest, anUpgradeReplacesTheUnchangedSetsAndLeavesTheChangedTheDeletedAndTheUsersOwn)
{
    ASSERT_TRUE (choose().portableFolder.has_value());
    ASSERT_TRUE (mine ("b.mwh").replaceWithText ("second set, starred by the user"));
    ASSERT_TRUE (mine ("c.mwh").deleteFile());
    ASSERT_TRUE (mine ("own.mwh").replaceWithText ("the user's own set"));

    // The next setup replaces the shipped folder's sets.
    ship ("a.mwh", "first set, version 2");
    ship ("b.mwh", "second set, version 2");
    ship ("c.mwh", "third set, version 2");
    const auto choice = choose();

    ASSERT_TRUE (choice.portableFolder.has_value());
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 2");
    EXPECT_EQ (mine ("b.mwh").loadFileAsString(), "second set, starred by the user");
    EXPECT_FALSE (mine ("c.mwh").exists());
    EXPECT_EQ (mine ("own.mwh").loadFileAsString(), "the user's own set");

    // And the start after it changes nothing more.
    ASSERT_TRUE (choose().portableFolder.has_value());
    EXPECT_FALSE (mine ("c.mwh").exists());
    EXPECT_EQ (mine ("b.mwh").loadFileAsString(), "second set, starred by the user");
}

TEST_F (ProgramLayoutTest, aFolderThatCannotBeWrittenIsAnInstallationWithTheShippedSetsBesideTheProgram)
{
    // Someone other than the installer starts it: the home is theirs, the program's folder is not.
    std::error_code error;
    std::filesystem::permissions (std::filesystem::u8path (home.getFullPathName().toStdString()),
                                  std::filesystem::perms::all, error);
    ASSERT_FALSE (error) << error.message();
    std::optional<ProgramLayout::Choice> withHome, withoutHome;

    {
        fault_injection::ScopedReadOnlyFolder readOnly (programFolder);

        if (!readOnly.holds())
            GTEST_SKIP() << "the folder cannot be made read-only for this process";

        withHome = choose();
        variables.erase ("HOME");
        withoutHome = choose();
    }

    EXPECT_FALSE (programFolder.getChildFile ("data").exists());
    EXPECT_FALSE (programFolder.getChildFile (ShippedSets::recordName).exists());

    ASSERT_FALSE (withHome->portableFolder.has_value());
    ASSERT_TRUE (withHome->installed.has_value());
    const auto& places = *withHome->installed;
    EXPECT_TRUE (places.warning.isEmpty()) << places.warning;
    EXPECT_EQ (places.sets, home.getChildFile (".local/share/musewheeler/data"));
    EXPECT_EQ (places.sets.getChildFile ("a.mwh").loadFileAsString(), "first set, version 1");
    EXPECT_EQ (places.help, programFolder.getChildFile ("help"));

    // With nowhere of the user's to write, the shipped sets are shown read-only, and the warning says why.
    ASSERT_TRUE (withoutHome->installed.has_value());
    EXPECT_EQ (withoutHome->installed->sets, programFolder.getChildFile ("shipped"));
    EXPECT_TRUE (withoutHome->installed->warning.contains ("HOME")) << withoutHome->installed->warning;
}

TEST (ProgramLayoutWithoutShippedSetsTest, aPortableAndAnInstalledProgramAreChosenAndPreparedAsBefore)
{
    testing_helpers::TemporaryFolder root;
    const auto home = root.child ("home");
    const UserFolder::Environment environment = [&home] (const juce::String& name)
    { return name == "HOME" ? home.getFullPathName() : juce::String(); };

    // An unpacked copy or a build folder: its sets are left as they are, and no record is made.
    const auto unpacked = root.child ("unpacked");
    unpacked.getChildFile ("data/mine.mwh").create();
    const auto portable = ProgramLayout::choose (unpacked, environment, root.get());
    ASSERT_TRUE (portable.portableFolder.has_value());
    EXPECT_EQ (*portable.portableFolder, unpacked);
    EXPECT_FALSE (unpacked.getChildFile (ShippedSets::recordName).exists());
    EXPECT_EQ (unpacked.getChildFile ("data").getNumberOfChildFiles (juce::File::findFiles), 1);

    // The Linux installation: the shipped sets in share/musewheeler, the user's sets in the home, and
    // nothing written beside the program.
    const auto lib = root.child ("usr/lib/musewheeler");
    lib.createDirectory();
    root.child ("usr/share/musewheeler/shipped/a.mwh").create();
    const auto installed = ProgramLayout::choose (lib, environment, root.get());
    EXPECT_FALSE (installed.portableFolder.has_value());
    ASSERT_TRUE (installed.installed.has_value());
    EXPECT_EQ (installed.installed->sets, home.getChildFile (".local/share/musewheeler/data"));
    EXPECT_TRUE (installed.installed->sets.getChildFile ("a.mwh").existsAsFile());
    EXPECT_EQ (installed.installed->help, root.child ("usr/share/musewheeler/help"));
    EXPECT_EQ (lib.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}
