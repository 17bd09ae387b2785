#include "main/MainComponent.h"

#include "base/Bilingual.h"
#include "dialogs/AsyncMessageDialogs.h"
#include "dialogs/NativeEditorDialogs.h"
#include "main/HelpPages.h"
#include "settings/ConfigFile.h"
#include "settings/FileSettingsStore.h"

namespace
{
constexpr Bilingual newAdviceTitle{ "New advice", "Nouveau conseil" };
constexpr Bilingual favouriteTitle{ "Favourite", "Favori" };

constexpr Bilingual noAdviceText{
    "No advice has been found. You should change the tag filtering (options), or verify that your advice "
    "sets are in the data folder.",
    "Aucun conseil n'a été trouvé. Vous devriez modifier le filtrage des tags (options) et vérifier que les "
    "sets sont dans le dossier data."
};

// Where the set file's path goes in the messages about a favourite that could not be saved.
constexpr const char* pathPlaceholder = "<path>";

constexpr Bilingual favoriteNotWrittenText{
    "The favourite could not be saved: the file <path> cannot be written.",
    "Le favori n'a pas pu être enregistré : le fichier <path> ne peut pas être écrit."
};
constexpr Bilingual favoriteFileChangedText{
    "The favourite was not saved: the file <path> was changed or removed by another program since it was "
    "read, and it is left as it is. Press OK in the options to read the sets again.",
    "Le favori n'a pas été enregistré : le fichier <path> a été modifié ou supprimé par un autre programme "
    "depuis sa lecture, et il est laissé tel quel. Appuyez sur OK dans les options pour relire les sets."
};

// The frame is drawn inset so that its rounded corners clear the buttons along the bottom edge.
constexpr float frameInsetX = 80.0f;
constexpr float frameInsetY = 50.0f;
constexpr float frameCornerSize = 50.0f;
constexpr float frameThickness = 16.0f;
constexpr float frameHeightReduction = 160.0f;

std::unique_ptr<MessageDialogs> makeDialogs (MainComponent::Window window, juce::Component& screen)
{
    if (window == MainComponent::Window::host)
        return std::make_unique<AsyncMessageDialogs> (screen);

    return std::make_unique<NativeEditorDialogs>();
}
} // namespace

MainComponent::MainComponent()
    : MainComponent (std::make_unique<FileSettingsStore>())
{
}

MainComponent::MainComponent (std::unique_ptr<SettingsStore> store, Window shownIn)
    : browserLauncher ([] (const juce::URL& address) { address.launchInDefaultBrowser(); })
    , clipboardWriter ([] (const juce::String& text) { juce::SystemClipboard::copyTextToClipboard (text); })
    , windowKind (shownIn)
    , dialogs (makeDialogs (shownIn, *this))
    , keyboardFocusGiver (
          [] (juce::Component& component)
          {
              // Only a component on screen can hold the focus.
              if (component.isShowing())
                  component.grabKeyboardFocus();
          })
    , settingsStore (std::move (store))
{
    // Set on the screen too, so that it and its panels keep it where another screen in the same process
    // has since become the default's owner, or has ended and taken the default with it.
    setLookAndFeel (&lookAndFeel);

    if (windowKind == Window::program)
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    setWantsKeyboardFocus (true);

    labelSetName = makeLabel ("set-name-label", juce::Colours::yellow, juce::Justification::centredTop,
                              CustomLookAndFeel::programFont (16.0f, juce::Font::bold));
    labelAdvice = makeLabel ("advice-label", juce::Colours::white, juce::Justification::centred,
                             CustomLookAndFeel::programFont (16.0f, juce::Font::plain));
    labelAdvice->setMinimumHorizontalScale (1.0f);
    labelAuthor = makeLabel ("author-label", juce::Colours::lightgrey, juce::Justification::centredRight,
                             CustomLookAndFeel::programFont (13.0f, juce::Font::italic));

    buttonNewAdvice = makeButton ("new-advice-button", "+");
    buttonMenu = makeButton ("menu-button", "Menu");
    buttonFavorite = makeButton ("favorite-button", "Favorite");
    buttonFavorite->setValue (0);

    libSetsConseils = std::make_unique<LibSetsConseils> (&dataTags);

    loadDataConfig();
    initDatabase();
    takeNewAdvice (false, settings.lastItem);

    createPanels();

    setSize (500, 350);
    takeKeyboardFocus();

    if (settings.timerSeconds > 0)
        startTimer (adviceTimer, settings.timerSeconds * 1000);

    juce::Desktop::getInstance().addFocusChangeListener (this);
}

