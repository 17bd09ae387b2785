#include "TestHelpers.h"
#include "advice/SetChecker.h"
#include "advice/SetTextRules.h"
#include "widgets/CardTextFit.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

const juce::String header = testing_helpers::SetFileText()
                                .withName ("Checked")
                                .withDescription ("d")
                                .withAuthor ("a")
                                .withColour ("1,2,3")
                                .header();

juce::String item (const juce::String& text, const juce::String& tags = "0,")
{
    return testing_helpers::SetFileText::record ({ text, tags });
}

// "LINE: message" for each problem, to compare at a glance.
juce::StringArray describe (const SetChecker::FileReport& report)
{
    juce::StringArray lines;

    for (const auto& problem : report.problems)
        lines.add (juce::String (problem.line) + ": " + problem.message);

    return lines;
}

bool anyContains (const juce::StringArray& lines, const juce::String& part)
{
    return std::any_of (lines.begin(), lines.end(),
                        [&] (const juce::String& line) { return line.contains (part); });
}

class SetCheckerTest : public ::testing::Test
{
protected:
    juce::File write (const juce::String& name, const juce::String& text)
    {
        const auto file = folder.child (name);
        EXPECT_TRUE (file.replaceWithText (text, false, false, "\n"));
        return file;
    }

    TemporaryFolder folder;
    CardTextFit cardTextFit;
    SetChecker checker{ cardTextFit };
};
} // namespace

TEST_F (SetCheckerTest, findsNothingInAWellMadeSet)
{
    const auto report = checker.checkFile (write ("good.mwh", header + item ("Play it slow.", "1,104,") +
                                                                  item (utf8 ("Écrivez un refrain."), "2,")));
    EXPECT_EQ (describe (report), juce::StringArray());
    EXPECT_EQ (report.numAdvice, 2);
}

TEST_F (SetCheckerTest, reportsEachBrokenAdviceAtItsLine)
{
    // Lines: 9 first item, 13 second, 17 third, 21 fourth, 25 fifth, 29 sixth.
    const auto text = header + item ("Cut here; this part is lost.") + item ("Unknown tag.", "0,999,") +
                      item ("No abstraction tag.", "104,") + item (utf8 ("Curly \xe2\x80\x99quote.")) +
                      item (juce::String::repeatedString ("long ", 90)) + item ("Unknown tag.", "0,999,");
    const auto lines = describe (checker.checkFile (write ("broken.mwh", text)));

    EXPECT_TRUE (
        anyContains (lines, "9: the advice is cut at a \";\": \"this part is lost.\" is not part of it"))
        << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "1: the program passes over part of the file"))
        << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "13: unknown tag 999")) << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "29: unknown tag 999")) << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "17: no abstraction tag")) << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "21: the text holds \"" + utf8 ("\xe2\x80\x99") + "\" (U+2019)"))
        << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "25: the text has 450 characters")) << lines.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (lines, "29: the same text stands earlier")) << lines.joinIntoString ("\n");
}

TEST_F (SetCheckerTest, reportsMissingKeysAndFilesThatAreNoSets)
{
    const auto noColour = describe (
        checker.checkFile (write ("no-colour.mwh", header.replace ("Colour=1,2,3;\n", "") +
                                                       "Item=No tags line.;\nFavorite=false;\n\n")));
    EXPECT_TRUE (anyContains (noColour, "1: missing \"Colour=\"")) << noColour.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (noColour, "8: the advice has no \"Tags=\"")) << noColour.joinIntoString ("\n");

    const auto junk = folder.child ("junk.mwh");
    const char bytes[] = { 0x00, 0x13, 0x7f, 0x01, 0x02, 0x55 };
    ASSERT_TRUE (junk.replaceWithData (bytes, sizeof (bytes)));

    EXPECT_EQ (
        describe (checker.checkFile (junk)),
        juce::StringArray ("1: not a set file: neither the set header nor any key of the older set format"));
    EXPECT_EQ (describe (checker.checkFile (folder.child ("missing.mwh"))),
               juce::StringArray ("1: no such file"));
    EXPECT_EQ (describe (checker.checkFile (folder.get())),
               juce::StringArray ("1: a folder, not a set file"));
    EXPECT_TRUE (anyContains (describe (checker.checkFile (write ("set.txt", header + item ("Fine.")))),
                              "1: not a set file: the program reads only files ending in .mwh"));
}

