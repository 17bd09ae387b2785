#include "TestHelpers.h"
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>

// Arguments arrive as bytes: UTF-8 read as such, other bytes in the locale's encoding or else as
// Windows-1252, and a path that names a file only by its bytes is kept, reachable under its typed name.
TEST (CommandLineTest, readsTheArgumentsFromTheirBytes)
{
    testing_helpers::TemporaryFolder folder;
    const auto latin1Folder = folder.get().getFullPathName().toStdString() + "/caf\xe9";
    ASSERT_TRUE (juce::File (folder.get().getFullPathName() + "/held").createDirectory());
    ASSERT_EQ (std::rename ((folder.get().getFullPathName() + "/held").toRawUTF8(), latin1Folder.c_str()), 0);

    std::string program = "musewheeler-sets", list = "list", accented = "\xc3\xa9t\xc3\xa9",
                path = latin1Folder;
    char* argv[] = { program.data(), list.data(), accented.data(), path.data(), nullptr };
    ByteNamedPaths paths;
    const auto arguments = CommandLine::read (4, argv, paths);

    EXPECT_EQ (arguments.executableName, "musewheeler-sets");
    ASSERT_EQ (arguments.size(), 3);
    EXPECT_EQ (arguments[0].text, "list");
    EXPECT_EQ (arguments[1].text, testing_helpers::utf8 ("\xc3\xa9t\xc3\xa9"));

    const auto typed = arguments[2].text;
    EXPECT_TRUE (typed.endsWith (testing_helpers::utf8 ("/caf\xc3\xa9"))) << typed;
    const auto held = paths.find (typed);
    ASSERT_TRUE (held.has_value());
    EXPECT_TRUE (held->isDirectory());
    EXPECT_FALSE (paths.find (arguments[1].text).has_value());
}
