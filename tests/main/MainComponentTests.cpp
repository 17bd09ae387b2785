#include "main/MainComponentDataFolderTest.h"

#include <gtest/gtest.h>

using namespace main_testing;

//==============================================================================
TEST_F (MainComponentDataFolderTest, aFirstStartWritesTheDefaultConfigurationAndShowsAnAdvice)
{
    writeTwoSets();
    auto& screen = make();

    const auto file = ConfigFile::getDefaultLocation();
    ASSERT_TRUE (file.existsAsFile());
    EXPECT_EQ (file.loadFileAsString(), ConfigFile::format (ConfigFile::Settings()));
    EXPECT_EQ (screen.getCurrentLanguage(), 1);
    EXPECT_EQ (screen.getDataTags().getTags (0), DataTags().getTags (0));

    EXPECT_EQ (screen.getWidth(), 500);
    EXPECT_EQ (screen.getHeight(), 350);
    EXPECT_TRUE (juce::StringArray ({ "r1", "r2", "r3", "b1", "b2" }).contains (adviceText()));
    EXPECT_TRUE (setNameText() == "Red set" || setNameText() == "Blue set");
    EXPECT_EQ (authorText(), setNameText() + " author");
    EXPECT_EQ (screen.getCurrentColour(), setNameText() == "Red set" ? red : blue);
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::adviceTimer));
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::fadeTimer));
    EXPECT_TRUE (screen.askAuthorizationToQuit());
}

TEST_F (MainComponentDataFolderTest, theStoredSettingsDecideTheFirstDrawAndTheTimer)
{
    writeTwoSets();
    testing_helpers::IniFileText settings;
    settings.language = "0";
    settings.sets = "b-blue.mwh";
    settings.lastItem = "1";
    settings.timer = "30";
    ASSERT_TRUE (settings.writeTo (ConfigFile::getDefaultLocation()));
    auto& screen = make();

    EXPECT_EQ (adviceText(), "b2");
    EXPECT_EQ (screen.getCurrentItem(), 1);
    EXPECT_EQ (screen.getCurrentSets(), "b-blue.mwh");
    EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer));
    EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), 30000);

    DataTags french;
    french.initDataTagsLibrary (false);
    EXPECT_EQ (screen.getDataTags().getTags (0), french.getTags (0));
    EXPECT_EQ (child<SpecialButton> ("new-advice-button").getTitle(), "Nouveau conseil");
    EXPECT_EQ (favoriteButton().getTitle(), "Favori");
    EXPECT_EQ (child<SpecialButton> ("menu-button").getTitle(), "Menu");
}

TEST_F (MainComponentDataFolderTest, aStoredItemBeyondTheListShowsTheFirstAdvice)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=12;");
    auto& screen = make();
    EXPECT_EQ (screen.getCurrentItem(), 0);
    EXPECT_EQ (adviceText(), "r1");
    EXPECT_EQ (child<SpecialButton> ("new-advice-button").getTitle(), "New advice");
    EXPECT_EQ (favoriteButton().getTitle(), "Favourite");
}

TEST_F (MainComponentDataFolderTest, theShownAdviceIsWrittenOnCloseAndShownAgainAtTheNextStart)
{
    writeTwoSets();
    make().takeNewAdvice (false, 3);
    const auto shown = adviceText();
    component.reset();

    const auto stored = ConfigFile::read (ConfigFile::getDefaultLocation());
    EXPECT_EQ (stored.lastItem, 3);

    make();
    EXPECT_EQ (adviceText(), shown);
    EXPECT_EQ (component->getCurrentItem(), 3);
}

TEST_F (MainComponentDataFolderTest, aSetFileNameBeyondTheBasicPlaneIsKeptInTheSettings)
{
    const auto fileName = testing_helpers::utf8 ("\xf0\x9f\x8e\xb8 riffs.mwh");
    writeSet (fileName, "Riffs", 1, red, { "riff|false|1," });
    writeTwoSets();
    ConfigFile::Settings settings;
    settings.sets = fileName;
    ASSERT_TRUE (ConfigFile::write (ConfigFile::getDefaultLocation(), settings));

    for (int start = 0; start < 2; ++start)
    {
        auto& screen = make();
        EXPECT_EQ (screen.getCurrentSets(), fileName);
        EXPECT_EQ (adviceText(), "riff");
        component.reset();
        EXPECT_EQ (ConfigFile::read (ConfigFile::getDefaultLocation()).sets, fileName);
    }
}

