#include "editor/EditionComponent.h"

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "editor/NativeEditorDialogs.h"
#include "widgets/CustomLookAndFeel.h"

namespace
{
const juce::String dialogTitle ("Musewheeler");
const juce::String setFilePattern ("*.mwh");
const juce::String setFileExtension ("mwh");

// The page and language toggles share one warm colour, opaque FFBC8A3E.
const juce::Colour toggleColour = juce::Colours::firebrick.brighter (0.15f).withHue (0.1f);

// Every new advice carries the tag "Musewheeler" of the abstraction level.
constexpr int newAdviceTag = 1;

constexpr int activeState = 2;
constexpr int highlightedState = 1;
constexpr int normalState = 0;

// The frame in the set's colour.
constexpr float frameCornerSize = 50.0f;
constexpr float frameThickness = 16.0f;

// The background's diagonal hatch.
constexpr int hatchSpacing = 10;

// French texts hold accents, which the toolkit's char* constructor refuses.
juce::String text (bool french, const char* frenchText, const char* englishText)
{
    return french ? juce::String::fromUTF8 (frenchText) : juce::String (englishText);
}

bool isPlusKey (const juce::KeyPress& key)
{
    return key.getKeyCode() == '+' || key.getTextCharacter() == '+' ||
           key.getKeyCode() == juce::KeyPress::numberPadAdd;
}

// "+" is typed with Shift on most keyboards, so Shift may join Control there.
bool isControlPlus (const juce::KeyPress& key)
{
    const auto modifiers =
        key.getModifiers().withoutMouseButtons().withoutFlags (juce::ModifierKeys::shiftModifier);
    return modifiers == juce::ModifierKeys (juce::ModifierKeys::ctrlModifier) && isPlusKey (key);
}

bool isControlLetter (const juce::KeyPress& key, char letter)
{
    return key == juce::KeyPress (letter, juce::ModifierKeys::ctrlModifier, 0);
}
} // namespace

EditionComponent::EditionComponent (DataTags* tags, LibSetsConseils* lib)
    : dataTags (tags)
    , libSets (lib)
    , dialogs (std::make_unique<NativeEditorDialogs>())
    , tagManager (tags)
{
    jassert (dataTags != nullptr && libSets != nullptr);

    addKeyListener (this);
    setWantsKeyboardFocus (true);

    setUpButtons();
    setUpLabels();

    wheel.setComponentID ("wheel");
    wheel.addKeyListener (this);
    wheel.addChangeListener (this);
    addAndMakeVisible (wheel);

    labelDescriptionTitle.setComponentID ("description-title-label");
    labelDescriptionTitle.setText ("Description", juce::dontSendNotification);
    labelDescriptionTitle.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
    labelDescriptionTitle.setJustificationType (juce::Justification::centredTop);
    labelDescriptionTitle.setFont (CustomLookAndFeel::programFont (16.0f, juce::Font::plain));
    labelDescriptionTitle.setEditable (false, false, false);
    addAndMakeVisible (labelDescriptionTitle);

    labelDescription.setComponentID ("description-label");
    labelDescription.setColour (juce::Label::textColourId, juce::Colours::white);
    labelDescription.setJustificationType (juce::Justification::topLeft);
    labelDescription.setFont (CustomLookAndFeel::programFont (14.0f, juce::Font::plain));
    labelDescription.setEditable (true, false, false);
    labelDescription.setIsATextEditor (true);
    labelDescription.addChangeListener (this);
    labelDescription.addKeyListener (this);
    labelDescription.onEditorHide = [this] { takeBackKeyboardFocus(); };
    addAndMakeVisible (labelDescription);

    labelColour.setComponentID ("colour-label");
    labelColour.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
    labelColour.setJustificationType (juce::Justification::centredTop);
    labelColour.setFont (CustomLookAndFeel::programFont (16.0f, juce::Font::plain));
    labelColour.setEditable (false, false, false);
    addAndMakeVisible (labelColour);

    colourSelector.setComponentID ("colour-selector");
    colourSelector.addChangeListener (this);
    addAndMakeVisible (colourSelector);

    tagManager.setComponentID ("tag-manager");
    tagManager.addChangeListener (this);
    tagManager.addKeyListener (this);
    tagManager.addActionListener (this);
    addAndMakeVisible (tagManager);

    labelTagsAdvice.setComponentID ("tags-advice-label");
    labelTagsAdvice.setColour (juce::Label::textColourId, juce::Colours::white);
    labelTagsAdvice.setJustificationType (juce::Justification::centred);
    labelTagsAdvice.setFont (CustomLookAndFeel::programFont (12.0f, juce::Font::plain));
    labelTagsAdvice.setEditable (false, false, false);
    addAndMakeVisible (labelTagsAdvice);

    updateControls (advicePage);
    updateHighlight();
}

