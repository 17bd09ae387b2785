#include "PluginTestHelpers.h"

using plugin_testing::PluginTest;

namespace
{
// Settings that differ from the defaults in every field, as a user leaves them after choosing options.
ConfigFile::Settings chosenSettings()
{
    ConfigFile::Settings settings;
    settings.language = 0;
    settings.languageSet = 1;
    settings.sets = "en-studio-desk.mwh";
    settings.lastItem = 3;
    settings.lookForFavorites = false;
    settings.timerSeconds = 30;
    return settings;
}
} // namespace

TEST_F (PluginTest, aNewInstanceStartsFromTheDefaults)
{
    PluginProcessor processor;
    EXPECT_TRUE (processor.getInstanceSettings() == ConfigFile::Settings());
}

TEST_F (PluginTest, theStateBringsTheFiltersAndTheLastAdviceBack)
{
    PluginProcessor saved;
    saved.setInstanceSettings (chosenSettings());
    const auto state = stateOf (saved);

    PluginProcessor restored;
    restore (restored, state);
    EXPECT_TRUE (restored.getInstanceSettings() == chosenSettings());

    // The editor opened on the restored instance shows the same filters and the same advice.
    const auto editor = makeEditor (restored);
    auto& screen = editor->getMainComponent();
    EXPECT_EQ (screen.getCurrentLanguage(), 0);
    EXPECT_EQ (screen.getCurrentLanguageSet(), 1);
    EXPECT_EQ (screen.getCurrentSets(), "en-studio-desk.mwh");
    EXPECT_EQ (screen.getTimerSeconds(), 30);
    EXPECT_EQ (screen.getCurrentItem(), 3);
}

TEST_F (PluginTest, theAdviceDrawnInTheEditorIsKeptInTheState)
{
    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();

    // Draw until the advice differs from the one the instance kept when the editor opened. The host may
    // save the state at any moment, even before the editor looks at the processor again.
    const auto keptAtOpening = processor.getInstanceSettings().lastItem;

    for (int attempt = 0; attempt < 50 && screen.getCurrentItem() == keptAtOpening; ++attempt)
        screen.takeNewAdvice (false, -1);

    ASSERT_NE (screen.getCurrentItem(), keptAtOpening);

    PluginProcessor restored;
    restore (restored, stateOf (processor));
    EXPECT_EQ (restored.getInstanceSettings().lastItem, screen.getCurrentItem());
}

TEST_F (PluginTest, aStateRestoredWhileTheEditorIsOpenReachesTheScreen)
{
    PluginProcessor source;
    source.setInstanceSettings (chosenSettings());

    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    ASSERT_EQ (editor->getMainComponent().getCurrentSets(), "");

    restore (processor, stateOf (source));
    editor->lookAtProcessor();
    EXPECT_EQ (editor->getMainComponent().getCurrentSets(), "en-studio-desk.mwh");
    EXPECT_EQ (editor->getMainComponent().getCurrentItem(), 3);
    EXPECT_TRUE (processor.getInstanceSettings() == chosenSettings());
}

TEST_F (PluginTest, aStateRestoredWhileTheEditorIsOpenOutlivesADrawBeforeTheEditorLooks)
{
    PluginProcessor source;
    source.setInstanceSettings (chosenSettings());

    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    restore (processor, stateOf (source));

    editor->getMainComponent().takeNewAdvice (false, -1);
    EXPECT_TRUE (processor.getInstanceSettings() == chosenSettings());

    editor->lookAtProcessor();
    EXPECT_EQ (editor->getMainComponent().getCurrentSets(), "en-studio-desk.mwh");
    EXPECT_EQ (editor->getMainComponent().getCurrentItem(), 3);
}

