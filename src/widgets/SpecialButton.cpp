#include "widgets/SpecialButton.h"

#include "MusewheelerImages.h"
#include "widgets/CustomLookAndFeel.h"

namespace
{
constexpr float largeDiameter = 30.0f;
constexpr float smallDiameter = 20.0f;
constexpr float circleLeft = 5.0f;
constexpr float labelFontHeight = 12.0f;

bool isPictureIcon (const juce::String& name)
{
    return name == "New" || name == "Duplicate" || name == "Delete";
}
} // namespace

SpecialButton::SpecialButton()
    : juce::Button ({})
{
    initOrigin();
}

SpecialButton::~SpecialButton() = default;

void SpecialButton::setColour (juce::Colour newColour)
{
    colour = newColour;
}

void SpecialButton::setIcon (const juce::String& name)
{
    iconName = name;

    if (name == "New")
        iconImage = juce::ImageCache::getFromMemory (Images::newitem_png, Images::newitem_pngSize);
    else if (name == "Duplicate")
        iconImage =
            juce::ImageCache::getFromMemory (Images::duplicateitem_png, Images::duplicateitem_pngSize);
    else if (name == "Delete")
        iconImage = juce::ImageCache::getFromMemory (Images::deleteitem_png, Images::deleteitem_pngSize);
}

void SpecialButton::setLabel (const juce::String& newLabel)
{
    label = newLabel;
    updateAccessibleText();
}

void SpecialButton::setLabel (const juce::String& newLabel, const juce::String& newLabelAlternate)
{
    label = newLabel;
    labelAlternate = newLabelAlternate;
    updateAccessibleText();
}

void SpecialButton::setPositionLabel (int layoutCode)
{
    positionLabel = layoutCode;
    initOrigin();
}

void SpecialButton::setSizeButton (bool smallCircle)
{
    sizeButton = smallCircle;
    initOrigin();
}

void SpecialButton::setSkin (bool ring)
{
    skin = ring;
}

void SpecialButton::setDisplay (bool alwaysShowLabel)
{
    display = alwaysShowLabel;
}

void SpecialButton::setSpecialState (int newState)
{
    specialState = newState;
    repaint();
}

int SpecialButton::getSpecialState() const
{
    return specialState;
}

void SpecialButton::setValue (int newValue)
{
    value = newValue;
    updateAccessibleText();
    repaint();
}

int SpecialButton::getValue() const
{
    return value;
}

void SpecialButton::initOrigin()
{
    diameter = sizeButton ? smallDiameter : largeDiameter;
    originX = circleLeft;

    const auto height = (float) getHeight();

    if (positionLabel == labelBelow || positionLabel == labelBelowFromCentre)
        originY = 5.0f;
    else if (positionLabel == labelBeside)
        originY = (height - diameter) * 0.5f;
    else
        originY = height - diameter - 5.0f;
}

juce::Rectangle<float> SpecialButton::getCircleBounds() const
{
    return { originX, originY, diameter, diameter };
}

bool SpecialButton::isInsideCircleSquare (juce::Point<float> position) const
{
    // Half-open on both axes, as juce::Rectangle::contains.
    return getCircleBounds().contains (position);
}

void SpecialButton::mouseMove (const juce::MouseEvent& event)
{
    if (isInsideCircleSquare (event.position))
    {
        juce::Button::mouseEnter (event);
        juce::Component::mouseMove (event);
    }
    else
    {
        juce::Button::mouseExit (event);
    }
}

void SpecialButton::mouseEnter (const juce::MouseEvent& event)
{
    if (isInsideCircleSquare (event.position))
        juce::Button::mouseEnter (event);
    else
        juce::Button::mouseExit (event);
}

void SpecialButton::mouseExit (const juce::MouseEvent& event)
{
    juce::Button::mouseExit (event);
}

void SpecialButton::mouseDown (const juce::MouseEvent& event)
{
    if (isInsideCircleSquare (event.position))
    {
        juce::Button::mouseDown (event);

        if (onPress != nullptr)
            onPress();
    }
    else
    {
        juce::Button::mouseExit (event);
    }
}

void SpecialButton::mouseDrag (const juce::MouseEvent& event)
{
    if (isInsideCircleSquare (event.position))
        juce::Button::mouseDrag (event);
    else
        juce::Button::mouseExit (event);
}

void SpecialButton::mouseUp (const juce::MouseEvent& event)
{
    // The click, if the release makes one, is sent from here before the release is told.
    juce::Component::SafePointer<SpecialButton> alive (this);

    if (isInsideCircleSquare (event.position))
        juce::Button::mouseUp (event);
    else
        juce::Button::mouseExit (event);

    if (alive != nullptr && onRelease != nullptr)
        onRelease();
}

void SpecialButton::mouseDoubleClick (const juce::MouseEvent& event)
{
    if (isInsideCircleSquare (event.position))
        juce::Component::mouseDoubleClick (event);
    else
        juce::Button::mouseExit (event);
}

void SpecialButton::resized()
{
    initOrigin();
}

void SpecialButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    const auto circle = getCircleBounds();
    const auto centre = circle.getCentre();

    if (!skin && (isButtonDown || specialState == highlightedState || specialState == activeState))
    {
        // The halo fades out towards the component's left edge, 5 pixels beyond the circle.
        g.setGradientFill (juce::ColourGradient (
            juce::Colours::beige, centre, juce::Colours::beige.withAlpha (0.0f), { 0.0f, centre.y }, true));
        g.fillEllipse (0.0f, originY - originX, 2.0f * originX + diameter, 2.0f * originX + diameter);
    }

    auto circleColour = colour;

    if (specialState == activeState)
    {
        circleColour = juce::Colours::white;

        if (isMouseOverButton)
            circleColour = circleColour.darker (0.1f);

        if (isButtonDown)
            circleColour = circleColour.darker (0.1f);
    }
    else
    {
        if (isMouseOverButton)
            circleColour = circleColour.brighter (0.25f);

        if (isButtonDown)
            circleColour = circleColour.brighter (0.2f);
    }

    g.setColour (circleColour);

    if (skin)
    {
        g.drawEllipse (circle, 3.0f);
    }
    else
    {
        g.fillEllipse (circle);
        g.setColour (juce::Colours::white.withAlpha (0.4f));
        g.drawEllipse (circle, 1.0f);
    }

    drawGlyph (g, centre);

    if (isPictureIcon (iconName) && iconImage.isValid())
    {
        // The pictures are drawn so that their pictogram fits the circle the image is scaled to.
        g.setOpacity (1.0f);
        g.drawImage (iconImage, circle.reduced (2.0f), juce::RectanglePlacement::centred);
    }

    if (label.isNotEmpty() && (isMouseOverButton || display))
        drawLabel (g, centre);
}

void SpecialButton::drawGlyph (juce::Graphics& g, juce::Point<float> centre) const
{
    g.setColour (juce::Colours::white);

    // The offsets of "+" and "Back" are those of the large circle, whatever the size.
    if (iconName == "+")
    {
        g.drawLine (originX + 8.0f, originY + 15.0f, originX + 22.0f, originY + 15.0f, 2.0f);
        g.drawLine (originX + 15.0f, originY + 8.0f, originX + 15.0f, originY + 22.0f, 2.0f);
    }
    else if (iconName == "Back")
    {
        g.drawArrow ({ originX + 8.0f, originY + 15.0f, originX + 22.0f, originY + 15.0f }, 1.0f, 12.0f,
                     6.0f);
    }
    else if (iconName == "Menu")
    {
        juce::Path triangle;
        triangle.addPolygon (centre, 3, diameter / 4.0f, 0.0f);
        g.fillPath (triangle);
    }
    else if (iconName == "Favorite")
    {
        juce::Path star;
        star.addStar (centre, 5, diameter / 8.0f, diameter / 4.0f, 0.0f);
        g.fillPath (star);

        if (value == 0)
        {
            // Not a favourite: hollow the star out, leaving its white outline.
            juce::Path hollow;
            hollow.addStar (centre, 5, diameter / 8.0f * 0.7f, diameter / 4.0f * 0.7f, 0.0f);
            g.setColour (juce::Colours::black);
            g.fillPath (hollow);
        }
    }
}

void SpecialButton::drawLabel (juce::Graphics& g, juce::Point<float> centre) const
{
    const auto font = CustomLookAndFeel::programFont (labelFontHeight, juce::Font::plain);
    const auto ascent = font.getAscent();
    const auto truncatedAscent = (int) ascent;
    const auto height = getHeight();

    int textX = 0;
    int textY = 0;

    switch (positionLabel)
    {
        case labelBeside:
            textX = (int) (originX + diameter + 5.0f);
            textY = 2 - truncatedAscent + height / 2;
            break;
        case labelAbove:
            textX = (int) (originX + diameter + 5.0f);
            textY = (int) originY - 10 - truncatedAscent;
            break;
        case labelBelow:
            textX = (int) (originX + diameter + 5.0f);
            textY = (int) (diameter + originY) + 3;
            break;
        case labelAboveFromCentre:
            textX = (int) (originX + diameter * 0.5f + 2.0f);
            textY = (int) originY - 10 - truncatedAscent;
            break;
        case labelBelowFromCentre:
            textX = (int) (originX + diameter * 0.5f + 2.0f);
            textY = (int) (diameter + originY) + 3;
            break;
        default:
            break;
    }

    g.setColour (juce::Colours::lightgrey);
    g.setFont (font);

    if (positionLabel != labelBeside)
    {
        // The underline is sized from the primary label, whichever text is shown.
        const juce::Point<float> corner ((float) textX - 2.0f, (float) textY + ascent);
        const auto underlineEnd = (float) (textX + font.getStringWidth (label) + 4);

        g.drawLine ({ centre, corner }, 1.0f);
        g.drawLine (corner.x, corner.y, underlineEnd, corner.y, 1.0f);
    }

    g.drawFittedText (value == 0 ? label : labelAlternate, textX, textY, getWidth() - textX, 24,
                      juce::Justification::topLeft, 1, 0.7f);
}

void SpecialButton::updateAccessibleText()
{
    // Screen readers fall back to the button text when the owner gives no title: keep it the shown label.
    setButtonText (value != 0 && labelAlternate.isNotEmpty() ? labelAlternate : label);
}
