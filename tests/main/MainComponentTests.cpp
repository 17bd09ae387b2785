#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/SetChecker.h"
#include "advice/SetConseils.h"
#include "editor/EditorTestHelpers.h"
#include "main/MainComponent.h"
#include "settings/ConfigFile.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
using testing_helpers::besideProgram;

juce::String colourText (juce::Colour colour)
{
    return juce::String (colour.getRed()) + "," + juce::String (colour.getGreen()) + "," +
           juce::String (colour.getBlue());
}

// A set file in the current format; each entry of items is "text|favorite|tags".
void writeSet (const juce::String& fileName, const juce::String& name, int language, juce::Colour colour,
               const juce::StringArray& items)
{
    juce::MemoryOutputStream text;
    text << "MusewheelerV1 - Set file\n\nName=" << name << ";\nDescription=;\nAuthor=" << name
         << " author;\nLanguage=" << language << ";\nColour=" << colourText (colour) << ";\n\n";

    for (const auto& entry : items)
    {
        const auto parts = juce::StringArray::fromTokens (entry, "|", "");
        text << "Item=" << parts[0] << ";\nFavorite=" << parts[1] << ";\nTags=" << parts[2] << ";\n\n";
    }

    const auto file = besideProgram ("data").getChildFile (fileName);
    file.getParentDirectory().createDirectory();
    ASSERT_TRUE (file.replaceWithText (text.toUTF8(), false, false, "\n"));
}

void writeConfig (const juce::String& text)
{
    ASSERT_TRUE (ConfigFile::getDefaultLocation().replaceWithText (text, true, true, "\r\n"));
}

const juce::Colour red (200, 30, 30);
const juce::Colour blue (30, 60, 200);

// These tests build the whole main screen, which reads "data" and writes "Musewheeler.ini" in a program
// folder of the test's own.
class MainComponentDataFolderTest : public ::testing::Test
{
protected:
    void TearDown() override { component.reset(); }

    static void writeTwoSets()
    {
        writeSet ("a-red.mwh", "Red set", 1, red, { "r1|false|1,", "r2|true|1,", "r3|false|2," });
        writeSet ("b-blue.mwh", "Blue set", 0, blue, { "b1|false|1,", "b2|false|1," });
    }

    MainComponent& make()
    {
        component = std::make_unique<MainComponent>();
        component->setBrowserLauncher ([this] (const juce::URL& address)
                                       { launched.add (address.toString (true)); });
        component->setClipboardWriter ([this] (const juce::String& text) { copied.add (text); });
        auto scripted = std::make_unique<editor_testing::ScriptedEditorDialogs>();
        dialogs = scripted.get();
        component->setDialogs (std::move (scripted));
        return *component;
    }

    template <typename ComponentType>
    ComponentType& child (const juce::String& identifier)
    {
        auto* found = dynamic_cast<ComponentType*> (component->findChildWithID (identifier));
        EXPECT_NE (found, nullptr) << identifier;
        return *found;
    }

    juce::String adviceText() { return child<juce::Label> ("advice-label").getText(); }
    juce::String setNameText() { return child<juce::Label> ("set-name-label").getText(); }
    juce::String authorText() { return child<juce::Label> ("author-label").getText(); }
    SpecialButton& favoriteButton() { return child<SpecialButton> ("favorite-button"); }

    void click (const juce::String& identifier)
    {
        component->buttonClicked (&child<SpecialButton> (identifier));
    }

    testing_helpers::ScopedProgramFolder programFolder;
    std::unique_ptr<MainComponent> component;
    editor_testing::ScriptedEditorDialogs* dialogs = nullptr;
    juce::StringArray launched;
    juce::StringArray copied;
};

struct MenuEntry
{
    int id;
    juce::String text;
    bool ticked;
    bool separator;
    bool hasSubMenu;
};

std::vector<MenuEntry> entriesOf (const juce::PopupMenu& menu)
{
    std::vector<MenuEntry> entries;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        EXPECT_TRUE (item.isEnabled) << item.text;
        entries.push_back (
            { item.itemID, item.text, item.isTicked, item.isSeparator, item.subMenu != nullptr });
    }

    return entries;
}

const juce::PopupMenu* subMenuOf (const juce::PopupMenu& menu)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        if (it.getItem().subMenu != nullptr)
            return it.getItem().subMenu.get();

    return nullptr;
}
} // namespace

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
    writeConfig ("Musewheeler V1 - Init Data File\nLanguage=0;\nLanguageSet=-1;\nSets=b-blue.mwh;\nTags=-1;\n"
                 "LastItem=1;\nLookForFavorites=false;\nTimer=30;\n");
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
        set.loadData (2);

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

//==============================================================================
// The files under the screen may fail it: it keeps running, tells the user of a mark it could not save,
// and leaves every file as it found it.
TEST_F (MainComponentDataFolderTest, aMarkTheDiskCannotTakeIsToldAndNotShown)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    make();
    ASSERT_EQ (adviceText(), "r1");
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    const auto before = testing_helpers::fileBytes (file);

    {
        fault_injection::ScopedFileSizeLimit fullDisk (64);
        ASSERT_TRUE (fullDisk.holds());
        click ("favorite-button");
    }

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().message, "The favourite could not be saved: the file " +
                                            file.getFullPathName() + " cannot be written.");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("OK"));

    click ("favorite-button");
    EXPECT_EQ (favoriteButton().getValue(), 1);
    EXPECT_EQ (dialogs->asked.size(), 1u);
}

