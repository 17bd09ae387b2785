#include "TestHelpers.h"

#include "editor/EditionComponent.h"
#include "editor/EditorTestHelpers.h"

#include <gtest/gtest.h>

namespace wt = widget_testing;
using editor_testing::EditorTest;
using testing_helpers::deliverMessages;
using testing_helpers::utf8;

namespace
{
const juce::StringArray everyChild{ "new-set-button",
                                    "open-set-button",
                                    "save-button",
                                    "save-as-button",
                                    "close-button",
                                    "language-button",
                                    "colour-button",
                                    "description-button",
                                    "tags-button",
                                    "add-advice-button",
                                    "duplicate-advice-button",
                                    "delete-advice-button",
                                    "back-button",
                                    "name-label",
                                    "advice-label",
                                    "author-label",
                                    "wheel",
                                    "description-title-label",
                                    "description-label",
                                    "colour-label",
                                    "colour-selector",
                                    "tag-manager",
                                    "tags-advice-label" };

// Which children a page shows with a set of n advices open.
bool shownWithASetOpen (const juce::String& id, int mode, int n)
{
    const auto advicePage = mode == 0;

    if (id == "add-advice-button" || id == "language-button" || id == "name-label" || id == "advice-label" ||
        id == "author-label")
        return advicePage;
    if (id == "duplicate-advice-button")
        return advicePage && n >= 1;
    if (id == "delete-advice-button")
        return advicePage && n >= 2;
    if (id == "tags-button")
        return (advicePage && n >= 1) || mode == 3;
    if (id == "wheel")
        return advicePage || mode == 3;
    if (id == "description-title-label" || id == "description-label")
        return mode == 1;
    if (id == "colour-label" || id == "colour-selector")
        return mode == 2;
    if (id == "tag-manager" || id == "tags-advice-label")
        return mode == 3;
    if (id == "description-button")
        return advicePage || mode == 1;
    if (id == "colour-button")
        return advicePage || mode == 2;

    // The file buttons and Back.
    return true;
}

// The label of a skinned button is drawn to the right of its circle and glow; there, painted pixels
// mean the label shows without the mouse over the button.
bool showsItsLabelUnhovered (SpecialButton& toggle)
{
    const auto image = wt::snapshot (toggle);
    return wt::countPixels (image, { 32, 0, image.getWidth() - 32, image.getHeight() }, wt::isPainted) > 20;
}
} // namespace

//==============================================================================
TEST (EditionComponentConstruction, startsEmptyWithOnlyNewOpenAndBackShownAndThePlainTitle)
{
    wt::ScopedProgramLook programLook;
    DataTags tags;
    LibSetsConseils library (&tags);
    EditionComponent editor (&tags, &library);
    editor.setBounds (0, 0, 500, 350);

    for (const auto& id : everyChild)
    {
        SCOPED_TRACE (id);
        auto* child = editor.findChildWithID (id);
        ASSERT_NE (child, nullptr);
        EXPECT_EQ (child->isVisible(),
                   id == "new-set-button" || id == "open-set-button" || id == "back-button");
    }

    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getCurrentSet(), nullptr);
    EXPECT_EQ (editor.getMode(), 0);
    EXPECT_EQ (editor.getCurrentLanguage(), 1);
    EXPECT_TRUE (editor.getWantsKeyboardFocus());
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler");

    // Off the desktop there is no window to name: nothing happens, and the editor keeps its own name.
    editor.updateWindowTitle();
    EXPECT_EQ (editor.getName(), juce::String());
}

