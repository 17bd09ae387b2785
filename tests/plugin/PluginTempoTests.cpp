#include "PluginTestHelpers.h"

#include <vector>

using plugin_testing::PluginTest;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr double bpm = 120.0;

// A host's transport that the test moves on block by block.
struct FakePlayHead final : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override { return info; }

    PositionInfo info;
};

struct Transport
{
    int numerator = 4;
    int denominator = 4;
    bool playing = true;
    bool withTempo = true;
};

// Plays that many blocks from the song's start and gives the blocks in which a draw was asked for.
std::vector<int> blocksWithADraw (PluginProcessor& processor, FakePlayHead& playHead,
                                  const Transport& transport, int numBlocks, int firstBlock = 0)
{
    std::vector<int> drawn;
    juce::MidiBuffer midi;
    juce::AudioBuffer<float> buffer (2, blockSize);

    for (int block = firstBlock; block < firstBlock + numBlocks; ++block)
    {
        const auto seconds = block * blockSize / sampleRate;
        playHead.info = {};
        playHead.info.setIsPlaying (transport.playing);
        playHead.info.setPpqPosition (seconds * bpm / 60.0);
        playHead.info.setTimeInSamples (static_cast<juce::int64> (block) * blockSize);
        playHead.info.setTimeSignature (
            juce::AudioPlayHead::TimeSignature{ transport.numerator, transport.denominator });

        if (transport.withTempo)
            playHead.info.setBpm (bpm);

        const auto before = processor.getBarDrawCount();
        buffer.clear();
        processor.processBlock (buffer, midi);

        if (processor.getBarDrawCount() != before)
            drawn.push_back (block);
    }

    return drawn;
}

// The blocks holding each group start, worked out in samples: a group of bars lasts that many beats.
std::vector<int> expectedBlocks (double beatsPerGroup, int numBlocks, bool roundUp)
{
    std::vector<int> blocks;
    const auto samplesPerGroup = beatsPerGroup * 60.0 / bpm * sampleRate;

    for (int group = 0;; ++group)
    {
        const auto exact = group * samplesPerGroup / blockSize;
        const auto block = static_cast<int> (roundUp ? std::ceil (exact) : std::floor (exact));

        if (block >= numBlocks)
            return blocks;

        blocks.push_back (block);
    }
}

class PluginTempoTest : public PluginTest
{
protected:
    PluginTempoTest()
    {
        processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
        processor.setPlayHead (&playHead);
    }

    ~PluginTempoTest() override { processor.setPlayHead (nullptr); }

    void followBars (int bars)
    {
        auto settings = processor.getInstanceSettings();
        settings.timerBars = bars;
        processor.setInstanceSettings (settings);
    }

    FakePlayHead playHead;
    PluginProcessor processor;
};
} // namespace

TEST_F (PluginTempoTest, drawsExactlyAtEachFourBarStartInFourFour)
{
    followBars (4);
    const auto drawn = blocksWithADraw (processor, playHead, {}, 4000);
    EXPECT_EQ (drawn, expectedBlocks (16.0, 4000, false));
    EXPECT_EQ (drawn, (std::vector<int>{ 0, 750, 1500, 2250, 3000, 3750 }));
}

TEST_F (PluginTempoTest, drawsExactlyAtEachFourBarStartInThreeFour)
{
    followBars (4);
    Transport threeFour;
    threeFour.numerator = 3;
    const auto drawn = blocksWithADraw (processor, playHead, threeFour, 4000);
    EXPECT_EQ (drawn, expectedBlocks (12.0, 4000, false));
    EXPECT_EQ (drawn.size(), 8u);
}

TEST_F (PluginTempoTest, followsEightAndSixteenBarsAndTheDenominator)
{
    followBars (8);
    EXPECT_EQ (blocksWithADraw (processor, playHead, {}, 4000), expectedBlocks (32.0, 4000, false));

    // 6/8: a bar of three quarter notes.
    followBars (16);
    Transport sixEight;
    sixEight.numerator = 6;
    sixEight.denominator = 8;
    EXPECT_EQ (blocksWithADraw (processor, playHead, sixEight, 8000), expectedBlocks (48.0, 8000, false));
}

TEST_F (PluginTempoTest, withoutTheTempoTheDrawComesInTheFirstBlockAfterTheStart)
{
    followBars (4);
    Transport noTempo;
    noTempo.numerator = 3;
    noTempo.withTempo = false;
    EXPECT_EQ (blocksWithADraw (processor, playHead, noTempo, 4000), expectedBlocks (12.0, 4000, true));
}

TEST_F (PluginTempoTest, nothingIsDrawnWhenStoppedOffOrWithoutAPlayHead)
{
    Transport stopped;
    stopped.playing = false;
    followBars (4);
    EXPECT_TRUE (blocksWithADraw (processor, playHead, stopped, 2000).empty());

    followBars (0);
    EXPECT_TRUE (blocksWithADraw (processor, playHead, {}, 2000).empty());

    followBars (4);
    processor.setPlayHead (nullptr);
    juce::MidiBuffer midi;
    runBlock (processor, midi);
    EXPECT_EQ (processor.getBarDrawCount(), 0);
}

