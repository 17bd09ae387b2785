#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The program's round push button: a ring or a filled disc with a white glyph, an optional label with a
// leader line, a highlight state and a toggle value kept for its owner. Only the square around the circle
// reacts to the mouse; the rest of the bounds holds the label.
class SpecialButton final : public juce::Button
{
public:
    SpecialButton();
    ~SpecialButton() override;

    using juce::Component::setColour;
    void setColour (juce::Colour newColour);
    void setIcon (const juce::String& name);
    void setLabel (const juce::String& newLabel);
    void setLabel (const juce::String& newLabel, const juce::String& newLabelAlternate);
    void setPositionLabel (int layoutCode);
    void setSizeButton (bool smallCircle);
    void setSkin (bool ring);
    void setDisplay (bool alwaysShowLabel);

    void setSpecialState (int newState);
    int getSpecialState() const;
    void setValue (int newValue);
    int getValue() const;

    void initOrigin();

    void mouseMove (const juce::MouseEvent&) override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void resized() override;
    void paintButton (juce::Graphics&, bool isMouseOverButton, bool isButtonDown) override;

private:
    bool isInsideCircleSquare (juce::Point<float> position) const;
    void drawGlyph (juce::Graphics&, juce::Point<float> centre) const;
    void drawLabel (juce::Graphics&, juce::Point<float> centre) const;
    void updateAccessibleText();

    juce::String iconName;
    juce::String label;
    juce::String labelAlternate;
    juce::Colour colour{ juce::Colours::orange };
    bool skin = true;
    int positionLabel = 0;
    bool sizeButton = false;
    bool display = false;
    int specialState = 0;
    int value = 0;
    float originX = 5.0f;
    float originY = 0.0f;
    float diameter = 30.0f;
    juce::Image iconImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialButton)
};