TEST_F (EditorTest, theVisibilityOfEveryChildFollowsThePageAndTheNumberOfAdvices)
{
    for (const auto numAdvices : { 0, 1, 2, 5 })
    {
        if (numAdvices == 0)
            openSetWith ({});
        else
            newSetWith (numAdvices);

        ASSERT_EQ (set().getNumConseils(), numAdvices);

        for (int mode = 0; mode < 4; ++mode)
        {
            editor.updateControls (mode);
            EXPECT_EQ (editor.getMode(), mode);

            for (const auto& id : everyChild)
            {
                SCOPED_TRACE (id + " with " + juce::String (numAdvices) + " advices on page " +
                              juce::String (mode));
                EXPECT_EQ (isShown (id), shownWithASetOpen (id, mode, numAdvices));
            }
        }

        if (!editor.isCurrentSetSaved())
            dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);

        click ("close-button");
        ASSERT_FALSE (editor.isASetOpen());
    }
}

TEST_F (EditorTest, withNoSetOpenEveryPageFallsBackToTheEmptyAdvicePage)
{
    for (int mode = 0; mode < 4; ++mode)
    {
        editor.updateControls (mode);
        EXPECT_EQ (editor.getMode(), 0);

        for (const auto& id : everyChild)
            EXPECT_EQ (isShown (id), id == "new-set-button" || id == "open-set-button" || id == "back-button")
                << id;
    }
}

TEST_F (EditorTest, initEditionEmptiesTheEditorAndSwitchesAnActivePageOff)
{
    newSetWith (2);
    click ("tags-button");
    ASSERT_EQ (editor.getMode(), 3);

    editor.initEdition();

    EXPECT_FALSE (editor.isASetOpen());
    EXPECT_FALSE (editor.isCurrentSetSaved());
    EXPECT_EQ (editor.getCurrentSet(), nullptr);
    EXPECT_EQ (editor.getMode(), 0);
    EXPECT_EQ (button ("tags-button").getSpecialState(), SpecialButton::normalState);
    EXPECT_EQ (button ("tags-button").getButtonText(), "Tags");
    EXPECT_EQ (wheel().getValue(), -1);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler");

    for (const auto& id : everyChild)
        EXPECT_EQ (isShown (id), id == "new-set-button" || id == "open-set-button" || id == "back-button")
            << id;
}

//==============================================================================
TEST_F (EditorTest, theSaveButtonGlowsExactlyWhileThereAreUnsavedChanges)
{
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);

    openSetWith ({ "One", "Two" });
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::normalState);

    edit ("author-label", "Someone else");
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::highlightedState);

    click ("save-button");
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::normalState);

    // Moving through the advices, switching pages and the interface language are not changes.
    wheel().mouseWheelMove (wt::wheelDetails (1.0f));
    deliverMessages();
    click ("colour-button");
    click ("colour-button");
    editor.setLanguage (0);
    EXPECT_EQ (button ("save-button").getSpecialState(), SpecialButton::normalState);
    EXPECT_TRUE (editor.isCurrentSetSaved());
}

TEST_F (EditorTest, anEmptySetAsksForItsFirstAdviceAndNoTagsAreAskedFor)
{
    openSetWith ({});

    EXPECT_EQ (button ("add-advice-button").getSpecialState(), SpecialButton::highlightedState);
    EXPECT_EQ (button ("tags-button").getSpecialState(), SpecialButton::normalState);

    click ("add-advice-button");
    EXPECT_EQ (button ("add-advice-button").getSpecialState(), SpecialButton::normalState);
}

TEST_F (EditorTest, aMissingDescriptionAndAnAdviceWithFewerThanTwoTagsGlow)
{
    // A new set has no description, and its advice only the tag Musewheeler.
    newSetWith (1);
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::highlightedState);
    EXPECT_EQ (button ("tags-button").getSpecialState(), SpecialButton::highlightedState);

    click ("description-button");
    edit ("description-label", "What the set is about");
    click ("description-button");
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::normalState);

    click ("tags-button");
    wt::click (tagManager(), { 30.0f + 280.0f / 3.0f * 0.5f, 80.0f });
    deliverMessages();
    ASSERT_EQ (set().getNumTags (0), 2);
    click ("tags-button");
    EXPECT_EQ (button ("tags-button").getSpecialState(), SpecialButton::normalState);
}

