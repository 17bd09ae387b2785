#include "main/PanelHostingDataFolderTest.h"

#include <gtest/gtest.h>

using namespace panel_testing;

//==============================================================================
TEST_F (PanelHostingDataFolderTest, theSetsEditionEntryStartsTheEditorEmptyInTheInterfaceLanguage)
{
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    auto& main = make();

    auto& editor = openEditor();
    EXPECT_TRUE (editor.isVisible());
    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_EQ (editor.getCurrentLanguage(), 0);

    // The screen's buttons lie under the editor.
    for (const auto* identifier : { "new-advice-button", "menu-button", "favorite-button" })
    {
        auto* hit = main.getComponentAt (main.findChildWithID (identifier)->getBounds().getCentre());
        EXPECT_TRUE (hit == &editor || editor.isParentOf (hit)) << identifier;
    }

    // A set left open when the editor was last left is gone at the next opening.
    editorKey ('N');
    ASSERT_TRUE (editor.isASetOpen());
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);
    clickEditorButton ("back-button");
    EXPECT_FALSE (editor.isVisible());

    openEditor();
    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_TRUE (dialogs->allAnswersUsed());
}

TEST_F (PanelHostingDataFolderTest, eachPanelSetsTheTextButtonsLookAndTheCatalogueLanguageAsItOpens)
{
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    auto& main = make();

    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();
    const auto rounded = drawTextButton();

    // The panel's language choice switches the catalogue; the next opening puts it back.
    pick ("options-interface", 2);
    EXPECT_EQ (main.getDataTags().getTags (1), catalogueIn (1).getTags (1));
    press ("options-cancel");

    openEditor();
    const auto square = drawTextButton();
    EXPECT_EQ (main.getDataTags().getTags (1), catalogueIn (0).getTags (1));

    // An orange rounded outline while the options panel is open, a square grey one in the editor.
    EXPECT_GT (countOrange (rounded), 50);
    EXPECT_EQ (countOrange (square), 0);
    EXPECT_GT (widget_testing::countPixels (square, square.getBounds(),
                                            [] (juce::Colour colour)
                                            {
                                                return colour.getRed() > 60 &&
                                                       colour.getRed() == colour.getGreen() &&
                                                       colour.getGreen() == colour.getBlue();
                                            }),
               100);
}

TEST_F (PanelHostingDataFolderTest, aSetSavedInTheEditorTakesPartInTheDrawsAfterBack)
{
    auto& main = make();
    const auto before = main.getLibSetsConseils().getNumConseilsFiltered();

    auto& editor = openEditor();
    editorKey ('N');
    ASSERT_TRUE (editor.isASetOpen());

    const auto saved = besideProgram ("data").getChildFile ("mine.mwh");
    dialogs->saveAnswers.push_back (saved);
    editorKey ('S');
    ASSERT_TRUE (saved.existsAsFile());
    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (main.getLibSetsConseils().getNumConseilsFiltered(), before) << "read again only after Back";

    clickEditorButton ("back-button");
    EXPECT_FALSE (editor.isVisible());
    EXPECT_TRUE (dialogs->allAnswersUsed());
    ASSERT_EQ (main.getLibSetsConseils().getNumConseilsFiltered(), before + 1);

    // The list changed size, so a fresh round of draws starts with the one made at Back: it shows every
    // advice once, the new one too.
    juce::StringArray drawnSets (main.getLibSetsConseils().getNameFiltered (main.getCurrentItem()));

    for (int draw = 0; draw < before; ++draw)
    {
        main.takeNewAdvice (false, -1);
        drawnSets.add (main.getLibSetsConseils().getNameFiltered (main.getCurrentItem()));
    }

    EXPECT_TRUE (drawnSets.contains ("No name")) << drawnSets.joinIntoString (", ");
    EXPECT_TRUE (drawnSets.contains ("English set"));
}

TEST_F (PanelHostingDataFolderTest, theQuitQuestionGoesThroughTheEditorOnlyWhileItIsOpen)
{
    auto& main = make();
    installDialogs();
    EXPECT_TRUE (main.askAuthorizationToQuit());

    auto& editor = openEditor();
    EXPECT_TRUE (main.askAuthorizationToQuit()) << "nothing to lose in an empty editor";
    EXPECT_TRUE (dialogs->asked.empty());

    editorKey ('N');
    ASSERT_FALSE (editor.isCurrentSetSaved());

    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::cancel);
    EXPECT_FALSE (main.askAuthorizationToQuit());
    EXPECT_TRUE (editor.isVisible());
    EXPECT_TRUE (editor.isASetOpen());
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ({ "Yes", "Ignore", "Cancel" }));

    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);
    EXPECT_TRUE (main.askAuthorizationToQuit());

    // Yes with the save chooser cancelled keeps the program running; with a file it saves and quits.
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::yes);
    dialogs->saveAnswers.push_back (juce::File());
    EXPECT_FALSE (main.askAuthorizationToQuit());

    const auto saved = besideProgram ("data").getChildFile ("kept.mwh");
    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::yes);
    dialogs->saveAnswers.push_back (saved);
    EXPECT_TRUE (main.askAuthorizationToQuit());
    EXPECT_TRUE (saved.existsAsFile());
    EXPECT_TRUE (dialogs->allAnswersUsed());

    // Once hidden, the editor no longer asks, whatever it held.
    editorKey ('N');
    main.actionListenerCallback (EditionComponent::exitMessage);
    EXPECT_TRUE (main.askAuthorizationToQuit());
    EXPECT_TRUE (dialogs->allAnswersUsed());
}

