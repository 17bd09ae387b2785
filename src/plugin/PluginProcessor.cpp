#include "plugin/PluginProcessor.h"

#include "plugin/EditorSize.h"
#include "plugin/PluginEditor.h"
#include "plugin/PluginFolder.h"

namespace
{
// The program's name until the instance has read its sets: the name LV2 tools write in the manifest for the
// default preset, as they make an instance only to describe it.
constexpr const char* unreadProgramName = "Default";

constexpr int handOverMilliseconds = 30;
} // namespace

PluginProcessor::PluginProcessor()
    // Stereo in and out, copied through: the plugin then fits the insert chain of any audio or instrument
    // track, which a plugin without audio buses does not in every host.
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    // Before any editor: the main screen reads its sets as it is made.
    PluginFolder::useAsProgramFolder();

    auto note = std::make_unique<NoteParameter>();
    noteParameter = note.get();
    addParameter (note.release());

    auto draw = std::make_unique<juce::AudioParameterBool> (juce::ParameterID ("draw", 1), "Draw", false);
    drawParameter = draw.get();
    addParameter (draw.release());

    programName = unreadProgramName;

    // The audio thread hands its requests over by counters this timer looks at: a message posted from there
    // (an AsyncUpdater) takes the message queue's lock and may allocate, and the sets are read here, not
    // in a block, as a read may take longer than the block lasts. The first tick reads the sets, not the
    // constructor: a host that makes an instance only to list it never waits for them.
    startTimer (handOverMilliseconds);
}

PluginProcessor::~PluginProcessor()
{
    // An LV2 host ends an instance on its own thread while the toolkit's LV2 wrapper runs a message thread
    // of its own: the timer is stopped with that thread held between two messages, so that no look is
    // running on it while the instance goes. The VST3 wrapper holds it so itself.
    if (juce::MessageManager::getInstanceWithoutCreating() == nullptr ||
        juce::MessageManager::existsAndIsCurrentThread())
    {
        stopTimer();
        return;
    }

    const juce::MessageManagerLock heldMessageThread;
    stopTimer();
}

void PluginProcessor::timerCallback()
{
    handOverDraws();
}

void PluginProcessor::handOverDraws()
{
    const auto restoresBefore = stateRestoreCount.load();
    auto settings = getInstanceSettings();
    const auto firstReading = !advice.isLoaded();
    advice.loadFor (settings);

    const DrawSchedule::Requests counted{ noteOnCount.load(), drawRequestCount.load(), barDrawCount.load() };
    const auto due = drawSchedule.shouldDraw (counted, settings.timerSeconds, screensOpen > 0,
                                              juce::Time::getMillisecondCounter());

    // A new instance that no window has shown yet has no advice: it takes one as its screen would.
    if (due || (firstReading && settings.lastItem == -1))
    {
        settings.lastItem = advice.draw();

        {
            const juce::ScopedLock lock (settingsLock);

            // A state restored meanwhile, from another thread, keeps its own advice.
            if (stateRestoreCount.load() != restoresBefore)
                return;

            instanceSettings.lastItem = settings.lastItem;
        }

        ++adviceDrawCount;
    }

    announceTheAdvice (settings);
}

void PluginProcessor::announceTheAdvice (const ConfigFile::Settings& settings)
{
    // The name is made again only when the advice or the sets changed, not at every look.
    const Announced now{ advice.shownPosition (settings.lastItem), advice.getReadingCount() };

    if (now.position == announced.position && now.reading == announced.reading)
        return;

    announced = now;
    const auto described = advice.describe (now.position);
    const auto name = described.isNotEmpty() ? described : juce::String (unreadProgramName);

    {
        const juce::ScopedLock lock (settingsLock);

        if (name == programName)
            return;

        programName = name;
    }

    // The state changed with it: a host marks the project as changed (the LV2 wrapper's one notice, as LV2
    // has none for a program).
    updateHostDisplay (ChangeDetails().withProgramChanged (true).withNonParameterStateChanged (true));
}

void PluginProcessor::readSetsWithTheScreen()
{
    advice.reloadFor (getInstanceSettings());
}

std::optional<juce::Rectangle<int>> PluginProcessor::getEditorSize() const
{
    return EditorSize::fromState (editorWidth.load(), editorHeight.load());
}

void PluginProcessor::setEditorSize (juce::Rectangle<int> size)
{
    editorWidth = size.getWidth();
    editorHeight = size.getHeight();
}

void PluginProcessor::prepareToPlay (double, int)
{
    // The transport may stand anywhere after a restart: the next group start counts from scratch.
    barClock.reset();
    drawTrigger.reset();
}

void PluginProcessor::releaseResources() {}

bool PluginProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Any layout where the output is the input, mono or stereo, since the sound goes through as it came.
    const auto output = layouts.getMainOutputChannelSet();
    return (output == juce::AudioChannelSet::mono() || output == juce::AudioChannelSet::stereo()) &&
           output == layouts.getMainInputChannelSet();
}

namespace
{
// A note-on of that note, or of any note, on any channel; a note-on of velocity 0 is a note-off.
bool isNoteOnOf (const juce::uint8* data, int numBytes, int note)
{
    constexpr juce::uint8 noteOnStatus = 0x90;

    return numBytes >= 3 && (data[0] & 0xf0) == noteOnStatus && data[2] != 0 &&
           (note == PluginProcessor::anyNote || data[1] == note);
}
} // namespace

void PluginProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    // The buffer holds the input in place: leaving it untouched passes the sound through.
    const auto note = noteParameter->getNote();

    // The raw bytes, not a juce::MidiMessage: making one copies a message longer than a few bytes (a SysEx)
    // onto the heap, which the audio thread must not touch.
    for (const auto metadata : midiMessages)
    {
        if (isNoteOnOf (metadata.data, metadata.numBytes, note))
            ++noteOnCount;

        if (drawTrigger.controllerSwitchedOn (metadata.data, metadata.numBytes))
            ++drawRequestCount;
    }

    if (drawTrigger.parameterSwitchedOn (drawParameter->get()))
        ++drawRequestCount;

    const auto bars = timerBars.load();
    auto* host = getPlayHead();

    if (bars == 0 || host == nullptr)
    {
        barClock.reset();
        return;
    }

    if (barClock.blockStartsAGroup (host->getPosition(), buffer.getNumSamples(), getSampleRate(), bars))
        ++barDrawCount;
}

juce::AudioProcessorEditor* PluginProcessor::createEditor()
{
    return new PluginEditor (*this);
}

bool PluginProcessor::hasEditor() const
{
    return true;
}

const juce::String PluginProcessor::getName() const
{
    return JucePlugin_Name;
}

bool PluginProcessor::acceptsMidi() const
{
    return true;
}

bool PluginProcessor::producesMidi() const
{
    return false;
}

bool PluginProcessor::isMidiEffect() const
{
    return false;
}

double PluginProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

int PluginProcessor::getNumPrograms()
{
    return 1;
}

int PluginProcessor::getCurrentProgram()
{
    return 0;
}

void PluginProcessor::setCurrentProgram (int) {}

const juce::String PluginProcessor::getProgramName (int)
{
    // The one program is named after the advice, for hosts that show a program's name: the advice is then
    // seen without the window. Asked from any thread.
    const juce::ScopedLock lock (settingsLock);
    return programName;
}

void PluginProcessor::changeProgramName (int, const juce::String&) {}

ConfigFile::Settings PluginProcessor::getInstanceSettings() const
{
    const juce::ScopedLock lock (settingsLock);
    return instanceSettings;
}

void PluginProcessor::setInstanceSettings (const ConfigFile::Settings& settings)
{
    const juce::ScopedLock lock (settingsLock);
    instanceSettings = settings;
    timerBars = settings.timerBars;
}

namespace
{
constexpr const char* stateTag = "MusewheelerState";

// The state as copyXmlToBinary wrote it, or nothing when it is cut short or its XML is damaged: the
// toolkit's own reader takes what it can of a cut text, which may end inside a value and read wrong.
std::unique_ptr<juce::XmlElement> readCompleteState (const void* data, int sizeInBytes)
{
    constexpr int headerSize = 8;
    constexpr juce::uint32 binaryXmlMark = 0x21324356;

    if (data == nullptr || sizeInBytes <= headerSize ||
        juce::ByteOrder::littleEndianInt (data) != binaryXmlMark)
        return nullptr;

    const auto textLength =
        static_cast<int> (juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4)));

    if (textLength <= 0 || textLength > sizeInBytes - headerSize)
        return nullptr;

    juce::XmlDocument document (
        juce::String::fromUTF8 (static_cast<const char*> (data) + headerSize, textLength));
    auto element = document.getDocumentElement();

    if (document.getLastParseError().isNotEmpty())
        return nullptr;

    return element;
}
} // namespace

void PluginProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    const auto settings = getInstanceSettings();

    juce::XmlElement state (stateTag);
    state.setAttribute ("version", stateVersion);
    state.setAttribute ("language", settings.language);
    state.setAttribute ("languageSet", settings.languageSet);
    state.setAttribute ("sets", settings.sets);
    state.setAttribute ("tag", settings.tag);
    state.setAttribute ("lastItem", settings.lastItem);
    state.setAttribute ("lookForFavorites", settings.lookForFavorites);
    state.setAttribute ("timerSeconds", settings.timerSeconds);
    state.setAttribute ("timerBars", settings.timerBars);
    state.setAttribute ("note", noteParameter->getNote());

    // Only once the window was resized: a project that never did keeps the states it always had.
    if (const auto size = getEditorSize())
    {
        state.setAttribute ("editorWidth", size->getWidth());
        state.setAttribute ("editorHeight", size->getHeight());
    }

    copyXmlToBinary (state, destData);
}

void PluginProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    // A state this instance cannot read, damaged or not its own, leaves the defaults.
    ConfigFile::Settings settings;
    auto note = anyNote;
    std::optional<juce::Rectangle<int>> size;
    const auto state = readCompleteState (data, sizeInBytes);

    if (state != nullptr && state->hasTagName (stateTag) && state->getIntAttribute ("version") >= 1)
    {
        settings.language = state->getIntAttribute ("language", settings.language);
        settings.languageSet = state->getIntAttribute ("languageSet", settings.languageSet);
        settings.sets = state->getStringAttribute ("sets", settings.sets);
        settings.tag = state->getIntAttribute ("tag", settings.tag);
        settings.lastItem = state->getIntAttribute ("lastItem", settings.lastItem);
        settings.lookForFavorites = state->getBoolAttribute ("lookForFavorites", settings.lookForFavorites);
        settings.timerSeconds = state->getIntAttribute ("timerSeconds", settings.timerSeconds);
        settings.timerBars = state->getIntAttribute ("timerBars", settings.timerBars);
        note = state->getIntAttribute ("note", note);
        size = EditorSize::fromState (state->getIntAttribute ("editorWidth"),
                                      state->getIntAttribute ("editorHeight"));
    }

    noteParameter->setNote (note);
    setEditorSize (size.value_or (juce::Rectangle<int>()));

    setInstanceSettings (ConfigFile::withUsableValues (settings));
    ++stateRestoreCount;
}

// The plugin client asks for the processor of a new instance here.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new PluginProcessor();
}
