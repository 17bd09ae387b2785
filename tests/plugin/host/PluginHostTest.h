#pragma once

#include "HostTestHelpers.h"

namespace plugin_host
{
// Each test runs once per format, on instances the format makes from the built plugin.
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
        // The pointer starts in the middle of the screen, right over the "+" of an editor at (40, 40), which
        // is then drawn lit or not as the window's first pointer events come: off every editor, the cards
        // compared are the same.
        movePointerOffTheEditors();

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

    // Opens and closes the instance's editor ten times; each time it must show the card at exactly that
    // size, at once and for good, scaled from the card's own 500 x 350, the same picture each time.
    static void reopenTenTimesAt (juce::AudioPluginInstance& instance, juce::Rectangle<int> size)
    {
        juce::Image firstCard;
        const auto scale = size.getWidth() / 500.0f;

        for (int opening = 1; opening <= 10; ++opening)
        {
            auto opened = openEditor (instance, 40, 40);
            ASSERT_NE (opened.editor, nullptr);

            const auto shot = waitForTheCard (opened);
            ASSERT_TRUE (shot.isValid()) << "opening " << opening;
            EXPECT_GT (countYellow (shot, editorArea (opened)), 50) << "no card at opening " << opening;

            // Longer than anything the editor does once shown.
            runMessages (1500);
            EXPECT_EQ (opened.editor->getWidth(), size.getWidth()) << "opening " << opening;
            EXPECT_EQ (opened.editor->getHeight(), size.getHeight()) << "opening " << opening;
            EXPECT_EQ (opened.window->getContentComponent()->getBounds().getWidth(), size.getWidth())
                << "opening " << opening;
            EXPECT_EQ (opened.window->getContentComponent()->getBounds().getHeight(), size.getHeight())
                << "opening " << opening;

            const auto last = takeScreenshot (*opened.window);
            ASSERT_TRUE (last.isValid());
            const auto area = editorArea (opened);
            ASSERT_TRUE (last.getBounds().contains (area));

            // The "+" button in the bottom right corner: the card is not cut short.
            const auto corner = area.withTrimmedLeft (area.getWidth() - juce::roundToInt (50 * scale))
                                    .withTrimmedTop (area.getHeight() - juce::roundToInt (45 * scale));
            EXPECT_GT (countPixels (last, corner, [] (juce::Colour c) { return c.getBrightness() > 0.5f; }),
                       juce::roundToInt (30 * scale * scale))
                << "no \"+\" button in the corner at opening " << opening;

            // The same card each time: a window cut short or widened would shift or cut it.
            if (!firstCard.isValid())
                firstCard = last;
            EXPECT_EQ (countDifferingPixels (firstCard, last, area), 0)
                << "another card at opening " << opening;

            opened.close();
            runMessages (100);
        }
    }

    // The folder of sets the instances read: the shipped sets inside the bundle, as the user has none.
    juce::File bundleSets() const
    {
        if (GetParam() == "VST3")
            return juce::File (pluginPaths.vst3Bundle).getChildFile ("Contents/Resources/data");
        return juce::File (pluginPaths.lv2Folder).getChildFile ("Musewheeler.lv2/data");
    }
};

// Positions on the main screen, from its layout: the centres of the menu and favourite buttons.
inline const juce::Point<int> menuButton{ 41, 321 };
inline const juce::Point<int> favouriteButton{ 414, 321 };
} // namespace plugin_host
