#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// The note that draws an advice: any note, or one MIDI note number, as a host shows and automates it. The
// host sees 129 steps, "Any" then the notes 0 to 127, one step per note, over a range of 0 to 1: the
// toolkit's LV2 wrapper writes the steps' values between 0 and 1 whatever the range, and hosts then show the
// steps by name only when the range is 0 to 1 too. The values a VST3 host saves are those of a whole-number
// parameter from -1 to 127.
class NoteParameter final : public juce::RangedAudioParameter
{
public:
    static constexpr int anyNote = -1;
    static constexpr int lastNote = 127;

    NoteParameter();

    // The note, or anyNote; read on the audio thread.
    int getNote() const { return note.load(); }

    // Sets the note and tells the host; a note out of the MIDI range means any note.
    void setNote (int newNote);

    const juce::NormalisableRange<float>& getNormalisableRange() const override { return range; }
    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    int getNumSteps() const override;
    bool isDiscrete() const override { return true; }
    juce::String getText (float value, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;

private:
    static constexpr int numNotes = lastNote - anyNote + 1;

    static int noteForValue (float value);
    static float valueForNote (int note);

    const juce::NormalisableRange<float> range{ 0.0f, 1.0f, 1.0f / (numNotes - 1) };
    std::atomic<int> note{ anyNote };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NoteParameter)
};
