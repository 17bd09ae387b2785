#include "advice/SeenTexts.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::utf8;

bool insertOneByte (SeenTexts& seen, const std::string& text)
{
    return seen.insert (
        seen.prepareOneByteText (reinterpret_cast<const juce::uint8*> (text.data()), text.size()));
}
} // namespace

TEST (SeenTextsTest, tellsTextsApartByTheirCharacters)
{
    SeenTexts seen;

    EXPECT_TRUE (seen.insert (utf8 ("écoute")));
    EXPECT_FALSE (seen.insert (utf8 ("écoute")));
    // The same text given one byte a character is the same text.
    EXPECT_FALSE (insertOneByte (seen, "\xe9"
                                       "coute"));
    EXPECT_TRUE (insertOneByte (seen, "Ecoute"));
    EXPECT_FALSE (seen.insert ("Ecoute"));

    // "é" as UTF-8 read one byte a character ("Ã©") is another text; so is a text beyond U+00FF whose
    // UTF-8 bytes are those of a one-byte text.
    EXPECT_TRUE (seen.insert (utf8 ("\xc3\x83\xc2\xa9"
                                    "coute")));
    EXPECT_TRUE (seen.insert (utf8 ("\xc4\x80")));
    EXPECT_TRUE (insertOneByte (seen, "\xc4\x80"));
    EXPECT_FALSE (seen.insert (utf8 ("\xc4\x80")));
    EXPECT_EQ (seen.size(), 5u);
}

TEST (SeenTextsTest, keepsEveryTextAsItGrows)
{
    SeenTexts seen;

    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE (seen.insert ("Advice number " + juce::String (i))) << i;

    for (int i = 0; i < 100000; i += 7)
        ASSERT_FALSE (seen.insert ("Advice number " + juce::String (i))) << i;

    EXPECT_TRUE (seen.insert ("Advice number 100000"));
}

TEST (SeenTextsTest, forgetsTheLaterTextsOnly)
{
    SeenTexts seen;

    for (int i = 0; i < 1000; ++i)
        seen.insert ("early " + juce::String (i));

    // Enough later texts to grow the table on the way.
    for (int i = 0; i < 5000; ++i)
        seen.insert ("late " + juce::String (i));

    seen.forgetAllBut (1000);
    EXPECT_EQ (seen.size(), 1000u);

    for (int i = 0; i < 1000; ++i)
        ASSERT_FALSE (seen.insert ("early " + juce::String (i))) << i;

    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE (seen.insert ("late " + juce::String (i))) << i;
}
