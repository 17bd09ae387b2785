#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/SetChecker.h"
#include "advice/SetConseils.h"
#include "widgets/CardTextFit.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class ShippedSetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto& file :
             testing_helpers::shippedDataDirectory().findChildFiles (juce::File::findFiles, false, "*.mwh"))
        {
            ASSERT_EQ (LibSetsConseils::isThisFileAValidSet (file), 2) << file.getFileName();
            auto set = std::make_unique<SetConseils> (&tags);
            set->setFileSet (file);
            set->loadData (SetConseils::headerAndAdvice);
            sets.push_back (std::move (set));
        }
    }

    DataTags tags;
    std::vector<std::unique_ptr<SetConseils>> sets;
};
} // namespace

TEST_F (ShippedSetsTest, areEnoughSetsInBothLanguages)
{
    ASSERT_GE (sets.size(), 6u);
    int advice = 0;
    int perLanguage[2] = {};

    for (const auto& set : sets)
    {
        const auto file = set->getFileSet().getFileName();
        EXPECT_GE (set->getNumConseils(), 50) << file;
        EXPECT_TRUE (set->getName().isNotEmpty()) << file;
        EXPECT_TRUE (set->getDescription().isNotEmpty()) << file;
        ASSERT_TRUE (set->getLanguage() == 0 || set->getLanguage() == 1) << file;
        EXPECT_EQ (set->getAuthor(), set->getLanguage() == 1
                                         ? juce::String ("The Musewheeler developers (2026)")
                                         : testing_helpers::utf8 ("Les développeurs de Musewheeler (2026)"))
            << file;
        advice += set->getNumConseils();
        ++perLanguage[set->getLanguage()];
    }

    EXPECT_GE (advice, 300);
    EXPECT_GE (perLanguage[0], 3);
    EXPECT_GE (perLanguage[1], 3);
}

// The rules every set must keep (texts the editor allows, known tags, an abstraction tag, texts that fit
// the main screen, no text twice across all sets) are the set checker's, which musewheeler-sets check
// applies too.
TEST_F (ShippedSetsTest, keepEveryRuleOfTheSetChecker)
{
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    int numAdvice = 0;

    for (const auto& set : sets)
    {
        const auto report = checker.checkFile (set->getFileSet());
        numAdvice += report.numAdvice;

        for (const auto& problem : report.problems)
            ADD_FAILURE() << set->getFileSet().getFileName() << ":" << problem.line << ": "
                          << problem.message;
    }

    EXPECT_GE (numAdvice, 300);
}

// The shipped sets also keep the rules of sets kept exactly as the program writes them, with colours and
// texts told apart across all of them.
TEST_F (ShippedSetsTest, keepTheRulesOfShippedSets)
{
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);

    for (const auto& set : sets)
        for (const auto& problem : checker.checkShippedFile (set->getFileSet()))
            ADD_FAILURE() << set->getFileSet().getFileName() << ": " << problem;
}

// Beyond the checker's rules, the shipped advice are nobody's favourites yet, and each carries exactly one
// abstraction tag and at least one more tag, so that the tag filter gives useful lists.
TEST_F (ShippedSetsTest, everyAdviceIsTaggedForTheTagFilter)
{
    for (const auto& set : sets)
    {
        for (int i = 0; i < set->getNumConseils(); ++i)
        {
            const auto where =
                (set->getFileSet().getFileName() + ": " + set->getDescriptionItem (i)).toStdString();

            EXPECT_FALSE (set->getFavoriteItem (i)) << where;
            EXPECT_GE (set->getNumTags (i), 2) << where;
            EXPECT_EQ (int (set->isTagAssociatedToItem (i, 0)) + int (set->isTagAssociatedToItem (i, 1)) +
                           int (set->isTagAssociatedToItem (i, 2)),
                       1)
                << where;
        }
    }
}
