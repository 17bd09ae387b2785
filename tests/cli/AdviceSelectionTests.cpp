#include "TestHelpers.h"
#include "cli/AdviceSelection.h"

#include <gtest/gtest.h>

using testing_helpers::utf8;

TEST (AdviceSelectionTest, findsTagsByHashOrByNameInEitherLanguage)
{
    EXPECT_EQ (AdviceSelection::findTag ("205"), 205);
    EXPECT_EQ (AdviceSelection::findTag ("Sound synthesis"), 205);
    EXPECT_EQ (AdviceSelection::findTag (utf8 ("SYNTHÈSE sonore")), 205);
    EXPECT_EQ (AdviceSelection::findTag ("synthese sonore"), 205);
    EXPECT_EQ (AdviceSelection::findTag (utf8 ("créativité")), 2);
    EXPECT_EQ (AdviceSelection::findTag (" Hip hop "), 308);
    EXPECT_EQ (AdviceSelection::findTag ("106"), -1);
    EXPECT_EQ (AdviceSelection::findTag ("-1"), -1);
    EXPECT_EQ (AdviceSelection::findTag ("polka"), -1);
}

TEST (AdviceSelectionTest, readsLanguageWords)
{
    EXPECT_EQ (AdviceSelection::parseLanguage ("EN", false), 1);
    EXPECT_EQ (AdviceSelection::parseLanguage ("fr", false), 0);
    EXPECT_EQ (AdviceSelection::parseLanguage ("any", true), -1);
    EXPECT_EQ (AdviceSelection::parseLanguage ("any", false), std::nullopt);
    EXPECT_EQ (AdviceSelection::parseLanguage ("de", true), std::nullopt);
}

TEST (AdviceSelectionTest, filtersAGivenFolderAsTheProgramFiltersItsOwn)
{
    testing_helpers::TemporaryFolder folder;
    const auto set = [] (const juce::String& name, int language)
    {
        return testing_helpers::SetFileText()
            .withName (name)
            .withAuthor ("Me")
            .withLanguage (language)
            .withColour ("1,2,3");
    };
    ASSERT_TRUE (set ("one.mwh", 1)
                     .add ("B tagged.", "0,205,", "true")
                     .add ("A plain.", "0,")
                     .writeTo (folder.child ("one.mwh")));
    ASSERT_TRUE (set ("Two.MWH", 0).add ("C deux.", "1,205,").writeTo (folder.child ("Two.MWH")));

    AdviceSelection selection (folder.get());
    EXPECT_EQ (selection.getNumSets(), 2);
    EXPECT_TRUE (selection.hasSetFile ("two.mwh"));

    const auto texts = [&selection] (const AdviceSelection::Filter& filter)
    {
        juce::StringArray found;

        for (const auto& advice : selection.select (filter))
            found.add (advice.fileName + ":" + advice.text);

        return found;
    };

    EXPECT_EQ (texts ({}), juce::StringArray ("one.mwh:A plain.", "one.mwh:B tagged.", "Two.MWH:C deux."));
    EXPECT_EQ (texts ({ 0, {}, -1, false }), juce::StringArray ("Two.MWH:C deux."));
    EXPECT_EQ (texts ({ -1, "TWO.mwh", -1, false }), juce::StringArray ("Two.MWH:C deux."));
    EXPECT_EQ (texts ({ -1, {}, 205, false }), juce::StringArray ("one.mwh:B tagged.", "Two.MWH:C deux."));
    EXPECT_EQ (texts ({ -1, {}, -1, true }), juce::StringArray ("one.mwh:B tagged."));

    const auto first = selection.select ({}).front();
    EXPECT_EQ (first.setName, "one.mwh");
    EXPECT_EQ (first.author, "Me");
}