//==============================================================================
TEST_F (PanelHostingDataFolderTest, eachPanelHandsTheKeyboardFocusBackToTheMainScreenAsItCloses)
{
    auto& main = make();
    recordKeyboardFocus();
    EXPECT_EQ (&main.getKeyboardFocusTarget(), &main);

    main.handleMenuResult (MainMenu::menuAbout);
    EXPECT_EQ (&main.getKeyboardFocusTarget(), &main) << "the About panel takes no keys";
    focusGiven.clear();
    widget_testing::press (main.getAboutComponent(), { 100.0f, 60.0f });
    deliverMessages();
    ASSERT_FALSE (main.getAboutComponent().isVisible());
    EXPECT_EQ (focusGiven, std::vector<juce::Component*> ({ &main }));

    for (const auto* button : { "options-cancel", "options-ok" })
    {
        main.handleMenuResult (MainMenu::menuOptions);
        focusGiven.clear();
        press (button);
        ASSERT_FALSE (main.getOptionsComponent().isVisible()) << button;
        ASSERT_FALSE (focusGiven.empty()) << button;
        EXPECT_EQ (focusGiven.back(), &main) << button;
    }

    auto& editor = openEditor();
    ASSERT_TRUE (editor.isVisible());
    focusGiven.clear();
    clickEditorButton ("back-button");
    ASSERT_FALSE (editor.isVisible());
    ASSERT_FALSE (focusGiven.empty());
    EXPECT_EQ (focusGiven.back(), &main);
    EXPECT_EQ (&main.getKeyboardFocusTarget(), &main);
}

TEST_F (PanelHostingDataFolderTest, theSetsEditionEntryHandsTheKeyboardFocusToTheEditor)
{
    auto& main = make();
    recordKeyboardFocus();

    auto& editor = openEditor();
    EXPECT_EQ (&main.getKeyboardFocusTarget(), &editor);
    ASSERT_FALSE (focusGiven.empty());
    EXPECT_EQ (focusGiven.back(), &editor);

    // Its shortcuts work from there: Control+N makes a new set.
    editorKey ('N');
    EXPECT_TRUE (editor.isASetOpen());
}

TEST_F (PanelHostingDataFolderTest, focusThatRestsBehindTheOpenEditorIsHandedToTheEditor)
{
    auto& main = make();
    recordKeyboardFocus();
    auto& editor = openEditor();
    auto* menuButton = main.findChildWithID ("menu-button");
    auto* backButton = editor.findChildWithID ("back-button");
    ASSERT_NE (menuButton, nullptr);
    ASSERT_NE (backButton, nullptr);

    // What the window gives the focus back to when the window system returns it: whatever held it before.
    focusGiven.clear();
    main.globalFocusChanged (menuButton);
    main.globalFocusChanged (&main);
    main.focusGained (juce::Component::focusChangedDirectly);
    EXPECT_EQ (focusGiven, std::vector<juce::Component*> ({ &editor, &editor, &editor }));

    // Inside the editor, in another window, or nowhere, the focus stays where it is.
    focusGiven.clear();
    juce::Component otherWindow;
    main.globalFocusChanged (&editor);
    main.globalFocusChanged (backButton);
    main.globalFocusChanged (&otherWindow);
    main.globalFocusChanged (nullptr);
    EXPECT_TRUE (focusGiven.empty());

    // With the editor closed, the main screen and its buttons keep the focus they get.
    main.actionListenerCallback (EditionComponent::exitMessage);
    focusGiven.clear();
    main.globalFocusChanged (menuButton);
    main.focusGained (juce::Component::focusChangedDirectly);
    EXPECT_TRUE (focusGiven.empty());
}

TEST_F (PanelHostingDataFolderTest, focusOnTheWindowItselfGoesToTheMainScreenOrTheOpenEditor)
{
    auto& main = make();
    recordKeyboardFocus();

    // The window, kept off the desktop: the first focus the window system gives lands on it.
    juce::Component window;
    window.addAndMakeVisible (main);

    main.globalFocusChanged (&window);
    EXPECT_EQ (focusGiven, std::vector<juce::Component*> ({ &main }));

    auto& editor = openEditor();
    focusGiven.clear();
    main.globalFocusChanged (&window);
    EXPECT_EQ (focusGiven, std::vector<juce::Component*> ({ &editor }));

    window.removeChildComponent (&main);
}