//==============================================================================
TEST_F (MainComponentDataFolderTest, drawsEveryAdviceOnceBeforeAnyRepeats)
{
    writeTwoSets();
    writeSet ("c-red.mwh", "More", 1, red, { "m1|false|1,", "m2|false|1,", "m3|false|1," });
    auto& screen = make();

    // The start-up drew twice from the same cycle; a new size of list starts a fresh one.
    writeSet ("d-blue.mwh", "Extra", 1, blue, { "x1|false|1," });
    screen.initDatabase();
    std::set<juce::String> seen{ adviceText() };

    for (int i = 1; i < 9; ++i)
    {
        click ("new-advice-button");
        seen.insert (adviceText());
    }

    EXPECT_EQ (seen.size(), 9u);
}

TEST_F (MainComponentDataFolderTest, withOneAdviceEveryDrawShowsIt)
{
    writeSet ("only.mwh", "Only", 1, red, { "alone|false|1," });
    auto& screen = make();

    for (int i = 0; i < 4; ++i)
    {
        screen.takeNewAdvice (i % 2 == 0, -1);
        EXPECT_EQ (adviceText(), "alone");
        EXPECT_EQ (screen.getCurrentItem(), 0);
    }
}

TEST_F (MainComponentDataFolderTest, anIndexOutOfTheListIsReplacedByTheFirst)
{
    writeSet ("three.mwh", "Three", 1, red, { "t1|false|1,", "t2|false|1,", "t3|false|1," });
    auto& screen = make();

    screen.takeNewAdvice (false, 2);
    EXPECT_EQ (adviceText(), "t3");

    for (const auto index : { 5, 3, -7, -2 })
    {
        screen.takeNewAdvice (false, 2);
        screen.takeNewAdvice (false, index);
        EXPECT_EQ (screen.getCurrentItem(), 0) << index;
        EXPECT_EQ (adviceText(), "t1") << index;
    }
}

TEST_F (MainComponentDataFolderTest, withoutAdviceTheMessageIsShownInTheInterfaceLanguage)
{
    besideProgram ("data").createDirectory();
    auto& screen = make();

    EXPECT_EQ (adviceText(), "No advice has been found. You should change the tag filtering (options), or "
                             "verify that your advice sets are in the data folder.");
    EXPECT_EQ (setNameText(), "");
    EXPECT_EQ (authorText(), "");
    EXPECT_FALSE (favoriteButton().isVisible());
    EXPECT_EQ (screen.getCurrentColour(), juce::Colours::lightgrey);
    EXPECT_EQ (screen.getCurrentItem(), 0);

    // Marking nothing must not touch anything; copying copies the message.
    click ("favorite-button");
    screen.handleMenuResult (MainMenu::menuCopyAdvice);
    EXPECT_EQ (copied, juce::StringArray (adviceText()));

    component.reset();
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    make();
    EXPECT_EQ (adviceText(), testing_helpers::utf8 ("Aucun conseil n'a été trouvé. Vous devriez modifier le "
                                                    "filtrage des tags (options) et vérifier que les sets "
                                                    "sont dans le dossier data."));
}

TEST_F (MainComponentDataFolderTest, withFavouritesOnlyTheStarIsHiddenEvenWithAnAdvice)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;LastItem=0;LookForFavorites=true;");
    make();
    EXPECT_EQ (adviceText(), "r2");
    EXPECT_FALSE (favoriteButton().isVisible());
}

