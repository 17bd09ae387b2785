#pragma once

#include "widgets/CardTextFit.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// A brief note under the editor's top buttons, shown only while there is something to tell: that a typed
// or pasted character was left out, and why (for a few seconds), or that the advice being typed or shown is
// too long for the main screen's advice label, measured as `musewheeler-sets check` measures it.
class EditorNote final
    : public juce::Label
    , private juce::Timer
{
public:
    static constexpr int refusedNoteMilliseconds = 4000;

    EditorNote();
    ~EditorNote() override;

    // 0 French, else English.
    void setLanguage (int language);

    // The advice typed or shown now.
    void checkAdvice (const juce::String& text);

    // No advice is shown (another page, no set): nothing to say about one.
    void forgetAdvice();

    void tellRefused (juce::juce_wchar character);

    bool isTellingAdviceTooLong() const { return adviceTooLong; }

private:
    void timerCallback() override;
    void refresh();

    // Made when an advice is first checked: its look-and-feel looks through the installed fonts, which the
    // program's start need not wait for.
    std::unique_ptr<CardTextFit> measure;
    int currentLanguage = 1;
    bool adviceTooLong = false;
    juce::juce_wchar refused = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorNote)
};
