#include "options/OptionsComponent.h"

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;
using testing_helpers::deliverMessages;
using testing_helpers::utf8;

namespace
{
using testing_helpers::besideProgram;

juce::String setText (const juce::String& name, int language, const juce::String& description)
{
    return testing_helpers::SetFileText()
        .withName (name)
        .withDescription (description)
        .withAuthor ("Tests")
        .withLanguage (language)
        .add ("One advice of " + name, "1,")
        .toString();
}

juce::StringArray list (std::initializer_list<juce::String> texts)
{
    juce::StringArray all;

    for (const auto& text : texts)
        all.add (text);

    return all;
}

// "id:text" for every item of a list, in order.
juce::StringArray itemsOf (const juce::ComboBox& box)
{
    juce::StringArray items;

    for (int index = 0; index < box.getNumItems(); ++index)
        items.add (juce::String (box.getItemId (index)) + ":" + box.getItemText (index));

    return items;
}

// The tag list's separators ("--") and section headings ("# text") with the number of items below each.
juce::StringArray sectionsOf (juce::ComboBox& box)
{
    juce::StringArray sections;
    int itemsInSection = 0;

    for (juce::PopupMenu::MenuItemIterator iterator (*box.getRootMenu()); iterator.next();)
    {
        const auto& item = iterator.getItem();

        if (item.isSeparator || item.isSectionHeader)
        {
            if (itemsInSection > 0)
                sections.add (juce::String (itemsInSection));

            itemsInSection = 0;
            sections.add (item.isSeparator ? juce::String ("--") : "# " + item.text);
        }
        else
        {
            ++itemsInSection;
        }
    }

    sections.add (juce::String (itemsInSection));
    return sections;
}

// Five sets in a program folder of the test's own, listed in file-name order: two English and one French set
// share a name, and one English set has none.
class OptionsComponentDataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        write ("a-shared-en.mwh", setText ("Shared name", 1, "English shared description"));
        write ("b-shared-fr.mwh", setText ("Shared name", 0, "French shared description"));
        write ("c-nameless.mwh", setText ("", 1, "Nameless description"));
        write ("d-studio.mwh", setText ("Studio Notes", 1, "Studio description"));
        write ("e-paroles.mwh", setText ("Paroles", 0, utf8 ("Paroles et chansons, écrites")));

        library.loadLibSetsConseils();
        ASSERT_EQ (library.getNumSetsConseils(), 5);

        panel = std::make_unique<OptionsComponent> (&tags, &library);
        panel->setBounds (0, 0, 500, 350);
        deliverMessages();
    }

    void TearDown() override { panel.reset(); }

    static void write (const juce::String& fileName, const juce::String& text)
    {
        const auto file = besideProgram ("data").getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        ASSERT_TRUE (file.replaceWithText (text, false, false, "\n"));
    }

    template <typename Type>
    Type& child (const juce::String& id)
    {
        auto* found = dynamic_cast<Type*> (panel->findChildWithID (id));
        EXPECT_NE (found, nullptr) << id;
        return *found;
    }

    juce::ComboBox& comboInterface() { return child<juce::ComboBox> ("options-interface"); }
    juce::ComboBox& comboTags() { return child<juce::ComboBox> ("options-tags"); }
    juce::String description() { return child<juce::Label> ("options-description").getText(); }

    // A choice in an open list reaches the panel through the message loop.
    static void choose (juce::ComboBox& box, int id)
    {
        box.setSelectedId (id, juce::sendNotificationAsync);
        deliverMessages();
    }

    // What the main screen does when it opens the panel.
    void open (int setLanguageId, int interfaceLanguage, const juce::String& setFile, bool favorites, int tag)
    {
        panel->comboLanguageSets.setSelectedId (setLanguageId, juce::dontSendNotification);
        panel->setLanguage (interfaceLanguage);
        panel->setCurrentSets (setFile, favorites);
        panel->setCurrentTag (tag);
        panel->displayCurrentDescriptionSets();
    }

    juce::StringArray texts()
    {
        juce::StringArray all;

        for (const auto* id : { "options-title", "options-interface-caption", "options-sets-caption",
                                "options-language-sets-caption", "options-tags-caption" })
            all.add (child<juce::Label> (id).getText());

        for (const auto* id : { "options-ok", "options-cancel" })
            all.add (child<juce::TextButton> (id).getButtonText());

        return all;
    }

    testing_helpers::ScopedProgramFolder programFolder;
    DataTags tags;
    LibSetsConseils library{ &tags };
    std::unique_ptr<OptionsComponent> panel;
};
} // namespace

