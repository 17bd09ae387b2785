#include "plugin/NoteParameter.h"

#include <cmath>

NoteParameter::NoteParameter()
    : juce::RangedAudioParameter (juce::ParameterID ("note", 1), "Note")
{
}

int NoteParameter::noteForValue (float value)
{
    const auto step = static_cast<int> (std::lround (juce::jlimit (0.0f, 1.0f, value) * (numNotes - 1)));
    return anyNote + step;
}

float NoteParameter::valueForNote (int someNote)
{
    return static_cast<float> (someNote - anyNote) / static_cast<float> (numNotes - 1);
}

void NoteParameter::setNote (int newNote)
{
    setValueNotifyingHost (valueForNote (newNote >= anyNote && newNote <= lastNote ? newNote : anyNote));
}

float NoteParameter::getValue() const
{
    return valueForNote (note.load());
}

void NoteParameter::setValue (float newValue)
{
    note = noteForValue (newValue);
}

float NoteParameter::getDefaultValue() const
{
    return valueForNote (anyNote);
}

int NoteParameter::getNumSteps() const
{
    return numNotes;
}

juce::String NoteParameter::getText (float value, int) const
{
    const auto shown = noteForValue (value);
    return shown == anyNote ? juce::String ("Any") : juce::String (shown);
}

float NoteParameter::getValueForText (const juce::String& text) const
{
    const auto trimmed = text.trim();
    const auto typed =
        trimmed.isNotEmpty() && trimmed.containsOnly ("0123456789") ? trimmed.getIntValue() : anyNote;
    return valueForNote (typed <= lastNote ? typed : anyNote);
}
