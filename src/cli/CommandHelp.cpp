#include "cli/CommandHelp.h"

#include "cli/AdviceSource.h"

namespace
{
const juce::String filterHelp =
    "Filters:\n"
    "  --language en|fr|any  only the sets in that language (any: every set, the default)\n"
    "  --set FILE            only the set of that file name (as in data/, any letter case)\n"
    "  --tag HASH|NAME       only the advice with that tag: its hash, or its name in English or French\n"
    "                        (letter case and accents do not matter; musewheeler-sets tags lists them)\n"
    "  --favorites           only the advice marked as favourites\n";

const juce::String dataHelp =
    "  --data DIR            the folder of the sets; by default the program's own: data/ beside this\n"
    "                        command, or ../data when that one holds no set; installed, your own:\n"
    "                        $XDG_DATA_HOME/musewheeler/data (~/.local/share/musewheeler/data)\n";
} // namespace

CommandHelp CommandHelp::draw()
{
    return { "draw", "[filters] [--count N] [--daily] [--plain] [--data DIR]", "Draws advice at random",
             "Draws N advice (1 by default) without repeats from the filtered advice and prints each one:\n"
             "its text, then a line with its set's name and author.\n"
             "  --count N             how many advice (all of them at most)\n"
             "  --daily               the same advice all day long, chosen from the date: for a login\n"
             "                        message, e.g. musewheeler-sets draw --daily --language en\n"
             "  --plain               the texts only, one a line\n" +
                 filterHelp + dataHelp };
}

CommandHelp CommandHelp::list()
{
    return { "list", "[filters] [--data DIR]", "Lists the advice, one a line",
             "Lists the filtered advice, one a line: the set's file name, a tab, the text.\n" + filterHelp +
                 dataHelp };
}

CommandHelp CommandHelp::search()
{
    return { "search", "WORDS [filters] [--data DIR]", "Lists the advice that hold every word",
             "Lists the filtered advice whose text holds every word given, ignoring letter case and\n"
             "accents, as list does.\n" +
                 filterHelp + dataHelp };
}

CommandHelp CommandHelp::tags()
{
    return { "tags", "[--language en|fr]", "Lists the 67 tags",
             "Lists the tag catalogue, one tag a line: its hash, a tab, its category, a tab, its name,\n"
             "in English (the default) or in French.\n" };
}

CommandHelp CommandHelp::check()
{
    return { "check", "FILE...", "Checks set files",
             "Reads each set file as the program does and reports, one a line as FILE:LINE: problem,\n"
             "what would go wrong in the program: a file that is no set, missing keys, a text cut by\n"
             "\";\" or longer than 400 characters, characters the set editor refuses, unknown tags, an\n"
             "advice without abstraction tag or too long for the main screen, texts repeated (also\n"
             "across the files checked together), text the program passes over. Exit code 1 when a\n"
             "problem is found.\n" };
}

