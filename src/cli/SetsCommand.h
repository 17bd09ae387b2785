#pragma once

#include "cli/AdviceFinder.h"
#include "cli/AdviceImporter.h"
#include "cli/AdviceSelection.h"
#include "cli/AdviceSource.h"
#include "cli/ByteNamedPaths.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandHelp.h"
#include "cli/CommandOptions.h"

#include <memory>
#include <optional>

// musewheeler-sets: the program's advice sets from a terminal. Draws, lists, searches and exports the
// advice of the data folder, lists the tag catalogue, checks set files and makes new sets from text, CSV
// and fortune files, all through the program's own reader and writer.
// Exit codes: 0 done, 1 nothing found or problems reported, 2 a usage error.
class SetsCommand final
{
public:
    static constexpr int doneExitCode = 0, problemsExitCode = 1;

    SetsCommand();
    ~SetsCommand();

    int run (const juce::ArgumentList& args);

    // The paths among the arguments whose bytes are not UTF-8, filled before run.
    ByteNamedPaths& getByteNamedPaths() { return paths; }

private:
    void addCommand (const CommandHelp&, void (SetsCommand::*handler) (CommandOptions&));

    void draw (CommandOptions&);
    void list (CommandOptions&);
    void search (CommandOptions&);
    void tags (CommandOptions&);
    void check (CommandOptions&);
    void importSet (CommandOptions&);
    void exportAdvice (CommandOptions&);
    void listSets (CommandOptions&);
    void favorite (CommandOptions&);
    void addAdvice (CommandOptions&);

    // The arguments with the command's name first, when options were written before it.
    juce::ArgumentList putCommandFirst (const juce::ArgumentList& args) const;
    const juce::ConsoleApplication::Command* findCommand (const juce::String& name) const;
    const juce::ConsoleApplication::Command* findCommand (const juce::ArgumentList& args) const;
    // Flushes standard output and checks that everything printed was written: an output that cannot be
    // written (a full disk) ends the command with exit code 1 and a message, a closed pipe quietly.
    int finishOutput (int result);

    // What import was asked: the options given, checked, and the source.
    struct ImportRequest
    {
        std::optional<juce::String> name, language, author, description, colour, out;
        juce::Array<int> defaultTags;
        bool force = false, fix = false;
        AdviceSource::Options sourceOptions;
        juce::File dataFolder, source;
        juce::String sourceName; // as typed
    };

    // The new set's header: from the options, else from what the source names, else the defaults.
    struct SetFields
    {
        juce::String name, author, description;
        int language = 1;
        juce::Colour colour;
    };

    // The steps of import: its options, the set's header, the file to write, the advice checked and written.
    ImportRequest takeImportRequest (CommandOptions&) const;
    SetFields resolveSetFields (const ImportRequest&, const AdviceSource::Contents&, CommandOptions&) const;
    juce::File chooseImportTarget (const ImportRequest&, const SetFields&, CommandOptions&) const;
    void writeImportedSet (const ImportRequest&, const AdviceSource::Contents&, AdviceImporter&,
                           const juce::File& target);

    // --format, --delimiter and --encoding of import.
    AdviceSource::Options takeSourceOptions (CommandOptions&) const;
    // A path typed, from the current folder.
    juce::File resolvePath (const juce::String& path) const;
    // A path as short as the user would type it: relative below the current folder, absolute elsewhere.
    juce::String describePath (const juce::File& file) const;

    juce::File takeDataFolder (CommandOptions&) const;
    AdviceSelection::Filter takeFilter (CommandOptions&) const;
    // The filters and the data folder, then the advice they select; words left are a usage error.
    std::vector<AdviceSelection::Advice> takeFiltersAndSelect (CommandOptions&);
    // One advice a line: the set's file name, a tab, the text.
    void listSelected (const AdviceFinder::Found&) const;
    // Tells the problem on standard error; the command then ends with exit code 1.
    void reportProblem (const juce::String& message);
    void initialiseGui();

    CheckedOutput output{ 1 };
    juce::ConsoleApplication application;
    ByteNamedPaths paths;
    int exitCode = doneExitCode;
    AdviceFinder finder{ paths, [this] (const juce::String& message) { reportProblem (message); } };
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;

    JUCE_DECLARE_NON_COPYABLE (SetsCommand)
};
