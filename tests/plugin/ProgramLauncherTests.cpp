#include "PluginTestHelpers.h"
#include "plugin/ProgramLauncher.h"

using plugin_testing::PluginTest;

namespace
{
// A stand-in for the installed program that leaves a mark where it was started.
juce::File writeProgram (const juce::File& folder, const juce::File& mark)
{
    const auto program = folder.getChildFile ("musewheeler");
    return test_platform::writeMarkingProgram (program, mark) ? program : juce::File();
}

bool waitForFile (const juce::File& file)
{
    for (int attempt = 0; attempt < 200 && !file.existsAsFile(); ++attempt)
        juce::Thread::sleep (20);

    return file.existsAsFile();
}
} // namespace

TEST_F (PluginTest, theLauncherStartsTheFirstProgramFound)
{
    testing_helpers::TemporaryFolder programs;

    if (const auto why = test_platform::whyNoMarkingProgram(); why.isNotEmpty())
        GTEST_SKIP() << why;

    programs.child ("local").createDirectory();
    programs.child ("usr").createDirectory();
    const auto mark = programs.child ("started");
    const auto program = writeProgram (programs.child ("usr"), mark);
    ASSERT_NE (program, juce::File());

    // A file that cannot be run is passed over.
    programs.child ("local/musewheeler").replaceWithText ("not a program");

    ProgramLauncher launcher (juce::Array<juce::File>{ programs.child ("local/musewheeler"), program });
    EXPECT_EQ (launcher.findProgram(), program);
    ASSERT_TRUE (launcher.launch());
    EXPECT_TRUE (waitForFile (mark));
}

TEST_F (PluginTest, theLauncherSaysWhenNoProgramIsInstalled)
{
    testing_helpers::TemporaryFolder programs;
    ProgramLauncher launcher (juce::Array<juce::File>{ programs.child ("musewheeler") });
    EXPECT_EQ (launcher.findProgram(), juce::File());
    EXPECT_FALSE (launcher.launch());
}

TEST_F (PluginTest, setsEditionStartsTheProgramInsteadOfOpeningTheEditorInTheHostsWindow)
{
    testing_helpers::TemporaryFolder programs;
    const auto mark = programs.child ("started");

    if (const auto why = test_platform::whyNoMarkingProgram(); why.isNotEmpty())
        GTEST_SKIP() << why;

    const auto program = writeProgram (programs.get(), mark);
    ASSERT_NE (program, juce::File());

    PluginProcessor processor;
    const auto editor = makeEditor (processor);
    editor->setProgramLauncher (std::make_unique<ProgramLauncher> (juce::Array<juce::File>{ program }));
    editor->getMainComponent().handleMenuResult (MainMenu::menuSetsEdition);

    EXPECT_FALSE (editor->getMainComponent().getEditionComponent().isVisible());
    EXPECT_TRUE (waitForFile (mark));
}
