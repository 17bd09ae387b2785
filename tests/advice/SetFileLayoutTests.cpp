#include "advice/SetFileLayout.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

namespace
{
// "LINE: message" for each problem, in the layout's order.
juce::StringArray describe (const SetFileLayout& layout)
{
    juce::StringArray lines;

    for (const auto& problem : layout.getProblems())
        lines.add (juce::String (problem.line) + ": " + problem.message);

    return lines;
}

const juce::String header ("MusewheelerV1 - Set file\n\nName=N;\nDescription=D;\nAuthor=A;\nLanguage=1;\n"
                           "Colour=1,2,3;\n\n");
} // namespace

TEST (SetFileLayoutTest, countsLinesEndedByLineFeedsCarriageReturnsOrBoth)
{
    // Lines 9, 10 and 11 end with CR LF, a lone CR and LF.
    SetFileLayout layout (header + "Item=First;\r\nItem=Second;\rItem=Third;\nFavorite=false;\nTags=0,;\n",
                          true);

    EXPECT_EQ (layout.takeLineOf ("Second"), 10);
    EXPECT_EQ (layout.takeLineOf ("Third"), 11);
    EXPECT_EQ (layout.takeLineOf ("First"), 9);
    EXPECT_EQ (
        describe (layout),
        juce::StringArray ({ "9: the advice has no \"Favorite=\"", "9: the advice has no \"Tags=\"",
                             "10: the advice has no \"Favorite=\"", "10: the advice has no \"Tags=\"" }));
}

TEST (SetFileLayoutTest, givesRepeatedTextsTheirLinesInOrderThenTheFirstLine)
{
    SetFileLayout layout (
        header + "Item=Same;\nFavorite=false;\nTags=0,;\n\nItem=Same;\nFavorite=false;\nTags=0,;\n", true);

    EXPECT_EQ (layout.takeLineOf ("Same"), 9);
    EXPECT_EQ (layout.takeLineOf ("Same"), 13);
    EXPECT_EQ (layout.takeLineOf ("Same"), 1);
    EXPECT_EQ (layout.takeLineOf ("Never written"), 1);
    EXPECT_TRUE (describe (layout).isEmpty()) << describe (layout).joinIntoString ("\n");
}

TEST (SetFileLayoutTest, takesKeysAfterTheSpacesThatStartALineAndTellsTextCutOff)
{
    SetFileLayout layout ("MusewheelerV1 - Set file\n  Name=N;\n\tDescription=D;\nAuthor=A;\n"
                          " \t Item=Kept; lost text; \nFavorite=false;\nTags=0,;\nItem=No end\n"
                          "Favorite=false;\nTags=0,;\n",
                          true);

    EXPECT_EQ (layout.getHeaderLine(), 2);
    EXPECT_EQ (layout.takeLineOf ("Kept"), 5);
    EXPECT_EQ (layout.takeLineOf ("No end"), 8);
    EXPECT_EQ (describe (layout),
               juce::StringArray ({ "1: missing \"Language=\"", "1: missing \"Colour=\"",
                                    "5: the advice is cut at a \";\": \"lost text\" is not part of it",
                                    "8: no \";\" ends the advice on its line" }));
}

TEST (SetFileLayoutTest, findsLegacyHeaderKeysAnywhereInTheirLine)
{
    SetFileLayout layout (
        testing_helpers::utf8 ("Nom=Old; Auteur=X;\nAnnée=1999; Description=D; Language=0;\n"
                               "Texte=One;Attributs=;\n"),
        false);

    EXPECT_EQ (layout.getHeaderLine(), 1);
    EXPECT_EQ (layout.takeLineOf ("One"), 3);
    EXPECT_TRUE (describe (layout).isEmpty()) << describe (layout).joinIntoString ("\n");
}
