#include "main/KeyboardFocusRouter.h"

#include <gtest/gtest.h>

namespace
{
// A window holding the screen, the screen holding a button and the set editor (with a field of its own),
// and another window beside it; none on the desktop, so the focus handed out is recorded.
class KeyboardFocusRouterTest : public ::testing::Test
{
protected:
    KeyboardFocusRouterTest()
    {
        window.addAndMakeVisible (screen);
        screen.addAndMakeVisible (button);
        screen.addChildComponent (editor);
        editor.addAndMakeVisible (field);
        router.setFocusGiver ([this] (juce::Component& component) { focusGiven.push_back (&component); });
    }

    juce::Component window, screen, button, editor, field, otherWindow;
    KeyboardFocusRouter router{ screen };
    std::vector<juce::Component*> focusGiven;
};
} // namespace

TEST_F (KeyboardFocusRouterTest, theScreenTakesTheKeysUnlessTheEditorIsOpenOverIt)
{
    EXPECT_EQ (&router.getTarget(), &screen) << "no panel yet";

    router.setKeyTakingPanel (&editor);
    EXPECT_EQ (&router.getTarget(), &screen) << "the editor is hidden";

    editor.setVisible (true);
    EXPECT_EQ (&router.getTarget(), &editor);
    router.giveFocusToTarget();
    EXPECT_EQ (focusGiven, std::vector<juce::Component*>{ &editor });

    editor.setVisible (false);
    router.giveFocusToTarget();
    EXPECT_EQ (focusGiven.back(), &screen);
}

TEST_F (KeyboardFocusRouterTest, theOptionsPanelTakesTheKeysWhileOpenAndTheEditorAboveIt)
{
    juce::Component options;
    screen.addChildComponent (options);
    router.setKeyTakingPanel (&editor);
    router.addKeyTakingPanel (options);

    options.setVisible (true);
    EXPECT_EQ (&router.getTarget(), &options);
    editor.setVisible (true);
    EXPECT_EQ (&router.getTarget(), &editor) << "the editor lies above the options panel";
    editor.setVisible (false);
    options.setVisible (false);
    EXPECT_EQ (&router.getTarget(), &screen);

    // Given alone again, a panel replaces every earlier one.
    options.setVisible (true);
    router.setKeyTakingPanel (&editor);
    EXPECT_EQ (&router.getTarget(), &screen);
}

TEST_F (KeyboardFocusRouterTest, theScreenGainingTheFocusPassesItOnOnlyToAnOpenEditor)
{
    router.setKeyTakingPanel (&editor);
    router.screenGainedFocus();
    EXPECT_TRUE (focusGiven.empty());

    editor.setVisible (true);
    router.screenGainedFocus();
    EXPECT_EQ (focusGiven, std::vector<juce::Component*>{ &editor });
}

TEST_F (KeyboardFocusRouterTest, focusStrayingInTheWindowIsBroughtBackAndFocusElsewhereIsLeftAlone)
{
    router.setKeyTakingPanel (&editor);
    editor.setVisible (true);

    // Behind the editor: on the window, the screen or its button.
    for (auto* stray : { &window, &screen, &button })
    {
        focusGiven.clear();
        router.focusMovedTo (stray);
        EXPECT_EQ (focusGiven, std::vector<juce::Component*>{ &editor });
    }

    focusGiven.clear();

    for (auto* elsewhere : { &editor, &field, &otherWindow, static_cast<juce::Component*> (nullptr) })
        router.focusMovedTo (elsewhere);

    EXPECT_TRUE (focusGiven.empty());

    // With the editor closed the screen's own button keeps the focus, the bare window does not.
    editor.setVisible (false);
    router.focusMovedTo (&button);
    EXPECT_TRUE (focusGiven.empty());
    router.focusMovedTo (&window);
    EXPECT_EQ (focusGiven, std::vector<juce::Component*>{ &screen });
}
