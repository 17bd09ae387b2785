#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/LibSetsConseils.h"
#include "advice/LibSetsConseilsTestHelpers.h"
#include "base/RegularFile.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace
{
using namespace library_testing;
using testing_helpers::besideProgram;
} // namespace

//==============================================================================
// The file system under the library may change or fail between reading a set and marking one of its
// advice: the mark is then not made, and no file is written over, recreated or shortened.
TEST_F (LibSetsConseilsDataFolderTest, aSetRemovedReplacedOrEditedSinceItWasReadIsLeftAsItIs)
{
    writeThreeSets();
    library.generateFilteredList (1, -1, "", -1, false);
    ASSERT_EQ (filteredTexts(), juce::StringArray ("e1", "e2", "e3", "f1", "f2", "x1"));

    const auto removed = besideProgram ("data").getChildFile ("a-english.mwh");
    ASSERT_TRUE (removed.deleteFile());
    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::fileChanged);
    EXPECT_FALSE (removed.exists());
    EXPECT_FALSE (library.getFavorite (0));

    const auto junk = writeBytes ("data", "b-french.mwh", std::string ("\x01junk\x00Item=f1;\xff", 12));
    const auto junkBytes = testing_helpers::fileBytes (junk);
    EXPECT_EQ (library.setFavorite (4, true), LibSetsConseils::FavoriteSaving::fileChanged);
    EXPECT_EQ (testing_helpers::fileBytes (junk), junkBytes);
    EXPECT_FALSE (library.getFavorite (4));

    // Edited elsewhere, e.g. in the set editor, with its marks as they were.
    const auto edited = write ("data", "c-english.mwh", setText ("English two", 1, { "x1 edited|false|1," }));
    const auto editedBytes = testing_helpers::fileBytes (edited);
    EXPECT_EQ (library.setFavorite (5, true), LibSetsConseils::FavoriteSaving::fileChanged);
    EXPECT_EQ (testing_helpers::fileBytes (edited), editedBytes);

    // Reading the sets again takes the files as they are now.
    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    ASSERT_EQ (filteredTexts(), juce::StringArray ("x1 edited"));
    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
}

TEST_F (LibSetsConseilsDataFolderTest, marksSavedMeanwhileByAnotherInstanceAreKept)
{
    writeThreeSets();
    LibSetsConseils other (&tags);
    other.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "a-english.mwh", -1, false);
    other.generateFilteredList (1, -1, "a-english.mwh", -1, false);

    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
    EXPECT_EQ (other.setFavorite (2, false), LibSetsConseils::FavoriteSaving::saved);
    EXPECT_TRUE (other.getFavorite (0)) << "the other instance's mark is taken in";

    LibSetsConseils third (&tags);
    third.loadLibSetsConseils();
    third.generateFilteredList (1, -1, "a-english.mwh", -1, false);
    EXPECT_TRUE (third.getFavorite (0));
    EXPECT_TRUE (third.getFavorite (1));
    EXPECT_FALSE (third.getFavorite (2));
}

TEST_F (LibSetsConseilsDataFolderTest, aMarkThatCannotBeWrittenLeavesTheFileAndTheMarkAsTheyWere)
{
    writeThreeSets();
    library.generateFilteredList (1, -1, "a-english.mwh", -1, false);
    const auto file = besideProgram ("data").getChildFile ("a-english.mwh");
    const auto before = testing_helpers::fileBytes (file);

    if (const auto why = fault_injection::ScopedFileSizeLimit::whyUnavailable(); why.isNotEmpty())
        GTEST_SKIP() << why;

    {
        fault_injection::ScopedFileSizeLimit fullDisk (64);
        ASSERT_TRUE (fullDisk.holds());
        EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::writeFailed);
    }

    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    EXPECT_FALSE (library.getFavorite (0));
    EXPECT_EQ (besideProgram ("data").getNumberOfChildFiles (juce::File::findFilesAndDirectories), 3);

    {
        fault_injection::ScopedReadOnlyFolder readOnly (besideProgram ("data"));

        if (!readOnly.holds())
            GTEST_SKIP() << "the data folder cannot be made read-only for this process";

        EXPECT_EQ (library.setFavorite (1, false), LibSetsConseils::FavoriteSaving::writeFailed);
    }

    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    EXPECT_TRUE (library.getFavorite (1));
    EXPECT_EQ (library.setFavorite (1, false), LibSetsConseils::FavoriteSaving::saved);
}

