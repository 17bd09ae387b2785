#include "FaultInjection.h"
#include "TestHelpers.h"
#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

namespace
{
using Settings = ConfigFile::Settings;

const juce::String defaultText = testing_helpers::IniFileText().toString();

// UTF-16 little-endian with the byte-order mark, for text whose characters all lie in the basic plane.
juce::MemoryBlock utf16LittleEndian (const juce::String& text)
{
    juce::MemoryOutputStream bytes;
    bytes.writeByte ((char) 0xff);
    bytes.writeByte ((char) 0xfe);

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();
        bytes.writeByte ((char) (c & 0xff));
        bytes.writeByte ((char) (c >> 8));
    }

    return bytes.getMemoryBlock();
}

void expectSame (const Settings& actual, const Settings& expected)
{
    EXPECT_EQ (actual.language, expected.language);
    EXPECT_EQ (actual.languageSet, expected.languageSet);
    EXPECT_EQ (actual.sets, expected.sets);
    EXPECT_EQ (actual.tag, expected.tag);
    EXPECT_EQ (actual.lastItem, expected.lastItem);
    EXPECT_EQ (actual.lookForFavorites, expected.lookForFavorites);
    EXPECT_EQ (actual.timerSeconds, expected.timerSeconds);
}

Settings someSettings()
{
    Settings settings;
    settings.language = 0;
    settings.languageSet = 1;
    settings.sets = testing_helpers::utf8 ("Études d'été.mwh");
    settings.tag = 304;
    settings.lastItem = 17;
    settings.lookForFavorites = true;
    settings.timerSeconds = 45;
    return settings;
}
} // namespace

TEST (ConfigFileTest, writesTheDefaultsByteForByteAsUtf16LittleEndianWithCrLf)
{
    EXPECT_EQ (ConfigFile::format (Settings()), defaultText);

    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("Musewheeler.ini");
    ASSERT_TRUE (ConfigFile::write (file, Settings()));

    juce::MemoryBlock written;
    ASSERT_TRUE (file.loadFileAsData (written));
    EXPECT_EQ (written, utf16LittleEndian (defaultText));
}

TEST (ConfigFileTest, whatIsWrittenReadsBackTheSame)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("Musewheeler.ini");

    auto settings = someSettings();
    ASSERT_TRUE (ConfigFile::write (file, settings));
    expectSame (ConfigFile::read (file), settings);

    // A character beyond the basic plane takes two UTF-16 units and must survive them.
    settings.sets = testing_helpers::utf8 ("Chansons \xf0\x9f\x8e\xb5.mwh");
    ASSERT_TRUE (ConfigFile::write (file, settings));
    expectSame (ConfigFile::read (file), settings);

    EXPECT_TRUE (file.loadFileAsString().contains ("LookForFavorites=true;\r\nTimer=45;\r\n"));
}

TEST (ConfigFileTest, aWriteThatCannotHappenSaysSoAndLeavesNoFile)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("missing-folder").getChildFile ("Musewheeler.ini");
    EXPECT_FALSE (ConfigFile::write (file, someSettings()));
    EXPECT_FALSE (file.exists());
}

// The settings file may be a folder or be unreadable: the defaults are read, and whatever stands in
// its place is left there.
TEST (ConfigFileTest, aFolderInPlaceOfTheFileReadsAsDefaultsAndIsKept)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("Musewheeler.ini");

    for (const auto withContents : { false, true })
    {
        ASSERT_TRUE (file.createDirectory());

        if (withContents)
        {
            ASSERT_TRUE (file.getChildFile ("notes.txt").replaceWithText ("mine"));
        }

        expectSame (ConfigFile::read (file), Settings());
        EXPECT_FALSE (ConfigFile::write (file, someSettings()));
        EXPECT_TRUE (file.isDirectory()) << withContents;
        EXPECT_EQ (file.getNumberOfChildFiles (juce::File::findFilesAndDirectories), withContents ? 1 : 0);
        EXPECT_EQ (folder.get().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
        ASSERT_TRUE (file.deleteRecursively());
    }
}

TEST (ConfigFileTest, anUnreadableFileReadsAsDefaults)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("Musewheeler.ini");
    ASSERT_TRUE (ConfigFile::write (file, someSettings()));
    Settings read;

    {
        fault_injection::ScopedUnreadableFile unreadable (file);
        ASSERT_TRUE (unreadable.holds());
        read = ConfigFile::read (file);
    }

    expectSame (read, Settings());
}

TEST (ConfigFileTest, aWriteStoppedPartWayLeavesTheOldFile)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("Musewheeler.ini");
    ASSERT_TRUE (ConfigFile::write (file, someSettings()));
    auto longer = someSettings();
    longer.sets = juce::String::repeatedString ("a-long-set-name.mwh;", 100);
    bool written = true;

    if (const auto why = fault_injection::ScopedFileSizeLimit::whyUnavailable(); why.isNotEmpty())
        GTEST_SKIP() << why;

    {
        fault_injection::ScopedFileSizeLimit fullDisk (200);
        ASSERT_TRUE (fullDisk.holds());
        written = ConfigFile::write (file, longer);
    }

    EXPECT_FALSE (written);
    expectSame (ConfigFile::read (file), someSettings());
}

