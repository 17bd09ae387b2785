// The plugin's menu and warnings, which must never hold up the host while they wait for the user.

#include "PluginHostTest.h"

namespace plugin_host
{
// A modal menu would run the plugin's own loop inside the host's call and hold up the host until the menu
// closes: the host would not come back from runMessages to look, and the watchdog ends the run.
TEST_P (PluginHostTest, theMenuOpensWithoutHoldingUpTheHostAndAnswersTheKeyboard)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";
    ASSERT_FALSE (windowShown ("menu"));

    {
        const HoldUpWatchdog watchdog ("the menu waits for the user inside the host's call");
        clickOnEditor (*opened.editor, menuButton);
        runMessages (800);
    }
    ASSERT_TRUE (waitForWindow ("menu", true)) << "no menu on screen after a click on the menu button";

    pressKeysIn ("menu", { "Escape" });
    EXPECT_TRUE (waitForWindow ("menu", false)) << "Escape left the menu open";
    EXPECT_EQ (waitForTheSameCard (opened, card, editorArea (opened)), 0)
        << "the card changed, or still shows the menu, after the menu was closed without a choice";

    // The first entry, "Options", chosen with the keys: the options panel covers the card.
    clickOnEditor (*opened.editor, menuButton);
    ASSERT_TRUE (waitForWindow ("menu", true));
    pressKeysIn ("menu", { "Down", "Return" });
    EXPECT_TRUE (waitForWindow ("menu", false));
    runMessages (500);
    const auto options = takeScreenshot (*opened.window);
    ASSERT_TRUE (options.isValid());
    const auto changed = countDifferingPixels (card, options, editorArea (opened));
    EXPECT_GT (changed, 40000) << "the options panel did not open";
    EXPECT_EQ (countYellow (options, adviceArea (opened)), 0) << "the card still shows above the options";
    std::cout << GetParam() << " menu: " << changed << " pixels changed with the options open\n";

    opened.close();
}

// The sets on disk are gone since the instance read them (removed by another program, or a bundle updated
// under the host): a mark cannot be kept, and a warning says so without holding up the host.
TEST_P (PluginHostTest, aMarkThatCannotBeKeptIsRefusedWithAWarningThatDoesNotHoldUpTheHost)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";
    ASSERT_FALSE (windowShown ("Musewheeler"));

    const auto sets = bundleSets();
    const SetsMovedAway movedAway (sets);
    ASSERT_TRUE (movedAway.moved);

    {
        const HoldUpWatchdog watchdog ("the warning waits for the user inside the host's call");
        clickOnEditor (*opened.editor, favouriteButton);
        runMessages (800);
    }
    ASSERT_TRUE (waitForWindow ("Musewheeler", true))
        << "no warning on screen after a mark that could not be kept";
    EXPECT_FALSE (sets.exists()) << "the mark was written somewhere";

    pressKeysIn ("Musewheeler", { "Return" });
    EXPECT_TRUE (waitForWindow ("Musewheeler", false)) << "Return left the warning open";

    // The favourite button does not show a mark that was not kept.
    EXPECT_EQ (waitForTheSameCard (opened, card, editorArea (opened)), 0);

    opened.close();
}
} // namespace plugin_host