//==============================================================================
TEST_F (OptionsComponentDataFolderTest, startsInEnglishWithTheItemIdsTheMainScreenReads)
{
    EXPECT_EQ (panel->language, 1);
    EXPECT_EQ (texts(), list ({ "Advice filtering", "Interface", "Selected sets", "Language(s) in the sets",
                                "Tags", "OK", "Cancel" }));

    EXPECT_EQ (itemsOf (comboInterface()), list ({ "1:French", "2:English" }));
    EXPECT_EQ (comboInterface().getSelectedId(), 2);

    EXPECT_EQ (itemsOf (panel->comboLanguageSets),
               list ({ "1:---All the languages---", "2:French sets only", "3:English sets only" }));
    EXPECT_EQ (panel->comboLanguageSets.getSelectedId(), 1);

    // All languages, in library order; the nameless set is listed under its file name.
    EXPECT_EQ (itemsOf (panel->comboSets),
               list ({ "1:---All the sets---", "2:---Favorites---", "3:Shared name", "4:Shared name",
                       "5:c-nameless.mwh", "6:Studio Notes", "7:Paroles" }));
    EXPECT_EQ (panel->comboSets.getSelectedId(), 1);

    juce::StringArray expectedTags{ "9999:---No tag filtering---" };

    for (int category = 0; category < DataTags::numCategories; ++category)
        for (int position = 0; position < DataTags::getNumTagsInCategory (category); ++position)
            expectedTags.add (juce::String (DataTags::getHash (category, position) + 1) + ":" +
                              tags.getTags (DataTags::getHash (category, position)));

    EXPECT_EQ (itemsOf (comboTags()), expectedTags);
    EXPECT_EQ (comboTags().getSelectedId(), OptionsComponent::noTagId);
    EXPECT_EQ (sectionsOf (comboTags()),
               list ({ "1", "--", "# Abstraction level", "3", "--", "# Function", "6", "--", "# Instruments",
                       "16", "--", "# Music genre", "24", "--", "# Themes", "18" }));
    EXPECT_EQ (description(), "");
}

TEST_F (OptionsComponentDataFolderTest, everyTextInFrench)
{
    panel->setLanguage (0);

    EXPECT_EQ (panel->language, 0);
    EXPECT_EQ (texts(), list ({ "Filtrage des conseils", "Interface", utf8 ("Sets sélectionnés"),
                                "Langue(s) dans les sets", "Tags", "OK", "Annuler" }));
    EXPECT_EQ (itemsOf (comboInterface()), list ({ utf8 ("1:Français"), "2:Anglais" }));
    EXPECT_EQ (comboInterface().getSelectedId(), 1);
    EXPECT_EQ (itemsOf (panel->comboLanguageSets),
               list ({ "1:---Toutes les langues---", utf8 ("2:Seulement les sets en français"),
                       "3:Seulement les sets en anglais" }));
    EXPECT_EQ (itemsOf (panel->comboSets).joinIntoString ("|"),
               "1:---Tous les sets---|2:---Favoris---|3:Shared name|4:Shared name|5:c-nameless.mwh|"
               "6:Studio Notes|7:Paroles");

    const auto items = itemsOf (comboTags());
    EXPECT_EQ (items[0], "9999:---Pas de filtrage par tags---");
    EXPECT_EQ (items[1 + 3 + 6 + 16 + 2], utf8 ("303:Métal"));
    EXPECT_EQ (sectionsOf (comboTags()), list ({ "1", "--", "# Niveau d'abstraction", "3", "--", "# Fonction",
                                                 "6", "--", "# Instruments", "16", "--", "# Styles musicaux",
                                                 "24", "--", utf8 ("# Thèmes"), "18" }));

    panel->setLanguage (1);
    EXPECT_EQ (texts()[0], "Advice filtering");
    EXPECT_EQ (panel->comboSets.getItemText (0), "---All the sets---");
}

