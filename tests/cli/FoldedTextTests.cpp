#include "TestHelpers.h"
#include "cli/FoldedText.h"

#include <gtest/gtest.h>

using testing_helpers::utf8;

TEST (FoldedTextTest, foldsCaseAndAccents)
{
    EXPECT_EQ (FoldedText::fold (utf8 ("Synthèse SONORE")), "synthese sonore");
    EXPECT_EQ (FoldedText::fold (utf8 ("ÉCOUTEZ À l'ŒIL ça")), "ecoutez a l'oeil ca");
    EXPECT_EQ (FoldedText::fold (utf8 ("× 3 ÿ")), utf8 ("× 3 y"));
}

TEST (FoldedTextTest, findsEveryWordInAnyOrder)
{
    const auto text = utf8 ("Réglez le métronome très lentement.");
    EXPECT_TRUE (FoldedText::containsEveryWord (text, "METRONOME  lent"));
    EXPECT_TRUE (FoldedText::containsEveryWord (text, utf8 ("lentement métronome")));
    EXPECT_FALSE (FoldedText::containsEveryWord (text, "metronome vite"));
}
