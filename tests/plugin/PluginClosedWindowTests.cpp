// The instance with its window closed, as plugins sit in a session: it draws for notes, bars and its timer,
// keeps the advice in its state, names its program after it, and keeps its window's size.

#include "PluginTestHelpers.h"

#include <set>

using plugin_testing::PluginTest;

namespace
{
juce::MidiBuffer oneNoteOn()
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.8f), 0);
    return midi;
}

// A transport at 120 beats a minute in 4/4 from the song's start, moved on block by block.
struct RollingPlayHead final : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override { return info; }

    void moveTo (juce::int64 sample, double sampleRate)
    {
        info.setIsPlaying (true);
        info.setBpm (120.0);
        info.setTimeSignature (TimeSignature{ 4, 4 });
        info.setTimeInSamples (sample);
        info.setPpqPosition (static_cast<double> (sample) / sampleRate * 2.0);
    }

    PositionInfo info;
};

// Counts the host's notices of a changed program, as a host's strip would read the name again.
struct ProgramNotices final : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        if (details.programChanged)
            ++count;
    }

    int count = 0;
};

std::unique_ptr<juce::XmlElement> stateXml (const juce::MemoryBlock& state)
{
    return juce::AudioProcessor::getXmlFromBinary (state.getData(), static_cast<int> (state.getSize()));
}
} // namespace

TEST_F (PluginTest, notesWithTheWindowClosedDrawInTheInstanceAndItsStateKeepsTheAdvice)
{
    PluginProcessor processor;
    EXPECT_EQ (processor.getInstanceSettings().lastItem, -1);

    // Its first look reads the sets and takes an advice, as a screen would when it opens.
    processor.handOverDraws();
    const auto first = processor.getInstanceSettings().lastItem;
    ASSERT_GE (first, 0);
    const auto firstState = stateOf (processor);
    processor.handOverDraws();
    EXPECT_EQ (processor.getInstanceSettings().lastItem, first) << "drawn with nothing asked";

    auto midi = oneNoteOn();
    runBlock (processor, midi);
    processor.handOverDraws();
    const auto drawn = processor.getInstanceSettings().lastItem;
    EXPECT_NE (drawn, first) << "the shuffle repeats an advice within its round";
    EXPECT_EQ (processor.getAdviceDrawCount(), 2);

    const auto state = stateOf (processor);
    EXPECT_NE (state, firstState);
    PluginProcessor restored;
    restore (restored, state);
    EXPECT_EQ (restored.getInstanceSettings().lastItem, drawn);

    // The window opened later shows what the instance drew, and draws no more for the note.
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();
    EXPECT_EQ (screen.getCurrentItem(), drawn);
    editor->lookAtProcessor();
    EXPECT_EQ (screen.getCurrentItem(), drawn);
    EXPECT_EQ (processor.getAdviceDrawCount(), 2);
}

TEST_F (PluginTest, aNoteWithTheWindowOpenShowsTheInstancesDrawInIt)
{
    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();

    for (int note = 0; note < 5; ++note)
    {
        const auto before = screen.getCurrentItem();
        auto midi = oneNoteOn();
        runBlock (processor, midi);
        editor->lookAtProcessor();
        EXPECT_NE (screen.getCurrentItem(), before);
        EXPECT_EQ (screen.getCurrentItem(), processor.getInstanceSettings().lastItem);
    }
}

