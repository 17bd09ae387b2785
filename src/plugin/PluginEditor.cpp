#include "plugin/PluginEditor.h"

#include "app/Bilingual.h"
#include "plugin/InstanceSettingsStore.h"

namespace
{
constexpr Bilingual programMissingText{
    "The sets are edited in the Musewheeler program, which was not found in ~/.local/bin or /usr/bin. "
    "Install it to edit your sets.",
    "Les sets se modifient dans le programme Musewheeler, qui n'a pas été trouvé dans ~/.local/bin ou "
    "/usr/bin. Installez-le pour modifier vos sets."
};
} // namespace

PluginEditor::PluginEditor (PluginProcessor& editedProcessor)
    : juce::AudioProcessorEditor (editedProcessor)
    , pluginProcessor (editedProcessor)
    , mainComponent (std::make_unique<InstanceSettingsStore> (editedProcessor))
    , noteOnsSeen (editedProcessor.getNoteOnCount())
    , barDrawsSeen (editedProcessor.getBarDrawCount())
    , stateRestoresSeen (editedProcessor.getStateRestoreCount())
    , settingsHanded (mainComponent.getSettings())
    , programLauncher (std::make_unique<ProgramLauncher>())
{
    mainComponent.offerBarTimer();
    mainComponent.setSetsEditionHandler ([this] { editSetsInTheProgram(); });
    addAndMakeVisible (mainComponent);
    setResizable (false, false);
    setSize (mainComponent.getWidth(), mainComponent.getHeight());
    // The screen may have drawn another advice than the one kept, when that one is no longer in the sets.
    pluginProcessor.setInstanceSettings (settingsHanded);
    startTimer (notePollMilliseconds);
}

PluginEditor::~PluginEditor()
{
    stopTimer();
}

void PluginEditor::resized()
{
    mainComponent.setBounds (getLocalBounds());
}

void PluginEditor::timerCallback()
{
    lookAtProcessor();
}

void PluginEditor::lookAtProcessor()
{
    const auto stateRestores = pluginProcessor.getStateRestoreCount();

    if (stateRestores != stateRestoresSeen)
    {
        stateRestoresSeen = stateRestores;
        mainComponent.reloadSettings();
    }

    const auto noteOns = pluginProcessor.getNoteOnCount();
    const auto barDraws = pluginProcessor.getBarDrawCount();

    // Several notes or bars between two looks draw one advice: each would replace the one before unread.
    if (noteOns != noteOnsSeen || barDraws != barDrawsSeen)
    {
        noteOnsSeen = noteOns;
        barDrawsSeen = barDraws;
        mainComponent.takeNewAdvice (true, -1);
    }

    // The host may save its project at any moment: the instance keeps the last advice drawn, too.
    const auto settings = mainComponent.getSettings();

    if (settings != settingsHanded)
    {
        settingsHanded = settings;
        pluginProcessor.setInstanceSettings (settings);
    }
}

void PluginEditor::setProgramLauncher (std::unique_ptr<ProgramLauncher> launcher)
{
    programLauncher = std::move (launcher);
}

void PluginEditor::editSetsInTheProgram()
{
    if (programLauncher->launch())
        return;

    // Asynchronous: a modal loop inside a host's window would run the host's events under the box.
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::InfoIcon, "Musewheeler",
                                            programMissingText.in (mainComponent.getCurrentLanguage()), {},
                                            this);
}
