#pragma once

#include "widgets/CustomLookAndFeel.h"

// Where and in which type the main screen shows a set's name, its advice and its author: the screen lays its
// labels out with these, and the checks that a text fits measure with them. The boxes keep their margins on
// a screen of another size; the program's screen is 500 x 350.
struct CardLayout final
{
    static constexpr int screenWidth = 500, screenHeight = 350;

    static juce::Rectangle<int> nameLabel (int width, int) { return { 100, 70, width - 200, 24 }; }
    static juce::Rectangle<int> adviceLabel (int width, int) { return { 100, 95, width - 200, 96 }; }
    static juce::Rectangle<int> authorLabel (int width, int height)
    {
        return { 110, height - 150, width - 220, 24 };
    }

    // On the program's screen: 300 x 24 at 100,70; 300 x 96 at 100,95; 280 x 24 at 110,200.
    static juce::Rectangle<int> nameLabel() { return nameLabel (screenWidth, screenHeight); }
    static juce::Rectangle<int> adviceLabel() { return adviceLabel (screenWidth, screenHeight); }
    static juce::Rectangle<int> authorLabel() { return authorLabel (screenWidth, screenHeight); }

    static juce::Font nameFont() { return CustomLookAndFeel::programFont (16.0f, juce::Font::bold); }
    static juce::Font adviceFont() { return CustomLookAndFeel::programFont (16.0f, juce::Font::plain); }
    static juce::Font authorFont() { return CustomLookAndFeel::programFont (13.0f, juce::Font::italic); }
};
