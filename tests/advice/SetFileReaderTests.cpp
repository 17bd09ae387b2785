#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::TemporaryFolder;

// Legacy files are single-byte text: build them byte by byte, as the old program wrote them.
juce::MemoryBlock bytes (std::initializer_list<std::string> pieces)
{
    juce::MemoryBlock block;

    for (const auto& piece : pieces)
        block.append (piece.data(), piece.size());

    return block;
}

const std::string year = "Ann\x8e"
                         "e=";

juce::MemoryBlock legacyFile (const std::string& name, const std::string& yearValue,
                              const std::string& records)
{
    return bytes ({ "Nom=" + name + ";\r", "Auteur=Quelqu'un;\r", year + yearValue + ";\r",
                    "Description=Des id\x8e"
                    "es;\r",
                    "Language=0;\r", records });
}

std::string record (const std::string& text, const std::string& codes)
{
    return "Texte=" + text + ";\rAttributs=" + codes + ";\rFavori=1;\r";
}

class SetFileReaderTest : public ::testing::Test
{
protected:
    SetConseils read (const juce::MemoryBlock& block,
                      SetConseils::LoadMode mode = SetConseils::headerAndAdvice)
    {
        SetConseils set (&tags);
        SetFileReader::readOldSetBytes (set, block, mode);
        return set;
    }

    DataTags tags;
};
} // namespace

TEST_F (SetFileReaderTest, readsTheHeaderWithMacRomanLettersAndTheYear)
{
    const auto set = read (legacyFile ("Id\x8e"
                                       "es d'\x83t\x8e",
                                       "1999", record ("Chanter", "SING,")));
    EXPECT_EQ (set.getName(), testing_helpers::utf8 ("Idées d'Été"));
    EXPECT_EQ (set.getAuthor(), "Quelqu'un (1999)");
    EXPECT_EQ (set.getDescription(), testing_helpers::utf8 ("Des idées"));
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colours::orange);
    EXPECT_EQ (set.getLoadMode(), SetConseils::headerAndAdvice);
}

TEST_F (SetFileReaderTest, appendsAnEmptyYearAsEmptyBrackets)
{
    const auto set = read (legacyFile ("N", "", ""));
    EXPECT_EQ (set.getAuthor(), "Quelqu'un ()");
    EXPECT_EQ (set.getNumConseils(), 0);
}

TEST_F (SetFileReaderTest, translatesTagCodesThroughTheLegacyTable)
{
    const auto set =
        read (legacyFile ("N", "2001",
                          record ("un", "GUIT,jazz,ABST,") + record ("deux", "XXXX,NONE, GUIT,") +
                              record ("trois", "STRU,MIXA") + record ("quatre", "")));
    ASSERT_EQ (set.getNumConseils(), 4);
    EXPECT_EQ (set.getDescriptionItem (0), "deux");
    EXPECT_EQ (set.getHashTags (0), "0,213,");
    EXPECT_EQ (set.getDescriptionItem (1), "quatre");
    EXPECT_EQ (set.getHashTags (1), "");
    EXPECT_EQ (set.getDescriptionItem (2), "trois");
    EXPECT_EQ (set.getHashTags (2), "403,");
    EXPECT_EQ (set.getDescriptionItem (3), "un");
    EXPECT_EQ (set.getHashTags (3), "0,200,304,");
}

TEST_F (SetFileReaderTest, neverCarriesFavouriteMarksOver)
{
    const auto set = read (legacyFile ("N", "1", record ("a", "GUIT,") + "Texte=b;Attributs=;Favori=true;"));
    ASSERT_EQ (set.getNumConseils(), 2);
    EXPECT_FALSE (set.getFavoriteItem (0));
    EXPECT_FALSE (set.getFavoriteItem (1));
}

TEST_F (SetFileReaderTest, headerOnlyReadAndFilesWithoutAdvice)
{
    const auto full = legacyFile ("N", "1", record ("a", "GUIT,") + record ("b", "BASS,"));
    EXPECT_EQ (read (full, SetConseils::headerOnly).getNumConseils(), 0);
    EXPECT_EQ (read (full, SetConseils::headerOnly).getName(), "N");
    EXPECT_EQ (read (full, SetConseils::headerAndAdvice).getNumConseils(), 2);
    EXPECT_EQ (read (legacyFile ("N", "1", "Rien;")).getNumConseils(), 0);
}