TEST_F (PluginTest, twoInstancesKeepTheirOwnSettings)
{
    PluginProcessor first;
    PluginProcessor second;
    const auto firstEditor = makeEditor (first);
    const auto secondEditor = makeEditor (second);

    restore (first,
             []
             {
                 PluginProcessor source;
                 source.setInstanceSettings (chosenSettings());
                 return stateOf (source);
             }());
    firstEditor->lookAtProcessor();
    secondEditor->lookAtProcessor();

    EXPECT_EQ (firstEditor->getMainComponent().getCurrentSets(), "en-studio-desk.mwh");
    EXPECT_EQ (secondEditor->getMainComponent().getCurrentSets(), "");
    EXPECT_TRUE (second.getInstanceSettings() == secondEditor->getMainComponent().getSettings());
    EXPECT_EQ (second.getInstanceSettings().timerSeconds, 0);
    EXPECT_EQ (second.getInstanceSettings().language, 1);
}

TEST_F (PluginTest, theEditorWritesNoSettingsFile)
{
    {
        PluginProcessor processor;
        const auto editor = makeEditor (processor);
        editor->getMainComponent().saveDataConfig();
    }

    EXPECT_FALSE (testing_helpers::besideProgram (ConfigFile::fileName).exists());
}

TEST_F (PluginTest, randomBytesAsAStateGiveTheDefaults)
{
    juce::Random random (1234);

    for (int round = 0; round < 2000; ++round)
    {
        juce::MemoryBlock bytes (static_cast<size_t> (random.nextInt (300)));
        random.fillBitsRandomly (bytes.getData(), bytes.getSize());

        // Half of them carry the toolkit's binary XML header, so that the XML reader is reached too.
        if (round % 2 == 0 && bytes.getSize() >= 8)
        {
            bytes[0] = 0x21;
            bytes[1] = 0x32;
            bytes[2] = 0x43;
            bytes[3] = 0x56;
        }

        PluginProcessor processor;
        processor.setInstanceSettings (chosenSettings());
        restore (processor, bytes);
        ASSERT_TRUE (processor.getInstanceSettings() == ConfigFile::Settings()) << "round " << round;
    }
}

TEST_F (PluginTest, aCutOrDamagedStateGivesTheDefaultsOrUsableValues)
{
    PluginProcessor source;
    source.setInstanceSettings (chosenSettings());
    const auto state = stateOf (source);

    // Only the text's closing zero may be missing; a state cut anywhere before gives the defaults, never
    // a value cut short.
    for (size_t length = 0; length + 1 < state.getSize(); ++length)
    {
        PluginProcessor processor;
        processor.setInstanceSettings (chosenSettings());
        restore (processor, juce::MemoryBlock (state.getData(), length));
        ASSERT_TRUE (processor.getInstanceSettings() == ConfigFile::Settings()) << "length " << length;
    }

    PluginProcessor withoutClosingZero;
    restore (withoutClosingZero, juce::MemoryBlock (state.getData(), state.getSize() - 1));
    EXPECT_TRUE (withoutClosingZero.getInstanceSettings() == chosenSettings());

    // A readable state with values the screen cannot work with takes the defaults for those.
    juce::XmlElement damaged ("MusewheelerState");
    damaged.setAttribute ("version", 1);
    damaged.setAttribute ("language", 7);
    damaged.setAttribute ("languageSet", -9);
    damaged.setAttribute ("tag", 12345);
    damaged.setAttribute ("timerSeconds", -5);
    damaged.setAttribute ("sets", "fr-sons-et-studio.mwh");
    juce::MemoryBlock bytes;
    juce::AudioProcessor::copyXmlToBinary (damaged, bytes);

    PluginProcessor processor;
    restore (processor, bytes);
    const auto settings = processor.getInstanceSettings();
    EXPECT_EQ (settings.language, 1);
    EXPECT_EQ (settings.languageSet, -1);
    EXPECT_EQ (settings.tag, -1);
    EXPECT_EQ (settings.timerSeconds, 0);
    EXPECT_EQ (settings.sets, "fr-sons-et-studio.mwh");
}
