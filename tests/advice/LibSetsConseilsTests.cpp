#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/LibSetsConseils.h"
#include "advice/LibSetsConseilsTestHelpers.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

namespace
{
using namespace library_testing;
using testing_helpers::besideProgram;
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
    const auto header = testing_helpers::setFileHeader + "\n\nName=x;";
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