TEST_F (MainComponentDataFolderTest, theStarMarksTheShownAdviceAndRewritesItsSetAtOnce)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    auto& screen = make();
    ASSERT_EQ (adviceText(), "r1");
    EXPECT_TRUE (favoriteButton().isVisible());
    EXPECT_EQ (favoriteButton().getValue(), 0);

    const auto favouriteOnDisk = [] (const juce::String& text)
    {
        DataTags tags;
        SetConseils set (&tags);
        set.setFileSet (besideProgram ("data").getChildFile ("a-red.mwh"));
        set.loadData (SetConseils::headerAndAdvice);

        for (int i = 0; i < set.getNumConseils(); ++i)
            if (set.getDescriptionItem (i) == text)
                return set.getFavoriteItem (i);

        ADD_FAILURE() << "no advice " << text;
        return false;
    };

    click ("favorite-button");
    EXPECT_EQ (favoriteButton().getValue(), 1);
    EXPECT_TRUE (favouriteOnDisk ("r1"));
    EXPECT_EQ (adviceText(), "r1");
    EXPECT_EQ (screen.getCurrentItem(), 0);

    screen.takeNewAdvice (false, 1);
    EXPECT_EQ (favoriteButton().getValue(), 1);
    screen.takeNewAdvice (false, 2);
    EXPECT_EQ (favoriteButton().getValue(), 0);

    screen.takeNewAdvice (false, 0);
    EXPECT_EQ (favoriteButton().getValue(), 1);
    click ("favorite-button");
    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_FALSE (favouriteOnDisk ("r1"));
    EXPECT_TRUE (favouriteOnDisk ("r2"));
}

TEST_F (MainComponentDataFolderTest, theStarMarksTheAdviceShownWhenItWasPressedThoughAnotherWasDrawnSince)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    auto& screen = make();
    ASSERT_EQ (adviceText(), "r1");

    auto& star = favoriteButton();
    const auto centre = star.getCircleBounds().getCentre();

    // A draw between the press and the release: a host's note, or a tick that came before the pointer.
    widget_testing::press (star, centre);
    screen.takeNewAdvice (false, 2);
    widget_testing::release (star, centre);

    DataTags tags;
    SetConseils set (&tags);
    set.setFileSet (besideProgram ("data").getChildFile ("a-red.mwh"));
    set.loadData (SetConseils::headerAndAdvice);
    ASSERT_EQ (set.getNumConseils(), 3);
    EXPECT_TRUE (set.getFavoriteItem (0)) << "the advice read when the star was pressed is marked";
    EXPECT_FALSE (set.getFavoriteItem (2)) << "the advice drawn since is not";
    EXPECT_EQ (adviceText(), "r3");
    EXPECT_EQ (favoriteButton().getValue(), 0) << "the star shows the shown advice's mark";

    // The press is forgotten once let go: a click by the keyboard is about the advice shown.
    click ("favorite-button");
    set.loadData (SetConseils::headerAndAdvice);
    EXPECT_TRUE (set.getFavoriteItem (2));
    EXPECT_EQ (favoriteButton().getValue(), 1);
}

//==============================================================================
TEST_F (MainComponentDataFolderTest, theFadeHoldsTwoSecondsThenReachesTheSetColourInTenSteps)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;");
    auto& screen = make();

    // Red is entry 0 of the list (sets are listed by file name), blue entry 3.
    screen.takeNewAdvice (false, 0);
    ASSERT_EQ (screen.getCurrentColour(), red);
    screen.takeNewAdvice (true, 3);
    EXPECT_EQ (adviceText(), "b1");
    ASSERT_TRUE (screen.isTimerRunning (MainComponent::fadeTimer));
    EXPECT_EQ (screen.getTimerInterval (MainComponent::fadeTimer), 100);

    for (int tick = 1; tick <= 20; ++tick)
    {
        screen.timerCallback (MainComponent::fadeTimer);
        EXPECT_EQ (screen.getCurrentColour(), red) << tick;
    }

    auto previousDistance = 1000;

    for (int tick = 21; tick <= 30; ++tick)
    {
        EXPECT_TRUE (screen.isTimerRunning (MainComponent::fadeTimer)) << tick;
        screen.timerCallback (MainComponent::fadeTimer);
        const auto colour = screen.getCurrentColour();
        const auto distance =
            std::abs (colour.getRed() - blue.getRed()) + std::abs (colour.getBlue() - blue.getBlue());
        EXPECT_LT (distance, previousDistance) << tick;
        previousDistance = distance;
    }

    EXPECT_TRUE (widget_testing::isNear (screen.getCurrentColour(), blue, 2));
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::fadeTimer));

    // The buttons' rings follow the frame.
    const auto ring = widget_testing::snapshot (child<SpecialButton> ("new-advice-button"));
    EXPECT_GT (widget_testing::countPixels (ring, ring.getBounds(),
                                            [] (juce::Colour c)
                                            { return widget_testing::isNear (c, blue, 3); }),
               20);
}

