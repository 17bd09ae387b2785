#include "advice/HashList.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace
{
// The entries of a list with what follows its last ",", e.g. "1|2|[3]" for "1,2,3".
std::string entriesOf (std::string_view list)
{
    std::string entries;
    const auto unended = HashList::forEachEntry (list,
                                                 [&entries] (std::string_view entry)
                                                 {
                                                     entries.append (entry);
                                                     entries += '|';
                                                 });
    return entries + "[" + std::string (unended) + "]";
}
} // namespace

TEST (HashListTest, writesEveryHashFollowedByAComma)
{
    EXPECT_EQ (HashList::write ({ 0, 104, 301 }), "0,104,301,");
    EXPECT_EQ (HashList::write ({ 301, -4, 301 }), "301,-4,301,") << "order and repeats are kept";
    EXPECT_EQ (HashList::write ({ INT_MIN, INT_MAX }), "-2147483648,2147483647,");
    EXPECT_EQ (HashList::write ({}), "");
}

TEST (HashListTest, readsWhatItWrites)
{
    const juce::Array<int> hashes{ 0, 104, 301, 301, -4, 2, INT_MIN, INT_MAX };
    EXPECT_EQ (HashList::read (HashList::write (hashes)), hashes);
    EXPECT_EQ (HashList::read (juce::String ("0,104,301,")), juce::Array<int> ({ 0, 104, 301 }));
}

TEST (HashListTest, readsNothingFromAnEmptyList)
{
    EXPECT_TRUE (HashList::read (juce::String()).isEmpty());
    EXPECT_TRUE (HashList::read (std::string_view()).isEmpty());
    EXPECT_EQ (entriesOf (""), "[]");
}

TEST (HashListTest, readsOnlyEntriesThatACommaEnds)
{
    EXPECT_EQ (HashList::read (juce::String ("3,7")), juce::Array<int> ({ 3 }));
    EXPECT_TRUE (HashList::read (juce::String ("12")).isEmpty());
    EXPECT_EQ (entriesOf ("3,7"), "3|[7]");
    EXPECT_EQ (entriesOf ("1,2,"), "1|2|[]");
}

TEST (HashListTest, readsMalformedEntriesAsTheirLeadingNumber)
{
    EXPECT_EQ (HashList::read (juce::String (",x,201,")), juce::Array<int> ({ 0, 0, 201 }));
    EXPECT_EQ (HashList::read (juce::String (" 12 ,-5,7x,+3,--2,")), juce::Array<int> ({ 12, -5, 7, 0, 0 }));
    EXPECT_EQ (HashList::read (juce::String ("99999999999,")), juce::Array<int> ({ 1215752191 }))
        << "an overflowing number wraps as the toolkit's reading does";
    EXPECT_EQ (HashList::read (juce::String ("-2147483648,")), juce::Array<int> ({ INT_MIN }));
    EXPECT_EQ (entriesOf (",, x ,"), "|| x |[]") << "entries are handed over as they stand";
}
