#include "main/MainComponentDataFolderTest.h"
#include "widgets/TextContrast.h"

#include <gtest/gtest.h>

using namespace main_testing;

//==============================================================================
TEST_F (MainComponentDataFolderTest, theMenuListsItsEntriesInEnglish)
{
    writeTwoSets();
    auto& screen = make();
    const auto menu = screen.createMainMenu();
    const auto entries = entriesOf (menu);

    const std::vector<std::pair<int, juce::String>> expected{
        { 1, "Options" },
        { 0, "Timer" },
        { 0, "" },
        { 2, "Sets edition" },
        { 3, "To get more sets..." },
        { 0, "" },
        { 4, "Help" },
        { 5, "Copy the current advice" },
        { 9, "About Musewheeler..." },
    };

    ASSERT_EQ (entries.size(), expected.size());

    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ (entries[i].id, expected[i].first) << i;
        EXPECT_EQ (entries[i].text, expected[i].second) << i;
        EXPECT_EQ (entries[i].separator, i == 2 || i == 5) << i;
        EXPECT_EQ (entries[i].hasSubMenu, i == 1) << i;
    }

    const auto* timerMenu = subMenuOf (menu);
    ASSERT_NE (timerMenu, nullptr);
    const auto timers = entriesOf (*timerMenu);
    const juce::StringArray timerTexts{ "Disabled", "5 seconds", "10 seconds", "30 seconds",
                                        "1 minute", "2 minutes", "5 minutes",  "10 minutes" };
    ASSERT_EQ (timers.size(), 8u);

    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ (timers[(size_t) i].id, 10 + i);
        EXPECT_EQ (timers[(size_t) i].text, timerTexts[i]);
        EXPECT_EQ (timers[(size_t) i].ticked, i == 0) << i;
    }
}

TEST_F (MainComponentDataFolderTest, theMenuListsItsEntriesInFrenchAndTicksTheTimerPeriod)
{
    writeTwoSets();
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;Timer=120;");
    auto& screen = make();
    const auto menu = screen.createMainMenu();

    juce::StringArray texts;

    for (const auto& entry : entriesOf (menu))
        if (!entry.separator)
            texts.add (entry.text);

    EXPECT_EQ (texts, juce::StringArray ("Options", "Minuterie", testing_helpers::utf8 ("Édition des sets"),
                                         testing_helpers::utf8 ("Récupérer plus de sets..."), "Aide",
                                         "Copier le conseil en cours", "A propos de Musewheeler..."));

    juce::StringArray timerTexts;
    juce::Array<int> ticked;

    for (const auto& entry : entriesOf (*subMenuOf (menu)))
    {
        timerTexts.add (entry.text);

        if (entry.ticked)
            ticked.add (entry.id);
    }

    EXPECT_EQ (timerTexts,
               juce::StringArray (testing_helpers::utf8 ("Désactiver"), "5 secondes", "10 secondes",
                                  "30 secondes", "1 minute", "2 minutes", "5 minutes", "10 minutes"));
    EXPECT_EQ (ticked, juce::Array<int> (15));
}

TEST_F (MainComponentDataFolderTest, aPeriodOutsideTheMenuRunsButTicksNothing)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;Timer=45;");
    auto& screen = make();
    EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), 45000);

    for (const auto& entry : entriesOf (*subMenuOf (screen.createMainMenu())))
        EXPECT_FALSE (entry.ticked) << entry.text;
}

TEST_F (MainComponentDataFolderTest, theTimerEntriesSetThePeriodAndTheNextMenuTicksIt)
{
    writeTwoSets();
    auto& screen = make();

    const std::pair<int, int> periods[] = { { 11, 5 },   { 12, 10 },  { 13, 30 }, { 14, 60 },
                                            { 15, 120 }, { 16, 300 }, { 17, 600 } };

    for (const auto& [id, seconds] : periods)
    {
        screen.handleMenuResult (id);
        EXPECT_EQ (screen.getTimerSeconds(), seconds);
        EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer));
        EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), seconds * 1000);

        for (const auto& entry : entriesOf (*subMenuOf (screen.createMainMenu())))
            EXPECT_EQ (entry.ticked, entry.id == id) << entry.text;
    }

    screen.handleMenuResult (11);
    screen.handleMenuResult (0);
    EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), 5000);

    // The panel entries leave the timer as it is.
    for (const auto id : { 1, 2, 9 })
    {
        screen.handleMenuResult (id);
        EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer)) << id;
    }

    screen.handleMenuResult (10);
    EXPECT_EQ (screen.getTimerSeconds(), 0);
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::adviceTimer));

    screen.handleMenuResult (0);
    screen.handleMenuResult (42);
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::adviceTimer));

    component.reset();
    EXPECT_EQ (ConfigFile::read (ConfigFile::getDefaultLocation()).timerSeconds, 0);
}