TEST_F (MainComponentDataFolderTest, aMarkInAReadOnlyDataFolderIsToldInTheInterfaceLanguage)
{
    writeTwoSets();
    writeConfig ("Language=0;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    make();
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    const auto before = testing_helpers::fileBytes (file);

    {
        fault_injection::ScopedReadOnlyFolder readOnly (besideProgram ("data"));

        if (!readOnly.holds())
            GTEST_SKIP() << "the data folder cannot be made read-only for this process";

        click ("favorite-button");
    }

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_EQ (dialogs->last().message,
               testing_helpers::utf8 ("Le favori n'a pas pu être enregistré : le fichier ") +
                   file.getFullPathName() + testing_helpers::utf8 (" ne peut pas être écrit."));
}

TEST_F (MainComponentDataFolderTest, aSetReplacedSinceTheDrawIsToldAndLeftAsItIs)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    auto& screen = make();
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    ASSERT_TRUE (file.replaceWithText ("\x01 not a set any more"));
    const auto junk = testing_helpers::fileBytes (file);

    click ("favorite-button");

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), junk);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_TRUE (dialogs->last().message.startsWith ("The favourite was not saved: the file " +
                                                     file.getFullPathName() + " was changed or removed"));

    // The draws go on from what was read; the options' OK reads the sets again.
    screen.takeNewAdvice (false, 1);
    EXPECT_EQ (adviceText(), "r2");
    screen.handleMenuResult (MainMenu::menuOptions);
    screen.actionListenerCallback (OptionsComponent::okMessage);
    EXPECT_EQ (adviceText(), MainComponent::getNoAdviceMessage (1));
}

TEST_F (MainComponentDataFolderTest, aDataFileInPlaceOfTheFolderGivesTheEmptyScreen)
{
    const auto data = besideProgram ("data");
    ASSERT_TRUE (data.replaceWithText ("not a folder"));
    make();

    EXPECT_EQ (adviceText(), MainComponent::getNoAdviceMessage (1));
    EXPECT_FALSE (favoriteButton().isVisible());
    click ("favorite-button");
    EXPECT_TRUE (dialogs->asked.empty());

    component.reset();
    EXPECT_EQ (data.loadFileAsString(), "not a folder");
    EXPECT_TRUE (ConfigFile::getDefaultLocation().existsAsFile());
}

TEST_F (MainComponentDataFolderTest, aFolderInPlaceOfTheSettingsFileGivesTheDefaultsAndStays)
{
    writeTwoSets();
    const auto settings = ConfigFile::getDefaultLocation();
    ASSERT_TRUE (settings.createDirectory());
    ASSERT_TRUE (settings.getChildFile ("kept.txt").replaceWithText ("mine"));
    auto& screen = make();

    EXPECT_EQ (screen.getCurrentLanguage(), 1);
    EXPECT_EQ (screen.getCurrentSets(), "");
    EXPECT_TRUE (juce::StringArray ({ "r1", "r2", "r3", "b1", "b2" }).contains (adviceText()));

    component.reset();
    EXPECT_TRUE (settings.isDirectory());
    EXPECT_EQ (settings.getChildFile ("kept.txt").loadFileAsString(), "mine");
    settings.deleteRecursively();
}

// musewheeler-sets check and the shipped sets' test promise that a name they accept stands whole on the name
// label; the label squeezes what is wider than its text area, which pixels show as narrower ink.
TEST_F (MainComponentDataFolderTest, aNameTheSetCheckerAcceptsIsDrawnUnsqueezed)
{
    auto& main = make();
    main.setSize (500, 350);
    auto& label = child<juce::Label> ("set-name-label");
    const auto shownWidth = label.getWidth();

    // Grown by a narrow letter at a time, the name ends within one letter of the checker's limit.
    SetChecker checker;
    juce::String name ("Name ");

    while (checker.fitsNameLine (name + "i"))
        name << "i";

    const auto inkWidth = [&label, &name] (int labelWidth)
    {
        label.setSize (labelWidth, label.getHeight());
        label.setText (name, juce::dontSendNotification);
        const auto image = label.createComponentSnapshot (label.getLocalBounds());
        int left = image.getWidth(), right = -1;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getAlpha() > 0)
                {
                    left = std::min (left, x);
                    right = std::max (right, x);
                }

        return right - left;
    };

    const auto natural = inkWidth (1000);
    ASSERT_GT (natural, 200);
    EXPECT_EQ (inkWidth (shownWidth), natural) << name;
}

TEST_F (MainComponentDataFolderTest, keepsItsLookAndFeelWhenAnotherScreenInTheProcessEnds)
{
    writeSet ("a.mwh", "Red", 1, red, { "r|false|1," });
    auto& screen = make();
    auto& ownLook = screen.getLookAndFeel();

    // A second screen takes the default, and gives it up when it ends.
    std::make_unique<MainComponent>().reset();

    EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), &ownLook);
    EXPECT_EQ (&screen.getLookAndFeel(), &ownLook);
    EXPECT_EQ (&child<juce::Label> ("advice-label").getLookAndFeel(), &ownLook);
    EXPECT_NE (dynamic_cast<CustomLookAndFeel*> (&ownLook), nullptr);
}
