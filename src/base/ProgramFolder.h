#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The folder of the running program, and where it keeps its files. A portable program (a build folder, an
// unpacked copy) keeps its sets ("data", else "../data"), its settings file and its help beside itself. An
// installed one, whose folder holds no data folder it can write, runs in place and keeps each user's sets
// and settings in the user's folders (InstalledFolders). ProgramLayout chooses between the two.
class ProgramFolder final
{
public:
    ProgramFolder() = delete;

    // The folder holding the running executable (on macOS, the folder holding the bundle).
    static juce::File get();

    // A file or folder named relative to the program's folder, such as "data" or "../data".
    static juce::File getSibling (const juce::String& relativePath);

    // Whether a program in that folder is portable: the folder, or the one above it (a build folder), holds
    // a data folder it can write.
    static bool isPortable (const juce::File& programFolder);

    // Chooses the layout of a program (or plugin) whose binary lies in that folder and prepares its folders
    // (the shipped sets beside it brought into its data folder, or the user's folders); later calls choose
    // again, so that each plugin instance sees the folders as they are when it opens. Returns why the sets
    // are read-only, empty when all went well.
    static juce::String prepare (const juce::File& binaryFolder);

    // Installed, the sets folder prepare chose; portable, none (the set library looks in "data", else
    // "../data").
    static std::optional<juce::File> getInstalledSetsFolder();

    // The folder of the settings file and the folder of the help pages.
    static juce::File getSettingsFolder();
    static juce::File getHelpFolder();

    // While one lives, the program's folder is the one given, portable; tests work in a folder of their
    // own this way. Overrides nest: each restores the one before it.
    class ScopedOverride final
    {
    public:
        explicit ScopedOverride (const juce::File& folder);
        ~ScopedOverride();

    private:
        std::optional<juce::File> previous;

        JUCE_DECLARE_NON_COPYABLE (ScopedOverride)
    };

private:
    struct Installed
    {
        juce::File sets, settingsFolder, help;
    };

    static std::optional<juce::File>& overridden();
    static std::optional<juce::File>& preparedPortable();
    static std::optional<Installed>& installed();
    static juce::File findRunningExecutable();
};
