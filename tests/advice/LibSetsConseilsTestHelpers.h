#pragma once

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"

#include <gtest/gtest.h>

#include <string>

// What the tests of the set library share: sets written into a program folder of the test's own.
namespace library_testing
{
using testing_helpers::besideProgram;

inline juce::String setText (const juce::String& name, int language, const juce::StringArray& items,
                             const juce::String& colour = "10,20,30")
{
    auto text = testing_helpers::SetFileText()
                    .withName (name)
                    .withAuthor (name + " author")
                    .withLanguage (language)
                    .withColour (colour);

    // Each entry is "text|favorite|tags".
    for (const auto& entry : items)
    {
        const auto parts = juce::StringArray::fromTokens (entry, "|", "");
        text.add (parts[0], parts[2], parts[1]);
    }

    return text.toString();
}

// Tests here create "data" in a program folder of their own and one level above it.
class LibSetsConseilsDataFolderTest : public ::testing::Test
{
protected:
    static juce::File write (const juce::String& folder, const juce::String& fileName,
                             const juce::String& text)
    {
        const auto file = besideProgram (folder).getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithText (text, false, false, "\n"));
        return file;
    }

    static juce::File writeBytes (const juce::String& folder, const juce::String& fileName,
                                  const std::string& bytes)
    {
        const auto file = besideProgram (folder).getChildFile (fileName);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        return file;
    }

    juce::StringArray filteredTexts() const
    {
        juce::StringArray texts;

        for (int k = 0; k < library.getNumConseilsFiltered(); ++k)
            texts.add (library.getDescriptionItemFiltered (k));

        return texts;
    }

    void writeThreeSets()
    {
        write ("data", "a-english.mwh",
               setText ("English one", 1, { "e1|false|1,304,", "e2|true|1,304,", "e3|true|0," }, "255,0,0"));
        write (
            "data", "b-french.mwh",
            setText (testing_helpers::utf8 ("Français"), 0, { "f1|true|2,304,", "f2|false|1," }, "0,0,255"));
        write ("data", "c-english.mwh", setText ("English two", 1, { "x1|false|1," }));
        library.loadLibSetsConseils();
    }

    testing_helpers::ScopedProgramFolder programFolder;
    DataTags tags;
    LibSetsConseils library{ &tags };
};

// Every byte the process has read so far (the system's count), or -1.
using test_platform::bytesReadByThisProcess;

// A file of the given size holding start, then a hole that costs no disk and reads as zero bytes.
inline void writeSparse (const juce::File& file, const std::string& start, juce::int64 size)
{
    juce::FileOutputStream stream (file);
    ASSERT_TRUE (stream.openedOk());
    ASSERT_TRUE (stream.write (start.data(), start.size()));
    ASSERT_TRUE (stream.setPosition (size - 1));
    ASSERT_TRUE (stream.writeByte ('x'));
}

inline std::string asBytes (const juce::MemoryBlock& block)
{
    return { static_cast<const char*> (block.getData()), block.getSize() };
}

inline const std::string legacyBytes =
    "Nom=Ancien;Auteur=Moi;Ann\x8e"
    "e=1998;Description=Vieux;Language=0;"
    "Texte=Jouer;Attributs=GUIT,;Favori=0;Texte=Chanter;Attributs=SING,;Favori=0;";
} // namespace library_testing
