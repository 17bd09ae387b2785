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
} // namespace plugin_host
