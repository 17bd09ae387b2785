#include "main/AdviceLabels.h"

#include "widgets/CardLayout.h"

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
           CardLayout::nameFont());
    setUp (advice, "advice-label", juce::Colours::white, juce::Justification::centred,
           CardLayout::adviceFont());
    advice.setMinimumHorizontalScale (1.0f);
    setUp (author, "author-label", juce::Colours::lightgrey, juce::Justification::centredRight,
           CardLayout::authorFont());
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
    setName.setBounds (CardLayout::nameLabel (screenWidth, screenHeight));
    advice.setBounds (CardLayout::adviceLabel (screenWidth, screenHeight));
    author.setBounds (CardLayout::authorLabel (screenWidth, screenHeight));
}
