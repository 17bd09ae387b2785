#include "advice/QuickSetCheck.h"

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/SetChecker.h"
#include "advice/SetConseils.h"
#include "base/Utf16TextFile.h"
#include "widgets/CardTextFit.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

// Words of every kind the editor allows: accents, quotes, the widest and narrowest letters, punctuation.
const juce::StringArray& adviceWords()
{
    static const juce::StringArray words{ "Play",          "it",         "slow",        utf8 ("mélodie"),
                                          utf8 ("ÉCRIRE"), "\"quoted\"", "l'envers",    "(twice)",
                                          "100%",          "a/b",        "WWWWW",       "ill.",
                                          "chorus,",       "why?",       "now!",        "key:",
                                          "x*y+z=1",       "#7",         "rock&roll",   "`tick`",
                                          "snake_case",    "re-take",    utf8 ("Über"), utf8 ("ça") };
    return words;
}

// A text of random words, told apart from every other by its number.
juce::String randomAdvice (juce::Random& random, int number, int numWords)
{
    juce::StringArray words;

    for (int i = 0; i < numWords; ++i)
        words.add (adviceWords()[random.nextInt (adviceWords().size())]);

    return words.joinIntoString (" ") + " " + juce::String (number) + ".";
}

// Some valid tags, among them one of the three abstraction tags.
juce::String randomTags (juce::Random& random)
{
    juce::StringArray tags{ juce::String (random.nextInt (3)) };

    for (int i = random.nextInt (4); i > 0; --i)
    {
        const auto category = 1 + random.nextInt (DataTags::numCategories - 1);
        tags.add (juce::String (
            DataTags::getHash (category, random.nextInt (DataTags::getNumTagsInCategory (category)))));
    }

    return tags.joinIntoString (",") + ",";
}

// "LINE: message" for each problem, and the count, to compare at a glance.
juce::StringArray describe (const SetChecker::FileReport& report)
{
    juce::StringArray lines{ juce::String (report.numAdvice) + " advice" };

    for (const auto& problem : report.problems)
        lines.add (juce::String (problem.line) + ": " + problem.message);

    return lines;
}

class QuickSetCheckTest : public ::testing::Test
{
protected:
    // A set as the program's writer lays it out, of these texts with random tags and favourites.
    juce::File writeSet (const juce::String& fileName, const juce::StringArray& texts, int language = -1)
    {
        SetConseils set (&tags);
        set.setName ("Quick " + fileName);
        set.setDescription (utf8 ("Décrit, à la main"));
        set.setAuthor ("Tester");
        set.setLanguage (language >= 0 ? language : random.nextInt (2));
        set.setColourSet (juce::Colour ((juce::uint32) random.nextInt()));
        set.setFileSet (folder.child (fileName));

        for (const auto& text : texts)
        {
            set.addNewConseil();
            const auto index = set.getNumConseils() - 1;
            set.setDescriptionItem (index, text);
            set.setHashTags (index, randomTags (random));
            set.setFavoriteItem (index, random.nextBool());
        }

        EXPECT_TRUE (set.saveData());
        return set.getFileSet();
    }

    // Texts the main screen shows whole, some of them long enough to need laying out.
    juce::StringArray cleanTexts (int count)
    {
        juce::StringArray texts;

        while (texts.size() < count)
        {
            const auto text =
                randomAdvice (random, texts.size(),
                              random.nextInt (10) == 0 ? 30 + random.nextInt (20) : 2 + random.nextInt (14));

            if (cardTextFit.fitsAdviceLabel (text))
                texts.add (text);
        }

        return texts;
    }

    std::optional<int> quickCount (const juce::File& file)
    {
        SeenTexts seen;
        return QuickSetCheck (cardTextFit, seen).countCleanAdvice (file);
    }

    SetChecker::FileReport fullCheck (const juce::File& file)
    {
        return SetChecker (cardTextFit, SetChecker::Reading::fullOnly).checkFile (file);
    }

    TemporaryFolder folder;
    DataTags tags;
    CardTextFit cardTextFit;
    juce::Random random{ 20261210 };
};

// The file's bytes with one change of a kind that breaks the program's layout or the rules in some way,
// or in none.
juce::MemoryBlock damaged (const juce::MemoryBlock& original, juce::Random& random)
{
    static const juce::uint16 units[] = { ';', ' ', '\r', '\n', 0,    0xe9,   0x100, 0xd800, '=',
                                          '0', '9', ',',  'a',  '\t', 0x2014, 0x13b, 'I',    'T' };
    juce::MemoryBlock bytes (original);
    auto* data = static_cast<juce::uint8*> (bytes.getData());
    const auto numUnits = (int) bytes.getSize() / 2;
    const auto at = 2 * (size_t) random.nextInt (numUnits);

    switch (random.nextInt (6))
    {
        case 0:
        case 1:
        {
            const auto unit = units[random.nextInt ((int) std::size (units))];
            data[at] = (juce::uint8) (unit & 0xff);
            data[at + 1] = (juce::uint8) (unit >> 8);
            break;
        }
        case 2:
            bytes.removeSection (at, 2);
            break;
        case 3:
            bytes.setSize (at + (size_t) random.nextInt (2), false);
            break;
        case 4:
        {
            // A piece repeated: copied out first, as the block moves when it grows.
            const juce::MemoryBlock piece (
                data + at, std::min (bytes.getSize() - at, 2 + 2 * (size_t) random.nextInt (40)));
            bytes.insert (piece.getData(), piece.getSize(), at);
            break;
        }
        default:
            bytes.append ("\x01", (size_t) 1 + (size_t) random.nextInt (2));
            break;
    }

    return bytes;
}
} // namespace