TEST (ConfigFileTest, readsFilesInEveryEncodingTheLoaderAccepts)
{
    testing_helpers::TemporaryFolder folder;
    const auto text = ConfigFile::format (someSettings());

    const auto utf8 = folder.child ("utf8.ini");
    ASSERT_TRUE (utf8.replaceWithText (text, false, false, "\n"));
    expectSame (ConfigFile::read (utf8), someSettings());

    const auto bigEndian = folder.child ("be.ini");

    {
        juce::FileOutputStream stream (bigEndian);
        stream.writeByte ((char) 0xfe);
        stream.writeByte ((char) 0xff);

        for (auto p = text.getCharPointer(); !p.isEmpty();)
            stream.writeShortBigEndian ((short) p.getAndAdvance());
    }

    expectSame (ConfigFile::read (bigEndian), someSettings());

    testing_helpers::IniFileText handWritten;
    handWritten.language = "0";
    handWritten.languageSet = "1";
    handWritten.sets = testing_helpers::utf8 ("Études d'été.mwh");
    handWritten.tags = "304";
    handWritten.lastItem = "17";
    handWritten.lookForFavorites = "true";
    handWritten.timer = "45";
    const auto littleEndian = folder.child ("Musewheeler.ini");
    ASSERT_TRUE (handWritten.writeTo (littleEndian));
    EXPECT_EQ (testing_helpers::fileBytes (littleEndian), utf16LittleEndian (handWritten.toString()));
    expectSame (ConfigFile::read (littleEndian), someSettings());
    expectSame (ConfigFile::read (folder.child ("absent.ini")), Settings());
}

TEST (ConfigFileTest, eachKeyIsSearchedForwardFromThePreviousValue)
{
    // LastItem stands before Tags, so the search for it starts past it; Timer still follows.
    const auto settings = ConfigFile::parse (
        "Musewheeler V1 - Init Data File\nLanguage=0;\nLastItem=4;\nLanguageSet=0;\nSets=a.mwh;\nTags=201;\n"
        "LookForFavorites=true;\nTimer=30;\n");
    EXPECT_EQ (settings.language, 0);
    EXPECT_EQ (settings.languageSet, 0);
    EXPECT_EQ (settings.sets, "a.mwh");
    EXPECT_EQ (settings.tag, 201);
    EXPECT_EQ (settings.lastItem, -1);
    EXPECT_TRUE (settings.lookForFavorites);
    EXPECT_EQ (settings.timerSeconds, 30);

    // The header is never examined, and keys need no line breaks between them.
    const auto packed =
        ConfigFile::parse ("anything Language=0;LanguageSet=1;Sets=;Tags=-1;LastItem=2;Timer=5;");
    EXPECT_EQ (packed.language, 0);
    EXPECT_EQ (packed.languageSet, 1);
    EXPECT_EQ (packed.lastItem, 2);
    EXPECT_FALSE (packed.lookForFavorites);
    EXPECT_EQ (packed.timerSeconds, 5);
}

TEST (ConfigFileTest, optionalKeysTakeTheirDefaultsWhenMissing)
{
    const auto settings = ConfigFile::parse ("Language=0;\nLanguageSet=1;\nSets=b.mwh;\nTags=3;\n");
    EXPECT_EQ (settings.language, 0);
    EXPECT_EQ (settings.sets, "b.mwh");
    EXPECT_EQ (settings.lastItem, -1);
    EXPECT_FALSE (settings.lookForFavorites);
    EXPECT_EQ (settings.timerSeconds, 0);
}

TEST (ConfigFileTest, onlyALowerCaseTrueMarksFavouritesOnly)
{
    const auto favourites = [] (const char* value)
    {
        return ConfigFile::parse (juce::String ("Language=1;LanguageSet=-1;Sets=;Tags=-1;LookForFavorites=") +
                                  value + ";")
            .lookForFavorites;
    };

    EXPECT_TRUE (favourites ("true"));
    EXPECT_FALSE (favourites ("True"));
    EXPECT_FALSE (favourites ("TRUE"));
    EXPECT_FALSE (favourites (" true"));
    EXPECT_FALSE (favourites ("1"));
}

TEST (ConfigFileTest, numbersAreReadAsTheToolkitReadsThem)
{
    const auto settings =
        ConfigFile::parse ("Language=  0;LanguageSet=-1x;Sets=x;Tags=102abc;LastItem=+3;Timer=12.9;");
    EXPECT_EQ (settings.language, 0);
    EXPECT_EQ (settings.languageSet, -1);
    EXPECT_EQ (settings.tag, 102);
    EXPECT_EQ (settings.lastItem, 0);
    EXPECT_EQ (settings.timerSeconds, 12);
}

