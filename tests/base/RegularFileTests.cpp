#include "TestHelpers.h"
#include "base/RegularFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
using testing_helpers::TemporaryFolder;
} // namespace

TEST (RegularFileTest, tellsRegularFilesAndLinksToThemFromEverythingElse)
{
    TemporaryFolder folder;
    const auto file = folder.child ("set.mwh");
    ASSERT_TRUE (file.replaceWithText ("twelve bytes"));
    const auto link = folder.child ("link.mwh");
    ASSERT_TRUE (file.createSymbolicLink (link, false));
    const auto fifo = folder.child ("pipe.mwh");
    ASSERT_EQ (mkfifo (fifo.getFullPathName().toRawUTF8(), 0644), 0);
    const auto device = folder.child ("zero.mwh");
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (device, false));
    const auto dangling = folder.child ("dangling.mwh");
    ASSERT_TRUE (folder.child ("gone").createSymbolicLink (dangling, false));

    const auto status = RegularFile::getStatus (file);
    EXPECT_TRUE (status.regular);
    EXPECT_EQ (status.size, 12);
    EXPECT_EQ (status.modificationTime / 1000000000, file.getLastModificationTime().toMilliseconds() / 1000);
    EXPECT_EQ (RegularFile::getStatus (link), status);

    for (const auto& other :
         { fifo, device, dangling, folder.get(), folder.child ("missing.mwh"), juce::File() })
    {
        EXPECT_FALSE (RegularFile::isRegular (other)) << other.getFullPathName();
        juce::MemoryBlock bytes ("left over", 9);
        EXPECT_FALSE (RegularFile::read (other, bytes)) << other.getFullPathName();
        EXPECT_EQ (bytes.getSize(), 0u);
    }
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