// A hand-written UTF-8 set may hold characters beyond the Basic Multilingual Plane, in its texts and its
// file name; every rewrite writes them as UTF-16 surrogate pairs and reads them back unchanged.
TEST_F (LibSetsConseilsDataFolderTest, charactersBeyondTheBasicPlaneSurviveEveryRewrite)
{
    const auto guitar = testing_helpers::utf8 ("\xf0\x9f\x8e\xb8");
    const auto fileName = guitar + " songs.mwh";
    const auto file = write ("data", fileName,
                             setText ("Riffs " + guitar, 1, { "Play it " + guitar + " loud|false|1,2," }));
    library.loadLibSetsConseils();

    for (const auto mark : { true, false, true })
    {
        library.generateFilteredList (1, -1, fileName, -1, false);
        ASSERT_EQ (library.getNumConseilsFiltered(), 1);
        EXPECT_EQ (library.setFavorite (0, mark), LibSetsConseils::FavoriteSaving::saved);
    }

    const auto bytes = testing_helpers::fileBytes (file);
    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    const juce::uint8 surrogatePair[] = { 0x3c, 0xd8, 0xb8, 0xdf };
    EXPECT_NE (
        std::search (data, data + bytes.getSize(), std::begin (surrogatePair), std::end (surrogatePair)),
        data + bytes.getSize());

    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, fileName, -1, false);
    ASSERT_EQ (filteredTexts(), juce::StringArray ("Play it " + guitar + " loud"));
    EXPECT_EQ (library.getNameFiltered (0), "Riffs " + guitar);
    EXPECT_TRUE (library.getFavorite (0));
}

//==============================================================================
// Two advice of the same text with different tags, as the editor's Duplicate button makes them, in a set
// large enough for an unstable sort to move them: every mark is saved.
TEST_F (LibSetsConseilsDataFolderTest, everyMarkIsSavedInASetWithTwinAdvice)
{
    juce::StringArray items;

    for (int i = 0; i < 28; ++i)
        items.add ("advice " + juce::String (i % 7) + " " + juce::String (i) + "|false|1,");

    // Sorted first, where an unstable sort of an already sorted list swaps them.
    items.add ("a twin|false|1,2,");
    items.add ("a twin|false|3,");
    const auto file = write ("data", "twins.mwh", setText ("Twins", 1, items));
    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    ASSERT_EQ (library.getNumConseilsFiltered(), 30);

    for (int position = 0; position < 30; ++position)
        EXPECT_EQ (library.setFavorite (position, true), LibSetsConseils::FavoriteSaving::saved) << position;

    const auto written = file.loadFileAsString();
    EXPECT_EQ (written.indexOf ("Favorite=true;"), written.indexOf ("Favorite="));
    EXPECT_EQ (juce::StringArray::fromLines (written).indexOf ("Favorite=false;\r"), -1);
    EXPECT_EQ (written.length() - written.replace ("Favorite=true;", "").length(), 30 * 14);
}

// Names, descriptions and advice may hold the format's key words: the scan, the full read and a mark
// keep them as they are.
TEST_F (LibSetsConseilsDataFolderTest, keyWordsInsideTextsAreReadAndKeptAsTheyAre)
{
    SetConseils set (&tags);
    set.setName ("Name=Author=Colour=");
    set.setDescription ("Description=Author=someone else");
    set.setAuthor ("The real author Language=3");
    set.setLanguage (1);
    set.setColourSet (juce::Colour (7, 8, 9));

    const juce::StringArray texts{ "Item=Favorite=true", "Tags=1,2,", "Say Name= and Colour=" };

    for (int i = 0; i < texts.size(); ++i)
    {
        set.addNewConseil();
        set.setDescriptionItem (i, texts[i]);
        set.setHashTags (i, "400,");
    }

    besideProgram ("data").createDirectory();
    set.setFileSet (besideProgram ("data").getChildFile ("keys.mwh"));
    ASSERT_TRUE (set.saveData());

    for (int round = 0; round < 2; ++round)
    {
        library.loadLibSetsConseils();
        ASSERT_EQ (library.getNumSetsConseils(), 1);
        const auto* scanned = library.getSetsConseils()[0];
        EXPECT_EQ (scanned->getName(), set.getName());
        EXPECT_EQ (scanned->getDescription(), set.getDescription());
        EXPECT_EQ (scanned->getAuthor(), set.getAuthor());
        EXPECT_EQ (scanned->getLanguage(), 1);
        EXPECT_EQ (scanned->getColourSet(), set.getColourSet());

        library.generateFilteredList (1, 1, "", -1, false);
        ASSERT_EQ (filteredTexts(),
                   juce::StringArray ("Item=Favorite=true", "Say Name= and Colour=", "Tags=1,2,"));
        EXPECT_EQ (library.getAuthorFiltered (0), set.getAuthor());
        EXPECT_EQ (library.getFavorite (0), round == 1);
        EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
    }
}