TEST_F (MainComponentDataFolderTest, aDrawOfTheColourAlreadyAimedAtStartsNoNewFade)
{
    writeTwoSets();
    auto& screen = make();

    screen.takeNewAdvice (false, 0);
    screen.takeNewAdvice (true, 3);

    for (int tick = 0; tick < 5; ++tick)
        screen.timerCallback (MainComponent::fadeTimer);

    ASSERT_EQ (screen.getFadeStep(), 5);
    screen.takeNewAdvice (true, 4);
    EXPECT_EQ (screen.getFadeStep(), 5);

    // A draw without fade sets its colour at once and ends a running fade.
    screen.takeNewAdvice (false, 1);
    EXPECT_EQ (screen.getCurrentColour(), red);
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::fadeTimer));
}

TEST_F (MainComponentDataFolderTest, theFadeTakesTheShortWayRoundTheHueCircle)
{
    const auto purple = juce::Colour::fromHSV (0.9f, 0.8f, 0.9f, 1.0f);
    const auto orange = juce::Colour::fromHSV (0.1f, 0.8f, 0.9f, 1.0f);
    writeSet ("a.mwh", "Purple", 1, purple, { "p|false|1," });
    writeSet ("b.mwh", "Orange", 1, orange, { "o|false|1," });

    for (const auto& [from, to] : { std::pair (0, 1), std::pair (1, 0) })
    {
        auto& screen = make();
        screen.takeNewAdvice (false, from);
        screen.takeNewAdvice (true, to);

        for (int tick = 1; tick <= 30; ++tick)
        {
            screen.timerCallback (MainComponent::fadeTimer);
            const auto hue = screen.getCurrentColour().getHue();
            EXPECT_TRUE (hue >= 0.89f || hue <= 0.11f) << "tick " << tick << " hue " << hue;

            if (tick == 25)
            {
                // Half-way lies red, not the greens and blues of the long way round.
                EXPECT_GT (screen.getCurrentColour().getRed(), 200);
                EXPECT_LT (screen.getCurrentColour().getGreen(), 60);
                EXPECT_LT (screen.getCurrentColour().getBlue(), 60);
            }
        }

        EXPECT_TRUE (widget_testing::isNear (screen.getCurrentColour(), to == 0 ? purple : orange, 2));
        component.reset();
    }
}

//==============================================================================
TEST_F (MainComponentDataFolderTest, paintsABlackFieldWithTheFrameInTheCurrentColour)
{
    writeSet ("a.mwh", "Red", 1, red, { "r|false|1," });
    auto& screen = make();
    const auto image = widget_testing::snapshot (screen);

    EXPECT_EQ (image.getPixelAt (40, 20), juce::Colours::black);
    EXPECT_EQ (image.getPixelAt (150, 228), juce::Colours::black);
    EXPECT_EQ (image.getPixelAt (80, 145), red);  // left side of the frame
    EXPECT_EQ (image.getPixelAt (419, 145), red); // right side
    EXPECT_EQ (image.getPixelAt (250, 50), red);  // top
    EXPECT_EQ (image.getPixelAt (250, 240), red); // bottom: y = 50 + 350 - 160
    EXPECT_EQ (image.getPixelAt (69, 145), juce::Colours::black);
    EXPECT_EQ (image.getPixelAt (250, 250), juce::Colours::black);
}

TEST_F (MainComponentDataFolderTest, placesItsChildrenAndKeepsThemToTheFrameAndCornersWhenResized)
{
    writeSet ("a.mwh", "Red", 1, red, { "r|false|1," });
    auto& screen = make();

    EXPECT_EQ (child<juce::Label> ("set-name-label").getBounds(), juce::Rectangle<int> (100, 70, 300, 24));
    EXPECT_EQ (child<juce::Label> ("advice-label").getBounds(), juce::Rectangle<int> (100, 95, 300, 96));
    EXPECT_EQ (child<juce::Label> ("author-label").getBounds(), juce::Rectangle<int> (110, 200, 280, 24));
    EXPECT_EQ (child<SpecialButton> ("menu-button").getBounds(), juce::Rectangle<int> (20, 295, 42, 52));
    EXPECT_EQ (favoriteButton().getBounds(), juce::Rectangle<int> (393, 295, 42, 52));
    EXPECT_EQ (child<SpecialButton> ("new-advice-button").getBounds(),
               juce::Rectangle<int> (445, 295, 42, 52));

    EXPECT_EQ (child<juce::Label> ("advice-label").getMinimumHorizontalScale(), 1.0f);
    EXPECT_EQ (child<juce::Label> ("set-name-label").findColour (juce::Label::textColourId),
               juce::Colours::yellow);
    EXPECT_EQ (child<juce::Label> ("author-label").getJustificationType(), juce::Justification::centredRight);
    EXPECT_TRUE (child<juce::Label> ("author-label").getFont().isItalic());

    screen.setSize (700, 500);
    EXPECT_EQ (child<SpecialButton> ("new-advice-button").getBounds(),
               juce::Rectangle<int> (645, 445, 42, 52));
    EXPECT_EQ (child<SpecialButton> ("menu-button").getBounds(), juce::Rectangle<int> (20, 445, 42, 52));

    const auto image = widget_testing::snapshot (screen);
    EXPECT_EQ (image.getPixelAt (80, 200), red);
    EXPECT_EQ (image.getPixelAt (619, 200), red);
    EXPECT_EQ (image.getPixelAt (350, 50), red);
    EXPECT_EQ (image.getPixelAt (350, 390), red);
}

