#pragma once

#include "TestPlatform.h"
#include "base/ProgramFolder.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

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

// The first line of every set file in the program's format.
inline const juce::String setFileHeader ("MusewheelerV1 - Set file");

// A set file's text in the program's format, written here independently of the program's writer: the
// header fields, then one record per advice. Values are kept as text, so that a test can write values
// the writer never would ("True", "256,0,511").
struct SetFileText
{
    struct Advice
    {
        juce::String text;
        juce::String tags = "0,";
        juce::String favorite = "false";
    };

    juce::String name = "A set", description, author, language = "1", colour = "10,20,30";
    std::vector<Advice> advice;

    SetFileText& withName (const juce::String& v)
    {
        name = v;
        return *this;
    }
    SetFileText& withDescription (const juce::String& v)
    {
        description = v;
        return *this;
    }
    SetFileText& withAuthor (const juce::String& v)
    {
        author = v;
        return *this;
    }
    SetFileText& withLanguage (int v)
    {
        language = juce::String (v);
        return *this;
    }
    SetFileText& withColour (const juce::String& v)
    {
        colour = v;
        return *this;
    }

    SetFileText& add (const juce::String& text, const juce::String& tags = "0,",
                      const juce::String& favorite = "false")
    {
        advice.push_back ({ text, tags, favorite });
        return *this;
    }

    // One advice's record as the writer lays it out.
    static juce::String record (const Advice& a)
    {
        return "Item=" + a.text + ";\nFavorite=" + a.favorite + ";\nTags=" + a.tags + ";\n\n";
    }

    juce::String header() const
    {
        return setFileHeader + "\n\nName=" + name + ";\nDescription=" + description + ";\nAuthor=" + author +
               ";\nLanguage=" + language + ";\nColour=" + colour + ";\n\n";
    }

    juce::String toString() const
    {
        auto text = header();

        for (const auto& a : advice)
            text += record (a);

        return text;
    }

    // Written as UTF-8 with "\n" line ends, which the reader takes as it takes the writer's UTF-16.
    bool writeTo (const juce::File& file) const
    {
        return file.getParentDirectory().createDirectory() &&
               file.replaceWithText (toString(), false, false, "\n");
    }
};

// A Musewheeler.ini's text, key by key, with the values a fresh install writes unless given.
struct IniFileText
{
    juce::String language = "1", languageSet = "-1", sets, tags = "-1", lastItem = "-1",
                 lookForFavorites = "false", timer = "0";

    juce::String toString() const
    {
        return "Musewheeler V1 - Init Data File\r\nLanguage=" + language + ";\r\nLanguageSet=" + languageSet +
               ";\r\nSets=" + sets + ";\r\nTags=" + tags + ";\r\nLastItem=" + lastItem +
               ";\r\nLookForFavorites=" + lookForFavorites + ";\r\nTimer=" + timer + ";\r\n";
    }

    // Written as the program writes it: UTF-16 little-endian with its byte-order mark.
    bool writeTo (const juce::File& file) const
    {
        return file.replaceWithText (toString(), true, true, nullptr);
    }
};

// A fresh temporary folder, deleted with the object. Its name is picked and the folder created in one
// step: tests run in parallel processes, and two of them once chose the same free name.
class TemporaryFolder final
{
public:
    TemporaryFolder()
        : folder (test_platform::makeTemporaryFolder ("musewheeler-test-"))
    {
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const { return folder; }
    juce::File child (const juce::String& name) const { return folder.getChildFile (name); }

private:
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