TEST_F (PluginTest, groupsOfBarsPlayedWithTheWindowClosedDrawInTheInstance)
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;
    RollingPlayHead playHead;
    PluginProcessor processor;
    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor.setPlayHead (&playHead);

    auto settings = processor.getInstanceSettings();
    settings.timerBars = 4;
    processor.setInstanceSettings (settings);
    processor.handOverDraws();
    const auto before = processor.getInstanceSettings().lastItem;
    const auto drawsBefore = processor.getAdviceDrawCount();

    // 17 seconds at 120 beats a minute: the groups of 4 bars start at 0, 8 and 16 s. The instance looks
    // about every 30 ms, as its timer does.
    juce::MidiBuffer noMidi;
    std::set<int> shown{ before };

    for (juce::int64 block = 0; block * blockSize < static_cast<juce::int64> (17 * sampleRate); ++block)
    {
        playHead.moveTo (block * blockSize, sampleRate);
        runBlock (processor, noMidi, blockSize);

        if (block % 3 == 0)
        {
            processor.handOverDraws();
            shown.insert (processor.getInstanceSettings().lastItem);
        }
    }

    processor.handOverDraws();
    processor.setPlayHead (nullptr);
    EXPECT_EQ (processor.getBarDrawCount(), 3);
    EXPECT_EQ (processor.getAdviceDrawCount(), drawsBefore + 3);
    EXPECT_EQ (shown.size(), 4u) << "an advice came back within the round";

    PluginProcessor restored;
    restore (restored, stateOf (processor));
    EXPECT_NE (restored.getInstanceSettings().lastItem, before);
    EXPECT_EQ (restored.getInstanceSettings().lastItem, processor.getInstanceSettings().lastItem);
}

TEST_F (PluginTest, theTimerInSecondsDrawsWithTheWindowClosedAndTheOpenWindowRunsItItself)
{
    PluginProcessor processor;
    auto settings = processor.getInstanceSettings();
    settings.timerSeconds = 1;
    processor.setInstanceSettings (settings);

    // The instance's own timer on the message thread, with no window: the first look reads the sets and
    // takes an advice, the period's end draws another.
    const auto drawsBefore = processor.getAdviceDrawCount();

    for (int wait = 0; wait < 100 && processor.getAdviceDrawCount() < drawsBefore + 2; ++wait)
        testing_helpers::deliverMessages (50);

    ASSERT_GE (processor.getAdviceDrawCount(), drawsBefore + 2) << "no draw by the timer within 5 s";

    // With the window open, its screen draws on the timer and the instance keeps what it shows.
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();
    const auto drawsWithTheWindow = processor.getAdviceDrawCount();
    const auto shownAtOpening = screen.getCurrentItem();

    for (int wait = 0; wait < 100 && screen.getCurrentItem() == shownAtOpening; ++wait)
        testing_helpers::deliverMessages (50);

    EXPECT_NE (screen.getCurrentItem(), shownAtOpening) << "the screen's timer did not draw within 5 s";
    EXPECT_EQ (processor.getAdviceDrawCount(), drawsWithTheWindow) << "the instance drew beside its screen";
    EXPECT_EQ (processor.getInstanceSettings().lastItem, screen.getCurrentItem());
}

// The screen and the instance draw from one shuffle: a whole round of draws, taken in turns, shows every
// advice of the list once.
TEST_F (PluginTest, theScreenAndTheInstanceDrawOneRoundWithoutRepeats)
{
    PluginProcessor processor;
    auto settings = processor.getInstanceSettings();
    settings.language = 0;
    settings.languageSet = 1;
    settings.sets = "en-studio-desk.mwh";
    settings.lastItem = 0;
    processor.setInstanceSettings (settings);

    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();
    const auto numAdvice = screen.getLibSetsConseils().getNumConseilsFiltered();
    ASSERT_GT (numAdvice, 4);

    std::set<int> drawn;

    for (int draw = 0; draw < numAdvice; ++draw)
    {
        if (draw % 2 == 0)
        {
            auto midi = oneNoteOn();
            runBlock (processor, midi);
            editor->lookAtProcessor();
        }
        else
        {
            screen.takeNewAdvice (true, -1);
        }

        drawn.insert (screen.getCurrentItem());
    }

    EXPECT_EQ (static_cast<int> (drawn.size()), numAdvice);
}

