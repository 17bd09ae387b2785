#include "TestHelpers.h"
#include "main/MainComponent.h"

#include <gtest/gtest.h>

namespace
{
// A store in memory that keeps every save, as a plugin instance does.
struct RecordingStore final : SettingsStore
{
    explicit RecordingStore (std::optional<ConfigFile::Settings> initial,
                             std::vector<ConfigFile::Settings>& log)
        : stored (std::move (initial))
        , saves (log)
    {
    }

    std::optional<ConfigFile::Settings> load() override { return stored; }
    void save (const ConfigFile::Settings& settings) override { saves.push_back (settings); }

    std::optional<ConfigFile::Settings> stored;
    std::vector<ConfigFile::Settings>& saves;
};

class MainComponentSettingsStoreTest : public ::testing::Test
{
protected:
    MainComponentSettingsStoreTest()
    {
        testing_helpers::shippedDataDirectory().copyDirectoryTo (testing_helpers::besideProgram ("data"));
    }

    testing_helpers::ScopedProgramFolder programFolder;
    std::vector<ConfigFile::Settings> saves;
};
} // namespace

TEST_F (MainComponentSettingsStoreTest, theScreenStartsFromTheStoresSettingsAndLeavesTheFileAlone)
{
    ConfigFile::Settings settings;
    settings.language = 0;
    settings.languageSet = 0;
    settings.sets = "fr-sons-et-studio.mwh";
    settings.lastItem = 2;
    settings.timerSeconds = 60;

    {
        MainComponent screen (std::make_unique<RecordingStore> (settings, saves));
        EXPECT_EQ (screen.getCurrentLanguage(), 0);
        EXPECT_EQ (screen.getCurrentLanguageSet(), 0);
        EXPECT_EQ (screen.getCurrentSets(), "fr-sons-et-studio.mwh");
        EXPECT_EQ (screen.getTimerSeconds(), 60);
        EXPECT_EQ (screen.getCurrentItem(), 2);
        EXPECT_TRUE (screen.getSettings() == settings);
        EXPECT_TRUE (saves.empty());
    }

    // The screen hands its settings back as it closes, to the store only.
    ASSERT_EQ (saves.size(), 1u);
    EXPECT_TRUE (saves.back() == settings);
    EXPECT_FALSE (testing_helpers::besideProgram (ConfigFile::fileName).exists());
}

TEST_F (MainComponentSettingsStoreTest, anEmptyStoreGetsTheDefaultsAtOnce)
{
    MainComponent screen (std::make_unique<RecordingStore> (std::nullopt, saves));
    ASSERT_EQ (saves.size(), 1u);
    EXPECT_EQ (saves[0].language, ConfigFile::Settings().language);
    EXPECT_EQ (saves[0].sets, "");
    EXPECT_EQ (saves[0].timerSeconds, 0);
    EXPECT_FALSE (testing_helpers::besideProgram (ConfigFile::fileName).exists());
}

TEST_F (MainComponentSettingsStoreTest, reloadingTakesTheStoresNewSettings)
{
    auto store = std::make_unique<RecordingStore> (ConfigFile::Settings(), saves);
    auto* storeSeen = store.get();
    MainComponent screen (std::move (store));
    EXPECT_EQ (screen.getCurrentSets(), "");

    ConfigFile::Settings changed;
    changed.sets = "en-studio-desk.mwh";
    changed.lastItem = 1;
    changed.timerSeconds = 5;
    storeSeen->stored = changed;
    screen.reloadSettings();

    EXPECT_EQ (screen.getCurrentSets(), "en-studio-desk.mwh");
    EXPECT_EQ (screen.getCurrentItem(), 1);
    EXPECT_EQ (screen.getTimerSeconds(), 5);
    EXPECT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer));
}

// Inside a host's window other plugins share the process: the screen draws itself, its panels and its
// warnings with its own look-and-feel and leaves the process's default as it found it.
TEST_F (MainComponentSettingsStoreTest, aScreenInAHostsWindowLeavesTheDefaultLookAndFeelAlone)
{
    auto& defaultBefore = juce::LookAndFeel::getDefaultLookAndFeel();

    {
        MainComponent screen (std::make_unique<RecordingStore> (std::nullopt, saves),
                              MainComponent::Window::host);
        EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &defaultBefore);
        EXPECT_NE (dynamic_cast<CustomLookAndFeel*> (&screen.getLookAndFeel()), nullptr);
        EXPECT_EQ (&screen.getOptionsComponent().getLookAndFeel(), &screen.getLookAndFeel());

        // A screen in the program's window takes the default while it lives, for its modal boxes.
        {
            MainComponent programScreen (std::make_unique<RecordingStore> (std::nullopt, saves));
            EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &programScreen.getLookAndFeel());
        }

        EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &defaultBefore);
    }

    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &defaultBefore);
}
