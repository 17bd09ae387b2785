#include "FaultInjection.h"
#include "TestHelpers.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
std::vector<int> bytesOf (const juce::MemoryBlock& block)
{
    const auto* data = static_cast<const juce::uint8*> (block.getData());
    return { data, data + block.getSize() };
}
} // namespace

TEST (Utf16TextFileTest, writesTheSameBytesAsTheToolkitForPlainText)
{
    testing_helpers::TemporaryFolder folder;
    const auto text = testing_helpers::utf8 ("Name=Été;\nLine\r\nEnd\n\n");
    const auto ours = folder.child ("ours.txt");
    const auto toolkit = folder.child ("toolkit.txt");

    ASSERT_TRUE (Utf16TextFile::replaceWithText (ours, text));
    ASSERT_TRUE (toolkit.replaceWithText (text, true, true, "\r\n"));

    juce::MemoryBlock a, b;
    ours.loadFileAsData (a);
    toolkit.loadFileAsData (b);
    EXPECT_EQ (bytesOf (a), bytesOf (b));
    EXPECT_EQ (ours.loadFileAsString(), testing_helpers::utf8 ("Name=Été;\r\nLine\r\nEnd\r\n\r\n"));
}

TEST (Utf16TextFileTest, keepsCharactersBeyondTheBasicPlaneAsSurrogatePairs)
{
    testing_helpers::TemporaryFolder folder;
    const auto text = testing_helpers::utf8 ("Item=Play it \xf0\x9f\x8e\xb8 loud;");
    const auto file = folder.child ("emoji.mwh");

    ASSERT_TRUE (Utf16TextFile::replaceWithText (file, text));
    const auto bytes = bytesOf (Utf16TextFile::encode (testing_helpers::utf8 ("\xf0\x9f\x8e\xb8")));
    EXPECT_EQ (bytes, (std::vector<int>{ 0xff, 0xfe, 0x3c, 0xd8, 0xb8, 0xdf }));
    EXPECT_EQ (Utf16TextFile::load (file), text);
}

TEST (Utf16TextFileTest, readsWhatTheToolkitReadsAndMendsBrokenSurrogates)
{
    const auto decode = [] (std::vector<juce::uint8> bytes)
    { return Utf16TextFile::decode (bytes.data(), bytes.size()); };

    EXPECT_EQ (decode ({ 0xfe, 0xff, 0, 'O', 0, 'k' }), "Ok");
    EXPECT_EQ (decode ({ 0xff, 0xfe, 'O', 0, 'k', 0, 'x' }), "Ok");
    EXPECT_EQ (decode ({ 0xef, 0xbb, 0xbf, 'U', 't', 'f' }), "Utf");
    EXPECT_EQ (decode ({ 'a', 'b' }), "ab");
    EXPECT_EQ (decode ({}), "");
    EXPECT_EQ (decode ({ 0xef, 0xbb, 0xbf }), "");
    EXPECT_EQ (decode ({ 0xef, 0xbb, 0xbf, 'z' }), "z");
    EXPECT_EQ (decode ({ 0xff, 0xfe, 'a', 0, 0, 0, 'b', 0 }), "a");

    // Overlong forms and encoded surrogates, which the toolkit's check lets through, become U+FFFD.
    const auto replacement = juce::String::charToString (0xfffd);
    EXPECT_EQ (decode ({ 'a', 0xc0, 0xb2, 'b' }), "a" + replacement + "b");
    EXPECT_EQ (decode ({ 0xed, 0xa0, 0x80, 'c' }), replacement + "c");
    const auto fromBrokenUtf8 = decode ({ 'x', 0xc0, 0xb2, 0xf1, 0xb3, 0x9e, 0x95 });
    EXPECT_EQ ((int) fromBrokenUtf8.getNumBytesAsUTF8(), (int) std::strlen (fromBrokenUtf8.toRawUTF8()));

    // Text that is not UTF-8 at all reads as the toolkit reads it, as Windows-1252, one byte included.
    EXPECT_EQ (decode ({ 0xe5, 'a', 'b' }), juce::String::charToString (0xe5) + "ab");
    EXPECT_EQ (decode ({ 0xe5 }), juce::String::charToString (0xe5));

    // Inputs found by fuzzing the readers.
    for (const auto& file : testing_helpers::fixturesDirectory().getChildFile ("fuzz").findChildFiles (
             juce::File::findFiles, false, "*"))
    {
        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes));
        const auto text = Utf16TextFile::decode (bytes.getData(), bytes.getSize());
        EXPECT_TRUE (juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) text.getNumBytesAsUTF8()))
            << file.getFileName();
        EXPECT_EQ ((int) text.getNumBytesAsUTF8(), (int) std::strlen (text.toRawUTF8()))
            << file.getFileName();
    }

    const auto lone = decode ({ 0xff, 0xfe, 0x3c, 0xd8, 'a', 0, 0xb8, 0xdf });
    EXPECT_EQ (lone, juce::String::charToString (0xfffd) + "a" + juce::String::charToString (0xfffd));
    EXPECT_TRUE (juce::CharPointer_UTF8::isValidString (lone.toRawUTF8(), lone.getNumBytesAsUTF8()));
}