CommandHelp CommandHelp::importSet()
{
    return {
        "import",
        "SOURCE --name NAME --language en|fr [--author A] [--description D] [--tags 0,104,] "
        "[--colour R,G,B] [--out FILE] [--force] [--fix] [--format text|fortune|csv|tsv] "
        "[--delimiter C] [--encoding E] [--data DIR]",
        "Makes a new set from a text, fortune or CSV file",
        "Makes a new set file from SOURCE (" +
            juce::File::descriptionOfSizeInBytes (AdviceSource::maximumSize) +
            " at most):\n"
            "  a table                a .csv or .tsv file, a file whose first line is \"sep=;\", or lines\n"
            "                         with tabs between words (a spreadsheet's \"Unicode text\"); fields\n"
            "                         separated by commas, semicolons or tabs, quoted as spreadsheets\n"
            "                         quote them. A first row naming the columns is a header:\n"
            "                           the text: text, advice, prompt, idea, quote, tip, texte, conseil...\n"
            "                           its tags: tags, tag, labels, etiquettes (hashes such as \"0,104,\"\n"
            "                           or tag names such as \"Abstract, Melody\")\n"
            "                           a favourite: favorite, favourite, favori (1, yes, x)\n"
            "                           the set: set, author, description, language, colour, as\n"
            "                           export --format csv writes them\n"
            "                         Without names, the text is the longest column and the tags the\n"
            "                         column of hash lists; other columns are passed over and told.\n"
            "  a fortune file         advice separated by lines holding only \"%\"\n"
            "  any other text file    one advice a line, blank lines skipped\n"
            "Each line is read as UTF-8, or as Windows-1252 when it is no UTF-8; UTF-16 with a\n"
            "byte-order mark is read whole. The summary tells how each part was read.\n"
            "Each advice gets the tags of --tags when the source gives none (0, Abstract, by default).\n"
            "An advice that breaks a rule of check is reported with its line and left out.\n"
            "  --name NAME           the set's name; --language en|fr its language (both needed unless\n"
            "                        the table gives them)\n"
            "  --author A            the set's author; --description D its description\n"
            "  --tags LIST           the tags of the advice the source gives none, a hash list\n"
            "  --out FILE            the new set file, or the folder to write it in; by default NAME\n"
            "                        made into a file name in the data folder (en-my-set.mwh)\n"
            "  --force               replaces an existing file\n"
            "  --colour R,G,B        the set's colour (orange by default)\n"
            "  --fix                 curly quotes and apostrophes, dashes, ellipses and non-breaking\n"
            "                        spaces made into the characters the set editor takes, \";\" into \",\"\n"
            "  --format F            reads SOURCE as text, fortune, csv or tsv, whatever it looks like\n"
            "  --delimiter C         the separator of a table: one character, tab, comma or semicolon\n"
            "  --encoding E          reads every line in that encoding (ISO-8859-3, Windows-1252...)\n" +
            dataHelp
    };
}

CommandHelp CommandHelp::sets()
{
    return { "sets", "[--language en|fr|any] [--data DIR]", "Lists the sets",
             "Lists the sets, one a line: the file name, its language, its number of advice, of\n"
             "favourites, its share of the advice of the library, and the set's name, separated by tabs.\n" +
                 dataHelp };
}

CommandHelp CommandHelp::favorite()
{
    return { "favorite", "TEXT|NUMBER [--unmark] [filters] [--data DIR]", "Marks an advice as a favourite",
             "Marks the advice as a favourite in its set file, as the star of the program does: the advice\n"
             "whose text is TEXT, or the one that holds every word of TEXT, or the NUMBER-th line of list\n"
             "with the same filters. A set file another program changed meanwhile is left alone, and the\n"
             "marks the program saved meanwhile are kept.\n"
             "  --unmark              takes the mark away\n" +
                 filterHelp + dataHelp };
}

CommandHelp CommandHelp::add()
{
    return { "add", "--set FILE TEXT [--tags 0,104,] [--data DIR]", "Adds an advice to a set",
             "Adds one advice to the set of that file name in the data folder, with the checks of import:\n"
             "an advice that breaks a rule of check (or stands in the set already) is refused.\n"
             "  --tags LIST           its tags, hashes or names (0, Abstract, by default)\n" +
                 dataHelp };
}

CommandHelp CommandHelp::exportAdvice()
{
    return { "export", "[filters] [--format text|markdown|fortune|csv] [--data DIR]",
             "Prints the advice as text, Markdown, a fortune file or CSV",
             "Prints the filtered advice (with --favorites, your favourites) as plain text (one a line,\n"
             "the default), Markdown (a section per set), a fortune file (advice separated by \"%\") or\n"
             "CSV with everything a set holds: text, tags, favorite, set, author, description, language\n"
             "and colour; import makes the same set again from one set's CSV.\n" +
                 filterHelp + dataHelp };
}

juce::String CommandHelp::overview()
{
    return "musewheeler-sets: the advice sets of Musewheeler in the terminal.\n"
           "Each command tells more with --help. Exit codes: 0 done, 1 nothing found or\n"
           "problems reported, 2 a usage error.\n";
}
