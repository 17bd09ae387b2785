#include "main/PanelHost.h"

#include "widgets/CustomLookAndFeel.h"

PanelHost::PanelHost (juce::Component& screen, juce::ActionListener& screenListener, DataTags& tags,
                      LibSetsConseils& library, CustomLookAndFeel& screenLook)
    : lookAndFeel (screenLook)
{
    aboutComponent = std::make_unique<AboutComponent>();
    screen.addChildComponent (*aboutComponent);
    aboutComponent->addActionListener (&screenListener);

    optionsComponent = std::make_unique<OptionsComponent> (&tags, &library);
    screen.addChildComponent (*optionsComponent);
    optionsComponent->addActionListener (&screenListener);

    editionComponent = std::make_unique<EditionComponent> (&tags, &library);
    screen.addChildComponent (*editionComponent);
    editionComponent->addActionListener (&screenListener);
}

PanelHost::~PanelHost()
{
    // In the order they were made.
    aboutComponent.reset();
    optionsComponent.reset();
    editionComponent.reset();
}

void PanelHost::setBounds (juce::Rectangle<int> screenBounds)
{
    for (auto* panel : { static_cast<juce::Component*> (aboutComponent.get()),
                         static_cast<juce::Component*> (optionsComponent.get()),
                         static_cast<juce::Component*> (editionComponent.get()) })
        panel->setBounds (screenBounds);
}

void PanelHost::openOptions (const ConfigFile::Settings& settings)
{
    lookAndFeel.setTypeButton (false);
    optionsComponent->comboLanguageSets.setSelectedId (
        settings.languageSet + OptionsComponent::languageSetIdOffset, juce::dontSendNotification);
    optionsComponent->setLanguage (settings.language);
    optionsComponent->setCurrentSets (settings.sets, settings.lookForFavorites);
    optionsComponent->setCurrentTag (settings.tag);
    optionsComponent->displayCurrentDescriptionSets();
    optionsComponent->setVisible (true);
}

void PanelHost::openEdition (int language)
{
    lookAndFeel.setTypeButton (true);
    editionComponent->initEdition();
    editionComponent->setLanguage (language);
    editionComponent->setVisible (true);
}

void PanelHost::openAbout (int language)
{
    aboutComponent->language = language;
    aboutComponent->setVisible (true);
}

PanelHost::Closing PanelHost::closeFor (const juce::String& message)
{
    if (message == AboutComponent::exitMessage)
    {
        aboutComponent->setVisible (false);
        return Closing::aboutLeft;
    }

    if (message == OptionsComponent::okMessage)
    {
        optionsComponent->setVisible (false);
        return Closing::optionsAccepted;
    }

    if (message == OptionsComponent::cancelMessage)
    {
        optionsComponent->setVisible (false);
        return Closing::optionsCancelled;
    }

    if (message == EditionComponent::exitMessage)
    {
        editionComponent->setVisible (false);
        return Closing::editionLeft;
    }

    return Closing::none;
}

ConfigFile::Settings PanelHost::takeOverOptions (ConfigFile::Settings settings) const
{
    settings.language = optionsComponent->language;
    settings.languageSet =
        optionsComponent->comboLanguageSets.getSelectedId() - OptionsComponent::languageSetIdOffset;
    settings.sets = optionsComponent->getCurrentSets();
    settings.tag = optionsComponent->getCurrentTag();
    settings.lookForFavorites = optionsComponent->comboSets.getSelectedId() == OptionsComponent::favoritesId;
    return settings;
}

bool PanelHost::isAPanelVisible() const
{
    return aboutComponent->isVisible() || editionComponent->isVisible() || optionsComponent->isVisible();
}

bool PanelHost::askAuthorizationToQuit()
{
    if (!editionComponent->isVisible())
        return true;

    return editionComponent->askAuthorizationToQuit();
}
