#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::besideProgram;

juce::String setText (const juce::String& name, int language, const juce::StringArray& items,
                      const juce::String& colour = "10,20,30")
{
    juce::MemoryOutputStream text;
    text << "MusewheelerV1 - Set file\n\nName=" << name << ";\nDescription=;\nAuthor=" << name
         << " author;\nLanguage=" << language << ";\nColour=" << colour << ";\n\n";

    // Each entry is "text|favorite|tags".
    for (const auto& entry : items)
    {
        const auto parts = juce::StringArray::fromTokens (entry, "|", "");
        text << "Item=" << parts[0] << ";\nFavorite=" << parts[1] << ";\nTags=" << parts[2] << ";\n\n";
    }

    return text.toUTF8();
}

// Tests here create "data" beside the test program and one level above it (inside the build tree);
// their suite name holds "DataFolder" so that ctest never runs two of them at once.
class LibSetsConseilsDataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { testing_helpers::removeProgramFolderFiles(); }
    void TearDown() override { testing_helpers::removeProgramFolderFiles(); }

    static juce::File write (const juce::String& folder, const juce::String& fileName,
                             const juce::String& text)
    {
        const auto file = besideProgram (folder).getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithText (text, false, false, "\n"));
        return file;
    }

    static juce::File writeBytes (const juce::String& folder, const juce::String& fileName,
                                  const std::string& bytes)
    {
        const auto file = besideProgram (folder).getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        return file;
    }

    juce::StringArray filteredTexts() const
    {
        juce::StringArray texts;

        for (int k = 0; k < library.getNumConseilsFiltered(); ++k)
            texts.add (library.getDescriptionItemFiltered (k));

        return texts;
    }

    void writeThreeSets()
    {
        write ("data", "a-english.mwh",
               setText ("English one", 1, { "e1|false|1,304,", "e2|true|1,304,", "e3|true|0," }, "255,0,0"));
        write (
            "data", "b-french.mwh",
            setText (testing_helpers::utf8 ("Français"), 0, { "f1|true|2,304,", "f2|false|1," }, "0,0,255"));
        write ("data", "c-english.mwh", setText ("English two", 1, { "x1|false|1," }));
        library.loadLibSetsConseils();
    }

    DataTags tags;
    LibSetsConseils library{ &tags };
};

const std::string legacyBytes =
    "Nom=Ancien;Auteur=Moi;Ann\x8e"
    "e=1998;Description=Vieux;Language=0;"
    "Texte=Jouer;Attributs=GUIT,;Favori=0;Texte=Chanter;Attributs=SING,;Favori=0;";
} // namespace

TEST_F (LibSetsConseilsDataFolderTest, findsSetsBesideTheProgramOrOneLevelUp)
{
    write ("../data", "up.mwh", setText ("Up", 1, { "u|false|1," }));
    library.loadLibSetsConseils();
    ASSERT_EQ (library.getNumSetsConseils(), 1);
    EXPECT_EQ (library.getNameSets (-1), juce::StringArray ("Up"));
    EXPECT_EQ (LibSetsConseils::getDirectoryDataLib(), besideProgram ("../data"));

    write ("data", "here.mwh", setText ("Here", 1, { "h|false|1," }));
    library.loadLibSetsConseils();
    EXPECT_EQ (library.getNameSets (-1), juce::StringArray ("Here"));
    EXPECT_EQ (LibSetsConseils::getDirectoryDataLib(), besideProgram ("data"));
}

TEST_F (LibSetsConseilsDataFolderTest, withNoSetAnywhereTheLibraryIsEmptyAndEveryAccessorFallsBack)
{
    besideProgram ("data").createDirectory();
    write ("data", "notes.txt", "Name=Not a set;");
    besideProgram ("data").getChildFile ("folder.mwh").createDirectory();

    library.loadLibSetsConseils();
    EXPECT_EQ (library.getNumSetsConseils(), 0);
    EXPECT_EQ (LibSetsConseils::getDirectoryDataLib(), besideProgram ("data"));

    library.generateFilteredList (1, -1, "", -1, false);
    EXPECT_EQ (library.getNumConseilsFiltered(), 0);

    for (const auto position : { 0, -1, 3 })
    {
        EXPECT_EQ (library.getNameFiltered (position), "");
        EXPECT_EQ (library.getDescriptionItemFiltered (position), "");
        EXPECT_EQ (library.getAuthorFiltered (position), "");
        EXPECT_EQ (library.getColourSetFiltered (position), juce::Colour (0xffd3d3d3));
        EXPECT_FALSE (library.getFavorite (position));
        library.setFavorite (position, true);
    }
}

