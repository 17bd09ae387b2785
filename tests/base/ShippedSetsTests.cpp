#include "TestHelpers.h"
#include "base/ShippedSets.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
// A shipped folder and a user's folder of the test's own.
class ShippedSetsUpdateTest : public ::testing::Test
{
protected:
    ShippedSetsUpdateTest()
    {
        shipped.createDirectory();
        writeShipped ("a.mwh", "first set, version 1");
        writeShipped ("b.mwh", "second set, version 1");
    }

    void writeShipped (const juce::String& name, const juce::String& text)
    {
        ASSERT_TRUE (shipped.getChildFile (name).replaceWithText (text));
    }

    juce::File mine (const juce::String& name) const
    {
        return user.getChildFile ("data").getChildFile (name);
    }

    juce::String recorded (const juce::String& name) const
    {
        const auto record = ShippedSets::readRecord (user.getChildFile (ShippedSets::recordName));
        const auto found = record.find (name);
        return found != record.end() ? found->second : juce::String();
    }

    juce::StringArray namesInData() const
    {
        juce::StringArray names;

        for (const auto& file : user.getChildFile ("data").findChildFiles (juce::File::findFiles, false, "*"))
            names.add (file.getFileName());

        names.sort (false);
        return names;
    }

    testing_helpers::TemporaryFolder root;
    juce::File shipped = root.child ("share/musewheeler/shipped");
    juce::File user = root.child ("home/.local/share/musewheeler");
};
} // namespace

TEST_F (ShippedSetsUpdateTest, aNewUserGetsEveryShippedSetAndTheirChecksums)
{
    ASSERT_TRUE (ShippedSets::update (shipped, user));

    EXPECT_EQ (namesInData(), juce::StringArray ({ "a.mwh", "b.mwh" }));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1");
    EXPECT_EQ (recorded ("a.mwh"), ShippedSets::checksumOf (shipped.getChildFile ("a.mwh")));
    EXPECT_EQ (recorded ("b.mwh"), ShippedSets::checksumOf (shipped.getChildFile ("b.mwh")));
    EXPECT_EQ (recorded ("a.mwh").length(), 16);
}

TEST_F (ShippedSetsUpdateTest, checksumsTellDifferentBytesApartAndAnUnreadableFileHasNone)
{
    ASSERT_TRUE (root.child ("one").replaceWithText ("Favorite=false;"));
    ASSERT_TRUE (root.child ("two").replaceWithText ("Favorite=true;"));
    ASSERT_TRUE (root.child ("three").replaceWithText ("Favorite=false;"));

    EXPECT_NE (ShippedSets::checksumOf (root.child ("one")), ShippedSets::checksumOf (root.child ("two")));
    EXPECT_EQ (ShippedSets::checksumOf (root.child ("one")), ShippedSets::checksumOf (root.child ("three")));
    EXPECT_EQ (ShippedSets::checksumOf (root.child ("missing")), juce::String());
}

TEST_F (ShippedSetsUpdateTest, aSetTheUserNeverChangedIsReplacedByTheNewVersionAndBackAfterADowngrade)
{
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    writeShipped ("a.mwh", "first set, version 2");

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 2");
    EXPECT_EQ (recorded ("a.mwh"), ShippedSets::checksumOf (shipped.getChildFile ("a.mwh")));

    writeShipped ("a.mwh", "first set, version 1");
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1");
}

TEST_F (ShippedSetsUpdateTest, aSetTheUserChangedStaysAsTheUserLeftIt)
{
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    ASSERT_TRUE (mine ("a.mwh").replaceWithText ("first set, version 1, with a favourite"));
    const auto lastShipped = recorded ("a.mwh");
    writeShipped ("a.mwh", "first set, version 2");

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1, with a favourite");
    EXPECT_EQ (recorded ("a.mwh"), lastShipped);

    // A later version still leaves it alone.
    writeShipped ("a.mwh", "first set, version 3");
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1, with a favourite");
}

TEST_F (ShippedSetsUpdateTest, aDeletedSetStaysDeletedAndTheDeletionIsRecorded)
{
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    ASSERT_TRUE (mine ("b.mwh").deleteFile());

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_FALSE (mine ("b.mwh").exists());
    EXPECT_EQ (recorded ("b.mwh"), ShippedSets::deleted);

    writeShipped ("b.mwh", "second set, version 2");
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_FALSE (mine ("b.mwh").exists());
}