TEST_F (SetCheckerTest, readsLegacySetsAsTheProgramDoes)
{
    const auto report =
        checker.checkFile (testing_helpers::fixturesDirectory().getChildFile ("legacy/legacy-sample.mwh"));
    EXPECT_GT (report.numAdvice, 0);

    // The legacy sample's texts are all the editor allows; only its tags may lack an abstraction tag.
    for (const auto& problem : report.problems)
        EXPECT_TRUE (problem.message.startsWith ("no abstraction tag"))
            << problem.line << ": " << problem.message;
}

TEST_F (SetCheckerTest, remembersTextsAcrossFilesAndAdvice)
{
    EXPECT_TRUE (checker.checkAdvice ("Once.", { 0 }).isEmpty());
    EXPECT_EQ (checker.checkAdvice ("Once.", { 0 }),
               juce::StringArray ("the same text stands earlier: \"Once.\""));

    const auto lines = describe (checker.checkFile (write ("again.mwh", header + item ("Once."))));
    EXPECT_EQ (lines, juce::StringArray ("9: the same text stands earlier: \"Once.\""));
}

TEST_F (SetCheckerTest, reportsAdviceTheMainScreenCannotShowWhole)
{
    const auto problems =
        checker.checkAdvice (juce::String::repeatedString ("Wrap me please. ", 20).trim(), { 0 });
    EXPECT_EQ (problems, juce::StringArray ("the text does not fit the main screen's advice label"));
}

TEST_F (SetCheckerTest, refusesWhatTheSetEditorRefuses)
{
    EXPECT_EQ (SetTextRules::findRefusedCharacter (utf8 ("Àçé ok, (fine) & 100% \"right\"?")), 0);
    EXPECT_EQ (SetTextRules::findRefusedCharacter ("tab\there"), (juce::juce_wchar) '\t');
    EXPECT_EQ (SetTextRules::findRefusedCharacter (utf8 ("\xc5\x93uvre")), (juce::juce_wchar) 0x153);

    EXPECT_EQ (checker.checkAdvice ("  padded  text ", { 0 }),
               juce::StringArray ("the text has spaces the set editor would remove"));
    EXPECT_EQ (checker.checkAdvice ({}, { 0 }), juce::StringArray ("an empty advice"));
}

namespace
{
// A set file exactly as the program's writer lays it out, advice in the reader's order.
juce::String shippedText (const juce::String& name, const juce::String& colour,
                          const juce::StringArray& texts,
                          const juce::String& description = "A description long enough.")
{
    testing_helpers::SetFileText text;
    text.withName (name)
        .withDescription (description)
        .withAuthor ("The Musewheeler developers (2026)")
        .withColour (colour);

    for (const auto& advice : texts)
        text.add (advice, "0,104,");

    return text.toString();
}

class ShippedSetRulesTest : public SetCheckerTest
{
protected:
    juce::StringArray checkShipped (const juce::String& name, const juce::String& text)
    {
        return checker.checkShippedFile (write (name, text));
    }
};
} // namespace

TEST_F (ShippedSetRulesTest, findsNothingInAWellMadeSet)
{
    EXPECT_EQ (
        checkShipped ("good.mwh", shippedText ("Good Set", "255,191,0", { "Play it slow.", "Sing it." })),
        juce::StringArray());
    EXPECT_EQ (checkShipped ("other.mwh", shippedText ("Other Set", "0,255,255", { "Write it down." })),
               juce::StringArray());
}

