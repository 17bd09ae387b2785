#include "editor/EditionComponent.h"

#include "advice/LibSetsConseils.h"
#include "dialogs/NativeEditorDialogs.h"
#include "widgets/CustomLookAndFeel.h"

// The panel: its children, their texts, which of them the page shows, the highlights that call for the
// user's attention, the drawing and the layout. What the commands do to the set lives in
// EditionComponentCommands.cpp.

namespace
{
// The page and language toggles share one warm colour, opaque FFBC8A3E.
const juce::Colour toggleColour = juce::Colours::firebrick.brighter (0.15f).withHue (0.1f);

// The frame in the set's colour.
constexpr float frameCornerSize = 50.0f;
constexpr float frameThickness = 16.0f;

// The background's diagonal hatch.
constexpr int hatchSpacing = 10;
} // namespace

//==============================================================================
// Construction: the children in the order they lie on top of each other.

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
        button->setPositionLabel (SpecialButton::labelBelow);
    }

    buttonLanguage.setSizeButton (true);
    buttonLanguage.setSkin (false);
    buttonLanguage.setDisplay (true);
    buttonLanguage.setPositionLabel (SpecialButton::labelAbove);

    buttonColour.setSizeButton (true);
    buttonColour.setSkin (false);
    buttonColour.setPositionLabel (SpecialButton::labelBelowFromCentre);

    buttonDescription.setSizeButton (true);
    buttonDescription.setSkin (false);
    buttonDescription.setPositionLabel (SpecialButton::labelAboveFromCentre);

    buttonTags.setSizeButton (true);
    buttonTags.setSkin (false);
    buttonTags.setPositionLabel (SpecialButton::labelBelow);

    buttonAddAdvice.setIcon ("New");
    buttonDuplicateAdvice.setIcon ("Duplicate");
    buttonDeleteAdvice.setIcon ("Delete");

    for (auto* button : { &buttonAddAdvice, &buttonDuplicateAdvice, &buttonDeleteAdvice })
    {
        button->setSkin (false);
        button->setPositionLabel (SpecialButton::labelAbove);
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

    // Above every other child, where nothing else is drawn.
    addChildComponent (note);
    labelAdvice.onTyping = [this] (const juce::String& typed) { note.checkAdvice (typed); };

    for (auto* label : { &labelName, &labelAdvice, &labelAuthor, &labelDescription })
        label->onRefusedCharacter = [this] (juce::juce_wchar refused) { note.tellRefused (refused); };
}

void EditionComponent::setDialogs (std::unique_ptr<EditorDialogs> newDialogs)
{
    jassert (newDialogs != nullptr);
    dialogs = std::move (newDialogs);
}

//==============================================================================
// Texts: every text of the panel follows the interface language, the toggles' ones also their state.

void EditionComponent::setLanguage (int language)
{
    currentLanguage = language;
    tagManager.setLanguage (language);
    note.setLanguage (language);

    const auto back = Bilingual{ "Back...", "Retour..." }.in (currentLanguage);
    const auto isActive = [] (const SpecialButton& toggle)
    { return toggle.getSpecialState() == SpecialButton::activeState; };

    buttonNewSet.setLabel (Bilingual{ "New set", "Nouveau set" }.in (currentLanguage));
    buttonOpenSet.setLabel (Bilingual{ "Open a set...", "Ouvrir un set..." }.in (currentLanguage));
    buttonSave.setLabel (Bilingual{ "Save", "Enregistrer" }.in (currentLanguage));
    buttonSaveAs.setLabel (Bilingual{ "Save as...", "Enregistrer sous..." }.in (currentLanguage));
    buttonClose.setLabel (Bilingual{ "Close", "Fermer" }.in (currentLanguage));
    buttonAddAdvice.setLabel (Bilingual{ "Add a new advice", "Ajouter un conseil" }.in (currentLanguage));
    buttonDuplicateAdvice.setLabel (
        Bilingual{ "Duplicate the current advice", "Dupliquer le conseil en cours" }.in (currentLanguage));
    buttonDeleteAdvice.setLabel (
        Bilingual{ "Delete the current advice", "Supprimer le conseil en cours" }.in (currentLanguage));
    buttonLanguage.setLabel (Bilingual{ "French", "Français" }.in (currentLanguage),
                             Bilingual{ "English", "Anglais" }.in (currentLanguage));
    buttonDescription.setLabel (isActive (buttonDescription) ? back : juce::String ("Description"));
    buttonTags.setLabel (isActive (buttonTags) ? back : juce::String ("Tags"));
    buttonColour.setLabel (isActive (buttonColour) ? back
                                                   : Bilingual{ "Colour", "Couleur" }.in (currentLanguage));
    labelColour.setText (
        Bilingual{ "Choose the set colour :", "Choisissez la couleur du set :" }.in (currentLanguage),
        juce::dontSendNotification);

    repaint();
}

