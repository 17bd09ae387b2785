#include "cli/SetsCommand.h"

#include "advice/RandomShuffle.h"
#include "advice/SetChecker.h"
#include "cli/AdviceExporter.h"
#include "cli/AdviceImporter.h"
#include "cli/DailyChoice.h"
#include "cli/FoldedText.h"
#include "widgets/CardTextFit.h"

#include <iostream>

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

// A path as short as the user would type it: relative below the current folder, absolute elsewhere.
juce::String describeFile (const juce::File& file)
{
    const auto here = juce::File::getCurrentWorkingDirectory();
    return file.isAChildOf (here) ? file.getRelativePathFrom (here) : file.getFullPathName();
}

juce::File resolve (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}
} // namespace

SetsCommand::SetsCommand()
{
    addCommand (
        "draw", "[filters] [--count N] [--daily] [--plain] [--data DIR]", "Draws advice at random",
        "Draws N advice (1 by default) without repeats from the filtered advice and prints each one:\n"
        "its text, then a line with its set's name and author.\n"
        "  --count N             how many advice (all of them at most)\n"
        "  --daily               the same advice all day long, chosen from the date: for a login\n"
        "                        message, e.g. musewheeler-sets draw --daily --language en\n"
        "  --plain               the texts only, one a line\n" +
            filterHelp + dataHelp,
        &SetsCommand::draw);
    addCommand ("list", "[filters] [--data DIR]", "Lists the advice, one a line",
                "Lists the filtered advice, one a line: the set's file name, a tab, the text.\n" +
                    filterHelp + dataHelp,
                &SetsCommand::list);
    addCommand ("search", "WORDS [filters] [--data DIR]", "Lists the advice that hold every word",
                "Lists the filtered advice whose text holds every word given, ignoring letter case and\n"
                "accents, as list does.\n" +
                    filterHelp + dataHelp,
                &SetsCommand::search);
    addCommand ("tags", "[--language en|fr]", "Lists the 67 tags",
                "Lists the tag catalogue, one tag a line: its hash, a tab, its category, a tab, its name,\n"
                "in English (the default) or in French.\n",
                &SetsCommand::tags);
    addCommand ("check", "FILE...", "Checks set files",
                "Reads each set file as the program does and reports, one a line as FILE:LINE: problem,\n"
                "what would go wrong in the program: a file that is no set, missing keys, a text cut by\n"
                "\";\" or longer than 400 characters, characters the set editor refuses, unknown tags, an\n"
                "advice without abstraction tag or too long for the main screen, texts repeated (also\n"
                "across the files checked together), text the program passes over. Exit code 1 when a\n"
                "problem is found.\n",
                &SetsCommand::check);
    addCommand ("import",
                "SOURCE --name NAME --language en|fr [--author A] [--description D] [--tags 0,104,] "
                "[--colour R,G,B] [--out FILE] [--force] [--data DIR]",
                "Makes a new set from a text, fortune or CSV file",
                "Makes a new set file from SOURCE:\n"
                "  a .csv file            first column the text, optional second column its tags as a hash\n"
                "                         list (\"0,104,\"); quoted fields as spreadsheets write them\n"
                "  a fortune file         advice separated by lines holding only \"%\"\n"
                "  any other text file    one advice a line, blank lines skipped\n"
                "Each advice gets the tags of --tags when the source gives none (0, Abstract, by default).\n"
                "An advice that breaks a rule of check is reported with its line and left out.\n"
                "  --out FILE            the new set file; by default NAME made into a file name in the\n"
                "                        data folder (en-my-set.mwh)\n"
                "  --force               replaces an existing file\n"
                "  --colour R,G,B        the set's colour (orange by default)\n" +
                    dataHelp,
                &SetsCommand::importSet);
    addCommand (
        "export", "[filters] [--format text|markdown|fortune] [--data DIR]",
        "Prints the advice as text, Markdown or a fortune file",
        "Prints the filtered advice (with --favorites, your favourites) as plain text (one a line,\n"
        "the default), Markdown (a section per set) or a fortune file (advice separated by \"%\").\n" +
            filterHelp + dataHelp,
        &SetsCommand::exportAdvice);

    application.addHelpCommand (
        "--help|-h",
        "musewheeler-sets: the advice sets of Musewheeler in the terminal.\n"
        "Each command tells more with --help. Exit codes: 0 done, 1 nothing found or\n"
        "problems reported, 2 a usage error.\n",
        false);
    application.addVersionCommand ("--version", "musewheeler-sets " JUCE_APPLICATION_VERSION_STRING);
}

