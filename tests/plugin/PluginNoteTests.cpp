#include "AllocationCounter.h"
#include "PluginTestHelpers.h"

using plugin_testing::PluginTest;

namespace
{
juce::MidiBuffer notesOn (std::initializer_list<std::pair<int, int>> channelsAndNotes)
{
    juce::MidiBuffer midi;
    int sample = 0;

    for (const auto& [channel, note] : channelsAndNotes)
        midi.addEvent (juce::MidiMessage::noteOn (channel, note, 0.8f), sample++);

    return midi;
}

// As a host sets it: the value between 0 and 1 of a whole-number parameter from -1 to 127.
void setNote (PluginProcessor& processor, int note)
{
    processor.getNoteParameter().setValueNotifyingHost (static_cast<float> (note + 1) / 128.0f);
}
} // namespace

TEST_F (PluginTest, theNoteParameterRunsFromAnyNoteToTheLastMidiNoteAndStartsAtAny)
{
    PluginProcessor processor;
    auto& parameter = processor.getNoteParameter();
    EXPECT_EQ (parameter.getName (20), "Note");
    EXPECT_EQ (parameter.getNote(), PluginProcessor::anyNote);
    EXPECT_EQ (parameter.getCurrentValueAsText(), "Any");
    EXPECT_EQ (parameter.getDefaultValue(), 0.0f);
    EXPECT_EQ (processor.getParameters().size(), 2);

    // One step per note, so that a host's control moves a note at a time and lists the notes by name.
    EXPECT_TRUE (parameter.isDiscrete());
    EXPECT_EQ (parameter.getNumSteps(), 129);
    EXPECT_EQ (parameter.getNormalisableRange().start, 0.0f);
    EXPECT_EQ (parameter.getNormalisableRange().end, 1.0f);
    EXPECT_EQ (parameter.getText (0.0f, 10), "Any");
    EXPECT_EQ (parameter.getText (1.0f / 128.0f, 10), "0");
    EXPECT_EQ (parameter.getText (61.0f / 128.0f, 10), "60");
    EXPECT_EQ (parameter.getText (1.0f, 10), "127");

    EXPECT_FLOAT_EQ (parameter.getValueForText ("60"), 61.0f / 128.0f);
    EXPECT_FLOAT_EQ (parameter.getValueForText (" 127 "), 1.0f);
    for (const auto* notANote : { "Any", "", "-3", "128", "C3" })
        EXPECT_EQ (parameter.getValueForText (notANote), 0.0f) << notANote;

    // Every step a host may set comes back as it was set, the note it names.
    for (int step = 0; step <= 128; ++step)
    {
        parameter.setValueNotifyingHost (static_cast<float> (step) / 128.0f);
        EXPECT_EQ (parameter.getNote(), step - 1);
        EXPECT_FLOAT_EQ (parameter.getValue(), static_cast<float> (step) / 128.0f);
    }
}

TEST_F (PluginTest, withAnyNoteEveryNoteOnOnAnyChannelCounts)
{
    PluginProcessor processor;
    auto midi = notesOn ({ { 1, 60 }, { 16, 0 }, { 5, 127 } });
    midi.addEvent (juce::MidiMessage::noteOff (1, 60), 10);
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, 100), 11);
    runBlock (processor, midi);
    EXPECT_EQ (processor.getNoteOnCount(), 3);
}

TEST_F (PluginTest, withANoteChosenOnlyThatNoteCounts)
{
    PluginProcessor processor;
    setNote (processor, 60);
    ASSERT_EQ (processor.getNoteParameter().getNote(), 60);

    auto midi = notesOn ({ { 1, 61 }, { 2, 59 }, { 3, 72 } });
    runBlock (processor, midi);
    EXPECT_EQ (processor.getNoteOnCount(), 0);

    midi = notesOn ({ { 1, 60 }, { 9, 60 }, { 1, 48 } });
    runBlock (processor, midi);
    EXPECT_EQ (processor.getNoteOnCount(), 2);

    // Back to any note: the next block counts every note again.
    setNote (processor, PluginProcessor::anyNote);
    midi = notesOn ({ { 1, 61 }, { 2, 59 } });
    runBlock (processor, midi);
    EXPECT_EQ (processor.getNoteOnCount(), 4);
}

