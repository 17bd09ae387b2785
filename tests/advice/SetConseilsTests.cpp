#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace
{
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

juce::String header (const juce::String& name = "A set", int language = 1,
                     const juce::String& colour = "10,20,30")
{
    return testing_helpers::SetFileText()
        .withName (name)
        .withDescription ("About it")
        .withAuthor ("Someone")
        .withLanguage (language)
        .withColour (colour)
        .header();
}

juce::String item (const juce::String& text, const juce::String& favorite = "false",
                   const juce::String& tags = "1,")
{
    return testing_helpers::SetFileText::record ({ text, tags, favorite });
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
    SetConseils read (const juce::String& text, SetConseils::LoadMode mode = SetConseils::headerAndAdvice)
    {
        SetConseils set (&tags);
        SetFileReader::readSetText (set, text, mode);
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

    SetFileReader::readSetText (set, header ("Head", 0, "1,2,3") + item ("one") + item ("two"),
                                SetConseils::headerOnly);
    EXPECT_EQ (set.getLoadMode(), SetConseils::headerOnly);
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
    set.loadData (SetConseils::headerAndAdvice);
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
    const juce::String text (testing_helpers::setFileHeader +
                             "\nDescription=D;\nAuthor=A;\nLanguage=x;\nColour=9;\n"
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
// A name, description, author or advice may hold any key word of the format: keys count only at the
// start of a line, after the value before them.
TEST_F (SetConseilsTest, keyWordsInsideValuesSurviveSaveAndReload)
{
    for (const auto& key :
         { juce::String ("Name="), juce::String ("Description="), juce::String ("Author="),
           juce::String ("Language="), juce::String ("Colour="), juce::String ("Item="),
           juce::String ("Favorite="), juce::String ("Tags="), testing_helpers::setFileHeader })
    {
        const juce::String word (key);
        SetConseils original (&tags);
        original.setName (word + "name " + word);
        original.setDescription ("See " + word + "2 and\r\n" + word + "3 on its own line");
        original.setAuthor (word);
        original.setLanguage (1);
        original.setColourSet (juce::Colour (40, 50, 60));

        const juce::StringArray texts{ word + "first", "Then " + word + "true", word, "Last " + word };

        for (int i = 0; i < texts.size(); ++i)
        {
            original.addNewConseil();
            original.setDescriptionItem (i, texts[i]);
            original.setHashTags (i, juce::String (100 + i) + ",");
            original.setFavoriteItem (i, i % 2 == 1);
        }

        original.setFileSet (folder.child ("keys.mwh"));
        ASSERT_TRUE (original.saveData());

        SetConseils copy (&tags);
        copy.setFileSet (original.getFileSet());
        copy.loadData (SetConseils::headerAndAdvice);

        EXPECT_EQ (copy.getName(), original.getName()) << key;
        EXPECT_EQ (copy.getDescription(), original.getDescription()) << key;
        EXPECT_EQ (copy.getAuthor(), original.getAuthor()) << key;
        EXPECT_EQ (copy.getLanguage(), 1) << key;
        EXPECT_EQ (copy.getColourSet(), original.getColourSet()) << key;
        ASSERT_EQ (copy.getNumConseils(), 4) << key;

        for (int i = 0; i < 4; ++i)
        {
            const auto originalIndex = texts.indexOf (copy.getDescriptionItem (i));
            ASSERT_GE (originalIndex, 0) << key << " " << copy.getDescriptionItem (i);
            EXPECT_EQ (copy.getHashTags (i), original.getHashTags (originalIndex)) << key;
            EXPECT_EQ (copy.getFavoriteItem (i), original.getFavoriteItem (originalIndex)) << key;
        }

        EXPECT_TRUE (copy.wasReadWhole()) << key;

        SetConseils header (&tags);
        header.setFileSet (original.getFileSet());
        header.loadData (SetConseils::headerOnly);
        EXPECT_EQ (header.getName(), original.getName()) << key;
        EXPECT_EQ (header.getAuthor(), original.getAuthor()) << key;
        EXPECT_EQ (header.getColourSet(), original.getColourSet()) << key;
    }
}

// Hand-edited files: keys may be indented, lines may end in CR, LF or CR LF, blank lines lie anywhere.
TEST_F (SetConseilsTest, readsHandEditedLayouts)
{
    const auto set =
        read (testing_helpers::setFileHeader + "\r\r\n  Name=Hand;\n\tDescription=Made by hand;\r"
                                               "Author=Me;\n\n\nLanguage=0;\nColour=1,2,3;\n"
                                               "  Item=indented;\n    Favorite=true;\n    Tags=5,4,;\n\n\n"
                                               "Item=plain;\rFavorite=false;\rTags=;\r");
    EXPECT_EQ (set.getName(), "Hand");
    EXPECT_EQ (set.getDescription(), "Made by hand");
    EXPECT_EQ (set.getAuthor(), "Me");
    EXPECT_EQ (set.getColourSet(), juce::Colour (1, 2, 3));
    ASSERT_EQ (itemTexts (set), juce::StringArray ("indented", "plain"));
    EXPECT_TRUE (set.getFavoriteItem (0));
    EXPECT_EQ (set.getHashTags (0), "4,5,");
    EXPECT_TRUE (set.wasReadWhole());

    // A key inside a line is no key: the text is passed over, and the record goes on after it.
    const auto inLine = read (header() + "Item=one; Item=two;\nFavorite=true;\n");
    EXPECT_EQ (itemTexts (inLine), juce::StringArray ("one"));
    EXPECT_TRUE (inLine.getFavoriteItem (0));
    EXPECT_FALSE (inLine.wasReadWhole());
}

//==============================================================================
// What a reader passes over would be lost by the next write of the set: the set tells so.
TEST_F (SetConseilsTest, tellsWhetherItReadTheWholeText)
{
    const auto whole = read (header() + item ("one", "true", "1,2,") + "\r\n\r\n" + item ("two") + "\n");
    EXPECT_EQ (whole.getNumConseils(), 2);
    EXPECT_TRUE (whole.wasReadWhole());
    EXPECT_TRUE (SetConseils (&tags).wasReadWhole()) << "a set made in memory";

    const juce::String passedOver[] = {
        header() + "Item=abc;def;\nFavorite=false;\nTags=1,;\n",
        header() + item ("one") + "stray words\n" + item ("two"),
        "junk before the header\n" + header() + item ("one"),
        header() + "Colour=4,5,6;\n" + item ("one"),
        header() + item ("one", "yes"),
        header() + item ("one", "false", "1,2"),
        header() + item ("one", "false", "1,2x,"),
        header ("N", 1, "1,2") + item ("one"),
        header() + item ("one") + "Item=cut off",
        header() + "Item=one;\nTags=1,;\nFavorite=true;\n",
    };

    for (const auto& text : passedOver)
    {
        auto set = read (text);
        EXPECT_FALSE (set.wasReadWhole()) << text;

        set.setFileSet (folder.child ("rewritten.mwh"));
        ASSERT_TRUE (set.saveData());
        EXPECT_TRUE (set.wasReadWhole()) << "the file now holds exactly the set";
    }

    EXPECT_FALSE (read (header() + item ("one"), SetConseils::headerOnly).wasReadWhole())
        << "a header-only read";
}

TEST_F (SetConseilsTest, aZeroCharacterEndsTheReadAndIsNoted)
{
    juce::String text = header();

    for (int i = 0; i < 60; ++i)
        text << item ("advice " + juce::String (i).paddedLeft ('0', 2));

    const auto utf16 = Utf16TextFile::encode (text);
    const auto utf8 = text.toStdString();

    const auto withZeroAt = [] (const void* data, size_t size, size_t zeroAt, size_t zeroBytes)
    {
        juce::MemoryBlock block (data, size);
        std::memset (static_cast<char*> (block.getData()) + zeroAt, 0, zeroBytes);
        return block;
    };

    // The CR LF line ends of the encoded text come before the cut: the position counts characters.
    const auto cut = (size_t) text.indexOf ("Item=advice 10");
    const auto cutInUtf16 = (size_t) Utf16TextFile::encode (text.substring (0, (int) cut)).getSize();
    const juce::MemoryBlock files[] = { withZeroAt (utf16.getData(), utf16.getSize(), cutInUtf16, 2),
                                        withZeroAt (utf8.data(), utf8.size(), cut, 1) };

    for (const auto& bytes : files)
    {
        const auto file = folder.child ("zero.mwh");
        ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));
        SetConseils set (&tags);
        set.setFileSet (file);
        set.loadData (SetConseils::headerAndAdvice);
        EXPECT_EQ (set.getNumConseils(), 10);
        EXPECT_FALSE (set.wasReadWhole());
    }

    SetConseils odd (&tags);
    const auto oddFile = folder.child ("odd.mwh");
    juce::MemoryBlock oddBytes (utf16);
    oddBytes.append ("x", 1);
    ASSERT_TRUE (oddFile.replaceWithData (oddBytes.getData(), oddBytes.getSize()));
    odd.setFileSet (oddFile);
    odd.loadData (SetConseils::headerAndAdvice);
    EXPECT_EQ (odd.getNumConseils(), 60);
    EXPECT_FALSE (odd.wasReadWhole()) << "a byte after the last whole UTF-16 unit";

    SetConseils clean (&tags);
    const auto cleanFile = folder.child ("clean.mwh");
    ASSERT_TRUE (cleanFile.replaceWithData (utf16.getData(), utf16.getSize()));
    clean.setFileSet (cleanFile);
    clean.loadData (SetConseils::headerAndAdvice);
    EXPECT_EQ (clean.getNumConseils(), 60);
    EXPECT_TRUE (clean.wasReadWhole());
}

//==============================================================================
// Tag lists are read and written in one pass each: ascending, each hash once, whatever the list held.
TEST_F (SetConseilsTest, tagListsOfAnyLengthComeOutSortedWithoutRepeats)
{
    juce::Random random (12);
    juce::String list;
    std::set<int> expected;

    for (int i = 0; i < 5000; ++i)
    {
        const auto hash = random.nextInt (3000) - 100;
        list << hash << ",";
        expected.insert (hash);
    }

    juce::String expectedList;

    for (const auto hash : expected)
        expectedList << hash << ",";

    auto set = read (header() + item ("many", "false", list) + item ("few", "false", "7,3,7,-2,3,"));
    ASSERT_EQ (set.getNumConseils(), 2);
    EXPECT_EQ (set.getHashTags (1), expectedList);
    EXPECT_EQ (set.getNumTags (1), (int) expected.size());
    EXPECT_EQ (set.getHashTags (0), "-2,3,7,");

    set.setHashTags (0, "9,1,9,5,1,");
    EXPECT_EQ (set.getHashTags (0), "1,5,9,");
    set.setOldHashTags (0, "SING,GUIT,SING,");
    EXPECT_EQ (set.getHashTags (0), "200,211,");

    set.setFileSet (folder.child ("tags.mwh"));
    ASSERT_TRUE (set.saveData());
    SetConseils copy (&tags);
    copy.setFileSet (set.getFileSet());
    copy.loadData (SetConseils::headerAndAdvice);
    EXPECT_EQ (copy.getHashTags (1), expectedList);
    EXPECT_EQ (copy.getHashTags (0), "200,211,");
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
    const auto nanoseconds = writtenStatus.modificationTime;
    const timespec times[2] = { { 0, UTIME_OMIT },
                                { (time_t) (nanoseconds / 1000000000), (long) (nanoseconds % 1000000000) } };
    ASSERT_EQ (utimensat (AT_FDCWD, file.getFullPathName().toRawUTF8(), times, 0), 0);
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

// A file beyond the size limit is no set: opened directly (as the editor does), nothing of it is read.
TEST_F (SetConseilsTest, readsNothingOfAFileBeyondTheSizeLimit)
{
    const auto file = folder.child ("huge.mwh");
    const auto text = Utf16TextFile::encode (header ("Huge") + item ("one"));

    {
        juce::FileOutputStream stream (file);
        ASSERT_TRUE (stream.write (text.getData(), text.getSize()));
        ASSERT_TRUE (stream.setPosition (SetConseils::maximumFileBytes));
        ASSERT_TRUE (stream.writeByte ('x'));
    }

    SetConseils set (&tags);
    set.setFileSet (file);

    for (const auto legacy : { false, true })
    {
        if (legacy)
            set.loadOldData (SetConseils::headerAndAdvice);
        else
            set.loadData (SetConseils::headerAndAdvice);

        EXPECT_EQ (set.getNumConseils(), 0) << legacy;
        EXPECT_NE (set.getName(), "Huge") << legacy;
        EXPECT_FALSE (set.wasReadWhole()) << legacy;
        EXPECT_FALSE (set.isUnchangedOnDisk()) << legacy;
    }
}
