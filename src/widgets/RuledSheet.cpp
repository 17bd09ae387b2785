#include "widgets/RuledSheet.h"

void RuledSheet::paint (juce::Graphics& g, juce::Rectangle<int> area)
{
    const auto x = area.getX();
    const auto y = area.getY();
    const auto width = area.getWidth();
    const auto height = area.getHeight();

    g.setColour (juce::Colours::black.withAlpha (0.95f));
    g.fillRect (area);

    const auto ruledHeight = height - 2 * inset;

    if (ruledHeight >= lineSpacing)
    {
        g.setColour (juce::Colours::darkgrey.withMultipliedBrightness (0.25f).withAlpha (0.9f));
        const auto numLines = ruledHeight / lineSpacing;

        for (int line = 0; line < numLines; ++line)
            g.drawHorizontalLine (y + inset + (line * ruledHeight) / numLines, (float) (x + inset),
                                  (float) (x + width - inset));
    }

    g.setColour (juce::Colours::grey);
    g.drawRect (x + inset, y + inset, width - 2 * inset, height - 2 * inset, 1);
}
