#pragma once

#include "editor/EditionComponent.h"
#include "main/AboutComponent.h"
#include "options/OptionsComponent.h"
#include "settings/ConfigFile.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CustomLookAndFeel;
class DataTags;
class LibSetsConseils;

// The three panels of the main screen: the About panel, the options panel and the set editor. Each is a
// hidden child of the screen that covers it whole, shown from the main menu and hidden again when it sends
// its action message back to the screen, which listens to all three.
class PanelHost final
{
public:
    // The panels are made in this order, so the set editor lies above the options panel, and that above
    // the About panel.
    PanelHost (juce::Component& screen, juce::ActionListener& screenListener, DataTags& tags,
               LibSetsConseils& library, CustomLookAndFeel& screenLook);
    ~PanelHost();

    // A visible panel covers the whole screen, so the buttons behind it cannot be reached.
    void setBounds (juce::Rectangle<int> screenBounds);

    // The options panel showing the screen's settings, its text buttons with the orange rounded outline.
    void openOptions (const ConfigFile::Settings& settings);

    // The set editor, empty, in that language, its text buttons with the square grey outline.
    void openEdition (int language);

    void openAbout (int language);

    // What hiding the panel that sent a message asks of the screen.
    enum class Closing
    {
        none,
        aboutLeft,
        optionsAccepted,
        optionsCancelled,
        editionLeft
    };

    // Hides the panel that sent that message; any other message closes nothing.
    Closing closeFor (const juce::String& message);

    // The settings with the choices of the options panel taken over: languages, sets, favourites and tag.
    ConfigFile::Settings takeOverOptions (ConfigFile::Settings settings) const;

    bool isAPanelVisible() const;
    bool isEditionVisible() const { return editionComponent->isVisible(); }

    // Only the set editor holds changes that a quit could lose.
    bool askAuthorizationToQuit();

    AboutComponent& getAboutComponent() { return *aboutComponent; }
    OptionsComponent& getOptionsComponent() { return *optionsComponent; }
    EditionComponent& getEditionComponent() { return *editionComponent; }

private:
    CustomLookAndFeel& lookAndFeel;
    std::unique_ptr<AboutComponent> aboutComponent;
    std::unique_ptr<OptionsComponent> optionsComponent;
    std::unique_ptr<EditionComponent> editionComponent;

    JUCE_DECLARE_NON_COPYABLE (PanelHost)
};
