#include "TestHelpers.h"
#include "editor/EditorTestHelpers.h"
#include "main/MainComponent.h"
#include "settings/ConfigFile.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

using testing_helpers::deliverMessages;

namespace
{
using testing_helpers::besideProgram;

// A set file in the current format, every advice with the one tag given.
void writeSet (const juce::String& fileName, const juce::String& name, int language, int tag,
               const juce::StringArray& items)
{
    juce::MemoryOutputStream text;
    text << "MusewheelerV1 - Set file\n\nName=" << name << ";\nDescription=About " << name
         << ";\nAuthor=Tests;\nLanguage=" << language << ";\nColour=40,80,160;\n\n";

    for (const auto& item : items)
        text << "Item=" << item << ";\nFavorite=false;\nTags=" << tag << ",;\n\n";

    const auto file = besideProgram ("data").getChildFile (fileName);
    file.getParentDirectory().createDirectory();
    ASSERT_TRUE (file.replaceWithText (text.toUTF8(), false, false, "\n"));
}

void writeConfig (const juce::String& text)
{
    ASSERT_TRUE (ConfigFile::getDefaultLocation().replaceWithText (text, true, true, "\r\n"));
}

juce::MemoryBlock configBytes()
{
    juce::MemoryBlock bytes;
    ConfigFile::getDefaultLocation().loadFileAsData (bytes);
    return bytes;
}

int countOrange (const juce::Image& image)
{
    return widget_testing::countPixels (image, image.getBounds(),
                                        [] (juce::Colour colour)
                                        { return colour.getRed() > 200 && colour.getBlue() < 60; });
}

DataTags catalogueIn (int language)
{
    DataTags tags;
    tags.initDataTagsLibrary (language == 1);
    return tags;
}

// The whole main screen with its panels, reading "data" and "Musewheeler.ini" in a program folder of the
// test's own.
class PanelHostingDataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeSet ("english.mwh", "English set", 1, 1, { "e1", "e2", "e3", "e4" });
        writeSet ("french.mwh", "French set", 0, 104, { "f1", "f2", "f3" });
    }

    void TearDown() override { screen.reset(); }

    MainComponent& make()
    {
        screen = std::make_unique<MainComponent>();
        screen->setBrowserLauncher ([] (const juce::URL&) {});
        screen->setClipboardWriter ([] (const juce::String&) {});
        // Visible, so that hit tests find what a click would reach; still on no desktop.
        screen->setVisible (true);
        return *screen;
    }

    juce::String adviceText()
    {
        return dynamic_cast<juce::Label&> (*screen->findChildWithID ("advice-label")).getText();
    }

    template <typename ComponentType>
    ComponentType& optionsChild (const juce::String& identifier)
    {
        auto* found =
            dynamic_cast<ComponentType*> (screen->getOptionsComponent().findChildWithID (identifier));
        EXPECT_NE (found, nullptr) << identifier;
        return *found;
    }

    void pick (const juce::String& comboIdentifier, int id)
    {
        optionsChild<juce::ComboBox> (comboIdentifier).setSelectedId (id, juce::sendNotificationSync);
        deliverMessages();
    }

    void installDialogs()
    {
        if (dialogs != nullptr)
            return;

        auto scripted = std::make_unique<editor_testing::ScriptedEditorDialogs>();
        dialogs = scripted.get();
        screen->getEditionComponent().setDialogs (std::move (scripted));
    }

    // The set editor with scripted dialogs, as the user would find it from the menu.
    EditionComponent& openEditor()
    {
        auto& editor = screen->getEditionComponent();

        installDialogs();
        screen->handleMenuResult (MainMenu::menuSetsEdition);
        deliverMessages();
        return editor;
    }

    void clickEditorButton (const juce::String& identifier)
    {
        auto* button =
            dynamic_cast<SpecialButton*> (screen->getEditionComponent().findChildWithID (identifier));
        ASSERT_NE (button, nullptr) << identifier;
        widget_testing::click (*button, button->getCircleBounds().getCentre());
        deliverMessages();
    }

    void editorKey (int keyCode, juce::ModifierKeys modifiers = juce::ModifierKeys::ctrlModifier)
    {
        auto& editor = screen->getEditionComponent();
        editor.keyPressed (juce::KeyPress (keyCode, modifiers, 0), &editor);
        deliverMessages();
    }

    // A text button drawn with the program's look as it stands.
    juce::Image drawTextButton()
    {
        juce::TextButton button ("OK");
        button.setBounds (0, 0, 100, 30);
        return widget_testing::snapshot (button);
    }

    void press (const juce::String& buttonIdentifier)
    {
        screen->getOptionsComponent().buttonClicked (&optionsChild<juce::Button> (buttonIdentifier));
        deliverMessages();
    }

    // Every component the screen hands the keyboard focus to, in order.
    void recordKeyboardFocus()
    {
        screen->setKeyboardFocusGiver ([this] (juce::Component& component)
                                       { focusGiven.push_back (&component); });
    }

    testing_helpers::ScopedProgramFolder programFolder;
    std::unique_ptr<MainComponent> screen;
    editor_testing::ScriptedEditorDialogs* dialogs = nullptr;
    std::vector<juce::Component*> focusGiven;
};
} // namespace

