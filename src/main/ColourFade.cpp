#include "main/ColourFade.h"

void ColourFade::start (juce::Colour from, juce::Colour to)
{
    startColour = from;
    target = to;
    step = 0;
}

juce::Colour ColourFade::advance (juce::Colour shown)
{
    ++step;

    if (step <= holdTicks)
        return shown;

    const auto f = (float) juce::jmin (step - holdTicks, ticks - holdTicks) / (float) (ticks - holdTicks);
    const auto hs = startColour.getHue();
    const auto ht = target.getHue();
    auto hue = hs + f * (ht - hs);

    // The hue takes the shorter way round the colour circle.
    if (hs - ht > 0.5f)
    {
        hue = hs + f * (ht + 1.0f - hs);

        if (hue > 1.0f)
            hue -= 1.0f;
    }
    else if (ht - hs > 0.5f)
    {
        hue = hs + f * (ht - 1.0f - hs);

        if (hue < 0.0f)
            hue += 1.0f;
    }

    const auto saturation =
        startColour.getSaturation() + f * (target.getSaturation() - startColour.getSaturation());
    const auto brightness =
        startColour.getBrightness() + f * (target.getBrightness() - startColour.getBrightness());

    return juce::Colour::fromHSV (hue, saturation, brightness, startColour.getFloatAlpha());
}