TEST_F (ShippedSetRulesTest, wantsPlainUtf8InTheWritersLayout)
{
    const auto good = shippedText ("Set", "255,191,0", { "Play it slow." });

    const auto utf16 = folder.child ("utf16.mwh");
    ASSERT_TRUE (utf16.replaceWithText (good, true, true, "\n"));
    EXPECT_TRUE (anyContains (checker.checkShippedFile (utf16), "stored as UTF-16, not plain UTF-8"));

    EXPECT_TRUE (anyContains (checkShipped ("bom.mwh", utf8 ("\xef\xbb\xbf") + good),
                              "starts with a byte order mark"));

    const auto unsorted = shippedText ("Set", "0,255,255", { "Sing it.", "Play it slow." });
    EXPECT_TRUE (
        anyContains (checkShipped ("unsorted.mwh", unsorted), "not laid out as the program's writer"));

    const auto spaced = shippedText ("Set", "255,0,239", { "Write it." }).replace ("Tags=", "\nTags=");
    EXPECT_TRUE (anyContains (checkShipped ("spaced.mwh", spaced), "not laid out as the program's writer"));
}

TEST_F (ShippedSetRulesTest, wantsHeaderTextsTheEditorAllows)
{
    const auto problems = checkShipped (
        "header.mwh", shippedText (utf8 ("Set \xe2\x80\x94 one"), "255,191,0", { "Play." }, "Short"));
    EXPECT_TRUE (anyContains (problems, utf8 ("the set's name holds \"\xe2\x80\x94\"")))
        << problems.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (problems, "the set's description is missing or shorter than 20"))
        << problems.joinIntoString ("\n");

    const auto keyWord = checkShipped (
        "key.mwh", shippedText ("Set  Tags=", "0,255,255", { "Sing." }, "A description with Author= in it."));
    EXPECT_TRUE (anyContains (keyWord, "the set's name holds the key word \"Tags=\""))
        << keyWord.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (keyWord, "the set's name has spaces the set editor would remove"))
        << keyWord.joinIntoString ("\n");
    EXPECT_TRUE (anyContains (keyWord, "the set's description holds the key word \"Author=\""))
        << keyWord.joinIntoString ("\n");
}

TEST_F (ShippedSetRulesTest, wantsADifferentPaletteColourThatShows)
{
    EXPECT_EQ (checkShipped ("a.mwh", shippedText ("A", "255,191,0", { "One." })), juce::StringArray());
    EXPECT_EQ (checkShipped ("b.mwh", shippedText ("B", "255,191,0", { "Two." })),
               juce::StringArray ("the colour 255,191,0 is already the colour of a.mwh"));
    EXPECT_EQ (checkShipped ("c.mwh", shippedText ("C", "1,2,3", { "Three." })),
               juce::StringArray ("the colour 1,2,3 is not in the colour selector's palette"));
    EXPECT_EQ (checkShipped ("d.mwh", shippedText ("D", "127,255,0", { "Four." })),
               juce::StringArray ("the colour 127,255,0 has a component half-way between two byte values"));
    EXPECT_EQ (checkShipped ("e.mwh", shippedText ("E", "0,16,255", { "Five." })),
               juce::StringArray ("the colour 0,16,255 is too dark on the black main screen"));
}

TEST_F (ShippedSetRulesTest, wantsNamesAndWordsTheMainScreenShowsWhole)
{
    const auto longName = "A Set Name Wide Enough To Be Squeezed";
    EXPECT_EQ (checkShipped ("name.mwh", shippedText (longName, "255,191,0", { "One." })),
               juce::StringArray ("the set's name is squeezed to fit the main screen's name label"));

    const auto word = juce::String::repeatedString ("w", 30);
    EXPECT_EQ (checkShipped ("word.mwh", shippedText ("Words", "0,255,255", { "Try " + word + " now." })),
               juce::StringArray ("\"Try " + word + " now.\": the word \"" + word +
                                  "\" is wider than the advice label"));
}

TEST_F (ShippedSetRulesTest, wantsEveryAdviceOnceAcrossSetsWithoutKeyWords)
{
    EXPECT_EQ (checkShipped ("a.mwh", shippedText ("A", "255,191,0", { "Play it slow." })),
               juce::StringArray());
    EXPECT_EQ (
        checkShipped ("b.mwh", shippedText ("B", "0,255,255", { "Mark Item= here.", "PLAY it\tslow." })),
        juce::StringArray ({ "\"Mark Item= here.\": the text holds the key word \"Item=\"",
                             "\"PLAY it\tslow.\": the same text, letter case and spacing aside, "
                             "stands in a.mwh" }));
}
