#include "main/MainMenu.h"

#include "main/MenuKeyHolder.h"

#include "base/Bilingual.h"
#include "widgets/TextContrast.h"

namespace
{
struct TimerEntry
{
    int menuId;
    int seconds;
    Bilingual name;
};

constexpr TimerEntry timerEntries[] = {
    { 10, 0, { "Disabled", "Désactiver" } },     { 11, 5, { "5 seconds", "5 secondes" } },
    { 12, 10, { "10 seconds", "10 secondes" } }, { 13, 30, { "30 seconds", "30 secondes" } },
    { 14, 60, { "1 minute", "1 minute" } },      { 15, 120, { "2 minutes", "2 minutes" } },
    { 16, 300, { "5 minutes", "5 minutes" } },   { 17, 600, { "10 minutes", "10 minutes" } },
};

struct BarTimerEntry
{
    int menuId;
    int bars;
    Bilingual name;
};

constexpr BarTimerEntry barTimerEntries[] = {
    { 20, 4, { "Every 4 bars", "Toutes les 4 mesures" } },
    { 21, 8, { "Every 8 bars", "Toutes les 8 mesures" } },
    { 22, 16, { "Every 16 bars", "Toutes les 16 mesures" } },
};

constexpr Bilingual timerText{ "Timer", "Minuterie" };
constexpr Bilingual setsEditionText{ "Sets edition", "Édition des sets" };
constexpr Bilingual moreSetsText{ "To get more sets...", "Récupérer plus de sets..." };
constexpr Bilingual helpText{ "Help", "Aide" };
constexpr Bilingual copyAdviceText{ "Copy the current advice", "Copier le conseil en cours" };
constexpr Bilingual aboutText{ "About Musewheeler...", "A propos de Musewheeler..." };
} // namespace

MainMenu::MainMenu (Actions& menuActions)
    : actions (menuActions)
{
}

int MainMenu::getTimerPeriodForMenuId (int menuId)
{
    for (const auto& entry : timerEntries)
        if (entry.menuId == menuId)
            return entry.seconds;

    return -1;
}

int MainMenu::getTimerBarsForMenuId (int menuId)
{
    for (const auto& entry : barTimerEntries)
        if (entry.menuId == menuId)
            return entry.bars;

    return -1;
}

juce::PopupMenu MainMenu::create (const State& state) const
{
    const auto language = state.language;
    juce::PopupMenu timerMenu;

    for (const auto& entry : timerEntries)
        timerMenu.addItem (entry.menuId, entry.name.in (language), true,
                           state.timerBars == 0 && state.timerSeconds == entry.seconds);

    if (barTimerOffered)
        for (const auto& entry : barTimerEntries)
            timerMenu.addItem (entry.menuId, entry.name.in (language), true, state.timerBars == entry.bars);

    juce::PopupMenu menu;
    menu.addItem (menuOptions, "Options");
    menu.addSubMenu (timerText.in (language), timerMenu);
    menu.addSeparator();
    menu.addItem (menuSetsEdition, setsEditionText.in (language));
    menu.addItem (menuMoreSets, moreSetsText.in (language));
    menu.addSeparator();
    menu.addItem (menuHelp, helpText.in (language));
    menu.addItem (menuCopyAdvice, copyAdviceText.in (language));
    menu.addItem (menuAbout, aboutText.in (language));
    return menu;
}

std::shared_ptr<juce::LookAndFeel> MainMenu::createLook (juce::Colour highlight)
{
    // The menu keeps the toolkit's plain look, in the program's colours, rather than the program's own.
    auto menuLook = std::make_shared<juce::LookAndFeel_V2>();
    menuLook->setColour (juce::PopupMenu::backgroundColourId, juce::Colours::black);
    menuLook->setColour (juce::PopupMenu::textColourId, juce::Colours::lightgrey);
    menuLook->setColour (juce::PopupMenu::highlightedBackgroundColourId, highlight);
    // The lit entry's text stays readable on a light set colour as on a dark one.
    menuLook->setColour (juce::PopupMenu::highlightedTextColourId, TextContrast::blackOrWhiteOn (highlight));
    return menuLook;
}

void MainMenu::show (juce::PopupMenu menu, juce::Colour highlight, juce::Component& screen, bool inHostWindow)
{
    const auto menuLook = createLook (highlight);
    menu.setLookAndFeel (menuLook.get());

    // The menu belongs to the screen: it is gone once the screen is.
    const juce::Component::SafePointer<juce::Component> safeScreen (&screen);

    if (inHostWindow)
    {
        // Closed with the screen, which the host may close at any moment; the look lives as long as the menu.
        menu.showMenuAsync (juce::PopupMenu::Options().withDeletionCheck (screen),
                            [this, safeScreen, menuLook] (int chosen)
                            {
                                if (safeScreen != nullptr)
                                    handleResult (chosen);
                            });
        return;
    }

    MenuKeyHolder keysTypedMeanwhile (*screen.getTopLevelComponent());
    const auto chosen = menu.show();

    if (safeScreen != nullptr)
    {
        handleResult (chosen);
        keysTypedMeanwhile.handOn();
    }
}

void MainMenu::handleResult (int menuId)
{
    switch (menuId)
    {
        case menuOptions:
            actions.openOptions();
            break;
        case menuSetsEdition:
            actions.openSetsEdition();
            break;
        case menuAbout:
            actions.openAbout();
            break;
        case menuMoreSets:
            actions.openPage (setsPageName);
            break;
        case menuHelp:
            actions.openPage (helpPageName);
            break;
        case menuCopyAdvice:
            actions.copyAdvice();
            break;
        case menuTimerDisabled:
            actions.setAdviceTimer (0, 0);
            break;
        default:
            if (barTimerOffered && menuId >= menuTimerFirstBars && menuId <= menuTimerLastBars)
                actions.setAdviceTimer (0, getTimerBarsForMenuId (menuId));
            else if (menuId >= menuTimerFirstPeriod && menuId <= menuTimerLastPeriod)
                actions.setAdviceTimer (getTimerPeriodForMenuId (menuId), 0);
            else
                actions.restartAdviceTimer();
            break;
    }
}
