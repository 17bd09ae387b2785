#pragma once

#include "cli/AdviceSelection.h"
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

    juce::File takeDataFolder (CommandOptions&) const;
    AdviceSelection::Filter takeFilter (CommandOptions&) const;
    // The filters and the data folder, then the advice they select; words left are a usage error.
    std::vector<AdviceSelection::Advice> takeFiltersAndSelect (CommandOptions&);
    std::vector<AdviceSelection::Advice> selectAdvice (const juce::File& dataFolder,
                                                       const AdviceSelection::Filter&);
    void listAdvice (const std::vector<AdviceSelection::Advice>&) const;
    // Tells the problem on standard error; the command then ends with exit code 1.
    void reportProblem (const juce::String& message);
    void initialiseGui();

    juce::ConsoleApplication application;
    int exitCode = doneExitCode;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> gui;

    JUCE_DECLARE_NON_COPYABLE (SetsCommand)
};
