#include "TestHelpers.h"
#include "advice/DataTags.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
const int expectedCategorySizes[] = { 3, 6, 16, 24, 18 };

juce::String utf8 (const char* text)
{
    return juce::String (juce::CharPointer_UTF8 (text));
}

// Every hash of the catalogue in description-list order: category by category, position by position.
juce::Array<int> allHashes()
{
    juce::Array<int> hashes;
    for (int category = 0; category < 5; ++category)
        for (int position = 0; position < expectedCategorySizes[category]; ++position)
            hashes.add (DataTags::getHash (category, position));
    return hashes;
}

struct TagRow
{
    int hash;
    const char* english;
    const char* french;
    const char* legacyCode; // nullptr where the legacy format had none
};

const TagRow tagRows[] = {
    { 0, "Abstract", "Abstrait", "ABST" },
    { 1, "Musewheeler", "Musewheeler", "MUSE" },
    { 2, "Creativity", "Créativité", "CREA" },
    { 100, "Starting", "Démarrage", nullptr },
    { 101, "Continuation", "Développement", nullptr },
    { 102, "Ending", "Fin", nullptr },
    { 103, "Song ideas", "Idées de morceaux", nullptr },
    { 104, "Learning plan", "Apprentissage", nullptr },
    { 105, "Musical repertoire", "Répertoire musical", nullptr },
    { 200, "Guitars", "Guitares", "GUIT" },
    { 201, "Bass", "Basses", "BASS" },
    { 202, "Drums", "Batteries", "DRUM" },
    { 203, "Percussions", "Percussions", "PERC" },
    { 204, "Keyboards", "Claviers", "KEYS" },
    { 205, "Sound synthesis", "Synthèse sonore", "SYNT" },
    { 206, "Devices", "Machines", "MACH" },
    { 207, "Brass", "Cuivres", "BRAS" },
    { 208, "Woodwinds", "Vents", "WOOD" },
    { 209, "Strings", "Cordes", "STRI" },
    { 210, "Orchestras", "Orchestres", "ORCH" },
    { 211, "Vocals", "Chant", "SING" },
    { 212, "Sound FX", "Bruitages", "NOIS" },
    { 213, "Sampling", "Sampling", "XXXX" },
    { 214, "Controllers", "Contrôleurs", "XXXX" },
    { 215, "Other instruments", "Autres instruments", "OTHI" },
    { 300, "Pop", "Pop", "POPR" },
    { 301, "Rock", "Rock", "ROCK" },
    { 302, "Metal", "Métal", "META" },
    { 303, "Blues", "Blues", "BLUE" },
    { 304, "Jazz", "Jazz", "JAZZ" },
    { 305, "Progressive", "Progressif", "PGRK" },
    { 306, "Soul/Gospel/R&B", "Soul/Gospel/R&B", "SOUL" },
    { 307, "Funk", "Funk", "FUNK" },
    { 308, "Hip Hop", "Hip Hop", "HIPH" },
    { 309, "Trip Hop", "Trip Hop", "TRPH" },
    { 310, "Electronica", "Electronica", "ELEC" },
    { 311, "Techno/House/Dubstep", "Techno/House/Dubstep", "TECH" },
    { 312, "Reggae", "Reggae", "REGG" },
    { 313, "Latin music", "Musiques latines", "XXXX" },
    { 314, "Experimental", "Expérimental", "EXPL" },
    { 315, "Songs", "Chansons", "SONG" },
    { 316, "Hits", "Tubes", "HITS" },
    { 317, "Classical", "Classique", "CLAS" },
    { 318, "Soundtracks", "Musiques de films", "OSTG" },
    { 319, "Avant-garde", "Contemporain", "CONT" },
    { 320, "Traditional", "Traditionnel", "TRAD" },
    { 321, "Instrumental", "Instrumental", "INST" },
    { 322, "Sound illustration", "Illustration sonore", "ILLU" },
    { 323, "Other genres", "Autres styles", nullptr },
    { 400, "Motivation", "Motivation", "MOTI" },
    { 401, "Productivity", "Productivité", "PROD" },
    { 402, "Composing", "Composition", "COMP" },
    { 403, "Structure", "Structure", "STRU" },
    { 404, "Arranging", "Arrangements", "ARRA" },
    { 405, "Harmony", "Harmonie", "HARM" },
    { 406, "Melody", "Mélodie", "MELO" },
    { 407, "Rhythm", "Rythme", "RHYT" },
    { 408, "Lyrics", "Textes", "LYRI" },
    { 409, "Playing", "Jeu instrumental", "APPR" },
    { 410, "Improvisation", "Improvisation", "IMPR" },
    { 411, "Performance", "Interprétation", "PERF" },
    { 412, "Recording", "Enregistrement", "RECO" },
    { 413, "Mixing", "Mixage", "MIXA" },
    { 414, "Business", "Business", "PDBS" },
    { 415, "Sound Design", "Sound Design", "PRGS" },
    { 416, "Effects", "Effets", "XXXX" },
    { 417, "Music software", "Logiciels de musique", "SFTW" },
};

