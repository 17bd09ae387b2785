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
