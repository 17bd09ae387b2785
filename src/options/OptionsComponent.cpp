#include "options/OptionsComponent.h"

#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "base/Bilingual.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/RuledSheet.h"

namespace
{
constexpr Bilingual titleText{ "Advice filtering", "Filtrage des conseils" };
constexpr Bilingual interfaceText{ "Interface", "Interface" };
constexpr Bilingual selectedSetsText{ "Selected sets", "Sets sélectionnés" };
constexpr Bilingual languageSetsText{ "Language(s) in the sets", "Langue(s) dans les sets" };
constexpr Bilingual tagsText{ "Tags", "Tags" };
constexpr Bilingual allLanguagesText{ "---All the languages---", "---Toutes les langues---" };
constexpr Bilingual frenchSetsText{ "French sets only", "Seulement les sets en français" };
constexpr Bilingual englishSetsText{ "English sets only", "Seulement les sets en anglais" };
constexpr Bilingual allSetsText{ "---All the sets---", "---Tous les sets---" };
constexpr Bilingual favoritesText{ "---Favorites---", "---Favoris---" };
constexpr Bilingual noTagText{ "---No tag filtering---", "---Pas de filtrage par tags---" };
constexpr Bilingual okText{ "OK", "OK" };
constexpr Bilingual cancelText{ "Cancel", "Annuler" };

// The section headings of the tag list are shorter than the catalogue's category names.
constexpr Bilingual tagHeadings[DataTags::numCategories] = {
    { "Abstraction level", "Niveau d'abstraction" },
    { "Function", "Fonction" },
    { "Instruments", "Instruments" },
    { "Music genre", "Styles musicaux" },
    { "Themes", "Thèmes" },
};

constexpr int descriptionTop = 210;
constexpr int buttonsTop = 280;
constexpr int descriptionGap = 4;

int selectedIdOr (const juce::ComboBox& box, int fallback)
{
    const auto id = box.getSelectedId();
    return id != 0 ? id : fallback;
}
} // namespace

OptionsComponent::OptionsComponent (DataTags* tags, LibSetsConseils* library)
    : dataTags (tags)
    , libSets (library)
{
    jassert (dataTags != nullptr && libSets != nullptr);

    labelTitle.setJustificationType (juce::Justification::centredTop);
    labelTitle.setFont (CustomLookAndFeel::programFont (20.0f, juce::Font::bold));
    labelTitle.setColour (juce::Label::textColourId, juce::Colours::yellow);
    addAndMakeVisible (labelTitle);

    for (auto* caption : { &labelInterface, &labelSelectedSets, &labelLanguageSets, &labelTags })
        addAndMakeVisible (caption);

    for (auto* box : { &comboInterface, &comboSets, &comboLanguageSets, &comboTags })
    {
        box->addListener (this);
        // Before the box's own keys, where Return would open its list.
        box->addKeyListener (this);
        addAndMakeVisible (box);
    }

    labelDescription.setJustificationType (juce::Justification::topLeft);
    labelDescription.setFont (CustomLookAndFeel::programFont (14.0f, juce::Font::italic));
    labelDescription.setColour (juce::Label::textColourId, juce::Colours::grey);
    labelDescription.setMinimumHorizontalScale (1.0f);
    addAndMakeVisible (labelDescription);

    for (auto* button : { &buttonOK, &buttonCancel })
    {
        button->addListener (this);
        addAndMakeVisible (button);
    }

    labelTitle.setComponentID ("options-title");
    labelInterface.setComponentID ("options-interface-caption");
    labelSelectedSets.setComponentID ("options-sets-caption");
    labelLanguageSets.setComponentID ("options-language-sets-caption");
    labelTags.setComponentID ("options-tags-caption");
    comboInterface.setComponentID ("options-interface");
    comboSets.setComponentID ("options-sets");
    comboLanguageSets.setComponentID ("options-language-sets");
    comboTags.setComponentID ("options-tags");
    labelDescription.setComponentID ("options-description");
    buttonOK.setComponentID ("options-ok");
    buttonCancel.setComponentID ("options-cancel");

    setWantsKeyboardFocus (true);
    setLanguage (1);
}

OptionsComponent::~OptionsComponent()
{
    cancelPendingUpdate();

    for (auto* box : { &comboInterface, &comboSets, &comboLanguageSets, &comboTags })
    {
        box->removeListener (this);
        box->removeKeyListener (this);
    }
}

