#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The main screen's pop-up menu: the panels, the timer submenu, the web pages, the copy of the advice and the
// About panel, built in the interface language, and what each of its entries does. The entries act through
// Actions, which the main screen carries out.
class MainMenu final
{
public:
    enum MenuId
    {
        menuOptions = 1,
        menuSetsEdition = 2,
        menuMoreSets = 3,
        menuHelp = 4,
        menuCopyAdvice = 5,
        menuAbout = 9,
        menuTimerDisabled = 10,
        menuTimerFirstPeriod = 11,
        menuTimerLastPeriod = 17,
        menuTimerFirstBars = 20,
        menuTimerLastBars = 22
    };

    static constexpr const char* helpPageName = "index.html";
    static constexpr const char* setsPageName = "sets.html";

    class Actions
    {
    public:
        virtual ~Actions() = default;

        virtual void openOptions() = 0;
        virtual void openSetsEdition() = 0;
        virtual void openAbout() = 0;
        virtual void openPage (const juce::String& pageName) = 0;
        virtual void copyAdvice() = 0;

        // A timer in seconds, or in bars of the host's tempo; none runs when both are 0.
        virtual void setAdviceTimer (int seconds, int bars) = 0;

        // The menu was dismissed: the advice timer counts anew.
        virtual void restartAdviceTimer() = 0;
    };

    // What the menu shows ticked and in which language.
    struct State
    {
        int language = 1;
        int timerSeconds = 0;
        int timerBars = 0;
    };

    explicit MainMenu (Actions& menuActions);

    juce::PopupMenu create (const State& state) const;

    // The menu's look: black, light grey texts, the entry under the pointer lit in that colour.
    static std::shared_ptr<juce::LookAndFeel> createLook (juce::Colour highlight);

    // Shows the menu over that screen and acts on the choice, unless the screen has gone meanwhile. In a
    // host's window the menu does not wait for the choice, and closes with the screen.
    void show (juce::PopupMenu menu, juce::Colour highlight, juce::Component& screen, bool inHostWindow);

    void handleResult (int menuId);

    // The period in seconds of a timer submenu entry (ids 10 to 17), or -1 for any other id.
    static int getTimerPeriodForMenuId (int menuId);

    // The bar count of a bar entry of the timer submenu (ids 20 to 22), or -1 for any other id.
    static int getTimerBarsForMenuId (int menuId);

    // Adds "every 4, 8 or 16 bars" to the timer submenu, for a screen whose host has a tempo to follow.
    void offerBarTimer() { barTimerOffered = true; }
    bool isBarTimerOffered() const { return barTimerOffered; }

private:
    Actions& actions;
    bool barTimerOffered = false;

    JUCE_DECLARE_NON_COPYABLE (MainMenu)
};