TEST_F (SetFileReaderTest, aMissingFileReadsAsAnEmptyOrangeSet)
{
    TemporaryFolder folder;
    SetConseils set (&tags);
    set.setFileSet (folder.child ("gone.mwh"));
    set.loadOldData (SetConseils::headerAndAdvice);
    EXPECT_EQ (set.getName(), "");
    EXPECT_EQ (set.getAuthor(), " ()");
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colours::orange);
    EXPECT_EQ (set.getNumConseils(), 0);
}

TEST_F (SetFileReaderTest, readsTheSampleFileFromDisk)
{
    SetConseils set (&tags);
    set.setFileSet (testing_helpers::fixturesDirectory().getChildFile ("legacy/legacy-sample.mwh"));
    ASSERT_TRUE (set.getFileSet().existsAsFile());
    set.loadOldData (SetConseils::headerAndAdvice);

    EXPECT_EQ (set.getName(), testing_helpers::utf8 ("Conseils d'été"));
    EXPECT_EQ (set.getAuthor(), testing_helpers::utf8 ("Les développeurs de Musewheeler (1999)"));
    EXPECT_EQ (set.getLanguage(), 0);
    EXPECT_EQ (set.getColourSet(), juce::Colours::orange);
    ASSERT_EQ (set.getNumConseils(), 8);

    const std::pair<const char*, const char*> expected[] = {
        { "Ajoutez", "212,213," },  { "Chantez", "211,406," }, { "Jouez", "0,200,304," },
        { "Laissez", "" },          { "Noël", "0,208,402," },  { "Où", "400," },
        { "À la fin", "403,407," }, { "Écoutez", "0,2," },
    };

    for (int i = 0; i < 8; ++i)
    {
        EXPECT_TRUE (set.getDescriptionItem (i).startsWith (testing_helpers::utf8 (expected[i].first))) << i;
        EXPECT_EQ (set.getHashTags (i), expected[i].second) << i;
        EXPECT_FALSE (set.getFavoriteItem (i));
    }
}

TEST_F (SetFileReaderTest, damagedFilesNeverReadValuesFromLaterRecords)
{
    // Keys out of order, a record without "Attributs=", a stray "Favori=" and a truncated end.
    const auto set = read (bytes ({ "Auteur=A;Nom=N;Language=1;", "Texte=sans;Favori=;",
                                    "Texte=avec;Attributs=DRUM,;Favori=;", "Texte=fin;" }));
    EXPECT_EQ (set.getName(), "N");
    EXPECT_EQ (set.getAuthor(), " ()");
    ASSERT_EQ (set.getNumConseils(), 3);
    EXPECT_EQ (set.getDescriptionItem (0), "avec");
    EXPECT_EQ (set.getHashTags (0), "202,");
    EXPECT_EQ (set.getDescriptionItem (1), "fin");
    EXPECT_EQ (set.getDescriptionItem (2), "sans");
    EXPECT_EQ (set.getHashTags (2), "");
}

TEST (LegacyByteTranslationTest, mapsTheThirtyFrenchLettersToTheirMacRomanPositions)
{
    const std::pair<int, juce::juce_wchar> letters[] = {
        { 0x80, 0x00C4 }, { 0x82, 0x00C7 }, { 0x83, 0x00C9 }, { 0x85, 0x00D6 }, { 0x86, 0x00DC },
        { 0x88, 0x00E0 }, { 0x89, 0x00E2 }, { 0x8A, 0x00E4 }, { 0x8D, 0x00E7 }, { 0x8E, 0x00E9 },
        { 0x8F, 0x00E8 }, { 0x90, 0x00EA }, { 0x91, 0x00EB }, { 0x94, 0x00EE }, { 0x95, 0x00EF },
        { 0x99, 0x00F4 }, { 0x9A, 0x00F6 }, { 0x9D, 0x00F9 }, { 0x9E, 0x00FB }, { 0x9F, 0x00FC },
        { 0xCB, 0x00C0 }, { 0xE5, 0x00C2 }, { 0xE6, 0x00CA }, { 0xE8, 0x00CB }, { 0xE9, 0x00C8 },
        { 0xEB, 0x00CE }, { 0xEC, 0x00CF }, { 0xEF, 0x00D4 }, { 0xF3, 0x00DB }, { 0xF4, 0x00D9 },
    };

    for (const auto& [byte, letter] : letters)
    {
        const auto translated =
            SetConseils::convertANSIToUnicode (juce::String::charToString ((juce::juce_wchar) byte));
        ASSERT_EQ (translated.length(), 1) << std::hex << byte;
        EXPECT_EQ (translated[0], letter) << std::hex << byte;
    }
}