EditionComponent::~EditionComponent()
{
    background = {};
    currentSet.reset();
}

void EditionComponent::setUpButtons()
{
    struct ButtonSetUp
    {
        SpecialButton& button;
        const char* id;
        juce::Colour colour;
    };

    const ButtonSetUp buttons[] = {
        { buttonNewSet, "new-set-button", juce::Colours::darkslateblue },
        { buttonOpenSet, "open-set-button", juce::Colours::darkslateblue },
        { buttonSave, "save-button", juce::Colours::darkslateblue },
        { buttonSaveAs, "save-as-button", juce::Colours::darkslateblue },
        { buttonClose, "close-button", juce::Colours::darkslateblue },
        { buttonLanguage, "language-button", toggleColour },
        { buttonColour, "colour-button", toggleColour },
        { buttonDescription, "description-button", toggleColour },
        { buttonTags, "tags-button", toggleColour },
        { buttonAddAdvice, "add-advice-button", juce::Colours::forestgreen },
        { buttonDuplicateAdvice, "duplicate-advice-button", juce::Colours::forestgreen },
        { buttonDeleteAdvice, "delete-advice-button", juce::Colours::forestgreen },
        { buttonBack, "back-button", juce::Colours::orange },
    };

    for (const auto& setUp : buttons)
    {
        setUp.button.setComponentID (setUp.id);
        setUp.button.addListener (this);
        setUp.button.addKeyListener (this);
        addAndMakeVisible (setUp.button);
    }

    for (auto* button : { &buttonNewSet, &buttonOpenSet, &buttonSave, &buttonSaveAs, &buttonClose })
    {
        button->setSizeButton (true);
        button->setSkin (false);
        button->setPositionLabel (2);
    }

    buttonLanguage.setSizeButton (true);
    buttonLanguage.setSkin (false);
    buttonLanguage.setDisplay (true);
    buttonLanguage.setPositionLabel (1);

    buttonColour.setSizeButton (true);
    buttonColour.setSkin (false);
    buttonColour.setPositionLabel (4);

    buttonDescription.setSizeButton (true);
    buttonDescription.setSkin (false);
    buttonDescription.setPositionLabel (3);

    buttonTags.setSizeButton (true);
    buttonTags.setSkin (false);
    buttonTags.setPositionLabel (2);

    buttonAddAdvice.setIcon ("New");
    buttonDuplicateAdvice.setIcon ("Duplicate");
    buttonDeleteAdvice.setIcon ("Delete");

    for (auto* button : { &buttonAddAdvice, &buttonDuplicateAdvice, &buttonDeleteAdvice })
    {
        button->setSkin (false);
        button->setPositionLabel (1);
    }

    buttonBack.setIcon ("Back");

    for (const auto& setUp : buttons)
        setUp.button.setColour (setUp.colour);
}

void EditionComponent::setUpLabels()
{
    labelName.setComponentID ("name-label");
    labelName.setColour (juce::Label::textColourId, juce::Colours::yellow);
    labelName.setJustificationType (juce::Justification::centredTop);
    labelName.setFont (CustomLookAndFeel::programFont (16.0f, juce::Font::bold));

    labelAdvice.setComponentID ("advice-label");
    labelAdvice.setColour (juce::Label::textColourId, juce::Colours::white);
    labelAdvice.setJustificationType (juce::Justification::centred);
    labelAdvice.setFont (CustomLookAndFeel::programFont (16.0f, juce::Font::plain));
    labelAdvice.setMinimumHorizontalScale (1.0f);

    labelAuthor.setComponentID ("author-label");
    labelAuthor.setColour (juce::Label::textColourId, juce::Colours::lightgrey);
    labelAuthor.setJustificationType (juce::Justification::centredRight);
    labelAuthor.setFont (CustomLookAndFeel::programFont (13.0f, juce::Font::italic));

    for (auto* label : { &labelName, &labelAdvice, &labelAuthor })
    {
        label->setEditable (true, false, false);
        label->addChangeListener (this);
        label->onEditorHide = [this] { takeBackKeyboardFocus(); };
        addAndMakeVisible (label);
    }

    labelAdvice.addActionListener (this);
}

void EditionComponent::setDialogs (std::unique_ptr<EditorDialogs> newDialogs)
{
    jassert (newDialogs != nullptr);
    dialogs = std::move (newDialogs);
}