//==============================================================================
// A file the reader did not read whole is never written over by a mark: a zero character (UTF-16 or
// UTF-8) or text after a ";" inside a value would be lost for good.
TEST_F (LibSetsConseilsDataFolderTest, aSetNotReadWholeRefusesMarksAndKeepsItsFile)
{
    juce::StringArray items;

    for (int i = 0; i < 60; ++i)
        items.add ("advice " + juce::String (i).paddedLeft ('0', 2) + "|false|1,");

    const auto text = setText ("Sixty", 1, items);
    const auto cut = text.indexOf ("Item=advice 10");
    auto utf16 = asBytes (Utf16TextFile::encode (text));
    const auto cutInUtf16 = Utf16TextFile::encode (text.substring (0, cut)).getSize();
    utf16[cutInUtf16] = utf16[cutInUtf16 + 1] = 0;
    auto utf8 = text.toStdString();
    utf8[(size_t) cut] = 0;

    writeBytes ("data", "utf16.mwh", utf16);
    writeBytes ("data", "utf8.mwh", utf8);
    write ("data", "semicolon.mwh", setText ("Cut", 1, { "abc;def|false|1,", "ghi|false|1," }));
    auto legacy = legacyBytes;
    legacy.insert (legacy.find ("Texte=Chanter"), 1, '\0');
    writeBytes ("data", "legacy.mwh", legacy);
    library.loadLibSetsConseils();

    const std::pair<const char*, int> expectedCounts[] = {
        { "utf16.mwh", 10 }, { "utf8.mwh", 10 }, { "semicolon.mwh", 2 }, { "legacy.mwh", 1 }
    };

    for (const auto& [fileName, count] : expectedCounts)
    {
        const auto file = besideProgram ("data").getChildFile (fileName);
        const auto before = testing_helpers::fileBytes (file);
        library.generateFilteredList (1, -1, fileName, -1, false);
        ASSERT_EQ (library.getNumConseilsFiltered(), count) << fileName;

        EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::fileChanged) << fileName;
        EXPECT_FALSE (library.getFavorite (0)) << fileName;
        EXPECT_EQ (testing_helpers::fileBytes (file), before) << fileName;
    }

    // The same file read whole takes marks again.
    write ("data", "semicolon.mwh", setText ("Cut", 1, { "abc|false|1,", "ghi|false|1," }));
    library.generateFilteredList (1, -1, "semicolon.mwh", -1, false);
    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
}

//==============================================================================
// A mark writes an unchanged file from memory; a file written meanwhile by another instance, even within
// the same timestamp and at the same size, is read again and its marks are kept.
TEST_F (LibSetsConseilsDataFolderTest, marksSavedMeanwhileAtTheSameSizeAndTimeAreKept)
{
    const auto file = write ("data", "four.mwh",
                             setText ("Four", 1, { "p|false|1,", "q|true|1,", "r|false|1,", "s|true|1," }));
    LibSetsConseils other (&tags);
    library.loadLibSetsConseils();
    other.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    other.generateFilteredList (1, -1, "", -1, false);

    ASSERT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
    const auto written = RegularFile::getStatus (file);
    ASSERT_TRUE (written.regular);

    // One mark made, one taken back: the file has its old size again.
    ASSERT_EQ (other.setFavorite (1, false), LibSetsConseils::FavoriteSaving::saved);
    ASSERT_EQ (other.setFavorite (2, true), LibSetsConseils::FavoriteSaving::saved);
    ASSERT_EQ (file.getSize(), written.size);
    ASSERT_TRUE (test_platform::setModificationTime (file, written.modificationTime));

    EXPECT_EQ (library.setFavorite (3, false), LibSetsConseils::FavoriteSaving::saved);
    EXPECT_FALSE (library.getFavorite (1));
    EXPECT_TRUE (library.getFavorite (2));

    LibSetsConseils third (&tags);
    third.loadLibSetsConseils();
    third.generateFilteredList (1, -1, "", -1, false);
    EXPECT_TRUE (third.getFavorite (0));
    EXPECT_FALSE (third.getFavorite (1));
    EXPECT_TRUE (third.getFavorite (2));
    EXPECT_FALSE (third.getFavorite (3));
}
