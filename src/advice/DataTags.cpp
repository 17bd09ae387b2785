#include "advice/DataTags.h"

#include "base/Bilingual.h"

#include <iterator>

namespace
{
// French typography puts a non-breaking space (\u00a0) inside guillemets and before a colon; it is
// written as an escape so that it shows in the source.
struct TagText
{
    Bilingual name;
    Bilingual description;
    const char* legacyCode; // nullptr for the tags the legacy format did not know
};

struct CategoryText
{
    Bilingual name;
    Bilingual description;
    const TagText* tags;
    int numTags;
};

constexpr TagText abstractionTags[] = {
    { { "Abstract", "Abstrait" },
      { "The advice is open to many interpretations and can be followed anywhere, even far from music, "
        "as in \"Think of a colour\".",
        "Le conseil est ouvert à de nombreuses interprétations et peut s'appliquer partout, même loin de "
        "la musique, comme «\u00a0Pensez à une couleur\u00a0»." },
      "ABST" },
    { { "Musewheeler", "Musewheeler" },
      { "The advice allows several interpretations within music making, as in \"Use only three notes\", "
        "and is followed at the instrument or in the studio.",
        "Le conseil admet plusieurs interprétations dans le cadre de la pratique musicale, comme "
        "«\u00a0N'utilisez que trois notes\u00a0», et s'applique à l'instrument ou en studio." },
      "MUSE" },
    { { "Creativity", "Créativité" },
      { "The advice is meant literally and concerns creative work in general, as in \"Set yourself a "
        "deadline\", wherever you are.",
        "Le conseil se prend au pied de la lettre et concerne le travail créatif en général, comme "
        "«\u00a0Fixez-vous une échéance\u00a0», où que l'on soit." },
      "CREA" },
};

constexpr TagText functionTags[] = {
    { { "Starting", "Démarrage" },
      { "The advice helps at the start of the work, when facing a blank page and looking for a first idea.",
        "Le conseil aide au démarrage du travail, face à la page blanche, quand on cherche une première "
        "idée." },
      nullptr },
    { { "Continuation", "Développement" },
      { "The advice helps to develop a piece already begun, when the first ideas are there and need to "
        "grow.",
        "Le conseil aide à développer un morceau déjà commencé, quand les premières idées sont là et "
        "demandent à grandir." },
      nullptr },
    { { "Ending", "Fin" },
      { "The advice helps to finish a piece: completing it, polishing the details and deciding that it is "
        "done.",
        "Le conseil aide à terminer un morceau\u00a0: le compléter, en soigner les détails et décider "
        "qu'il est achevé." },
      nullptr },
    { { "Song ideas", "Idées de morceaux" },
      { "The advice offers an idea for a new piece, to take up whenever you want to start something new.",
        "Le conseil propose une idée de morceau, à reprendre chaque fois que l'on veut se lancer dans une "
        "nouvelle création." },
      nullptr },
    { { "Learning plan", "Apprentissage" },
      { "The advice belongs to a learning plan and serves the time spent practising and learning rather "
        "than composing.",
        "Le conseil fait partie d'un plan d'apprentissage et sert pendant le temps consacré à s'exercer et "
        "à apprendre plutôt qu'à composer." },
      nullptr },
    { { "Musical repertoire", "Répertoire musical" },
      { "The advice invites you to listen to or play pieces, for the times spent building a repertoire "
        "and a musical culture.",
        "Le conseil invite à écouter ou à jouer des œuvres, pour les moments consacrés à se constituer un "
        "répertoire et une culture musicale." },
      nullptr },
};

constexpr TagText instrumentTags[] = {
    { { "Guitars", "Guitares" },
      { "Indicates that the advice concerns the guitar, acoustic or electric, and the way it is played.",
        "Indique que le conseil concerne la guitare, acoustique ou électrique, et la manière d'en jouer." },
      "GUIT" },
    { { "Bass", "Basses" },
      { "Indicates that the advice concerns the electric bass or the double bass, and their role in a "
        "piece.",
        "Indique que le conseil concerne la basse électrique ou la contrebasse, et leur rôle dans un "
        "morceau." },
      "BASS" },
    { { "Drums", "Batteries" },
      { "Indicates that the advice concerns the drum kit, acoustic or electronic, and the writing of drum "
        "parts.",
        "Indique que le conseil concerne la batterie, acoustique ou électronique, et l'écriture des "
        "parties de batterie." },
      "DRUM" },
    { { "Percussions", "Percussions" },
      { "Indicates that the advice concerns percussion instruments other than the drum kit, tuned or not.",
        "Indique que le conseil concerne les percussions autres que la batterie, qu'elles soient "
        "mélodiques ou non." },
      "PERC" },
    { { "Keyboards", "Claviers" },
      { "Indicates that the advice concerns keyboard instruments such as the piano, the organ or electric "
        "pianos.",
        "Indique que le conseil concerne les instruments à clavier comme le piano, l'orgue ou les pianos "
        "électriques." },
      "KEYS" },
    { { "Sound synthesis", "Synthèse sonore" },
      { "Indicates that the advice concerns synthesizers and the creation of sounds through synthesis.",
        "Indique que le conseil concerne les synthétiseurs et la création de sons par synthèse." },
      "SYNT" },
    { { "Devices", "Machines" },
      { "Indicates that the advice concerns electronic music devices such as drum machines and hardware "
        "sequencers.",
        "Indique que le conseil concerne les machines de musique électronique comme les boîtes à rythmes "
        "et les séquenceurs." },
      "MACH" },
    { { "Brass", "Cuivres" },
      { "Indicates that the advice concerns brass instruments such as the trumpet, the trombone or the "
        "horn.",
        "Indique que le conseil concerne les cuivres comme la trompette, le trombone ou le cor." },
      "BRAS" },
    { { "Woodwinds", "Vents" },
      { "Indicates that the advice concerns woodwind instruments such as the flute, the clarinet or the "
        "oboe.",
        "Indique que le conseil concerne les instruments à vent comme la flûte, la clarinette ou le "
        "hautbois." },
      "WOOD" },
    { { "Strings", "Cordes" },
      { "Indicates that the advice concerns bowed or plucked string instruments such as the violin, the "
        "cello or the harp.",
        "Indique que le conseil concerne les instruments à cordes frottées ou pincées comme le violon, le "
        "violoncelle ou la harpe." },
      "STRI" },
    { { "Orchestras", "Orchestres" },
      { "Indicates that the advice concerns writing for an orchestra or a large ensemble.",
        "Indique que le conseil concerne l'écriture pour orchestre ou pour un grand ensemble." },
      "ORCH" },
    { { "Vocals", "Chant" },
      { "Indicates that the advice concerns the voice, singing and the writing of vocal parts.",
        "Indique que le conseil concerne la voix, le chant et l'écriture des parties vocales." },
      "SING" },
    { { "Sound FX", "Bruitages" },
      { "Indicates that the advice concerns sound effects, noises and recorded sounds used as musical "
        "material.",
        "Indique que le conseil concerne les bruitages, les bruits et les sons enregistrés utilisés comme "
        "matériau musical." },
      "NOIS" },
    { { "Sampling", "Sampling" },
      { "Indicates that the advice concerns samplers and the use of samples taken from recordings.",
        "Indique que le conseil concerne les échantillonneurs et l'utilisation d'échantillons tirés "
        "d'enregistrements." },
      "XXXX" },
    { { "Controllers", "Contrôleurs" },
      { "Indicates that the advice concerns MIDI controllers and other devices used to play or control "
        "sounds.",
        "Indique que le conseil concerne les contrôleurs MIDI et les autres interfaces servant à jouer ou "
        "à piloter des sons." },
      "XXXX" },
    { { "Other instruments", "Autres instruments" },
      { "Indicates that the advice concerns an instrument that belongs to none of the other families of "
        "this category.",
        "Indique que le conseil concerne un instrument qui n'appartient à aucune des autres familles de "
        "cette catégorie." },
      "OTHI" },
};

constexpr TagText genreTags[] = {
    { { "Pop", "Pop" },
      { "Indicates that the advice is related to pop music and its accessible, catchy songs.",
        "Indique que le conseil s'applique dans un contexte de musique pop, aux chansons accessibles et "
        "accrocheuses." },
      "POPR" },
    { { "Rock", "Rock" },
      { "Indicates that the advice is related to rock music in its many forms.",
        "Indique que le conseil s'applique dans un contexte de musique rock, sous ses nombreuses formes." },
      "ROCK" },
    { { "Metal", "Métal" },
      { "Indicates that the advice is related to metal and its heavy, intense sounds.",
        "Indique que le conseil s'applique dans un contexte de métal, aux sonorités lourdes et intenses." },
      "META" },
    { { "Blues", "Blues" },
      { "Indicates that the advice is related to the blues, its chord progressions and its scales.",
        "Indique que le conseil s'applique au blues, à ses grilles d'accords et à ses gammes." },
      "BLUE" },
    { { "Jazz", "Jazz" },
      { "Indicates that the advice is related to jazz, its harmony and its practice of improvisation.",
        "Indique que le conseil s'applique dans un contexte de jazz, avec son harmonie et sa pratique de "
        "l'improvisation." },
      "JAZZ" },
    { { "Progressive", "Progressif" },
      { "Indicates that the advice is related to progressive music, with its long forms and unusual "
        "metres.",
        "Indique que le conseil s'applique dans un contexte de musique progressive, aux formes longues et "
        "aux mesures inhabituelles." },
      "PGRK" },
    { { "Soul/Gospel/R&B", "Soul/Gospel/R&B" },
      { "Indicates that the advice is related to soul, gospel and rhythm and blues.",
        "Indique que le conseil s'applique dans un contexte de soul, de gospel ou de rhythm and blues." },
      "SOUL" },
    { { "Funk", "Funk" },
      { "Indicates that the advice is related to funk and its tight, syncopated grooves.",
        "Indique que le conseil s'applique dans un contexte de funk, aux grooves serrés et syncopés." },
      "FUNK" },
    { { "Hip Hop", "Hip Hop" },
      { "Indicates that the advice is related to hip hop, its beats and its rapped vocals.",
        "Indique que le conseil s'applique dans un contexte de hip hop, avec ses rythmiques et ses textes "
        "rappés." },
      "HIPH" },
    { { "Trip Hop", "Trip Hop" },
      { "Indicates that the advice is related to trip hop and its slow, atmospheric grooves.",
        "Indique que le conseil s'applique dans un contexte de trip hop, aux rythmes lents et aux "
        "ambiances sombres." },
      "TRPH" },
    { { "Electronica", "Electronica" },
      { "Indicates that the advice is related to electronic music genres in general.",
        "Indique que le conseil s'applique dans un contexte de musiques électroniques au sens large." },
      "ELEC" },
    { { "Techno/House/Dubstep", "Techno/House/Dubstep" },
      { "Indicates that the advice is related to electronic dance music such as techno, house or dubstep.",
        "Indique que le conseil s'applique dans un contexte de musiques électroniques de danse comme la "
        "techno, la house ou le dubstep." },
      "TECH" },
    { { "Reggae", "Reggae" },
      { "Indicates that the advice is related to reggae and the music of the same family.",
        "Indique que le conseil s'applique dans un contexte de reggae et des musiques qui lui sont "
        "apparentées." },
      "REGG" },
    { { "Latin music", "Musiques latines" },
      { "Indicates that the advice is related to Latin music such as salsa, bossa nova or tango.",
        "Indique que le conseil s'applique dans un contexte de musiques latines comme la salsa, la bossa "
        "nova ou le tango." },
      "XXXX" },
    { { "Experimental", "Expérimental" },
      { "Indicates that the advice is associated with experimental kinds of music.",
        "Indique que le conseil s'applique dans un contexte musical expérimental." },
      "EXPL" },
    { { "Songs", "Chansons" },
      { "Indicates that the advice is related to songwriting, where the words and the melody are at the "
        "heart of the piece.",
        "Indique que le conseil s'applique dans un contexte de chanson, où le texte et la mélodie sont au "
        "cœur du morceau." },
      "SONG" },
    { { "Hits", "Tubes" },
      { "Indicates that the advice is related to writing hits, songs meant for a wide audience.",
        "Indique que le conseil s'applique à l'écriture de tubes, des morceaux destinés à un large "
        "public." },
      "HITS" },
    { { "Classical", "Classique" },
      { "Indicates that the advice is related to classical music and its written tradition.",
        "Indique que le conseil s'applique dans un contexte de musique classique, de tradition écrite." },
      "CLAS" },
    { { "Soundtracks", "Musiques de films" },
      { "Indicates that the advice is related to music written for films, series or video games.",
        "Indique que le conseil s'applique à la musique composée pour le cinéma, les séries ou les jeux "
        "vidéo." },
      "OSTG" },
    { { "Avant-garde", "Contemporain" },
      { "Indicates that the advice is related to contemporary art music and the avant-garde.",
        "Indique que le conseil s'applique dans un contexte de musique contemporaine savante et "
        "d'avant-garde." },
      "CONT" },
    { { "Traditional", "Traditionnel" },
      { "Indicates that the advice is related to traditional and folk music from around the world.",
        "Indique que le conseil s'applique dans un contexte de musiques traditionnelles et populaires du "
        "monde entier." },
      "TRAD" },
    { { "Instrumental", "Instrumental" },
      { "Indicates that the advice is related to instrumental music, without vocals.",
        "Indique que le conseil s'applique dans un contexte de musique instrumentale, sans chant." },
      "INST" },
    { { "Sound illustration", "Illustration sonore" },
      { "Indicates that the advice is related to sound illustration, such as music for advertising, "
        "documentaries or music libraries.",
        "Indique que le conseil s'applique à l'illustration sonore, comme la musique pour la publicité, "
        "les documentaires ou les sonothèques." },
      "ILLU" },
    { { "Other genres", "Autres styles" },
      { "Indicates that the advice is related to a music genre that is none of the others of this "
        "category.",
        "Indique que le conseil s'applique à un style de musique qui ne figure pas parmi les autres de "
        "cette catégorie." },
      nullptr },
};

constexpr TagText themeTags[] = {
    { { "Motivation", "Motivation" },
      { "Indicates that the advice is about motivation, the desire to create and the ways to keep it "
        "alive.",
        "Indique que le conseil concerne la motivation, l'envie de créer et les moyens de l'entretenir." },
      "MOTI" },
    { { "Productivity", "Productivité" },
      { "Indicates that the advice is about productivity, the organisation of work and time to finish "
        "more music.",
        "Indique que le conseil concerne la productivité, c'est-à-dire l'organisation du travail et du "
        "temps pour terminer davantage de morceaux." },
      "PROD" },
    { { "Composing", "Composition" },
      { "Indicates that the advice is about composing, the writing of the musical ideas themselves.",
        "Indique que le conseil concerne la composition, c'est-à-dire l'écriture des idées musicales "
        "elles-mêmes." },
      "COMP" },
    { { "Structure", "Structure" },
      { "Indicates that the advice is about the structure of a song, the order and length of its "
        "sections.",
        "Indique que le conseil concerne la structure d'un morceau, l'ordre et la durée de ses différentes "
        "parties." },
      "STRU" },
    { { "Arranging", "Arrangements" },
      { "Indicates that the advice is about arranging, the choice of the instruments and of the parts "
        "they play.",
        "Indique que le conseil concerne les arrangements, c'est-à-dire le choix des instruments et des "
        "parties qu'ils jouent." },
      "ARRA" },
    { { "Harmony", "Harmonie" },
      { "Indicates that the advice is about the harmony of a song, the choice of tonality, chords etc.",
        "Indique que le conseil concerne l'harmonie, c'est-à-dire le choix des tonalités, de la grille "
        "d'accord etc." },
      "HARM" },
    { { "Melody", "Mélodie" },
      { "Indicates that the advice is about melody, the shape and character of the lines that are sung or "
        "played.",
        "Indique que le conseil concerne la mélodie, la forme et le caractère des lignes chantées ou "
        "jouées." },
      "MELO" },
    { { "Rhythm", "Rythme" },
      { "Indicates that the advice is about rhythm, the groove, the tempo and the metre of a piece.",
        "Indique que le conseil concerne le rythme, le groove, le tempo et la mesure d'un morceau." },
      "RHYT" },
    { { "Lyrics", "Textes" },
      { "Indicates that the advice is about lyrics, the writing of the words and the way they fit the "
        "music.",
        "Indique que le conseil concerne les textes, leur écriture et leur mise en musique." },
      "LYRI" },
    { { "Playing", "Jeu instrumental" },
      { "Indicates that the advice is about playing an instrument, its technique and its practice.",
        "Indique que le conseil concerne le jeu instrumental, la technique et la pratique d'un "
        "instrument." },
      "APPR" },
    { { "Improvisation", "Improvisation" },
      { "Indicates that the advice is about improvisation, inventing music while it is being played.",
        "Indique que le conseil concerne l'improvisation, l'art d'inventer la musique au moment où on la "
        "joue." },
      "IMPR" },
    { { "Performance", "Interprétation" },
      { "Indicates that the advice is about performance, the way music is played on stage or in the "
        "studio.",
        "Indique que le conseil concerne l'interprétation, la façon de jouer la musique sur scène ou en "
        "studio." },
      "PERF" },
    { { "Recording", "Enregistrement" },
      { "Indicates that the advice is about recording, capturing voices and instruments at their best.",
        "Indique que le conseil concerne l'enregistrement, la prise de son des voix et des instruments." },
      "RECO" },
    { { "Mixing", "Mixage" },
      { "Indicates that the advice is about mixing, the balance, the space and the clarity of the tracks.",
        "Indique que le conseil concerne le mixage, l'équilibre, la spatialisation et la clarté des "
        "pistes." },
      "MIXA" },
    { { "Business", "Business" },
      { "Indicates that the advice is about the music business, such as promotion, rights or making a "
        "living from music.",
        "Indique que le conseil concerne le business de la musique, comme la promotion, les droits "
        "d'auteur ou le fait de vivre de sa musique." },
      "PDBS" },
    { { "Sound Design", "Sound Design" },
      { "Indicates that the advice is about sound design, the creation and shaping of new sounds.",
        "Indique que le conseil concerne le sound design, la création et la mise en forme de nouveaux "
        "sons." },
      "PRGS" },
    { { "Effects", "Effets" },
      { "Indicates that the advice is related to the use of analog and digital effects, for mixing or in "
        "a creative way.",
        "Indique que le conseil concerne l'utilisation d'effets numériques ou analogiques, pour le mixage "
        "ou d'une manière créative." },
      "XXXX" },
    { { "Music software", "Logiciels de musique" },
      { "Indicates that the advice is related to the use of music creation software in general.",
        "Indique que le conseil concerne l'utilisation de logiciels musicaux au sens large." },
      "SFTW" },
};

constexpr CategoryText categories[] = {
    { { "Abstraction level", "Niveau d'abstraction" },
      { "Defines the abstraction level, associated with the number of interpretations available, and the "
        "places where the advice can be executed.",
        "Définit le niveau d'abstraction du conseil, noté sur 3 paliers, associé à l'ouverture de "
        "l'interprétation du conseil, et du cadre dans lequel on peut appliquer ce conseil." },
      abstractionTags,
      (int) std::size (abstractionTags) },
    { { "Function", "Fonction" },
      { "Defines the moment of the creative work at which the advice is useful: starting, developing or "
        "ending a piece, finding ideas, learning or building a repertoire.",
        "Définit le moment du travail créatif où le conseil est utile\u00a0: démarrer, développer ou "
        "terminer un morceau, trouver des idées, apprendre ou se constituer un répertoire." },
      functionTags,
      (int) std::size (functionTags) },
    { { "Music instruments", "Instruments de musique" },
      { "Some advice may be related to one or more musical instruments in particular.",
        "Certains conseils peuvent avoir un champ d'application préférentiel associé à un ou plusieurs "
        "instruments de musique particuliers. C'est pour ces conseils que cette catégorie a été créée." },
      instrumentTags,
      (int) std::size (instrumentTags) },
    { { "Music genres", "Styles de musique" },
      { "Some advice may have applications related to one or several music genres. This is why this "
        "category has been created.",
        "Certains conseils peuvent avoir un champ d'application préférentiel associé à un ou plusieurs "
        "styles de musique particuliers. C'est pour ces conseils que cette catégorie a été créée." },
      genreTags,
      (int) std::size (genreTags) },
    { { "Research themes", "Thèmes de recherche" },
      { "Some tags may be associated with recurring themes in the several phases of musical creation.",
        "Certains tags peuvent être associés à des thèmes récurrents durant les différentes phases de "
        "création musicale." },
      themeTags,
      (int) std::size (themeTags) },
};

constexpr Bilingual languageTexts[] = { { "French", "Français" }, { "English", "Anglais" } };

// The legacy format listed its codes instruments first; the order matters because the shared placeholder
// code resolves to whichever row comes first.
constexpr int legacyCategoryOrder[] = { 2, 3, 0, 4 };

constexpr int countTags()
{
    int total = 0;
    for (const auto& category : categories)
        total += category.numTags;
    return total;
}

constexpr int countLegacyCodes()
{
    int total = 0;
    for (const auto& category : categories)
        for (int position = 0; position < category.numTags; ++position)
            total += category.tags[position].legacyCode != nullptr ? 1 : 0;
    return total;
}

static_assert ((int) std::size (categories) == DataTags::numCategories);
static_assert (countTags() == DataTags::numTags);
static_assert (countLegacyCodes() == DataTags::numOldHashes);
} // namespace

