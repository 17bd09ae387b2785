#include "cli/AdviceImporter.h"

#include "advice/SetFileReader.h"
#include "advice/SetTextRules.h"
#include "cli/AdviceSelection.h"
#include "cli/FoldedText.h"

AdviceImporter::AdviceImporter (SetChecker& checkerToUse)
    : checker (checkerToUse)
{
}

juce::StringArray AdviceImporter::checkHeader()
{
    juce::StringArray problems;

    for (const auto& [option, value] : { std::pair (juce::String ("--name"), set.getName()),
                                         std::pair (juce::String ("--author"), set.getAuthor()),
                                         std::pair (juce::String ("--description"), set.getDescription()) })
    {
        if (value.containsChar (';'))
            problems.add (option + " cannot hold \";\", which ends every value of a set file");

        if (const auto refused = SetTextRules::findRefusedCharacter (value); refused != 0)
            problems.add (option + " holds \"" + juce::String::charToString (refused) +
                          "\", which the set editor refuses");
    }

    for (const auto& problem : checker.checkHeader (set))
        problems.add ("--name: " + problem);

    return problems;
}

juce::String AdviceImporter::checkTarget (const juce::File& target)
{
    if (!target.hasFileExtension (".mwh"))
        return "--out must name a .mwh file, the only files the program reads as sets";

    return {};
}

std::optional<juce::Array<int>> AdviceImporter::parseHashList (const juce::String& list)
{
    juce::Array<int> hashes;

    for (const auto& entry : juce::StringArray::fromTokens (list, ",", ""))
    {
        const auto hash = entry.trim();

        if (hash.isEmpty())
            continue;

        if (!hash.containsOnly ("0123456789") || hash.length() > 9)
            return std::nullopt;

        hashes.addIfNotAlreadyThere (hash.getIntValue());
    }

    return hashes;
}

std::optional<juce::Array<int>> AdviceImporter::parseTags (const juce::String& list)
{
    if (auto hashes = parseHashList (list))
        return hashes;

    juce::Array<int> hashes;

    for (const auto& name : juce::StringArray::fromTokens (list, ",;|", "\""))
    {
        if (name.trim().isEmpty())
            continue;

        const auto hash = AdviceSelection::findTag (name);

        if (hash < 0)
            return std::nullopt;

        hashes.addIfNotAlreadyThere (hash);
    }

    return hashes;
}

juce::String AdviceImporter::fixTypography (const juce::String& text)
{
    static const std::pair<const char*, const char*> replacements[] = {
        { "\xe2\x80\x98", "'" },
        { "\xe2\x80\x99", "'" },
        { "\xe2\x80\x9a", "'" },
        { "\xe2\x80\x9b", "'" },
        { "\xe2\x80\xb2", "'" },
        { "\xc2\xb4", "'" },
        { "\xc2\xab", "\"" },
        { "\xc2\xbb", "\"" },
        { "\xe2\x80\x9c", "\"" },
        { "\xe2\x80\x9d", "\"" },
        { "\xe2\x80\x9e", "\"" },
        { "\xe2\x80\x9f", "\"" },
        { "\xe2\x80\xb3", "\"" },
        { "\xe2\x80\x90", "-" },
        { "\xe2\x80\x91", "-" },
        { "\xe2\x80\x92", "-" },
        { "\xe2\x80\x93", "-" },
        { "\xe2\x80\x94", "-" },
        { "\xe2\x80\x95", "-" },
        { "\xe2\x88\x92", "-" },
        { "\xe2\x80\xa6", "..." },
        { "\xc2\xa0", " " },
        { "\xe2\x80\xaf", " " },
        { "\xe2\x80\x89", " " },
        { ";", "," },
    };

    auto fixed = text;

    for (const auto& [from, to] : replacements)
        fixed = fixed.replace (juce::String::fromUTF8 (from), juce::String::fromUTF8 (to));

    return fixed;
}

std::optional<juce::Colour> AdviceImporter::parseColour (const juce::String& text)
{
    const auto parts = juce::StringArray::fromTokens (text, ",", "");
    const auto isByte = [] (const juce::String& part)
    {
        return part.trim().isNotEmpty() && part.trim().containsOnly ("0123456789") &&
               part.trim().length() <= 3 && part.getIntValue() < 256;
    };

    if (parts.size() != 3 || !std::all_of (parts.begin(), parts.end(), isByte))
        return std::nullopt;

    return juce::Colour ((juce::uint8) parts[0].getIntValue(), (juce::uint8) parts[1].getIntValue(),
                         (juce::uint8) parts[2].getIntValue());
}

std::vector<SetChecker::Problem> AdviceImporter::addEntries (const std::vector<AdviceSource::Entry>& entries,
                                                             const juce::Array<int>& defaultTags)
{
    std::vector<SetChecker::Problem> problems;

    for (const auto& entry : entries)
    {
        if (entry.problem.isNotEmpty())
        {
            problems.push_back ({ entry.line, entry.problem });
            continue;
        }

        const auto tags =
            entry.tags.isEmpty() ? std::optional<juce::Array<int>> (defaultTags) : parseTags (entry.tags);

        if (!tags)
        {
            problems.push_back (
                { entry.line, "\"" + entry.tags + "\" is not a list of tag hashes or names" });
            continue;
        }

        const auto found = checker.checkAdvice (entry.text, *tags);

        for (const auto& problem : found)
            problems.push_back ({ entry.line, problem });

        if (!found.isEmpty())
            continue;

        set.addNewConseil();
        const auto index = set.getNumConseils() - 1;
        set.setDescriptionItem (index, entry.text);

        for (const auto hash : *tags)
            set.addTagToItem (index, hash);

        set.setFavoriteItem (index, entry.favorite);
    }

    return problems;
}

bool AdviceImporter::write (const juce::File& target)
{
    set.setFileSet (target);

    if (!set.saveData())
        return false;

    // What the reader makes of the text written, in the reader's order, must be what the file now holds.
    SetConseils expected (&dataTags), written (&dataTags);
    SetFileReader::readSetText (expected, set.createSetText(), SetConseils::headerAndAdvice);
    written.setFileSet (target);
    written.loadData (SetConseils::headerAndAdvice);
    return written.wasReadWhole() && written.hasSameAdviceAs (expected) &&
           written.getNumConseils() == set.getNumConseils();
}

juce::String AdviceImporter::makeFileName (const juce::String& name, int language)
{
    juce::String fileName (language == 0 ? "fr" : "en");
    bool wordEnded = true;
    const auto folded = FoldedText::fold (name);

    for (auto p = folded.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        {
            if (wordEnded)
                fileName << "-";

            fileName << juce::String::charToString (c);
            wordEnded = false;
        }
        else
        {
            wordEnded = true;
        }
    }

    return fileName.length() > 2 ? fileName + ".mwh" : juce::String();
}