TEST_F (PluginTempoTest, aLoopBackToAGroupStartDrawsAgain)
{
    followBars (4);
    EXPECT_EQ (blocksWithADraw (processor, playHead, {}, 800), (std::vector<int>{ 0, 750 }));
    EXPECT_EQ (blocksWithADraw (processor, playHead, {}, 800), (std::vector<int>{ 0, 750 }));

    // Starting to play in the middle of a group waits for the next start.
    EXPECT_EQ (blocksWithADraw (processor, playHead, {}, 800, 100), (std::vector<int>{ 750 }));
}

TEST_F (PluginTempoTest, theBarsAreCountedFromTheHostsBarNumbers)
{
    // A host that changed from 4/4 to 3/4 at bar 2: bar 2 starts at quarter note 8, so in 3/4 the
    // four-bar groups start at bars 4, 8... that is at quarter notes 14, 26...
    followBars (4);
    juce::MidiBuffer midi;
    juce::AudioBuffer<float> buffer (2, blockSize);
    std::vector<double> drawnAt;
    const auto quartersPerBlock = blockSize / sampleRate * bpm / 60.0;

    for (int block = 375; block < 1500; ++block)
    {
        const auto ppq = block * quartersPerBlock;
        const auto barsSinceChange = static_cast<int> (std::floor ((ppq - 8.0) / 3.0 + 1.0e-9));
        playHead.info = {};
        playHead.info.setIsPlaying (true);
        playHead.info.setBpm (bpm);
        playHead.info.setPpqPosition (ppq);
        playHead.info.setTimeSignature (juce::AudioPlayHead::TimeSignature{ 3, 4 });
        playHead.info.setBarCount (2 + barsSinceChange);
        playHead.info.setPpqPositionOfLastBarStart (8.0 + 3.0 * barsSinceChange);

        const auto before = processor.getBarDrawCount();
        processor.processBlock (buffer, midi);

        if (processor.getBarDrawCount() != before)
            drawnAt.push_back (ppq);
    }

    ASSERT_EQ (drawnAt.size(), 2u);
    EXPECT_NEAR (drawnAt[0], 14.0, quartersPerBlock);
    EXPECT_LE (drawnAt[0], 14.0);
    EXPECT_NEAR (drawnAt[1], 26.0, quartersPerBlock);
    EXPECT_LE (drawnAt[1], 26.0);
}

TEST_F (PluginTempoTest, theEditorOffersTheBarsAndDrawsAtAGroupStart)
{
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();
    ASSERT_TRUE (screen.isBarTimerOffered());

    juce::StringArray texts;
    const auto menu = screen.createMainMenu();

    for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
        texts.add (it.getItem().text);

    EXPECT_TRUE (texts.contains ("Every 4 bars"));
    EXPECT_TRUE (texts.contains ("Every 8 bars"));
    EXPECT_TRUE (texts.contains ("Every 16 bars"));
    EXPECT_TRUE (texts.contains ("10 minutes"));

    screen.handleMenuResult (MainMenu::menuTimerFirstPeriod);
    ASSERT_TRUE (screen.isTimerRunning (MainComponent::adviceTimer));

    screen.handleMenuResult (MainMenu::menuTimerFirstBars);
    EXPECT_EQ (screen.getTimerBars(), 4);
    EXPECT_EQ (screen.getTimerSeconds(), 0);
    EXPECT_FALSE (screen.isTimerRunning (MainComponent::adviceTimer));

    const auto menuWithBars = screen.createMainMenu();

    for (juce::PopupMenu::MenuItemIterator it (menuWithBars, true); it.next();)
        EXPECT_EQ (it.getItem().isTicked, it.getItem().text == "Every 4 bars") << it.getItem().text;

    editor->lookAtProcessor();
    EXPECT_EQ (processor.getInstanceSettings().timerBars, 4);

    // Looking once per group, the screen draws at each group start: the shuffle never shows an advice
    // twice running within a round, so at most one look of ten may find the advice unchanged.
    int changes = 0;

    for (int group = 1; group <= 10; ++group)
    {
        const auto itemBefore = screen.getCurrentItem();
        ASSERT_EQ (blocksWithADraw (processor, playHead, {}, 750, group * 750 - 375).size(), 1u);
        editor->lookAtProcessor();
        changes += screen.getCurrentItem() != itemBefore ? 1 : 0;
    }

    EXPECT_GE (changes, 9);
    editor->lookAtProcessor();
    const auto itemAfter = screen.getCurrentItem();
    blocksWithADraw (processor, playHead, {}, 300, 11 * 750 - 375);
    editor->lookAtProcessor();
    EXPECT_EQ (screen.getCurrentItem(), itemAfter);

    // The seconds again switch the bars off, in the instance too.
    screen.handleMenuResult (MainMenu::menuTimerDisabled);
    editor->lookAtProcessor();
    EXPECT_EQ (processor.getInstanceSettings().timerBars, 0);
    EXPECT_EQ (processor.getStateRestoreCount(), 0);
}

TEST_F (PluginTempoTest, theBarsAreSavedWithTheStateAndOddCountsAreRefused)
{
    followBars (16);
    PluginProcessor restored;
    restore (restored, stateOf (processor));
    EXPECT_EQ (restored.getInstanceSettings().timerBars, 16);

    auto settings = processor.getInstanceSettings();
    settings.timerBars = 5;
    settings.timerSeconds = 10;
    EXPECT_EQ (ConfigFile::withUsableValues (settings).timerBars, 0);
    EXPECT_EQ (ConfigFile::withUsableValues (settings).timerSeconds, 10);

    settings.timerBars = 8;
    EXPECT_EQ (ConfigFile::withUsableValues (settings).timerSeconds, 0);
}