struct QuotedDescription
{
    bool isCategory;
    int number;
    const char* english;
    const char* french;
};

const QuotedDescription quotedDescriptions[] = {
    { true, 0,
      "Defines the abstraction level, associated with the number of interpretations available, and the "
      "places where the advice can be executed.",
      "Définit le niveau d'abstraction du conseil, noté sur 3 paliers, associé à l'ouverture de "
      "l'interprétation du conseil, et du cadre dans lequel on peut appliquer ce conseil." },
    { true, 2, "Some advice may be related to one or more musical instruments in particular.",
      "Certains conseils peuvent avoir un champ d'application préférentiel associé à un ou plusieurs "
      "instruments de musique particuliers. C'est pour ces conseils que cette catégorie a été créée." },
    { true, 3,
      "Some advice may have applications related to one or several music genres. This is why this "
      "category has been created.",
      "Certains conseils peuvent avoir un champ d'application préférentiel associé à un ou plusieurs "
      "styles de musique particuliers. C'est pour ces conseils que cette catégorie a été créée." },
    { true, 4, "Some tags may be associated with recurring themes in the several phases of musical creation.",
      "Certains tags peuvent être associés à des thèmes récurrents durant les différentes phases de "
      "création musicale." },
    { false, 310, "Indicates that the advice is related to electronic music genres in general.",
      "Indique que le conseil s'applique dans un contexte de musiques électroniques au sens large." },
    { false, 314, "Indicates that the advice is associated with experimental kinds of music.",
      "Indique que le conseil s'applique dans un contexte musical expérimental." },
    { false, 405,
      "Indicates that the advice is about the harmony of a song, the choice of tonality, chords etc.",
      "Indique que le conseil concerne l'harmonie, c'est-à-dire le choix des tonalités, de la grille "
      "d'accord etc." },
    { false, 416,
      "Indicates that the advice is related to the use of analog and digital effects, for mixing or in a "
      "creative way.",
      "Indique que le conseil concerne l'utilisation d'effets numériques ou analogiques, pour le mixage "
      "ou d'une manière créative." },
    { false, 417, "Indicates that the advice is related to the use of music creation software in general.",
      "Indique que le conseil concerne l'utilisation de logiciels musicaux au sens large." },
};

DataTags makeCatalogue (bool english)
{
    DataTags tags;
    tags.initDataTagsLibrary (english);
    return tags;
}
} // namespace

TEST (DataTagsTest, numbersExactlyTheSixtySevenTagsOfTheFiveCategories)
{
    const auto hashes = allHashes();
    ASSERT_EQ (hashes.size(), DataTags::numTags);

    for (int hash = -300; hash < 700; ++hash)
        EXPECT_EQ (DataTags::isValidHash (hash), hashes.contains (hash)) << hash;
    EXPECT_FALSE (DataTags::isValidHash (INT_MIN));
    EXPECT_FALSE (DataTags::isValidHash (INT_MAX));

    const DataTags tags;
    for (int category = 0; category < DataTags::numCategories; ++category)
    {
        EXPECT_EQ (DataTags::getNumTagsInCategory (category), expectedCategorySizes[category]);
        EXPECT_EQ (tags.getCategory (category).size(), expectedCategorySizes[category]);
    }
    EXPECT_EQ (DataTags::getNumTagsInCategory (-1), 0);
    EXPECT_EQ (DataTags::getNumTagsInCategory (5), 0);
}

