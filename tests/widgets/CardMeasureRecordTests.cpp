#include "widgets/CardMeasureRecord.h"

#include "TestHelpers.h"
#include "widgets/CardTextFit.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>

namespace
{
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

// Characters the set editor takes, by the room their glyphs take.
const juce::String wideCharacters = utf8 ("WMmw%&OQDH\xc3\x84\xc3\x96\xc3\x9c\xc3\x82\xc3\x94\xc3\x89");
const juce::String narrowCharacters = utf8 ("il.,:'!jftr()-\xc3\xaf\xc3\xae");
const juce::String ordinaryCharacters = utf8 ("abcdefghijklmnopqrstuvwxyz\xc3\xa9\xc3\xa8\xc3\xa0");

juce::String randomWord (juce::Random& random, const juce::String& characters, int longest)
{
    juce::String word;

    for (int i = random.nextInt ({ 1, longest + 1 }); i > 0; --i)
        word += juce::String::charToString (characters[random.nextInt (characters.length())]);

    return word;
}

// The text as the bytes of its characters, all below U+0100.
std::vector<juce::uint8> latin1 (const juce::String& text)
{
    std::vector<juce::uint8> bytes;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
        bytes.push_back ((juce::uint8) p.getAndAdvance());

    return bytes;
}

bool surelyFits (CardTextFit& fit, const juce::String& text)
{
    const auto bytes = latin1 (text);
    return fit.surelyFitsAdviceLabel (bytes.data(), bytes.size());
}

const juce::String someKey ("program and fonts as they were");

// Texts and names that the main screen surely shows whole.
const juce::StringArray shortTexts{ "A short advice.", "Play it slow, then fast.",
                                    utf8 ("R\xc3\xa9\xc3\xa9"
                                          "crivez le refrain.") };
const juce::StringArray shortNames{ "Blank Page Breakers", utf8 ("Sons et studio") };

// Whether the measure answers for every text and name as one that measures with the fonts alone.
void expectSameAnswersAsMeasuring (CardTextFit& fit)
{
    CardTextFit measuring;
    const juce::StringArray texts{
        "A short advice.",
        "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
        "sixteen seventeen eighteen nineteen twenty twenty-one twenty-two twenty-three",
        juce::String::repeatedString ("WWWWW ", 14).trim(),
        juce::String::repeatedString ("WWWWW ", 15).trim(), utf8 ("Slow down \xe2\x80\x94 then stop.")
    };

    for (const auto& text : texts)
        EXPECT_EQ (fit.fitsAdviceLabel (text), measuring.fitsAdviceLabel (text)) << text;

    for (const auto& name : { juce::String ("Blank Page Breakers"), juce::String::repeatedString ("W", 20) })
        EXPECT_EQ (fit.fitsNameLine (name), measuring.fitsNameLine (name)) << name;
}
} // namespace

TEST (CardMeasureRecordTest, keepsItsValuesForItsKeyOnly)
{
    CardMeasureRecord record;
    record.adviceWidths['a'] = 8.5f;
    record.adviceWidths[0xe9] = 9.25f;
    record.adviceLineWidth = 296.0f;
    record.adviceLinesThatFit = 4;
    record.nameWidths['W'] = 17.75f;
    record.nameAreaWidth = 290.0f;

    const auto bytes = record.toBytes (someKey);
    const auto read = CardMeasureRecord::fromBytes (bytes, someKey);
    ASSERT_TRUE (read);
    EXPECT_EQ (read->adviceWidths, record.adviceWidths);
    EXPECT_EQ (read->adviceLineWidth, record.adviceLineWidth);
    EXPECT_EQ (read->adviceLinesThatFit, record.adviceLinesThatFit);
    EXPECT_EQ (read->nameWidths, record.nameWidths);
    EXPECT_EQ (read->nameAreaWidth, record.nameAreaWidth);

    EXPECT_FALSE (CardMeasureRecord::fromBytes (bytes, someKey + " "));
    EXPECT_FALSE (CardMeasureRecord::fromBytes (bytes, someKey.dropLastCharacters (1)));
    EXPECT_FALSE (CardMeasureRecord::fromBytes (bytes, {}));
}