MainComponent::~MainComponent()
{
    juce::Desktop::getInstance().removeFocusChangeListener (this);
    saveDataConfig();

    labelSetName.reset();
    labelAdvice.reset();
    labelAuthor.reset();
    buttonNewAdvice.reset();
    buttonMenu.reset();
    buttonFavorite.reset();

    // The panels point into the set library and the tag catalogue, so they go first.
    panels.reset();

    libSetsConseils.reset();

    stopTimer (fadeTimer);
    stopTimer (adviceTimer);

    setLookAndFeel (nullptr);

    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

std::unique_ptr<juce::Label> MainComponent::makeLabel (const juce::String& identifier,
                                                       juce::Colour textColour,
                                                       juce::Justification justification,
                                                       const juce::Font& font)
{
    auto label = std::make_unique<juce::Label> (juce::String(), juce::String());
    label->setComponentID (identifier);
    label->setColour (juce::Label::textColourId, textColour);
    label->setJustificationType (justification);
    label->setFont (font);
    addAndMakeVisible (*label);
    return label;
}

std::unique_ptr<SpecialButton> MainComponent::makeButton (const juce::String& identifier,
                                                          const juce::String& icon)
{
    auto button = std::make_unique<SpecialButton>();
    button->setComponentID (identifier);
    addAndMakeVisible (*button);
    button->addListener (this);
    button->setIcon (icon);
    button->addKeyListener (this);
    return button;
}

juce::Component& MainComponent::getKeyboardFocusTarget()
{
    if (panels != nullptr && panels->isEditionVisible())
        return panels->getEditionComponent();

    return *this;
}

void MainComponent::takeKeyboardFocus()
{
    keyboardFocusGiver (getKeyboardFocusTarget());
}

void MainComponent::focusGained (FocusChangeType)
{
    // The window gives the focus back to what held it before it lost it, which may be the main screen
    // though the set editor has opened over it meanwhile.
    if (&getKeyboardFocusTarget() != this)
        takeKeyboardFocus();
}

void MainComponent::globalFocusChanged (juce::Component* focusedComponent)
{
    // Focus that rests in this window outside the component meant to take the keys (on the window
    // itself, or behind the set editor on the main screen or one of its buttons) goes to that component.
    // Focus in another window (another program, a dialog, a menu) stays where it is.
    if (focusedComponent == nullptr)
        return;

    auto* window = getTopLevelComponent();

    if (focusedComponent != window && !window->isParentOf (focusedComponent))
        return;

    auto& target = getKeyboardFocusTarget();

    if (focusedComponent != &target && !target.isParentOf (focusedComponent))
        takeKeyboardFocus();
}

void MainComponent::updateButtonTitles()
{
    buttonNewAdvice->setTitle (newAdviceTitle.in (settings.language));
    buttonMenu->setTitle ("Menu");
    buttonFavorite->setTitle (favouriteTitle.in (settings.language));
}

//==============================================================================
void MainComponent::initDatabase()
{
    libSetsConseils->loadLibSetsConseils();
    libSetsConseils->generateFilteredList (settings.language, settings.languageSet, settings.sets,
                                           settings.tag, settings.lookForFavorites);
    updateButtonTitles();
    takeNewAdvice (false, -1);
}

juce::String MainComponent::getNoAdviceMessage (int language)
{
    return noAdviceText.in (language);
}

void MainComponent::takeNewAdvice (bool fade, int index)
{
    const auto numAdvice = libSetsConseils->getNumConseilsFiltered();
    int k = 0;

    if (numAdvice > 0 && index == -1)
        k = randomShuffle.getRandomShuffledNumber (0, numAdvice);
    else if (index >= 0 && index < numAdvice)
        k = index;

    currentItem = k;

    const auto setName = libSetsConseils->getNameFiltered (k);
    labelSetName->setText (setName, juce::dontSendNotification);

    const auto text = libSetsConseils->getDescriptionItemFiltered (k);

    if (text.isEmpty())
    {
        labelAdvice->setText (getNoAdviceMessage (settings.language), juce::dontSendNotification);
        buttonFavorite->setVisible (false);
    }
    else
    {
        labelAdvice->setText (text, juce::dontSendNotification);
        buttonFavorite->setVisible (!settings.lookForFavorites);
    }

    if (setName.isEmpty())
    {
        labelAuthor->setText ({}, juce::dontSendNotification);
    }
    else
    {
        labelAuthor->setText (libSetsConseils->getAuthorFiltered (k), juce::dontSendNotification);
        buttonFavorite->setValue (libSetsConseils->getFavorite (k) ? 1 : 0);
    }

    const auto colour = libSetsConseils->getColourSetFiltered (k);

    if (fade)
    {
        changeCurrentColour (colour);
    }
    else
    {
        // A fade still running would otherwise pull the colour back towards its own start.
        stopTimer (fadeTimer);
        currentColour = colour;
        colourFade.setTarget (colour);
        applyColourToButtons();
    }

    juce::AccessibilityHandler::postAnnouncement (labelAdvice->getText(),
                                                  juce::AccessibilityHandler::AnnouncementPriority::medium);
    takeKeyboardFocus();
    repaint();
    keepSettingsInHost();
}

void MainComponent::changeCurrentColour (juce::Colour newColour)
{
    if (newColour == colourFade.getTarget())
        return;

    colourFade.start (currentColour, newColour);
    startTimer (fadeTimer, fadeTickMilliseconds);
}

void MainComponent::advanceFade()
{
    currentColour = colourFade.advance (currentColour);

    if (colourFade.isRunning())
        startTimer (fadeTimer, fadeTickMilliseconds);
    else
        stopTimer (fadeTimer);

    applyColourToButtons();
    repaint();
}

void MainComponent::applyColourToButtons()
{
    for (auto* button : { buttonNewAdvice.get(), buttonMenu.get(), buttonFavorite.get() })
    {
        button->setColour (currentColour);
        button->repaint();
    }
}

//==============================================================================
void MainComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    g.setColour (currentColour);
    g.drawRoundedRectangle (frameInsetX, frameInsetY, (float) getWidth() - 2.0f * frameInsetX,
                            (float) getHeight() - frameHeightReduction, frameCornerSize, frameThickness);
}

