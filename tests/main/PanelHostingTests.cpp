#include "main/PanelHostingDataFolderTest.h"

#include <gtest/gtest.h>

using namespace panel_testing;

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
