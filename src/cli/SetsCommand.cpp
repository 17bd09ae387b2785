#include "cli/SetsCommand.h"

#include "advice/RandomShuffle.h"
#include "advice/SetChecker.h"
#include "cli/AdviceExporter.h"
#include "cli/AdviceImporter.h"
#include "cli/AdviceIndex.h"
#include "cli/DailyChoice.h"
#include "cli/FoldedText.h"
#include "cli/SetAddition.h"
#include "cli/TerminalText.h"
#include "cli/TextConverter.h"
#include "widgets/CardTextFit.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace
{
// std::cout written through the command's checked output while it runs.
struct OutputRedirection
{
    explicit OutputRedirection (std::streambuf& output)
        : previous (std::cout.rdbuf (&output))
    {
    }

    ~OutputRedirection() { std::cout.rdbuf (previous); }

    std::streambuf* previous;
};

// How a source was read: "CSV separated by ";", UTF-8, line 4 as Windows-1252; column "Notes" passed over".
juce::String describeReading (const AdviceSource::Contents& contents)
{
    auto description = contents.format == AdviceSource::Format::text      ? juce::String ("text")
                       : contents.format == AdviceSource::Format::fortune ? juce::String ("fortune")
                                                                          : juce::String ("a table");

    if (contents.delimiter != 0)
        description << " separated by " << AdviceSource::describeDelimiter (contents.delimiter);

    description << ", " << contents.encoding;

    for (const auto& note : contents.notes)
        description << "; " << note;

    return description;
}

} // namespace

SetsCommand::SetsCommand()
{
    addCommand (CommandHelp::draw(), &SetsCommand::draw);
    addCommand (CommandHelp::list(), &SetsCommand::list);
    addCommand (CommandHelp::search(), &SetsCommand::search);
    addCommand (CommandHelp::tags(), &SetsCommand::tags);
    addCommand (CommandHelp::check(), &SetsCommand::check);
    addCommand (CommandHelp::importSet(), &SetsCommand::importSet);
    addCommand (CommandHelp::sets(), &SetsCommand::listSets);
    addCommand (CommandHelp::favorite(), &SetsCommand::favorite);
    addCommand (CommandHelp::add(), &SetsCommand::addAdvice);
    addCommand (CommandHelp::exportAdvice(), &SetsCommand::exportAdvice);

    application.addHelpCommand ("--help|-h", CommandHelp::overview(), false);
    application.addVersionCommand ("--version", "musewheeler-sets " JUCE_APPLICATION_VERSION_STRING);
}

SetsCommand::~SetsCommand() = default;

int SetsCommand::run (const juce::ArgumentList& args)
{
    exitCode = doneExitCode;
    const OutputRedirection redirection (output);
    const auto arguments = putCommandFirst (args);
    const auto* command = findCommand (arguments);

    // Without this the toolkit would run nothing and return 1, which here means "nothing found".
    if (command == nullptr)
    {
        std::cout.flush();
        std::cerr << "musewheeler-sets: "
                  << (arguments.size() == 0 ? juce::String ("a command is needed")
                                            : "unknown command " + arguments[0].text)
                  << " (musewheeler-sets --help lists the commands)" << std::endl;
        return CommandOptions::usageExitCode;
    }

    auto result = juce::ConsoleApplication::invokeCatchingFailures (
        [command, &arguments]
        {
            command->command (arguments);
            return 0;
        });

    result = finishOutput (result != doneExitCode ? result : exitCode);
    return result;
}

juce::ArgumentList SetsCommand::putCommandFirst (const juce::ArgumentList& args) const
{
    juce::StringArray texts;

    for (const auto& argument : args.arguments)
        texts.add (argument.text);

    // "musewheeler-sets --data DIR draw": the options are the command's, wherever they stand.
    for (int i = 0; i < texts.size() && texts[i] != "--"; ++i)
    {
        if (findCommand (texts[i]) == nullptr)
            continue;

        if (i > 0 && texts[0].startsWith ("--") && texts[0] != "--help" && texts[0] != "--version")
            texts.move (i, 0);

        break;
    }

    return juce::ArgumentList (args.executableName, texts);
}