void MainComponent::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();

    labelSetName->setBounds (100, 70, w - 200, 24);
    labelAdvice->setBounds (100, 95, w - 200, 96);
    labelAuthor->setBounds (110, h - 150, w - 220, 24);
    buttonMenu->setBounds (20, h - 55, 42, 52);
    buttonFavorite->setBounds (w - 107, h - 55, 42, 52);
    buttonNewAdvice->setBounds (w - 55, h - 55, 42, 52);

    if (panels != nullptr)
        panels->setBounds (getLocalBounds());
}

void MainComponent::mouseDown (const juce::MouseEvent&) {}

//==============================================================================
void MainComponent::buttonClicked (juce::Button* button)
{
    if (button == buttonNewAdvice.get())
    {
        takeNewAdvice (true, -1);
    }
    else if (button == buttonMenu.get())
    {
        showMenu();
    }
    else if (button == buttonFavorite.get())
    {
        toggleFavorite();
    }
}

void MainComponent::toggleFavorite()
{
    const auto newValue = buttonFavorite->getValue() != 1 ? 1 : 0;
    const auto outcome = libSetsConseils->setFavorite (currentItem, newValue == 1);

    // The toggle shows what the set file holds: a mark that could not be saved is not shown as made.
    if (outcome == LibSetsConseils::FavoriteSaving::saved)
        buttonFavorite->setValue (newValue);
    else
        tellFavoriteNotSaved (outcome, libSetsConseils->getFileSetFiltered (currentItem));
}

void MainComponent::tellFavoriteNotSaved (LibSetsConseils::FavoriteSaving outcome, const juce::File& setFile)
{
    const auto path = setFile.getFullPathName();

    if (outcome == LibSetsConseils::FavoriteSaving::writeFailed)
        dialogs->showMessageBox (
            "Musewheeler", favoriteNotWrittenText.in (settings.language).replace (pathPlaceholder, path),
            "OK");
    else if (outcome == LibSetsConseils::FavoriteSaving::fileChanged)
        dialogs->showMessageBox (
            "Musewheeler", favoriteFileChangedText.in (settings.language).replace (pathPlaceholder, path),
            "OK");
}

bool MainComponent::keyPressed (const juce::KeyPress& key)
{
    if (key.getKeyCode() == juce::KeyPress::F1Key && !key.getModifiers().isAnyModifierKeyDown())
    {
        openPage (MainMenu::helpPageName);
        return true;
    }

    return false;
}

bool MainComponent::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    return keyPressed (key);
}

//==============================================================================
void MainComponent::createPanels()
{
    panels = std::make_unique<PanelHost> (*this, *this, dataTags, *libSetsConseils, lookAndFeel);

    // The panels fill their lists in English when they are built; the catalogue stays in the interface
    // language meanwhile.
    dataTags.initDataTagsLibrary (settings.language == 1);
}

