// The instances with their windows closed, as plugins sit in a session: they draw for notes and groups of
// bars, keep the advice in the state the host saves, and name their program after it.

#include "PluginHostTest.h"

// The SDK's headers, which the toolkit's hosting compiles in this program, for the program list a VST3 host
// reads; they do not build clean under the project's warnings.
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wshadow", "-Wnon-virtual-dtor")
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivstunits.h>
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

#include <set>

namespace plugin_host
{
namespace
{
    // A transport at 120 beats a minute in 4/4 from the song's start, moved on block by block.
    struct RollingPlayHead final : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override { return info; }

        void moveTo (juce::int64 sample)
        {
            const auto beat = static_cast<double> (sample) / sampleRate * 2.0;
            info.setIsPlaying (true);
            info.setBpm (120.0);
            info.setTimeSignature (TimeSignature{ 4, 4 });
            info.setTimeInSamples (sample);
            info.setPpqPosition (beat);
            info.setBarCount (static_cast<juce::int64> (beat / 4.0));
            info.setPpqPositionOfLastBarStart (std::floor (beat / 4.0) * 4.0);
        }

        PositionInfo info;
    };

    // The host's notices of a changed program or state, on which a host reads the program's name again and
    // marks its project as changed. The toolkit's VST3 wrapper has no notice of a renamed program for a
    // plugin of one program: it tells the host that the state changed.
    struct ChangeNotices final : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}

        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
        {
            if (details.programChanged || details.nonParameterStateChanged)
                ++count;
        }

        std::atomic<int> count{ 0 };
    };

    // The program's name as a VST3 host reads it, from the plugin's program list: the toolkit's VST3 hosting
    // lists programs only for plugins with a program parameter, which the toolkit's wrapper gives only to
    // plugins with more than one program.
    juce::String vst3ProgramName (juce::AudioPluginInstance& instance)
    {
        struct Visitor final : juce::ExtensionsVisitor
        {
            void visitVST3Client (const VST3Client& client) override
            {
                component = client.getIComponentPtr();
            }
            Steinberg::Vst::IComponent* component = nullptr;
        };

        Visitor visitor;
        instance.getExtensions (visitor);
        if (visitor.component == nullptr)
            return {};

        Steinberg::Vst::IUnitInfo* units = nullptr;
        if (visitor.component->queryInterface (Steinberg::Vst::IUnitInfo::iid,
                                               reinterpret_cast<void**> (&units)) != Steinberg::kResultOk ||
            units == nullptr)
            return {};

        juce::String name;
        Steinberg::Vst::ProgramListInfo list{};
        Steinberg::Vst::String128 text{};
        if (units->getProgramListCount() == 1 &&
            units->getProgramListInfo (0, list) == Steinberg::kResultOk && list.programCount == 1 &&
            units->getProgramName (list.id, 0, text) == Steinberg::kResultOk)
            name = juce::String (
                juce::CharPointer_UTF16 (reinterpret_cast<juce::CharPointer_UTF16::CharType*> (text)));
        units->release();
        return name;
    }

    int adviceIn (juce::AudioPluginInstance& instance)
    {
        juce::MemoryBlock state;
        instance.getStateInformation (state);
        const auto xml = PluginStateInHost::read (state);
        return xml == nullptr ? -2 : xml->getIntAttribute ("lastItem", -1);
    }

    // The advice kept in the instance's state once it differs from that one, within ten seconds: the instance
    // draws on its own message thread.
    int waitForAnotherAdvice (juce::AudioPluginInstance& instance, int before)
    {
        auto advice = adviceIn (instance);
        for (int attempt = 0; attempt < 50 && advice == before; ++attempt)
        {
            runMessages (200);
            advice = adviceIn (instance);
        }
        return advice;
    }
} // namespace