DataTags::DataTags()
{
    initDataTagsLibrary (true);
    initOldHashs();
}

void DataTags::initDataTagsLibrary (bool english)
{
    initDataTagsDescription (english);
    const auto language = english ? Bilingual::english : Bilingual::french;

    languageNames.clear();
    for (const auto& name : languageTexts)
        languageNames.add (name.in (language));

    categoryNames.clear();
    for (int category = 0; category < numCategories; ++category)
    {
        const auto& texts = categories[category];
        categoryNames.add (texts.name.in (language));

        tagNames[category].clear();
        for (int position = 0; position < texts.numTags; ++position)
            tagNames[category].add (texts.tags[position].name.in (language));
    }
}

void DataTags::initDataTagsDescription (bool english)
{
    descriptionTags.clear();
    descriptionCategories.clear();
    const auto language = english ? Bilingual::english : Bilingual::french;

    for (const auto& category : categories)
    {
        descriptionCategories.add (category.description.in (language));

        for (int position = 0; position < category.numTags; ++position)
            descriptionTags.add (category.tags[position].description.in (language));
    }
}

void DataTags::initOldHashs()
{
    oldHashes.clear();
    newHashes.clear();

    for (const int category : legacyCategoryOrder)
    {
        const auto& texts = categories[category];

        for (int position = 0; position < texts.numTags; ++position)
        {
            if (const auto* code = texts.tags[position].legacyCode)
            {
                oldHashes.add (code);
                newHashes.add (getHash (category, position));
            }
        }
    }
}

