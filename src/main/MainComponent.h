#pragma once

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/RandomShuffle.h"
#include "dialogs/MessageDialogs.h"
#include "main/AdviceLabels.h"
#include "main/ColourFade.h"
#include "main/FavoriteToggle.h"
#include "main/KeyboardFocusRouter.h"
#include "main/MainButtons.h"
#include "main/MainMenu.h"
#include "main/PanelHost.h"
#include "main/PostponedDraw.h"
#include "settings/SettingsStore.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/KeyboardFocusMark.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The program's one screen: the drawn advice with its set's name and author inside a frame in the set's
// colour, and the new-advice, menu and favourite buttons. It owns the tag catalogue and the set library,
// reads and writes its settings through a settings store (the configuration file by default), runs the colour
// fade and the advice timer, and hosts the panels opened from its menu.
class MainComponent final
    : public juce::Component
    , public juce::Button::Listener
    , public juce::ActionListener
    , public juce::KeyListener
    , public juce::MultiTimer
    , public juce::FocusChangeListener
    , private MainMenu::Actions
{
public:
    static constexpr int fadeTimer = 0;
    static constexpr int adviceTimer = 1;
    static constexpr int fadeTickMilliseconds = 100;
    static constexpr int fadeTicks = ColourFade::ticks;
    static constexpr int fadeHoldTicks = ColourFade::holdTicks;

    // Where the screen is shown. In the program's own window its menu and warnings wait for the user, and its
    // look-and-feel is the process's default, which the warnings take. In a host's window (a plugin's
    // editor) nothing may wait for the user, since that would hold up the host, which may also close the
    // window at any moment; the look-and-feel stays the screen's own, as other plugins share the process;
    // and every change of the settings goes to the store at once, as the host may save them at any moment.
    enum class Window
    {
        program,
        host
    };

    // The settings in the program's "Musewheeler.ini".
    MainComponent();

    // The settings read from and written to that store, from the moment the screen is made.
    explicit MainComponent (std::unique_ptr<SettingsStore> settingsStore, Window window = Window::program);
    ~MainComponent() override;

    void initDatabase();
    void takeNewAdvice (bool fade, int index);
    void changeCurrentColour (juce::Colour newColour);

    void paint (juce::Graphics&) override;
    void paintOverChildren (juce::Graphics&) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent&) override;
    bool keyPressed (const juce::KeyPress&) override;
    bool keyPressed (const juce::KeyPress&, juce::Component*) override;
    void focusGained (FocusChangeType) override;
    void globalFocusChanged (juce::Component* focusedComponent) override;
    void buttonClicked (juce::Button*) override;
    void buttonStateChanged (juce::Button*) override;
    void actionListenerCallback (const juce::String& message) override;
    void timerCallback (int timerID) override;

    void loadDataConfig();
    void saveDataConfig();

    // The settings as the screen holds them now, as saveDataConfig would keep them.
    ConfigFile::Settings getSettings() const;

    // Takes the store's settings again, as when the screen was made: filters, last advice and timer.
    void reloadSettings();

    // The main menu runs modally; building it and acting on the chosen id are kept apart from it.
    void showMenu();
    juce::PopupMenu createMainMenu() const;
    void handleMenuResult (int menuId);

    // Draws through that shuffle from now on, one that outlives the screen: a plugin instance's, which
    // also draws with the screen closed, so that an advice does not come back before the round is over
    // whichever of the two drew it.
    void drawWith (RandomShuffle& sharedShuffle) { shuffle = &sharedShuffle; }

    // Adds "every 4, 8 or 16 bars" to the timer submenu, for a screen whose host has a tempo to follow.
    // Choosing one stops the timer in seconds; whoever follows the tempo asks for the draws.
    void offerBarTimer() { mainMenu.offerBarTimer(); }
    bool isBarTimerOffered() const { return mainMenu.isBarTimerOffered(); }

    bool askAuthorizationToQuit();

    // The component that takes the keys now: the set editor or the options panel while it is open, else the
    // main screen (the About panel takes no keys of its own).
    juce::Component& getKeyboardFocusTarget();

    // Hands the keyboard focus to that component. The window calls it once it has the window system's
    // focus; nothing can hold the focus before.
    void takeKeyboardFocus();

    // The help page of that name in the interface language.
    juce::File getPageFile (const juce::String& pageName) const;

    // Where pages and copied texts go; tests put recorders here so that nothing leaves the process.
    void setBrowserLauncher (std::function<void (const juce::URL&)> launcher);
    void setClipboardWriter (std::function<void (const juce::String&)> writer);

    // The alerts of the main screen go through the same kind of dialogs as the editor's questions.
    void setDialogs (std::unique_ptr<MessageDialogs> newDialogs);

    // What "Sets edition" does instead of opening the set editor on the screen, where the screen's window
    // may close under the editor's questions (a plugin's, closed by its host at any moment).
    void setSetsEditionHandler (std::function<void()> handler);

    // Where the keyboard focus is handed; tests, whose components are on no desktop, put a recorder here.
    void setKeyboardFocusGiver (std::function<void (juce::Component&)> giver);

    // The mark of a focus moved with the Tab key; tests hand the focus through it.
    KeyboardFocusMark& getFocusMark() { return focusMark; }

    int getCurrentItem() const { return currentItem; }
    juce::Colour getCurrentColour() const { return currentColour; }
    int getFadeStep() const { return colourFade.getStep(); }
    int getCurrentLanguage() const { return settings.language; }
    int getCurrentLanguageSet() const { return settings.languageSet; }
    juce::String getCurrentSets() const { return settings.sets; }
    int getCurrentTag() const { return settings.tag; }
    bool getLookForFavorites() const { return settings.lookForFavorites; }
    int getTimerSeconds() const { return settings.timerSeconds; }
    int getTimerBars() const { return settings.timerBars; }
    const DataTags& getDataTags() const { return dataTags; }
    AboutComponent& getAboutComponent() { return panels->getAboutComponent(); }
    OptionsComponent& getOptionsComponent() { return panels->getOptionsComponent(); }
    EditionComponent& getEditionComponent() { return panels->getEditionComponent(); }
    LibSetsConseils& getLibSetsConseils() { return *libSetsConseils; }

    static juce::String getNoAdviceMessage (int language);

