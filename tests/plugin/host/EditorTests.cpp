// The editors on the desktop: opened and closed in any order, and the card they show.

#include "PluginHostTest.h"

namespace plugin_host
{
TEST_P (PluginHostTest, opensAndClosesTwoEditorsInBothOrders)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    for (const auto firstClosesFirst : { true, false })
    {
        auto editorA = openEditor (*first, 20, 20);
        auto editorB = openEditor (*second, 500, 380);
        ASSERT_NE (editorA.editor, nullptr);
        ASSERT_NE (editorB.editor, nullptr);
        runMessages (500);

        for (auto* opened : { &editorA, &editorB })
        {
            EXPECT_TRUE (opened->window->isOnDesktop());
            EXPECT_EQ (opened->editor->getWidth(), 500);
            EXPECT_EQ (opened->editor->getHeight(), 350);
        }
        EXPECT_EQ (first->getActiveEditor(), editorA.editor.get());
        EXPECT_EQ (second->getActiveEditor(), editorB.editor.get());

        if (firstClosesFirst)
        {
            editorA.close();
            runMessages (200);
            editorB.close();
        }
        else
        {
            editorB.close();
            runMessages (200);
            editorA.close();
        }
        runMessages (200);

        EXPECT_EQ (first->getActiveEditor(), nullptr);
        EXPECT_EQ (second->getActiveEditor(), nullptr);
    }
}

// A host reopens an editor many times in a session, and each time the card shows at its own size, at once
// and for good: the window the host gives it neither grows nor shrinks.
TEST_P (PluginHostTest, theEditorReopenedTenTimesShowsTheCardAtExactlyItsSize)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    reopenTenTimesAt (*instance, { 500, 350 });
}

// The size a user gave the window comes back with the state, exactly, at every opening, the card scaled.
TEST_P (PluginHostTest, theEditorReopenedTenTimesAtASavedSizeShowsItExactly)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);

    juce::MemoryBlock state;
    instance->getStateInformation (state);
    ASSERT_NE (PluginStateInHost::read (state), nullptr);
    EXPECT_FALSE (PluginStateInHost::read (state)->hasAttribute ("editorWidth"))
        << "a window never resized keeps a size in the state";

    const auto withSize = PluginStateInHost::withChange (state,
                                                         [] (juce::XmlElement& xml)
                                                         {
                                                             xml.setAttribute ("editorWidth", 750);
                                                             xml.setAttribute ("editorHeight", 525);
                                                         });
    instance->setStateInformation (withSize.getData(), (int) withSize.getSize());
    reopenTenTimesAt (*instance, { 750, 525 });

    // A size the host gives the window, as a user dragging its frame does, is kept in the state it saves.
    {
        auto opened = openEditor (*instance, 40, 40);
        ASSERT_NE (opened.editor, nullptr);
        ASSERT_TRUE (waitForTheCard (opened).isValid());
        opened.editor->setSize (620, 434);
        runMessages (1000);
        EXPECT_EQ (opened.editor->getBounds().getWidth(), 620);
        EXPECT_EQ (opened.editor->getBounds().getHeight(), 434);
        opened.close();
    }

    juce::MemoryBlock resized;
    instance->getStateInformation (resized);
    const auto kept = PluginStateInHost::read (resized);
    ASSERT_NE (kept, nullptr);
    EXPECT_EQ (kept->getIntAttribute ("editorWidth"), 620);
    EXPECT_EQ (kept->getIntAttribute ("editorHeight"), 434);
}

TEST_P (PluginHostTest, editorShowsTheCardAndANoteDrawsANewAdvice)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    instance->prepareToPlay (sampleRate, blockSize);

    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto editorArea = PluginHostTest::editorArea (opened);
    const auto adviceArea = PluginHostTest::adviceArea (opened);

    const auto before = waitForTheCard (opened);
    ASSERT_TRUE (before.isValid()) << "no screenshot of the host window";
    ASSERT_TRUE (before.getBounds().contains (editorArea)) << "the screenshot is smaller than the editor";

    const auto yellowPixels = countYellow (before, editorArea);
    EXPECT_GT (yellowPixels, 50) << "the card shows no set name in yellow";

    const auto setColours = shippedSetColours();
    ASSERT_FALSE (setColours.isEmpty());
    const auto framePixels = countPixels (before, editorArea,
                                          [&setColours] (juce::Colour c)
                                          { return setColours.contains (c.withAlpha ((juce::uint8) 255)); });
    EXPECT_GT (framePixels, 5000) << "the card has no frame in a set's colour";

    runMessages (1000);
    const auto still = takeScreenshot (*opened.window);
    ASSERT_TRUE (still.isValid());
    EXPECT_EQ (countDifferingPixels (before, still, editorArea), 0) << "the card changed with no note played";

    playNoteOn (*instance);
    runMessages (500);

    const auto after = takeScreenshot (*opened.window);
    ASSERT_TRUE (after.isValid());
    const auto changedAdvicePixels = countDifferingPixels (before, after, adviceArea);
    EXPECT_GT (changedAdvicePixels, 200) << "no new advice after a note-on";

    std::cout << GetParam() << " editor: " << yellowPixels << " yellow pixels, " << framePixels
              << " in a set's colour, " << changedAdvicePixels << " advice pixels changed after a note-on\n";

    opened.close();
    instance->releaseResources();
}
} // namespace plugin_host

namespace plugin_host
{
// A host switching "Draw" on (automation, or a MIDI control learnt on it), and the draw controller, each
// draw a new advice.
TEST_P (PluginHostTest, theDrawParameterAndTheDrawControllerDrawANewAdvice)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    instance->prepareToPlay (sampleRate, blockSize);

    juce::AudioProcessorParameter* draw = nullptr;
    for (auto* parameter : instance->getParameters())
        if (parameter->getName (20) == "Draw")
            draw = parameter;
    ASSERT_NE (draw, nullptr);
    EXPECT_EQ (draw->getNumSteps(), 2);

    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";

    juce::AudioBuffer<float> buffer (2, blockSize);
    buffer.clear();
    juce::MidiBuffer noMidi;
    draw->setValueNotifyingHost (1.0f);
    instance->processBlock (buffer, noMidi);
    EXPECT_TRUE (waitForANewAdvice (opened, card)) << "no new advice after Draw was switched on";

    const auto afterDraw = waitForAStillCard (opened);
    ASSERT_TRUE (afterDraw.isValid());
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 80, 127), 3);
    instance->processBlock (buffer, midi);
    EXPECT_TRUE (waitForANewAdvice (opened, afterDraw)) << "no new advice after the draw controller";

    opened.close();
    instance->releaseResources();
}
} // namespace plugin_host
