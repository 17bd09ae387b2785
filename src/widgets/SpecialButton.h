#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The program's round push button: a ring or a filled disc with a white glyph, an optional label with a
// leader line, a highlight state and a toggle value kept for its owner. Only the square around the circle
// reacts to the mouse; the rest of the bounds holds the label.
class SpecialButton final : public juce::Button
{
public:
    // What the owner shows through the button, kept as an int so that owners may store it as one.
    enum SpecialState
    {
        normalState = 0,
        highlightedState = 1, // a halo around the disc calls for attention
        activeState = 2       // a white disc: the page or mode the button opened is the one shown
    };

    // Where the label goes around the circle; the circle takes the opposite edge of the bounds. Every
    // placement but labelBeside draws a leader line from the circle to an underline beneath the text.
    enum LabelPosition
    {
        labelBeside = 0,          // right of the circle, both centred vertically
        labelAbove = 1,           // above, right of the circle; circle at the bottom
        labelBelow = 2,           // below, right of the circle; circle at the top
        labelAboveFromCentre = 3, // above, from the circle's centre; circle at the bottom
        labelBelowFromCentre = 4  // below, from the circle's centre; circle at the top
    };

    SpecialButton();
    ~SpecialButton() override;

    using juce::Component::setColour;
    void setColour (juce::Colour newColour);
    void setIcon (const juce::String& name);
    void setLabel (const juce::String& newLabel);
    void setLabel (const juce::String& newLabel, const juce::String& newLabelAlternate);
    // A LabelPosition; other codes keep the circle at the bottom and leave the label at the top left.
    void setPositionLabel (int layoutCode);
    void setSizeButton (bool smallCircle);
    void setSkin (bool ring);
    void setDisplay (bool alwaysShowLabel);

    // A SpecialState.
    void setSpecialState (int newState);
    int getSpecialState() const;
    void setValue (int newValue);
    int getValue() const;

    void initOrigin();

    // Called when the mouse presses the circle, and when a mouse button is let go after the click it made,
    // if any: for owners whose click is about what was shown when the button went down.
    std::function<void()> onPress;
    std::function<void()> onRelease;

    // The circle in the component's coordinates: the square around it is the only part taking the mouse.
    juce::Rectangle<float> getCircleBounds() const;

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
    int positionLabel = labelBeside;
    bool sizeButton = false;
    bool display = false;
    int specialState = normalState;
    int value = 0;
    float originX = 5.0f;
    float originY = 0.0f;
    float diameter = 30.0f;
    juce::Image iconImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SpecialButton)
};