TEST_F (PluginTest, theProgramIsNamedAfterTheAdviceAndTheHostIsToldWhenItChanges)
{
    PluginProcessor processor;
    ProgramNotices notices;
    processor.addListener (&notices);
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getProgramName (0), "Default") << "named before the sets were read";

    processor.handOverDraws();
    const auto firstName = processor.getProgramName (0);
    EXPECT_EQ (notices.count, 1);

    // The name is what the window shows: the set's name and the advice.
    {
        const auto editor = makeEditor (processor);
        auto& screen = editor->getMainComponent();
        auto& library = screen.getLibSetsConseils();
        const auto item = screen.getCurrentItem();
        EXPECT_EQ (firstName,
                   library.getNameFiltered (item) + ": " + library.getDescriptionItemFiltered (item));

        // A draw on the screen renames the program too.
        screen.takeNewAdvice (true, -1);
        editor->lookAtProcessor();
        EXPECT_EQ (processor.getProgramName (0),
                   library.getNameFiltered (screen.getCurrentItem()) + ": " +
                       library.getDescriptionItemFiltered (screen.getCurrentItem()));
        EXPECT_EQ (notices.count, 2);
    }

    const auto nameWithTheWindow = processor.getProgramName (0);
    auto midi = oneNoteOn();
    runBlock (processor, midi);
    processor.handOverDraws();
    EXPECT_NE (processor.getProgramName (0), nameWithTheWindow);
    EXPECT_EQ (notices.count, 3);

    // Told once per change, not at every look.
    processor.handOverDraws();
    EXPECT_EQ (notices.count, 3);
    processor.removeListener (&notices);
}

TEST_F (PluginTest, theWindowOpensAtTheCardsSizeUnlessTheStateKeepsAnother)
{
    PluginProcessor processor;
    {
        const auto editor = makeEditor (processor);
        EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (500, 350));
        EXPECT_TRUE (editor->isResizable());
    }

    // A state that never had a size keeps none, as older states do.
    EXPECT_FALSE (stateXml (stateOf (processor))->hasAttribute ("editorWidth"));

    {
        const auto editor = makeEditor (processor);
        editor->setBoundsConstrained ({ 0, 0, 750, 525 });
        EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (750, 525));

        // The card keeps its own layout, scaled as a picture.
        auto& screen = editor->getMainComponent();
        EXPECT_EQ (screen.getBounds(), juce::Rectangle<int> (500, 350));
        EXPECT_EQ (screen.getBoundsInParent(), juce::Rectangle<int> (750, 525));
    }

    const auto state = stateOf (processor);
    const auto xml = stateXml (state);
    EXPECT_EQ (xml->getIntAttribute ("editorWidth"), 750);
    EXPECT_EQ (xml->getIntAttribute ("editorHeight"), 525);

    PluginProcessor restored;
    restore (restored, state);
    const auto editor = makeEditor (restored);
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (750, 525));

    // A user's drag is held within the limits, in the card's proportions.
    editor->setBoundsConstrained ({ 0, 0, 2000, 900 });
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (1000, 700));
    editor->setBoundsConstrained ({ 0, 0, 100, 100 });
    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (500, 350));
    EXPECT_EQ (restored.getEditorSize(), juce::Rectangle<int> (500, 350));

    // An older state, with no size, opens the next window at the card's size again.
    juce::XmlElement older ("MusewheelerState");
    older.setAttribute ("version", 1);
    juce::MemoryBlock olderState;
    juce::AudioProcessor::copyXmlToBinary (older, olderState);
    restore (restored, olderState);
    EXPECT_FALSE (restored.getEditorSize().has_value());
}

// A host that forces a size of other proportions still shows the whole card.
TEST_F (PluginTest, aWindowOfOtherProportionsShowsTheWholeCard)
{
    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    editor->setSize (1000, 525);
    EXPECT_EQ (editor->getMainComponent().getBoundsInParent(), juce::Rectangle<int> (750, 525));
}
