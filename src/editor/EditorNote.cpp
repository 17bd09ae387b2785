#include "editor/EditorNote.h"

#include "base/Bilingual.h"

namespace
{
constexpr Bilingual tooLongText{ "Too long for the main screen: shown smaller there, or cut.",
                                 "Trop long pour l'écran principal : affiché plus petit, ou coupé." };
constexpr Bilingual semicolonText{ "\";\" cannot be typed: it ends a value in the set file.",
                                   "« ; » ne peut pas être saisi : il termine une valeur du fichier." };
constexpr Bilingual otherCharacterText{ "\"<c>\" cannot be typed in a set.",
                                        "« <c> » ne peut pas être saisi dans un set." };
} // namespace

EditorNote::EditorNote()
{
    setComponentID ("editor-note");
    setJustificationType (juce::Justification::centred);
    setFont (CustomLookAndFeel::programFont (11.5f, juce::Font::italic));
    setColour (juce::Label::textColourId, juce::Colours::orange);
    // Wrapped onto a second line rather than squeezed.
    setMinimumHorizontalScale (1.0f);
    setInterceptsMouseClicks (false, false);
    setVisible (false);
}

EditorNote::~EditorNote() = default;

void EditorNote::setLanguage (int language)
{
    currentLanguage = language;
    refresh();
}

void EditorNote::checkAdvice (const juce::String& text)
{
    if (measure == nullptr)
        measure = std::make_unique<CardTextFit>();

    adviceTooLong = text.isNotEmpty() && !measure->fitsAdviceLabel (text);
    refresh();
}

void EditorNote::forgetAdvice()
{
    adviceTooLong = false;
    refresh();
}

void EditorNote::tellRefused (juce::juce_wchar character)
{
    refused = character;
    startTimer (refusedNoteMilliseconds);
    refresh();
}

void EditorNote::timerCallback()
{
    stopTimer();
    refused = 0;
    refresh();
}

void EditorNote::refresh()
{
    juce::String text;

    if (refused == ';')
        text = semicolonText.in (currentLanguage);
    else if (refused != 0)
        text = otherCharacterText.in (currentLanguage).replace ("<c>", juce::String::charToString (refused));
    else if (adviceTooLong)
        text = tooLongText.in (currentLanguage);

    setText (text, juce::dontSendNotification);
    setVisible (text.isNotEmpty());
}