TEST (CardMeasureRecordTest, refusesDamagedRecordsAndValuesThatAreNotFiniteAndPositive)
{
    CardMeasureRecord record;
    record.adviceWidths['a'] = 8.5f;
    record.adviceLineWidth = 296.0f;
    record.adviceLinesThatFit = 4;
    record.nameWidths['a'] = 9.0f;
    record.nameAreaWidth = 290.0f;
    const auto bytes = record.toBytes (someKey);
    ASSERT_TRUE (CardMeasureRecord::fromBytes (bytes, someKey));

    for (size_t size = 0; size < bytes.getSize(); size += 7)
        EXPECT_FALSE (CardMeasureRecord::fromBytes (juce::MemoryBlock (bytes.getData(), size), someKey))
            << size;

    EXPECT_FALSE (
        CardMeasureRecord::fromBytes (juce::MemoryBlock (bytes.getData(), bytes.getSize() - 1), someKey));

    auto longer = bytes;
    longer.append ("\0", 1);
    EXPECT_FALSE (CardMeasureRecord::fromBytes (longer, someKey));

    for (size_t at = 0; at < bytes.getSize(); ++at)
        for (const juce::uint8 flip : { 0x01, 0x80 })
        {
            auto flipped = bytes;
            static_cast<juce::uint8*> (flipped.getData())[at] ^= flip;
            EXPECT_FALSE (CardMeasureRecord::fromBytes (flipped, someKey)) << "byte " << at;
        }

    const auto nan = std::numeric_limits<float>::quiet_NaN();
    const auto infinity = std::numeric_limits<float>::infinity();
    using Setter = std::function<void (CardMeasureRecord&, float)>;
    const std::map<juce::String, Setter> sizes{
        { "advice line width", [] (CardMeasureRecord& r, float value) { r.adviceLineWidth = value; } },
        { "name area width", [] (CardMeasureRecord& r, float value) { r.nameAreaWidth = value; } }
    };
    const std::map<juce::String, Setter> widths{
        { "advice width", [] (CardMeasureRecord& r, float value) { r.adviceWidths['a'] = value; } },
        { "name width", [] (CardMeasureRecord& r, float value) { r.nameWidths['a'] = value; } }
    };

    for (const auto bad : { nan, infinity, -1.0f, 0.0f })
        for (const auto& [what, set] : sizes)
        {
            auto damaged = record;
            set (damaged, bad);
            EXPECT_FALSE (CardMeasureRecord::fromBytes (damaged.toBytes (someKey), someKey))
                << what << " " << bad;
        }

    // A tab is laid out apart by the toolkit: no width of this program's stands for it.
    auto withTab = record;
    withTab.adviceWidths['\t'] = 8.0f;
    EXPECT_FALSE (CardMeasureRecord::fromBytes (withTab.toBytes (someKey), someKey));

    // A width of 0 says only that the character was not measured.
    for (const auto bad : { nan, infinity, -1.0f })
        for (const auto& [what, set] : widths)
        {
            auto damaged = record;
            set (damaged, bad);
            EXPECT_FALSE (CardMeasureRecord::fromBytes (damaged.toBytes (someKey), someKey))
                << what << " " << bad;
        }

    for (const auto lines : { 0, -3 })
    {
        auto damaged = record;
        damaged.adviceLinesThatFit = lines;
        EXPECT_FALSE (CardMeasureRecord::fromBytes (damaged.toBytes (someKey), someKey)) << lines;
    }
}

namespace
{
// A program and a font folder of the test's own, named in the environment as the toolkit's font folder:
// JUCE_FONT_PATH on Linux, the system's Fonts folder on Windows.
struct ProgramAndFonts
{
    ProgramAndFonts()
    {
        program.replaceWithText ("the program");
        fonts.getChildFile ("sub/a.ttf").create();
        fonts.getChildFile ("a.ttf").replaceWithText ("a font");
    }

    juce::String describeKey() const
    {
        const std::map<juce::String, juce::String> variables{ { "JUCE_FONT_PATH", fonts.getFullPathName() },
                                                              { "WINDIR", folder.get().getFullPathName() } };
        return CardMeasureRecord::describeKey (program,
                                               [&variables] (const juce::String& name)
                                               {
                                                   const auto found = variables.find (name);
                                                   return found != variables.end() ? found->second
                                                                                   : juce::String();
                                               });
    }

    // Each change to what the measure hangs on, in turn.
    static constexpr int numChanges = 6;