// A host's audio thread may not wait for the heap: long messages (SysEx) among the notes are read where they
// lie, and the notes around them still count.
TEST_F (PluginTest, aBlockWithSysExAndNotesAllocatesNothing)
{
    PluginProcessor processor;
    processor.prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();

    juce::MidiBuffer midi;
    const juce::uint8 longSysEx[] = { 0x7e, 0x7f, 0x06, 0x02, 0x00, 0x20, 0x33, 0x01,
                                      0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09 };
    midi.addEvent (juce::MidiMessage::createSysExMessage (longSysEx, sizeof (longSysEx)), 0);
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.8f), 1);
    midi.addEvent (juce::MidiMessage::createSysExMessage (longSysEx, sizeof (longSysEx)), 2);
    midi.addEvent (juce::MidiMessage::noteOn (2, 61, (juce::uint8) 0), 3);
    midi.addEvent (juce::MidiMessage::noteOn (3, 62, 0.5f), 4);

    int allocations = -1;
    {
        const AllocationCounter counter;
        processor.processBlock (buffer, midi);
        allocations = counter.getCount();
    }

    EXPECT_EQ (allocations, 0);
    EXPECT_EQ (processor.getNoteOnCount(), 2) << "a note-on of velocity 0 is a note-off";
}

// The counter itself sees what a juce::MidiMessage of a SysEx costs, else the test above proves nothing.
TEST_F (PluginTest, theAllocationCounterSeesALongMessageCopied)
{
    juce::MidiBuffer midi;
    const juce::uint8 longSysEx[16] = {};
    midi.addEvent (juce::MidiMessage::createSysExMessage (longSysEx, sizeof (longSysEx)), 0);

    const AllocationCounter counter;
    for (const auto metadata : midi)
        EXPECT_TRUE (metadata.getMessage().isSysEx());
    EXPECT_GT (counter.getCount(), 0);
}

TEST_F (PluginTest, theAudioPassesThroughUntouched)
{
    PluginProcessor processor;
    juce::AudioBuffer<float> buffer (2, 64);

    for (int channel = 0; channel < 2; ++channel)
        for (int sample = 0; sample < 64; ++sample)
            buffer.setSample (channel, sample, 0.01f * static_cast<float> (sample - 30 * channel));

    juce::AudioBuffer<float> original (buffer);
    auto midi = notesOn ({ { 1, 60 } });
    processor.processBlock (buffer, midi);

    for (int channel = 0; channel < 2; ++channel)
        for (int sample = 0; sample < 64; ++sample)
            ASSERT_EQ (buffer.getSample (channel, sample), original.getSample (channel, sample));
}

TEST_F (PluginTest, theNoteIsSavedWithTheStateAndAGarbageStateGivesAnyNote)
{
    PluginProcessor saved;
    setNote (saved, 36);
    const auto state = stateOf (saved);

    PluginProcessor restored;
    restore (restored, state);
    EXPECT_EQ (restored.getNoteParameter().getNote(), 36);

    auto midi = notesOn ({ { 1, 35 }, { 1, 36 } });
    runBlock (restored, midi);
    EXPECT_EQ (restored.getNoteOnCount(), 1);

    const char garbage[] = "not a state at all";
    restored.setStateInformation (garbage, sizeof (garbage));
    EXPECT_EQ (restored.getNoteParameter().getNote(), PluginProcessor::anyNote);

    // A note out of the MIDI range in an otherwise readable state means any note.
    juce::XmlElement outOfRange ("MusewheelerState");
    outOfRange.setAttribute ("version", 1);
    outOfRange.setAttribute ("note", 300);
    juce::MemoryBlock bytes;
    juce::AudioProcessor::copyXmlToBinary (outOfRange, bytes);
    restore (saved, bytes);
    EXPECT_EQ (saved.getNoteParameter().getNote(), PluginProcessor::anyNote);
}