//==============================================================================
void EditionComponent::initEdition()
{
    currentSet.reset();
    isSetOpen = false;
    isSaved = false;
    updateWindowTitle();

    for (auto* toggle : { &buttonDescription, &buttonColour, &buttonTags })
    {
        if (toggle->getSpecialState() == activeState)
        {
            toggle->setSpecialState (normalState);
            updateControls (advicePage);
            updateHighlight();
            toggle->setDisplay (false);
            setLanguage (currentLanguage);
        }
    }

    wheel.setValue (-1);
    updateControls (advicePage);
    updateHighlight();
}

void EditionComponent::setLanguage (int language)
{
    currentLanguage = language;
    tagManager.setLanguage (language);

    const auto french = isFrench();
    const auto back = text (french, "Retour...", "Back...");
    const auto isActive = [] (const SpecialButton& toggle)
    { return toggle.getSpecialState() == activeState; };

    buttonNewSet.setLabel (text (french, "Nouveau set", "New set"));
    buttonOpenSet.setLabel (text (french, "Ouvrir un set...", "Open a set..."));
    buttonSave.setLabel (text (french, "Enregistrer", "Save"));
    buttonSaveAs.setLabel (text (french, "Enregistrer sous...", "Save as..."));
    buttonClose.setLabel (text (french, "Fermer", "Close"));
    buttonAddAdvice.setLabel (text (french, "Ajouter un conseil", "Add a new advice"));
    buttonDuplicateAdvice.setLabel (
        text (french, "Dupliquer le conseil en cours", "Duplicate the current advice"));
    buttonDeleteAdvice.setLabel (text (french, "Supprimer le conseil en cours", "Delete the current advice"));
    buttonLanguage.setLabel (text (french, "Français", "French"), text (french, "Anglais", "English"));
    buttonDescription.setLabel (isActive (buttonDescription) ? back : juce::String ("Description"));
    buttonTags.setLabel (isActive (buttonTags) ? back : juce::String ("Tags"));
    buttonColour.setLabel (isActive (buttonColour) ? back : text (french, "Couleur", "Colour"));
    labelColour.setText (text (french, "Choisissez la couleur du set :", "Choose the set colour :"),
                         juce::dontSendNotification);

    repaint();
}

void EditionComponent::updateControls (int newMode)
{
    juce::Component* const pageChildren[] = {
        &buttonSave,         &buttonSaveAs,    &buttonClose,
        &buttonLanguage,     &buttonColour,    &buttonDescription,
        &buttonTags,         &buttonAddAdvice, &buttonDuplicateAdvice,
        &buttonDeleteAdvice, &labelName,       &labelAdvice,
        &labelAuthor,        &wheel,           &labelDescriptionTitle,
        &labelDescription,   &labelColour,     &colourSelector,
        &tagManager,         &labelTagsAdvice,
    };

    if (!isSetOpen || currentSet == nullptr)
    {
        mode = advicePage;

        for (auto* child : pageChildren)
            child->setVisible (false);

        repaint();
        return;
    }

    mode = juce::jlimit (advicePage, tagsPage, newMode);
    const auto numAdvices = getNumAdvices();
    const auto onAdvicePage = mode == advicePage;

    buttonSave.setVisible (true);
    buttonSaveAs.setVisible (true);
    buttonClose.setVisible (true);

    buttonAddAdvice.setVisible (onAdvicePage);
    buttonDuplicateAdvice.setVisible (onAdvicePage && numAdvices >= 1);
    buttonDeleteAdvice.setVisible (onAdvicePage && numAdvices >= 2);
    buttonTags.setVisible ((onAdvicePage && numAdvices >= 1) || mode == tagsPage);
    wheel.setVisible (onAdvicePage || mode == tagsPage);

    for (auto* label : { &labelName, &labelAdvice, &labelAuthor })
        label->setVisible (onAdvicePage);

    labelDescriptionTitle.setVisible (mode == descriptionPage);
    labelDescription.setVisible (mode == descriptionPage);
    labelColour.setVisible (mode == colourPage);
    colourSelector.setVisible (mode == colourPage);
    tagManager.setVisible (mode == tagsPage);
    labelTagsAdvice.setVisible (mode == tagsPage);

    buttonLanguage.setVisible (onAdvicePage);
    buttonDescription.setVisible (onAdvicePage || mode == descriptionPage);
    buttonColour.setVisible (onAdvicePage || mode == colourPage);

    repaint();
}

