#pragma once

#include "cli/AdviceIndex.h"
#include "cli/AdviceSelection.h"
#include "cli/AdviceSource.h"
#include "cli/ByteNamedPaths.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandOptions.h"

#include <memory>

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
    void addCommand (const juce::String& name, const juce::String& arguments, const juce::String& summary,
                     const juce::String& details, void (SetsCommand::*handler) (CommandOptions&));

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
    std::vector<AdviceSelection::Advice> selectAdvice (const juce::File& dataFolder,
                                                       const AdviceSelection::Filter&);
    std::vector<AdviceSelection::Advice> selectAdvice (AdviceSelection&, const juce::File& dataFolder,
                                                       const AdviceSelection::Filter&);
    // Whether the data folder exists and holds sets; tells what is wrong when not. Sets is the folder's
    // AdviceSelection or AdviceIndex.
    template <typename Sets>
    bool checkDataFolder (const Sets&, const juce::File& dataFolder);
    // The same, and whether the set chosen exists and is in the language chosen.
    template <typename Sets>
    bool checkFilters (const Sets&, const juce::File& dataFolder, const AdviceSelection::Filter&);

    // The advice the filters select, from the folder's index when it can be kept, else read from the sets.
    struct Selected
    {
        std::unique_ptr<AdviceIndex> index;
        std::vector<int> positions;                  // in the index
        std::vector<AdviceSelection::Advice> advice; // without an index
        int size = 0;

        AdviceSelection::Advice get (int i) const;
    };

    Selected selectFast (const juce::File& dataFolder, const AdviceSelection::Filter&);
    // One advice a line: the set's file name, a tab, the text.
    void listSelected (const Selected&) const;
    // Tells the problem on standard error; the command then ends with exit code 1.
    void reportProblem (const juce::String& message);
    void initialiseGui();

    CheckedOutput output{ 1 };
    juce::ConsoleApplication application;
    ByteNamedPaths paths;
    int exitCode = doneExitCode;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;

    JUCE_DECLARE_NON_COPYABLE (SetsCommand)
};
