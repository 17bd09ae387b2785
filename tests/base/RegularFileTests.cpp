#include "TestHelpers.h"
#include "base/RegularFile.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::TemporaryFolder;
} // namespace

TEST (RegularFileTest, tellsRegularFilesAndLinksToThemFromEverythingElse)
{
    TemporaryFolder folder;
    const auto file = folder.child ("set.mwh");
    ASSERT_TRUE (file.replaceWithText ("twelve bytes"));
    juce::Array<juce::File> others{ folder.get(), folder.child ("missing.mwh"),
                                    test_platform::getNullDevice(), juce::File() };

    const auto status = RegularFile::getStatus (file);
    EXPECT_TRUE (status.regular);
    EXPECT_EQ (status.size, 12);
    EXPECT_EQ (status.modificationTime / 1000000000, file.getLastModificationTime().toMilliseconds() / 1000);

    // Links are made where the system lets this process make them (Windows asks for a right to).
    if (test_platform::canMakeSymbolicLinks())
    {
        const auto link = folder.child ("link.mwh");
        ASSERT_TRUE (file.createSymbolicLink (link, false));
        EXPECT_EQ (RegularFile::getStatus (link), status);

        const auto dangling = folder.child ("dangling.mwh");
        ASSERT_TRUE (folder.child ("gone").createSymbolicLink (dangling, false));
        others.add (dangling);
    }

    if (test_platform::whyNoFifos().isEmpty())
    {
        const auto fifo = folder.child ("pipe.mwh");
        ASSERT_TRUE (test_platform::makeFifo (fifo));
        others.add (fifo);
    }

    if (test_platform::whyNoEndlessDevice().isEmpty())
    {
        const auto device = folder.child ("zero.mwh");
        ASSERT_TRUE (test_platform::getEndlessDevice().createSymbolicLink (device, false));
        others.add (device);
    }

    for (const auto& other : others)
    {
        EXPECT_FALSE (RegularFile::isRegular (other)) << other.getFullPathName();
        juce::MemoryBlock bytes ("left over", 9);
        EXPECT_FALSE (RegularFile::read (other, bytes)) << other.getFullPathName();
        EXPECT_EQ (bytes.getSize(), 0u);
    }
}

// Names beyond ASCII reach the system unchanged, and the modification time keeps the file system's
// precision (100 ns steps on Windows, nanoseconds elsewhere): a set changed within the same second is told
// apart by it.
TEST (RegularFileTest, readsTheStatusOfAnyNameToTheFileSystemsPrecision)
{
    TemporaryFolder folder;
    const auto file =
        folder.child (testing_helpers::utf8 ("\xc3\xa9t\xc3\xa9 \xce\xbb \xf0\x9f\x8e\xb8.mwh"));
    ASSERT_TRUE (file.replaceWithText ("seven b"));

    for (const auto nanoseconds : { (juce::int64) 1700000000123456700, (juce::int64) 1700000000123456800 })
    {
        ASSERT_TRUE (test_platform::setModificationTime (file, nanoseconds));
        const auto status = RegularFile::getStatus (file);
        EXPECT_TRUE (status.regular);
        EXPECT_EQ (status.size, 7);
        EXPECT_EQ (status.modificationTime, nanoseconds);
    }

    juce::MemoryBlock bytes;
    ASSERT_TRUE (RegularFile::read (file, bytes));
    EXPECT_EQ (bytes.toString(), "seven b");
}

TEST (RegularFileTest, readsTheWholeFileOrItsFirstBytes)
{
    TemporaryFolder folder;
    const auto file = folder.child ("data.bin");
    juce::MemoryBlock written;

    for (int i = 0; i < 100000; ++i)
        written.append (&i, 1);

    ASSERT_TRUE (file.replaceWithData (written.getData(), written.getSize()));

    juce::MemoryBlock bytes;
    ASSERT_TRUE (RegularFile::read (file, bytes));
    EXPECT_EQ (bytes, written);

    ASSERT_TRUE (RegularFile::read (file, bytes, 4096));
    EXPECT_EQ (bytes, juce::MemoryBlock (written.getData(), 4096));

    ASSERT_TRUE (RegularFile::read (file, bytes, 1000000));
    EXPECT_EQ (bytes.getSize(), written.getSize());

    const auto empty = folder.child ("empty.bin");
    ASSERT_TRUE (empty.create());
    EXPECT_TRUE (RegularFile::read (empty, bytes));
    EXPECT_EQ (bytes.getSize(), 0u);
}