TEST_F (LibSetsConseilsDataFolderTest, recognisesSetFilesInAnyLetterCaseAndBothFormats)
{
    write ("data", "LOUD.MWH", setText ("Loud", 1, { "l|false|1," }));
    writeBytes ("data", "old.Mwh", legacyBytes);
    write ("data", ".hidden.mwh", setText ("Hidden", 0, {}));
    write ("data", "other.mwhx", setText ("Other", 0, {}));
    library.loadLibSetsConseils();

    EXPECT_EQ (library.getNameSets (-1), juce::StringArray ("Hidden", "Loud", "Ancien"));
    EXPECT_EQ (library.getFileSets (-1), juce::StringArray (".hidden.mwh", "LOUD.MWH", "old.Mwh"));
    EXPECT_EQ (library.getSetsConseils()[2]->getAuthor(), "Moi (1998)");
    EXPECT_EQ (library.getSetsConseils()[2]->getNumConseils(), 0);
}

TEST_F (LibSetsConseilsDataFolderTest, tellsTheKindOfAFileFromItsFirstCharacters)
{
    const auto header = juce::String ("MusewheelerV1 - Set file\n\nName=x;");
    const auto utf16le = besideProgram ("data").getChildFile ("le.mwh");
    const auto utf16be = besideProgram ("data").getChildFile ("be.mwh");
    besideProgram ("data").createDirectory();
    ASSERT_TRUE (utf16le.replaceWithText (header, true, true, "\r\n"));

    {
        juce::FileOutputStream stream (utf16be);
        stream.writeByte ((char) 0xfe);
        stream.writeByte ((char) 0xff);

        for (auto p = header.getCharPointer(); !p.isEmpty();)
            stream.writeShortBigEndian ((short) p.getAndAdvance());
    }

    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (utf16le), 2);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (utf16be), 2);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (write ("data", "utf8.mwh", header)), 2);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (
                   writeBytes ("data", "bom.mwh", "\xef\xbb\xbf" + header.toStdString())),
               2);
    EXPECT_EQ (
        LibSetsConseils::isThisFileAValidSet (writeBytes ("data", "short.mwh", "MusewheelerV1 - Set fil")),
        1);
    const auto empty = besideProgram ("data").getChildFile ("empty.mwh");
    ASSERT_TRUE (empty.create());
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (empty), 1);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (writeBytes ("data", "legacy.mwh", legacyBytes)), 1);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (write ("data", "set.txt", header)), 0);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (besideProgram ("data").getChildFile ("missing.mwh")), 0);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (besideProgram ("data")), 0);
}

TEST_F (LibSetsConseilsDataFolderTest, listsSetNamesAndFilesByLanguage)
{
    writeThreeSets();
    EXPECT_EQ (library.getNameSets (-1),
               juce::StringArray ("English one", testing_helpers::utf8 ("Français"), "English two"));
    EXPECT_EQ (library.getNameSets (1), juce::StringArray ("English one", "English two"));
    EXPECT_EQ (library.getFileSets (0), juce::StringArray ("b-french.mwh"));
}