TEST (LegacyByteTranslationTest, givesValidTextForEveryByteAndStopsAtZero)
{
    juce::String raw;

    for (juce::juce_wchar byte = 1; byte < 256; ++byte)
        raw += juce::String::charToString (byte);

    const auto translated = SetConseils::convertANSIToUnicode (raw);
    ASSERT_EQ (translated.length(), 255);
    EXPECT_TRUE (
        juce::CharPointer_UTF8::isValidString (translated.toRawUTF8(), translated.getNumBytesAsUTF8()));

    for (int i = 0; i < 0x7f; ++i)
        EXPECT_EQ (translated[i], (juce::juce_wchar) (i + 1));

    EXPECT_EQ (translated[0xA5 - 1], (juce::juce_wchar) 0x2022);
    EXPECT_EQ (translated[0xD5 - 1], (juce::juce_wchar) 0x2019);
    EXPECT_EQ (translated[0xCA - 1], (juce::juce_wchar) 0x00A0);

    juce::MemoryBlock withZero;
    withZero.append ("Nom=ab", 6);
    withZero.append ("\0cd;", 4);
    DataTags tags;
    SetConseils set (&tags);
    SetFileReader::readOldSetBytes (set, withZero, SetConseils::headerAndAdvice);
    EXPECT_EQ (set.getName(), "ab");
}

//==============================================================================
// One entry reads a set file in whichever format it holds; a file that is no set file is left alone,
// unless it is to be read as a legacy set as the set editor reads any file it opens.
TEST_F (SetFileReaderTest, readsEitherFormatThroughOneEntry)
{
    TemporaryFolder folder;
    const auto current = folder.child ("current.mwh");
    ASSERT_TRUE (testing_helpers::SetFileText().withName ("Now").add ("Play.", "0,").writeTo (current));
    const auto legacy = folder.child ("legacy.mwh");
    const auto legacyBytes = legacyFile ("Ancien", "1999", "Texte=Jouer;Attributs=GUIT,;Favori=0;");
    ASSERT_TRUE (legacy.replaceWithData (legacyBytes.getData(), legacyBytes.getSize()));
    const auto notes = folder.child ("notes.txt");
    ASSERT_TRUE (notes.replaceWithData (legacyBytes.getData(), legacyBytes.getSize()));

    EXPECT_EQ (SetFileReader::getFileKind (current), SetFileReader::currentSetFile);
    EXPECT_EQ (SetFileReader::getFileKind (legacy), SetFileReader::legacySetFile);
    EXPECT_EQ (SetFileReader::getFileKind (notes), SetFileReader::notASetFile);
    EXPECT_EQ (SetFileReader::getFileKind (folder.get()), SetFileReader::notASetFile);

    const auto readWith = [this] (const juce::File& file, SetConseils::LoadMode mode,
                                  SetConseils::OtherFiles otherFiles, int expectedKind)
    {
        auto set = std::make_unique<SetConseils> (&tags);
        set->setFileSet (file);
        EXPECT_EQ (set->loadAnyFormat (mode, otherFiles), expectedKind) << file.getFileName();
        return set;
    };

    const auto now = readWith (current, SetConseils::headerAndAdvice, SetConseils::OtherFiles::leftAlone, 2);
    EXPECT_EQ (now->getName(), "Now");
    EXPECT_EQ (now->getNumConseils(), 1);
    EXPECT_EQ (now->getLoadMode(), SetConseils::headerAndAdvice);

    const auto old = readWith (legacy, SetConseils::headerOnly, SetConseils::OtherFiles::leftAlone, 1);
    EXPECT_EQ (old->getName(), "Ancien");
    EXPECT_EQ (old->getColourSet(), juce::Colours::orange);
    EXPECT_EQ (old->getNumConseils(), 0);
    EXPECT_EQ (old->getLoadMode(), SetConseils::headerOnly);

    const auto leftAlone =
        readWith (notes, SetConseils::headerAndAdvice, SetConseils::OtherFiles::leftAlone, 0);
    EXPECT_EQ (leftAlone->getName(), "");
    EXPECT_EQ (leftAlone->getLoadMode(), SetConseils::notLoaded);

    const auto opened =
        readWith (notes, SetConseils::headerAndAdvice, SetConseils::OtherFiles::readAsLegacy, 0);
    EXPECT_EQ (opened->getName(), "Ancien");
    EXPECT_EQ (opened->getNumConseils(), 1);
}
