#include "TestHelpers.h"
#include "base/OldProgramCopy.h"

#include <gtest/gtest.h>

namespace
{
// A user's folder as the package's launcher used to make it: the programs, their help, the sets (one
// starred), the settings, and what an interrupted update left.
class OldProgramCopyTest : public ::testing::Test
{
protected:
    OldProgramCopyTest()
    {
        for (const auto& path : { "Musewheeler", "musewheeler-sets", "help/index.html", "help/fr/index.html",
                                  "Musewheeler.new.4242", "help.new.4242/index.html", "data/Starred.mwh",
                                  "data/mine.mwh", "notes.txt" })
            old.getChildFile (path).create();

        old.getChildFile ("data/Starred.mwh").replaceWithText ("Favorite=true;");
        old.getChildFile ("Musewheeler.ini")
            .replaceWithText ("Musewheeler V1 - Init Data File\r\nLanguage=0;\r\n");
    }

    juce::StringArray namesIn (const juce::File& folder) const
    {
        juce::StringArray names;

        // Written with "/" whatever the system's separator, as the expectations are.
        for (const auto& file : folder.findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
            names.add (file.getRelativePathFrom (folder).replaceCharacter ('\\', '/'));

        names.sort (false);
        return names;
    }

    testing_helpers::TemporaryFolder root;
    juce::File old = root.child ("home/.local/share/musewheeler");
    juce::File config = root.child ("home/.config/musewheeler");
};
} // namespace

TEST_F (OldProgramCopyTest, isFoundByItsPrograms)
{
    EXPECT_TRUE (OldProgramCopy::isIn (old));
    EXPECT_FALSE (OldProgramCopy::isIn (config));

    old.getChildFile ("Musewheeler").deleteFile();
    EXPECT_TRUE (OldProgramCopy::isIn (old));
    old.getChildFile ("musewheeler-sets").deleteFile();
    EXPECT_FALSE (OldProgramCopy::isIn (old));
}

TEST_F (OldProgramCopyTest, takesTheSettingsOverAndRemovesTheProgramsAndHelpButNeverTheUsersFiles)
{
    ASSERT_TRUE (OldProgramCopy::takeOver (old, config, false));

    EXPECT_EQ (namesIn (old),
               juce::StringArray ({ "data", "data/Starred.mwh", "data/mine.mwh", "notes.txt" }));
    EXPECT_EQ (old.getChildFile ("data/Starred.mwh").loadFileAsString(), "Favorite=true;");
    EXPECT_EQ (config.getChildFile ("Musewheeler.ini").loadFileAsString(),
               "Musewheeler V1 - Init Data File\r\nLanguage=0;\r\n");
    EXPECT_FALSE (OldProgramCopy::isIn (old));
}

TEST_F (OldProgramCopyTest, keepsTheHelpWhereItIsAlsoTheInstalledOne)
{
    ASSERT_TRUE (OldProgramCopy::takeOver (old, config, true));

    EXPECT_TRUE (old.getChildFile ("help/fr/index.html").existsAsFile());
    EXPECT_FALSE (old.getChildFile ("help.new.4242").exists());
}

TEST_F (OldProgramCopyTest, settingsAlreadyInTheirNewFolderAreNotReplaced)
{
    ASSERT_TRUE (config.getChildFile ("Musewheeler.ini").create());
    ASSERT_TRUE (config.getChildFile ("Musewheeler.ini").replaceWithText ("newer"));

    ASSERT_TRUE (OldProgramCopy::takeOver (old, config, false));
    EXPECT_EQ (config.getChildFile ("Musewheeler.ini").loadFileAsString(), "newer");
    EXPECT_TRUE (old.getChildFile ("Musewheeler.ini").existsAsFile());
}

TEST_F (OldProgramCopyTest, settingsKeptInTheSameFolderStayThere)
{
    ASSERT_TRUE (OldProgramCopy::takeOver (old, old, false));
    EXPECT_TRUE (old.getChildFile ("Musewheeler.ini").existsAsFile());
    EXPECT_FALSE (OldProgramCopy::isIn (old));
}

TEST_F (OldProgramCopyTest, settingsThatCannotBeMovedLeaveTheCopyForTheNextStart)
{
    // A file where the settings folder should be.
    ASSERT_TRUE (config.create());

    EXPECT_FALSE (OldProgramCopy::takeOver (old, config, false));
    EXPECT_TRUE (OldProgramCopy::isIn (old));
    EXPECT_TRUE (old.getChildFile ("Musewheeler.ini").existsAsFile());
}