SetsCommand::~SetsCommand() = default;

int SetsCommand::run (const juce::ArgumentList& args)
{
    exitCode = doneExitCode;

    // Without this the toolkit would run nothing and return 1, which here means "nothing found".
    if (application.findCommand (args, true) == nullptr)
    {
        std::cerr << "musewheeler-sets: "
                  << (args.size() == 0 ? juce::String ("a command is needed")
                                       : "unknown command " + args[0].text)
                  << " (musewheeler-sets --help lists the commands)" << std::endl;
        return CommandOptions::usageExitCode;
    }

    const auto result = application.findAndRunCommand (args, true);
    return result != doneExitCode ? result : exitCode;
}

void SetsCommand::addCommand (const juce::String& name, const juce::String& arguments,
                              const juce::String& summary, const juce::String& details,
                              void (SetsCommand::*handler) (CommandOptions&))
{
    application.addCommand ({ name, name + " " + arguments, summary, details,
                              [this, name, handler] (const juce::ArgumentList& args)
                              {
                                  CommandOptions options (args, name);

                                  if (options.wantsHelp())
                                  {
                                      for (const auto& command : application.getCommands())
                                          if (command.commandOption == name)
                                              application.printCommandDetails (args, command);

                                      return;
                                  }

                                  (this->*handler) (options);
                              } });
}

//==============================================================================
juce::File SetsCommand::takeDataFolder (CommandOptions& options) const
{
    if (const auto folder = options.takeValue ("--data"))
        return resolve (*folder);

    return LibSetsConseils::getDirectoryDataLib();
}

AdviceSelection::Filter SetsCommand::takeFilter (CommandOptions& options) const
{
    AdviceSelection::Filter filter;

    if (const auto language = options.takeValue ("--language"))
    {
        const auto code = AdviceSelection::parseLanguage (*language, true);

        if (!code)
            options.failUsage ("--language takes en, fr or any, not " + *language);

        filter.language = *code;
    }

    if (const auto setFile = options.takeValue ("--set"))
        filter.setFile = *setFile;

    if (const auto tag = options.takeValue ("--tag"))
    {
        filter.tag = AdviceSelection::findTag (*tag);

        if (filter.tag < 0)
            options.failUsage ("no tag has the hash or name " + *tag + " (musewheeler-sets tags lists them)");
    }

    filter.favoritesOnly = options.takeFlag ("--favorites");
    return filter;
}

std::vector<AdviceSelection::Advice> SetsCommand::selectAdvice (const juce::File& dataFolder,
                                                                const AdviceSelection::Filter& filter)
{
    AdviceSelection selection (dataFolder);

    if (selection.getNumSets() == 0)
    {
        reportProblem ("musewheeler-sets: no set file in " + describeFile (dataFolder));
        return {};
    }

    if (filter.setFile.isNotEmpty() && !selection.hasSetFile (filter.setFile))
    {
        reportProblem ("musewheeler-sets: no set file named " + filter.setFile + " in " +
                       describeFile (dataFolder));
        return {};
    }

    auto advice = selection.select (filter);

    if (advice.empty())
        reportProblem ("musewheeler-sets: no advice passes the filters");

    return advice;
}

std::vector<AdviceSelection::Advice> SetsCommand::takeFiltersAndSelect (CommandOptions& options)
{
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    return selectAdvice (dataFolder, filter);
}

void SetsCommand::reportProblem (const juce::String& message)
{
    std::cerr << message << std::endl;
    exitCode = problemsExitCode;
}