//==============================================================================
// What the page shows of the set, and what it calls the user's attention to.

void EditionComponent::initEdition()
{
    currentSet.reset();
    isSetOpen = false;
    isSaved = false;
    updateWindowTitle();

    for (auto* toggle : { &buttonDescription, &buttonColour, &buttonTags })
    {
        if (toggle->getSpecialState() == SpecialButton::activeState)
        {
            toggle->setSpecialState (SpecialButton::normalState);
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

        note.forgetAdvice();
        repaint();
        return;
    }

    mode = juce::jlimit<int> (advicePage, tagsPage, newMode);
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

    if (onAdvicePage && getCurrentAdvice() >= 0)
        note.checkAdvice (currentSet->getDescriptionItem (getCurrentAdvice()));
    else
        note.forgetAdvice();

    repaint();
}

void EditionComponent::updateHighlight()
{
    if (isSetOpen && currentSet != nullptr)
    {
        buttonAddAdvice.setSpecialState (getNumAdvices() == 0 ? SpecialButton::highlightedState
                                                              : SpecialButton::normalState);

        if (mode != descriptionPage)
            buttonDescription.setSpecialState (currentSet->getDescription().isEmpty()
                                                   ? SpecialButton::highlightedState
                                                   : SpecialButton::normalState);

        // On the tags page the tags toggle keeps its active state.
        if (mode != tagsPage)
        {
            const auto advice = getCurrentAdvice();
            const auto fewTags = advice >= 0 && currentSet->getNumTags (advice) < 2;
            buttonTags.setSpecialState (fewTags ? SpecialButton::highlightedState
                                                : SpecialButton::normalState);
        }
    }

    buttonSave.setSpecialState (isSaved ? SpecialButton::normalState : SpecialButton::highlightedState);
}

void EditionComponent::displayAdvice()
{
    if (currentSet == nullptr)
        return;

    labelName.setText (currentSet->getName(), juce::dontSendNotification);

    const auto advice = getCurrentAdvice();

    if (advice < 0)
    {
        labelAdvice.setText (
            Bilingual{ "No advice has been found", "Aucun conseil n'a été trouvé." }.in (currentLanguage),
            juce::dontSendNotification);
        labelAdvice.setEnabled (false);
        labelAdvice.setEditable (false, false, false);
        note.forgetAdvice();
    }
    else
    {
        const auto adviceText = currentSet->getDescriptionItem (advice);
        labelAdvice.setText (adviceText, juce::dontSendNotification);
        labelAdvice.setEnabled (true);
        labelAdvice.setEditable (true, false, false);
        labelTagsAdvice.setText (adviceText, juce::dontSendNotification);

        if (mode == advicePage)
            note.checkAdvice (adviceText);

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
        return programName;

    const auto file = currentSet->getFileSet();

    if (file == juce::File())
        return programName + "*";

    return programName + " - " + file.getFileName() + (isSaved ? "" : "*");
}

void EditionComponent::updateWindowTitle()
{
    // Off the desktop (tests, a panel not yet shown) there is no window to name.
    if (getPeer() == nullptr)
        return;

    // The top-level component's name is its native window's title, and stays so if the window is rebuilt.
    getTopLevelComponent()->setName (getWindowTitle());
}

//==============================================================================
// Drawing and layout.

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
    // Clear of the language button's label on the left and the wheel on the right, on two lines at most.
    note.setBounds (125, 35, w - 250, 32);

    // Made once, at the size of the first layout.
    if (!background.isValid() && !getLocalBounds().isEmpty())
        createBackground();
}

//==============================================================================
// Keyboard focus: the editor's shortcuts work only while it holds the focus.

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
