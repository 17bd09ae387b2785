#include "PluginTestHelpers.h"

#include <optional>
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
    juce::Optional<PositionInfo> getPosition() const override
    {
        return sendsPosition ? juce::Optional<PositionInfo> (info) : juce::nullopt;
    }

    PositionInfo info;
    bool sendsPosition = true;
};

// What the toolkit's LV2 wrapper makes of the time:Position an LV2 host such as Ardour sends when the
// transport starts or jumps: the bar, the frame, the speed, the tempo and the metre, but no time:beat, so no
// position in quarter notes. In the blocks after it, no position at all.
juce::AudioPlayHead::PositionInfo lv2Position (juce::int64 bar, juce::int64 frame, bool playing,
                                               int numerator = 4)
{
    juce::AudioPlayHead::PositionInfo info;
    info.setIsPlaying (playing);
    info.setBarCount (bar);
    info.setTimeInSamples (frame);
    info.setBpm (bpm);
    info.setTimeSignature (juce::AudioPlayHead::TimeSignature{ numerator, 4 });
    return info;
}

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

// An LV2 host sends the position only when the transport starts, stops or jumps: the blocks between count
// on from it.
TEST_F (PluginTempoTest, aPositionSentOnlyAtTheStartIsCountedOnBlockByBlock)
{
    followBars (4);
    juce::MidiBuffer midi;
    juce::AudioBuffer<float> buffer (2, blockSize);

    const auto play = [&] (int numBlocks, std::optional<juce::AudioPlayHead::PositionInfo> first)
    {
        std::vector<int> drawn;
        for (int block = 0; block < numBlocks; ++block)
        {
            playHead.sendsPosition = block == 0 && first.has_value();
            if (playHead.sendsPosition)
                playHead.info = *first;

            const auto before = processor.getBarDrawCount();
            processor.processBlock (buffer, midi);
            if (processor.getBarDrawCount() != before)
                drawn.push_back (block);
        }
        return drawn;
    };

    // From the song's start: 16 quarter notes at 120 bpm are 8 s, 750 blocks.
    EXPECT_EQ (play (2300, lv2Position (0, 0, true)), (std::vector<int>{ 0, 750, 1500, 2250 }));

    // Stopped: nothing, however long; then started again from a jump into bar 7 (at 0-based bar 6, a
    // quarter note in): the next group starts at bar 9, 7 quarter notes later, 3.5 s.
    EXPECT_TRUE (play (2000, lv2Position (0, 0, false)).empty());
    const auto barSixAndABeat = static_cast<juce::int64> ((6 * 4 + 1) * 0.5 * sampleRate);
    EXPECT_EQ (play (1000, lv2Position (6, barSixAndABeat, true)), (std::vector<int>{ 328 }));

    // In 3/4, where the host's bar number tells the bar that the frame alone, at today's tempo, would not
    // (the tempo changed earlier in the song): bar 11 (0-based 10), a quarter note and a half in by the
    // frame's place in its bar; the group of bars 13 to 16 starts 4.5 quarter notes, 2.25 s, later.
    const auto frameOfAnEarlierTempo = static_cast<juce::int64> (100.5 * 0.5 * sampleRate);
    EXPECT_EQ (play (400, lv2Position (10, frameOfAnEarlierTempo, true, 3)), (std::vector<int>{ 210 }));

    // No position ever: nothing to count from.
    processor.prepareToPlay (sampleRate, blockSize);
    EXPECT_TRUE (play (2000, std::nullopt).empty());
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
