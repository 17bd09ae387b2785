#include "app/AppIcon.h"

namespace
{
void drawTextLine (juce::Graphics& g, juce::Colour colour, float centreX, float y, float width,
                   float thickness)
{
    // Round-ended, so that the short strokes read as lines of text rather than bars.
    g.setColour (colour);
    g.fillRoundedRectangle (centreX - width * 0.5f, y - thickness * 0.5f, width, thickness, thickness * 0.5f);
}

void drawRoundButton (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour ring)
{
    g.setColour (ring);
    g.drawEllipse (juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre), radius * 0.3f);
}
} // namespace

juce::Image AppIcon::createImage (int size)
{
    juce::Image image (juce::Image::ARGB, size, size, true);
    juce::Graphics g (image);
    const auto s = (float) size;
    const auto accent = juce::Colours::orange;

    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (0.0f, 0.0f, s, s, s * 0.18f);

    g.setColour (accent);
    g.drawRoundedRectangle (s * 0.16f, s * 0.12f, s * 0.68f, s * 0.54f, s * 0.12f, s * 0.07f);

    const auto centreX = s * 0.5f;
    const auto line = s * 0.035f;
    drawTextLine (g, juce::Colours::yellow, centreX, s * 0.25f, s * 0.26f, line);
    drawTextLine (g, juce::Colours::white, centreX, s * 0.36f, s * 0.44f, line);
    drawTextLine (g, juce::Colours::white, centreX, s * 0.44f, s * 0.36f, line);
    drawTextLine (g, juce::Colours::lightgrey, s * 0.6f, s * 0.54f, s * 0.18f, line * 0.8f);

    const auto buttonsY = s * 0.83f;
    const auto radius = s * 0.07f;
    drawRoundButton (g, { s * 0.15f, buttonsY }, radius, accent);
    drawRoundButton (g, { s * 0.67f, buttonsY }, radius, accent);
    drawRoundButton (g, { s * 0.85f, buttonsY }, radius, accent);

    g.setColour (juce::Colours::white);
    juce::Path triangle;
    triangle.addPolygon ({ s * 0.15f, buttonsY }, 3, radius * 0.5f, 0.0f);
    g.fillPath (triangle);

    juce::Path star;
    star.addStar ({ s * 0.67f, buttonsY }, 5, radius * 0.25f, radius * 0.55f, 0.0f);
    g.fillPath (star);

    const auto plus = radius * 0.5f;
    g.drawLine (s * 0.85f - plus, buttonsY, s * 0.85f + plus, buttonsY, radius * 0.15f);
    g.drawLine (s * 0.85f, buttonsY - plus, s * 0.85f, buttonsY + plus, radius * 0.15f);

    return image;
}
