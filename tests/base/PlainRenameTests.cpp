#include "TestHelpers.h"
#include "base/PlainRename.h"

#include <gtest/gtest.h>

using testing_helpers::TemporaryFolder;
using testing_helpers::utf8;

// The sets and the settings are replaced by renaming a finished file over the old one: the rename must take
// the old file's place (Windows' own rename refuses an existing target unless asked), and reach names
// beyond ASCII.
TEST (PlainRenameTest, replacesTheTargetInOneStep)
{
    TemporaryFolder folder;
    const auto from = folder.child (utf8 ("r\xc3\xa9glages.new"));
    const auto to = folder.child (utf8 ("r\xc3\xa9glages \xce\xbb.ini"));
    ASSERT_TRUE (from.replaceWithText ("new"));
    ASSERT_TRUE (to.replaceWithText ("old and longer"));

    EXPECT_TRUE (PlainRename::move (from, to));
    EXPECT_FALSE (from.exists());
    EXPECT_EQ (to.loadFileAsString(), "new");

    EXPECT_TRUE (PlainRename::move (to, from));
    EXPECT_FALSE (to.exists());
    EXPECT_EQ (from.loadFileAsString(), "new");
}

// Another program doing the same work may have moved the file first: the target stays as it was.
TEST (PlainRenameTest, aMissingSourceLeavesTheTargetAlone)
{
    TemporaryFolder folder;
    const auto to = folder.child ("Musewheeler.ini");
    ASSERT_TRUE (to.replaceWithText ("kept"));

    EXPECT_FALSE (PlainRename::move (folder.child ("gone.new"), to));
    EXPECT_EQ (to.loadFileAsString(), "kept");
    EXPECT_FALSE (PlainRename::move (folder.child ("gone.new"), folder.child ("nothing.ini")));
    EXPECT_FALSE (folder.child ("nothing.ini").exists());
}
