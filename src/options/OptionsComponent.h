#pragma once

#include "widgets/KeyboardFocusMark.h"

#include <juce_gui_basics/juce_gui_basics.h>

class DataTags;
class LibSetsConseils;

// The panel that sets the interface language and the filter of the advice draw: the language of the
// sets, one set, all sets or the favourites, and at most one tag. It lies over the main screen, which
// fills it, shows it, and on okMessage reads the choices back; cancelMessage only closes it.
// Choices take effect only when confirmed, except the interface language, which switches the shared
// tag catalogue at once. By the keyboard: Escape cancels, Return confirms (a combo box's open list takes
// its own Return), Tab and Shift+Tab go from choice to choice with a mark on the one that has the keys.
class OptionsComponent final
    : public juce::Component
    , public juce::ActionBroadcaster
    , public juce::Button::Listener
    , public juce::ComboBox::Listener
    , public juce::KeyListener
    , private juce::AsyncUpdater
{
public:
    static constexpr const char* okMessage = "OptionsOK";
    static constexpr const char* cancelMessage = "OptionsCancel";

    // Item ids of the combo boxes; the main screen reads and writes them.
    static constexpr int allLanguagesId = 1;
    static constexpr int frenchSetsId = 2;
    static constexpr int englishSetsId = 3;
    // A set-language filter's id is its language code (-1 for any language) plus this.
    static constexpr int languageSetIdOffset = allLanguagesId + 1;
    static constexpr int allSetsId = 1;
    static constexpr int favoritesId = 2;
    static constexpr int firstSetId = 3;
    static constexpr int noTagId = 9999;

    OptionsComponent (DataTags* tags, LibSetsConseils* library);
    ~OptionsComponent() override;

    void paint (juce::Graphics&) override;
    void paintOverChildren (juce::Graphics&) override;
    void resized() override;
    void visibilityChanged() override;
    bool keyPressed (const juce::KeyPress&) override;
    bool keyPressed (const juce::KeyPress&, juce::Component*) override;
    void buttonClicked (juce::Button*) override;
    void comboBoxChanged (juce::ComboBox*) override;

    // Every text in one language (0 French, else English), the shared catalogue's included; the combo
    // boxes are refilled and keep their choices.
    void setLanguage (int lang);

    // Lists the sets of the chosen set language, keeping the chosen entry when one of the same text is
    // listed.
    void updateSets();

    void displayCurrentDescriptionSets();

    // The set choice as the main screen stores it: one set's file name (any letter case), or empty for
    // all sets or, with favorites, for the favourites.
    void setCurrentSets (const juce::String& fileName, bool favorites);
    juce::String getCurrentSets() const;

    // The tag filter as a hash, -1 for none.
    void setCurrentTag (int hash);
    int getCurrentTag() const;

    // The interface language the panel shows: 0 French, 1 English.
    int language = 1;

    juce::ComboBox comboSets;
    juce::ComboBox comboLanguageSets;

    KeyboardFocusMark& getFocusMark() { return focusMark; }

private:
    int getSetLanguageFilter() const { return comboLanguageSets.getSelectedId() - 2; }
    void fillComboSets (int setLanguageFilter);

    // The chosen tag's description, when a tag is chosen.
    void describeChosenTag();

    // The panel's own refresh of the tag's description, after the set list's refresh: the tag list's
    // change messages are kept for the user's choices.
    void handleAsyncUpdate() override;

    DataTags* dataTags = nullptr;
    LibSetsConseils* libSets = nullptr;

    juce::Label labelTitle;
    juce::Label labelInterface;
    juce::Label labelSelectedSets;
    juce::Label labelLanguageSets;
    juce::Label labelTags;
    juce::ComboBox comboInterface;
    juce::ComboBox comboTags;
    juce::Label labelDescription;
    juce::TextButton buttonOK;
    juce::TextButton buttonCancel;

    KeyboardFocusMark focusMark{ *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionsComponent)
};