    juce::String change (int which)
    {
        switch (which)
        {
            case 0:
                program.appendText ("!");
                return "the program's size";
            case 1:
                test_platform::setModificationTime (program, 1000000000000000123);
                return "the program's time";
            case 2:
                fonts.getChildFile ("b.otf").replaceWithText ("another font");
                return "a font added";
            case 3:
                fonts.getChildFile ("sub/a.ttf").replaceWithText ("now longer");
                return "a font in a subfolder grown";
            case 4:
                test_platform::setModificationTime (fonts.getChildFile ("a.ttf"), 2000000000000000456);
                return "a font's time";
            default:
                fonts.getChildFile ("b.otf").deleteFile();
                return "a font removed";
        }
    }

    TemporaryFolder folder;
    const juce::File program = folder.child ("program");
    const juce::File fonts = folder.child ("Fonts");
};
} // namespace

TEST (CardMeasureRecordTest, isKeyedByTheProgramsSizeAndTimeAndEveryFontFile)
{
    ProgramAndFonts programAndFonts;
    ASSERT_TRUE (programAndFonts.program.existsAsFile());
    const auto first = programAndFonts.describeKey();
    EXPECT_EQ (programAndFonts.describeKey(), first) << "the same program and fonts";
    juce::StringArray keys{ first };

    for (int i = 0; i < ProgramAndFonts::numChanges; ++i)
    {
        const auto change = programAndFonts.change (i);
        const auto key = programAndFonts.describeKey();
        EXPECT_FALSE (keys.contains (key)) << change;
        keys.add (key);
    }
}

TEST (CardTextFitRecordTest, aRecordedMeasureAnswersAsTheFontsDoAroundTheEdge)
{
    TemporaryFolder folder;
    const auto recordFile = folder.child ("cache/record");
    const auto key = [] { return someKey; };

    CardTextFit recording (recordFile, key);
    EXPECT_TRUE (recording.fitsAdviceLabel ("Made at the first need."));
    ASSERT_TRUE (CardMeasureRecord::read (recordFile, someKey)) << "the record is written";

    CardTextFit recorded (recordFile, key);
    CardTextFit measuring;
    juce::Random random (2718);
    const juce::StringArray families{ wideCharacters, narrowCharacters, ordinaryCharacters,
                                      wideCharacters + narrowCharacters + ordinaryCharacters };
    int numTexts = 0, numSurelyFitting = 0, numFittingNotSurely = 0;

    // Texts grown a word at a time until a few words past the edge of what fits.
    for (int round = 0; round < 48; ++round)
    {
        const auto& characters = families[round % families.size()];
        const auto longestWord = 1 + round % 12;
        juce::String text;

        for (int pastTheEdge = 0; pastTheEdge < 3; ++numTexts)
        {
            text << (text.isEmpty() ? "" : " ") << randomWord (random, characters, longestWord);
            const auto fits = measuring.fitsAdviceLabel (text);
            const auto surely = surelyFits (recorded, text);
            pastTheEdge += fits ? 0 : 1;
            numSurelyFitting += surely ? 1 : 0;
            numFittingNotSurely += fits && !surely ? 1 : 0;

            ASSERT_EQ (recorded.fitsAdviceLabel (text), fits) << text;
            ASSERT_EQ (recording.fitsAdviceLabel (text), fits) << text;
            ASSERT_TRUE (fits || !surely) << "surely fits, yet does not: " << text;
        }
    }

    EXPECT_GT (numTexts, 1000);
    EXPECT_GT (numSurelyFitting, numTexts / 2) << "the record tells most texts";
    EXPECT_GT (numFittingNotSurely, 0) << "texts near the edge were laid out";

    // Names from one character to past the name line.
    int numNames = 0, numNamesFitting = 0;

    for (int round = 0; round < 40; ++round)
    {
        const auto& characters = families[round % families.size()];
        juce::String name;

        for (bool fits = true; fits; ++numNames)
        {
            name << randomWord (random, characters + " ", 1);
            fits = measuring.fitsNameLine (name);
            numNamesFitting += fits ? 1 : 0;
            ASSERT_EQ (recorded.fitsNameLine (name), fits) << name;
        }
    }

    EXPECT_GT (numNamesFitting, numNames / 2);
}

