// A host for the built plugins, on the toolkit's own VST3 and LV2 hosting: it loads them as a DAW does,
// plays audio and a note through them, moves their state from one instance to another, and shows their
// editors on the desktop, where screenshots check what the card looks like.
// Usage: PluginHost [gtest options] VST3_BUNDLE LV2_FOLDER LV2_URI
// LV2_FOLDER, holding Musewheeler.lv2, must be ~/.lv2, where the toolkit's LV2 hosting looks. It needs an
// X display with a window manager (tests/plugin/plugin-host.sh gives both).

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
struct PluginPaths
{
    juce::String vst3Bundle;
    juce::String lv2Folder;
    juce::String lv2Uri;
};

PluginPaths pluginPaths;

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

// The message manager and one object per format for the whole run, as a host keeps them.
struct HostEnvironment final : ::testing::Environment
{
    void SetUp() override
    {
        gui = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
        vst3 = std::make_unique<juce::VST3PluginFormat>();
        // It loads the LV2 plugins of the usual folders, ~/.lv2 first, and finds them by URI. A second
        // search would load lilv's plugin classes again over the first ones, which lilv then never frees.
        lv2 = std::make_unique<juce::LV2PluginFormat>();

        // One instance of each format lives for the whole run, as in a session: the tests' own instances
        // then come and go without the plugin's toolkit ending and starting again between them.
        keepInstance (*vst3, pluginPaths.vst3Bundle);
        keepInstance (*lv2, pluginPaths.lv2Uri);
    }

    void keepInstance (juce::AudioPluginFormat& format, const juce::String& fileOrIdentifier)
    {
        juce::OwnedArray<juce::PluginDescription> types;
        format.findAllTypesForFile (types, fileOrIdentifier);
        juce::String error;
        if (types.size() == 1)
            if (auto instance =
                    format.createInstanceFromDescription (*types[0], sampleRate, blockSize, error))
                sessionInstances.push_back (std::move (instance));
    }

    void TearDown() override
    {
        sessionInstances.clear();
        lv2.reset();
        vst3.reset();
        gui.reset();
    }

    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;
    std::unique_ptr<juce::VST3PluginFormat> vst3;
    std::unique_ptr<juce::LV2PluginFormat> lv2;
    std::vector<std::unique_ptr<juce::AudioPluginInstance>> sessionInstances;
};

HostEnvironment* environment = nullptr;

// Lets the message thread run for a while: the editors paint and poll their processors there.
void runMessages (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

// A top-level window holding an editor, with the window manager's frame, as a host shows it.
class HostWindow final : public juce::DocumentWindow
{
public:
    HostWindow (juce::AudioProcessorEditor& editor, int x, int y)
        : juce::DocumentWindow ("Musewheeler host", juce::Colours::darkgrey, 0)
    {
        setUsingNativeTitleBar (true);
        setContentNonOwned (&editor, true);
        setTopLeftPosition (x, y);
        setVisible (true);
    }

    ~HostWindow() override { clearContentComponent(); }

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostWindow)
};

// An instance with its editor shown in a window; the editor goes before the instance, as the toolkit asks.
struct OpenEditor
{
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    std::unique_ptr<HostWindow> window;

    void close()
    {
        window.reset();
        editor.reset();
    }
};

// The window's client area as the X server has it, through ImageMagick's import.
juce::Image takeScreenshot (const juce::Component& window)
{
    const auto file = juce::File::createTempFile (".png");
    const auto windowId = juce::String ((juce::pointer_sized_int) window.getWindowHandle());

    juce::ChildProcess import;
    const auto started =
        import.start (juce::StringArray{ "import", "-window", windowId, file.getFullPathName() });
    const auto finished = started && import.waitForProcessToFinish (20000);
    auto image = finished ? juce::ImageFileFormat::loadFrom (file) : juce::Image();
    file.deleteFile();
    return image;
}

// Runs a command to its end and gives what it printed: xdotool for the user's mouse and keys, xwininfo for
// the windows on screen.
juce::String runCommand (const juce::StringArray& command)
{
    juce::ChildProcess process;
    if (!process.start (command))
        return {};
    const auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (20000);
    return output;
}

