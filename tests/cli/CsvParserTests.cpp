#include "TestHelpers.h"
#include "cli/CsvParser.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray fieldsOf (const std::vector<CsvParser::Record>& records, size_t index)
{
    return index < records.size() ? records[index].fields : juce::StringArray();
}
} // namespace

TEST (CsvParserTest, readsQuotedFieldsAsRfc4180WritesThem)
{
    const auto records = CsvParser::parse ("plain,\"with, comma\",\"say \"\"hi\"\"\"\r\n"
                                           "\"two\nlines\",\"\",last\n"
                                           "end");
    ASSERT_EQ (records.size(), 3u);
    EXPECT_EQ (fieldsOf (records, 0), juce::StringArray ("plain", "with, comma", "say \"hi\""));
    EXPECT_EQ (fieldsOf (records, 1), juce::StringArray ("two\nlines", "", "last"));
    EXPECT_EQ (fieldsOf (records, 2), juce::StringArray ("end"));
}

TEST (CsvParserTest, numbersRecordsByTheLineTheyStartOn)
{
    const auto records = CsvParser::parse ("a\n\"b\r\nc\"\n\nd\r\"e\"\r\n");
    ASSERT_EQ (records.size(), 5u);
    EXPECT_EQ (records[0].line, 1);
    EXPECT_EQ (records[1].line, 2);
    EXPECT_EQ (records[1].fields[0], "b\nc");
    EXPECT_EQ (records[2].line, 4);
    EXPECT_EQ (records[2].fields, juce::StringArray (""));
    EXPECT_EQ (records[3].line, 5);
    EXPECT_EQ (records[4].line, 6);
    EXPECT_EQ (records[4].fields[0], "e");
}

TEST (CsvParserTest, tellsAQuoteLeftOpen)
{
    const auto records = CsvParser::parse ("fine\n\"never closed, \nstill open");
    ASSERT_EQ (records.size(), 2u);
    EXPECT_TRUE (records[0].quoteClosed);
    EXPECT_FALSE (records[1].quoteClosed);
    EXPECT_EQ (records[1].fields[0], "never closed, \nstill open");

    EXPECT_TRUE (CsvParser::parse ("").empty());
    EXPECT_EQ (fieldsOf (CsvParser::parse (testing_helpers::utf8 ("\"É, à\",0,")), 0),
               juce::StringArray (testing_helpers::utf8 ("É, à"), "0", ""));
}

TEST (CsvParserTest, findsTheSeparatorSpreadsheetsUsed)
{
    EXPECT_EQ (CsvParser::detectDelimiter ("Idea;Tags\r\nWrite a verse, then burn it;0,104\r\nHum;1\r\n"),
               ';');
    EXPECT_EQ (CsvParser::detectDelimiter ("Text\tTags\nOne, two\t0\nThree; four\t1\n"), '\t');
    EXPECT_EQ (CsvParser::detectDelimiter ("text,tags\n\"A; b\",\"0,1\"\nC,2\n"), ',');
    EXPECT_EQ (CsvParser::detectDelimiter ("one column\nonly\n"), ',');
    EXPECT_EQ (CsvParser::parse ("a;\"b;c\";d", ';')[0].fields, juce::StringArray ("a", "b;c", "d"));

    EXPECT_EQ (CsvParser::findSeparatorLine ("sep=;\r\nText;Tags"), ';');
    EXPECT_EQ (CsvParser::findSeparatorLine ("\"sep=\t\"\nText"), '\t');
    EXPECT_EQ (CsvParser::findSeparatorLine ("separate=;\nText"), 0);
}
