#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/LibSetsConseils.h"
#include "advice/LibSetsConseilsTestHelpers.h"
#include "base/Utf16TextFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace
{
using namespace library_testing;
using testing_helpers::besideProgram;
} // namespace

//==============================================================================
// The scan reads of each file only what its kind and its header need: large files cost no more than
// small ones, and files beyond the size limit are no sets.
TEST_F (LibSetsConseilsDataFolderTest, theScanReadsOnlyTheHeadersOfLargeFiles)
{
    if (bytesReadByThisProcess() < 0)
        GTEST_SKIP() << "the kernel does not count the bytes this process reads";

    constexpr juce::int64 large = 64 * 1024 * 1024;
    besideProgram ("data").createDirectory();
    const auto folder = besideProgram ("data");
    writeSparse (folder.getChildFile ("current.mwh"),
                 asBytes (Utf16TextFile::encode (setText ("Big", 1, { "one|false|1," }))), large);
    writeSparse (folder.getChildFile ("legacy.mwh"), legacyBytes, large);

    // Junk without any key and without a zero byte: read no further than the longest header.
    folder.getChildFile ("junk.mwh").replaceWithText (juce::String::repeatedString ("junk ", 600000));

    // A header longer than the first read, with its author far into the file.
    SetConseils longHeader (&tags);
    longHeader.setName ("Long");
    longHeader.setDescription (juce::String::repeatedString (testing_helpers::utf8 ("Décrit "), 3000));
    longHeader.setAuthor ("Far author");
    longHeader.setLanguage (0);
    longHeader.setColourSet (juce::Colour (1, 2, 3));
    longHeader.setFileSet (folder.getChildFile ("long.mwh"));
    ASSERT_TRUE (longHeader.saveData());

    const auto before = bytesReadByThisProcess();
    library.loadLibSetsConseils();
    const auto bytesRead = bytesReadByThisProcess() - before;

    EXPECT_EQ (library.getNameSets (-1), juce::StringArray ("Big", "", "Ancien", "Long"));
    EXPECT_LT (bytesRead, (juce::int64) (2 * SetConseils::maximumHeaderBytes));

    const auto& sets = library.getSetsConseils();
    ASSERT_EQ (sets.size(), 4);
    EXPECT_EQ (sets[0]->getAuthor(), "Big author");
    EXPECT_EQ (sets[2]->getAuthor(), "Moi (1998)");
    EXPECT_EQ (sets[3]->getDescription(), longHeader.getDescription());
    EXPECT_EQ (sets[3]->getAuthor(), "Far author");
    EXPECT_EQ (sets[3]->getColourSet(), juce::Colour (1, 2, 3));
}

TEST_F (LibSetsConseilsDataFolderTest, filesBeyondTheSizeLimitAreNoSets)
{
    besideProgram ("data").createDirectory();
    const auto header = asBytes (Utf16TextFile::encode (setText ("Huge", 1, { "one|false|1," })));
    const auto atLimit = besideProgram ("data").getChildFile ("at-limit.mwh");
    const auto beyond = besideProgram ("data").getChildFile ("beyond.mwh");
    writeSparse (atLimit, header, LibSetsConseils::maximumSetFileBytes);
    writeSparse (beyond, header, LibSetsConseils::maximumSetFileBytes + 1);

    ASSERT_EQ (LibSetsConseils::isThisFileAValidSet (beyond), 0);
    EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (atLimit), 2);

    library.loadLibSetsConseils();
    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("at-limit.mwh"));
}

//==============================================================================
// Only regular files, or links to them, are sets: a FIFO would block the program in opening it until
// some other program writes into it, and a device such as /dev/zero never ends.
namespace
{
// Runs the call on a thread of its own. Should it block in opening the FIFO, the FIFO's other end is
// opened and closed again, which lets that open return and the read find the end: the test then fails
// instead of hanging.
template <typename Call>
bool finishesWithoutOpening (const juce::File& fifo, Call&& call)
{
    auto result = std::async (std::launch::async, std::forward<Call> (call));

    if (result.wait_for (std::chrono::seconds (10)) == std::future_status::ready)
    {
        result.get();
        return true;
    }

    while (result.wait_for (std::chrono::milliseconds (100)) != std::future_status::ready)
        test_platform::openFifoWriterOnce (fifo);

    return false;
}
} // namespace

TEST_F (LibSetsConseilsDataFolderTest, aFifoNamedLikeASetIsPassedOverWithoutOpeningIt)
{
    const auto set = write ("data", "a-set.mwh", setText ("Regular", 1, { "r|false|1," }));
    const auto fifo = besideProgram ("data").getChildFile ("pipe.mwh");

    if (const auto why = test_platform::whyNoFifos(); why.isNotEmpty())
        GTEST_SKIP() << why;

    ASSERT_TRUE (test_platform::makeFifo (fifo));
    ASSERT_TRUE (set.createSymbolicLink (besideProgram ("data").getChildFile ("z-linked.mwh"), false));

    EXPECT_TRUE (finishesWithoutOpening (fifo,
                                         [&]
                                         {
                                             EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (fifo), 0);
                                             EXPECT_EQ (Utf16TextFile::load (fifo), "");

                                             SetConseils direct (&tags);
                                             direct.setFileSet (fifo);
                                             direct.loadData (SetConseils::headerAndAdvice);
                                             direct.loadOldData (SetConseils::headerAndAdvice);
                                             direct.loadData (SetConseils::headerOnly);
                                             direct.loadOldData (SetConseils::headerOnly);
                                             EXPECT_EQ (direct.getNumConseils(), 0);

                                             library.loadLibSetsConseils();
                                             library.generateFilteredList (1, -1, "", -1, false);
                                         }));

    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("a-set.mwh", "z-linked.mwh"));
    EXPECT_EQ (filteredTexts(), juce::StringArray ("r", "r"));
}

TEST_F (LibSetsConseilsDataFolderTest, aLinkToADeviceNamedLikeASetIsPassedOverWithoutReadingIt)
{
    write ("data", "a-set.mwh", setText ("Regular", 1, { "r|false|1," }));
    const auto zero = besideProgram ("data").getChildFile ("zero.mwh");

    if (const auto why = test_platform::whyNoEndlessDevice(); why.isNotEmpty())
        GTEST_SKIP() << why;

    ASSERT_TRUE (test_platform::getEndlessDevice().createSymbolicLink (zero, false));

    // Reading the device would end in std::bad_alloc: soon, under this limit.
    fault_injection::ScopedAddressSpaceLimit memory (512 * 1024 * 1024);

    EXPECT_NO_THROW ({
        EXPECT_EQ (LibSetsConseils::isThisFileAValidSet (zero), 0);
        EXPECT_EQ (Utf16TextFile::load (zero), "");

        SetConseils direct (&tags);
        direct.setFileSet (zero);
        direct.loadData (SetConseils::headerAndAdvice);
        direct.loadOldData (SetConseils::headerAndAdvice);
        EXPECT_EQ (direct.getNumConseils(), 0);

        library.loadLibSetsConseils();
        library.generateFilteredList (1, -1, "", -1, false);
    });

    EXPECT_EQ (library.getFileSets (-1), juce::StringArray ("a-set.mwh"));
    EXPECT_EQ (filteredTexts(), juce::StringArray ("r"));
}