void MainComponent::openOptions()
{
    panels->openOptions (settings);
    dataTags.initDataTagsLibrary (settings.language == 1);
}

void MainComponent::openSetsEdition()
{
    if (setsEditionHandler != nullptr)
    {
        setsEditionHandler();
        return;
    }

    panels->openEdition (settings.language);
    takeKeyboardFocus();
    dataTags.initDataTagsLibrary (settings.language == 1);
}

void MainComponent::openAbout()
{
    panels->openAbout (settings.language);
}

void MainComponent::takeOverOptions()
{
    settings = panels->takeOverOptions (settings);
    saveDataConfig();
    initDatabase();
}

void MainComponent::actionListenerCallback (const juce::String& message)
{
    switch (panels->closeFor (message))
    {
        case PanelHost::Closing::aboutLeft:
        case PanelHost::Closing::optionsCancelled:
            takeKeyboardFocus();
            break;
        case PanelHost::Closing::optionsAccepted:
            takeOverOptions();
            break;
        case PanelHost::Closing::editionLeft:
            // Sets created or changed in the editor take part in the next draws.
            initDatabase();
            break;
        case PanelHost::Closing::none:
            break;
    }
}

void MainComponent::timerCallback (int timerID)
{
    if (timerID == fadeTimer)
    {
        advanceFade();
    }
    else if (timerID == adviceTimer)
    {
        if (!panels->isAPanelVisible())
            takeNewAdvice (true, -1);

        restartAdviceTimer();
    }
}

void MainComponent::restartAdviceTimer()
{
    if (settings.timerSeconds != 0)
        startTimer (adviceTimer, settings.timerSeconds * 1000);
    else
        stopTimer (adviceTimer);
}

bool MainComponent::askAuthorizationToQuit()
{
    return panels->askAuthorizationToQuit();
}

//==============================================================================
juce::PopupMenu MainComponent::createMainMenu() const
{
    return mainMenu.create ({ settings.language, settings.timerSeconds, settings.timerBars });
}

void MainComponent::showMenu()
{
    mainMenu.show (createMainMenu(), currentColour, *this, windowKind == Window::host);
}

void MainComponent::handleMenuResult (int menuId)
{
    mainMenu.handleResult (menuId);
}

void MainComponent::copyAdvice()
{
    clipboardWriter (labelAdvice->getText());
}

void MainComponent::setAdviceTimer (int seconds, int bars)
{
    settings.timerSeconds = seconds;
    settings.timerBars = bars;
    restartAdviceTimer();
    keepSettingsInHost();
}

//==============================================================================
juce::File MainComponent::getPageFile (const juce::String& pageName) const
{
    return HelpPages::getPageFile (pageName, settings.language);
}

void MainComponent::openPage (const juce::String& pageName)
{
    const auto page = getPageFile (pageName);

    if (page.existsAsFile())
        browserLauncher (HelpPages::getPageAddress (page));
}

void MainComponent::setBrowserLauncher (std::function<void (const juce::URL&)> launcher)
{
    browserLauncher = std::move (launcher);
}

void MainComponent::setClipboardWriter (std::function<void (const juce::String&)> writer)
{
    clipboardWriter = std::move (writer);
}

void MainComponent::setDialogs (std::unique_ptr<MessageDialogs> newDialogs)
{
    dialogs = std::move (newDialogs);
}

void MainComponent::setSetsEditionHandler (std::function<void()> handler)
{
    setsEditionHandler = std::move (handler);
}

void MainComponent::setKeyboardFocusGiver (std::function<void (juce::Component&)> giver)
{
    keyboardFocusGiver = std::move (giver);
}

//==============================================================================
void MainComponent::loadDataConfig()
{
    const auto stored = settingsStore->load();

    if (!stored.has_value())
    {
        saveDataConfig();
        return;
    }

    settings = *stored;

    dataTags.initDataTagsLibrary (settings.language == 1);
}

void MainComponent::saveDataConfig()
{
    settingsStore->save (getSettings());
}

void MainComponent::keepSettingsInHost()
{
    // The host may save its project at any moment, so the instance holds every change at once. The
    // program's file is written when the options are taken over and when the screen ends.
    if (windowKind == Window::host)
        saveDataConfig();
}

void MainComponent::reloadSettings()
{
    loadDataConfig();
    initDatabase();
    takeNewAdvice (false, settings.lastItem);
    restartAdviceTimer();
}

ConfigFile::Settings MainComponent::getSettings() const
{
    auto held = settings;
    held.lastItem = currentItem;
    return held;
}