void EditionComponent::updateHighlight()
{
    if (isSetOpen && currentSet != nullptr)
    {
        buttonAddAdvice.setSpecialState (getNumAdvices() == 0 ? highlightedState : normalState);

        if (mode != descriptionPage)
            buttonDescription.setSpecialState (currentSet->getDescription().isEmpty() ? highlightedState
                                                                                      : normalState);

        // On the tags page the tags toggle keeps its active state.
        if (mode != tagsPage)
        {
            const auto advice = getCurrentAdvice();
            const auto fewTags = advice >= 0 && currentSet->getNumTags (advice) < 2;
            buttonTags.setSpecialState (fewTags ? highlightedState : normalState);
        }
    }

    buttonSave.setSpecialState (isSaved ? normalState : highlightedState);
}

void EditionComponent::displayAdvice()
{
    if (currentSet == nullptr)
        return;

    labelName.setText (currentSet->getName(), juce::dontSendNotification);

    const auto advice = getCurrentAdvice();

    if (advice < 0)
    {
        labelAdvice.setText (text (isFrench(), "Aucun conseil n'a été trouvé.", "No advice has been found"),
                             juce::dontSendNotification);
        labelAdvice.setEnabled (false);
        labelAdvice.setEditable (false, false, false);
    }
    else
    {
        const auto adviceText = currentSet->getDescriptionItem (advice);
        labelAdvice.setText (adviceText, juce::dontSendNotification);
        labelAdvice.setEnabled (true);
        labelAdvice.setEditable (true, false, false);
        labelTagsAdvice.setText (adviceText, juce::dontSendNotification);

        if (tagManager.isVisible())
            tagManager.setHashTags (currentSet->getHashTags (advice));
    }

    labelAuthor.setText (currentSet->getAuthor(), juce::dontSendNotification);
    buttonBack.setColour (juce::Colours::orange);
    buttonLanguage.setValue (currentSet->getLanguage());
    repaint();
}

juce::String EditionComponent::getWindowTitle() const
{
    if (!isSetOpen || currentSet == nullptr)
        return dialogTitle;

    const auto file = currentSet->getFileSet();

    if (file == juce::File())
        return dialogTitle + "*";

    return dialogTitle + " - " + file.getFileName() + (isSaved ? "" : "*");
}

void EditionComponent::updateWindowTitle()
{
    // Off the desktop (tests, a panel not yet shown) there is no window to name.
    if (getPeer() == nullptr)
        return;

    // The top-level component's name is its native window's title, and stays so if the window is rebuilt.
    getTopLevelComponent()->setName (getWindowTitle());
}

void EditionComponent::createBackground()
{
    const auto width = getWidth();
    const auto height = getHeight();

    background = juce::Image (juce::Image::RGB, juce::jmax (1, width), juce::jmax (1, height), true);

    juce::Graphics g (background);
    g.fillAll (juce::Colours::black);
    g.setColour (juce::Colours::black.brighter (0.05f));

    for (int i = -height; i < width / hatchSpacing; ++i)
    {
        const auto x = (float) (hatchSpacing * i);
        g.drawLine (x, 0.0f, x + (float) height, (float) height, 1.0f);
        g.drawLine (x, (float) height, x + (float) height, 0.0f, 1.0f);
    }
}

//==============================================================================
void EditionComponent::mouseDown (const juce::MouseEvent&) {}

void EditionComponent::paint (juce::Graphics& g)
{
    if (background.isValid())
        g.drawImageAt (background, 0, 0);

    if (isSetOpen && currentSet != nullptr)
    {
        g.setColour (currentSet->getColourSet());
        g.drawRoundedRectangle (80.0f, 75.0f, (float) getWidth() - 160.0f, (float) getHeight() - 160.0f,
                                frameCornerSize, frameThickness);
    }
}

void EditionComponent::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();

    buttonNewSet.setBounds (w / 2 - 95, 10, 212, 50);
    buttonOpenSet.setBounds (w / 2 - 55, 10, 212, 50);
    buttonSave.setBounds (w / 2 - 15, 10, 212, 50);
    buttonSaveAs.setBounds (w / 2 + 25, 10, 212, 50);
    buttonClose.setBounds (w / 2 + 65, 10, 212, 50);
    buttonLanguage.setBounds (45, 37, 112, 47);
    buttonColour.setBounds (5, 173, 60, 47);
    buttonDescription.setBounds (5, 125, 60, 47);
    buttonTags.setBounds (45, 269, 112, 47);
    buttonAddAdvice.setBounds (w / 2 - 75, h - 65, 212, 57);
    buttonDuplicateAdvice.setBounds (w / 2 - 25, h - 65, 212, 57);
    buttonDeleteAdvice.setBounds (w / 2 + 25, h - 65, 212, 57);
    buttonBack.setBounds (w - 55, h - 55, 42, 52);
    labelName.setBounds (110, 95, w - 220, 24);
    labelAdvice.setBounds (100, 120, w - 200, 96);
    labelAuthor.setBounds (110, h - 125, w - 220, 24);
    wheel.setBounds (w - 70, 145, 70, 70);
    labelDescriptionTitle.setBounds (110, 90, w - 220, 24);
    labelDescription.setBounds (100, 120, w - 200, 96);
    labelColour.setBounds (110, 90, w - 220, 24);
    colourSelector.setBounds (100, 130, w - 200, 90);
    tagManager.setBounds (80, 80, w - 160, h - 170);
    labelTagsAdvice.setBounds (120, h - 70, w - 240, 60);

    // Made once, at the size of the first layout.
    if (!background.isValid() && !getLocalBounds().isEmpty())
        createBackground();
}

