#pragma once

#include "TestHelpers.h"
#include "editor/EditorTestHelpers.h"
#include "main/MainComponent.h"
#include "settings/ConfigFile.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

namespace panel_testing
{
using testing_helpers::besideProgram;
using testing_helpers::deliverMessages;

// A set file in the current format, every advice with the one tag given.
inline void writeSet (const juce::String& fileName, const juce::String& name, int language, int tag,
                      const juce::StringArray& items)
{
    auto set = testing_helpers::SetFileText()
                   .withName (name)
                   .withDescription ("About " + name)
                   .withAuthor ("Tests")
                   .withLanguage (language)
                   .withColour ("40,80,160");

    for (const auto& item : items)
        set.add (item, juce::String (tag) + ",");

    ASSERT_TRUE (set.writeTo (besideProgram ("data").getChildFile (fileName)));
}

inline void writeConfig (const juce::String& text)
{
    ASSERT_TRUE (ConfigFile::getDefaultLocation().replaceWithText (text, true, true, "\r\n"));
}

inline juce::MemoryBlock configBytes()
{
    juce::MemoryBlock bytes;
    ConfigFile::getDefaultLocation().loadFileAsData (bytes);
    return bytes;
}

inline int countOrange (const juce::Image& image)
{
    return widget_testing::countPixels (image, image.getBounds(),
                                        [] (juce::Colour colour)
                                        { return colour.getRed() > 200 && colour.getBlue() < 60; });
}

inline DataTags catalogueIn (int language)
{
    DataTags tags;
    tags.initDataTagsLibrary (language == 1);
    return tags;
}

// The whole main screen with its panels, reading "data" and "Musewheeler.ini" in a program folder of the
// test's own.
class PanelHostingDataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeSet ("english.mwh", "English set", 1, 1, { "e1", "e2", "e3", "e4" });
        writeSet ("french.mwh", "French set", 0, 104, { "f1", "f2", "f3" });
    }

    void TearDown() override { screen.reset(); }

    MainComponent& make()
    {
        screen = std::make_unique<MainComponent>();
        screen->setBrowserLauncher ([] (const juce::URL&) {});
        screen->setClipboardWriter ([] (const juce::String&) {});
        // Visible, so that hit tests find what a click would reach; still on no desktop.
        screen->setVisible (true);
        return *screen;
    }

    juce::String adviceText()
    {
        return dynamic_cast<juce::Label&> (*screen->findChildWithID ("advice-label")).getText();
    }

    template <typename ComponentType>
    ComponentType& optionsChild (const juce::String& identifier)
    {
        auto* found =
            dynamic_cast<ComponentType*> (screen->getOptionsComponent().findChildWithID (identifier));
        EXPECT_NE (found, nullptr) << identifier;
        return *found;
    }

    void pick (const juce::String& comboIdentifier, int id)
    {
        optionsChild<juce::ComboBox> (comboIdentifier).setSelectedId (id, juce::sendNotificationSync);
        deliverMessages();
    }

    void installDialogs()
    {
        if (dialogs != nullptr)
            return;

        auto scripted = std::make_unique<editor_testing::ScriptedEditorDialogs>();
        dialogs = scripted.get();
        screen->getEditionComponent().setDialogs (std::move (scripted));
    }

    // The set editor with scripted dialogs, as the user would find it from the menu.
    EditionComponent& openEditor()
    {
        auto& editor = screen->getEditionComponent();

        installDialogs();
        screen->handleMenuResult (MainMenu::menuSetsEdition);
        deliverMessages();
        return editor;
    }

    void clickEditorButton (const juce::String& identifier)
    {
        auto* button =
            dynamic_cast<SpecialButton*> (screen->getEditionComponent().findChildWithID (identifier));
        ASSERT_NE (button, nullptr) << identifier;
        widget_testing::click (*button, button->getCircleBounds().getCentre());
        deliverMessages();
    }

    void editorKey (int keyCode, juce::ModifierKeys modifiers = juce::ModifierKeys::ctrlModifier)
    {
        auto& editor = screen->getEditionComponent();
        editor.keyPressed (juce::KeyPress (keyCode, modifiers, 0), &editor);
        deliverMessages();
    }

    // A text button drawn with the program's look as it stands.
    juce::Image drawTextButton()
    {
        juce::TextButton button ("OK");
        button.setBounds (0, 0, 100, 30);
        return widget_testing::snapshot (button);
    }

    void press (const juce::String& buttonIdentifier)
    {
        screen->getOptionsComponent().buttonClicked (&optionsChild<juce::Button> (buttonIdentifier));
        deliverMessages();
    }

    // Every component the screen hands the keyboard focus to, in order.
    void recordKeyboardFocus()
    {
        screen->setKeyboardFocusGiver ([this] (juce::Component& component)
                                       { focusGiven.push_back (&component); });
    }

    testing_helpers::ScopedProgramFolder programFolder;
    std::unique_ptr<MainComponent> screen;
    editor_testing::ScriptedEditorDialogs* dialogs = nullptr;
    std::vector<juce::Component*> focusGiven;
};
} // namespace panel_testing
