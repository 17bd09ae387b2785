#pragma once

// What the host's tests share: the plugins' paths, the formats kept for the whole run, the host's windows,
// the X tools that play the user, and the pixels of the screenshots.

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

namespace plugin_host
{
struct PluginPaths
{
    juce::String vst3Bundle;
    juce::String lv2Folder;
    juce::String lv2Uri;
};

// Given on the command line.
inline PluginPaths pluginPaths;

inline constexpr double sampleRate = 48000.0;
inline constexpr int blockSize = 256;

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

inline HostEnvironment* environment = nullptr;

// Lets the message thread run for a while: the editors paint and poll their processors there.
inline void runMessages (int milliseconds)
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
inline juce::Image takeScreenshot (const juce::Component& window)
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
inline juce::String runCommand (const juce::StringArray& command)
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

// The pointer in the screen's bottom right corner, where no test puts a window. Without --sync, which waits
// for a move and so for ever when the pointer is there already.
inline void movePointerOffTheEditors()
{
    runCommand ({ "xdotool", "mousemove", "1000", "740" });
}

// The pointer moved to that point of the editor and its button clicked, as a user does, then moved off the
// editor so that no button stays lit under it.
inline void clickOnEditor (const juce::Component& editor, juce::Point<int> where)
{
    const auto onScreen = editor.localPointToGlobal (where);
    runCommand ({ "xdotool", "mousemove", "--sync", juce::String (onScreen.x), juce::String (onScreen.y),
                  "click", "1" });
    runMessages (200);
    movePointerOffTheEditors();
}

// Keys typed into the shown window of that name: the plugin's pop-ups are windows of its own toolkit, which
// does not see the keys the host's window has.
inline void pressKeysIn (const juce::String& windowName, const juce::StringArray& keys)
{
    const auto found =
        runCommand ({ "xdotool", "search", "--onlyvisible", "--name", "^" + windowName + "$" });
    const auto windowId = juce::StringArray::fromLines (found.trim())[0];
    juce::StringArray command{ "xdotool", "key", "--window", windowId, "--delay", "150" };
    command.addArray (keys);
    runCommand (command);
}

// Whether a window of that name is on screen (the toolkit names its pop-up menus "menu").
inline bool windowShown (const juce::String& name)
{
    return runCommand ({ "xwininfo", "-root", "-tree" }).contains ("\"" + name + "\"");
}

// True once a window of that name is shown (or gone, as asked) within ten seconds, the host's messages
// running meanwhile: a pop-up comes a moment after the click or key, longer on a loaded machine.
inline bool waitForWindow (const juce::String& name, bool shown)
{
    for (int attempt = 0; attempt < 50; ++attempt)
    {
        if (windowShown (name) == shown)
            return true;
        runMessages (200);
    }
    return windowShown (name) == shown;
}

inline int countPixels (const juce::Image& image, juce::Rectangle<int> area,
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

inline int countDifferingPixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
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
inline juce::Array<juce::Colour> shippedSetColours()
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

// The plugin's own state, its binary XML, inside the state a host keeps for an instance: the VST3 host keeps
// the plugin's bytes in the toolkit's base64 under "IComponent" in an XML of its own, the LV2 host inside the
// Turtle text of its saved state, as the string the plugin stored. Tests read the advice and the window's
// size there, and give an instance settings no host control reaches (the timer).
class PluginStateInHost final
{
public:
    static std::unique_ptr<juce::XmlElement> read (const juce::MemoryBlock& hostState)
    {
        const auto token = findToken (hostState);
        return token.isEmpty() ? nullptr : decode (token).xml;
    }

    // The host's state with the plugin's own changed by that function, or an empty block when it holds none.
    static juce::MemoryBlock withChange (const juce::MemoryBlock& hostState,
                                         const std::function<void (juce::XmlElement&)>& change)
    {
        const auto token = findToken (hostState);
        if (token.isEmpty())
            return {};

        auto decoded = decode (token);
        change (*decoded.xml);
        juce::MemoryBlock bytes;
        juce::AudioProcessor::copyXmlToBinary (*decoded.xml, bytes);
        bytes.append (decoded.rest.getData(), decoded.rest.getSize());
        const auto newToken = bytes.toBase64Encoding();

        if (auto outer =
                juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
        {
            if (auto* component = outer->getChildByName ("IComponent"))
            {
                component->deleteAllTextElements();
                component->addTextElement (newToken);
            }
            juce::MemoryBlock result;
            juce::AudioProcessor::copyXmlToBinary (*outer, result);
            return result;
        }

        const auto text = hostState.toString().replace (token, newToken);
        return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
    }

private:
    struct Decoded
    {
        std::unique_ptr<juce::XmlElement> xml;
        juce::MemoryBlock rest;
    };

    static Decoded decode (const juce::String& token)
    {
        juce::MemoryBlock bytes;
        if (!bytes.fromBase64Encoding (token))
            return {};

        auto xml = juce::AudioProcessor::getXmlFromBinary (bytes.getData(), (int) bytes.getSize());
        if (xml == nullptr || !xml->hasTagName ("MusewheelerState"))
            return {};

        // The header, the text and its closing zero, then whatever the format's wrapper appended.
        const auto textSize =
            (size_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (bytes.getData(), 4));
        const auto used = juce::jmin (bytes.getSize(), 9 + textSize);
        return { std::move (xml), juce::MemoryBlock (juce::addBytesToPointer (bytes.getData(), (int) used),
                                                     bytes.getSize() - used) };
    }

    // The toolkit's base64, "<size>.<characters>", that decodes into the plugin's state.
    static juce::String findToken (const juce::MemoryBlock& hostState)
    {
        juce::String text;
        if (auto outer =
                juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
        {
            if (auto* component = outer->getChildByName ("IComponent"))
                text = component->getAllSubText();
        }
        else
        {
            text = hostState.toString();
        }

        const auto isTokenCharacter = [] (juce::juce_wchar c)
        { return juce::CharacterFunctions::isLetterOrDigit (c) || c == '.' || c == '+'; };

        for (int start = 0; start < text.length();)
        {
            auto end = start;
            while (end < text.length() && isTokenCharacter (text[end]))
                ++end;

            const auto token = text.substring (start, end);
            if (token.containsChar ('.') &&
                token.upToFirstOccurrenceOf (".", false, false).containsOnly ("0123456789") &&
                decode (token).xml != nullptr)
                return token;

            start = juce::jmax (end, start + 1);
        }
        return {};
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
} // namespace plugin_host
