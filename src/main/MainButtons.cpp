#include "main/MainButtons.h"

#include "base/Bilingual.h"

namespace
{
constexpr Bilingual newAdviceTitle{ "New advice", "Nouveau conseil" };
constexpr Bilingual favouriteTitle{ "Favourite", "Favori" };
} // namespace

MainButtons::MainButtons (juce::Component& screen, juce::Button::Listener& clicks, juce::KeyListener& keys)
{
    const auto setUp = [&] (SpecialButton& button, const char* identifier, const char* icon)
    {
        button.setComponentID (identifier);
        screen.addAndMakeVisible (button);
        button.addListener (&clicks);
        button.setIcon (icon);
        button.addKeyListener (&keys);
    };

    setUp (newAdvice, "new-advice-button", "+");
    setUp (menu, "menu-button", "Menu");
    setUp (favorite, "favorite-button", "Favorite");
    favorite.setValue (0);
}

void MainButtons::setLanguage (int language)
{
    newAdvice.setTitle (newAdviceTitle.in (language));
    menu.setTitle ("Menu");
    favorite.setTitle (favouriteTitle.in (language));
}

void MainButtons::setColour (juce::Colour colour)
{
    for (auto* button : { &newAdvice, &menu, &favorite })
    {
        button->setColour (colour);
        button->repaint();
    }
}

void MainButtons::layOut (int screenWidth, int screenHeight)
{
    menu.setBounds (20, screenHeight - 55, 42, 52);
    favorite.setBounds (screenWidth - 107, screenHeight - 55, 42, 52);
    newAdvice.setBounds (screenWidth - 55, screenHeight - 55, 42, 52);
}
