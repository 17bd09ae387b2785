#include "TestHelpers.h"
#include "main/HelpPages.h"

#include <gtest/gtest.h>

TEST (HelpPagesTest, thePagesLieInHelpBesideTheProgramTheFrenchOnesInFr)
{
    testing_helpers::ScopedProgramFolder programFolder;
    const auto help = programFolder.get().getChildFile ("help");

    EXPECT_EQ (HelpPages::getFolder(), help);
    EXPECT_EQ (HelpPages::getPageFile ("sets.html", 0), help.getChildFile ("fr/sets.html"));
    EXPECT_EQ (HelpPages::getPageFile ("sets.html", 1), help.getChildFile ("sets.html"));
    EXPECT_EQ (HelpPages::getPageFile ("index.html", 7), help.getChildFile ("index.html"));
}

TEST (HelpPagesTest, aFolderNameCannotRunAnythingThroughTheShell)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile (testing_helpers::utf8 (
                                "it's \"quoted\" $HOME $(touch x) `touch y` \\ été; & | > <"));
    const auto page = folder.getChildFile ("index.html");
    const auto address = HelpPages::getPageAddress (page).toString (true);

    // A local file's address, whose path starts at the root ("file:///tmp/..." or "file:///C:/...").
    EXPECT_TRUE (address.startsWith ("file:///"));
    EXPECT_TRUE (address.endsWith ("/index.html"));

    // Inside the double quotes the toolkit puts around it, these are the characters /bin/sh acts on.
    for (const auto* special : { "\"", "$", "`", "\\" })
        EXPECT_FALSE (address.contains (special)) << special;

    EXPECT_EQ (juce::URL (address).getLocalFile(), page);
}
