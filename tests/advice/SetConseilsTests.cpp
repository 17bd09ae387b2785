#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/SetConseils.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

juce::String header (const juce::String& name = "A set", int language = 1,
                     const juce::String& colour = "10,20,30")
{
    return "MusewheelerV1 - Set file\n\nName=" + name +
           ";\nDescription=About it;\nAuthor=Someone;\nLanguage=" + juce::String (language) +
           ";\nColour=" + colour + ";\n\n";
}

juce::String item (const juce::String& text, const juce::String& favorite = "false",
                   const juce::String& tags = "1,")
{
    return "Item=" + text + ";\nFavorite=" + favorite + ";\nTags=" + tags + ";\n\n";
}

juce::StringArray itemTexts (const SetConseils& set)
{
    juce::StringArray texts;

    for (int i = 0; i < set.getNumConseils(); ++i)
        texts.add (set.getDescriptionItem (i));

    return texts;
}

class SetConseilsTest : public ::testing::Test
{
protected:
    SetConseils read (const juce::String& text, int mode = 2)
    {
        SetConseils set (&tags);
        set.readSetText (text, mode);
        return set;
    }

    DataTags tags;
    TemporaryFolder folder;
};
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

    const juce::String expected ("MusewheelerV1 - Set file\r\n\r\nName=Ideas;\r\nDescription=Short ones;\r\n"
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
    copy.loadData (2);

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
    copy.loadData (2);
    EXPECT_EQ (copy.getName(), "Empty");
    EXPECT_EQ (copy.getNumConseils(), 0);
}

TEST_F (SetConseilsTest, readsHashListsOnlyWhereACommaFollows)
{
    const auto set = read (header() + item ("a", "false", "") + item ("b", "false", "5,5,3,") +
                           item ("c", "false", "3,7") + item ("d", "false", " 12x,-4,,"));
    ASSERT_EQ (set.getNumConseils(), 4);
    EXPECT_EQ (set.getHashTags (0), "");
    EXPECT_EQ (set.getHashTags (1), "3,5,");
    EXPECT_EQ (set.getHashTags (2), "3,");
    EXPECT_EQ (set.getHashTags (3), "-4,0,12,");
    EXPECT_EQ (set.getNumTags (1), 2);
    EXPECT_TRUE (set.isTagAssociatedToItem (1, 5));
    EXPECT_FALSE (set.isTagAssociatedToItem (1, 4));
}

TEST_F (SetConseilsTest, sortsAdviceByCodePoints)
{
    const auto set = read (header() + item ("b") + item ("B") + item (utf8 ("é")) + item ("a") + item ("ab") +
                           item ("a b"));
    EXPECT_EQ (itemTexts (set), juce::StringArray ("B", "a", "a b", "ab", "b", utf8 ("é")));
}

TEST_F (SetConseilsTest, readsValuesAsTheWriterLeavesThem)
{
    const auto set =
        read (header ("Name", 1, "256,0,511") + item ("Cut here; not this", "True") + item ("Kept", "true"));
    EXPECT_EQ (set.getColourSet(), juce::Colour (0, 0, 255));
    EXPECT_TRUE (set.getColourSet().isOpaque());
    ASSERT_EQ (set.getNumConseils(), 2);
    EXPECT_EQ (set.getDescriptionItem (0), "Cut here");
    EXPECT_FALSE (set.getFavoriteItem (0));
    EXPECT_EQ (set.getDescriptionItem (1), "Kept");
    EXPECT_TRUE (set.getFavoriteItem (1));
}

TEST_F (SetConseilsTest, headerOnlyReadLeavesNoAdvice)
{
    auto set = read (header ("Head", 0, "1,2,3") + item ("one") + item ("two"));
    EXPECT_EQ (set.getNumConseils(), 2);

    set.readSetText (header ("Head", 0, "1,2,3") + item ("one") + item ("two"), 1);
    EXPECT_EQ (set.getLoadMode(), 1);
    EXPECT_EQ (set.getName(), "Head");
    EXPECT_EQ (set.getDescription(), "About it");
    EXPECT_EQ (set.getAuthor(), "Someone");
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colour (1, 2, 3));
    EXPECT_EQ (set.getNumConseils(), 0);
}

TEST_F (SetConseilsTest, aMissingFileReadsAsAnEmptyBlackSet)
{
    SetConseils set (&tags);
    set.setFileSet (folder.child ("missing.mwh"));
    set.loadData (2);
    EXPECT_EQ (set.getName(), "");
    EXPECT_EQ (set.getAuthor(), "");
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colour (0, 0, 0));
    EXPECT_TRUE (set.getColourSet().isOpaque());
    EXPECT_EQ (set.getNumConseils(), 0);
}

TEST_F (SetConseilsTest, readsDamagedFilesWithoutTakingValuesFromLaterRecords)
{
    // No "Name=", a record without "Favorite=", one without "Tags=", a last record cut before its ";".
    const juce::String text ("MusewheelerV1 - Set file\nDescription=D;\nAuthor=A;\nLanguage=x;\nColour=9;\n"
                             "Item=first;\nTags=400,;\n"
                             "Item=second;\nFavorite=true;\n"
                             "Item=third;\nFavorite=true;\nTags=2,;\n"
                             "Item=trunc");
    const auto set = read (text);
    EXPECT_EQ (set.getName(), "");
    EXPECT_EQ (set.getDescription(), "D");
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colour (9, 0, 0));
    ASSERT_EQ (itemTexts (set), juce::StringArray ({ "first", "second", "third" }));
    EXPECT_FALSE (set.getFavoriteItem (0));
    EXPECT_EQ (set.getHashTags (0), "400,");
    EXPECT_TRUE (set.getFavoriteItem (1));
    EXPECT_EQ (set.getHashTags (1), "");
    EXPECT_TRUE (set.getFavoriteItem (2));
    EXPECT_EQ (set.getHashTags (2), "2,");
}

TEST_F (SetConseilsTest, survivesJunkAndReadsAHugeSetCompletely)
{
    juce::Random random (1234);

    for (int round = 0; round < 200; ++round)
    {
        juce::String junk;
        const auto length = random.nextInt (400);

        for (int i = 0; i < length; ++i)
        {
            static const char pieces[][10] = { "Item=",   "Tags=", ";", ",",  "Favorite=",
                                               "Colour=", "Name=", "9", "\n", "x" };
            junk << pieces[random.nextInt (10)];
        }

        const auto set = read (header() + junk);
        EXPECT_LE (set.getNumConseils(), junk.length());
    }

    juce::MemoryOutputStream big;
    big << header();

    for (int i = 0; i < 20000; ++i)
        big << item ("advice " + juce::String (i), i % 3 == 0 ? "true" : "false", juce::String (i % 5) + ",");

    const auto set = read (big.toUTF8());
    EXPECT_EQ (set.getNumConseils(), 20000);
    EXPECT_EQ (set.getDescriptionItem (0), "advice 0");
    EXPECT_EQ (set.getDescriptionItem (1), "advice 1");
    EXPECT_EQ (set.getDescriptionItem (2), "advice 10");
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
