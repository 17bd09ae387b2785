#include "editor/EditionComponent.h"

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "editor/EditorShortcuts.h"

// The commands: keys and buttons, the edits made in the panel's fields, and the set commands with the
// questions that keep the user's unsaved work. Every change to the set ends in markEdited(), so that the
// Save highlight and the window title's "*" never lag behind it.

namespace
{
const juce::String setFilePattern ("*.mwh");
const juce::String setFileExtension ("mwh");

// Every new advice carries the tag "Musewheeler" of the abstraction level.
constexpr int newAdviceTag = 1;
} // namespace

//==============================================================================
// Keys and buttons: the shortcuts press the buttons they stand for.

bool EditionComponent::keyPressed (const juce::KeyPress& key)
{
    // Return is the keyboard's way into the shown advice, as a click on it is the mouse's.
    if (key == juce::KeyPress (juce::KeyPress::returnKey) && mode == advicePage && labelAdvice.isVisible() &&
        labelAdvice.isEditableOnSingleClick() && !labelAdvice.isBeingEdited())
    {
        labelAdvice.showEditor();
        return true;
    }

    // Save, close and add work on the open set, and only while their buttons are shown.
    switch (EditorShortcuts::getCommand (key))
    {
        case EditorShortcuts::Command::save:
            return pressIfShown (buttonSave);
        case EditorShortcuts::Command::open:
            buttonClicked (&buttonOpenSet);
            return true;
        case EditorShortcuts::Command::newSet:
            buttonClicked (&buttonNewSet);
            return true;
        case EditorShortcuts::Command::close:
            return pressIfShown (buttonClose);
        case EditorShortcuts::Command::addAdvice:
            return pressIfShown (buttonAddAdvice);
        case EditorShortcuts::Command::none:
            break;
    }

    return false;
}

bool EditionComponent::pressIfShown (SpecialButton& button)
{
    if (!button.isVisible())
        return false;

    buttonClicked (&button);
    return true;
}

bool EditionComponent::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    return keyPressed (key);
}

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

//==============================================================================
// Edits made in the panel's fields.

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

void EditionComponent::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    // A message that arrives after its set was closed has nothing left to change.
    if (currentSet == nullptr || !isSetOpen)
        return;

    if (source == &wheel)
    {
        // Turning the wheel only moves to another advice; the set is unchanged.
        displayAdvice();
        updateHighlight();
        return;
    }

    if (source == &labelName)
    {
        currentSet->setName (labelName.getText());
    }
    else if (source == &labelAdvice)
    {
        currentSet->setDescriptionItem (wheel.getValue(), labelAdvice.getText());
        labelTagsAdvice.setText (labelAdvice.getText(), juce::dontSendNotification);
    }
    else if (source == &labelAuthor)
    {
        currentSet->setAuthor (labelAuthor.getText());
    }
    else if (source == &labelDescription)
    {
        currentSet->setDescription (labelDescription.getText());
    }
    else if (source == &colourSelector)
    {
        currentSet->setColourSet (colourSelector.getColour());
        tagManager.setColour (currentSet->getColourSet());
        displayAdvice();
        repaint();
    }
    else if (source == &tagManager)
    {
        currentSet->setHashTags (wheel.getValue(), tagManager.getHashTags());
        displayAdvice();
        repaint();
    }
    else
    {
        return;
    }

    markEdited();
}

// The set now differs from its file: Save lights up and the title takes its "*".
void EditionComponent::markEdited()
{
    isSaved = false;
    updateHighlight();
    updateWindowTitle();
}

void EditionComponent::actionListenerCallback (const juce::String& message)
{
    if (message == SpecialTagManager::wheelMessage)
        wheel.mouseWheelMove (tagManager.getMouseWheel());
    else if (message == SpecialLabel::wheelMessage)
        wheel.mouseWheelMove (labelAdvice.getMouseWheel());
}

//==============================================================================
// The unsaved-changes question, before a set is replaced or left and before the program quits.