TEST_F (EditorTest, theActiveToggleKeepsItsStateWhateverItsPageHolds)
{
    newSetWith (1);

    click ("description-button");
    editor.updateHighlight();
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::activeState);

    click ("description-button");
    click ("tags-button");
    editor.updateHighlight();
    EXPECT_EQ (button ("tags-button").getSpecialState(), SpecialButton::activeState);

    click ("tags-button");
    click ("colour-button");
    editor.updateHighlight();
    EXPECT_EQ (button ("colour-button").getSpecialState(), SpecialButton::activeState);
    EXPECT_EQ (button ("description-button").getSpecialState(), SpecialButton::highlightedState);
}

//==============================================================================
TEST_F (EditorTest, thePageTogglesExcludeEachOtherAndTheActiveOneReadsBack)
{
    newSetWith (2);
    const juce::StringArray toggles{ "description-button", "colour-button", "tags-button" };
    const juce::StringArray inactiveLabels{ "Description", "Colour", "Tags" };

    for (int page = 1; page <= 3; ++page)
    {
        const auto& toggle = toggles[page - 1];
        SCOPED_TRACE (toggle);

        click (toggle);
        EXPECT_EQ (editor.getMode(), page);
        EXPECT_EQ (button (toggle).getSpecialState(), SpecialButton::activeState);
        EXPECT_EQ (button (toggle).getButtonText(), "Back...");
        EXPECT_TRUE (showsItsLabelUnhovered (button (toggle)));

        for (const auto& other : toggles)
            EXPECT_TRUE (other == toggle || !isShown (other)) << other;

        click (toggle);
        EXPECT_EQ (editor.getMode(), 0);
        EXPECT_EQ (button (toggle).getButtonText(), inactiveLabels[page - 1]);
        EXPECT_FALSE (showsItsLabelUnhovered (button (toggle)));

        for (const auto& other : toggles)
            EXPECT_TRUE (isShown (other)) << other;
    }
}

TEST_F (EditorTest, inFrenchTheActiveToggleReadsRetour)
{
    editor.setLanguage (0);
    newSetWith (1);

    click ("colour-button");
    EXPECT_EQ (button ("colour-button").getButtonText(), "Retour...");

    click ("colour-button");
    EXPECT_EQ (button ("colour-button").getButtonText(), "Couleur");
}

TEST_F (EditorTest, everyTextInBothLanguages)
{
    struct Expected
    {
        const char* id;
        const char* english;
        const char* french;
    };

    const Expected buttons[] = {
        { "new-set-button", "New set", "Nouveau set" },
        { "open-set-button", "Open a set...", "Ouvrir un set..." },
        { "save-button", "Save", "Enregistrer" },
        { "save-as-button", "Save as...", "Enregistrer sous..." },
        { "close-button", "Close", "Fermer" },
        { "add-advice-button", "Add a new advice", "Ajouter un conseil" },
        { "duplicate-advice-button", "Duplicate the current advice", "Dupliquer le conseil en cours" },
        { "delete-advice-button", "Delete the current advice", "Supprimer le conseil en cours" },
        { "description-button", "Description", "Description" },
        { "tags-button", "Tags", "Tags" },
        { "colour-button", "Colour", "Couleur" },
        { "back-button", "", "" },
    };

    for (const auto language : { 1, 0 })
    {
        editor.setLanguage (language);
        EXPECT_EQ (editor.getCurrentLanguage(), language);

        for (const auto& expected : buttons)
            EXPECT_EQ (button (expected.id).getButtonText(),
                       utf8 (language == 0 ? expected.french : expected.english))
                << expected.id;

        EXPECT_EQ (child<juce::Label> ("colour-label").getText(),
                   utf8 (language == 0 ? "Choisissez la couleur du set :" : "Choose the set colour :"));
        EXPECT_EQ (child<juce::Label> ("description-title-label").getText(), "Description");
    }

    // The language button names the set's language: French for 0, English for 1.
    auto& languageButton = button ("language-button");
    languageButton.setValue (0);
    EXPECT_EQ (languageButton.getButtonText(), utf8 ("Français"));
    languageButton.setValue (1);
    EXPECT_EQ (languageButton.getButtonText(), "Anglais");
    editor.setLanguage (1);
    EXPECT_EQ (languageButton.getButtonText(), "English");
    languageButton.setValue (0);
    EXPECT_EQ (languageButton.getButtonText(), "French");
}