//==============================================================================
TEST_F (PanelHostingDataFolderTest, thePanelsLieHiddenOverTheWholeScreenAboveItsButtons)
{
    auto& main = make();
    auto& about = main.getAboutComponent();
    auto& options = main.getOptionsComponent();

    const auto buttonIndex = main.getIndexOfChildComponent (main.findChildWithID ("new-advice-button"));

    auto& edition = main.getEditionComponent();

    for (auto* panel : { static_cast<juce::Component*> (&about), static_cast<juce::Component*> (&options),
                         static_cast<juce::Component*> (&edition) })
    {
        EXPECT_FALSE (panel->isVisible());
        EXPECT_EQ (panel->getBounds(), main.getLocalBounds());
        EXPECT_GT (main.getIndexOfChildComponent (panel), buttonIndex);
    }

    EXPECT_LT (main.getIndexOfChildComponent (&about), main.getIndexOfChildComponent (&options));
    EXPECT_LT (main.getIndexOfChildComponent (&options), main.getIndexOfChildComponent (&edition));

    main.setSize (600, 400);
    EXPECT_EQ (about.getBounds(), juce::Rectangle<int> (0, 0, 600, 400));
    EXPECT_EQ (options.getBounds(), juce::Rectangle<int> (0, 0, 600, 400));
    EXPECT_EQ (edition.getBounds(), juce::Rectangle<int> (0, 0, 600, 400));
}

TEST_F (PanelHostingDataFolderTest, buildingThePanelsLeavesTheCatalogueInTheInterfaceLanguage)
{
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    auto& main = make();
    EXPECT_EQ (main.getDataTags().getTags (2), catalogueIn (0).getTags (2));
}

//==============================================================================
TEST_F (PanelHostingDataFolderTest, theAboutEntryShowsThePanelInTheInterfaceLanguageUntilItIsClicked)
{
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    auto& main = make();
    auto& about = main.getAboutComponent();

    main.handleMenuResult (MainMenu::menuAbout);
    EXPECT_TRUE (about.isVisible());
    EXPECT_EQ (about.language, 0);

    // The screen's buttons lie under the panel.
    for (const auto* identifier : { "new-advice-button", "menu-button", "favorite-button" })
        EXPECT_EQ (main.getComponentAt (main.findChildWithID (identifier)->getBounds().getCentre()), &about)
            << identifier;

    widget_testing::press (about, { 100.0f, 60.0f });
    EXPECT_TRUE (about.isVisible()) << "the message arrives after the click's handler";
    deliverMessages();
    EXPECT_FALSE (about.isVisible());
}