// Ends the run with a message when the host's message thread does not come back within the time: a plugin
// running a modal loop of its own inside the host's call holds the host up until the user answers.
class HoldUpWatchdog final
{
public:
    explicit HoldUpWatchdog (const char* whatHoldsUp)
        : watcher (
              [this, whatHoldsUp]
              {
                  std::unique_lock<std::mutex> lock (mutex);
                  if (!released.wait_for (lock, std::chrono::seconds (30), [this] { return done; }))
                  {
                      std::cerr << "The host was held up for 30 s: " << whatHoldsUp << "\n";
                      std::abort();
                  }
              })
    {
    }

    ~HoldUpWatchdog()
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            done = true;
        }
        released.notify_one();
        watcher.join();
    }

private:
    std::mutex mutex;
    std::condition_variable released;
    bool done = false;
    std::thread watcher;
};

// The pointer moved to that point of the editor and its button clicked, as a user does, then moved off the
// editor so that no button stays lit under it.
void clickOnEditor (const juce::Component& editor, juce::Point<int> where)
{
    const auto onScreen = editor.localPointToGlobal (where);
    runCommand ({ "xdotool", "mousemove", "--sync", juce::String (onScreen.x), juce::String (onScreen.y),
                  "click", "1" });
    runMessages (200);
    runCommand ({ "xdotool", "mousemove", "--sync", "1000", "740" });
}

// Keys typed into the shown window of that name: the plugin's pop-ups are windows of its own toolkit, which
// does not see the keys the host's window has.
void pressKeysIn (const juce::String& windowName, const juce::StringArray& keys)
{
    const auto found =
        runCommand ({ "xdotool", "search", "--onlyvisible", "--name", "^" + windowName + "$" });
    const auto windowId = juce::StringArray::fromLines (found.trim())[0];
    juce::StringArray command{ "xdotool", "key", "--window", windowId, "--delay", "150" };
    command.addArray (keys);
    runCommand (command);
}

// Whether a window of that name is on screen (the toolkit names its pop-up menus "menu").
bool windowShown (const juce::String& name)
{
    return runCommand ({ "xwininfo", "-root", "-tree" }).contains ("\"" + name + "\"");
}

int countPixels (const juce::Image& image, juce::Rectangle<int> area,
                 const std::function<bool (juce::Colour)>& matches)
{
    int count = 0;
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readOnly);
    for (auto y = area.getY(); y < area.getBottom(); ++y)
        for (auto x = area.getX(); x < area.getRight(); ++x)
            if (matches (pixels.getPixelColour (x, y)))
                ++count;
    return count;
}

int countDifferingPixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    int count = 0;
    const juce::Image::BitmapData pixelsA (a, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData pixelsB (b, juce::Image::BitmapData::readOnly);
    for (auto y = area.getY(); y < area.getBottom(); ++y)
        for (auto x = area.getX(); x < area.getRight(); ++x)
            if (pixelsA.getPixelColour (x, y) != pixelsB.getPixelColour (x, y))
                ++count;
    return count;
}

// The colours of the sets shipped in the LV2 bundle: the card's frame is drawn in the colour of the set
// of the advice shown.
juce::Array<juce::Colour> shippedSetColours()
{
    juce::Array<juce::Colour> colours;
    const auto data =
        juce::File (pluginPaths.lv2Folder).getChildFile ("Musewheeler.lv2").getChildFile ("data");
    for (const auto& setFile : data.findChildFiles (juce::File::findFiles, false, "*.mwh"))
    {
        juce::StringArray lines;
        setFile.readLines (lines);
        for (const auto& line : lines)
        {
            if (!line.startsWith ("Colour="))
                continue;
            const auto parts = juce::StringArray::fromTokens (
                line.fromFirstOccurrenceOf ("=", false, false).upToFirstOccurrenceOf (";", false, false), ",",
                "");
            if (parts.size() == 3)
                colours.addIfNotAlreadyThere (juce::Colour ((juce::uint8) parts[0].getIntValue(),
                                                            (juce::uint8) parts[1].getIntValue(),
                                                            (juce::uint8) parts[2].getIntValue()));
        }
    }
    return colours;
}

class PluginHostTest : public ::testing::TestWithParam<juce::String>
{
protected:
    juce::AudioPluginFormat& format() const
    {
        if (GetParam() == "VST3")
            return *environment->vst3;
        return *environment->lv2;
    }