TEST_F (MainComponentDataFolderTest, theAdviceTimerDrawsWithoutRepeatsAndStartsCountingAgain)
{
    writeSet ("many.mwh", "Red", 1, red,
              { "a|false|1,", "b|false|1,", "c|false|1,", "d|false|1,", "e|false|1," });
    writeSet ("other.mwh", "Blue", 1, blue, { "f|false|1," });
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;Timer=5;");
    auto& screen = make();

    std::set<juce::String> seen{ adviceText() };

    for (int i = 0; i < 4; ++i)
    {
        screen.timerCallback (MainComponent::adviceTimer);
        seen.insert (adviceText());
        EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer));
        EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), 5000);
    }

    // The start-up drew the first two of a cycle of six; the four ticks drew the rest of it.
    EXPECT_EQ (seen.size(), 5u);
}

TEST_F (MainComponentDataFolderTest, theTimersDrawWaitsWhileThePointerRestsOnTheStarOrThePlus)
{
    // A cycle of six: the start-up's two draws and the four below never repeat an advice.
    writeSet ("many.mwh", "Red", 1, red,
              { "a|false|1,", "b|false|1,", "c|false|1,", "d|false|1,", "e|false|1,", "f|false|1," });
    writeConfig ("Language=1;LanguageSet=-1;Sets=;Tags=-1;Timer=5;");
    auto& screen = make();

    for (const auto* identifier : { "favorite-button", "new-advice-button" })
    {
        auto& button = child<SpecialButton> (identifier);
        const auto centre = button.getCircleBounds().getCentre();
        const auto shown = adviceText();

        widget_testing::enter (button, centre);
        screen.timerCallback (MainComponent::adviceTimer);
        screen.timerCallback (MainComponent::adviceTimer);
        EXPECT_EQ (adviceText(), shown) << identifier;
        EXPECT_EQ (screen.getTimerInterval (MainComponent::adviceTimer), 5000) << identifier;

        widget_testing::leave (button, centre);
        EXPECT_NE (adviceText(), shown) << identifier << ": the held draw is made as the pointer leaves";
        EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer)) << identifier;

        // Once made, the draw is not made again by another passage of the pointer.
        const auto drawn = adviceText();
        widget_testing::enter (button, centre);
        widget_testing::leave (button, centre);
        EXPECT_EQ (adviceText(), drawn) << identifier;
    }

    // Off the buttons, the tick draws at once.
    const auto shown = adviceText();
    screen.timerCallback (MainComponent::adviceTimer);
    EXPECT_NE (adviceText(), shown);
}

TEST_F (MainComponentDataFolderTest, theNewAdviceButtonAndTheTimerDrawWithAFade)
{
    writeSet ("a.mwh", "Red", 1, red, { "r|false|1," });
    writeSet ("b.mwh", "Blue", 1, blue, { "b|false|1," });
    auto& screen = make();

    for (const auto& draw :
         { std::function<void()> ([this] { click ("new-advice-button"); }),
           std::function<void()> ([&screen] { screen.timerCallback (MainComponent::adviceTimer); }) })
    {
        // The draw is random: repeated until it lands on the other set.
        for (int attempt = 0; attempt < 60 && !screen.isTimerRunning (MainComponent::fadeTimer); ++attempt)
        {
            screen.takeNewAdvice (false, 0);
            draw();
        }

        ASSERT_TRUE (screen.isTimerRunning (MainComponent::fadeTimer));
        EXPECT_EQ (adviceText(), "b");
        EXPECT_EQ (screen.getCurrentColour(), red);
        EXPECT_EQ (screen.getFadeStep(), 0);
        screen.takeNewAdvice (false, 0);
    }
}