TEST_F (OptionsComponentDataFolderTest,
        theInterfaceListSwitchesTheSharedCatalogueAtOnceAndKeepsAllFourChoices)
{
    choose (panel->comboLanguageSets, OptionsComponent::englishSetsId);
    choose (panel->comboSets, 5);
    choose (comboTags(), 302);
    ASSERT_EQ (panel->comboSets.getText(), "Studio Notes");

    choose (comboInterface(), 1);

    EXPECT_EQ (tags.getNameCategory (3), "Styles de musique");
    EXPECT_EQ (panel->language, 0);
    EXPECT_EQ (texts()[0], "Filtrage des conseils");
    EXPECT_EQ (itemsOf (comboInterface()), list ({ utf8 ("1:Français"), "2:Anglais" }));
    EXPECT_EQ (comboInterface().getSelectedId(), 1);
    EXPECT_EQ (panel->comboLanguageSets.getSelectedId(), OptionsComponent::englishSetsId);
    EXPECT_EQ (panel->comboLanguageSets.getText(), "Seulement les sets en anglais");
    EXPECT_EQ (panel->comboSets.getSelectedId(), 5);
    EXPECT_EQ (panel->getCurrentSets(), "d-studio.mwh");
    EXPECT_EQ (comboTags().getSelectedId(), 302);
    EXPECT_EQ (panel->getCurrentTag(), 301);
    EXPECT_EQ (description(), tags.getDescriptionTags (301)) << "refreshed in the new language";

    choose (comboInterface(), 2);
    EXPECT_EQ (tags.getNameCategory (3), "Music genres");
    EXPECT_EQ (panel->language, 1);
    EXPECT_EQ (itemsOf (comboInterface()), list ({ "1:French", "2:English" }));
    EXPECT_EQ (panel->comboSets.getText(), "Studio Notes");
    EXPECT_EQ (panel->getCurrentTag(), 301);
}

TEST_F (OptionsComponentDataFolderTest, reopenedAfterACancelledLanguageChangeTheListsAreInThePanelsLanguage)
{
    // French chosen in the panel, then Cancel: the catalogue stays French, the main screen English.
    choose (comboInterface(), 1);
    ASSERT_EQ (tags.getNameCategory (0), "Niveau d'abstraction");

    open (OptionsComponent::allLanguagesId, 1, "", false, 200);

    EXPECT_EQ (tags.getNameCategory (0), "Abstraction level");
    EXPECT_EQ (itemsOf (comboInterface()), list ({ "1:French", "2:English" }));
    EXPECT_EQ (comboTags().getText(), "Guitars");
    EXPECT_EQ (comboTags().getItemText (1 + 3 + 6 + 16 + 2), "Metal");
    deliverMessages();
    EXPECT_EQ (description(), tags.getDescriptionTags (200));
}

//==============================================================================
TEST_F (OptionsComponentDataFolderTest, anotherSetLanguageKeepsASameNamedSetOrFallsBackToAllSets)
{
    choose (panel->comboLanguageSets, OptionsComponent::englishSetsId);
    EXPECT_EQ (itemsOf (panel->comboSets), list ({ "1:---All the sets---", "2:---Favorites---",
                                                   "3:Shared name", "4:c-nameless.mwh", "5:Studio Notes" }));

    choose (panel->comboSets, 3);
    EXPECT_EQ (description(), "English shared description");

    choose (panel->comboLanguageSets, OptionsComponent::frenchSetsId);
    EXPECT_EQ (panel->comboSets.getSelectedId(), 3);
    EXPECT_EQ (panel->getCurrentSets(), "b-shared-fr.mwh");
    EXPECT_EQ (description(), "French shared description");

    // Listed twice under all languages: the last entry of that name wins.
    choose (panel->comboLanguageSets, OptionsComponent::allLanguagesId);
    EXPECT_EQ (panel->comboSets.getSelectedId(), 4);
    EXPECT_EQ (panel->getCurrentSets(), "b-shared-fr.mwh");

    choose (panel->comboSets, 6);
    choose (panel->comboLanguageSets, OptionsComponent::frenchSetsId);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::allSetsId);
    EXPECT_EQ (panel->getCurrentSets(), "");
    EXPECT_EQ (description(), "");

    choose (panel->comboSets, OptionsComponent::favoritesId);
    choose (panel->comboLanguageSets, OptionsComponent::englishSetsId);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::favoritesId);
}

