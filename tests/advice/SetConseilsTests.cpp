#include "TestHelpers.h"
#include "advice/SetConseils.h"
#include "advice/SetConseilsTestHelpers.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace
{
using namespace set_testing;
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;
} // namespace

TEST_F (SetConseilsTest, writesTheFileLayoutAsUtf16WithByteOrderMarkAndCrLf)
{
    SetConseils set (&tags);
    set.setName ("Ideas");
    set.setDescription ("Short ones");
    set.setAuthor ("Me (2026)");
    set.setLanguage (0);
    set.setColourSet (juce::Colour (255, 165, 0));
    set.addNewConseil();
    set.setDescriptionItem (0, "Hum it");
    set.setHashTags (0, "301,0,104,");
    set.setFavoriteItem (0, true);
    set.setFileSet (folder.child ("ideas.mwh"));

    ASSERT_TRUE (set.saveData());

    juce::MemoryBlock bytes;
    ASSERT_TRUE (set.getFileSet().loadFileAsData (bytes));
    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    ASSERT_GE (bytes.getSize(), 4u);
    EXPECT_EQ (data[0], 0xff);
    EXPECT_EQ (data[1], 0xfe);
    EXPECT_EQ (data[2], 'M');
    EXPECT_EQ (data[3], 0);

    const juce::String expected (testing_helpers::setFileHeader +
                                 "\r\n\r\nName=Ideas;\r\nDescription=Short ones;\r\n"
                                 "Author=Me (2026);\r\nLanguage=0;\r\nColour=255,165,0;\r\n\r\n"
                                 "Item=Hum it;\r\nFavorite=true;\r\nTags=0,104,301,;\r\n\r\n");
    EXPECT_EQ (set.getFileSet().loadFileAsString(), expected);
    EXPECT_EQ (bytes.getSize(), 2u + 2u * (size_t) expected.length());
}

TEST_F (SetConseilsTest, readsBackEverythingItWrote)
{
    SetConseils original (&tags);
    original.setName (utf8 ("Round trip é"));
    original.setDescription (utf8 ("Àccents and \"quotes\""));
    original.setAuthor ("Author");
    original.setLanguage (1);
    original.setColourSet (juce::Colour (1, 2, 250));

    const juce::StringArray texts{ "zeta", "Alpha", utf8 ("milieu été \xf0\x9f\x8e\xb8"), "Beta" };

    for (int i = 0; i < texts.size(); ++i)
    {
        original.addNewConseil();
        original.setDescriptionItem (i, texts[i]);
        original.setHashTags (i, juce::String (i) + ",417," + juce::String (200 + i) + ",");
        original.setFavoriteItem (i, i % 2 == 0);
    }

    original.setFileSet (folder.child ("round.mwh"));
    ASSERT_TRUE (original.saveData());

    SetConseils copy (&tags);
    copy.setFileSet (original.getFileSet());
    copy.loadData (SetConseils::headerAndAdvice);

    EXPECT_EQ (copy.getName(), original.getName());
    EXPECT_EQ (copy.getDescription(), original.getDescription());
    EXPECT_EQ (copy.getAuthor(), original.getAuthor());
    EXPECT_EQ (copy.getLanguage(), 1);
    EXPECT_EQ (copy.getColourSet(), original.getColourSet());
    ASSERT_EQ (copy.getNumConseils(), 4);
    EXPECT_EQ (itemTexts (copy),
               juce::StringArray ("Alpha", "Beta", utf8 ("milieu été \xf0\x9f\x8e\xb8"), "zeta"));

    for (int i = 0; i < copy.getNumConseils(); ++i)
    {
        const auto originalIndex = texts.indexOf (copy.getDescriptionItem (i));
        EXPECT_EQ (copy.getHashTags (i), original.getHashTags (originalIndex));
        EXPECT_EQ (copy.getFavoriteItem (i), original.getFavoriteItem (originalIndex));
    }
}

TEST_F (SetConseilsTest, aSetWithoutAdviceIsTheHeaderAndOneEmptyLine)
{
    SetConseils set (&tags);
    set.setName ("Empty");
    set.setColourSet (juce::Colours::black);
    EXPECT_TRUE (set.createSetText().endsWith ("Colour=0,0,0;\n\n"));

    set.setFileSet (folder.child ("empty.mwh"));
    ASSERT_TRUE (set.saveData());

    SetConseils copy (&tags);
    copy.setFileSet (set.getFileSet());
    copy.loadData (SetConseils::headerAndAdvice);
    EXPECT_EQ (copy.getName(), "Empty");
    EXPECT_EQ (copy.getNumConseils(), 0);
}

TEST_F (SetConseilsTest, acceptsAnyIndexWithoutTouchingTheAdvice)
{
    auto set = read (header() + item ("only", "true", "2,"));

    for (const auto index : { -1, 1, 1000 })
    {
        EXPECT_EQ (set.getDescriptionItem (index), "");
        EXPECT_FALSE (set.getFavoriteItem (index));
        EXPECT_FALSE (set.isTagAssociatedToItem (index, 2));
        EXPECT_EQ (set.getNumTags (index), 0);
        EXPECT_EQ (set.getHashTags (index), "");
        set.setDescriptionItem (index, "x");
        set.setHashTags (index, "5,");
        set.addTagToItem (index, 5);
        set.setOldHashTags (index, "GUIT,");
        set.removeConseil (index);
        set.duplicateConseil (0, index);
        set.duplicateConseil (index, 0);
    }

    ASSERT_EQ (set.getNumConseils(), 1);
    EXPECT_EQ (set.getDescriptionItem (0), "only");
    EXPECT_EQ (set.getHashTags (0), "2,");
    EXPECT_TRUE (set.getFavoriteItem (0));
}