TEST (Utf16TextFileTest, leavesTheOldFileAloneWhenItCannotWrite)
{
    testing_helpers::TemporaryFolder folder;
    EXPECT_FALSE (
        Utf16TextFile::replaceWithText (folder.child ("missing-folder").getChildFile ("x.txt"), "x"));
    EXPECT_FALSE (Utf16TextFile::replaceWithText (folder.get(), "x"));
    EXPECT_FALSE (Utf16TextFile::replaceWithText (juce::File(), "x"));
}

// A full disk stops the write part-way. Small texts stay in the toolkit's stream buffer until the end,
// large ones are written through it: neither may leave a shortened file in place of the old one.
TEST (Utf16TextFileTest, aWriteStoppedPartWayLeavesTheOldFileWholeAndNoTemporaryFile)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("kept.txt");
    ASSERT_TRUE (Utf16TextFile::replaceWithText (file, "old text"));
    const auto oldSize = file.getSize();

    for (const auto length : { 3000, 100000 })
    {
        const auto newText = juce::String::repeatedString ("new line\r\n", length / 10);
        bool written = true;

        if (const auto why = fault_injection::ScopedFileSizeLimit::whyUnavailable(); why.isNotEmpty())
            GTEST_SKIP() << why;

        {
            fault_injection::ScopedFileSizeLimit limit (1000);
            ASSERT_TRUE (limit.holds());
            written = Utf16TextFile::replaceWithText (file, newText);
        }

        EXPECT_FALSE (written) << length;
        EXPECT_EQ (file.getSize(), oldSize) << length;
        EXPECT_EQ (Utf16TextFile::load (file), "old text") << length;
        EXPECT_EQ (folder.get().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1)
            << "a temporary file was left behind";
    }

    EXPECT_TRUE (Utf16TextFile::replaceWithText (file, "new text"));
    EXPECT_EQ (Utf16TextFile::load (file), "new text");
}

TEST (Utf16TextFileTest, aReadOnlyFolderKeepsTheOldFile)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("kept.txt");
    ASSERT_TRUE (Utf16TextFile::replaceWithText (file, "old"));
    bool written = true;

    {
        fault_injection::ScopedReadOnlyFolder readOnly (folder.get());

        if (!readOnly.holds())
            GTEST_SKIP() << "the folder cannot be made read-only for this process";

        written = Utf16TextFile::replaceWithText (file, "new");
    }

    EXPECT_FALSE (written);
    EXPECT_EQ (Utf16TextFile::load (file), "old");
}

// A reader that stops early tells so, so that nothing it did not read is written over.
TEST (Utf16TextFileTest, tellsWhetherTheTextHoldsEveryByte)
{
    const auto decode = [] (std::vector<juce::uint8> bytes, bool& whole)
    { return Utf16TextFile::decode (bytes.data(), bytes.size(), whole); };
    bool whole = false;

    EXPECT_EQ (decode ({ 0xff, 0xfe, 'a', 0, 'b', 0 }, whole), "ab");
    EXPECT_TRUE (whole);
    EXPECT_EQ (decode ({ 0xfe, 0xff, 0, 'a', 0, 'b' }, whole), "ab");
    EXPECT_TRUE (whole);
    EXPECT_EQ (decode ({ 'a', 'b', '\n' }, whole), "ab\n");
    EXPECT_TRUE (whole);
    EXPECT_EQ (decode ({}, whole), "");
    EXPECT_TRUE (whole);

    EXPECT_EQ (decode ({ 0xff, 0xfe, 0, 0, 'b', 0 }, whole), "");
    EXPECT_FALSE (whole) << "a zero unit first";
    EXPECT_EQ (decode ({ 0xff, 0xfe, 'a', 0, 0, 0, 'b', 0 }, whole), "a");
    EXPECT_FALSE (whole) << "a zero unit";
    EXPECT_EQ (decode ({ 0xfe, 0xff, 0, 'a', 0, 0, 0, 'b' }, whole), "a");
    EXPECT_FALSE (whole) << "a zero unit, big-endian";
    EXPECT_EQ (decode ({ 0xff, 0xfe, 'a', 0, 'b' }, whole), "a");
    EXPECT_FALSE (whole) << "a byte after the last unit";
    EXPECT_EQ (decode ({ 'a', 0, 'b' }, whole), "a");
    EXPECT_FALSE (whole) << "a zero byte in UTF-8";
    EXPECT_EQ (decode ({ 0xef, 0xbb, 0xbf, 'a', 0, 'b' }, whole), "a");
    EXPECT_FALSE (whole) << "a zero byte after a UTF-8 byte-order mark";
    EXPECT_EQ (decode ({ 0xe5, 'a', 0, 0xe5 }, whole), juce::String::charToString (0xe5) + "a");
    EXPECT_FALSE (whole) << "a zero byte in text read as Windows-1252";
}

TEST (Utf16TextFileTest, givesTheStatusOfTheFileItWrote)
{
    testing_helpers::TemporaryFolder folder;
    const auto file = folder.child ("written.mwh");
    const auto bytes = Utf16TextFile::encode ("Name=x;\n");
    RegularFile::Status written;

    ASSERT_TRUE (Utf16TextFile::replaceWithBytes (file, bytes.getData(), bytes.getSize(), written));
    EXPECT_EQ (written, RegularFile::getStatus (file));
    EXPECT_EQ (written.size, (juce::int64) bytes.getSize());
    EXPECT_EQ (testing_helpers::fileBytes (file), bytes);
}