    juce::String fileOrIdentifier() const
    {
        return GetParam() == "VST3" ? pluginPaths.vst3Bundle : pluginPaths.lv2Uri;
    }

    juce::OwnedArray<juce::PluginDescription> findTypes() const
    {
        juce::OwnedArray<juce::PluginDescription> types;
        format().findAllTypesForFile (types, fileOrIdentifier());
        return types;
    }

    std::unique_ptr<juce::AudioPluginInstance> createInstance() const
    {
        const auto types = findTypes();
        if (types.size() != 1)
        {
            ADD_FAILURE() << "expected one plugin in " << fileOrIdentifier() << ", found " << types.size();
            return {};
        }

        juce::String error;
        auto instance = format().createInstanceFromDescription (*types[0], sampleRate, blockSize, error);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    static OpenEditor openEditor (juce::AudioPluginInstance& instance, int x, int y)
    {
        OpenEditor opened;
        opened.editor.reset (instance.createEditorIfNeeded());
        if (opened.editor != nullptr)
            opened.window = std::make_unique<HostWindow> (*opened.editor, x, y);
        return opened;
    }

    static void playNoteOn (juce::AudioPluginInstance& instance, juce::AudioBuffer<float>& buffer,
                            int samplePosition)
    {
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), samplePosition);
        instance.processBlock (buffer, midi);
    }

    static void playNoteOn (juce::AudioPluginInstance& instance)
    {
        juce::AudioBuffer<float> buffer (2, blockSize);
        buffer.clear();
        playNoteOn (instance, buffer, 0);
    }

    // The editor in the host window's screenshots.
    static juce::Rectangle<int> editorArea (const OpenEditor& opened)
    {
        return opened.window->getLocalArea (opened.editor.get(), opened.editor->getLocalBounds());
    }

    // Where the main screen writes the set's name and the advice, above the author.
    static juce::Rectangle<int> adviceArea (const OpenEditor& opened)
    {
        return opened.window->getLocalArea (opened.editor.get(), juce::Rectangle<int> (100, 70, 300, 121));
    }

    static int countYellow (const juce::Image& image, juce::Rectangle<int> area)
    {
        return countPixels (image, area,
                            [] (juce::Colour c) { return c.getARGB() == juce::Colours::yellow.getARGB(); });
    }

    // The host window's screenshot once the card shows its set's name in yellow: the embedded editor's first
    // paint follows the window by a moment, longer under the sanitizers.
    static juce::Image waitForTheCard (const OpenEditor& opened)
    {
        juce::Image shot;
        for (int attempt = 0;
             attempt < 20 && (!shot.isValid() || countYellow (shot, editorArea (opened)) <= 50); ++attempt)
        {
            runMessages (500);
            shot = takeScreenshot (*opened.window);
        }
        return shot;
    }

    // True once the advice differs from the one on that screenshot, within ten seconds.
    static bool waitForANewAdvice (const OpenEditor& opened, const juce::Image& before)
    {
        for (int attempt = 0; attempt < 20; ++attempt)
        {
            runMessages (500);
            const auto shot = takeScreenshot (*opened.window);
            if (shot.isValid() && countDifferingPixels (before, shot, adviceArea (opened)) > 200)
                return true;
        }
        return false;
    }

    // The pixels of that area that still differ from the card expected once the editor has painted what a
    // closed pop-up covered, within ten seconds.
    static int waitForTheSameCard (const OpenEditor& opened, const juce::Image& expected,
                                   juce::Rectangle<int> area)
    {
        int differing = -1;
        for (int attempt = 0; attempt < 20 && differing != 0; ++attempt)
        {
            runMessages (500);
            const auto shot = takeScreenshot (*opened.window);
            differing = shot.isValid() ? countDifferingPixels (expected, shot, area) : -1;
        }
        return differing;
    }

    // The host window's screenshot once two taken three seconds apart are the same: after a draw the frame
    // keeps the old colour for two seconds, then fades to the new one in one, longer under the sanitizers.
    static juce::Image waitForAStillCard (const OpenEditor& opened)
    {
        auto shot = takeScreenshot (*opened.window);
        for (int attempt = 0; attempt < 8; ++attempt)
        {
            runMessages (3000);
            const auto next = takeScreenshot (*opened.window);
            if (shot.isValid() && next.isValid() &&
                countDifferingPixels (shot, next, editorArea (opened)) == 0)
                return next;
            shot = next;
        }
        return {};
    }

    // The card once shown and settled, or an invalid image.
    static juce::Image waitForASettledCard (const OpenEditor& opened)
    {
        if (!waitForTheCard (opened).isValid())
            return {};
        return waitForAStillCard (opened);
    }

    // The folder of sets the instances read: the shipped sets inside the bundle, as the user has none.
    juce::File bundleSets() const
    {
        if (GetParam() == "VST3")
            return juce::File (pluginPaths.vst3Bundle).getChildFile ("Contents/Resources/data");
        return juce::File (pluginPaths.lv2Folder).getChildFile ("Musewheeler.lv2/data");
    }
};