const juce::ConsoleApplication::Command* SetsCommand::findCommand (const juce::String& name) const
{
    for (const auto& command : application.getCommands())
        if (juce::StringArray::fromTokens (command.commandOption, "|", "").contains (name))
            return &command;

    return nullptr;
}

const juce::ConsoleApplication::Command* SetsCommand::findCommand (const juce::ArgumentList& args) const
{
    return args.size() == 0 ? nullptr : findCommand (args[0].text);
}

int SetsCommand::finishOutput (int result)
{
    std::cout.flush();
    const auto failure = output.finish();

    // A reader that stopped reading (head, a pager closed) is no failure of the command.
    if (failure == 0 || failure == EPIPE)
        return result;

    std::cerr << "musewheeler-sets: cannot write the output: " << std::strerror (failure) << std::endl;
    return problemsExitCode;
}

void SetsCommand::addCommand (const CommandHelp& help, void (SetsCommand::*handler) (CommandOptions&))
{
    const auto name = help.name;
    application.addCommand ({ name, name + " " + help.arguments, help.summary, help.details,
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
juce::File SetsCommand::resolvePath (const juce::String& path) const
{
    if (const auto file = paths.find (path))
        return *file;

    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

juce::String SetsCommand::describePath (const juce::File& file) const
{
    const auto here = juce::File::getCurrentWorkingDirectory();
    return file.isAChildOf (here) ? file.getRelativePathFrom (here) : paths.describe (file);
}

juce::File SetsCommand::takeDataFolder (CommandOptions& options) const
{
    if (const auto folder = options.takeValue ("--data"))
        return resolvePath (*folder);

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

std::vector<AdviceSelection::Advice> SetsCommand::takeFiltersAndSelect (CommandOptions& options)
{
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    return finder.find (dataFolder, filter);
}

void SetsCommand::reportProblem (const juce::String& message)
{
    std::cerr << message << std::endl;
    exitCode = problemsExitCode;
}

void SetsCommand::listSelected (const AdviceFinder::Found& selected) const
{
    for (int i = 0; i < selected.size; ++i)
    {
        const auto item = selected.get (i);
        std::cout << item.fileName << "\t" << item.text << "\n";
    }
}

void SetsCommand::initialiseGui()
{
    if (gui == nullptr)
        gui = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
}

AdviceSource::Options SetsCommand::takeSourceOptions (CommandOptions& options) const
{
    AdviceSource::Options sourceOptions;

    if (const auto format = options.takeValue ("--format"))
    {
        sourceOptions.format = AdviceSource::findFormat (*format);

        if (!sourceOptions.format)
            options.failUsage ("--format takes text, fortune, csv or tsv, not " + *format);
    }

    if (const auto delimiter = options.takeValue ("--delimiter"))
    {
        sourceOptions.delimiter = AdviceSource::parseDelimiter (*delimiter);

        if (sourceOptions.delimiter == 0)
            options.failUsage ("--delimiter takes one character, or tab, comma or semicolon, not " +
                               *delimiter);

        if (!sourceOptions.format)
            sourceOptions.format =
                sourceOptions.delimiter == '\t' ? AdviceSource::Format::tsv : AdviceSource::Format::csv;
        else if (*sourceOptions.format != AdviceSource::Format::csv &&
                 *sourceOptions.format != AdviceSource::Format::tsv)
            options.failUsage ("--delimiter is for tables: --format csv or tsv");
    }

    if (const auto encoding = options.takeValue ("--encoding"))
    {
        sourceOptions.encoding = CharacterEncoding::find (*encoding);

        if (!sourceOptions.encoding)
            options.failUsage (
                "--encoding takes an encoding's name such as UTF-8, ISO-8859-1 or Windows-1252, "
                "not " +
                *encoding + " (" + TextConverter::whereNamesAreListed() + ")");
    }

    return sourceOptions;
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
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    const auto selected = finder.findFast (dataFolder, filter);

    if (selected.size == 0)
        return;

    std::vector<int> chosen;

    if (daily)
    {
        std::vector<juce::uint64> hashes;

        if (selected.index != nullptr)
            hashes = selected.index->getTextHashes (selected.positions);
        else
            for (const auto& item : selected.advice)
                hashes.push_back ((juce::uint64) item.text.hashCode64());

        chosen = DailyChoice::choose (juce::Time::getCurrentTime(), hashes, count);
    }
    else
    {
        RandomShuffle shuffle;

        for (int i = 0; i < juce::jmin (count, selected.size); ++i)
            chosen.push_back (shuffle.getRandomShuffledNumber (0, selected.size));
    }

    for (size_t i = 0; i < chosen.size(); ++i)
    {
        const auto item = selected.get (chosen[i]);

        if (plain)
        {
            std::cout << item.text << "\n";
            continue;
        }

        if (i > 0)
            std::cout << "\n";

        const auto width = TerminalText::getOutputWidth();
        std::cout << TerminalText::wrap (item.text, width) << "\n"
                  << TerminalText::wrap (juce::String::fromUTF8 ("\xe2\x80\x94 ") + item.setName +
                                             (item.author.isNotEmpty() ? ", " + item.author : juce::String()),
                                         width)
                  << "\n";
    }

    std::cout << std::flush;
}

void SetsCommand::list (CommandOptions& options)
{
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    const auto selected = finder.findFast (dataFolder, filter);

    listSelected (selected);
}

void SetsCommand::search (CommandOptions& options)
{
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);
    const auto words = options.takeWords().joinIntoString (" ");

    if (words.trim().isEmpty())
        options.failUsage ("needs the words to look for");

    auto selected = finder.findFast (dataFolder, filter);
    const auto numSelected = selected.size;

    if (selected.index != nullptr)
    {
        selected.positions = selected.index->search (selected.positions, words);
        selected.size = (int) selected.positions.size();
    }
    else
    {
        auto& advice = selected.advice;
        advice.erase (std::remove_if (advice.begin(), advice.end(),
                                      [&words] (const AdviceSelection::Advice& item)
                                      { return !FoldedText::containsEveryWord (item.text, words); }),
                      advice.end());
        selected.size = (int) advice.size();
    }

    if (numSelected > 0 && selected.size == 0)
        reportProblem ("musewheeler-sets: no advice holds every word of " + words.trim());

    listSelected (selected);
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
    CardTextFit cardTextFit (CardMeasureRecord::findFile());
    SetChecker checker (cardTextFit);
    int numProblems = 0, numAdvice = 0;

    for (const auto& path : files)
    {
        const auto report = checker.checkFile (resolvePath (path));
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
    const auto request = takeImportRequest (options);
    auto contents = AdviceSource::read (request.source, request.sourceOptions);

    if (contents.error.isNotEmpty())
    {
        reportProblem (request.sourceName + ": " + contents.error);
        return;
    }

    const auto fields = resolveSetFields (request, contents, options);

    if (request.fix)
        for (auto& entry : contents.entries)
            entry.text = AdviceImporter::fixTypography (entry.text);

    initialiseGui();
    CardTextFit cardTextFit (CardMeasureRecord::findFile());
    SetChecker checker (cardTextFit);
    AdviceImporter importer (checker);
    auto& set = importer.getSet();
    set.setName (fields.name);
    set.setAuthor (fields.author);
    set.setDescription (fields.description);
    set.setLanguage (fields.language);
    set.setColourSet (fields.colour);

    if (const auto problems = importer.checkHeader(); !problems.isEmpty())
        options.failUsage (problems[0]);

    const auto target = chooseImportTarget (request, fields, options);

    if (target.exists() && !request.force)
    {
        reportProblem (describePath (target) + " already exists; --force replaces it");
        return;
    }

    writeImportedSet (request, contents, importer, target);
}

SetsCommand::ImportRequest SetsCommand::takeImportRequest (CommandOptions& options) const
{
    ImportRequest request;
    request.name = options.takeValue ("--name");
    request.language = options.takeValue ("--language");
    request.author = options.takeValue ("--author");
    request.description = options.takeValue ("--description");
    const auto tagList = options.takeValue ("--tags").value_or ("0,");
    request.colour = options.takeValue ("--colour");
    request.out = options.takeValue ("--out");
    request.force = options.takeFlag ("--force");
    request.fix = options.takeFlag ("--fix");
    request.sourceOptions = takeSourceOptions (options);
    request.dataFolder = takeDataFolder (options);
    const auto sources = options.takeWords();

    if (sources.size() != 1)
        options.failUsage ("needs one source file");

    if (request.language && !AdviceSelection::parseLanguage (*request.language, false))
        options.failUsage ("--language takes en or fr, not " + *request.language);

    const auto defaultTags = AdviceImporter::parseHashList (tagList);

    if (!defaultTags || defaultTags->isEmpty())
        options.failUsage ("--tags takes a list of tag hashes such as 0,104, not " + tagList);

    // Told once here rather than on every advice that would take these tags.
    for (const auto hash : *defaultTags)
        if (!DataTags::isValidHash (hash))
            options.failUsage ("--tags holds " + juce::String (hash) +
                               ", which is no tag (musewheeler-sets tags lists them)");

    if (std::none_of (defaultTags->begin(), defaultTags->end(),
                      [] (int hash) { return hash < DataTags::getNumTagsInCategory (0); }))
        options.failUsage ("--tags needs an abstraction tag, 0, 1 or 2, such as 0," + tagList);

    if (request.colour && !AdviceImporter::parseColour (*request.colour))
        options.failUsage ("--colour takes red, green and blue from 0 to 255, such as 255,165,0");

    request.defaultTags = *defaultTags;
    request.sourceName = sources[0];
    request.source = resolvePath (sources[0]);
    return request;
}

SetsCommand::SetFields SetsCommand::resolveSetFields (const ImportRequest& request,
                                                      const AdviceSource::Contents& contents,
                                                      CommandOptions& options) const
{
    // A table exported by export --format csv names its set; the options given take precedence.
    const auto fromSource = [&contents] (const char* field) -> std::optional<juce::String>
    {
        const auto found = contents.setFields.find (field);

        if (found == contents.setFields.end() || found->second.isEmpty())
            return std::nullopt;

        return found->second;
    };

    const auto name = request.name ? request.name : fromSource ("set");
    const auto languageWord = request.language ? request.language : fromSource ("language");

    if (!name || !languageWord)
        options.failUsage (
            "needs --name and --language (a table exported with export --format csv gives them)");

    const auto language = AdviceSelection::parseLanguage (*languageWord, false);

    if (!language)
        options.failUsage (request.sourceName + " gives the language " + *languageWord +
                           "; --language en or fr chooses it");

    const auto colourText = request.colour ? request.colour : fromSource ("colour");
    const auto colour = AdviceImporter::parseColour (colourText.value_or ("255,165,0"));

    if (!colour)
        options.failUsage (request.sourceName + " gives the colour " + colourText.value_or ("") +
                           "; --colour R,G,B chooses it");

    SetFields fields;
    fields.name = *name;
    fields.language = *language;
    fields.colour = *colour;
    fields.author = request.author ? *request.author : fromSource ("author").value_or ("");
    fields.description =
        request.description ? *request.description : fromSource ("description").value_or ("");
    return fields;
}

juce::File SetsCommand::chooseImportTarget (const ImportRequest& request, const SetFields& fields,
                                            CommandOptions& options) const
{
    const auto fileName = AdviceImporter::makeFileName (fields.name, fields.language);
    const auto& out = request.out;

    if (fileName.isEmpty() && (!out || resolvePath (*out).isDirectory()))
        options.failUsage ("--name " + fields.name +
                           " holds no letter or digit to name the set file by; --out FILE "
                           "names it");

    // --out naming a folder puts the set there under its usual name.
    const auto target = !out                               ? request.dataFolder.getChildFile (fileName)
                        : resolvePath (*out).isDirectory() ? resolvePath (*out).getChildFile (fileName)
                                                           : resolvePath (*out);

    if (const auto problem = AdviceImporter::checkTarget (target); problem.isNotEmpty())
        options.failUsage (problem);

    return target;
}

void SetsCommand::writeImportedSet (const ImportRequest& request, const AdviceSource::Contents& contents,
                                    AdviceImporter& importer, const juce::File& target)
{
    const auto& set = importer.getSet();
    const auto problems = importer.addEntries (contents.entries, request.defaultTags);

    for (const auto& problem : problems)
        std::cout << request.sourceName << ":" << problem.line << ": " << problem.message << " (left out)\n";

    if (!problems.empty())
        exitCode = problemsExitCode;

    if (set.getNumConseils() == 0)
    {
        reportProblem (request.sourceName + ": no advice to write (read as " + describeReading (contents) +
                       "); no set written");
        return;
    }

    if (!target.getParentDirectory().createDirectory() || !importer.write (target))
    {
        reportProblem ("cannot write " + describePath (target) + ": is its folder writable?");
        return;
    }

    std::cout << "Wrote " << set.getNumConseils() << " advice from " << request.sourceName << " (read as "
              << describeReading (contents) << ") to " << describePath (target);

    if (const auto leftOut = (int) contents.entries.size() - set.getNumConseils(); leftOut > 0)
        std::cout << "; " << leftOut << " left out";

    std::cout << std::endl;
}

void SetsCommand::exportAdvice (CommandOptions& options)
{
    const auto format = options.takeValue ("--format").value_or ("text");

    if (!AdviceExporter::getFormatNames().contains (format))
        options.failUsage ("--format takes text, markdown, fortune or csv, not " + format);

    std::cout << AdviceExporter::write (takeFiltersAndSelect (options), format) << std::flush;
}

void SetsCommand::listSets (CommandOptions& options)
{
    const auto filter = takeFilter (options);

    if (filter.setFile.isNotEmpty() || filter.tag >= 0 || filter.favoritesOnly)
        options.failUsage ("takes only --language of the filters");

    const auto dataFolder = takeDataFolder (options);

    if (!options.takeWords().isEmpty())
        options.failUsage ("takes no words, only options");

    AdviceSelection selection (dataFolder);

    if (!finder.checkDataFolder (selection, dataFolder))
        return;

    int total = 0;

    for (const auto& set : selection.summarise (-1))
        total += set.numAdvice;

    for (const auto& set : selection.summarise (filter.language))
        std::cout << set.fileName << "\t" << AdviceSelection::getLanguageCode (set.language) << "\t"
                  << set.numAdvice << " advice\t" << set.numFavorites
                  << (set.numFavorites == 1 ? " favourite\t" : " favourites\t")
                  << juce::String (total == 0 ? 0.0 : 100.0 * set.numAdvice / total, 1) << "%\t" << set.name
                  << "\n";
}

void SetsCommand::favorite (CommandOptions& options)
{
    const auto unmark = options.takeFlag ("--unmark");
    const auto filter = takeFilter (options);
    const auto dataFolder = takeDataFolder (options);
    const auto wanted = options.takeWords().joinIntoString (" ").trim();

    if (wanted.isEmpty())
        options.failUsage ("needs the advice's text, some of its words, or its number in list");

    AdviceSelection selection (dataFolder);
    const auto advice = finder.find (selection, dataFolder, filter);

    if (advice.empty())
        return;

    std::vector<int> found;

    if (wanted.containsOnly ("0123456789"))
    {
        const auto number = wanted.getIntValue();

        if (number < 1 || number > (int) advice.size())
        {
            reportProblem ("musewheeler-sets: list gives " + juce::String ((int) advice.size()) +
                           " advice with these filters, not " + wanted);
            return;
        }

        found.push_back (number - 1);
    }
    else
    {
        for (size_t i = 0; i < advice.size(); ++i)
            if (advice[i].text == wanted)
                found.push_back ((int) i);

        if (found.empty())
            for (size_t i = 0; i < advice.size(); ++i)
                if (FoldedText::containsEveryWord (advice[i].text, wanted))
                    found.push_back ((int) i);
    }

    if (found.size() != 1)
    {
        reportProblem ("musewheeler-sets: " +
                       (found.empty() ? "no advice holds every word of " + wanted
                                      : juce::String ((int) found.size()) + " advice hold every word of " +
                                            wanted + "; more words, or the number list gives, tell which"));
        return;
    }

    const auto& item = advice[(size_t) found.front()];

    switch (selection.setFavorite (found.front(), !unmark))
    {
        case LibSetsConseils::FavoriteSaving::saved:
            std::cout << (unmark ? "No longer a favourite: " : "Marked as a favourite: ") << item.text << " ("
                      << item.fileName << ")\n";
            return;
        case LibSetsConseils::FavoriteSaving::fileChanged:
            reportProblem ("musewheeler-sets: " + item.fileName +
                           " was changed by another program since it was read, or is not read whole; "
                           "nothing was written");
            return;
        case LibSetsConseils::FavoriteSaving::writeFailed:
            reportProblem ("musewheeler-sets: cannot write " + item.fileName + ": is its folder writable?");
            return;
        case LibSetsConseils::FavoriteSaving::nothingToMark:
            break;
    }

    reportProblem ("musewheeler-sets: " + item.fileName + " cannot be marked");
}

void SetsCommand::addAdvice (CommandOptions& options)
{
    const auto setFile = options.takeValue ("--set");
    const auto tagList = options.takeValue ("--tags").value_or ("0,");
    const auto dataFolder = takeDataFolder (options);
    const auto text = AdviceSource::tidy (options.takeWords().joinIntoString (" "));

    if (!setFile)
        options.failUsage ("needs --set FILE, the set to add to");

    if (text.isEmpty())
        options.failUsage ("needs the advice's text");

    const auto tags = AdviceImporter::parseTags (tagList);

    if (!tags || tags->isEmpty())
        options.failUsage ("--tags takes hashes or tag names, such as 0,104, not " + tagList);

    AdviceSelection selection (dataFolder);

    if (!finder.checkDataFolder (selection, dataFolder))
        return;

    if (!selection.hasSetFile (*setFile))
    {
        reportProblem ("musewheeler-sets: no set file named " + *setFile + " in " +
                       paths.describe (dataFolder));
        return;
    }

    initialiseGui();
    CardTextFit cardTextFit (CardMeasureRecord::findFile());
    SetChecker checker (cardTextFit);
    const auto target = selection.findSetFile (*setFile);

    // The set's own texts are seen first, so that an advice it holds already is refused.
    checker.checkFile (target);

    if (const auto problems = checker.checkAdvice (text, *tags); !problems.isEmpty())
    {
        for (const auto& problem : problems)
            reportProblem ("musewheeler-sets: " + problem + "; nothing added");

        return;
    }

    switch (SetAddition::add (target, text, *tags))
    {
        case SetAddition::Result::added:
            std::cout << "Added to " << target.getFileName() << ": " << text << "\n";
            return;
        case SetAddition::Result::notReadWhole:
            reportProblem ("musewheeler-sets: " + target.getFileName() +
                           " holds text the program passes over; writing it would lose that text, so nothing "
                           "was added (check tells where)");
            return;
        case SetAddition::Result::changedMeanwhile:
            reportProblem ("musewheeler-sets: " + target.getFileName() +
                           " was changed by another program meanwhile; nothing was added");
            return;
        case SetAddition::Result::writeFailed:
            break;
    }

    reportProblem ("musewheeler-sets: cannot write " + target.getFileName() + ": is its folder writable?");
}
