#include "FaultInjection.h"
#include "PluginTestHelpers.h"
#include "editor/EditorTestHelpers.h"

using plugin_testing::PluginTest;

namespace
{
// Every set file's bytes, one after the other in the order of their names.
juce::MemoryBlock setsBytes (const juce::File& data)
{
    auto files = data.findChildFiles (juce::File::findFiles, false, "*.mwh");
    files.sort();
    juce::MemoryBlock bytes;
    for (const auto& file : files)
        bytes.append (testing_helpers::fileBytes (file).getData(),
                      testing_helpers::fileBytes (file).getSize());
    return bytes;
}

SpecialButton& favouriteButton (MainComponent& screen)
{
    auto* button = dynamic_cast<SpecialButton*> (screen.findChildWithID ("favorite-button"));
    EXPECT_NE (button, nullptr);
    return *button;
}
} // namespace

// Sets the plugin cannot write, as those shipped in a bundle installed for the whole system: a mark is
// refused with the warning, and neither the button nor the file shows it as kept.
TEST_F (PluginTest, aMarkOnSetsThatCannotBeWrittenIsRefusedWithTheWarning)
{
    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    auto& screen = editor->getMainComponent();
    auto scripted = std::make_unique<editor_testing::ScriptedEditorDialogs>();
    auto* dialogs = scripted.get();
    screen.setDialogs (std::move (scripted));

    const auto data = folder.get().getChildFile ("data");
    const auto setsBefore = setsBytes (data);

    {
        fault_injection::ScopedReadOnlyFolder readOnly (data);

        if (!readOnly.holds())
            GTEST_SKIP() << "the data folder cannot be made read-only for this process";

        screen.buttonClicked (&favouriteButton (screen));
    }

    EXPECT_EQ (setsBytes (data), setsBefore);
    EXPECT_EQ (favouriteButton (screen).getValue(), 0);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_TRUE (dialogs->last().message.contains (data.getFullPathName())) << dialogs->last().message;

    // Once the sets can be written again, the same mark is kept.
    screen.buttonClicked (&favouriteButton (screen));
    EXPECT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_NE (setsBytes (data), setsBefore);
    EXPECT_EQ (favouriteButton (screen).getValue(), 1);
}