//==============================================================================
void OptionsComponent::paint (juce::Graphics& g)
{
    RuledSheet::paint (g, getLocalBounds());
}

void OptionsComponent::paintOverChildren (juce::Graphics& g)
{
    focusMark.paintOver (g);
}

void OptionsComponent::resized()
{
    const auto width = getWidth();
    const auto comboWidth = width - 240;

    labelTitle.setBounds (30, 30, width - 60, 24);
    labelInterface.setBounds (30, 80, 150, 24);
    comboInterface.setBounds (190, 80, comboWidth, 24);
    labelLanguageSets.setBounds (30, 110, 150, 24);
    comboLanguageSets.setBounds (190, 110, comboWidth, 24);
    labelSelectedSets.setBounds (30, 140, 150, 24);
    comboSets.setBounds (190, 140, comboWidth, 24);
    labelTags.setBounds (30, 170, 150, 24);
    comboTags.setBounds (190, 170, comboWidth, 24);
    buttonOK.setBounds (width / 2 - 150, buttonsTop, 100, 30);
    buttonCancel.setBounds (width / 2 + 50, buttonsTop, 100, 30);
    // Above the buttons: a longer description is drawn smaller, then cut, rather than run under them.
    labelDescription.setBounds (30, descriptionTop, width - 60, buttonsTop - descriptionGap - descriptionTop);
}

void OptionsComponent::visibilityChanged()
{
    // Each opening starts without a mark, as the panel has the keys itself.
    focusMark.hide();
}

bool OptionsComponent::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress (juce::KeyPress::escapeKey))
    {
        sendActionMessage (cancelMessage);
        return true;
    }

    if (key == juce::KeyPress (juce::KeyPress::returnKey))
    {
        sendActionMessage (okMessage);
        return true;
    }

    return focusMark.moveFocus (key);
}

bool OptionsComponent::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    // A combo box's list, while open, has the keys: Return reaches a closed box, and confirms.
    if (key == juce::KeyPress (juce::KeyPress::returnKey))
        return keyPressed (key);

    return false;
}

void OptionsComponent::buttonClicked (juce::Button* button)
{
    if (button == &buttonOK)
        sendActionMessage (okMessage);
    else if (button == &buttonCancel)
        sendActionMessage (cancelMessage);
}

void OptionsComponent::comboBoxChanged (juce::ComboBox* box)
{
    if (box == &comboInterface)
    {
        const auto id = comboInterface.getSelectedId();

        if (id == 1 || id == 2)
        {
            dataTags->initDataTagsLibrary (id == 2);
            setLanguage (id - 1);
        }
    }
    else if (box == &comboLanguageSets)
    {
        updateSets();
    }
    else if (box == &comboSets)
    {
        displayCurrentDescriptionSets();
    }
    else if (box == &comboTags)
    {
        // Only the user's choices arrive here: giving up the tag filter leaves nothing to describe.
        if (comboTags.getSelectedId() == noTagId)
            labelDescription.setText ({}, juce::dontSendNotification);
        else
            describeChosenTag();
    }
}

void OptionsComponent::describeChosenTag()
{
    const auto id = comboTags.getSelectedId();

    if (id != noTagId && id != 0)
        labelDescription.setText (dataTags->getDescriptionTags (id - 1), juce::dontSendNotification);
}

void OptionsComponent::handleAsyncUpdate()
{
    describeChosenTag();
}

//==============================================================================
void OptionsComponent::fillComboSets (int setLanguageFilter)
{
    comboSets.addItem (allSetsText.in (language), allSetsId);
    comboSets.addItem (favoritesText.in (language), favoritesId);

    const auto names = libSets->getNameSets (setLanguageFilter);
    const auto files = libSets->getFileSets (setLanguageFilter);

    // A set without a name is listed under its file name: the list refuses empty entries, and one
    // left out would give every later set the id of its neighbour.
    for (int index = 0; index < names.size(); ++index)
        comboSets.addItem (names[index].isNotEmpty() ? names[index] : files[index], firstSetId + index);
}

