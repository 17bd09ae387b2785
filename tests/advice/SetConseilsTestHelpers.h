#pragma once

#include "TestHelpers.h"
#include "advice/DataTags.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"

#include <gtest/gtest.h>

// What the tests of one set share: set texts made in the program's format, and a set read from them.
namespace set_testing
{
inline juce::String header (const juce::String& name = "A set", int language = 1,
                            const juce::String& colour = "10,20,30")
{
    return testing_helpers::SetFileText()
        .withName (name)
        .withDescription ("About it")
        .withAuthor ("Someone")
        .withLanguage (language)
        .withColour (colour)
        .header();
}

inline juce::String item (const juce::String& text, const juce::String& favorite = "false",
                          const juce::String& tags = "1,")
{
    return testing_helpers::SetFileText::record ({ text, tags, favorite });
}

inline juce::StringArray itemTexts (const SetConseils& set)
{
    juce::StringArray texts;

    for (int i = 0; i < set.getNumConseils(); ++i)
        texts.add (set.getDescriptionItem (i));

    return texts;
}

class SetConseilsTest : public ::testing::Test
{
protected:
    SetConseils read (const juce::String& text, SetConseils::LoadMode mode = SetConseils::headerAndAdvice)
    {
        SetConseils set (&tags);
        SetFileReader::readSetText (set, text, mode);
        return set;
    }

    DataTags tags;
    testing_helpers::TemporaryFolder folder;
};
} // namespace set_testing
