#include "TestHelpers.h"
#include "cli/TerminalText.h"

#include <gtest/gtest.h>

TEST (TerminalTextTest, wrapsAtWordBoundariesToTheWidth)
{
    EXPECT_EQ (TerminalText::wrap ("Play the chorus twice as slow, then faster.", 16),
               "Play the chorus\ntwice as slow,\nthen faster.");
    EXPECT_EQ (TerminalText::wrap ("A word-longer-than-the-line stays whole.", 10),
               "A\nword-longer-than-the-line\nstays\nwhole.");
    EXPECT_EQ (TerminalText::wrap (testing_helpers::utf8 ("Écoutez été à côté"), 11),
               testing_helpers::utf8 ("Écoutez été\nà côté"));
    EXPECT_EQ (TerminalText::wrap ("Left as it is  when piped.", 0), "Left as it is  when piped.");
}
