#include "plugin/PluginProcessor.h"

#include "plugin/PluginEditor.h"
#include "plugin/PluginFolder.h"

PluginProcessor::PluginProcessor()
    // Stereo in and out, copied through: the plugin then fits the insert chain of any audio or instrument
    // track, which a plugin without audio buses does not in every host.
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    // Before any editor: the main screen reads its sets and settings as it is made.
    PluginFolder::useAsProgramFolder();
}

void PluginProcessor::prepareToPlay (double, int) {}

void PluginProcessor::releaseResources() {}

bool PluginProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Any layout where the output is the input, mono or stereo, since the sound goes through as it came.
    const auto output = layouts.getMainOutputChannelSet();
    return (output == juce::AudioChannelSet::mono() || output == juce::AudioChannelSet::stereo()) &&
           output == layouts.getMainInputChannelSet();
}

void PluginProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    // The buffer holds the input in place: leaving it untouched passes the sound through.
    juce::ignoreUnused (buffer);

    for (const auto metadata : midiMessages)
        if (metadata.getMessage().isNoteOn())
            ++noteOnCount;
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
    return {};
}

void PluginProcessor::changeProgramName (int, const juce::String&) {}

// The instance keeps nothing of its own in the host's project: the main screen reads and writes its
// settings in the settings file of the program folder, as the program does.
void PluginProcessor::getStateInformation (juce::MemoryBlock&) {}

void PluginProcessor::setStateInformation (const void*, int) {}

// The plugin client asks for the processor of a new instance here.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new PluginProcessor();
}
