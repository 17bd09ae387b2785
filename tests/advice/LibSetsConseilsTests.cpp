#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using testing_helpers::besideProgram;

juce::String setText (const juce::String& name, int language, const juce::StringArray& items,
                      const juce::String& colour = "10,20,30")
{
    auto text = testing_helpers::SetFileText()
                    .withName (name)
                    .withAuthor (name + " author")
                    .withLanguage (language)
                    .withColour (colour);

    // Each entry is "text|favorite|tags".
    for (const auto& entry : items)
    {
        const auto parts = juce::StringArray::fromTokens (entry, "|", "");
        text.add (parts[0], parts[2], parts[1]);
    }

    return text.toString();
}

// Tests here create "data" in a program folder of their own and one level above it.
class LibSetsConseilsDataFolderTest : public ::testing::Test
{
protected:
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

    testing_helpers::ScopedProgramFolder programFolder;
    DataTags tags;
    LibSetsConseils library{ &tags };
};

// Every byte the process has read through read() and its kin so far (the kernel's count), or -1.
juce::int64 bytesReadByThisProcess()
{
    const auto lines = juce::StringArray::fromLines (juce::File ("/proc/self/io").loadFileAsString());

    for (const auto& line : lines)
        if (line.startsWith ("rchar:"))
            return line.fromFirstOccurrenceOf (":", false, false).trim().getLargeIntValue();

    return -1;
}

// A file of the given size holding start, then a hole that costs no disk and reads as zero bytes.
void writeSparse (const juce::File& file, const std::string& start, juce::int64 size)
{
    juce::FileOutputStream stream (file);
    ASSERT_TRUE (stream.openedOk());
    ASSERT_TRUE (stream.write (start.data(), start.size()));
    ASSERT_TRUE (stream.setPosition (size - 1));
    ASSERT_TRUE (stream.writeByte ('x'));
}

std::string asBytes (const juce::MemoryBlock& block)
{
    return { static_cast<const char*> (block.getData()), block.getSize() };
}

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
// The scan reads of each file only what its kind and its header need: large files cost no more than
// small ones, and files beyond the size limit are no sets.
TEST_F (LibSetsConseilsDataFolderTest, theScanReadsOnlyTheHeadersOfLargeFiles)
{
    if (bytesReadByThisProcess() < 0)
        GTEST_SKIP() << "the kernel does not count the bytes this process reads";

    constexpr juce::int64 large = 64 * 1024 * 1024;
    besideProgram ("data").createDirectory();
    const auto folder = besideProgram ("data");
    writeSparse (folder.getChildFile ("current.mwh"),
                 asBytes (Utf16TextFile::encode (setText ("Big", 1, { "one|false|1," }))), large);
    writeSparse (folder.getChildFile ("legacy.mwh"), legacyBytes, large);

    // Junk without any key and without a zero byte: read no further than the longest header.
    folder.getChildFile ("junk.mwh").replaceWithText (juce::String::repeatedString ("junk ", 600000));

    // A header longer than the first read, with its author far into the file.
    SetConseils longHeader (&tags);
    longHeader.setName ("Long");
    longHeader.setDescription (juce::String::repeatedString (testing_helpers::utf8 ("Décrit "), 3000));
    longHeader.setAuthor ("Far author");
    longHeader.setLanguage (0);
    longHeader.setColourSet (juce::Colour (1, 2, 3));
    longHeader.setFileSet (folder.getChildFile ("long.mwh"));
    ASSERT_TRUE (longHeader.saveData());

    const auto before = bytesReadByThisProcess();
    library.loadLibSetsConseils();
    const auto bytesRead = bytesReadByThisProcess() - before;

    EXPECT_EQ (library.getNameSets (-1), juce::StringArray ("Big", "", "Ancien", "Long"));
    EXPECT_LT (bytesRead, (juce::int64) (2 * SetConseils::maximumHeaderBytes));

    const auto& sets = library.getSetsConseils();
    ASSERT_EQ (sets.size(), 4);
    EXPECT_EQ (sets[0]->getAuthor(), "Big author");
    EXPECT_EQ (sets[2]->getAuthor(), "Moi (1998)");
    EXPECT_EQ (sets[3]->getDescription(), longHeader.getDescription());
    EXPECT_EQ (sets[3]->getAuthor(), "Far author");
    EXPECT_EQ (sets[3]->getColourSet(), juce::Colour (1, 2, 3));
}

