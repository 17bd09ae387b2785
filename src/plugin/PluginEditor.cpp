#include "plugin/PluginEditor.h"

#include "base/Bilingual.h"
#include "plugin/EditorSize.h"
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
    , adviceDrawsSeen (editedProcessor.getAdviceDrawCount())
    , stateRestoresSeen (editedProcessor.getStateRestoreCount())
    , programLauncher (std::make_unique<ProgramLauncher>())
{
    editedProcessor.readSetsWithTheScreen();
    editedProcessor.screenOpened();
    mainComponent.drawWith (editedProcessor.getShuffle());
    mainComponent.offerBarTimer();
    mainComponent.setSetsEditionHandler ([this] { editSetsInTheProgram(); });
    addAndMakeVisible (mainComponent);

    // The card keeps its own size and is scaled as a picture: nothing is laid out twice. The limits also
    // hold against a host's remembered size, which the toolkit's LV2 wrapper hands the editor.
    setResizable (true, true);
    setResizeLimits (EditorSize::smallest().getWidth(), EditorSize::smallest().getHeight(),
                     EditorSize::largest().getWidth(), EditorSize::largest().getHeight());
    getConstrainer()->setFixedAspectRatio (static_cast<double> (EditorSize::cardWidth) /
                                           EditorSize::cardHeight);
    const auto size = editedProcessor.getEditorSize().value_or (EditorSize::smallest());
    setSize (size.getWidth(), size.getHeight());
    sizeChosen = true;
    startTimer (notePollMilliseconds);
}

PluginEditor::~PluginEditor()
{
    stopTimer();
    pluginProcessor.screenClosed();
}

void PluginEditor::resized()
{
    mainComponent.setBounds (EditorSize::smallest());
    mainComponent.setTransform (juce::AffineTransform::scale (EditorSize::scaleFor (getLocalBounds())));

    // Kept once the window opened at its size; a window that never left the card's own size leaves the
    // state as it was.
    if (sizeChosen &&
        (pluginProcessor.getEditorSize().has_value() || getLocalBounds() != EditorSize::smallest()))
        pluginProcessor.setEditorSize (getLocalBounds());
}

void PluginEditor::timerCallback()
{
    tellTheHostTheWindowsPlaceAgain();
    repaintWhenAPopUpHasClosed();
    lookAtProcessor();
}

void PluginEditor::tellTheHostTheWindowsPlaceAgain()
{
    // An embedding host may take the plugin's window in only after the window took its size, and then
    // keep the window it embeds it in at a pixel until the plugin's window changes: the toolkit's LV2
    // hosting does so at times, leaving the card unseen. Raised to the front of its siblings, soon after it
    // shows and again a second later for a host slowed down, the window tells the host its size again,
    // and nothing on screen moves or changes size: a host that asks for the size it was told, as Ardour
    // does, would keep a changed one.
    auto* holder = getTopLevelComponent();

    if (holder == this || holder->getPeer() == nullptr || !isShowing() ||
        ticksShown > ticksOfTheLastAnnouncement)
        return;

    if (ticksShown == ticksOfTheFirstAnnouncement || ticksShown == ticksOfTheLastAnnouncement)
        holder->toFront (false);

    ++ticksShown;
}

void PluginEditor::repaintWhenAPopUpHasClosed()
{
    // A host may drive the toolkit's events only now and then (the LV2 wrapper does, from the host's idle
    // calls): the window's exposure after a menu or a warning closed can then wait, unread, for the next
    // event, and what the pop-up covered stays on screen until the pointer passes. The whole card is
    // painted again instead, at once and a few times in the next second, as the pop-up's window may leave
    // the screen a moment after the pop-up closed. Menus and warnings are the toolkit's modal components,
    // even shown without a modal loop.
    const auto popUps = juce::ModalComponentManager::getInstance()->getNumModalComponents();

    if (popUps < popUpsSeen)
        ticksSinceAPopUpClosed = 0;

    popUpsSeen = popUps;

    if (ticksSinceAPopUpClosed < 0)
        return;

    if (ticksSinceAPopUpClosed == 0 || ticksSinceAPopUpClosed == 3 || ticksSinceAPopUpClosed == 10 ||
        ticksSinceAPopUpClosed == 30)
        repaint();

    ticksSinceAPopUpClosed = ticksSinceAPopUpClosed < 30 ? ticksSinceAPopUpClosed + 1 : -1;
}

void PluginEditor::lookAtProcessor()
{
    pluginProcessor.handOverDraws();

    const auto stateRestores = pluginProcessor.getStateRestoreCount();

    if (stateRestores != stateRestoresSeen)
    {
        stateRestoresSeen = stateRestores;
        mainComponent.reloadSettings();
    }

    // The instance's own advice, not one of the screen's: one draw, whether the window is open or not.
    const auto adviceDraws = pluginProcessor.getAdviceDrawCount();

    if (adviceDraws != adviceDrawsSeen)
    {
        adviceDrawsSeen = adviceDraws;
        mainComponent.takeNewAdvice (true, pluginProcessor.getInstanceSettings().lastItem);
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