//==============================================================================
TEST_F (MainComponentDataFolderTest, tabMovesTheFocusAlongTheButtonsWithAMarkThatMouseUsersNeverSee)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    auto& screen = make();
    auto& mark = screen.getFocusMark();
    juce::Array<juce::Component*> given;
    mark.setFocusGiver ([&given] (juce::Component& focused) { given.add (&focused); });

    const auto before = widget_testing::snapshot (screen);
    juce::Component& asComponent = screen;
    const juce::KeyPress tab (juce::KeyPress::tabKey);

    // Left to right along the bottom edge, and round; from a button too (the screen hears its keys).
    EXPECT_TRUE (asComponent.keyPressed (tab));
    EXPECT_TRUE (screen.keyPressed (tab, given.getLast()));
    EXPECT_TRUE (asComponent.keyPressed (tab));
    EXPECT_TRUE (asComponent.keyPressed (tab));
    auto& menu = child<SpecialButton> ("menu-button");
    auto& star = favoriteButton();
    auto& plus = child<SpecialButton> ("new-advice-button");
    EXPECT_EQ (given, (juce::Array<juce::Component*>{ &menu, &star, &plus, &menu }));

    EXPECT_TRUE (asComponent.keyPressed (
        juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (mark.getMarked(), &plus);
    EXPECT_TRUE (asComponent.keyPressed (
        juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0)));
    EXPECT_EQ (mark.getMarked(), &star);

    // A white ring around the star's circle, clear of the circle itself.
    const auto marked = widget_testing::snapshot (screen);
    const auto circle = star.getCircleBounds().translated ((float) star.getX(), (float) star.getY());
    const auto ringRadius =
        circle.getWidth() * 0.5f + KeyboardFocusMark::gap + KeyboardFocusMark::thickness * 0.5f;
    const auto top =
        juce::Point<int> ((int) circle.getCentreX(), (int) std::lround (circle.getCentreY() - ringRadius));
    EXPECT_EQ (marked.getPixelAt (top.x, top.y), juce::Colours::white);
    EXPECT_EQ (before.getPixelAt (top.x, top.y), juce::Colours::black);
    EXPECT_EQ (marked.getPixelAt ((int) circle.getX() - 4, (int) circle.getCentreY()), juce::Colours::white);
    EXPECT_EQ (marked.getPixelAt ((int) circle.getCentreX(), (int) circle.getY() + 1),
               before.getPixelAt ((int) circle.getCentreX(), (int) circle.getY() + 1));

    // Without a Tab the screen is as it always was; with a panel open the mark is not drawn over it.
    screen.handleMenuResult (MainMenu::menuAbout);
    const auto overAbout = widget_testing::snapshot (screen);
    EXPECT_NE (overAbout.getPixelAt (top.x, top.y), juce::Colours::white);
    EXPECT_FALSE (asComponent.keyPressed (tab)) << "behind a panel the buttons cannot be reached";
    screen.actionListenerCallback (AboutComponent::exitMessage);

    mark.hide();
    const auto after = widget_testing::snapshot (screen);

    for (int y = 0; y < after.getHeight(); ++y)
        for (int x = 0; x < after.getWidth(); ++x)
            ASSERT_EQ (after.getPixelAt (x, y), before.getPixelAt (x, y)) << x << ", " << y;
}