void SetsCommand::listAdvice (const std::vector<AdviceSelection::Advice>& advice) const
{
    for (const auto& item : advice)
        std::cout << item.fileName << "\t" << item.text << "\n";

    std::cout << std::flush;
}

void SetsCommand::initialiseGui()
{
    if (gui == nullptr)
        gui = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
}

//==============================================================================
void SetsCommand::draw (CommandOptions& options)
{
    int count = 1;

    if (const auto countText = options.takeValue ("--count"))
    {
        count = countText->getIntValue();

        if (!countText->containsOnly ("0123456789") || count < 1)
            options.failUsage ("--count takes a whole number from 1 up, not " + *countText);
    }

    const auto daily = options.takeFlag ("--daily");
    const auto plain = options.takeFlag ("--plain");
    const auto advice = takeFiltersAndSelect (options);

    if (advice.empty())
        return;

    std::vector<int> chosen;

    if (daily)
    {
        chosen = DailyChoice::choose (juce::Time::getCurrentTime(), (int) advice.size(), count);
    }
    else
    {
        RandomShuffle shuffle;

        for (int i = 0; i < juce::jmin (count, (int) advice.size()); ++i)
            chosen.push_back (shuffle.getRandomShuffledNumber (0, (int) advice.size()));
    }

    for (size_t i = 0; i < chosen.size(); ++i)
    {
        const auto& item = advice[(size_t) chosen[i]];

        if (plain)
        {
            std::cout << item.text << "\n";
            continue;
        }

        if (i > 0)
            std::cout << "\n";

        std::cout << item.text << "\n"
                  << juce::String::fromUTF8 ("\xe2\x80\x94 ") << item.setName
                  << (item.author.isNotEmpty() ? ", " + item.author : juce::String()) << "\n";
    }

    std::cout << std::flush;
}

void SetsCommand::list (CommandOptions& options)
{
    listAdvice (takeFiltersAndSelect (options));
}

void SetsCommand::search (CommandOptions& options)
{
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);
    const auto words = options.takeWords().joinIntoString (" ");

    if (words.trim().isEmpty())
        options.failUsage ("needs the words to look for");

    const auto advice = selectAdvice (dataFolder, filter);
    std::vector<AdviceSelection::Advice> found;
    std::copy_if (advice.begin(), advice.end(), std::back_inserter (found),
                  [&words] (const AdviceSelection::Advice& item)
                  { return FoldedText::containsEveryWord (item.text, words); });

    if (!advice.empty() && found.empty())
        reportProblem ("musewheeler-sets: no advice holds every word of " + words.trim());

    listAdvice (found);
}

void SetsCommand::tags (CommandOptions& options)
{
    auto english = true;

    if (const auto language = options.takeValue ("--language"))
    {
        const auto code = AdviceSelection::parseLanguage (*language, false);

        if (!code)
            options.failUsage ("--language takes en or fr, not " + *language);

        english = *code == 1;
    }

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    DataTags catalogue;
    catalogue.initDataTagsLibrary (english);

    for (int category = 0; category < DataTags::numCategories; ++category)
        for (int position = 0; position < DataTags::getNumTagsInCategory (category); ++position)
            std::cout << DataTags::getHash (category, position) << "\t"
                      << catalogue.getNameCategory (category) << "\t"
                      << catalogue.getTags (DataTags::getHash (category, position)) << "\n";

    std::cout << std::flush;
}

void SetsCommand::check (CommandOptions& options)
{
    const auto files = options.takeWords();

    if (files.isEmpty())
        options.failUsage ("needs the set files to check");

    initialiseGui();
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    int numProblems = 0, numAdvice = 0;

    for (const auto& path : files)
    {
        const auto report = checker.checkFile (resolve (path));
        numAdvice += report.numAdvice;
        numProblems += (int) report.problems.size();

        for (const auto& problem : report.problems)
            std::cout << path << ":" << problem.line << ": " << problem.message << "\n";
    }

    std::cout << files.size() << (files.size() == 1 ? " file, " : " files, ") << numAdvice << " advice: "
              << (numProblems == 0
                      ? juce::String ("no problem")
                      : juce::String (numProblems) + (numProblems == 1 ? " problem" : " problems"))
              << std::endl;

    if (numProblems > 0)
        exitCode = problemsExitCode;
}