TEST_F (OptionsComponentDataFolderTest, aSetWithoutANameKeepsTheLaterSetsOnTheirOwnFiles)
{
    choose (panel->comboLanguageSets, OptionsComponent::englishSetsId);

    choose (panel->comboSets, 5);
    EXPECT_EQ (panel->getCurrentSets(), "d-studio.mwh");
    EXPECT_EQ (description(), "Studio description");

    choose (panel->comboSets, 4);
    EXPECT_EQ (panel->getCurrentSets(), "c-nameless.mwh");
    EXPECT_EQ (description(), "Nameless description");
}

TEST_F (OptionsComponentDataFolderTest, aStoredSetIsFoundInAnyLetterCaseInTheListOfItsSetLanguage)
{
    open (OptionsComponent::englishSetsId, 1, "D-STUDIO.MWH", false, -1);
    EXPECT_EQ (panel->comboSets.getSelectedId(), 5);
    EXPECT_EQ (panel->getCurrentSets(), "d-studio.mwh");
    EXPECT_EQ (description(), "Studio description") << "shown at once, before any message";

    panel->setCurrentSets ("d-studio.mwh", true);
    EXPECT_EQ (panel->comboSets.getSelectedId(), 5) << "a set found wins over the favourites flag";

    // A French set is not in the English list; neither is a set that has gone.
    panel->setCurrentSets ("e-paroles.mwh", false);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::allSetsId);
    EXPECT_EQ (description(), "");
    panel->setCurrentSets ("gone.mwh", true);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::favoritesId);
    panel->setCurrentSets ("", true);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::favoritesId);
    EXPECT_EQ (panel->getCurrentSets(), "");
    panel->setCurrentSets ("", false);
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::allSetsId);
    EXPECT_EQ (panel->getCurrentSets(), "");

    open (OptionsComponent::frenchSetsId, 1, "E-Paroles.mwh", false, -1);
    EXPECT_EQ (panel->comboSets.getSelectedId(), 4);
    EXPECT_EQ (panel->getCurrentSets(), "e-paroles.mwh");
    deliverMessages();
    EXPECT_EQ (description(), utf8 ("Paroles et chansons, écrites"));
}

TEST_F (OptionsComponentDataFolderTest, theTagFilterIsAHashAndMinusOneForNone)
{
    choose (comboTags(), 301);
    EXPECT_EQ (panel->getCurrentTag(), 300);

    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (panel->getCurrentTag(), -1);

    panel->setCurrentTag (405);
    EXPECT_EQ (comboTags().getSelectedId(), 406);
    EXPECT_EQ (panel->getCurrentTag(), 405);
    EXPECT_EQ (description(), tags.getDescriptionTags (405)) << "shown at once";
    deliverMessages();
    EXPECT_EQ (description(), tags.getDescriptionTags (405));

    panel->setCurrentTag (-1);
    EXPECT_EQ (comboTags().getSelectedId(), OptionsComponent::noTagId);
    EXPECT_EQ (panel->getCurrentTag(), -1);
    EXPECT_EQ (description(), tags.getDescriptionTags (405)) << "the description area is not touched";

    panel->setCurrentTag (0);
    EXPECT_EQ (panel->getCurrentTag(), 0);

    // A hash the catalogue does not know (a damaged configuration) leaves no tag filter.
    for (const auto unknown : { 3, 106, 500, -7 })
    {
        panel->setCurrentTag (unknown);
        EXPECT_EQ (comboTags().getSelectedId(), OptionsComponent::noTagId) << unknown;
        EXPECT_EQ (panel->getCurrentTag(), -1) << unknown;
    }
}

