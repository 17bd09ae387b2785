#include "main/MainComponent.h"

#include "base/Bilingual.h"
#include "dialogs/AsyncMessageDialogs.h"
#include "dialogs/NativeEditorDialogs.h"
#include "dialogs/ToolkitTexts.h"
#include "main/HelpPages.h"
#include "main/PageBrowser.h"
#include "settings/ConfigFile.h"
#include "settings/FileSettingsStore.h"

namespace
{
constexpr Bilingual noAdviceText{
    "No advice has been found. You should change the tag filtering (options), or verify that your advice "
    "sets are in the data folder.",
    "Aucun conseil n'a été trouvé. Vous devriez modifier le filtrage des tags (options) et vérifier que les "
    "sets sont dans le dossier data."
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
    : browserLauncher (PageBrowser::open)
    , clipboardWriter ([] (const juce::String& text) { juce::SystemClipboard::copyTextToClipboard (text); })
    , windowKind (shownIn)
    , dialogs (makeDialogs (shownIn, *this))
    , settingsStore (std::move (store))
{
    // Set on the screen too, so that it and its panels keep it where another screen in the same process
    // has since become the default's owner, or has ended and taken the default with it.
    setLookAndFeel (&lookAndFeel);

    if (windowKind == Window::program)
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);

    setWantsKeyboardFocus (true);

    labels = std::make_unique<AdviceLabels> (*this);
    buttons = std::make_unique<MainButtons> (*this, *this, *this);

    libSetsConseils = std::make_unique<LibSetsConseils> (&dataTags);
    favoriteToggle = std::make_unique<FavoriteToggle> (buttons->getFavorite(), *libSetsConseils);
    postponedDraw = std::make_unique<PostponedDraw> (buttons->getFavorite(), buttons->getNewAdvice());
    buttons->getFavorite().onPress = [this] { favoriteToggle->pressed (currentItem); };
    buttons->getFavorite().onRelease = [this] { favoriteToggle->released(); };

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

    labels.reset();
    favoriteToggle.reset();
    buttons.reset();
    postponedDraw.reset();

    // The panels point into the set library and the tag catalogue, so they go first.
    focusRouter.setKeyTakingPanel (nullptr);
    panels.reset();

    libSetsConseils.reset();

    stopTimer (fadeTimer);
    stopTimer (adviceTimer);

    setLookAndFeel (nullptr);

    if (windowKind == Window::program)
        ToolkitTexts::useLanguage (Bilingual::english);

    if (&juce::LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}

juce::Component& MainComponent::getKeyboardFocusTarget()
{
    return focusRouter.getTarget();
}

void MainComponent::takeKeyboardFocus()
{
    focusRouter.giveFocusToTarget();
}

void MainComponent::focusGained (FocusChangeType)
{
    focusRouter.screenGainedFocus();
}

void MainComponent::globalFocusChanged (juce::Component* focusedComponent)
{
    focusRouter.focusMovedTo (focusedComponent);
}

//==============================================================================
void MainComponent::initDatabase()
{
    libSetsConseils->loadLibSetsConseils();
    libSetsConseils->generateFilteredList (settings.language, settings.languageSet, settings.sets,
                                           settings.tag, settings.lookForFavorites);
    buttons->setLanguage (settings.language);

    // In the program alone: the plugin shows no file chooser, and its instances keep languages of their own.
    if (windowKind == Window::program)
        ToolkitTexts::useLanguage (settings.language);

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
        k = shuffle->getRandomShuffledNumber (0, numAdvice);
    else if (index >= 0 && index < numAdvice)
        k = index;

    currentItem = k;
    postponedDraw->drop();

    const auto setName = libSetsConseils->getNameFiltered (k);
    const auto text = libSetsConseils->getDescriptionItemFiltered (k);
    auto& favorite = buttons->getFavorite();

    // With no advice there is nothing to mark; with favourites only, everything shown is marked.
    favorite.setVisible (text.isNotEmpty() && !settings.lookForFavorites);

    if (setName.isNotEmpty())
        favorite.setValue (libSetsConseils->getFavorite (k) ? 1 : 0);

    labels->show (setName, text.isEmpty() ? getNoAdviceMessage (settings.language) : text,
                  setName.isEmpty() ? juce::String() : libSetsConseils->getAuthorFiltered (k));

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
        buttons->setColour (currentColour);
    }

    juce::AccessibilityHandler::postAnnouncement (labels->getAdvice(),
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

    buttons->setColour (currentColour);
    repaint();
}

//==============================================================================
void MainComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    g.setColour (currentColour);
    g.drawRoundedRectangle (frameInsetX, frameInsetY, (float) getWidth() - 2.0f * frameInsetX,
                            (float) getHeight() - frameHeightReduction, frameCornerSize, frameThickness);
}

void MainComponent::paintOverChildren (juce::Graphics& g)
{
    if (panels != nullptr && !panels->isAPanelVisible())
        focusMark.paintOver (g);
}

void MainComponent::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();

    labels->layOut (w, h);
    buttons->layOut (w, h);

    if (panels != nullptr)
        panels->setBounds (getLocalBounds());
}

void MainComponent::mouseDown (const juce::MouseEvent&) {}

//==============================================================================
void MainComponent::buttonClicked (juce::Button* button)
{
    if (button == &buttons->getNewAdvice())
    {
        takeNewAdvice (true, -1);
    }
    else if (button == &buttons->getMenu())
    {
        showMenu();
    }
    else if (button == &buttons->getFavorite())
    {
        favoriteToggle->toggle (currentItem, settings.language, *dialogs);
    }
}

void MainComponent::buttonStateChanged (juce::Button*)
{
    if (postponedDraw->heldDrawReleased() && !panels->isAPanelVisible())
    {
        takeNewAdvice (true, -1);
        restartAdviceTimer();
    }
}

bool MainComponent::keyPressed (const juce::KeyPress& key)
{
    // Behind a panel the buttons cannot be reached.
    if (panels != nullptr && !panels->isAPanelVisible() && focusMark.moveFocus (key))
        return true;

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
    focusRouter.setKeyTakingPanel (&panels->getEditionComponent());
    focusRouter.addKeyTakingPanel (panels->getOptionsComponent());

    // The panels fill their lists in English when they are built; the catalogue stays in the interface
    // language meanwhile.
    dataTags.initDataTagsLibrary (settings.language == 1);
}

void MainComponent::openOptions()
{
    panels->openOptions (settings);
    takeKeyboardFocus();
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
        if (!panels->isAPanelVisible() && postponedDraw->mayDrawNow())
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
    clipboardWriter (labels->getAdvice());
}

void MainComponent::setAdviceTimer (int seconds, int bars)
{
    settings.timerSeconds = seconds;
    settings.timerBars = bars;
    postponedDraw->drop();
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
    focusRouter.setFocusGiver (std::move (giver));
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