TEST (DataTagsTest, numbersATagAsAHundredTimesItsCategoryPlusItsPosition)
{
    EXPECT_EQ (DataTags::getHash (0, 0), 0);
    EXPECT_EQ (DataTags::getHash (1, 4), 104);
    EXPECT_EQ (DataTags::getHash (3, 1), 301);
    EXPECT_EQ (DataTags::getHash (4, 17), 417);
    EXPECT_EQ (DataTags::getCategoryOfHash (304), 3);
    EXPECT_EQ (DataTags::getPositionOfHash (304), 4);
    EXPECT_EQ (DataTags::getCategoryOfHash (2), 0);
    EXPECT_EQ (DataTags::getPositionOfHash (215), 15);
}

TEST (DataTagsTest, namesEveryTagAsTheCatalogueTableGivesIt)
{
    const DataTags english;
    const auto french = makeCatalogue (false);

    for (const auto& row : tagRows)
    {
        EXPECT_EQ (english.getTags (row.hash), utf8 (row.english)) << row.hash;
        EXPECT_EQ (french.getTags (row.hash), utf8 (row.french)) << row.hash;

        const int category = DataTags::getCategoryOfHash (row.hash);
        EXPECT_EQ (english.getCategory (category)[DataTags::getPositionOfHash (row.hash)], utf8 (row.english))
            << row.hash;
    }
}

TEST (DataTagsTest, lookupsOutsideTheCatalogueGiveEmptyResults)
{
    const DataTags tags;

    for (const int hash : { 3, 99, 106, 216, 324, 418, 499, -1, -100, 500, 1000, INT_MIN, INT_MAX })
        EXPECT_TRUE (tags.getTags (hash).isEmpty()) << hash;

    for (const int hash : { -1, -100, 500, 1000, INT_MIN, INT_MAX })
        EXPECT_TRUE (tags.getDescriptionTags (hash).isEmpty()) << hash;

    for (const int category : { -1, 5, INT_MIN, INT_MAX })
    {
        EXPECT_TRUE (tags.getNameCategory (category).isEmpty()) << category;
        EXPECT_TRUE (tags.getDescriptionCategory (category).isEmpty()) << category;
    }

    EXPECT_TRUE (tags.getCategory (6).isEmpty());
    EXPECT_TRUE (tags.getCategory (-1).isEmpty());
    EXPECT_TRUE (tags.getCategory (INT_MIN).isEmpty());
}

TEST (DataTagsTest, namesCategoriesAndLanguagesInTheInterfaceLanguage)
{
    const DataTags english;
    const auto french = makeCatalogue (false);

    const juce::StringArray englishCategories{ "Abstraction level", "Function", "Music instruments",
                                               "Music genres", "Research themes" };
    const juce::StringArray frenchCategories{ utf8 ("Niveau d'abstraction"), "Fonction",
                                              "Instruments de musique", "Styles de musique",
                                              utf8 ("Thèmes de recherche") };

    for (int category = 0; category < DataTags::numCategories; ++category)
    {
        EXPECT_EQ (english.getNameCategory (category), englishCategories[category]);
        EXPECT_EQ (french.getNameCategory (category), frenchCategories[category]);
    }

    EXPECT_EQ (english.getCategory (5), juce::StringArray ("French", "English"));
    EXPECT_EQ (french.getCategory (5), juce::StringArray (utf8 ("Français"), "Anglais"));
}

TEST (DataTagsTest, describesEveryTagAndCategoryInBothLanguages)
{
    const DataTags english;
    const auto french = makeCatalogue (false);

    juce::StringArray englishDescriptions, frenchDescriptions;

    for (const int hash : allHashes())
    {
        const auto inEnglish = english.getDescriptionTags (hash);
        const auto inFrench = french.getDescriptionTags (hash);

        EXPECT_TRUE (inEnglish.endsWithChar ('.')) << hash << ": " << inEnglish;
        EXPECT_TRUE (inFrench.endsWithChar ('.')) << hash << ": " << inFrench;
        EXPECT_NE (inEnglish, inFrench) << hash;

        englishDescriptions.add (inEnglish);
        frenchDescriptions.add (inFrench);
    }

    for (int category = 0; category < DataTags::numCategories; ++category)
    {
        EXPECT_TRUE (english.getDescriptionCategory (category).endsWithChar ('.')) << category;
        EXPECT_TRUE (french.getDescriptionCategory (category).endsWithChar ('.')) << category;
        EXPECT_NE (english.getDescriptionCategory (category), french.getDescriptionCategory (category));
    }

    // A copied row that was never rewritten shows up as a duplicate.
    englishDescriptions.removeDuplicates (false);
    frenchDescriptions.removeDuplicates (false);
    EXPECT_EQ (englishDescriptions.size(), DataTags::numTags);
    EXPECT_EQ (frenchDescriptions.size(), DataTags::numTags);
}