// The sets moved out of their folder for a while, and back whatever the test found, for the tests after it.
struct SetsMovedAway
{
    explicit SetsMovedAway (const juce::File& setsFolder)
        : sets (setsFolder)
        , away (setsFolder.getSiblingFile ("data-away"))
        , moved (sets.moveFileTo (away))
    {
    }

    ~SetsMovedAway()
    {
        if (moved)
        {
            sets.deleteRecursively();
            away.moveFileTo (sets);
        }
    }

    const juce::File sets;
    const juce::File away;
    const bool moved;

    JUCE_DECLARE_NON_COPYABLE (SetsMovedAway)
};

// Positions on the main screen, from its layout: the centres of the menu and favourite buttons.
const juce::Point<int> menuButton{ 41, 321 };
const juce::Point<int> favouriteButton{ 414, 321 };

TEST_P (PluginHostTest, findsOnePluginNamedMusewheelerThatTakesMidi)
{
    const auto types = findTypes();
    ASSERT_EQ (types.size(), 1);
    EXPECT_EQ (types[0]->name, "Musewheeler");
    EXPECT_EQ (types[0]->pluginFormatName, GetParam());
    EXPECT_FALSE (types[0]->isInstrument);
}

TEST_P (PluginHostTest, makesTwoInstancesThatTakeMidi)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);
    EXPECT_NE (first.get(), second.get());

    for (auto* instance : { first.get(), second.get() })
    {
        EXPECT_EQ (instance->getName(), "Musewheeler");
        EXPECT_TRUE (instance->acceptsMidi());
        EXPECT_TRUE (instance->hasEditor());
    }
}

TEST_P (PluginHostTest, passesAudioThroughUntouchedWhileANoteArrives)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    for (auto* instance : { first.get(), second.get() })
    {
        instance->prepareToPlay (sampleRate, blockSize);
        ASSERT_EQ (instance->getTotalNumInputChannels(), 2);
        ASSERT_EQ (instance->getTotalNumOutputChannels(), 2);

        for (int block = 0; block < 4; ++block)
        {
            // A different tone in each channel and each block, so a swap or a delay would show.
            juce::AudioBuffer<float> played (2, blockSize);
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < blockSize; ++i)
                    played.setSample (
                        channel, i,
                        0.5f * std::sin (0.01f * (float) ((block * blockSize + i) * (channel + 1))));

            auto buffer = played;
            if (block == 1)
                playNoteOn (*instance, buffer, 17);
            else
            {
                juce::MidiBuffer noMidi;
                instance->processBlock (buffer, noMidi);
            }

            int changedSamples = 0;
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < blockSize; ++i)
                    if (buffer.getSample (channel, i) != played.getSample (channel, i))
                        ++changedSamples;
            EXPECT_EQ (changedSamples, 0) << "block " << block;
        }

        instance->releaseResources();
    }
}