TEST_F (QuickSetCheckTest, tellsTheWritersCleanSetsCleanWithTheirCount)
{
    // The largest set spans many windows of the file, so records lie across their edges.
    for (const auto count : { 0, 1, 57, 2500 })
    {
        const auto file = writeSet ("clean" + juce::String (count) + ".mwh", cleanTexts (count));

        EXPECT_EQ (quickCount (file), std::optional<int> (count));
        EXPECT_EQ (describe (fullCheck (file)), juce::StringArray (juce::String (count) + " advice"));
    }
}

TEST_F (QuickSetCheckTest, leavesEveryOtherFileToTheFullCheck)
{
    const auto clean = writeSet ("clean.mwh", cleanTexts (5), 0);
    juce::MemoryBlock bytes;
    ASSERT_TRUE (clean.loadFileAsData (bytes));

    const auto withText = [&] (const juce::String& from, const juce::String& to)
    {
        auto text = Utf16TextFile::decode (bytes.getData(), bytes.getSize()).replace (from, to);
        const auto file = folder.child ("changed.mwh");
        EXPECT_TRUE (Utf16TextFile::replaceWithText (file, text));
        return file;
    };

    // Each of these the full check reports, or reads in a way only it can tell.
    const std::pair<const char*, const char*> changes[] = {
        { "Name=Quick clean.mwh;", "Name=;" },
        { "Language=0;", "Language=2;" },
        { "Language=0;", "Language=01;" },
        { "Favorite=", "Favorite=no" },
        { "Colour=", "Colour=1," },
        { " 2.;", " 2. ;" },
        { " 3.;", " 3;.;" },
        { "Item=", "Item= " },
        { " 1.;", " 1\xe2\x80\x94.;" },
        { "Tags=", "Tags=999," },
        { "Tags=", "Tags=7," },
        { "Tags=", "Tags=;" },
        { "\r\n\r\nItem=", "\r\nItem=" },
        { "\r\nFavorite=", "\r\n\r\nFavorite=" },
    };

    for (const auto& [from, to] : changes)
    {
        const auto file = withText (from, utf8 (to));
        ASSERT_NE (file.loadFileAsString(), clean.loadFileAsString()) << from;
        EXPECT_FALSE (quickCount (file)) << from << " -> " << to;
    }

    // Known tags, but no abstraction tag among them (the first tag of each advice is its only one).
    auto noAbstraction = Utf16TextFile::decode (bytes.getData(), bytes.getSize());

    for (const auto* abstractionTag : { "Tags=0,", "Tags=1,", "Tags=2," })
        noAbstraction = noAbstraction.replace (abstractionTag, "Tags=104,");

    const auto noAbstractionFile = folder.child ("no-abstraction.mwh");
    ASSERT_TRUE (Utf16TextFile::replaceWithText (noAbstractionFile, noAbstraction));
    EXPECT_FALSE (quickCount (noAbstractionFile));

    // The same set as plain UTF-8 (as the shipped sets are stored) is no file the quick check reads.
    const auto utf8File = folder.child ("utf8.mwh");
    ASSERT_TRUE (utf8File.replaceWithText (Utf16TextFile::decode (bytes.getData(), bytes.getSize())));
    EXPECT_FALSE (quickCount (utf8File));
    EXPECT_EQ (describe (SetChecker (cardTextFit).checkFile (utf8File)), juce::StringArray ("5 advice"));
}

// Whatever a file holds, checking it quickly first reports exactly what the full check alone reports.
TEST_F (QuickSetCheckTest, agreesWithTheFullCheckOnDamagedSets)
{
    const auto original = writeSet ("original.mwh", cleanTexts (20));
    juce::MemoryBlock bytes;
    ASSERT_TRUE (original.loadFileAsData (bytes));
    const auto file = folder.child ("damaged.mwh");
    int numQuicklyClean = 0, numReported = 0;

    for (int i = 0; i < 800; ++i)
    {
        const auto changed = damaged (bytes, random);
        ASSERT_TRUE (file.replaceWithData (changed.getData(), changed.getSize()));

        const auto full = fullCheck (file);
        const auto quick = quickCount (file);

        if (quick)
        {
            ++numQuicklyClean;
            EXPECT_EQ (describe (full), juce::StringArray (juce::String (*quick) + " advice")) << i;
        }

        numReported += full.problems.empty() ? 0 : 1;
        EXPECT_EQ (describe (SetChecker (cardTextFit).checkFile (file)), describe (full)) << i;
    }

    // Changes that keep the set clean (a letter for another) are told quickly; most others are not.
    EXPECT_GT (numQuicklyClean, 20);
    EXPECT_GT (numReported, 400);
}

TEST_F (QuickSetCheckTest, remembersTextsAcrossFilesAsTheFullCheckDoes)
{
    const auto first = cleanTexts (30);
    auto repeating = cleanTexts (40);
    repeating.set (7, first[3]);
    auto broken = repeating;
    broken.set (0, first[5]);
    broken.set (1, utf8 ("A refused \xe2\x80\x94 dash."));
    broken.set (2, "Only the broken set holds this.");
    auto afterBroken = cleanTexts (35);
    afterBroken.set (20, broken[2]);

    const juce::Array<juce::File> files{ writeSet ("a.mwh", first),       writeSet ("b.mwh", repeating),
                                         writeSet ("c.mwh", broken),      writeSet ("d.mwh", cleanTexts (3)),
                                         writeSet ("e.mwh", afterBroken), writeSet ("a-again.mwh", first) };
    SetChecker quickFirst (cardTextFit), fullOnly (cardTextFit, SetChecker::Reading::fullOnly);

    for (const auto& file : files)
        EXPECT_EQ (describe (quickFirst.checkFile (file)), describe (fullOnly.checkFile (file)))
            << file.getFileName();
}