TEST_F (LibSetsConseilsDataFolderTest, filesBeyondTheSizeLimitAreNoSets)
{
    besideProgram ("data").createDirectory();
    const auto header = asBytes (Utf16TextFile::encode (setText ("Huge", 1, { "one|false|1," })));
    const auto atLimit = besideProgram ("data").getChildFile ("at-limit.mwh");
    const auto beyond = besideProgram ("data").getChildFile ("beyond.mwh");
    writeSparse (atLimit, header, LibSetsConseils::maximumSetFileBytes);
    writeSparse (beyond, header, LibSetsConseils::maximumSetFileBytes + 1);

    ASSERT_EQ (LibSetsConseils::isThisFileAValidSet (beyond), 0);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (atLimit), 2);

    library.loadLibSetsConseils();
    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("at-limit.mwh"));
}

//==============================================================================
// Only regular files, or links to them, are sets: a FIFO would block the program in opening it until
// some other program writes into it, and a device such as /dev/zero never ends.
namespace
{
// Runs the call on a thread of its own. Should it block in opening the FIFO, the FIFO's other end is
// opened and closed again, which lets that open return and the read find the end: the test then fails
// instead of hanging.
template <typename Call>
bool finishesWithoutOpening (const juce::File& fifo, Call&& call)
{
    auto result = std::async (std::launch::async, std::forward<Call> (call));

    if (result.wait_for (std::chrono::seconds (10)) == std::future_status::ready)
    {
        result.get();
        return true;
    }

    while (result.wait_for (std::chrono::milliseconds (100)) != std::future_status::ready)
    {
        const auto writer = open (fifo.getFullPathName().toRawUTF8(), O_WRONLY | O_NONBLOCK);

        if (writer >= 0)
            close (writer);
    }

    return false;
}
} // namespace

TEST_F (LibSetsConseilsDataFolderTest, aFifoNamedLikeASetIsPassedOverWithoutOpeningIt)
{
    const auto set = write ("data", "a-set.mwh", setText ("Regular", 1, { "r|false|1," }));
    const auto fifo = besideProgram ("data").getChildFile ("pipe.mwh");
    ASSERT_EQ (mkfifo (fifo.getFullPathName().toRawUTF8(), 0644), 0);
    ASSERT_TRUE (set.createSymbolicLink (besideProgram ("data").getChildFile ("z-linked.mwh"), false));

    EXPECT_TRUE (finishesWithoutOpening (fifo,
                                         [&]
                                         {
                                             EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (fifo), 0);
                                             EXPECT_EQ (Utf16TextFile::load (fifo), "");

                                             SetConseils direct (&tags);
                                             direct.setFileSet (fifo);
                                             direct.loadData (SetConseils::headerAndAdvice);
                                             direct.loadOldData (SetConseils::headerAndAdvice);
                                             direct.loadData (SetConseils::headerOnly);
                                             direct.loadOldData (SetConseils::headerOnly);
                                             EXPECT_EQ (direct.getNumConseils(), 0);

                                             library.loadLibSetsConseils();
                                             library.generateFilteredList (1, -1, "", -1, false);
                                         }));

    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("a-set.mwh", "z-linked.mwh"));
    EXPECT_EQ (filteredTexts(), juce::StringArray ("r", "r"));
}

TEST_F (LibSetsConseilsDataFolderTest, aLinkToADeviceNamedLikeASetIsPassedOverWithoutReadingIt)
{
    write ("data", "a-set.mwh", setText ("Regular", 1, { "r|false|1," }));
    const auto zero = besideProgram ("data").getChildFile ("zero.mwh");
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (zero, false));

    // Reading the device would end in std::bad_alloc: soon, under this limit.
    fault_injection::ScopedAddressSpaceLimit memory (512 * 1024 * 1024);

    EXPECT_NO_THROW ({
        EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (zero), 0);
        EXPECT_EQ (Utf16TextFile::load (zero), "");

        SetConseils direct (&tags);
        direct.setFileSet (zero);
        direct.loadData (SetConseils::headerAndAdvice);
        direct.loadOldData (SetConseils::headerAndAdvice);
        EXPECT_EQ (direct.getNumConseils(), 0);

        library.loadLibSetsConseils();
        library.generateFilteredList (1, -1, "", -1, false);
    });

    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("a-set.mwh"));
    EXPECT_EQ (filteredTexts(), juce::StringArray ("r"));
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
    struct stat written
    {
    };
    ASSERT_EQ (stat (file.getFullPathName().toRawUTF8(), &written), 0);

    // One mark made, one taken back: the file has its old size again.
    ASSERT_EQ (other.setFavorite (1, false), LibSetsConseils::FavoriteSaving::saved);
    ASSERT_EQ (other.setFavorite (2, true), LibSetsConseils::FavoriteSaving::saved);
    ASSERT_EQ (file.getSize(), (juce::int64) written.st_size);
    const timespec times[2] = { { 0, UTIME_OMIT }, written.st_mtim };
    ASSERT_EQ (utimensat (AT_FDCWD, file.getFullPathName().toRawUTF8(), times, 0), 0);

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