//==============================================================================
bool EditionComponent::keyPressed (const juce::KeyPress& key)
{
    if (isControlLetter (key, 's'))
    {
        if (!buttonSave.isVisible())
            return false;

        buttonClicked (&buttonSave);
        return true;
    }

    if (isControlLetter (key, 'o'))
    {
        buttonClicked (&buttonOpenSet);
        return true;
    }

    if (isControlLetter (key, 'n'))
    {
        buttonClicked (&buttonNewSet);
        return true;
    }

    if (isControlLetter (key, 'w'))
    {
        if (!buttonClose.isVisible())
            return false;

        buttonClicked (&buttonClose);
        return true;
    }

    if (isControlPlus (key))
    {
        if (!buttonAddAdvice.isVisible())
            return false;

        buttonClicked (&buttonAddAdvice);
        return true;
    }

    return false;
}

bool EditionComponent::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    return keyPressed (key);
}

//==============================================================================
void EditionComponent::buttonClicked (juce::Button* button)
{
    // An edit accepted a moment ago belongs to the set as it is now, before any command changes it.
    applyPendingEdits();

    if (button == &buttonBack)
        goBack();
    else if (button == &buttonNewSet)
        newSet();
    else if (button == &buttonOpenSet)
        openSet();
    else if (currentSet == nullptr || !isSetOpen)
        return; // the other commands work on the open set; their buttons are shown only while there is one
    else if (button == &buttonLanguage)
        toggleSetLanguage();
    else if (button == &buttonSave)
        saveSet();
    else if (button == &buttonSaveAs)
        saveSetAs();
    else if (button == &buttonClose)
        closeSet();
    else if (button == &buttonAddAdvice)
        addAdvice();
    else if (button == &buttonDuplicateAdvice)
        duplicateAdvice();
    else if (button == &buttonDeleteAdvice)
        deleteAdvice();
    else if (button == &buttonDescription)
        togglePage (buttonDescription, descriptionPage);
    else if (button == &buttonColour)
        togglePage (buttonColour, colourPage);
    else if (button == &buttonTags)
        togglePage (buttonTags, tagsPage);

    keepKeyboardFocus();
}

void EditionComponent::takeBackKeyboardFocus()
{
    // A closing text field gives the focus away to nothing; the editor takes it first.
    if (isShowing())
        grabKeyboardFocus();
}

void EditionComponent::keepKeyboardFocus()
{
    // A dismissed dialog leaves no component focused, and keys then stop short of the editor.
    if (isShowing() && !hasKeyboardFocus (true))
        grabKeyboardFocus();
}

void EditionComponent::applyPendingEdits()
{
    // A field still being typed in holds the user's work as much as an accepted one: every way out of it
    // (a button, a shortcut, the window's close button) takes it as Return would.
    for (auto* label : { &labelName, &labelAdvice, &labelAuthor, &labelDescription })
        label->commitEdit();

    for (auto* broadcaster : std::initializer_list<juce::ChangeBroadcaster*>{
             &labelName, &labelAdvice, &labelAuthor, &labelDescription, &colourSelector, &tagManager,
             &wheel })
        broadcaster->dispatchPendingMessages();
}

bool EditionComponent::guardUnsavedChanges()
{
    const auto answer = callMessageBoxSaved();

    if (answer == answerCancel)
        return false;

    if (answer == answerSave)
    {
        saveSet();

        // A cancelled save-as dialog, or a save that failed, keeps the set and its changes.
        if (savedAnswer == answerCancel)
            return false;
    }

    return true;
}

void EditionComponent::leaveActivePage()
{
    for (auto* toggle : { &buttonDescription, &buttonColour, &buttonTags })
        if (toggle->getSpecialState() == activeState)
            buttonClicked (toggle);
}