TEST (ConfigFileTest, aValueWithoutItsSemicolonIsEmpty)
{
    const auto settings = ConfigFile::parse ("Language=1;LanguageSet=1;Sets=;Tags=-1;LastItem=9;Timer=30");
    EXPECT_EQ (settings.lastItem, 9);
    EXPECT_EQ (settings.timerSeconds, 0);

    EXPECT_EQ (ConfigFile::parse ("Language=1;LanguageSet=1;Sets=abc").sets, "");
}

TEST (ConfigFileTest, aDamagedFileReadsWithDefaultsForWhatIsMissing)
{
    expectSame (ConfigFile::parse (""), Settings());
    expectSame (ConfigFile::parse ("Musewheeler V1 - Init Data File\r\n"), Settings());

    // Missing leading keys take their defaults and leave the search where it was.
    const auto noLanguage = ConfigFile::parse ("LanguageSet=0;\nTags=104;\nLastItem=3;\nTimer=10;\n");
    EXPECT_EQ (noLanguage.language, 1);
    EXPECT_EQ (noLanguage.languageSet, 0);
    EXPECT_EQ (noLanguage.sets, "");
    EXPECT_EQ (noLanguage.tag, 104);
    EXPECT_EQ (noLanguage.lastItem, 3);
    EXPECT_EQ (noLanguage.timerSeconds, 10);

    const auto onlyTimer = ConfigFile::parse ("Timer=60;");
    EXPECT_EQ (onlyTimer.language, 1);
    EXPECT_EQ (onlyTimer.tag, -1);
    EXPECT_EQ (onlyTimer.timerSeconds, 60);

    // Bytes that are no text at all.
    const char garbage[] = { '\xff', '\xfe', '\x00', '\xd8', 'L', '\0', '=', '\xdc', '\x80' };
    const auto fromGarbage = ConfigFile::parseData (garbage, sizeof (garbage));
    EXPECT_EQ (fromGarbage.language, 1);
    EXPECT_EQ (fromGarbage.timerSeconds, 0);
}

TEST (ConfigFileTest, valuesTheProgramCannotUseReadAsTheirDefaults)
{
    const auto read = [] (const juce::String& language, const juce::String& languageSet,
                          const juce::String& tag, const juce::String& timer)
    {
        return ConfigFile::parse ("Language=" + language + ";LanguageSet=" + languageSet +
                                  ";Sets=;Tags=" + tag + ";Timer=" + timer + ";");
    };

    // Any language but French shows English; the tag catalogue must follow it.
    EXPECT_EQ (read ("7", "-1", "-1", "0").language, 1);
    EXPECT_EQ (read ("-1", "-1", "-1", "0").language, 1);
    EXPECT_EQ (read ("0", "-1", "-1", "0").language, 0);

    EXPECT_EQ (read ("1", "2", "-1", "0").languageSet, -1);
    EXPECT_EQ (read ("1", "-2", "-1", "0").languageSet, -1);
    EXPECT_EQ (read ("1", "1", "-1", "0").languageSet, 1);

    EXPECT_EQ (read ("1", "0", "106", "0").tag, -1);
    EXPECT_EQ (read ("1", "0", "-5", "0").tag, -1);
    EXPECT_EQ (read ("1", "0", "417", "0").tag, 417);

    // A negative period would tick every millisecond; one whose milliseconds overflow an int likewise.
    EXPECT_EQ (read ("1", "0", "-1", "-5").timerSeconds, 0);
    EXPECT_EQ (read ("1", "0", "-1", "2147484").timerSeconds, 0);
    EXPECT_EQ (read ("1", "0", "-1", "99999999999").timerSeconds, 0);
    EXPECT_EQ (read ("1", "0", "-1", "2147483").timerSeconds, ConfigFile::maximumTimerSeconds);
}

// Found by fuzzing: a damaged file whose set name holds characters beyond the Basic Multilingual Plane.
TEST (ConfigFileFuzzRegressionTest, readsWhatItWritesForEveryInputFound)
{
    for (const auto& file : testing_helpers::fixturesDirectory().getChildFile ("fuzz").findChildFiles (
             juce::File::findFiles, false, "config-*"))
    {
        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes));
        const auto settings = ConfigFile::parseData (bytes.getData(), bytes.getSize());
        const auto again = ConfigFile::parse (ConfigFile::format (settings));

        EXPECT_EQ (again.language, settings.language) << file.getFileName();
        EXPECT_EQ (again.languageSet, settings.languageSet);
        EXPECT_EQ (again.sets, settings.sets);
        EXPECT_EQ (again.tag, settings.tag);
        EXPECT_EQ (again.lastItem, settings.lastItem);
        EXPECT_EQ (again.lookForFavorites, settings.lookForFavorites);
        EXPECT_EQ (again.timerSeconds, settings.timerSeconds);
    }
}
