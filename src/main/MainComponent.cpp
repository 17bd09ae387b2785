#include "main/MainComponent.h"

#include "base/Bilingual.h"
#include "dialogs/AsyncMessageDialogs.h"
#include "dialogs/NativeEditorDialogs.h"
#include "main/HelpPages.h"
#include "settings/ConfigFile.h"
#include "settings/FileSettingsStore.h"
#include "widgets/CardLayout.h"

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

constexpr const char* helpPageName = "index.html";
constexpr const char* setsPageName = "sets.html";

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
    takeNewAdvice (false, lastItem);

    createPanels();

    setSize (500, 350);
    takeKeyboardFocus();

    if (timerSeconds > 0)
        startTimer (adviceTimer, timerSeconds * 1000);

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
    aboutComponent.reset();
    optionsComponent.reset();
    editionComponent.reset();

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
    if (editionComponent != nullptr && editionComponent->isVisible())
        return *editionComponent;

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
    buttonNewAdvice->setTitle (newAdviceTitle.in (currentLanguage));
    buttonMenu->setTitle ("Menu");
    buttonFavorite->setTitle (favouriteTitle.in (currentLanguage));
}

//==============================================================================
void MainComponent::initDatabase()
{
    libSetsConseils->loadLibSetsConseils();
    libSetsConseils->generateFilteredList (currentLanguage, currentLanguageSet, currentSets, currentTag,
                                           lookForFavorites);
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
        labelAdvice->setText (getNoAdviceMessage (currentLanguage), juce::dontSendNotification);
        buttonFavorite->setVisible (false);
    }
    else
    {
        labelAdvice->setText (text, juce::dontSendNotification);
        buttonFavorite->setVisible (!lookForFavorites);
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
        fadeTargetColour = colour;
        applyColourToButtons();
    }

    juce::AccessibilityHandler::postAnnouncement (labelAdvice->getText(),
                                                  juce::AccessibilityHandler::AnnouncementPriority::medium);
    takeKeyboardFocus();
    repaint();
}

void MainComponent::changeCurrentColour (juce::Colour newColour)
{
    if (newColour == fadeTargetColour)
        return;

    fadeStartColour = currentColour;
    fadeTargetColour = newColour;
    fadeStep = 0;
    startTimer (fadeTimer, fadeTickMilliseconds);
}

void MainComponent::advanceFade()
{
    ++fadeStep;

    if (fadeStep < fadeTicks)
        startTimer (fadeTimer, fadeTickMilliseconds);
    else
        stopTimer (fadeTimer);

    if (fadeStep > fadeHoldTicks)
    {
        const auto f = (float) juce::jmin (fadeStep - fadeHoldTicks, fadeTicks - fadeHoldTicks) /
                       (float) (fadeTicks - fadeHoldTicks);
        const auto hs = fadeStartColour.getHue();
        const auto ht = fadeTargetColour.getHue();
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

        const auto saturation = fadeStartColour.getSaturation() +
                                f * (fadeTargetColour.getSaturation() - fadeStartColour.getSaturation());
        const auto brightness = fadeStartColour.getBrightness() +
                                f * (fadeTargetColour.getBrightness() - fadeStartColour.getBrightness());

        currentColour = juce::Colour::fromHSV (hue, saturation, brightness, fadeStartColour.getFloatAlpha());
    }

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

    labelSetName->setBounds (CardLayout::nameLabel (w, h));
    labelAdvice->setBounds (CardLayout::adviceLabel (w, h));
    labelAuthor->setBounds (CardLayout::authorLabel (w, h));
    buttonMenu->setBounds (20, h - 55, 42, 52);
    buttonFavorite->setBounds (w - 107, h - 55, 42, 52);
    buttonNewAdvice->setBounds (w - 55, h - 55, 42, 52);

    // A visible panel covers the whole screen, so the buttons behind it cannot be reached.
    for (auto* panel : { static_cast<juce::Component*> (aboutComponent.get()),
                         static_cast<juce::Component*> (optionsComponent.get()),
                         static_cast<juce::Component*> (editionComponent.get()) })
        if (panel != nullptr)
            panel->setBounds (0, 0, w, h);
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
            "Musewheeler", favoriteNotWrittenText.in (currentLanguage).replace (pathPlaceholder, path), "OK");
    else if (outcome == LibSetsConseils::FavoriteSaving::fileChanged)
        dialogs->showMessageBox ("Musewheeler",
                                 favoriteFileChangedText.in (currentLanguage).replace (pathPlaceholder, path),
                                 "OK");
}