//==============================================================================
TEST_F (OptionsComponentDataFolderTest, theDescriptionAreaShowsWhicheverWasChosenLast)
{
    choose (comboTags(), 406);
    EXPECT_EQ (description(), tags.getDescriptionTags (405));

    choose (panel->comboSets, 6);
    EXPECT_EQ (description(), "Studio description");

    choose (comboTags(), 101);
    EXPECT_EQ (description(), tags.getDescriptionTags (100));

    choose (panel->comboSets, OptionsComponent::allSetsId);
    EXPECT_EQ (description(), "");

    choose (comboTags(), 1);
    EXPECT_EQ (description(), tags.getDescriptionTags (0));

    choose (panel->comboSets, OptionsComponent::favoritesId);
    EXPECT_EQ (description(), "");

    // Giving up the tag leaves nothing to describe, with a set chosen or without.
    choose (panel->comboSets, 7);
    choose (comboTags(), 2);
    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (description(), "");

    choose (panel->comboSets, OptionsComponent::allSetsId);
    choose (comboTags(), 2);
    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (description(), "");
}

TEST_F (OptionsComponentDataFolderTest, choosingNoTagFilteringEmptiesTheDescriptionInBothLanguages)
{
    // Opened as the main screen opens it, with a set and a tag stored.
    open (OptionsComponent::allLanguagesId, 1, "d-studio.mwh", false, 102);
    deliverMessages();
    ASSERT_EQ (description(), tags.getDescriptionTags (102));

    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (comboTags().getText(), "---No tag filtering---");
    EXPECT_EQ (description(), "");
    deliverMessages();
    EXPECT_EQ (description(), "") << "nothing arriving later brings a description back";
    EXPECT_EQ (panel->getCurrentSets(), "d-studio.mwh");

    // The set chosen after the tag shows its own description; giving up the tag then empties it too.
    choose (comboTags(), 405);
    choose (panel->comboSets, 7);
    ASSERT_EQ (description(), utf8 ("Paroles et chansons, écrites"));
    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (description(), "");

    choose (comboInterface(), 1);
    choose (comboTags(), 301);
    ASSERT_EQ (description(), tags.getDescriptionTags (300));
    choose (comboTags(), OptionsComponent::noTagId);
    EXPECT_EQ (comboTags().getText(), "---Pas de filtrage par tags---");
    EXPECT_EQ (description(), "");
}

TEST_F (OptionsComponentDataFolderTest, aTagLeftFromAnEarlierVisitDoesNotWipeTheSetsDescription)
{
    open (OptionsComponent::allLanguagesId, 1, "", false, 408);
    deliverMessages();
    ASSERT_EQ (description(), tags.getDescriptionTags (408));

    // Cancelled, then opened again with a set and no tag: the refreshes queued for the old tag find none.
    open (OptionsComponent::allLanguagesId, 1, "d-studio.mwh", false, -1);
    EXPECT_EQ (description(), "Studio description");
    deliverMessages();
    EXPECT_EQ (description(), "Studio description");
    EXPECT_EQ (panel->getCurrentTag(), -1);

    // Switching the interface language with no tag keeps the set's description as well.
    choose (comboInterface(), 1);
    EXPECT_EQ (description(), "Studio description");
}

TEST_F (OptionsComponentDataFolderTest, openedWithASetTheDescriptionSurvivesTheRefreshesThatArriveLater)
{
    open (OptionsComponent::englishSetsId, 1, "d-studio.mwh", false, -1);
    EXPECT_EQ (description(), "Studio description");
    deliverMessages();
    EXPECT_EQ (description(), "Studio description");

    // With a tag as well, the tag's description shows once the refreshes have arrived.
    open (OptionsComponent::englishSetsId, 1, "d-studio.mwh", false, 408);
    deliverMessages();
    EXPECT_EQ (description(), tags.getDescriptionTags (408));
    EXPECT_EQ (panel->getCurrentTag(), 408);

    open (OptionsComponent::allLanguagesId, 0, "", true, -1);
    deliverMessages();
    EXPECT_EQ (description(), "");
    EXPECT_EQ (panel->comboSets.getSelectedId(), OptionsComponent::favoritesId);
    EXPECT_EQ (panel->comboSets.getText(), "---Favoris---");
}