TEST (DataTagsTest, keepsTheEstablishedDescriptionsWordForWord)
{
    const DataTags english;
    const auto french = makeCatalogue (false);

    for (const auto& quoted : quotedDescriptions)
    {
        const auto read = [&quoted] (const DataTags& tags)
        {
            return quoted.isCategory ? tags.getDescriptionCategory (quoted.number)
                                     : tags.getDescriptionTags (quoted.number);
        };

        EXPECT_EQ (read (english), utf8 (quoted.english)) << quoted.number;
        EXPECT_EQ (read (french), utf8 (quoted.french)) << quoted.number;
    }
}

TEST (DataTagsTest, descriptionsSpeakToTheUserInTheMannerOfTheirCategory)
{
    const DataTags english;
    const auto french = makeCatalogue (false);

    for (const int hash : allHashes())
    {
        const auto inEnglish = english.getDescriptionTags (hash);
        const auto inFrench = french.getDescriptionTags (hash);

        if (hash >= 200)
        {
            EXPECT_TRUE (inEnglish.startsWith ("Indicates that the advice ")) << hash << ": " << inEnglish;
            EXPECT_TRUE (inFrench.startsWith ("Indique que le conseil ")) << hash << ": " << inFrench;
        }
        else if (hash < 100)
        {
            // Each abstraction level is shown with an example advice.
            EXPECT_EQ (inEnglish.retainCharacters ("\"").length(), 2) << hash << ": " << inEnglish;
            EXPECT_TRUE (inFrench.contains (utf8 ("«")) && inFrench.contains (utf8 ("»"))) << hash;
        }
    }
}

TEST (DataTagsTest, frenchTextsFollowFrenchTypography)
{
    const auto french = makeCatalogue (false);
    const juce::String noBreakSpace (juce::CharPointer_UTF8 ("\u00a0"));

    juce::StringArray texts;
    for (const int hash : allHashes())
        texts.add (french.getDescriptionTags (hash));
    for (int category = 0; category < DataTags::numCategories; ++category)
        texts.add (french.getDescriptionCategory (category));

    for (const auto& text : texts)
    {
        EXPECT_FALSE (text.containsChar ('"')) << text;
        EXPECT_FALSE (text.contains (utf8 ("’"))) << text;
        EXPECT_EQ (text.indexOf (" :"), -1) << text;
        EXPECT_EQ (text.indexOf (utf8 ("« ")), -1) << text;
        EXPECT_EQ (text.indexOf (utf8 (" »")), -1) << text;

        for (int i = text.indexOfChar (':'); i >= 0; i = text.indexOfChar (i + 1, ':'))
            EXPECT_EQ (text.substring (i - 1, i), noBreakSpace) << text;
    }
}

TEST (DataTagsTest, keepsAllCategoriesInOneDescriptionList)
{
    const DataTags tags;
    const auto hashes = allHashes();

    // The motivation theme opens the last category, at index 49 of the list.
    EXPECT_EQ (hashes[49], 400);
    EXPECT_TRUE (tags.getDescriptionTags (400).containsIgnoreCase ("motivation"));

    // A hash of category 0 reaches straight into the list, so past its three tags it walks through the
    // later categories in list order, and past the list's end it finds nothing.
    for (int index = 0; index < 100; ++index)
    {
        const auto expected =
            index < hashes.size() ? tags.getDescriptionTags (hashes[index]) : juce::String();
        EXPECT_EQ (tags.getDescriptionTags (index), expected) << index;
    }

    EXPECT_EQ (tags.getDescriptionTags (3), tags.getDescriptionTags (100));
    EXPECT_EQ (tags.getDescriptionTags (106), tags.getDescriptionTags (200));
    EXPECT_EQ (tags.getDescriptionTags (216), tags.getDescriptionTags (300));
    EXPECT_EQ (tags.getDescriptionTags (324), tags.getDescriptionTags (400));
    EXPECT_TRUE (tags.getDescriptionTags (418).isEmpty());
    EXPECT_TRUE (tags.getDescriptionTags (499).isEmpty());
}

