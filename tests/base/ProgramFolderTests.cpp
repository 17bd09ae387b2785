#include "TestHelpers.h"
#include "base/ProgramFolder.h"

#include <gtest/gtest.h>

namespace
{
// Restores the current folder a test changes.
class ScopedCurrentFolder final
{
public:
    explicit ScopedCurrentFolder (const juce::File& folder) { folder.setAsCurrentWorkingDirectory(); }
    ~ScopedCurrentFolder() { previous.setAsCurrentWorkingDirectory(); }

private:
    juce::File previous = juce::File::getCurrentWorkingDirectory();

    JUCE_DECLARE_NON_COPYABLE (ScopedCurrentFolder)
};
} // namespace

TEST (ProgramFolderTest, isTheFolderOfTheRunningExecutableWhicheverFolderIsCurrent)
{
    const juce::File testProgramFolder (MUSEWHEELER_TEST_PROGRAM_DIR);
    EXPECT_EQ (ProgramFolder::get(), testProgramFolder);

    testing_helpers::TemporaryFolder elsewhere;
    ScopedCurrentFolder current (elsewhere.get());
    ASSERT_EQ (juce::File::getCurrentWorkingDirectory(), elsewhere.get());
    EXPECT_EQ (ProgramFolder::get(), testProgramFolder);
    EXPECT_EQ (ProgramFolder::getSibling ("data"), testProgramFolder.getChildFile ("data"));
}

TEST (ProgramFolderTest, namesItsSiblingsFromTheFolderAndOneLevelUp)
{
    testing_helpers::TemporaryFolder root;
    const ProgramFolder::ScopedOverride scopedOverride (root.child ("bin"));

    EXPECT_EQ (ProgramFolder::getSibling ("data"), root.child ("bin/data"));
    EXPECT_EQ (ProgramFolder::getSibling ("../data"), root.child ("data"));
    EXPECT_EQ (ProgramFolder::getSibling ("Musewheeler.ini"), root.child ("bin/Musewheeler.ini"));
}

TEST (ProgramFolderTest, anOverrideHoldsUntilItGoesAndOverridesNest)
{
    const auto running = ProgramFolder::get();
    testing_helpers::TemporaryFolder root;

    {
        const ProgramFolder::ScopedOverride outer (root.child ("outer"));
        EXPECT_EQ (ProgramFolder::get(), root.child ("outer"));

        {
            const ProgramFolder::ScopedOverride inner (root.child ("inner"));
            EXPECT_EQ (ProgramFolder::get(), root.child ("inner"));
            EXPECT_EQ (ProgramFolder::getSibling ("help"), root.child ("inner/help"));
        }

        EXPECT_EQ (ProgramFolder::get(), root.child ("outer"));
    }

    EXPECT_EQ (ProgramFolder::get(), running);
    EXPECT_NE (running, root.child ("outer"));
}

TEST (ProgramFolderTest, aScopedProgramFolderIsAFreshEmptyFolderOfItsOwnRemovedAfterwards)
{
    juce::File made;

    {
        testing_helpers::ScopedProgramFolder first;
        testing_helpers::ScopedProgramFolder second;
        made = first.get();

        EXPECT_EQ (ProgramFolder::get(), second.get());
        EXPECT_NE (first.get(), second.get());
        EXPECT_TRUE (second.get().isDirectory());
        EXPECT_EQ (second.get().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
        EXPECT_EQ (
            second.get().getParentDirectory().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
    }

    EXPECT_FALSE (made.exists());
    EXPECT_FALSE (made.getParentDirectory().exists());
}

TEST (ProgramFolderTest, isPortableWithADataFolderItCanWriteBesideItOrOneLevelUp)
{
    testing_helpers::TemporaryFolder root;
    const auto bin = root.child ("bin");
    bin.createDirectory();
    EXPECT_FALSE (ProgramFolder::isPortable (bin));

    root.child ("data").createDirectory();
    EXPECT_TRUE (ProgramFolder::isPortable (bin));

    root.child ("data").deleteRecursively();
    bin.getChildFile ("data").createDirectory();
    EXPECT_TRUE (ProgramFolder::isPortable (bin));

    // A data file is no data folder.
    bin.getChildFile ("data").deleteRecursively();
    bin.getChildFile ("data").create();
    EXPECT_FALSE (ProgramFolder::isPortable (bin));
}

TEST (ProgramFolderTest, aPortableProgramKeepsItsSettingsAndHelpBesideItself)
{
    testing_helpers::TemporaryFolder root;
    root.child ("bin/data").createDirectory();
    const ProgramFolder::ScopedOverride scopedOverride (root.child ("bin"));

    EXPECT_TRUE (ProgramFolder::prepare (root.child ("bin")).isEmpty());
    EXPECT_FALSE (ProgramFolder::getInstalledSetsFolder().has_value());
    EXPECT_EQ (ProgramFolder::getSettingsFolder(), root.child ("bin"));
    EXPECT_EQ (ProgramFolder::getHelpFolder(), root.child ("bin/help"));
}