//==============================================================================
TEST_F (OptionsComponentDataFolderTest, theButtonsSendTheirMessagesAndLeaveThePanelOnScreen)
{
    wt::ActionRecorder actions (*panel);
    panel->setVisible (true);

    auto& ok = child<juce::TextButton> ("options-ok");
    auto& cancel = child<juce::TextButton> ("options-cancel");

    ok.triggerClick();
    deliverMessages();
    cancel.triggerClick();
    deliverMessages();

    EXPECT_EQ (actions.messages, list ({ OptionsComponent::okMessage, OptionsComponent::cancelMessage }));
    EXPECT_TRUE (panel->isVisible());

    // The buttons lie above the description area, which reaches under them.
    EXPECT_EQ (panel->getComponentAt (ok.getBounds().getCentre()), &ok);
    EXPECT_EQ (panel->getComponentAt (cancel.getBounds().getCentre()), &cancel);
}

TEST_F (OptionsComponentDataFolderTest, paintsARuledDarkGroundInsideAGreyFrame)
{
    const auto image = wt::snapshot (*panel);

    EXPECT_EQ (image.getPixelAt (15, 100), juce::Colours::grey);
    EXPECT_EQ (image.getPixelAt (484, 250), juce::Colours::grey);
    EXPECT_EQ (image.getPixelAt (250, 334), juce::Colours::grey);

    // Outside the frame: black at 95 %.
    EXPECT_EQ (image.getPixelAt (5, 5), juce::Colours::black.withAlpha (0.95f));

    // Lines every 5 pixels from y = 15 (320 / 64), fainter than the frame, brighter than the ground.
    const auto ground = image.getPixelAt (100, 22);
    EXPECT_EQ (ground, image.getPixelAt (100, 23));

    for (const auto y : { 20, 25, 100, 330 })
    {
        const auto line = image.getPixelAt (100, y);
        EXPECT_GT (line.getBrightness(), ground.getBrightness() + 0.02f) << y;
        EXPECT_LT (line.getBrightness(), juce::Colours::grey.getBrightness()) << y;
    }

    EXPECT_EQ (image.getPixelAt (100, 21), ground);
    EXPECT_EQ (image.getPixelAt (10, 20), image.getPixelAt (5, 5)) << "the lines stop at the frame";
}

//==============================================================================
TEST_F (OptionsComponentDataFolderTest, escapeCancelsAndReturnConfirmsFromThePanelAndFromAClosedList)
{
    wt::ActionRecorder actions (*panel);
    panel->setVisible (true);
    juce::Component& asComponent = *panel;

    EXPECT_TRUE (asComponent.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    deliverMessages();
    EXPECT_TRUE (asComponent.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    deliverMessages();
    EXPECT_EQ (actions.messages, list ({ OptionsComponent::cancelMessage, OptionsComponent::okMessage }));

    // A list that has the keys: its Return confirms the panel instead of opening the list; the other keys
    // stay the list's own.
    auto& box = comboTags();
    EXPECT_TRUE (panel->keyPressed (juce::KeyPress (juce::KeyPress::returnKey), &box));
    EXPECT_FALSE (panel->keyPressed (juce::KeyPress (juce::KeyPress::downKey), &box));
    EXPECT_FALSE (panel->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey), &box))
        << "Escape goes on to the panel, which cancels";
    deliverMessages();
    EXPECT_EQ (actions.messages, list ({ OptionsComponent::cancelMessage, OptionsComponent::okMessage,
                                         OptionsComponent::okMessage }));
    EXPECT_FALSE (box.isPopupActive());

    // Return with a modifier, and other keys, are not the panel's.
    EXPECT_FALSE (asComponent.keyPressed (
        juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0)));
    EXPECT_FALSE (asComponent.keyPressed (juce::KeyPress ('a')));
}

