#pragma once

#include "advice/DataTags.h"
#include "advice/SetChecker.h"
#include "advice/SetConseils.h"
#include "cli/AdviceSource.h"

// Makes a new set from a source's advice: every advice that breaks a rule of the set checker is left out
// and reported, the others are written through the program's own writer.
class AdviceImporter final
{
public:
    explicit AdviceImporter (SetChecker& checker);

    // The set's header; the advice come with addEntries.
    SetConseils& getSet() { return set; }

    // A hash list as users write it ("0,104," or "0, 104"): the hashes, or nothing when an entry is no
    // whole number. The set reader's own list reading takes any entry for a number (a typo becomes tag 0),
    // which suits files the program wrote, not what users type.
    static std::optional<juce::Array<int>> parseHashList (const juce::String& list);

    // A hash list, or tag names in either language separated by ",", ";" or "|" ("Abstract, Melody").
    static std::optional<juce::Array<int>> parseTags (const juce::String& list);

    // Typography the set editor refuses made into the characters it takes: curly quotes and apostrophes
    // into straight ones, dashes into "-", the ellipsis into "...", non-breaking spaces into spaces, and
    // ";" (which ends a value in a set file) into ",".
    static juce::String fixTypography (const juce::String& text);

    // "R,G,B", each from 0 to 255, as the set file stores a colour; nothing for anything else.
    static std::optional<juce::Colour> parseColour (const juce::String& text);

    // What keeps the set's name, author and description from being written and read back as they are, or
    // from being accepted by the set checker, told with the command's options (--name, --author,
    // --description), in that order; empty when nothing does.
    juce::StringArray checkHeader();

    // Why the target cannot be the new set's file (only *.mwh files are read as sets), or "".
    static juce::String checkTarget (const juce::File& target);

    // Adds the entries that keep every rule; returns the problems of the others, at their source lines.
    std::vector<SetChecker::Problem> addEntries (const std::vector<AdviceSource::Entry>& entries,
                                                 const juce::Array<int>& defaultTags);

    // Writes the set through the program's writer (a temporary file moved over the target), then reads
    // it back with the program's reader; false unless the file holds the set.
    bool write (const juce::File& target);

    // NAME made into a set file name like the shipped ones: "en-" or "fr-", then its letters and digits
    // without accents, words joined by "-", and ".mwh". juce::File::createLegalFileName only removes the
    // characters file systems refuse, keeping spaces and accents. Empty when NAME holds no letter or digit.
    static juce::String makeFileName (const juce::String& name, int language);

private:
    SetChecker& checker;
    DataTags dataTags;
    SetConseils set{ &dataTags };

    JUCE_DECLARE_NON_COPYABLE (AdviceImporter)
};
