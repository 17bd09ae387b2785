#include "TestHelpers.h"
#include "cli/TextConverter.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string converted (const char* encoding, const std::string& bytes, bool& valid)
{
    TextConverter converter (encoding);
    std::string out = "kept:";
    valid = converter.convert (bytes.data(), bytes.size(), out);
    return out;
}
} // namespace

TEST (TextConverterTest, knowsTheUsualNamesOfEncodingsAndNoOthers)
{
    for (const auto* name : { "ISO-8859-1", "iso_8859-3", "latin1", "ISO-8859-15", "Windows-1252", "cp1252",
                              "CP850", "KOI8-R", "UTF-8" })
        EXPECT_TRUE (TextConverter (name).isOpen()) << name;

    for (const auto* name : { "klingon", "ISO-8859-99", "cp" })
        EXPECT_FALSE (TextConverter (name).isOpen()) << name;
}

TEST (TextConverterTest, appendsTheUtf8OfTheBytes)
{
    bool valid = false;
    EXPECT_EQ (converted ("ISO-8859-3", "\xe6iu \xf8", valid), "kept:\xc4\x89iu \xc4\x9d");
    EXPECT_TRUE (valid);
    EXPECT_EQ (converted ("Windows-1252",
                          "\x93"
                          "Caf\xe9\x94 \x80",
                          valid),
               "kept:\xe2\x80\x9c"
               "Caf\xc3\xa9\xe2\x80\x9d \xe2\x82\xac");
    EXPECT_TRUE (valid);
    EXPECT_EQ (converted ("KOI8-R", "\xcd\xc9\xd2", valid), "kept:\xd0\xbc\xd0\xb8\xd1\x80");
    EXPECT_TRUE (valid);
    EXPECT_EQ (converted ("latin1", "", valid), "kept:");
    EXPECT_TRUE (valid);
}

// A byte that is no character of the encoding becomes U+FFFD, and the bytes after it still read.
TEST (TextConverterTest, marksBytesThatAreNoCharacterAndReadsOn)
{
    bool valid = true;
    EXPECT_EQ (converted ("ISO-8859-3", "a\xa5z\xe6", valid), "kept:a\xef\xbf\xbdz\xc4\x89");
    EXPECT_FALSE (valid);

    valid = true;
    EXPECT_EQ (converted ("UTF-8", "caf\xc3\xa9 \xff end", valid), "kept:caf\xc3\xa9 \xef\xbf\xbd end");
    EXPECT_FALSE (valid);
}