EditionComponent::SavedAnswer EditionComponent::callMessageBoxSaved()
{
    if (isSaved || !isSetOpen)
    {
        savedAnswer = answerIgnore;
        return savedAnswer;
    }

    const auto answer = dialogs->showYesNoCancelBox (
        programName,
        Bilingual{ "The set has been modified. Would you like to save it now ?",
                   "Le set a été modifié. Voulez-vous enregistrer vos modifications ?" }
            .in (currentLanguage),
        Bilingual{ "Yes", "Oui" }.in (currentLanguage), Bilingual{ "Ignore", "Ignorer" }.in (currentLanguage),
        Bilingual{ "Cancel", "Annuler" }.in (currentLanguage));

    savedAnswer = answer == EditorDialogs::YesNoCancel::yes  ? answerSave
                  : answer == EditorDialogs::YesNoCancel::no ? answerIgnore
                                                             : answerCancel;
    return savedAnswer;
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
// Set commands: new, open, save, save as, close and back.

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

    const auto year = juce::String (juce::Time::getCurrentTime().getYear());
    currentSet->setName (Bilingual{ "No name", "Pas de nom" }.in (currentLanguage));
    currentSet->setAuthor (Bilingual{ "Unknown author (", "Auteur inconnu (" }.in (currentLanguage) + year +
                           ")");

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
        Bilingual{ "Choose the set to open", "Choisissez un set à ouvrir" }.in (currentLanguage),
        getDataFolder(), setFilePattern);

    if (chosen != juce::File() && chosen.existsAsFile())
    {
        leaveActivePage();

        currentSet = std::make_unique<SetConseils> (dataTags);
        currentSet->setFileSet (chosen);

        currentSet->loadAnyFormat (SetConseils::headerAndAdvice, SetConseils::OtherFiles::readAsLegacy);

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

void EditionComponent::saveSetAs()
{
    const auto chosen = dialogs->browseForFileToSave (
        Bilingual{ "Choose the place to save your set", "Choisissez l'emplacement du set à sauvegarder" }.in (
            currentLanguage),
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
            programName,
            Bilingual{ "The file \"", "Le fichier \"" }.in (currentLanguage) + target.getFileName() +
                Bilingual{ "\" already exists. Do you want to replace it ?",
                           "\" existe déjà. Voulez-vous le remplacer ?" }
                    .in (currentLanguage),
            Bilingual{ "Yes", "Oui" }.in (currentLanguage),
            Bilingual{ "Cancel", "Annuler" }.in (currentLanguage));

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

bool EditionComponent::confirmWritingOverItsFile()
{
    const auto file = currentSet->getFileSet();

    if (!file.existsAsFile())
        return true;

    const auto path = file.getFullPathName();

    // Another program, or a second instance of this one, may have saved the file since it was read: its
    // changes would be lost without a word.
    if (!currentSet->isUnchangedOnDisk())
        return dialogs->showOkCancelBox (
            programName,
            Bilingual{ "The file ", "Le fichier " }.in (currentLanguage) + path +
                Bilingual{
                    " was changed by another program since it was opened. Replace it with the set shown "
                    "here?",
                    " a été modifié par un autre programme depuis son ouverture. Le remplacer par le "
                    "set affiché ?" }
                    .in (currentLanguage),
            Bilingual{ "Replace", "Remplacer" }.in (currentLanguage),
            Bilingual{ "Cancel", "Annuler" }.in (currentLanguage));

    // The reader passed over part of the file (a NUL character, text after a value's ";"): the set
    // shown is shorter than the file, and writing it would drop the rest for good.
    if (!currentSet->wasReadWhole())
        return dialogs->showOkCancelBox (
            programName,
            Bilingual{ "The file ", "Le fichier " }.in (currentLanguage) + path +
                Bilingual{
                    " holds text that Musewheeler could not read (a null character, or text after a "
                    "value's \";\"). Saving the set shown here will remove that text from the file. Save "
                    "anyway?",
                    " contient du texte que Musewheeler n'a pas pu lire (un caractère nul, ou du texte "
                    "après le « ; » d'une valeur). L'enregistrer avec le set affiché retirera ce texte du "
                    "fichier. Enregistrer quand même ?" }
                    .in (currentLanguage),
            Bilingual{ "Save", "Enregistrer" }.in (currentLanguage),
            Bilingual{ "Cancel", "Annuler" }.in (currentLanguage));

    return true;
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
        programName,
        Bilingual{ "The set could not be saved to ", "Le set n'a pas pu être enregistré dans " }.in (
            currentLanguage) +
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

void EditionComponent::goBack()
{
    if (!guardUnsavedChanges())
        return;

    currentSet.reset();
    isSetOpen = false;
    updateWindowTitle();
    sendActionMessage (exitMessage);
}

juce::File EditionComponent::getDataFolder() const
{
    return libSets != nullptr ? libSets->getDirectoryDataLib() : LibSetsConseils::getDirectoryDataLib();
}

//==============================================================================
// Commands on the open set's contents: its language and its advice.

void EditionComponent::toggleSetLanguage()
{
    const auto newLanguage = buttonLanguage.getValue() == 0 ? 1 : 0;
    currentSet->setLanguage (newLanguage);
    updateControls (advicePage);
    displayAdvice();
    markEdited();
}

void EditionComponent::addAdvice()
{
    currentSet->addNewConseil();

    const auto last = getNumAdvices() - 1;
    currentSet->setDescriptionItem (
        last, Bilingual{ "Empty advice", "Conseil vide" }.in (currentSet->getLanguage()));
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
    const auto quoted = "\"" + labelAdvice.getText() + "\" ?";
    const auto message =
        Bilingual{ "Do you want to delete the advice ", "Êtes-vous sûrs de vouloir supprimer le conseil  " }
            .in (currentLanguage) +
        quoted;

    if (!dialogs->showOkCancelBox (programName, message, Bilingual{ "Yes", "Oui" }.in (currentLanguage),
                                   Bilingual{ "Cancel", "Annuler" }.in (currentLanguage)))
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
    updateControls (advicePage);
    displayAdvice();
    markEdited();
}

//==============================================================================
// The description, colour and tags pages, opened and left through their toggles.

void EditionComponent::togglePage (SpecialButton& toggle, int page)
{
    if (toggle.getSpecialState() != SpecialButton::activeState)
    {
        toggle.setSpecialState (SpecialButton::activeState);

        for (auto* other : { &buttonDescription, &buttonColour, &buttonTags })
        {
            if (other != &toggle)
            {
                other->setSpecialState (SpecialButton::normalState);
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
        toggle.setSpecialState (SpecialButton::normalState);
        updateControls (advicePage);
        updateHighlight();
        toggle.setDisplay (false);
        setLanguage (currentLanguage);
    }
}

void EditionComponent::leaveActivePage()
{
    for (auto* toggle : { &buttonDescription, &buttonColour, &buttonTags })
        if (toggle->getSpecialState() == SpecialButton::activeState)
            buttonClicked (toggle);
}