private:
    void advanceFade();
    void createPanels();
    void takeOverOptions();
    void keepSettingsInHost();

    // What the main menu's entries do.
    void openOptions() override;
    void openSetsEdition() override;
    void openAbout() override;
    void openPage (const juce::String& pageName) override;
    void copyAdvice() override;
    void setAdviceTimer (int seconds, int bars) override;
    void restartAdviceTimer() override;

    CustomLookAndFeel lookAndFeel;

    std::unique_ptr<AdviceLabels> labels;
    std::unique_ptr<MainButtons> buttons;
    std::unique_ptr<FavoriteToggle> favoriteToggle;
    std::unique_ptr<PostponedDraw> postponedDraw;

    std::unique_ptr<PanelHost> panels;

    DataTags dataTags;
    std::unique_ptr<LibSetsConseils> libSetsConseils;
    RandomShuffle randomShuffle;
    RandomShuffle* shuffle = &randomShuffle;

    juce::Colour currentColour;
    ColourFade colourFade;

    // The interface language, the filters, the timer, and the advice shown when the settings were taken.
    ConfigFile::Settings settings;
    int currentItem = -1;

    std::function<void (const juce::URL&)> browserLauncher;
    std::function<void (const juce::String&)> clipboardWriter;
    const Window windowKind;
    std::unique_ptr<MessageDialogs> dialogs;
    KeyboardFocusRouter focusRouter{ *this };
    KeyboardFocusMark focusMark{ *this };
    std::unique_ptr<SettingsStore> settingsStore;
    std::function<void()> setsEditionHandler;
    MainMenu mainMenu{ *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