//==============================================================================
TEST_F (MainComponentDataFolderTest, helpAndSetsPagesOpenInTheInterfaceLanguage)
{
    writeTwoSets();

    for (const auto* path :
         { "help/index.html", "help/sets.html", "help/fr/index.html", "help/fr/sets.html" })
        ASSERT_TRUE (besideProgram (path).create());

    auto& screen = make();
    screen.handleMenuResult (MainMenu::menuHelp);
    screen.handleMenuResult (MainMenu::menuMoreSets);
    EXPECT_EQ (launched, juce::StringArray (juce::URL (besideProgram ("help/index.html")).toString (true),
                                            juce::URL (besideProgram ("help/sets.html")).toString (true)));

    component.reset();
    launched.clear();
    writeConfig ("Language=0;LanguageSet=-1;Sets=;Tags=-1;");
    make().handleMenuResult (MainMenu::menuHelp);
    component->handleMenuResult (MainMenu::menuMoreSets);
    EXPECT_EQ (launched, juce::StringArray (juce::URL (besideProgram ("help/fr/index.html")).toString (true),
                                            juce::URL (besideProgram ("help/fr/sets.html")).toString (true)));
}

TEST_F (MainComponentDataFolderTest, aMissingPageOpensNothing)
{
    writeTwoSets();
    auto& screen = make();
    screen.handleMenuResult (MainMenu::menuHelp);
    screen.handleMenuResult (MainMenu::menuMoreSets);
    EXPECT_TRUE (screen.keyPressed (juce::KeyPress (juce::KeyPress::F1Key)));
    EXPECT_TRUE (launched.isEmpty());
}

TEST_F (MainComponentDataFolderTest, f1OpensTheHelpFromTheScreenAndFromItsButtons)
{
    writeTwoSets();
    ASSERT_TRUE (besideProgram ("help/index.html").create());
    auto& screen = make();
    const auto address = juce::URL (besideProgram ("help/index.html")).toString (true);

    EXPECT_TRUE (screen.keyPressed (juce::KeyPress (juce::KeyPress::F1Key)));
    EXPECT_EQ (launched, juce::StringArray (address));

    auto& button = child<SpecialButton> ("new-advice-button");
    EXPECT_TRUE (static_cast<juce::KeyListener&> (screen).keyPressed (juce::KeyPress (juce::KeyPress::F1Key),
                                                                      &button));
    EXPECT_EQ (launched.size(), 2);

    for (const auto& key : { juce::KeyPress (juce::KeyPress::F1Key, juce::ModifierKeys::shiftModifier, 0),
                             juce::KeyPress (juce::KeyPress::F1Key, juce::ModifierKeys::ctrlModifier, 0),
                             juce::KeyPress (juce::KeyPress::F2Key), juce::KeyPress ('h'),
                             juce::KeyPress (juce::KeyPress::returnKey) })
        EXPECT_FALSE (screen.keyPressed (key)) << key.getTextDescription();

    EXPECT_EQ (launched.size(), 2);
}

TEST (MainMenuLookTest, theLitEntrysTextStandsOutOnEverySetColour)
{
    // An entry drawn lit, as the menu draws the one under the pointer.
    const auto drawLit = [] (juce::Colour setColour)
    {
        const auto look = MainMenu::createLook (setColour);
        juce::Image image (juce::Image::ARGB, 200, 24, true);
        juce::Graphics g (image);
        look->drawPopupMenuItem (g, { 0, 0, 200, 24 }, false, true, true, false, false, "Sets edition", {},
                                 nullptr, nullptr);
        return image;
    };

    for (const auto setColour :
         { juce::Colour (0xff00ff40), juce::Colours::yellow, juce::Colour (30, 60, 200) })
    {
        const auto image = drawLit (setColour);
        const auto text = TextContrast::blackOrWhiteOn (setColour);
        int textPixels = 0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                textPixels += image.getPixelAt (x, y) == text ? 1 : 0;

        EXPECT_GT (textPixels, 20) << setColour.toDisplayString (false);
        EXPECT_GE (TextContrast::ratio (text, setColour), 4.5f) << setColour.toDisplayString (false);
        EXPECT_EQ (image.getPixelAt (195, 2), setColour) << "the entry is lit in the set's colour";
    }

    // Unlit entries keep their light grey on black.
    const auto look = MainMenu::createLook (juce::Colours::yellow);
    EXPECT_EQ (look->findColour (juce::PopupMenu::textColourId), juce::Colours::lightgrey);
    EXPECT_EQ (look->findColour (juce::PopupMenu::backgroundColourId), juce::Colours::black);
}
