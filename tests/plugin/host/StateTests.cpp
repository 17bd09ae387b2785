// The state a host saves with its project, given to another instance.

#include "PluginHostTest.h"

namespace plugin_host
{
TEST_P (PluginHostTest, givesItsStateToAnotherInstance)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    // A note draws an advice in the first instance's editor; once its colour has faded in, the card is kept.
    auto firstEditor = openEditor (*first, 20, 20);
    ASSERT_NE (firstEditor.editor, nullptr);
    const auto beforeNote = waitForTheCard (firstEditor);
    ASSERT_TRUE (beforeNote.isValid());
    juce::MemoryBlock beforeNoteState;
    first->getStateInformation (beforeNoteState);

    first->prepareToPlay (sampleRate, blockSize);
    playNoteOn (*first);
    ASSERT_TRUE (waitForANewAdvice (firstEditor, beforeNote)) << "no new advice after a note-on";
    const auto firstCard = waitForAStillCard (firstEditor);
    ASSERT_TRUE (firstCard.isValid()) << "the card did not settle";
    firstEditor.close();

    juce::MemoryBlock firstState;
    first->getStateInformation (firstState);
    EXPECT_NE (firstState, beforeNoteState) << "the advice drawn is not in the state";

    // As a host does when it opens a project: the state given to another instance, then its editor opened.
    second->setStateInformation (firstState.getData(), (int) firstState.getSize());
    juce::MemoryBlock restoredState;
    second->getStateInformation (restoredState);
    EXPECT_EQ (restoredState, firstState);

    auto secondEditor = openEditor (*second, 20, 20);
    ASSERT_NE (secondEditor.editor, nullptr);
    const auto secondCard = waitForASettledCard (secondEditor);
    ASSERT_TRUE (secondCard.isValid()) << "the card did not show or did not settle";
    EXPECT_GT (countYellow (secondCard, editorArea (secondEditor)), 50);
    EXPECT_EQ (countDifferingPixels (firstCard, secondCard, editorArea (secondEditor)), 0)
        << "the second instance does not show the advice the first one kept";
    secondEditor.close();

    first->releaseResources();
    std::cout << GetParam() << " state: " << firstState.getSize() << " bytes\n";
}

// The host's own control of the note: a step per note, shown by name, and restored with the state.
TEST_P (PluginHostTest, theNoteIsAControlOfOneStepPerNoteThatTheStateRestores)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    const auto noteOf = [] (juce::AudioPluginInstance& instance) -> juce::AudioProcessorParameter*
    {
        for (auto* parameter : instance.getParameters())
            if (parameter->getName (20) == "Note")
                return parameter;
        return nullptr;
    };

    auto* note = noteOf (*first);
    ASSERT_NE (note, nullptr);
    EXPECT_EQ (note->getNumSteps(), 129);
    EXPECT_EQ (note->getCurrentValueAsText(), "Any");

    // A host hands an LV2 plugin the values of its parameters with the blocks it plays.
    const auto playABlock = [] (juce::AudioPluginInstance& instance)
    {
        instance.prepareToPlay (sampleRate, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);
        buffer.clear();
        juce::MidiBuffer noMidi;
        instance.processBlock (buffer, noMidi);
        runMessages (200);
    };

    note->setValueNotifyingHost (61.0f / 128.0f);
    EXPECT_EQ (note->getCurrentValueAsText(), "60");
    playABlock (*first);

    juce::MemoryBlock state;
    first->getStateInformation (state);
    second->setStateInformation (state.getData(), (int) state.getSize());

    // and tells it their values the same way: the restored note reaches the host's control with the next
    // block played.
    playABlock (*second);

    auto* restored = noteOf (*second);
    ASSERT_NE (restored, nullptr);
    EXPECT_EQ (restored->getCurrentValueAsText(), "60");
    EXPECT_FLOAT_EQ (restored->getValue(), 61.0f / 128.0f);
    first->releaseResources();
    second->releaseResources();
}
} // namespace plugin_host