bool MainComponent::keyPressed (const juce::KeyPress& key)
{
    if (key.getKeyCode() == juce::KeyPress::F1Key && !key.getModifiers().isAnyModifierKeyDown())
    {
        openPage (helpPageName);
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
    aboutComponent = std::make_unique<AboutComponent>();
    addChildComponent (*aboutComponent);
    aboutComponent->addActionListener (this);

    optionsComponent = std::make_unique<OptionsComponent> (&dataTags, libSetsConseils.get());
    addChildComponent (*optionsComponent);
    optionsComponent->addActionListener (this);

    editionComponent = std::make_unique<EditionComponent> (&dataTags, libSetsConseils.get());
    addChildComponent (*editionComponent);
    editionComponent->addActionListener (this);

    // The panels fill their lists in English when they are built; the catalogue stays in the interface
    // language meanwhile.
    dataTags.initDataTagsLibrary (currentLanguage == 1);
}

void MainComponent::openOptions()
{
    lookAndFeel.setTypeButton (false);
    optionsComponent->comboLanguageSets.setSelectedId (currentLanguageSet + 2, juce::dontSendNotification);
    optionsComponent->setLanguage (currentLanguage);
    optionsComponent->setCurrentSets (currentSets, lookForFavorites);
    optionsComponent->setCurrentTag (currentTag);
    optionsComponent->displayCurrentDescriptionSets();
    optionsComponent->setVisible (true);
    dataTags.initDataTagsLibrary (currentLanguage == 1);
}

void MainComponent::openEdition()
{
    lookAndFeel.setTypeButton (true);
    editionComponent->initEdition();
    editionComponent->setLanguage (currentLanguage);
    editionComponent->setVisible (true);
    takeKeyboardFocus();

    dataTags.initDataTagsLibrary (currentLanguage == 1);
}

void MainComponent::openAbout()
{
    aboutComponent->language = currentLanguage;
    aboutComponent->setVisible (true);
}

void MainComponent::takeOverOptions()
{
    currentLanguage = optionsComponent->language;
    currentLanguageSet = optionsComponent->comboLanguageSets.getSelectedId() - 2;
    currentSets = optionsComponent->getCurrentSets();
    currentTag = optionsComponent->getCurrentTag();
    lookForFavorites = optionsComponent->comboSets.getSelectedId() == OptionsComponent::favoritesId;
    saveDataConfig();
    initDatabase();
}

void MainComponent::actionListenerCallback (const juce::String& message)
{
    if (message == AboutComponent::exitMessage)
    {
        aboutComponent->setVisible (false);
        takeKeyboardFocus();
    }
    else if (message == OptionsComponent::okMessage)
    {
        optionsComponent->setVisible (false);
        takeOverOptions();
    }
    else if (message == OptionsComponent::cancelMessage)
    {
        optionsComponent->setVisible (false);
        takeKeyboardFocus();
    }
    else if (message == EditionComponent::exitMessage)
    {
        // Sets created or changed in the editor take part in the next draws.
        editionComponent->setVisible (false);
        initDatabase();
    }
}

bool MainComponent::isAPanelVisible() const
{
    return aboutComponent->isVisible() || editionComponent->isVisible() || optionsComponent->isVisible();
}

void MainComponent::timerCallback (int timerID)
{
    if (timerID == fadeTimer)
    {
        advanceFade();
    }
    else if (timerID == adviceTimer)
    {
        if (!isAPanelVisible())
            takeNewAdvice (true, -1);

        restartAdviceTimer();
    }
}

void MainComponent::restartAdviceTimer()
{
    if (timerSeconds != 0)
        startTimer (adviceTimer, timerSeconds * 1000);
    else
        stopTimer (adviceTimer);
}

bool MainComponent::askAuthorizationToQuit()
{
    // Only the set editor holds changes that a quit could lose.
    if (!editionComponent->isVisible())
        return true;

    return editionComponent->askAuthorizationToQuit();
}

//==============================================================================
int MainComponent::getTimerPeriodForMenuId (int menuId)
{
    for (const auto& entry : timerEntries)
        if (entry.menuId == menuId)
            return entry.seconds;

    return -1;
}

int MainComponent::getTimerBarsForMenuId (int menuId)
{
    for (const auto& entry : barTimerEntries)
        if (entry.menuId == menuId)
            return entry.bars;

    return -1;
}

void MainComponent::offerBarTimer()
{
    barTimerOffered = true;
}

juce::PopupMenu MainComponent::createMainMenu() const
{
    juce::PopupMenu timerMenu;

    for (const auto& entry : timerEntries)
        timerMenu.addItem (entry.menuId, entry.name.in (currentLanguage), true,
                           timerBars == 0 && timerSeconds == entry.seconds);

    if (barTimerOffered)
        for (const auto& entry : barTimerEntries)
            timerMenu.addItem (entry.menuId, entry.name.in (currentLanguage), true, timerBars == entry.bars);

    juce::PopupMenu menu;
    menu.addItem (menuOptions, "Options");
    menu.addSubMenu (timerText.in (currentLanguage), timerMenu);
    menu.addSeparator();
    menu.addItem (menuSetsEdition, setsEditionText.in (currentLanguage));
    menu.addItem (menuMoreSets, moreSetsText.in (currentLanguage));
    menu.addSeparator();
    menu.addItem (menuHelp, helpText.in (currentLanguage));
    menu.addItem (menuCopyAdvice, copyAdviceText.in (currentLanguage));
    menu.addItem (menuAbout, aboutText.in (currentLanguage));
    return menu;
}

void MainComponent::showMenu()
{
    // The menu keeps the toolkit's plain look, in the program's colours, rather than the program's own.
    const auto menuLook = std::make_shared<juce::LookAndFeel_V2>();
    menuLook->setColour (juce::PopupMenu::backgroundColourId, juce::Colours::black);
    menuLook->setColour (juce::PopupMenu::textColourId, juce::Colours::lightgrey);
    menuLook->setColour (juce::PopupMenu::highlightedBackgroundColourId, currentColour);

    auto menu = createMainMenu();
    menu.setLookAndFeel (menuLook.get());

    const juce::Component::SafePointer<MainComponent> safeThis (this);

    if (windowKind == Window::host)
    {
        // Closed with the screen, which the host may close at any moment; the look lives as long as the menu.
        menu.showMenuAsync (juce::PopupMenu::Options().withDeletionCheck (*this),
                            [safeThis, menuLook] (int chosen)
                            {
                                if (safeThis != nullptr)
                                    safeThis->handleMenuResult (chosen);
                            });
        return;
    }

    const auto chosen = menu.show();

    if (safeThis != nullptr)
        handleMenuResult (chosen);
}

void MainComponent::handleMenuResult (int menuId)
{
    switch (menuId)
    {
        case menuOptions:
            openOptions();
            break;
        case menuSetsEdition:
            if (setsEditionHandler != nullptr)
                setsEditionHandler();
            else
                openEdition();
            break;
        case menuAbout:
            openAbout();
            break;
        case menuMoreSets:
            openPage (setsPageName);
            break;
        case menuHelp:
            openPage (helpPageName);
            break;
        case menuCopyAdvice:
            clipboardWriter (labelAdvice->getText());
            break;
        case menuTimerDisabled:
            timerSeconds = 0;
            timerBars = 0;
            stopTimer (adviceTimer);
            break;
        default:
            if (barTimerOffered && menuId >= menuTimerFirstBars && menuId <= menuTimerLastBars)
            {
                timerBars = getTimerBarsForMenuId (menuId);
                timerSeconds = 0;
                stopTimer (adviceTimer);
            }
            else if (menuId >= menuTimerFirstPeriod && menuId <= menuTimerLastPeriod)
            {
                timerSeconds = getTimerPeriodForMenuId (menuId);
                timerBars = 0;
                startTimer (adviceTimer, timerSeconds * 1000);
            }
            else
            {
                restartAdviceTimer();
            }
            break;
    }
}

//==============================================================================
juce::File MainComponent::getPageFile (const juce::String& pageName) const
{
    return HelpPages::getPageFile (pageName, currentLanguage);
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

    const auto& settings = *stored;
    currentLanguage = settings.language;
    currentLanguageSet = settings.languageSet;
    currentSets = settings.sets;
    currentTag = settings.tag;
    lastItem = settings.lastItem;
    lookForFavorites = settings.lookForFavorites;
    timerSeconds = settings.timerSeconds;
    timerBars = settings.timerBars;

    dataTags.initDataTagsLibrary (currentLanguage == 1);
}

void MainComponent::saveDataConfig()
{
    settingsStore->save (getSettings());
}

void MainComponent::reloadSettings()
{
    loadDataConfig();
    initDatabase();
    takeNewAdvice (false, lastItem);
    restartAdviceTimer();
}

ConfigFile::Settings MainComponent::getSettings() const
{
    ConfigFile::Settings settings;
    settings.language = currentLanguage;
    settings.languageSet = currentLanguageSet;
    settings.sets = currentSets;
    settings.tag = currentTag;
    settings.lastItem = currentItem;
    settings.lookForFavorites = lookForFavorites;
    settings.timerSeconds = timerSeconds;
    settings.timerBars = timerBars;
    return settings;
}
