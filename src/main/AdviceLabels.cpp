#include "main/AdviceLabels.h"

#include "widgets/CustomLookAndFeel.h"

AdviceLabels::AdviceLabels (juce::Component& screen)
{
    const auto setUp = [&screen] (juce::Label& label, const char* identifier, juce::Colour textColour,
                                  juce::Justification justification, const juce::Font& font)
    {
        label.setComponentID (identifier);
        label.setColour (juce::Label::textColourId, textColour);
        label.setJustificationType (justification);
        label.setFont (font);
        screen.addAndMakeVisible (label);
    };

    setUp (setName, "set-name-label", juce::Colours::yellow, juce::Justification::centredTop,
           CustomLookAndFeel::programFont (16.0f, juce::Font::bold));
    setUp (advice, "advice-label", juce::Colours::white, juce::Justification::centred,
           CustomLookAndFeel::programFont (16.0f, juce::Font::plain));
    advice.setMinimumHorizontalScale (1.0f);
    setUp (author, "author-label", juce::Colours::lightgrey, juce::Justification::centredRight,
           CustomLookAndFeel::programFont (13.0f, juce::Font::italic));
}

void AdviceLabels::show (const juce::String& setNameText, const juce::String& adviceText,
                         const juce::String& authorText)
{
    setName.setText (setNameText, juce::dontSendNotification);
    advice.setText (adviceText, juce::dontSendNotification);
    author.setText (authorText, juce::dontSendNotification);
}

void AdviceLabels::layOut (int screenWidth, int screenHeight)
{
    setName.setBounds (100, 70, screenWidth - 200, 24);
    advice.setBounds (100, 95, screenWidth - 200, 96);
    author.setBounds (110, screenHeight - 150, screenWidth - 220, 24);
}