TEST_F (OptionsComponentDataFolderTest, tabGoesFromChoiceToChoiceAndMarksTheOneThatHasTheKeys)
{
    panel->setVisible (true);
    auto& mark = panel->getFocusMark();
    juce::Array<juce::Component*> given;
    mark.setFocusGiver ([&given] (juce::Component& component) { given.add (&component); });

    const auto before = wt::snapshot (*panel);
    juce::Component& asComponent = *panel;
    const juce::KeyPress tab (juce::KeyPress::tabKey);

    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE (asComponent.keyPressed (tab));

    // Top to bottom, then OK and Cancel left to right, and round to the first again.
    const juce::Array<juce::Component*> expected{ &comboInterface(),
                                                  &child<juce::ComboBox> ("options-language-sets"),
                                                  &child<juce::ComboBox> ("options-sets"),
                                                  &comboTags(),
                                                  &child<juce::TextButton> ("options-ok"),
                                                  &child<juce::TextButton> ("options-cancel"),
                                                  &comboInterface() };
    EXPECT_EQ (given, expected);
    EXPECT_EQ (mark.getMarked(), &comboInterface());

    EXPECT_TRUE (asComponent.keyPressed (
        juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (mark.getMarked(), &child<juce::TextButton> ("options-cancel"));

    // A white frame 3 pixels around the marked button, drawn over the panel; nothing else changes.
    const auto marked = wt::snapshot (*panel);
    const auto bounds = child<juce::TextButton> ("options-cancel").getBounds();
    EXPECT_EQ (marked.getPixelAt (bounds.getCentreX(), bounds.getY() - 2), juce::Colours::white);
    EXPECT_EQ (marked.getPixelAt (bounds.getX() - 2, bounds.getCentreY()), juce::Colours::white);
    EXPECT_NE (before.getPixelAt (bounds.getCentreX(), bounds.getY() - 2), juce::Colours::white);
    EXPECT_EQ (marked.getPixelAt (bounds.getCentreX(), bounds.getY() - 10),
               before.getPixelAt (bounds.getCentreX(), bounds.getY() - 10));

    // Shown again, the panel starts without a mark: its pixels are those before any Tab.
    panel->setVisible (false);
    panel->setVisible (true);
    EXPECT_EQ (mark.getMarked(), nullptr);
    const auto reopened = wt::snapshot (*panel);

    for (int y = 0; y < reopened.getHeight(); ++y)
        for (int x = 0; x < reopened.getWidth(); ++x)
            ASSERT_EQ (reopened.getPixelAt (x, y), before.getPixelAt (x, y)) << x << ", " << y;
}

TEST_F (OptionsComponentDataFolderTest, aLongDescriptionStaysAboveTheButtons)
{
    auto& descriptionLabel = child<juce::Label> ("options-description");
    auto& ok = child<juce::TextButton> ("options-ok");
    EXPECT_LE (descriptionLabel.getBottom(), ok.getY());

    descriptionLabel.setText ({}, juce::dontSendNotification);
    const auto empty = wt::snapshot (*panel);

    const auto longText =
        juce::String::repeatedString ("A set of advice about mixing, recording and sound design. ", 9);
    descriptionLabel.setText (longText, juce::dontSendNotification);
    const auto described = wt::snapshot (*panel);

    // The description's text is drawn, and nothing of it from the buttons' top down.
    EXPECT_GT (wt::countPixels (described, descriptionLabel.getBounds(),
                                [] (juce::Colour c) { return c.getBrightness() > 0.45f; }),
               wt::countPixels (empty, descriptionLabel.getBounds(),
                                [] (juce::Colour c) { return c.getBrightness() > 0.45f; }) +
                   200);

    for (int y = ok.getY(); y < described.getHeight(); ++y)
        for (int x = 0; x < described.getWidth(); ++x)
            ASSERT_EQ (described.getPixelAt (x, y), empty.getPixelAt (x, y)) << x << ", " << y;
}