//==============================================================================
TEST_F (EditorTest, showingASetIsNotAnEdit)
{
    openSetWith ({ "First advice", "Second advice" });
    deliverMessages();

    EXPECT_TRUE (editor.isCurrentSetSaved());
    EXPECT_EQ (label ("name-label").getText(), "Opened set");
    EXPECT_EQ (label ("advice-label").getText(), "First advice");
    EXPECT_EQ (label ("author-label").getText(), "Tests");
    EXPECT_EQ (label ("description-label").getText(), "A description");
    EXPECT_EQ (child<juce::Label> ("tags-advice-label").getText(), "First advice");
    EXPECT_TRUE (label ("advice-label").isEnabled());
    EXPECT_TRUE (label ("advice-label").isEditableOnSingleClick());
    EXPECT_EQ (button ("language-button").getValue(), 1);
}

TEST_F (EditorTest, aSetWithoutAdviceShowsTheNoAdviceTextDisabledInTheLanguageOfTheLastDisplay)
{
    openSetWith ({});
    auto& adviceLabel = label ("advice-label");

    EXPECT_EQ (adviceLabel.getText(), "No advice has been found");
    EXPECT_FALSE (adviceLabel.isEnabled());
    EXPECT_FALSE (adviceLabel.isEditableOnSingleClick());
    EXPECT_FALSE (adviceLabel.isEditableOnDoubleClick());
    EXPECT_EQ (wheel().getValue(), -1);
    EXPECT_EQ (wheel().getMaximum(), 0);

    // Button texts follow the language at once; the set's own display only at its next refresh.
    editor.setLanguage (0);
    EXPECT_EQ (button ("add-advice-button").getButtonText(), "Ajouter un conseil");
    EXPECT_EQ (adviceLabel.getText(), "No advice has been found");

    editor.displayAdvice();
    EXPECT_EQ (adviceLabel.getText(), utf8 ("Aucun conseil n'a été trouvé."));
}

TEST_F (EditorTest, aWheelValueOutsideTheAdvicesCountsAsNoAdvice)
{
    openSetWith ({ "Only one" });

    wheel().setValue (3);
    editor.displayAdvice();
    EXPECT_EQ (label ("advice-label").getText(), "No advice has been found");
    EXPECT_FALSE (label ("advice-label").isEnabled());

    wheel().setValue (0);
    editor.displayAdvice();
    EXPECT_EQ (label ("advice-label").getText(), "Only one");
    EXPECT_TRUE (label ("advice-label").isEnabled());
}

//==============================================================================
TEST_F (EditorTest, theWindowTitleNamesTheFileAndMarksUnsavedChanges)
{
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler");

    newSetWith (1);
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler*");

    const auto target = folder.child ("My set.mwh");
    dialogs->saveAnswers.push_back (target);
    click ("save-button");
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - My set.mwh");

    edit ("name-label", "Renamed");
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler - My set.mwh*");

    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);
    click ("close-button");
    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler");
}

TEST_F (EditorTest, aSetWithoutAFileIsMarkedWhetherOrNotItChanged)
{
    newSetWith (1);

    // A cancelled save-as leaves the set without a file.
    dialogs->saveAnswers.push_back (juce::File());
    click ("save-as-button");

    EXPECT_EQ (editor.getWindowTitle(), "Musewheeler*");
}

