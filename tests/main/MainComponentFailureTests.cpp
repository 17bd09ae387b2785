#include "main/MainComponentDataFolderTest.h"

#include <gtest/gtest.h>

using namespace main_testing;

//==============================================================================
// The files under the screen may fail it: it keeps running, tells the user of a mark it could not save,
// and leaves every file as it found it.
TEST_F (MainComponentDataFolderTest, aMarkTheDiskCannotTakeIsToldAndNotShown)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    make();
    ASSERT_EQ (adviceText(), "r1");
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    const auto before = testing_helpers::fileBytes (file);

    if (const auto why = fault_injection::ScopedFileSizeLimit::whyUnavailable(); why.isNotEmpty())
        GTEST_SKIP() << why;

    {
        fault_injection::ScopedFileSizeLimit fullDisk (64);
        ASSERT_TRUE (fullDisk.holds());
        click ("favorite-button");
    }

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_EQ (dialogs->last().title, "Musewheeler");
    EXPECT_EQ (dialogs->last().message, "The favourite could not be saved: the file " +
                                            file.getFullPathName() + " cannot be written.");
    EXPECT_EQ (dialogs->last().buttons, juce::StringArray ("OK"));

    click ("favorite-button");
    EXPECT_EQ (favoriteButton().getValue(), 1);
    EXPECT_EQ (dialogs->asked.size(), 1u);
}

TEST_F (MainComponentDataFolderTest, aMarkInAReadOnlyDataFolderIsToldInTheInterfaceLanguage)
{
    writeTwoSets();
    writeConfig ("Language=0;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    make();
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    const auto before = testing_helpers::fileBytes (file);

    {
        fault_injection::ScopedReadOnlyFolder readOnly (besideProgram ("data"));

        if (!readOnly.holds())
            GTEST_SKIP() << "the data folder cannot be made read-only for this process";

        click ("favorite-button");
    }

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), before);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_EQ (dialogs->last().message,
               testing_helpers::utf8 ("Le favori n'a pas pu être enregistré : le fichier ") +
                   file.getFullPathName() + testing_helpers::utf8 (" ne peut pas être écrit."));
}

TEST_F (MainComponentDataFolderTest, aSetReplacedSinceTheDrawIsToldAndLeftAsItIs)
{
    writeTwoSets();
    writeConfig ("Language=1;LanguageSet=-1;Sets=a-red.mwh;Tags=-1;LastItem=0;");
    auto& screen = make();
    const auto file = besideProgram ("data").getChildFile ("a-red.mwh");
    ASSERT_TRUE (file.replaceWithText ("\x01 not a set any more"));
    const auto junk = testing_helpers::fileBytes (file);

    click ("favorite-button");

    EXPECT_EQ (favoriteButton().getValue(), 0);
    EXPECT_EQ (testing_helpers::fileBytes (file), junk);
    ASSERT_EQ (dialogs->kinds(), juce::StringArray ("message"));
    EXPECT_TRUE (dialogs->last().message.startsWith ("The favourite was not saved: the file " +
                                                     file.getFullPathName() + " was changed or removed"));

    // The draws go on from what was read; the options' OK reads the sets again.
    screen.takeNewAdvice (false, 1);
    EXPECT_EQ (adviceText(), "r2");
    screen.handleMenuResult (MainMenu::menuOptions);
    screen.actionListenerCallback (OptionsComponent::okMessage);
    EXPECT_EQ (adviceText(), MainComponent::getNoAdviceMessage (1));
}

TEST_F (MainComponentDataFolderTest, aDataFileInPlaceOfTheFolderGivesTheEmptyScreen)
{
    const auto data = besideProgram ("data");
    ASSERT_TRUE (data.replaceWithText ("not a folder"));
    make();

    EXPECT_EQ (adviceText(), MainComponent::getNoAdviceMessage (1));
    EXPECT_FALSE (favoriteButton().isVisible());
    click ("favorite-button");
    EXPECT_TRUE (dialogs->asked.empty());

    component.reset();
    EXPECT_EQ (data.loadFileAsString(), "not a folder");
    EXPECT_TRUE (ConfigFile::getDefaultLocation().existsAsFile());
}

TEST_F (MainComponentDataFolderTest, aFolderInPlaceOfTheSettingsFileGivesTheDefaultsAndStays)
{
    writeTwoSets();
    const auto settings = ConfigFile::getDefaultLocation();
    ASSERT_TRUE (settings.createDirectory());
    ASSERT_TRUE (settings.getChildFile ("kept.txt").replaceWithText ("mine"));
    auto& screen = make();

    EXPECT_EQ (screen.getCurrentLanguage(), 1);
    EXPECT_EQ (screen.getCurrentSets(), "");
    EXPECT_TRUE (juce::StringArray ({ "r1", "r2", "r3", "b1", "b2" }).contains (adviceText()));

    component.reset();
    EXPECT_TRUE (settings.isDirectory());
    EXPECT_EQ (settings.getChildFile ("kept.txt").loadFileAsString(), "mine");
    settings.deleteRecursively();
}

// musewheeler-sets check and the shipped sets' test promise that a name they accept stands whole on the name
// label; the label squeezes what is wider than its text area, which pixels show as narrower ink.
TEST_F (MainComponentDataFolderTest, aNameTheSetCheckerAcceptsIsDrawnUnsqueezed)
{
    auto& main = make();
    main.setSize (500, 350);
    auto& label = child<juce::Label> ("set-name-label");
    const auto shownWidth = label.getWidth();

    // Grown by a narrow letter at a time, the name ends within one letter of the checker's limit.
    CardTextFit checker;
    juce::String name ("Name ");

    while (checker.fitsNameLine (name + "i"))
        name << "i";

    const auto inkWidth = [&label, &name] (int labelWidth)
    {
        label.setSize (labelWidth, label.getHeight());
        label.setText (name, juce::dontSendNotification);
        const auto image = label.createComponentSnapshot (label.getLocalBounds());
        int left = image.getWidth(), right = -1;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getAlpha() > 0)
                {
                    left = std::min (left, x);
                    right = std::max (right, x);
                }

        return right - left;
    };

    const auto natural = inkWidth (1000);
    ASSERT_GT (natural, 200);
    EXPECT_EQ (inkWidth (shownWidth), natural) << name;
}

TEST_F (MainComponentDataFolderTest, keepsItsLookAndFeelWhenAnotherScreenInTheProcessEnds)
{
    writeSet ("a.mwh", "Red", 1, red, { "r|false|1," });
    auto& screen = make();
    auto& ownLook = screen.getLookAndFeel();

    // A second screen takes the default, and gives it up when it ends.
    std::make_unique<MainComponent>().reset();

    EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), &ownLook);
    EXPECT_EQ (&screen.getLookAndFeel(), &ownLook);
    EXPECT_EQ (&child<juce::Label> ("advice-label").getLookAndFeel(), &ownLook);
    EXPECT_NE (dynamic_cast<CustomLookAndFeel*> (&ownLook), nullptr);
}