// Notes played with the window closed draw one advice at the instance's next look, which a window opened
// before it shows as soon as it looks; reopening it with no note played meanwhile shows the advice it closed
// on.
TEST_F (PluginTest, notesPlayedWhileTheEditorIsClosedDrawWhenItOpens)
{
    PluginProcessor processor;
    auto midi = notesOn ({ { 1, 60 } });
    runBlock (processor, midi);

    int shown = -1;
    {
        const auto editor = makeEditor (processor);
        editor->lookAtProcessor();
        shown = editor->getMainComponent().getCurrentItem();
    }

    {
        const auto editor = makeEditor (processor);
        editor->lookAtProcessor();
        EXPECT_EQ (editor->getMainComponent().getCurrentItem(), shown);
    }

    midi = notesOn ({ { 1, 60 }, { 2, 64 } });
    runBlock (processor, midi);
    const auto editor = makeEditor (processor);
    EXPECT_EQ (editor->getMainComponent().getCurrentItem(), shown);
    editor->lookAtProcessor();
    EXPECT_NE (editor->getMainComponent().getCurrentItem(), shown);
}

// A host's "Draw" automation, or a learnt MIDI control on it, and the draw controller ask for a draw each
// time they are switched on, never while they stay on.
TEST_F (PluginTest, theDrawParameterAndTheDrawControllerDrawOnEachSwitchOn)
{
    PluginProcessor processor;
    auto& draw = processor.getDrawParameter();
    EXPECT_EQ (draw.getName (20), "Draw");
    EXPECT_FALSE (draw.get());
    EXPECT_EQ (processor.getParameters()[1], &draw);

    juce::MidiBuffer noMidi;
    for (const auto isOn : { false, true, true, true, false, false, true, false })
    {
        draw.setValueNotifyingHost (isOn ? 1.0f : 0.0f);
        runBlock (processor, noMidi);
    }
    EXPECT_EQ (processor.getDrawRequestCount(), 2);

    // Controller 80 going up on channels 1 and 2, staying up, down, up again; other controllers and notes
    // do not draw by it.
    const auto controller = [] (int channel, int number, int value)
    { return juce::MidiMessage::controllerEvent (channel, number, value); };
    juce::MidiBuffer midi;
    int sample = 0;
    for (const auto& message :
         { controller (1, 80, 127), controller (1, 80, 100), controller (2, 80, 64), controller (1, 80, 63),
           controller (1, 81, 127), controller (1, 80, 127), controller (3, 80, 0) })
        midi.addEvent (message, sample++);
    runBlock (processor, midi);
    EXPECT_EQ (processor.getDrawRequestCount(), 5);
    EXPECT_EQ (processor.getNoteOnCount(), 0);

    // Still up in the next block: no draw.
    midi.clear();
    midi.addEvent (controller (1, 80, 127), 0);
    runBlock (processor, midi);
    EXPECT_EQ (processor.getDrawRequestCount(), 5);
}

TEST_F (PluginTest, aDrawRequestedWhileTheEditorIsOpenOrClosedDrawsAnAdvice)
{
    PluginProcessor processor;
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, DrawTrigger::drawController, 127), 0);
    runBlock (processor, midi);

    const auto editor = makeEditor (processor);
    const auto before = editor->getMainComponent().getCurrentItem();
    editor->lookAtProcessor();
    const auto afterController = editor->getMainComponent().getCurrentItem();
    EXPECT_NE (afterController, before) << "the request made with the window closed drew nothing";

    juce::MidiBuffer noMidi;
    processor.getDrawParameter().setValueNotifyingHost (1.0f);
    runBlock (processor, noMidi);
    editor->lookAtProcessor();
    EXPECT_NE (editor->getMainComponent().getCurrentItem(), afterController);
}