TEST_P (PluginHostTest, drawsForANoteWithItsWindowClosedAndItsWindowThenShowsTheAdvice)
{
    auto instance = createInstance();
    auto other = createInstance();
    ASSERT_NE (instance, nullptr);
    ASSERT_NE (other, nullptr);

    // A new instance reads its sets and takes an advice with no window, as its screen would.
    const auto first = waitForAnotherAdvice (*instance, -1);
    ASSERT_GE (first, 0) << "no advice in the state of an instance never shown";

    instance->prepareToPlay (sampleRate, blockSize);
    playNoteOn (*instance);
    const auto drawn = waitForAnotherAdvice (*instance, first);
    EXPECT_NE (drawn, first) << "a note with the window closed left the saved advice as it was";
    EXPECT_GE (drawn, 0);

    // The window opened afterwards shows that advice: the same card as another instance given the state.
    juce::MemoryBlock state;
    instance->getStateInformation (state);
    other->setStateInformation (state.getData(), (int) state.getSize());

    auto opened = openEditor (*instance, 20, 20);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";
    EXPECT_EQ (adviceIn (*instance), drawn) << "the window drew an advice of its own";
    opened.close();

    auto otherOpened = openEditor (*other, 20, 20);
    ASSERT_NE (otherOpened.editor, nullptr);
    const auto otherCard = waitForASettledCard (otherOpened);
    ASSERT_TRUE (otherCard.isValid());
    EXPECT_EQ (countDifferingPixels (card, otherCard, editorArea (otherOpened)), 0)
        << "the window does not show the advice the instance kept";
    otherOpened.close();
    instance->releaseResources();
}

TEST_P (PluginHostTest, drawsAtEachGroupOfBarsWithItsWindowClosed)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    const auto first = waitForAnotherAdvice (*instance, -1);
    ASSERT_GE (first, 0);

    // "Every 4 bars", which only the window's menu offers, given through the state as a saved project does.
    juce::MemoryBlock state;
    instance->getStateInformation (state);
    const auto withBars = PluginStateInHost::withChange (state, [] (juce::XmlElement& xml)
                                                         { xml.setAttribute ("timerBars", 4); });
    ASSERT_FALSE (withBars.isEmpty()) << "no plugin state found in the host's";
    instance->setStateInformation (withBars.getData(), (int) withBars.getSize());

    juce::MemoryBlock restored;
    instance->getStateInformation (restored);
    ASSERT_EQ (PluginStateInHost::read (restored)->getIntAttribute ("timerBars"), 4);

    // 17 s of a transport rolling at 120 beats a minute: groups of 4 bars start at 0, 8 and 16 s. The host's
    // messages run now and then, longer than the instance's look, as the blocks go much faster than time.
    RollingPlayHead playHead;
    instance->setPlayHead (&playHead);
    instance->prepareToPlay (sampleRate, blockSize);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer noMidi;
    std::set<int> advice{ first };
    const auto blocks = static_cast<int> (17.0 * sampleRate / blockSize);

    for (int block = 0; block < blocks; ++block)
    {
        playHead.moveTo (static_cast<juce::int64> (block) * blockSize);
        buffer.clear();
        instance->processBlock (buffer, noMidi);

        if (block % 250 == 0)
        {
            runMessages (100);
            advice.insert (adviceIn (*instance));
        }
    }

    runMessages (300);
    advice.insert (adviceIn (*instance));
    instance->releaseResources();
    instance->setPlayHead (nullptr);

    EXPECT_GE (advice.size(), 3u) << "fewer than two draws in three groups of bars";
    EXPECT_EQ (advice.count (-2), 0u);
    std::cout << GetParam() << " bars: " << advice.size() - 1 << " advice drawn in 17 s\n";
}

TEST_P (PluginHostTest, namesItsProgramAfterTheAdvice)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    ChangeNotices notices;
    instance->addListener (&notices);
    const auto first = waitForAnotherAdvice (*instance, -1);
    ASSERT_GE (first, 0);

    if (GetParam() == "LV2")
    {
        // An LV2 plugin has no way to tell its host of a program of its own: the host lists the presets of
        // the manifest, written when the plugin was built.
        EXPECT_EQ (instance->getNumPrograms(), 1);
        EXPECT_EQ (instance->getProgramName (0), "Default");
        instance->removeListener (&notices);
        return;
    }

    auto name = vst3ProgramName (*instance);
    for (int attempt = 0; attempt < 50 && name == "Default"; ++attempt)
    {
        runMessages (200);
        name = vst3ProgramName (*instance);
    }
    EXPECT_TRUE (name.contains (": ")) << name;

    const auto noticesBefore = notices.count.load();
    instance->prepareToPlay (sampleRate, blockSize);
    playNoteOn (*instance);
    EXPECT_NE (waitForAnotherAdvice (*instance, first), first);
    runMessages (300);
    const auto renamed = vst3ProgramName (*instance);
    EXPECT_NE (renamed, name) << "the program's name stayed on the former advice";
    EXPECT_TRUE (renamed.contains (": ")) << renamed;
    EXPECT_GT (notices.count.load(), noticesBefore) << "the host was not told";

    std::cout << "VST3 program: \"" << renamed.substring (0, 60) << "…\"\n";
    instance->releaseResources();
    instance->removeListener (&notices);
}
} // namespace plugin_host