TEST_F (PanelHostingDataFolderTest, otherMessagesAndOtherCasesAreIgnored)
{
    auto& main = make();
    main.handleMenuResult (MainMenu::menuAbout);
    main.handleMenuResult (MainMenu::menuOptions);
    const auto shown = adviceText();
    const auto bytes = configBytes();

    for (const auto* message : { "aboutexit", "OPTIONSOK", "OptionsOk", "Options", "", "EditionExit " })
        main.actionListenerCallback (message);

    EXPECT_TRUE (main.getAboutComponent().isVisible());
    EXPECT_TRUE (main.getOptionsComponent().isVisible());
    EXPECT_EQ (adviceText(), shown);
    EXPECT_EQ (configBytes(), bytes);
}

//==============================================================================
TEST_F (PanelHostingDataFolderTest, theOptionsEntryFillsThePanelFromTheSettings)
{
    writeConfig ("Language=0;LanguageSet=0;Sets=FRENCH.mwh;Tags=104;LookForFavorites=false;");
    auto& main = make();
    auto& options = main.getOptionsComponent();

    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();

    EXPECT_TRUE (options.isVisible());
    EXPECT_EQ (options.language, 0);
    EXPECT_EQ (options.comboLanguageSets.getSelectedId(), OptionsComponent::frenchSetsId);
    EXPECT_EQ (options.getCurrentSets(), "french.mwh");
    EXPECT_EQ (options.getCurrentTag(), 104);
    EXPECT_EQ (optionsChild<juce::Label> ("options-description").getText(),
               catalogueIn (0).getDescriptionTags (104));
    EXPECT_EQ (optionsChild<juce::Button> ("options-ok").getButtonText(), "OK");
    EXPECT_EQ (main.getDataTags().getTags (1), catalogueIn (0).getTags (1));
}

TEST_F (PanelHostingDataFolderTest, theOptionsEntryShowsTheFavouritesChoice)
{
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;LookForFavorites=true;");
    auto& main = make();
    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();

    auto& options = main.getOptionsComponent();
    EXPECT_EQ (options.comboSets.getSelectedId(), OptionsComponent::favoritesId);
    EXPECT_EQ (options.comboLanguageSets.getSelectedId(), OptionsComponent::allLanguagesId);
    EXPECT_EQ (options.getCurrentTag(), -1);
}

TEST_F (PanelHostingDataFolderTest, okTakesOverTheChoicesWritesThemAndDrawsFromTheNewFilter)
{
    auto& main = make();
    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();

    pick ("options-interface", 1);
    pick ("options-language-sets", OptionsComponent::frenchSetsId);
    pick ("options-sets", OptionsComponent::firstSetId);
    pick ("options-tags", 104 + 1);
    const auto itemBefore = main.getCurrentItem();
    press ("options-ok");

    EXPECT_FALSE (main.getOptionsComponent().isVisible());
    EXPECT_EQ (main.getCurrentLanguage(), 0);
    EXPECT_EQ (main.getCurrentLanguageSet(), 0);
    EXPECT_EQ (main.getCurrentSets(), "french.mwh");
    EXPECT_EQ (main.getCurrentTag(), 104);
    EXPECT_FALSE (main.getLookForFavorites());
    EXPECT_TRUE (juce::StringArray ({ "f1", "f2", "f3" }).contains (adviceText())) << adviceText();
    EXPECT_EQ (main.findChildWithID ("new-advice-button")->getTitle(), "Nouveau conseil");

    ConfigFile::Settings expected;
    expected.language = 0;
    expected.languageSet = 0;
    expected.sets = "french.mwh";
    expected.tag = 104;
    // Written before the new draw; the file is written again when the program ends.
    expected.lastItem = itemBefore;
    EXPECT_EQ (ConfigFile::getDefaultLocation().loadFileAsString(), ConfigFile::format (expected));

    // The favourites entry as well.
    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();
    pick ("options-sets", OptionsComponent::favoritesId);
    press ("options-ok");
    EXPECT_TRUE (main.getLookForFavorites());
    EXPECT_EQ (main.getCurrentSets(), "");
    EXPECT_TRUE (ConfigFile::read (ConfigFile::getDefaultLocation()).lookForFavorites);
}

