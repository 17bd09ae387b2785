#include "TestHelpers.h"
#include "advice/SetConseils.h"
#include "editor/EditorTestHelpers.h"
#include "main/MainComponent.h"
#include "settings/ConfigFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>

namespace
{
using testing_helpers::besideProgram;

// What a set file holds, favourite marks apart: header and each advice with its tags.
juce::String contentWithoutMarks (const SetConseils& set)
{
    juce::String text;
    text << set.getName() << "|" << set.getDescription() << "|" << set.getAuthor() << "|" << set.getLanguage()
         << "|" << (int) set.getColourSet().getARGB() << "\n";

    for (int i = 0; i < set.getNumConseils(); ++i)
        text << set.getDescriptionItem (i) << "|" << set.getHashTags (i) << "\n";

    return text;
}

// Long use of the main screen over 50 sets of 200 advice: many draws, favourite marks and rebuilds.
class SoakDataFolderTest : public ::testing::Test
{
protected:
    testing_helpers::ScopedProgramFolder programFolder;
    DataTags tags;
};
} // namespace

TEST_F (SoakDataFolderTest, drawsMarksAndRebuildsWithoutLosingAdviceOrGrowing)
{
    juce::Random random (20261209);
    besideProgram ("data").createDirectory();
    std::map<juce::String, juce::String> before;

    for (int s = 0; s < 50; ++s)
    {
        SetConseils set (&tags);
        set.setName ("Soak " + juce::String (s));
        set.setAuthor ("Soak tests");
        set.setLanguage (s % 2);
        set.setColourSet (juce::Colour ((juce::uint8) (s * 5), 100, 200));

        for (int i = 0; i < 200; ++i)
        {
            set.addNewConseil();
            set.setDescriptionItem (i, "Advice " + juce::String (random.nextInt (1000000)) + " of set " +
                                           juce::String (s));
            set.setHashTags (i, juce::String (i % 3) + "," + juce::String (400 + i % 18) + ",");
        }

        set.setFileSet (besideProgram ("data").getChildFile ("soak-" + juce::String (s) + ".mwh"));
        ASSERT_TRUE (set.saveData());

        SetConseils reread (&tags);
        reread.setFileSet (set.getFileSet());
        reread.loadData (SetConseils::headerAndAdvice);
        before[set.getFileSet().getFileName()] = contentWithoutMarks (reread);
    }

    auto main = std::make_unique<MainComponent>();
    auto dialogs = std::make_unique<editor_testing::ScriptedEditorDialogs>();
    const auto& told = dialogs->asked;
    main->setDialogs (std::move (dialogs));
    auto* favourite = dynamic_cast<juce::Button*> (main->findChildWithID ("favorite-button"));
    ASSERT_NE (favourite, nullptr);
    ASSERT_EQ (main->getLibSetsConseils().getNumConseilsFiltered(), 10000);

    juce::int64 residentAfterFirstThousand = 0;
    int rebuilds = 0, toggles = 0;

    for (int draw = 1; draw <= 10000; ++draw)
    {
        main->takeNewAdvice (draw % 2 == 0, -1);
        ASSERT_TRUE (juce::isPositiveAndBelow (main->getCurrentItem(), 10000));

        if (draw % 10 == 0)
        {
            main->buttonClicked (favourite);
            ++toggles;
        }

        if (draw % 100 == 0)
        {
            main->initDatabase();
            ++rebuilds;
        }

        if (draw == 1000)
            residentAfterFirstThousand = test_platform::residentKilobytes();
    }

    const auto residentAtTheEnd = test_platform::residentKilobytes();
    EXPECT_TRUE (told.empty()) << "a mark was not saved: " << told.front().message;
    main.reset();

    std::cout << "[ soak     ] resident memory " << residentAfterFirstThousand << " kB after 1,000 draws, "
              << residentAtTheEnd << " kB after 10,000\n";
    EXPECT_EQ (toggles, 1000);
    EXPECT_EQ (rebuilds, 100);
    // AddressSanitizer keeps freed blocks in quarantine (256 MB by default) before reusing them, so there
    // resident memory follows the traffic of allocations rather than what is kept; LeakSanitizer checks
    // what is kept in that build.
    if (!testing_helpers::runsUnderAddressSanitizer)
    {
        EXPECT_LE (residentAtTheEnd, residentAfterFirstThousand + residentAfterFirstThousand / 10)
            << residentAfterFirstThousand << " kB after 1,000 draws, " << residentAtTheEnd
            << " kB after 10,000";
    }

    int numFiles = 0;

    for (const auto& [fileName, content] : before)
    {
        SetConseils set (&tags);
        set.setFileSet (besideProgram ("data").getChildFile (fileName));
        ASSERT_EQ (LibSetsConseils::isThisFileAValidSet (set.getFileSet()), 2) << fileName;
        set.loadData (SetConseils::headerAndAdvice);
        EXPECT_EQ (contentWithoutMarks (set), content) << fileName;
        ++numFiles;
    }

    EXPECT_EQ (numFiles, 50);
}
