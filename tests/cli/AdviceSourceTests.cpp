#include "TestHelpers.h"
#include "cli/AdviceSource.h"

#include <gtest/gtest.h>

namespace
{
using Format = AdviceSource::Format;

juce::StringArray describe (const std::vector<AdviceSource::Entry>& entries)
{
    juce::StringArray lines;

    for (const auto& entry : entries)
        lines.add (juce::String (entry.line) + "|" + entry.text + "|" + entry.tags + "|" + entry.problem);

    return lines;
}
} // namespace

TEST (AdviceSourceTest, readsOneAdviceALineFromText)
{
    EXPECT_EQ (describe (AdviceSource::parse ("First.\r\n\n   \n\t Second  one. \nThird.", Format::text)),
               juce::StringArray ("1|First.||", "4|Second one.||", "5|Third.||"));
}

TEST (AdviceSourceTest, readsFortuneEntriesAcrossLines)
{
    const auto text =
        "A saying\nover two lines.\n%\n%\n\nAnother one.\n%\r\nLast, without a final separator.\n";
    EXPECT_EQ (describe (AdviceSource::parse (text, Format::fortune)),
               juce::StringArray ("1|A saying over two lines.||", "6|Another one.||",
                                  "8|Last, without a final separator.||"));

    // "%" only separates when it stands alone on its line.
    EXPECT_EQ (describe (AdviceSource::parse ("Use 100% of it.\n%\n", Format::fortune)),
               juce::StringArray ("1|Use 100% of it.||"));
}

TEST (AdviceSourceTest, readsCsvTextAndTagsSkippingAHeader)
{
    const auto text = "text,tags\n\"One, with a comma\",\"1,104,\"\n\"Two\nlines\"\n,\nThree,2,extra\n\"Open";
    EXPECT_EQ (describe (AdviceSource::parse (text, Format::csv)),
               juce::StringArray ("2|One, with a comma|1,104,|", "3|Two lines||", "6|Three|2,extra|",
                                  "7|Open||a quoted field is not closed before the end of the file"));

    // Without a header, the first record is an advice; tags may spread over the columns after the text.
    EXPECT_EQ (describe (AdviceSource::parse ("Texts first,0,", Format::csv)),
               juce::StringArray ("1|Texts first|0,|"));
    EXPECT_EQ (describe (AdviceSource::parse ("Unquoted tags,0,104,", Format::csv)),
               juce::StringArray ("1|Unquoted tags|0,104,|"));
}

TEST (AdviceSourceTest, tellsTheFormatFromTheNameAndTheText)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory);
    const auto csv = folder.getChildFile ("list.CSV"), text = folder.getChildFile ("list.txt");
    EXPECT_EQ (AdviceSource::detectFormat (csv, "a\n%\nb"), Format::csv);
    EXPECT_EQ (AdviceSource::detectFormat (text, "a\n%\nb"), Format::fortune);
    EXPECT_EQ (AdviceSource::detectFormat (text, "a 50% mix\nb"), Format::text);
}

TEST (AdviceSourceTest, refusesWhatIsNoListOfAdvice)
{
    testing_helpers::TemporaryFolder folder;
    const auto junk = folder.child ("junk.txt");
    const char bytes[] = { 'a', 0, 'b', 0x7f };
    ASSERT_TRUE (junk.replaceWithData (bytes, sizeof (bytes)));
    EXPECT_EQ (AdviceSource::read (junk).error, "not a text file");
    EXPECT_EQ (AdviceSource::read (folder.child ("missing.txt")).error, "no such file");
    EXPECT_EQ (AdviceSource::read (folder.get()).error, "a folder, not a file");

    const auto large = folder.child ("large.txt");
    {
        juce::FileOutputStream out (large);
        ASSERT_TRUE (out.openedOk());
        out.setPosition (AdviceSource::maximumSize);
        out.writeByte ('x');
    }
    EXPECT_TRUE (AdviceSource::read (large).error.startsWith ("too large"))
        << AdviceSource::read (large).error;

    // UTF-16 text holds zero bytes and is text all the same.
    const auto utf16 = folder.child ("utf16.txt");
    ASSERT_TRUE (utf16.replaceWithText (testing_helpers::utf8 ("Été.\n"), true, true, "\n"));
    const auto contents = AdviceSource::read (utf16);
    EXPECT_EQ (contents.error, "");
    EXPECT_EQ (describe (contents.entries), juce::StringArray (testing_helpers::utf8 ("1|Été.||")));
}

TEST (AdviceSourceTest, findsTheHeaderAndTheColumnsOfATable)
{
    // A header by a name the import knows, by its tag column, or none at all.
    EXPECT_EQ (describe (AdviceSource::parse ("Prompt\nOne.\nTwo.", Format::csv)),
               juce::StringArray ("2|One.||", "3|Two.||"));
    EXPECT_EQ (describe (AdviceSource::parse ("Notes;Which\n0,104;Longer advice here.\n1;Another advice.",
                                              Format::csv)),
               juce::StringArray ("2|Longer advice here.|0,104|", "3|Another advice.|1|"));
    EXPECT_EQ (describe (AdviceSource::parse ("Short;A much longer advice text.\nTiny;Another long advice.",
                                              Format::csv)),
               juce::StringArray ("1|A much longer advice text.||", "2|Another long advice.||"));

    juce::StringArray notes;
    AdviceSource::parse ("Prompt,Category\nPlay it slower,Rhythm\n", Format::csv, 0, notes);
    EXPECT_EQ (notes, juce::StringArray ("column \"Category\" passed over"));

    EXPECT_EQ (
        describe (AdviceSource::parse ("Text\tFavourite\nKeep this.\tyes\nNot this.\t\n", Format::tsv)),
        juce::StringArray ("2|Keep this.||", "3|Not this.||"));
}

TEST (AdviceSourceTest, decodesEachLineInItsOwnEncoding)
{
    const auto decodeBytes = [] (const char* bytes, std::optional<CharacterEncoding> encoding = std::nullopt)
    { return AdviceSource::decode (juce::MemoryBlock (bytes, std::strlen (bytes)), encoding); };

    const auto mixed = decodeBytes ("\xef\xbb\xbf"
                                    "Caf\xc3\xa9\r\nJou\xe9\r\n\x93quoted\x94\n\xc3\xa0 la fin");
    EXPECT_EQ (mixed.text, testing_helpers::utf8 ("Café\r\nJoué\r\n“quoted”\nà la fin"));
    EXPECT_EQ (mixed.encoding, "UTF-8, lines 2, 3 as Windows-1252");

    EXPECT_EQ (decodeBytes ("Jou\xe9\n\xe0").encoding, "Windows-1252");
    EXPECT_EQ (decodeBytes ("plain").encoding, "UTF-8");

    const auto forced = decodeBytes ("\xe6iu\n\xa5", CharacterEncoding::find ("ISO-8859-3"));
    EXPECT_EQ (forced.text.upToFirstOccurrenceOf ("\n", false, false), testing_helpers::utf8 ("ĉiu"));
    EXPECT_EQ (forced.badLines, juce::Array<int> (2));
    EXPECT_EQ (forced.encoding, "ISO-8859-3");
}