int EditionComponent::callMessageBoxSaved()
{
    if (isSaved || !isSetOpen)
    {
        savedAnswer = answerIgnore;
        return savedAnswer;
    }

    const auto french = isFrench();
    savedAnswer = dialogs->showYesNoCancelBox (
        dialogTitle,
        text (french, "Le set a été modifié. Voulez-vous enregistrer vos modifications ?",
              "The set has been modified. Would you like to save it now ?"),
        text (french, "Oui", "Yes"), text (french, "Ignorer", "Ignore"), text (french, "Annuler", "Cancel"));

    return savedAnswer;
}

bool EditionComponent::askAuthorizationToQuit()
{
    applyPendingEdits();

    const auto answer = callMessageBoxSaved();

    // A save-as dialog cancelled, or a save that failed, keeps the program running with the changes.
    if (answer == answerSave)
        saveSet();

    keepKeyboardFocus();
    return answer != answerCancel && savedAnswer != answerCancel;
}

//==============================================================================
void EditionComponent::goBack()
{
    if (!guardUnsavedChanges())
        return;

    currentSet.reset();
    isSetOpen = false;
    updateWindowTitle();
    sendActionMessage (exitMessage);
}

void EditionComponent::newSet()
{
    if (!guardUnsavedChanges())
        return;

    leaveActivePage();

    currentSet = std::make_unique<SetConseils> (dataTags);
    currentSet->setColourSet (juce::Colours::orange);
    currentSet->setLanguage (currentLanguage);
    labelDescription.setText ({}, juce::dontSendNotification);
    colourSelector.setColour (currentSet->getColourSet());

    const auto french = isFrench();
    const auto year = juce::String (juce::Time::getCurrentTime().getYear());
    currentSet->setName (text (french, "Pas de nom", "No name"));
    currentSet->setAuthor (text (french, "Auteur inconnu (", "Unknown author (") + year + ")");

    isSetOpen = true;
    isSaved = false;
    updateWindowTitle();

    addAdvice();
}

void EditionComponent::openSet()
{
    if (!guardUnsavedChanges())
        return;

    const auto chosen = dialogs->browseForFileToOpen (
        text (isFrench(), "Choisissez un set à ouvrir", "Choose the set to open"), getDataFolder(),
        setFilePattern);

    if (chosen != juce::File() && chosen.existsAsFile())
    {
        leaveActivePage();

        currentSet = std::make_unique<SetConseils> (dataTags);
        currentSet->setFileSet (chosen);

        if (LibSetsConseils::isThisFileAValidSet (chosen) == 2)
            currentSet->loadData (2);
        else
            currentSet->loadOldData (2);

        isSetOpen = true;
        isSaved = true;

        const auto numAdvices = getNumAdvices();
        wheel.setValue (numAdvices > 0 ? 0 : -1);
        wheel.setMaximum (numAdvices);

        labelDescription.setText (currentSet->getDescription(), juce::dontSendNotification);
        colourSelector.setColour (currentSet->getColourSet());

        updateControls (advicePage);
        displayAdvice();
        updateHighlight();
    }

    updateWindowTitle();
}

void EditionComponent::saveSet()
{
    if (currentSet->getFileSet() == juce::File())
    {
        saveSetAs();
        return;
    }

    if (confirmWritingOverItsFile())
        writeSet();
    else
        savedAnswer = answerCancel;

    updateHighlight();
    updateWindowTitle();
}

bool EditionComponent::confirmWritingOverItsFile()
{
    const auto file = currentSet->getFileSet();

    if (!file.existsAsFile())
        return true;

    const auto french = isFrench();
    const auto path = file.getFullPathName();

    // Another program, or a second instance of this one, may have saved the file since it was read: its
    // changes would be lost without a word.
    if (!currentSet->isUnchangedOnDisk())
        return dialogs->showOkCancelBox (
            dialogTitle,
            text (french, "Le fichier ", "The file ") + path +
                text (french,
                      " a été modifié par un autre programme depuis son ouverture. Le remplacer par le "
                      "set affiché ?",
                      " was changed by another program since it was opened. Replace it with the set shown "
                      "here?"),
            text (french, "Remplacer", "Replace"), text (french, "Annuler", "Cancel"));

    // The reader passed over part of the file (a NUL character, text after a value's ";"): the set
    // shown is shorter than the file, and writing it would drop the rest for good.
    if (!currentSet->wasReadWhole())
        return dialogs->showOkCancelBox (
            dialogTitle,
            text (french, "Le fichier ", "The file ") + path +
                text (french,
                      " contient du texte que Musewheeler n'a pas pu lire (un caractère nul, ou du texte "
                      "après le « ; » d'une valeur). L'enregistrer avec le set affiché retirera ce texte du "
                      "fichier. Enregistrer quand même ?",
                      " holds text that Musewheeler could not read (a null character, or text after a "
                      "value's \";\"). Saving the set shown here will remove that text from the file. Save "
                      "anyway?"),
            text (french, "Enregistrer", "Save"), text (french, "Annuler", "Cancel"));

    return true;
}