//==============================================================================
TEST_F (EditorTest, theFrameInTheSetColourIsDrawnOnEveryPageWhileASetIsOpen)
{
    const juce::Point<int> onTheFrame (250, 75);

    auto image = wt::snapshot (editor);
    EXPECT_LT (image.getPixelAt (onTheFrame.x, onTheFrame.y).getBrightness(), 0.1f);

    newSetWith (1);

    for (const auto* page : { "", "description-button", "colour-button", "tags-button" })
    {
        SCOPED_TRACE (page);

        if (juce::String (page).isNotEmpty())
            click (page);

        image = wt::snapshot (editor);
        EXPECT_TRUE (wt::isNear (image.getPixelAt (onTheFrame.x, onTheFrame.y), juce::Colours::orange));

        if (juce::String (page).isNotEmpty())
            click (page);
    }

    dialogs->yesNoCancelAnswers.push_back (EditorDialogs::YesNoCancel::no);
    click ("close-button");
    image = wt::snapshot (editor);
    EXPECT_LT (image.getPixelAt (onTheFrame.x, onTheFrame.y).getBrightness(), 0.1f);
}

TEST_F (EditorTest, theBackgroundIsAFineDiagonalHatchMadeOnceAtTheFirstSize)
{
    const auto hatch = juce::Colours::black.brighter (0.05f);
    ASSERT_EQ (hatch, juce::Colour (0xff0c0c0c));

    auto image = wt::snapshot (editor);

    // Only black and the hatch's dark grey, in lines every 10 pixels along the top edge that cross
    // halfway between two of them.
    EXPECT_EQ (wt::countPixels (image, { 0, 0, 60, 30 },
                                [hatch] (juce::Colour c) {
                                    return c.getRed() > hatch.getRed() || c.getRed() != c.getGreen() ||
                                           c.getRed() != c.getBlue();
                                }),
               0);

    const auto greyAround = [&image] (int x, int y)
    {
        int strongest = 0;

        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                strongest = juce::jmax (strongest, (int) image.getPixelAt (x + dx, y + dy).getRed());

        return strongest;
    };

    for (const auto x : { 20, 30, 40 })
    {
        EXPECT_GT (greyAround (x, 1), 0) << x;
        EXPECT_EQ (image.getPixelAt (x + 5, 0), juce::Colours::black) << x;
        EXPECT_GT (greyAround (x + 5, 5), 0) << x;
        EXPECT_EQ (image.getPixelAt (x, 5), juce::Colours::black) << x;
    }

    editor.setSize (600, 400);
    image = wt::snapshot (editor);
    EXPECT_EQ (image.getPixelAt (595, 300).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (499, 349).getAlpha(), 255);
    EXPECT_EQ (editor.findChildWithID ("back-button")->getBounds(), juce::Rectangle<int> (545, 345, 42, 52));
}

TEST_F (EditorTest, everyButtonsCircleSitsWhereItsLabelLeavesRoomForIt)
{
    // Centres in each button's own coordinates: the small circles of the top row and the toggles, the
    // large ones of the advice commands at the bottom of their bounds, the back arrow centred.
    const std::pair<const char*, juce::Point<float>> centres[] = {
        { "new-set-button", { 15.0f, 15.0f } },
        { "open-set-button", { 15.0f, 15.0f } },
        { "save-button", { 15.0f, 15.0f } },
        { "save-as-button", { 15.0f, 15.0f } },
        { "close-button", { 15.0f, 15.0f } },
        { "language-button", { 15.0f, 32.0f } },
        { "colour-button", { 15.0f, 15.0f } },
        { "description-button", { 15.0f, 32.0f } },
        { "tags-button", { 15.0f, 15.0f } },
        { "add-advice-button", { 20.0f, 37.0f } },
        { "duplicate-advice-button", { 20.0f, 37.0f } },
        { "delete-advice-button", { 20.0f, 37.0f } },
        { "back-button", { 20.0f, 26.0f } },
    };

    for (const auto& [id, centre] : centres)
        EXPECT_EQ (button (id).getCircleBounds().getCentre(), centre) << id;
}