TEST_F (LibSetsConseilsDataFolderTest, filtersByLanguageSetTagAndFavourites)
{
    writeThreeSets();

    library.generateFilteredList (1, -1, "", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e1", "e2", "e3", "f1", "f2", "x1"));

    library.generateFilteredList (0, 1, "", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e1", "e2", "e3", "x1"));

    library.generateFilteredList (1, 1, "B-French.MWH", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("f1", "f2"));
    EXPECT_EQ (library.getNameFiltered (0), testing_helpers::utf8 ("Français"));
    EXPECT_EQ (library.getAuthorFiltered (1), testing_helpers::utf8 ("Français author"));
    EXPECT_EQ (library.getColourSetFiltered (0), juce::Colour (0, 0, 255));

    library.generateFilteredList (1, -1, "", 304, true);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e2", "f1"));

    library.generateFilteredList (1, -1, "", -1, true);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e2", "e3", "f1"));
    EXPECT_TRUE (library.getFavorite (1));

    library.generateFilteredList (1, -1, "nothing.mwh", -1, false);
    EXPECT_EQ (library.getNumConseilsFiltered(), 0);
}

TEST_F (LibSetsConseilsDataFolderTest, rereadsTheSetsFromDiskAtEveryFiltering)
{
    writeThreeSets();
    library.generateFilteredList (1, -1, "c-english.mwh", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("x1"));

    write ("data", "c-english.mwh", setText ("English two", 1, { "x1|false|1,", "x0|false|1," }));
    library.generateFilteredList (1, -1, "c-english.mwh", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("x0", "x1"));
}

TEST_F (LibSetsConseilsDataFolderTest, togglingAFavouriteWritesItsSetAtOnce)
{
    writeThreeSets();
    library.generateFilteredList (1, -1, "a-english.mwh", -1, false);
    ASSERT_EQ (filteredTexts(), juce::StringArray ("e1", "e2", "e3"));

    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::saved);
    EXPECT_EQ (library.setFavorite (1, false), LibSetsConseils::FavoriteSaving::saved);
    EXPECT_TRUE (library.getFavorite (0));

    const auto file = besideProgram ("data").getChildFile ("a-english.mwh");
    const auto written = file.loadFileAsString();
    EXPECT_TRUE (written.contains ("Item=e1;\r\nFavorite=true;\r\nTags=1,304,;"));
    EXPECT_TRUE (written.contains ("Item=e2;\r\nFavorite=false;"));
    EXPECT_TRUE (written.contains ("Item=e3;\r\nFavorite=true;\r\nTags=0,;"));

    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, true);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e1", "e3", "f1"));
}

TEST_F (LibSetsConseilsDataFolderTest, aFavouriteOnALegacySetRewritesItInTheCurrentFormat)
{
    const auto file = writeBytes ("data", "legacy.mwh", legacyBytes);
    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    ASSERT_EQ (filteredTexts(), juce::StringArray ("Chanter", "Jouer"));

    library.setFavorite (1, true);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (file), 2);

    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("Chanter", "Jouer"));
    EXPECT_TRUE (library.getFavorite (1));
    EXPECT_EQ (library.getColourSetFiltered (0), juce::Colours::orange);
    EXPECT_EQ (library.getAuthorFiltered (0), "Moi (1998)");
    EXPECT_EQ (library.getSetsConseils()[0]->getHashTags (0), "211,");
}

TEST_F (LibSetsConseilsDataFolderTest, aFavouriteToggledAfterARescanNeverWipesTheSet)
{
    writeThreeSets();
    library.generateFilteredList (1, -1, "", -1, false);
    const auto before = besideProgram ("data").getChildFile ("a-english.mwh").loadFileAsString();

    library.loadLibSetsConseils();
    EXPECT_EQ (library.setFavorite (0, true), LibSetsConseils::FavoriteSaving::nothingToMark);
    EXPECT_EQ (besideProgram ("data").getChildFile ("a-english.mwh").loadFileAsString(), before);
    EXPECT_EQ (library.getDescriptionItemFiltered (0), "");
}

TEST_F (LibSetsConseilsDataFolderTest, aSetThatVanishesOrTurnsToJunkKeepsItsEntry)
{
    writeThreeSets();
    besideProgram ("data").getChildFile ("b-french.mwh").deleteFile();
    writeBytes ("data", "c-english.mwh", std::string ("\x01\x02junk;\xff", 8));

    library.generateFilteredList (1, -1, "", -1, false);
    EXPECT_EQ (library.getNumSetsConseils(), 3);
    EXPECT_EQ (filteredTexts(), juce::StringArray ("e1", "e2", "e3"));
}

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