void EditionComponent::saveSetAs()
{
    const auto french = isFrench();
    const auto chosen = dialogs->browseForFileToSave (
        text (french, "Choisissez l'emplacement du set à sauvegarder", "Choose the place to save your set"),
        getDataFolder(), setFilePattern, true);

    if (chosen == juce::File())
    {
        savedAnswer = answerCancel;
        updateWindowTitle();
        return;
    }

    const auto target = chosen.withFileExtension (setFileExtension);

    // The chooser warned only about the name as typed; the extension can name another file that exists.
    if (target != chosen && target.exists())
    {
        const auto replace = dialogs->showOkCancelBox (
            dialogTitle,
            (french ? juce::String::fromUTF8 ("Le fichier \"") : juce::String ("The file \"")) +
                target.getFileName() +
                text (french, "\" existe déjà. Voulez-vous le remplacer ?",
                      "\" already exists. Do you want to replace it ?"),
            text (french, "Oui", "Yes"), text (french, "Annuler", "Cancel"));

        if (!replace)
        {
            savedAnswer = answerCancel;
            updateWindowTitle();
            return;
        }
    }

    // The chooser asked about another file; the set's own file still holds what it read.
    if (target == currentSet->getFileSet() && !confirmWritingOverItsFile())
    {
        savedAnswer = answerCancel;
        updateWindowTitle();
        return;
    }

    currentSet->setFileSet (target);
    writeSet();
    updateHighlight();
    updateWindowTitle();
}

void EditionComponent::writeSet()
{
    if (currentSet->saveData())
    {
        isSaved = true;
        return;
    }

    // Nothing was written: the changes stay unsaved, and a command that asked for the save is abandoned.
    isSaved = false;
    savedAnswer = answerCancel;

    const auto path = currentSet->getFileSet().getFullPathName();
    dialogs->showMessageBox (
        dialogTitle,
        text (isFrench(), "Le set n'a pas pu être enregistré dans ", "The set could not be saved to ") +
            path + ".",
        "OK");
}

void EditionComponent::closeSet()
{
    if (!guardUnsavedChanges())
        return;

    leaveActivePage();
    currentSet.reset();
    isSetOpen = false;
    initEdition();
    updateWindowTitle();
}

void EditionComponent::toggleSetLanguage()
{
    const auto newLanguage = buttonLanguage.getValue() == 0 ? 1 : 0;
    currentSet->setLanguage (newLanguage);
    isSaved = false;
    updateWindowTitle();
    updateControls (advicePage);
    displayAdvice();
    updateHighlight();
}

void EditionComponent::addAdvice()
{
    currentSet->addNewConseil();

    const auto last = getNumAdvices() - 1;
    currentSet->setDescriptionItem (last, currentSet->getLanguage() == 0 ? juce::String ("Conseil vide")
                                                                         : juce::String ("Empty advice"));
    currentSet->addTagToItem (last, newAdviceTag);

    wheel.setMaximum (getNumAdvices());
    wheel.setValue (last);
    finishAdviceCommand();
}

void EditionComponent::duplicateAdvice()
{
    const auto source = wheel.getValue();
    currentSet->addNewConseil();

    const auto last = getNumAdvices() - 1;
    currentSet->duplicateConseil (source, last);

    wheel.setMaximum (getNumAdvices());
    wheel.setValue (last);
    finishAdviceCommand();
}

void EditionComponent::deleteAdvice()
{
    const auto french = isFrench();
    const auto quoted = "\"" + labelAdvice.getText() + "\" ?";
    const auto message =
        french ? juce::String::fromUTF8 ("Êtes-vous sûrs de vouloir supprimer le conseil  ") + quoted
               : juce::String ("Do you want to delete the advice ") + quoted;

    if (!dialogs->showOkCancelBox (dialogTitle, message, text (french, "Oui", "Yes"),
                                   text (french, "Annuler", "Cancel")))
        return;

    currentSet->removeConseil (wheel.getValue());
    const auto numAdvices = getNumAdvices();
    wheel.setMaximum (numAdvices);

    if (numAdvices == 0)
        wheel.setValue (-1);
    else if (wheel.getValue() > 0)
        wheel.setValue (wheel.getValue() - 1);
    else
        wheel.setValue (0);

    finishAdviceCommand();
}