TEST_F (PanelHostingDataFolderTest, okWithNothingChangedStillRewritesAndDrawsAnew)
{
    writeConfig ("Language=1;LanguageSet=1;Sets=;Tags=1;LastItem=2;");
    auto& main = make();
    EXPECT_EQ (adviceText(), "e3");

    // A set added meanwhile can only show if the library is read again.
    writeSet ("more.mwh", "More", 1, 1, { "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8" });
    ConfigFile::getDefaultLocation().deleteFile();

    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();
    press ("options-ok");

    EXPECT_EQ (main.getLibSetsConseils().getNumConseilsFiltered(), 12);
    EXPECT_TRUE (ConfigFile::getDefaultLocation().existsAsFile());
    const auto stored = ConfigFile::read (ConfigFile::getDefaultLocation());
    EXPECT_EQ (stored.languageSet, 1);
    EXPECT_EQ (stored.tag, 1);
}

TEST_F (PanelHostingDataFolderTest, cancelLeavesTheSettingsTheFileAndTheAdviceAlone)
{
    auto& main = make();
    const auto shown = adviceText();
    const auto item = main.getCurrentItem();
    const auto bytes = configBytes();

    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();
    pick ("options-interface", 1);
    pick ("options-language-sets", OptionsComponent::frenchSetsId);
    pick ("options-tags", 104 + 1);
    press ("options-cancel");

    EXPECT_FALSE (main.getOptionsComponent().isVisible());
    EXPECT_EQ (main.getCurrentLanguage(), 1);
    EXPECT_EQ (main.getCurrentLanguageSet(), -1);
    EXPECT_EQ (main.getCurrentTag(), -1);
    EXPECT_EQ (main.getLibSetsConseils().getNumConseilsFiltered(), 7);
    EXPECT_EQ (adviceText(), shown);
    EXPECT_EQ (main.getCurrentItem(), item);
    EXPECT_EQ (configBytes(), bytes);

    // The catalogue keeps the language tried in the panel until a panel opens again.
    EXPECT_EQ (main.getDataTags().getTags (1), catalogueIn (0).getTags (1));
    main.handleMenuResult (MainMenu::menuOptions);
    deliverMessages();
    EXPECT_EQ (main.getDataTags().getTags (1), catalogueIn (1).getTags (1));
    EXPECT_EQ (main.getOptionsComponent().language, 1);
    EXPECT_EQ (main.getOptionsComponent().comboLanguageSets.getSelectedId(),
               OptionsComponent::allLanguagesId);
    EXPECT_EQ (main.getOptionsComponent().getCurrentTag(), -1);
}

//==============================================================================
TEST_F (PanelHostingDataFolderTest, theAdviceTimerDrawsNothingWhileAPanelIsOpen)
{
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;Timer=5;");
    auto& main = make();

    for (const auto entry : { MainMenu::menuAbout, MainMenu::menuOptions, MainMenu::menuSetsEdition })
    {
        main.handleMenuResult (entry);
        deliverMessages();
        const auto shown = adviceText();

        for (int tick = 0; tick < 8; ++tick)
        {
            main.timerCallback (MainComponent::adviceTimer);
            EXPECT_EQ (adviceText(), shown);
        }

        EXPECT_TRUE (main.isTimerRunning (MainComponent::adviceTimer));
        EXPECT_EQ (main.getTimerInterval (MainComponent::adviceTimer), 5000);

        main.actionListenerCallback (entry == MainMenu::menuAbout     ? AboutComponent::exitMessage
                                     : entry == MainMenu::menuOptions ? OptionsComponent::cancelMessage
                                                                      : EditionComponent::exitMessage);

        // Without repeats, two draws cannot both show the advice that was on screen.
        main.timerCallback (MainComponent::adviceTimer);
        const auto first = adviceText();
        main.timerCallback (MainComponent::adviceTimer);
        EXPECT_TRUE (first != shown || adviceText() != shown);
    }
}

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