TEST_F (ShippedSetsUpdateTest, aSetShippedLaterIsAddedAndTheUsersOwnSetsAreLeftAlone)
{
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    ASSERT_TRUE (mine ("mine.mwh").replaceWithText ("my own set"));
    writeShipped ("c.mwh", "third set");

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (namesInData(), juce::StringArray ({ "a.mwh", "b.mwh", "c.mwh", "mine.mwh" }));
    EXPECT_EQ (mine ("mine.mwh").loadFileAsString(), "my own set");
    EXPECT_TRUE (recorded ("mine.mwh").isEmpty());
}

TEST_F (ShippedSetsUpdateTest, aSetOfAShippedNameTheUserHadBeforeAnyRecordIsTheirs)
{
    ASSERT_TRUE (mine ("a.mwh").create());
    ASSERT_TRUE (mine ("a.mwh").replaceWithText ("first set, starred by the user of an old copy"));
    ASSERT_TRUE (mine ("b.mwh").replaceWithText ("second set, version 1"));

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, starred by the user of an old copy");
    EXPECT_EQ (recorded ("b.mwh"), ShippedSets::checksumOf (shipped.getChildFile ("b.mwh")));

    writeShipped ("a.mwh", "first set, version 2");
    writeShipped ("b.mwh", "second set, version 2");
    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, starred by the user of an old copy");
    EXPECT_EQ (mine ("b.mwh").loadFileAsString(), "second set, version 2");
}

TEST_F (ShippedSetsUpdateTest, theLitterOfAnInterruptedCopyIsRemovedAndTheCopyMadeWhole)
{
    ASSERT_TRUE (mine (".a.mwh.part-1f2e3d").create());
    ASSERT_TRUE (mine (".a.mwh.part-1f2e3d").replaceWithText ("first set, ver"));
    ASSERT_TRUE (user.getChildFile (".shipped-sets.txt.part-99").replaceWithText ("0123"));
    const auto interrupted = juce::Time::getCurrentTime() - juce::RelativeTime::minutes (5);
    ASSERT_TRUE (mine (".a.mwh.part-1f2e3d").setLastModificationTime (interrupted));
    ASSERT_TRUE (user.getChildFile (".shipped-sets.txt.part-99").setLastModificationTime (interrupted));
    // A copy under way in another program, just begun.
    ASSERT_TRUE (mine (".b.mwh.part-77").replaceWithText ("second"));

    ASSERT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_EQ (namesInData(), juce::StringArray ({ ".b.mwh.part-77", "a.mwh", "b.mwh" }));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1");
    EXPECT_FALSE (user.getChildFile (".shipped-sets.txt.part-99").exists());
}

TEST_F (ShippedSetsUpdateTest, aFolderThatCannotBeWrittenGetsNothingAndSaysSo)
{
    // A file where the user's folder should be: nothing can be made inside it.
    ASSERT_TRUE (user.create());

    EXPECT_FALSE (ShippedSets::update (shipped, user));
    EXPECT_TRUE (user.existsAsFile());
}

TEST_F (ShippedSetsUpdateTest, aFolderInASetsPlaceIsLeftAloneAndTheOtherSetsAreCopied)
{
    ASSERT_TRUE (mine ("a.mwh").getChildFile ("kept.txt").create());

    EXPECT_TRUE (ShippedSets::update (shipped, user));
    EXPECT_TRUE (mine ("a.mwh").getChildFile ("kept.txt").existsAsFile());
    EXPECT_EQ (mine ("b.mwh").loadFileAsString(), "second set, version 1");
}

TEST_F (ShippedSetsUpdateTest, programsUpdatingTheFolderAtOnceEachLeaveEverySetWhole)
{
    std::vector<std::thread> starts;
    std::atomic<int> completed{ 0 };

    for (int i = 0; i < 6; ++i)
        starts.emplace_back ([&] { completed += ShippedSets::update (shipped, user) ? 1 : 0; });

    for (auto& start : starts)
        start.join();

    EXPECT_EQ (completed, 6);
    EXPECT_EQ (namesInData(), juce::StringArray ({ "a.mwh", "b.mwh" }));
    EXPECT_EQ (mine ("a.mwh").loadFileAsString(), "first set, version 1");
    EXPECT_EQ (mine ("b.mwh").loadFileAsString(), "second set, version 1");
    EXPECT_EQ (recorded ("b.mwh"), ShippedSets::checksumOf (shipped.getChildFile ("b.mwh")));
}