void EditionComponent::finishAdviceCommand()
{
    isSaved = false;
    updateControls (advicePage);
    displayAdvice();
    updateHighlight();
    updateWindowTitle();
}

void EditionComponent::togglePage (SpecialButton& toggle, int page)
{
    if (toggle.getSpecialState() != activeState)
    {
        toggle.setSpecialState (activeState);

        for (auto* other : { &buttonDescription, &buttonColour, &buttonTags })
        {
            if (other != &toggle)
            {
                other->setSpecialState (normalState);
                other->setDisplay (false);
            }
        }

        if (&toggle == &buttonTags)
        {
            tagManager.setHashTags (currentSet->getHashTags (wheel.getValue()));
            tagManager.setColour (currentSet->getColourSet());
            tagManager.setButtonClicked (0);
        }

        updateControls (page);
        updateHighlight();
        toggle.setDisplay (true);
        setLanguage (currentLanguage);
    }
    else
    {
        toggle.setSpecialState (normalState);
        updateControls (advicePage);
        updateHighlight();
        toggle.setDisplay (false);
        setLanguage (currentLanguage);
    }
}

//==============================================================================
void EditionComponent::actionListenerCallback (const juce::String& message)
{
    if (message == SpecialTagManager::wheelMessage)
        wheel.mouseWheelMove (tagManager.getMouseWheel());
    else if (message == SpecialLabel::wheelMessage)
        wheel.mouseWheelMove (labelAdvice.getMouseWheel());
}

void EditionComponent::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    // A message that arrives after its set was closed has nothing left to change.
    if (currentSet == nullptr || !isSetOpen)
        return;

    if (source == &wheel)
    {
        displayAdvice();
        updateHighlight();
    }
    else if (source == &labelName)
    {
        isSaved = false;
        currentSet->setName (labelName.getText());
        updateHighlight();
        updateWindowTitle();
    }
    else if (source == &labelAdvice)
    {
        isSaved = false;
        currentSet->setDescriptionItem (wheel.getValue(), labelAdvice.getText());
        labelTagsAdvice.setText (labelAdvice.getText(), juce::dontSendNotification);
        updateHighlight();
        updateWindowTitle();
    }
    else if (source == &labelAuthor)
    {
        isSaved = false;
        currentSet->setAuthor (labelAuthor.getText());
        updateHighlight();
        updateWindowTitle();
    }
    else if (source == &labelDescription)
    {
        isSaved = false;
        currentSet->setDescription (labelDescription.getText());
        updateHighlight();
        updateWindowTitle();
    }
    else if (source == &colourSelector)
    {
        isSaved = false;
        currentSet->setColourSet (colourSelector.getColour());
        tagManager.setColour (currentSet->getColourSet());
        displayAdvice();
        updateHighlight();
        repaint();
        updateWindowTitle();
    }
    else if (source == &tagManager)
    {
        isSaved = false;
        currentSet->setHashTags (wheel.getValue(), tagManager.getHashTags());
        displayAdvice();
        updateHighlight();
        repaint();
        updateWindowTitle();
    }
}

//==============================================================================
EditionComponent::FocusKeeper::FocusKeeper (EditionComponent& editorToKeep)
    : editor (editorToKeep)
{
    juce::Desktop::getInstance().addFocusChangeListener (this);
}

EditionComponent::FocusKeeper::~FocusKeeper()
{
    juce::Desktop::getInstance().removeFocusChangeListener (this);
}

void EditionComponent::FocusKeeper::globalFocusChanged (juce::Component* focusedComponent)
{
    // Only the editor's own window: focus that went to another program stays there.
    if (focusedComponent != nullptr && focusedComponent != &editor &&
        focusedComponent == editor.getTopLevelComponent() && editor.isShowing())
        editor.grabKeyboardFocus();
}

//==============================================================================
int EditionComponent::getCurrentAdvice() const
{
    const auto value = wheel.getValue();
    return juce::isPositiveAndBelow (value, getNumAdvices()) ? value : -1;
}

int EditionComponent::getNumAdvices() const
{
    return currentSet != nullptr ? currentSet->getNumConseils() : 0;
}

juce::File EditionComponent::getDataFolder() const
{
    return libSets != nullptr ? libSets->getDirectoryDataLib() : LibSetsConseils::getDirectoryDataLib();
}
