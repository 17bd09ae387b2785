#pragma once

#include "FaultInjection.h"
#include "TestHelpers.h"
#include "advice/SetConseils.h"
#include "editor/EditorTestHelpers.h"
#include "main/MainComponent.h"
#include "settings/ConfigFile.h"
#include "widgets/CardTextFit.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace main_testing
{
using testing_helpers::besideProgram;

inline juce::String colourText (juce::Colour colour)
{
    return juce::String (colour.getRed()) + "," + juce::String (colour.getGreen()) + "," +
           juce::String (colour.getBlue());
}

// A set file in the current format; each entry of items is "text|favorite|tags".
inline void writeSet (const juce::String& fileName, const juce::String& name, int language,
                      juce::Colour colour, const juce::StringArray& items)
{
    auto set = testing_helpers::SetFileText()
                   .withName (name)
                   .withAuthor (name + " author")
                   .withLanguage (language)
                   .withColour (colourText (colour));

    for (const auto& entry : items)
    {
        const auto parts = juce::StringArray::fromTokens (entry, "|", "");
        set.add (parts[0], parts[2], parts[1]);
    }

    ASSERT_TRUE (set.writeTo (besideProgram ("data").getChildFile (fileName)));
}

inline void writeConfig (const juce::String& text)
{
    ASSERT_TRUE (ConfigFile::getDefaultLocation().replaceWithText (text, true, true, "\r\n"));
}

inline const juce::Colour red (200, 30, 30);
inline const juce::Colour blue (30, 60, 200);

// These tests build the whole main screen, which reads "data" and writes "Musewheeler.ini" in a program
// folder of the test's own.
class MainComponentDataFolderTest : public ::testing::Test
{
protected:
    void TearDown() override { component.reset(); }

    static void writeTwoSets()
    {
        writeSet ("a-red.mwh", "Red set", 1, red, { "r1|false|1,", "r2|true|1,", "r3|false|2," });
        writeSet ("b-blue.mwh", "Blue set", 0, blue, { "b1|false|1,", "b2|false|1," });
    }

    MainComponent& make()
    {
        component = std::make_unique<MainComponent>();
        component->setBrowserLauncher ([this] (const juce::URL& address)
                                       { launched.add (address.toString (true)); });
        component->setClipboardWriter ([this] (const juce::String& text) { copied.add (text); });
        auto scripted = std::make_unique<editor_testing::ScriptedEditorDialogs>();
        dialogs = scripted.get();
        component->setDialogs (std::move (scripted));
        return *component;
    }

    template <typename ComponentType>
    ComponentType& child (const juce::String& identifier)
    {
        auto* found = dynamic_cast<ComponentType*> (component->findChildWithID (identifier));
        EXPECT_NE (found, nullptr) << identifier;
        return *found;
    }

    juce::String adviceText() { return child<juce::Label> ("advice-label").getText(); }
    juce::String setNameText() { return child<juce::Label> ("set-name-label").getText(); }
    juce::String authorText() { return child<juce::Label> ("author-label").getText(); }
    SpecialButton& favoriteButton() { return child<SpecialButton> ("favorite-button"); }

    void click (const juce::String& identifier)
    {
        component->buttonClicked (&child<SpecialButton> (identifier));
    }

    testing_helpers::ScopedProgramFolder programFolder;
    std::unique_ptr<MainComponent> component;
    editor_testing::ScriptedEditorDialogs* dialogs = nullptr;
    juce::StringArray launched;
    juce::StringArray copied;
};

struct MenuEntry
{
    int id;
    juce::String text;
    bool ticked;
    bool separator;
    bool hasSubMenu;
};

inline std::vector<MenuEntry> entriesOf (const juce::PopupMenu& menu)
{
    std::vector<MenuEntry> entries;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        EXPECT_TRUE (item.isEnabled) << item.text;
        entries.push_back (
            { item.itemID, item.text, item.isTicked, item.isSeparator, item.subMenu != nullptr });
    }

    return entries;
}

inline const juce::PopupMenu* subMenuOf (const juce::PopupMenu& menu)
{
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        if (it.getItem().subMenu != nullptr)
            return it.getItem().subMenu.get();

    return nullptr;
}
} // namespace main_testing