TEST_P (PluginHostTest, givesItsStateToAnotherInstance)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    // A note draws an advice in the first instance's editor; once its colour has faded in, the card is kept.
    auto firstEditor = openEditor (*first, 20, 20);
    ASSERT_NE (firstEditor.editor, nullptr);
    const auto beforeNote = waitForTheCard (firstEditor);
    ASSERT_TRUE (beforeNote.isValid());
    juce::MemoryBlock beforeNoteState;
    first->getStateInformation (beforeNoteState);

    first->prepareToPlay (sampleRate, blockSize);
    playNoteOn (*first);
    ASSERT_TRUE (waitForANewAdvice (firstEditor, beforeNote)) << "no new advice after a note-on";
    const auto firstCard = waitForAStillCard (firstEditor);
    ASSERT_TRUE (firstCard.isValid()) << "the card did not settle";
    firstEditor.close();

    juce::MemoryBlock firstState;
    first->getStateInformation (firstState);
    EXPECT_NE (firstState, beforeNoteState) << "the advice drawn is not in the state";

    // As a host does when it opens a project: the state given to another instance, then its editor opened.
    second->setStateInformation (firstState.getData(), (int) firstState.getSize());
    juce::MemoryBlock restoredState;
    second->getStateInformation (restoredState);
    EXPECT_EQ (restoredState, firstState);

    auto secondEditor = openEditor (*second, 20, 20);
    ASSERT_NE (secondEditor.editor, nullptr);
    const auto secondCard = waitForASettledCard (secondEditor);
    ASSERT_TRUE (secondCard.isValid()) << "the card did not show or did not settle";
    EXPECT_GT (countYellow (secondCard, editorArea (secondEditor)), 50);
    EXPECT_EQ (countDifferingPixels (firstCard, secondCard, editorArea (secondEditor)), 0)
        << "the second instance does not show the advice the first one kept";
    secondEditor.close();

    first->releaseResources();
    std::cout << GetParam() << " state: " << firstState.getSize() << " bytes\n";
}

TEST_P (PluginHostTest, opensAndClosesTwoEditorsInBothOrders)
{
    auto first = createInstance();
    auto second = createInstance();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    for (const auto firstClosesFirst : { true, false })
    {
        auto editorA = openEditor (*first, 20, 20);
        auto editorB = openEditor (*second, 500, 380);
        ASSERT_NE (editorA.editor, nullptr);
        ASSERT_NE (editorB.editor, nullptr);
        runMessages (500);

        for (auto* opened : { &editorA, &editorB })
        {
            EXPECT_TRUE (opened->window->isOnDesktop());
            EXPECT_EQ (opened->editor->getWidth(), 500);
            EXPECT_EQ (opened->editor->getHeight(), 350);
        }
        EXPECT_EQ (first->getActiveEditor(), editorA.editor.get());
        EXPECT_EQ (second->getActiveEditor(), editorB.editor.get());

        if (firstClosesFirst)
        {
            editorA.close();
            runMessages (200);
            editorB.close();
        }
        else
        {
            editorB.close();
            runMessages (200);
            editorA.close();
        }
        runMessages (200);

        EXPECT_EQ (first->getActiveEditor(), nullptr);
        EXPECT_EQ (second->getActiveEditor(), nullptr);
    }
}

TEST_P (PluginHostTest, editorShowsTheCardAndANoteDrawsANewAdvice)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    instance->prepareToPlay (sampleRate, blockSize);

    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto editorArea = PluginHostTest::editorArea (opened);
    const auto adviceArea = PluginHostTest::adviceArea (opened);

    const auto before = waitForTheCard (opened);
    ASSERT_TRUE (before.isValid()) << "no screenshot of the host window";
    ASSERT_TRUE (before.getBounds().contains (editorArea)) << "the screenshot is smaller than the editor";

    const auto yellowPixels = countYellow (before, editorArea);
    EXPECT_GT (yellowPixels, 50) << "the card shows no set name in yellow";

    const auto setColours = shippedSetColours();
    ASSERT_FALSE (setColours.isEmpty());
    const auto framePixels = countPixels (before, editorArea,
                                          [&setColours] (juce::Colour c)
                                          { return setColours.contains (c.withAlpha ((juce::uint8) 255)); });
    EXPECT_GT (framePixels, 5000) << "the card has no frame in a set's colour";

    runMessages (1000);
    const auto still = takeScreenshot (*opened.window);
    ASSERT_TRUE (still.isValid());
    EXPECT_EQ (countDifferingPixels (before, still, editorArea), 0) << "the card changed with no note played";

    playNoteOn (*instance);
    runMessages (500);

    const auto after = takeScreenshot (*opened.window);
    ASSERT_TRUE (after.isValid());
    const auto changedAdvicePixels = countDifferingPixels (before, after, adviceArea);
    EXPECT_GT (changedAdvicePixels, 200) << "no new advice after a note-on";

    std::cout << GetParam() << " editor: " << yellowPixels << " yellow pixels, " << framePixels
              << " in a set's colour, " << changedAdvicePixels << " advice pixels changed after a note-on\n";

    opened.close();
    instance->releaseResources();
}