TEST (DataTagsTest, switchesLanguageBackAndForthWithoutLeftovers)
{
    const DataTags fresh;
    DataTags tags;

    tags.initDataTagsLibrary (false);
    EXPECT_EQ (tags.getNameCategory (3), "Styles de musique");
    EXPECT_EQ (tags.getTags (300), "Pop");
    EXPECT_EQ (tags.getTags (302), utf8 ("Métal"));
    EXPECT_EQ (tags.getCategory (5)[0], utf8 ("Français"));

    tags.initDataTagsLibrary (false);
    tags.initDataTagsLibrary (true);
    tags.initDataTagsLibrary (true);

    // Refilling must replace the texts, not append to them: the lists keep their lengths.
    for (int hash = -1; hash <= 500; ++hash)
    {
        EXPECT_EQ (tags.getTags (hash), fresh.getTags (hash)) << hash;
        EXPECT_EQ (tags.getDescriptionTags (hash), fresh.getDescriptionTags (hash)) << hash;
    }
    for (int index = -1; index <= 6; ++index)
    {
        EXPECT_EQ (tags.getCategory (index), fresh.getCategory (index)) << index;
        EXPECT_EQ (tags.getNameCategory (index), fresh.getNameCategory (index)) << index;
        EXPECT_EQ (tags.getDescriptionCategory (index), fresh.getDescriptionCategory (index)) << index;
    }
}

TEST (DataTagsTest, refillsDescriptionsAloneWhenAskedTo)
{
    DataTags tags;
    const auto french = makeCatalogue (false);

    tags.initDataTagsDescription (false);

    EXPECT_EQ (tags.getDescriptionTags (405), french.getDescriptionTags (405));
    EXPECT_EQ (tags.getDescriptionCategory (1), french.getDescriptionCategory (1));
    EXPECT_TRUE (tags.getDescriptionTags (418).isEmpty());
    EXPECT_EQ (tags.getTags (405), "Harmony");
    EXPECT_EQ (tags.getNameCategory (4), "Research themes");
}

TEST (DataTagsTest, translatesEveryLegacyCodeToItsTag)
{
    DataTags tags;
    int rows = 0;

    for (const auto& row : tagRows)
    {
        if (row.legacyCode == nullptr)
            continue;

        ++rows;
        const juce::String code (row.legacyCode);

        // The placeholder belongs to four tags; the first of them in the legacy table, Sampling, wins.
        const int expected = code == "XXXX" ? 213 : row.hash;
        EXPECT_EQ (tags.convertOldHashToNewHas (code), expected) << code;
        EXPECT_EQ (tags.convertOldHashToNewHas (code.toLowerCase()), expected) << code;
    }
    EXPECT_EQ (rows, DataTags::numOldHashes);

    // The legacy table does not depend on the interface language.
    tags.initDataTagsLibrary (false);
    tags.initOldHashs();
    EXPECT_EQ (tags.convertOldHashToNewHas ("HARM"), 405);
    EXPECT_EQ (tags.convertOldHashToNewHas ("SFTW"), 417);
}

TEST (DataTagsTest, legacyCodesMatchIgnoringCaseButNothingElse)
{
    const DataTags tags;

    EXPECT_EQ (tags.convertOldHashToNewHas ("guit"), 200);
    EXPECT_EQ (tags.convertOldHashToNewHas ("GuIt"), 200);
    EXPECT_EQ (tags.convertOldHashToNewHas ("xxxx"), 213);
    EXPECT_EQ (tags.convertOldHashToNewHas ("Elec"), 310);

    for (const char* unknown : { "", "ABCD", "GUI", "GUITS", " GUIT", "GUIT ", "200", "Guitars" })
        EXPECT_EQ (tags.convertOldHashToNewHas (unknown), 0) << '"' << unknown << '"';
}
