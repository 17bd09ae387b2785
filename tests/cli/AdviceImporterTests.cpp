#include "TestHelpers.h"
#include "cli/AdviceImporter.h"
#include "widgets/CardTextFit.h"

#include <gtest/gtest.h>

namespace
{
using testing_helpers::utf8;

std::vector<AdviceSource::Entry> entries (const juce::String& csv)
{
    return AdviceSource::parse (csv, AdviceSource::Format::csv);
}
} // namespace

TEST (AdviceImporterTest, writesTheAdviceThatKeepEveryRuleThroughTheProgramsWriter)
{
    testing_helpers::TemporaryFolder folder;
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    AdviceImporter importer (checker);
    auto& set = importer.getSet();
    set.setName (utf8 ("Mes idées"));
    set.setAuthor ("Me");
    set.setLanguage (0);
    set.setColourSet (juce::Colour (10, 20, 30));

    const auto problems = importer.addEntries (
        entries (utf8 ("\"Jouez, puis écoutez.\",\"1,104\"\nSans tag.\nDeux; parts.\nMauvais tag.,x\n"
                       "Inconnu.,\"0,999,\"\nSans tag.\n")),
        { 0, 400 });

    juce::StringArray described;

    for (const auto& problem : problems)
        described.add (juce::String (problem.line) + ": " + problem.message);

    EXPECT_EQ (described,
               juce::StringArray ("3: a \";\" would cut the text",
                                  "4: \"x\" is not a list of tag hashes or names", "5: unknown tag 999",
                                  "6: the same text stands earlier: \"Sans tag.\""));

    const auto target = folder.child ("fr-mes-idees.mwh");
    ASSERT_TRUE (importer.write (target));

    DataTags tags;
    SetConseils read (&tags);
    read.setFileSet (target);
    read.loadData (SetConseils::headerAndAdvice);
    EXPECT_EQ (read.getName(), utf8 ("Mes idées"));
    EXPECT_EQ (read.getLanguage(), 0);
    EXPECT_EQ (read.getColourSet(), juce::Colour (10, 20, 30));
    ASSERT_EQ (read.getNumConseils(), 2);
    EXPECT_EQ (read.getDescriptionItem (0), utf8 ("Jouez, puis écoutez."));
    EXPECT_EQ (read.getHashTags (0), "1,104,");
    EXPECT_EQ (read.getDescriptionItem (1), "Sans tag.");
    EXPECT_EQ (read.getHashTags (1), "0,400,");
}

TEST (AdviceImporterTest, leavesTheOldFileWhenTheFolderCannotBeWritten)
{
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    AdviceImporter importer (checker);
    importer.getSet().setName ("Set");
    importer.addEntries (entries ("Fine."), { 0 });
    testing_helpers::TemporaryFolder folder;
    EXPECT_FALSE (importer.write (folder.child ("nonexistent-folder/set.mwh")));
    EXPECT_FALSE (folder.child ("nonexistent-folder").exists());
}

TEST (AdviceImporterTest, readsHashListsAsUsersWriteThem)
{
    EXPECT_EQ (AdviceImporter::parseHashList ("0,104,"), (juce::Array<int>{ 0, 104 }));
    EXPECT_EQ (AdviceImporter::parseHashList (" 2 , 301"), (juce::Array<int>{ 2, 301 }));
    EXPECT_EQ (AdviceImporter::parseHashList ("0,0,"), (juce::Array<int>{ 0 }));
    EXPECT_EQ (AdviceImporter::parseHashList ("0,jazz,"), std::nullopt);
    EXPECT_EQ (AdviceImporter::parseHashList ("-1"), std::nullopt);
}

TEST (AdviceImporterTest, readsColoursAsSetFilesStoreThem)
{
    EXPECT_EQ (AdviceImporter::parseColour ("255,165,0"), juce::Colour (255, 165, 0));
    EXPECT_EQ (AdviceImporter::parseColour (" 0, 7 ,255"), juce::Colour (0, 7, 255));

    for (const auto* wrong : { "256,0,0", "1,2", "1,2,3,4", "red,0,0", "-1,0,0", "1,,3", "0001,2,3" })
        EXPECT_EQ (AdviceImporter::parseColour (wrong), std::nullopt) << wrong;
}

TEST (AdviceImporterTest, makesFileNamesFromSetNames)
{
    EXPECT_EQ (AdviceImporter::makeFileName ("Blank Page Breakers", 1), "en-blank-page-breakers.mwh");
    EXPECT_EQ (AdviceImporter::makeFileName (utf8 ("  Idées d'été, n°2 "), 0), "fr-idees-d-ete-n-2.mwh");
    EXPECT_EQ (AdviceImporter::makeFileName ("!!!", 1), "");
}

TEST (AdviceImporterTest, refusesHeadersTheSetFileOrTheEditorWouldChange)
{
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    AdviceImporter importer (checker);
    auto& set = importer.getSet();
    set.setName ("Good name");
    set.setAuthor ("Me");
    set.setLanguage (1);
    EXPECT_TRUE (importer.checkHeader().isEmpty());

    set.setAuthor ("Me; you");
    set.setDescription ("tab\there");
    EXPECT_EQ (importer.checkHeader(),
               juce::StringArray ("--author cannot hold \";\", which ends every value of a set file",
                                  "--author holds \";\", which the set editor refuses",
                                  "--description holds \"\t\", which the set editor refuses"));

    set.setAuthor ("Me");
    set.setDescription ({});
    set.setName ({});
    EXPECT_EQ (importer.checkHeader(), juce::StringArray ("--name: the set has no name"));
}

TEST (AdviceImporterTest, writesOnlyFilesTheProgramReadsAsSets)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory);
    EXPECT_EQ (AdviceImporter::checkTarget (folder.getChildFile ("set.mwh")), "");
    EXPECT_EQ (AdviceImporter::checkTarget (folder.getChildFile ("set.txt")),
               "--out must name a .mwh file, the only files the program reads as sets");
}

TEST (AdviceImporterTest, fixesTypographyTheSetEditorRefuses)
{
    EXPECT_EQ (AdviceImporter::fixTypography (utf8 ("“Don’t wait” — she said… it’s late; go")),
               "\"Don't wait\" - she said... it's late, go");
    EXPECT_EQ (AdviceImporter::fixTypography (utf8 ("« Écoutez » 10–12")), utf8 ("\" Écoutez \" 10-12"));
    EXPECT_EQ (AdviceImporter::fixTypography (utf8 ("Déjà fine.")), utf8 ("Déjà fine."));

    EXPECT_EQ (AdviceImporter::parseTags ("Abstract, Sound synthesis"), juce::Array<int> (0, 205));
    EXPECT_EQ (AdviceImporter::parseTags ("0,205,"), juce::Array<int> (0, 205));
    EXPECT_EQ (AdviceImporter::parseTags ("Abstract, polka"), std::nullopt);
}