TEST_F (SetConseilsTest, editsAdviceInPlace)
{
    auto set = read (header() + item ("one", "true", "2,400,") + item ("two"));
    set.addNewConseil();
    ASSERT_EQ (set.getNumConseils(), 3);
    EXPECT_EQ (set.getDescriptionItem (2), "");
    EXPECT_EQ (set.getNumTags (2), 0);

    set.duplicateConseil (0, 2);
    EXPECT_EQ (set.getDescriptionItem (2), "one");
    EXPECT_EQ (set.getHashTags (2), "2,400,");
    EXPECT_FALSE (set.getFavoriteItem (2));

    set.addTagToItem (2, 100);
    set.addTagToItem (2, 100);
    EXPECT_EQ (set.getHashTags (2), "2,100,400,");
    EXPECT_EQ (set.getHashTags (0), "2,400,");

    set.removeConseil (0);
    EXPECT_EQ (itemTexts (set), juce::StringArray ({ "two", "one" }));
}

TEST_F (SetConseilsTest, saveReportsAFolderThatCannotBeWritten)
{
    SetConseils set (&tags);
    set.setFileSet (folder.child ("no-such-folder").getChildFile ("set.mwh"));
    EXPECT_FALSE (set.saveData());

    SetConseils unnamed (&tags);
    EXPECT_FALSE (unnamed.saveData());
}

//==============================================================================
// Equal texts (the editor's Duplicate button makes them) keep the order the file gives them, so that a
// set read again compares equal to the set in memory; sets of more than 16 advice are where an unstable
// sort starts to move them.
TEST_F (SetConseilsTest, adviceWithEqualTextsKeepTheFileOrderAndReadBackEqual)
{
    juce::String text = header();

    for (int i = 0; i < 28; ++i)
        text << item ("advice " + juce::String (i % 10) + "-" + juce::String (i), "false", "1,");

    // Sorted first, where an unstable sort of an already sorted list swaps them.
    text << item ("a twin", "false", "1,2,") << item ("a twin", "true", "3,");
    auto set = read (text);
    ASSERT_EQ (set.getNumConseils(), 30);
    set.setFileSet (folder.child ("twins.mwh"));

    for (int round = 0; round < 3; ++round)
    {
        ASSERT_TRUE (set.saveData());
        SetConseils again (&tags);
        again.setFileSet (set.getFileSet());
        again.loadData (SetConseils::headerAndAdvice);
        EXPECT_TRUE (again.hasSameAdviceAs (set)) << round;
        set.setFavoriteItem (round, true);
    }

    const auto first = itemTexts (set).indexOf ("a twin");
    EXPECT_EQ (set.getHashTags (first), "1,2,");
    EXPECT_EQ (set.getHashTags (first + 1), "3,");
}

//==============================================================================
// The record of the file as last read or written tells another program's change from none.
TEST_F (SetConseilsTest, tellsWhetherItsFileStillHoldsWhatItReadOrWrote)
{
    SetConseils set (&tags);
    EXPECT_FALSE (set.isUnchangedOnDisk()) << "a set made in memory has no file";

    const auto file = folder.child ("watched.mwh");
    ASSERT_TRUE (file.replaceWithText (header() + item ("one") + item ("two"), false, false, "\n"));
    set.setFileSet (file);
    set.loadData (SetConseils::headerAndAdvice);
    EXPECT_TRUE (set.isUnchangedOnDisk());

    // Touched but not changed: the bytes tell.
    ASSERT_TRUE (file.setLastModificationTime (juce::Time::getCurrentTime() - juce::RelativeTime::hours (1)));
    EXPECT_TRUE (set.isUnchangedOnDisk());

    set.setFavoriteItem (0, true);
    ASSERT_TRUE (set.saveData());
    EXPECT_TRUE (set.isUnchangedOnDisk());
    const auto written = testing_helpers::fileBytes (file);
    const auto writtenStatus = RegularFile::getStatus (file);

    // Changed in place to other bytes of the same size, within the same timestamp: still told apart.
    const auto changed = Utf16TextFile::encode (set.createSetText().replace ("Item=two", "Item=owt"));
    ASSERT_EQ (changed.getSize(), written.getSize());
    {
        juce::FileOutputStream stream (file);
        ASSERT_TRUE (stream.openedOk());
        ASSERT_TRUE (stream.setPosition (0));
        ASSERT_TRUE (stream.write (changed.getData(), changed.getSize()));
    }
    ASSERT_TRUE (test_platform::setModificationTime (file, writtenStatus.modificationTime));
    ASSERT_EQ (RegularFile::getStatus (file), writtenStatus);
    EXPECT_FALSE (set.isUnchangedOnDisk());

    ASSERT_TRUE (file.replaceWithData (written.getData(), written.getSize()));
    EXPECT_TRUE (set.isUnchangedOnDisk()) << "the same bytes again";

    ASSERT_TRUE (file.replaceWithText (header() + item ("one") + item ("three"), false, false, "\n"));
    EXPECT_FALSE (set.isUnchangedOnDisk());

    ASSERT_TRUE (file.deleteFile());
    EXPECT_FALSE (set.isUnchangedOnDisk());
    ASSERT_TRUE (file.createDirectory());
    EXPECT_FALSE (set.isUnchangedOnDisk());

    ASSERT_TRUE (set.saveData() == false);
    set.setFileSet (folder.child ("other.mwh"));
    EXPECT_FALSE (set.isUnchangedOnDisk()) << "never read or written by this set";
    ASSERT_TRUE (set.saveData());
    EXPECT_TRUE (set.isUnchangedOnDisk());

    set.loadData (SetConseils::headerOnly);
    EXPECT_FALSE (set.isUnchangedOnDisk()) << "a header-only read does not know the whole file";
}