juce::String DataTags::getTags (int hash) const
{
    if (!isValidHash (hash))
        return {};

    return tagNames[getCategoryOfHash (hash)][getPositionOfHash (hash)];
}

juce::String DataTags::getDescriptionTags (int hash) const
{
    if (hash < 0 || hash >= getHash (numCategories, 0))
        return {};

    // A position past the end of its category deliberately lands on a later category's entry.
    const int category = getCategoryOfHash (hash);
    int index = getPositionOfHash (hash);

    for (int lower = 0; lower < category; ++lower)
        index += getNumTagsInCategory (lower);

    return descriptionTags[index];
}

juce::String DataTags::getNameCategory (int category) const
{
    return categoryNames[category];
}

juce::String DataTags::getDescriptionCategory (int category) const
{
    return descriptionCategories[category];
}

juce::StringArray DataTags::getCategory (int index) const
{
    if (juce::isPositiveAndBelow (index, numCategories))
        return tagNames[index];

    if (index == numCategories)
        return languageNames;

    return {};
}

int DataTags::convertOldHashToNewHas (const juce::String& code) const
{
    const int row = oldHashes.indexOf (code, true);
    return row >= 0 ? newHashes[row] : 0;
}

int DataTags::getNumTagsInCategory (int category)
{
    return juce::isPositiveAndBelow (category, numCategories) ? categories[category].numTags : 0;
}

bool DataTags::isValidHash (int hash)
{
    return hash >= 0 && getPositionOfHash (hash) < getNumTagsInCategory (getCategoryOfHash (hash));
}