void SetsCommand::importSet (CommandOptions& options)
{
    const auto name = options.takeValue ("--name");
    const auto languageWord = options.takeValue ("--language");
    const auto author = options.takeValue ("--author").value_or ("");
    const auto description = options.takeValue ("--description").value_or ("");
    const auto tagList = options.takeValue ("--tags").value_or ("0,");
    const auto colourText = options.takeValue ("--colour");
    const auto out = options.takeValue ("--out");
    const auto force = options.takeFlag ("--force");
    const auto dataFolder = takeDataFolder (options);
    const auto sources = options.takeWords();

    if (sources.size() != 1)
        options.failUsage ("needs one source file");

    if (!name || !languageWord)
        options.failUsage ("needs --name and --language");

    const auto language = AdviceSelection::parseLanguage (*languageWord, false);

    if (!language)
        options.failUsage ("--language takes en or fr, not " + *languageWord);

    const auto defaultTags = AdviceImporter::parseHashList (tagList);

    if (!defaultTags || defaultTags->isEmpty())
        options.failUsage ("--tags takes a list of tag hashes such as 0,104, not " + tagList);

    const auto colour = AdviceImporter::parseColour (colourText.value_or ("255,165,0"));

    if (!colour)
        options.failUsage ("--colour takes red, green and blue from 0 to 255, such as 255,165,0");

    initialiseGui();
    CardTextFit cardTextFit;
    SetChecker checker (cardTextFit);
    AdviceImporter importer (checker);
    auto& set = importer.getSet();
    set.setName (*name);
    set.setAuthor (author);
    set.setDescription (description);
    set.setLanguage (*language);
    set.setColourSet (*colour);

    if (const auto problems = importer.checkHeader(); !problems.isEmpty())
        options.failUsage (problems[0]);

    const auto target =
        out ? resolve (*out) : dataFolder.getChildFile (AdviceImporter::makeFileName (*name, *language));

    if (const auto problem = AdviceImporter::checkTarget (target); problem.isNotEmpty())
        options.failUsage (problem);

    const auto source = resolve (sources[0]);
    const auto contents = AdviceSource::read (source);

    if (contents.error.isNotEmpty())
    {
        reportProblem (sources[0] + ": " + contents.error);
        return;
    }

    if (target.exists() && !force)
    {
        reportProblem (describeFile (target) + " already exists; --force replaces it");
        return;
    }

    const auto problems = importer.addEntries (contents.entries, *defaultTags);

    for (const auto& problem : problems)
        std::cout << sources[0] << ":" << problem.line << ": " << problem.message << " (left out)\n";

    if (!problems.empty())
        exitCode = problemsExitCode;

    if (set.getNumConseils() == 0)
    {
        reportProblem (sources[0] + ": no advice to write (read as " +
                       AdviceSource::getFormatName (contents.format) + "); no set written");
        return;
    }

    if (!target.getParentDirectory().createDirectory() || !importer.write (target))
    {
        reportProblem ("cannot write " + describeFile (target) + ": is its folder writable?");
        return;
    }

    std::cout << "Wrote " << set.getNumConseils() << " advice from " << sources[0] << " (read as "
              << AdviceSource::getFormatName (contents.format) << ") to " << describeFile (target);

    if (const auto leftOut = (int) contents.entries.size() - set.getNumConseils(); leftOut > 0)
        std::cout << "; " << leftOut << " left out";

    std::cout << std::endl;
}

void SetsCommand::exportAdvice (CommandOptions& options)
{
    const auto format = options.takeValue ("--format").value_or ("text");

    if (!AdviceExporter::getFormatNames().contains (format))
        options.failUsage ("--format takes text, markdown or fortune, not " + format);

    std::cout << AdviceExporter::write (takeFiltersAndSelect (options), format) << std::flush;
}
