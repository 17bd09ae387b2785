#include "plugin/PluginEditor.h"

#include "base/Bilingual.h"
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
    , mainComponent (std::make_unique<InstanceSettingsStore> (editedProcessor), MainComponent::Window::host)
    , warnings (mainComponent)
    , noteOnsSeen (editedProcessor.getCountsSeenByEditor().noteOns)
    , barDrawsSeen (editedProcessor.getCountsSeenByEditor().barDraws)
    , stateRestoresSeen (editedProcessor.getStateRestoreCount())
    , programLauncher (std::make_unique<ProgramLauncher>())
{
    mainComponent.offerBarTimer();
    mainComponent.setSetsEditionHandler ([this] { editSetsInTheProgram(); });
    addAndMakeVisible (mainComponent);
    setResizable (false, false);
    setSize (mainComponent.getWidth(), mainComponent.getHeight());
    startTimer (notePollMilliseconds);
}

PluginEditor::~PluginEditor()
{
    stopTimer();
    pluginProcessor.setCountsSeenByEditor ({ noteOnsSeen, barDrawsSeen });
}

void PluginEditor::resized()
{
    mainComponent.setBounds (getLocalBounds());
}

void PluginEditor::timerCallback()
{
    announceSizeWhenFirstShown();
    lookAtProcessor();
}

void PluginEditor::announceSizeWhenFirstShown()
{
    // A host embedding the editor's window may start watching it only after the window took its size, and
    // then keep the place it gives it at a pixel: the toolkit's own LV2 hosting does so at times, leaving the
    // card unseen. A pixel more, and back a moment later, once the window is on screen tells the host the
    // size again.
    if (sizeAnnouncement == SizeAnnouncement::waitingForScreen && isShowing())
    {
        sizeAnnouncement = SizeAnnouncement::widened;
        setSize (getWidth() + 1, getHeight());
    }
    else if (sizeAnnouncement == SizeAnnouncement::widened)
    {
        sizeAnnouncement = SizeAnnouncement::done;
        setSize (getWidth() - 1, getHeight());
    }
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
}

void PluginEditor::setProgramLauncher (std::unique_ptr<ProgramLauncher> launcher)
{
    programLauncher = std::move (launcher);
}

void PluginEditor::editSetsInTheProgram()
{
    if (programLauncher->launch())
        return;

    warnings.showMessageBox ("Musewheeler", programMissingText.in (mainComponent.getCurrentLanguage()), "OK");
}
