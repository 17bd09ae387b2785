#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class DataTags;

// The set editor's tag picker: five category tabs, the tags of the chosen category as a strip of equal
// cells, a title line and a description area. A press on a cell toggles its tag and a drag after the
// press adds or removes tags in one sweep; the selection is exchanged as a hash list ("0,104,301,").
// A change message follows every press and every drag event in the strip, wheelMessage every wheel turn.
class SpecialTagManager final
    : public juce::Component
    , public juce::ChangeBroadcaster
    , public juce::ActionBroadcaster
{
public:
    static constexpr const char* wheelMessage = "Wheel";

    explicit SpecialTagManager (DataTags* tags);
    ~SpecialTagManager() override;

    // The instruction in the title line and the genre tab's caption follow the language (0 French).
    void setLanguage (int newLanguage);

    // Replaces the selection by the hashes of a hash list, in their order, duplicates included.
    void setHashTags (const juce::String& hashList);
    juce::String getHashTags() const;

    // The base colour of the tag cells.
    void setColour (juce::Colour newColour);
    using juce::Component::setColour;

    // Shows the tags of category 0..4 in the strip.
    void setButtonClicked (int category);

    // Shows the hovered tag (when tagChanged) or else the hovered category in the two labels.
    void displayDescription (bool tagChanged);

    juce::MouseWheelDetails getMouseWheel() const { return mouseWheel; }

    int getClickedCategory() const { return clickedCategory; }
    int getHoveredCategory() const { return hoveredCategory; }
    int getHoveredTag() const { return hoveredTag; }

    // 1 while a press that added a tag is held (dragging adds), 0 for one that hit a chosen tag
    // (dragging removes), -1 otherwise.
    int getDragMode() const { return dragMode; }

    void mouseMove (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void paint (juce::Graphics&) override;
    void resized() override;

    static constexpr int numTabs = 5;

private:
    // The tab under a point of the tab band, -1 outside the tabs or the band.
    int getTabAt (juce::Point<float> position) const;
    bool isInTabBand (juce::Point<float> position) const;

    // The cell of the strip under a point, -1 outside the strip.
    int getCellAt (juce::Point<float> position) const;

    int getNumTagsShown() const;
    int getHashOfCell (int cell) const;
    juce::String getTabCaption (int tab) const;

    // Takes one occurrence of a chosen hash away, but never the last abstraction tag.
    void removeTag (int hash);

    DataTags* dataTags = nullptr;
    juce::Array<int> selectedTags;
    int language = 1;

    juce::Label titleLabel;
    juce::Label descriptionLabel;

    int clickedCategory = 0;
    int hoveredCategory = -1;
    // The first cell counts as hovered until the mouse first moves over the picker.
    int hoveredTag = 0;
    juce::Colour colour{ juce::Colours::orange };
    juce::MouseWheelDetails mouseWheel{};
    int dragMode = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialTagManager)
};