// A modal menu would run the plugin's own loop inside the host's call and hold up the host until the menu
// closes: the host would not come back from runMessages to look, and the watchdog ends the run.
TEST_P (PluginHostTest, theMenuOpensWithoutHoldingUpTheHostAndAnswersTheKeyboard)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";
    ASSERT_FALSE (windowShown ("menu"));

    {
        const HoldUpWatchdog watchdog ("the menu waits for the user inside the host's call");
        clickOnEditor (*opened.editor, menuButton);
        runMessages (800);
    }
    EXPECT_TRUE (windowShown ("menu")) << "no menu on screen after a click on the menu button";

    pressKeysIn ("menu", { "Escape" });
    runMessages (800);
    EXPECT_FALSE (windowShown ("menu")) << "Escape left the menu open";
    EXPECT_EQ (waitForTheSameCard (opened, card, adviceArea (opened)), 0)
        << "the advice changed when the menu was closed without a choice";

    // The first entry, "Options", chosen with the keys: the options panel covers the card.
    clickOnEditor (*opened.editor, menuButton);
    runMessages (800);
    ASSERT_TRUE (windowShown ("menu"));
    pressKeysIn ("menu", { "Down", "Return" });
    runMessages (800);
    EXPECT_FALSE (windowShown ("menu"));
    const auto options = takeScreenshot (*opened.window);
    ASSERT_TRUE (options.isValid());
    const auto changed = countDifferingPixels (card, options, editorArea (opened));
    EXPECT_GT (changed, 40000) << "the options panel did not open";
    EXPECT_EQ (countYellow (options, adviceArea (opened)), 0) << "the card still shows above the options";
    std::cout << GetParam() << " menu: " << changed << " pixels changed with the options open\n";

    opened.close();
}

// The sets on disk are gone since the instance read them (removed by another program, or a bundle updated
// under the host): a mark cannot be kept, and a warning says so without holding up the host.
TEST_P (PluginHostTest, aMarkThatCannotBeKeptIsRefusedWithAWarningThatDoesNotHoldUpTheHost)
{
    auto instance = createInstance();
    ASSERT_NE (instance, nullptr);
    auto opened = openEditor (*instance, 40, 40);
    ASSERT_NE (opened.editor, nullptr);
    const auto card = waitForASettledCard (opened);
    ASSERT_TRUE (card.isValid()) << "the card did not show or did not settle";
    ASSERT_FALSE (windowShown ("Musewheeler"));

    const auto sets = bundleSets();
    const SetsMovedAway movedAway (sets);
    ASSERT_TRUE (movedAway.moved);

    {
        const HoldUpWatchdog watchdog ("the warning waits for the user inside the host's call");
        clickOnEditor (*opened.editor, favouriteButton);
        runMessages (800);
    }
    const auto warned = windowShown ("Musewheeler");
    EXPECT_TRUE (warned) << "no warning on screen after a mark that could not be kept";
    EXPECT_FALSE (sets.exists()) << "the mark was written somewhere";

    pressKeysIn ("Musewheeler", { "Return" });
    runMessages (800);
    EXPECT_FALSE (windowShown ("Musewheeler")) << "Return left the warning open";

    // The favourite button does not show a mark that was not kept.
    EXPECT_EQ (waitForTheSameCard (opened, card, editorArea (opened)), 0);

    opened.close();
}

INSTANTIATE_TEST_SUITE_P (Formats, PluginHostTest,
                          ::testing::Values (juce::String ("VST3"), juce::String ("LV2")),
                          [] (const ::testing::TestParamInfo<juce::String>& formatName)
                          { return formatName.param.toStdString(); });
} // namespace

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    if (argc != 4)
    {
        std::cerr << "Usage: PluginHost [gtest options] VST3_BUNDLE LV2_FOLDER LV2_URI\n";
        return 2;
    }

    pluginPaths = { argv[1], argv[2], argv[3] };
    environment = new HostEnvironment();
    ::testing::AddGlobalTestEnvironment (environment);
    return RUN_ALL_TESTS();
}
