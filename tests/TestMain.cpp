#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
// Every test gets the message manager; no display is needed as long as no component goes on the desktop.
struct JuceEnvironment final : ::testing::Environment
{
    void SetUp() override { gui = std::make_unique<juce::ScopedJuceInitialiser_GUI>(); }
    void TearDown() override { gui.reset(); }

    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;
};
} // namespace

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
    return RUN_ALL_TESTS();
}
