#pragma once

#include "base/ProgramFolder.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <sys/stat.h>

// Readable failure messages for the toolkit's strings.
namespace juce
{
inline void PrintTo (const String& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

inline void PrintTo (const StringArray& texts, std::ostream* stream)
{
    *stream << "{ \"" << texts.joinIntoString ("\", \"").toStdString() << "\" }";
}
} // namespace juce

namespace testing_helpers
{
// Whether this build runs under AddressSanitizer, whose own memory use some tests must allow for.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool runsUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool runsUnderAddressSanitizer = true;
#else
inline constexpr bool runsUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool runsUnderAddressSanitizer = false;
#endif

// Async change, action and combo-box messages arrive only while the message loop runs.
inline void deliverMessages (int milliseconds = 30)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

// Text holding letters beyond ASCII, which the toolkit's char* constructor refuses.
inline juce::String utf8 (const char* text)
{
    return juce::String::fromUTF8 (text);
}

// The file's bytes, empty for a file that cannot be read.
inline juce::MemoryBlock fileBytes (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}

inline juce::File fixturesDirectory()
{
    return juce::File (MUSEWHEELER_FIXTURES_DIR);
}

inline juce::File shippedDataDirectory()
{
    return juce::File (MUSEWHEELER_SHIPPED_DATA_DIR);
}

// A fresh temporary folder, deleted with the object. Made by mkdtemp, which picks and creates the name
// in one step: tests run in parallel processes, and two of them once chose the same free name.
class TemporaryFolder final
{
public:
    TemporaryFolder()
        : folder (makeFolder())
    {
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const { return folder; }
    juce::File child (const juce::String& name) const { return folder.getChildFile (name); }

private:
    static juce::File makeFolder()
    {
        auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                           .getChildFile ("musewheeler-test-XXXXXX")
                           .getFullPathName()
                           .toStdString();
        const auto* made = mkdtemp (pattern.data());

        if (made == nullptr)
            return {};

        // mkdtemp keeps the folder to its owner; tests that act as another user must reach it too.
        chmod (made, 0755);
        return juce::File (juce::String (made));
    }

    juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (TemporaryFolder)
};

// A program folder of the test's own, as a fresh install without sets finds it: no "data" in it or one
// level up, no help pages, no settings. It is "bin" inside a temporary folder, so that "../data" stays
// inside that one too; the program looks there until the object goes, and both are deleted with it.
class ScopedProgramFolder final
{
public:
    ScopedProgramFolder()
        : programFolder (root.child ("bin"))
        , scopedOverride (programFolder)
    {
        programFolder.createDirectory();
    }

    const juce::File& get() const { return programFolder; }

private:
    TemporaryFolder root;
    juce::File programFolder;
    ProgramFolder::ScopedOverride scopedOverride;

    JUCE_DECLARE_NON_COPYABLE (ScopedProgramFolder)
};

// Where the program looks for "data", "../data", "help" and "Musewheeler.ini" now.
inline juce::File besideProgram (const juce::String& path)
{
    return ProgramFolder::getSibling (path);
}
} // namespace testing_helpers
