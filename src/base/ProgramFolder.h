#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The folder of the running program, where it finds its sets ("data", else "../data"), its settings file
// and its help pages.
class ProgramFolder final
{
public:
    ProgramFolder() = delete;

    // The folder holding the running executable (on macOS, the folder holding the bundle).
    static juce::File get();

    // A file or folder named relative to the program's folder, such as "data" or "../data".
    static juce::File getSibling (const juce::String& relativePath);

    // While one lives, the program's folder is the one given; tests work in a folder of their own this
    // way. Overrides nest: each restores the one before it.
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
    static std::optional<juce::File>& overridden();
    static juce::File findRunningExecutable();
};