TEST (CardTextFitRecordTest, withAValidRecordTextsAndNamesThatSurelyFitLoadNoFont)
{
    TemporaryFolder folder;
    const auto recordFile = folder.child ("record");
    const auto key = [] { return someKey; };

    {
        CardTextFit recording (recordFile, key);
        EXPECT_TRUE (recording.fitsNameLine ("Made at the first need"));
        EXPECT_TRUE (recording.hasLoadedFonts());
    }

    CardTextFit recorded (recordFile, key);
    EXPECT_FALSE (recorded.hasLoadedFonts());

    for (const auto& text : shortTexts)
    {
        EXPECT_TRUE (surelyFits (recorded, text)) << text;
        EXPECT_TRUE (recorded.fitsAdviceLabel (text)) << text;
    }

    for (const auto& name : shortNames)
        EXPECT_TRUE (recorded.fitsNameLine (name)) << name;

    EXPECT_FALSE (recorded.hasLoadedFonts());

    // A character the record does not hold needs the fonts.
    EXPECT_TRUE (recorded.fitsAdviceLabel (utf8 ("Slow down \xe2\x80\x94 then stop.")));
    EXPECT_TRUE (recorded.hasLoadedFonts());
}

TEST (CardTextFitRecordTest, aRecordOfAnotherKeyOrDamagedIsMeasuredAgainAndRewritten)
{
    ProgramAndFonts programAndFonts;
    const auto recordFile = programAndFonts.folder.child ("record");
    const auto describeKey = [&] { return programAndFonts.describeKey(); };

    {
        CardTextFit recording (recordFile, describeKey);
        expectSameAnswersAsMeasuring (recording);
    }

    const auto first = CardMeasureRecord::read (recordFile, describeKey());
    ASSERT_TRUE (first);

    const auto expectMeasuredAndRewritten = [&] (const juce::String& what)
    {
        CardTextFit fit (recordFile, describeKey);
        EXPECT_TRUE (fit.fitsAdviceLabel ("A short advice.")) << what;
        EXPECT_TRUE (fit.hasLoadedFonts()) << what;
        expectSameAnswersAsMeasuring (fit);

        // The toolkit's fonts are the same: so are the widths measured.
        const auto rewritten = CardMeasureRecord::read (recordFile, describeKey());
        ASSERT_TRUE (rewritten) << what;
        EXPECT_EQ (rewritten->adviceWidths, first->adviceWidths) << what;
        EXPECT_EQ (rewritten->nameWidths, first->nameWidths) << what;
        EXPECT_EQ (rewritten->adviceLinesThatFit, first->adviceLinesThatFit) << what;
    };

    for (int i = 0; i < ProgramAndFonts::numChanges; ++i)
        expectMeasuredAndRewritten (programAndFonts.change (i));

    auto damaged = testing_helpers::fileBytes (recordFile);
    ASSERT_TRUE (recordFile.replaceWithData (damaged.getData(), damaged.getSize() / 2));
    expectMeasuredAndRewritten ("a truncated record");

    damaged = testing_helpers::fileBytes (recordFile);
    static_cast<char*> (damaged.getData())[damaged.getSize() - 20] ^= 0x10;
    ASSERT_TRUE (recordFile.replaceWithData (damaged.getData(), damaged.getSize()));
    expectMeasuredAndRewritten ("a byte flipped");

    auto record = *CardMeasureRecord::read (recordFile, describeKey());
    record.adviceWidths['e'] = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE (record.write (recordFile, describeKey()));
    expectMeasuredAndRewritten ("a width that is no number");

    ASSERT_TRUE (recordFile.deleteFile());
    expectMeasuredAndRewritten ("no record");

    // And a record that holds is kept as it is.
    const auto kept = testing_helpers::fileBytes (recordFile);
    CardTextFit fit (recordFile, describeKey);
    EXPECT_TRUE (fit.fitsAdviceLabel ("A short advice."));
    EXPECT_FALSE (fit.hasLoadedFonts());
    EXPECT_EQ (testing_helpers::fileBytes (recordFile), kept);
}

TEST (CardTextFitRecordTest, aRecordThatCannotBeWrittenOnlyLeavesTheMeasureToTheFonts)
{
    TemporaryFolder folder;
    // A file stands where the record's folder should be.
    ASSERT_TRUE (folder.child ("cache").replaceWithText ("no folder"));
    const auto recordFile = folder.child ("cache/record");

    CardTextFit fit (recordFile, [] { return someKey; });
    expectSameAnswersAsMeasuring (fit);
    EXPECT_FALSE (recordFile.exists());
    EXPECT_EQ (folder.get().findChildFiles (juce::File::findFilesAndDirectories, true).size(), 1)
        << "no temporary file is left";
}