void OptionsComponent::setLanguage (int lang)
{
    language = lang;

    // The lists below take their tag and language names from the shared catalogue, which may still be in
    // the language of an earlier visit that was cancelled.
    dataTags->initDataTagsLibrary (language != 0);

    const auto setsId = selectedIdOr (comboSets, allSetsId);
    const auto languageSetsId = selectedIdOr (comboLanguageSets, allLanguagesId);
    const auto tagsId = selectedIdOr (comboTags, noTagId);

    for (auto* box : { &comboInterface, &comboSets, &comboLanguageSets, &comboTags })
        box->clear (juce::dontSendNotification);

    labelTitle.setText (titleText.in (language), juce::dontSendNotification);
    labelInterface.setText (interfaceText.in (language), juce::dontSendNotification);
    labelSelectedSets.setText (selectedSetsText.in (language), juce::dontSendNotification);
    labelLanguageSets.setText (languageSetsText.in (language), juce::dontSendNotification);
    labelTags.setText (tagsText.in (language), juce::dontSendNotification);

    comboInterface.addItemList (dataTags->getCategory (DataTags::numCategories), 1);

    comboLanguageSets.addItem (allLanguagesText.in (language), allLanguagesId);
    comboLanguageSets.addItem (frenchSetsText.in (language), frenchSetsId);
    comboLanguageSets.addItem (englishSetsText.in (language), englishSetsId);

    fillComboSets (languageSetsId - 2);

    comboTags.addItem (noTagText.in (language), noTagId);

    for (int category = 0; category < DataTags::numCategories; ++category)
    {
        comboTags.addSeparator();
        comboTags.addSectionHeading (tagHeadings[category].in (language));
        comboTags.addItemList (dataTags->getCategory (category), DataTags::getHash (category, 0) + 1);
    }

    buttonOK.setButtonText (okText.in (language));
    buttonCancel.setButtonText (cancelText.in (language));

    comboInterface.setSelectedId (language == 0 ? 1 : 2, juce::dontSendNotification);
    comboSets.setSelectedId (setsId, juce::sendNotificationAsync);
    comboLanguageSets.setSelectedId (languageSetsId, juce::dontSendNotification);
    comboTags.setSelectedId (tagsId, juce::dontSendNotification);

    // Queued after the set list's refresh, so that a chosen tag's description, now in this language, has
    // the last word over the set's.
    triggerAsyncUpdate();
}

void OptionsComponent::updateSets()
{
    const auto shownText = comboSets.getText();

    comboSets.clear (juce::sendNotificationAsync);
    fillComboSets (getSetLanguageFilter());
    comboSets.setSelectedId (allSetsId, juce::sendNotificationAsync);

    // The last entry of the same text wins.
    for (int index = 0; index < comboSets.getNumItems(); ++index)
        if (comboSets.getItemText (index) == shownText)
            comboSets.setSelectedItemIndex (index, juce::dontSendNotification);
}

void OptionsComponent::displayCurrentDescriptionSets()
{
    const auto id = comboSets.getSelectedId();

    if (id == allSetsId || id == favoritesId)
    {
        labelDescription.setText ({}, juce::dontSendNotification);
        return;
    }

    // The set is found through its entry in the list, so that two sets of the same name each show
    // their own description.
    const auto fileName = getCurrentSets();

    if (fileName.isEmpty())
        return;

    for (const auto* set : libSets->getSetsConseils())
    {
        if (set->getFileSet().getFileName() == fileName)
        {
            labelDescription.setText (set->getDescription(), juce::dontSendNotification);
            return;
        }
    }
}

void OptionsComponent::setCurrentSets (const juce::String& fileName, bool favorites)
{
    auto id = favorites ? favoritesId : allSetsId;

    if (fileName.isNotEmpty())
    {
        const auto files = libSets->getFileSets (getSetLanguageFilter());

        for (int index = 0; index < files.size(); ++index)
        {
            if (files[index].equalsIgnoreCase (fileName))
            {
                id = firstSetId + index;
                break;
            }
        }
    }

    comboSets.setSelectedId (id, juce::dontSendNotification);
    comboBoxChanged (&comboSets);
}

juce::String OptionsComponent::getCurrentSets() const
{
    const auto id = comboSets.getSelectedId();

    if (id < firstSetId)
        return {};

    return libSets->getFileSets (getSetLanguageFilter())[id - firstSetId];
}

void OptionsComponent::setCurrentTag (int hash)
{
    // A hash outside the catalogue (an old or damaged configuration) means no tag filtering.
    if (!DataTags::isValidHash (hash))
    {
        comboTags.setSelectedId (noTagId, juce::dontSendNotification);
        return;
    }

    comboTags.setSelectedId (hash + 1, juce::dontSendNotification);
    describeChosenTag();
    triggerAsyncUpdate();
}

int OptionsComponent::getCurrentTag() const
{
    const auto id = comboTags.getSelectedId();
    return id == noTagId || id == 0 ? -1 : id - 1;
}
