#include "advice/SetChecker.h"

#include "advice/HashList.h"
#include "advice/SetFileReader.h"
#include "advice/SetTextRules.h"
#include "base/RegularFile.h"
#include "base/Utf16TextFile.h"

#include <map>
#include <queue>
#include <string>
#include <unordered_map>

namespace
{
// The shortest description of a shipped set, and the least perceived brightness (0 to 1, as luma weights
// it) of a shipped set's colour, below which the colour hardly shows on the black main screen.
constexpr int minimumDescriptionLength = 20;
constexpr float minimumColourBrightness = 0.3f;

// Every key of the current format: a text holding one reads as a key to anyone editing the file by hand.
const juce::StringArray& currentFormatKeyWords()
{
    static const juce::StringArray keys{ "Name=",   "Description=", "Author=",   "Language=",
                                         "Colour=", "Item=",        "Favorite=", "Tags=" };
    return keys;
}

juce::StringArray keyWordsIn (const juce::String& text)
{
    juce::StringArray found;

    for (const auto& key : currentFormatKeyWords())
        if (text.contains (key))
            found.add ("holds the key word \"" + key + "\"");

    return found;
}

// The text in lower case with every run of white space as one space, to compare advice that differ
// only there.
juce::String normalised (const juce::String& text)
{
    return juce::StringArray::fromTokens (text.toLowerCase(), false).joinIntoString (" ");
}

juce::String describeColour (juce::Colour colour)
{
    return juce::String ((int) colour.getRed()) + "," + juce::String ((int) colour.getGreen()) + "," +
           juce::String ((int) colour.getBlue());
}

// The keys of the two formats: the header's, the one that starts each advice, and the ones that follow it.
struct FormatKeys
{
    juce::StringArray header;
    juce::String item;
    juce::StringArray itemFollowers;
};

const FormatKeys& keysOf (bool currentFormat)
{
    static const FormatKeys current{
        { "Name=", "Description=", "Author=", "Language=", "Colour=" }, "Item=", { "Favorite=", "Tags=" }
    };
    static const FormatKeys legacy{ { "Nom=", "Auteur=", juce::String::fromUTF8 ("Année="),
                                      "Description=", "Language=" },
                                    "Texte=",
                                    { "Attributs=", "Favori=" } };
    return currentFormat ? current : legacy;
}

// A legacy file's text, one character per byte translated as the legacy reader does, for finding lines.
juce::String legacyText (const juce::MemoryBlock& bytes)
{
    std::vector<juce::juce_wchar> raw;
    raw.reserve (bytes.getSize() + 1);

    for (size_t i = 0; i < bytes.getSize() && bytes[i] != 0; ++i)
        raw.push_back ((juce::uint8) bytes[i]);

    raw.push_back (0);
    return SetConseils::convertANSIToUnicode (juce::String (juce::CharPointer_UTF32 (raw.data())));
}

// Where the keys stand in the file's lines: the keys missing, and in the current format, whose records
// are one key a line, the advice cut by a ";" or missing the keys that follow them. The values themselves
// are the reader's; the lines only say where to report them.
struct Layout
{
    std::vector<SetChecker::Problem> problems;
    // Each advice text, as UTF-8 bytes, at the lines it stands on: hashed bytes, as a check of 100,000 advice
    // spent a tenth of its time comparing juce::Strings, which decode their UTF-8 to compare.
    std::unordered_map<std::string, std::queue<int>> itemLines;
    int headerLine = 1;
};

Layout readLayout (const juce::StringArray& lines, bool currentFormat)
{
    const auto& keys = keysOf (currentFormat);
    const auto startsWith = [&lines] (int line, const juce::String& key)
    { return lines[line].trimStart().startsWith (key); };
    Layout layout;
    const auto add = [&layout] (int line, const juce::String& message) {
        layout.problems.push_back ({ line, message });
    };

    for (const auto& key : keys.header)
    {
        int found = -1;

        for (int line = 0; line < lines.size() && found < 0; ++line)
            if (currentFormat ? startsWith (line, key) : lines[line].contains (key))
                found = line;

        if (found < 0)
            add (1, "missing \"" + key + "\"");
        else if (key == keys.header[0])
            layout.headerLine = found + 1;
    }

    for (int line = 0; line < lines.size(); ++line)
    {
        if (!startsWith (line, keys.item))
            continue;

        const auto value = lines[line].trimStart().substring (keys.item.length());
        layout.itemLines[value.upToFirstOccurrenceOf (";", false, false).toStdString()].push (line + 1);

        if (!currentFormat)
            continue;

        const auto end = value.indexOfChar (';');

        if (end < 0)
        {
            add (line + 1, "no \";\" ends the advice on its line");
        }
        else if (const auto lost = value.substring (end + 1).trim(); lost.isNotEmpty())
        {
            add (line + 1, "the advice is cut at a \";\": \"" +
                               (lost.endsWithChar (';') ? lost.dropLastCharacters (1) : lost) +
                               "\" is not part of it");
        }

        for (const auto& follower : keys.itemFollowers)
        {
            bool present = false;

            for (int next = line + 1; next < lines.size() && !startsWith (next, keys.item) && !present;
                 ++next)
                present = startsWith (next, follower);

            if (!present)
                add (line + 1, "the advice has no \"" + follower + "\"");
        }
    }

    return layout;
}

} // namespace

SetChecker::SetChecker (CardTextMeasure& measureToUse)
    : measure (measureToUse)
{
}

SetChecker::~SetChecker() = default;

//==============================================================================
SetChecker::FileReport SetChecker::checkFile (const juce::File& file)
{
    FileReport report;
    const auto add = [&report] (int line, const juce::String& message) {
        report.problems.push_back ({ line, message });
    };

    if (file.isDirectory())
    {
        add (1, "a folder, not a set file");
        return report;
    }

    if (!file.existsAsFile())
    {
        add (1, "no such file");
        return report;
    }

    if (file.getSize() > SetConseils::maximumFileBytes)
    {
        add (1, "too large for a set file (" + juce::File::descriptionOfSizeInBytes (file.getSize()) +
                    "; the program reads at most " +
                    juce::File::descriptionOfSizeInBytes (SetConseils::maximumFileBytes) + ")");
        return report;
    }

    // The set is read by the program's own reader; the text only tells where its lines stand.
    SetConseils set (&dataTags);
    set.setFileSet (file);
    const auto kind = set.loadAnyFormat (SetConseils::headerAndAdvice);

    if (kind == SetFileReader::notASetFile)
    {
        add (1, file.hasFileExtension (".mwh")
                    ? "not a set file"
                    : "not a set file: the program reads only files ending in .mwh");
        return report;
    }

    const bool currentFormat = kind == SetFileReader::currentSetFile;
    juce::String text;

    if (currentFormat)
    {
        text = Utf16TextFile::load (file);
    }
    else
    {
        juce::MemoryBlock bytes;
        RegularFile::read (file, bytes);
        text = legacyText (bytes);
    }

    if (!currentFormat && !text.contains (keysOf (false).header[0]) && !text.contains (keysOf (false).item))
    {
        add (1, "not a set file: neither the set header nor any key of the older set format");
        return report;
    }

    auto layout = readLayout (juce::StringArray::fromLines (text), currentFormat);
    report.problems = std::move (layout.problems);

    for (const auto& problem : checkHeader (set))
        add (layout.headerLine, problem);

    if (!set.wasReadWhole())
        add (1, "the program passes over part of the file (text after a zero character, or between a "
                "value's \";\" and the next key), so it will not mark favourites in it");

    report.numAdvice = set.getNumConseils();

    for (int i = 0; i < set.getNumConseils(); ++i)
    {
        const auto adviceText = set.getDescriptionItem (i);
        auto& found = layout.itemLines[adviceText.toStdString()];
        int line = 1;

        if (!found.empty())
        {
            line = found.front();
            found.pop();
        }

        for (const auto& problem : checkAdvice (adviceText, HashList::read (set.getHashTags (i))))
            add (line, problem);
    }

    std::stable_sort (report.problems.begin(), report.problems.end(),
                      [] (const Problem& a, const Problem& b) { return a.line < b.line; });
    return report;
}

juce::StringArray SetChecker::checkHeader (const SetConseils& set)
{
    juce::StringArray problems;

    if (set.getName().isEmpty())
        problems.add ("the set has no name");
    else if (!measure.fitsNameLine (set.getName()))
        problems.add ("the set's name does not fit the main screen's name line");

    if (set.getLanguage() != 0 && set.getLanguage() != 1)
        problems.add ("unknown language " + juce::String (set.getLanguage()) + " (0 is French, 1 English)");

    return problems;
}

juce::StringArray SetChecker::checkAdvice (const juce::String& text, const juce::Array<int>& tags)
{
    auto problems = checkText (text);

    for (const auto hash : tags)
        if (!DataTags::isValidHash (hash))
            problems.add ("unknown tag " + juce::String (hash));

    if (!tags.contains (0) && !tags.contains (1) && !tags.contains (2))
        problems.add ("no abstraction tag (0 Abstract, 1 Musewheeler or 2 Creativity)");

    if (text.isNotEmpty() && !seenTexts.insert (text).second)
        problems.add ("the same text stands earlier: \"" + text + "\"");

    return problems;
}

juce::StringArray SetChecker::checkText (const juce::String& text)
{
    juce::StringArray problems;

    if (text.isEmpty())
    {
        problems.add ("an empty advice");
        return problems;
    }

    if (text.containsChar (';'))
        problems.add ("a \";\" would cut the text");
    else if (const auto refused = SetTextRules::findRefusedCharacter (text); refused != 0)
        problems.add ("the text holds \"" + juce::String::charToString (refused) + "\" (U+" +
                      juce::String::toHexString ((int) refused).toUpperCase().paddedLeft ('0', 4) +
                      "), which the set editor refuses");

    if (text != text.trim() || text.contains ("  "))
        problems.add ("the text has spaces the set editor would remove");

    if (text.length() > SetTextRules::maximumLength)
        problems.add ("the text has " + juce::String (text.length()) + " characters, more than the " +
                      juce::String (SetTextRules::maximumLength) + " the set editor takes");
    else if (!measure.fitsAdviceLabel (text))
        problems.add ("the text does not fit the main screen's advice label");

    return problems;
}

//==============================================================================
juce::StringArray SetChecker::checkShippedFile (const juce::File& file)
{
    juce::StringArray problems;
    juce::MemoryBlock bytes;

    if (!RegularFile::read (file, bytes))
    {
        problems.add ("the file cannot be read");
        return problems;
    }

    const auto* data = static_cast<const juce::uint8*> (bytes.getData());
    const auto size = bytes.getSize();

    if (size >= 2 && ((data[0] == 0xff && data[1] == 0xfe) || (data[0] == 0xfe && data[1] == 0xff)))
        problems.add ("stored as UTF-16, not plain UTF-8");
    else if (size >= 3 && data[0] == 0xef && data[1] == 0xbb && data[2] == 0xbf)
        problems.add ("starts with a byte order mark, not plain UTF-8");
    else if (!juce::CharPointer_UTF8::isValidString (static_cast<const char*> (bytes.getData()), (int) size))
        problems.add ("not valid UTF-8");

    SetConseils set (&dataTags);
    set.setFileSet (file);
    set.loadData (SetConseils::headerAndAdvice);

    const auto written = set.createSetText();

    if (bytes != juce::MemoryBlock (written.toRawUTF8(), written.getNumBytesAsUTF8()))
        problems.add ("not laid out as the program's writer lays out the set it reads, advice in its order");

    const std::pair<const char*, juce::String> headerTexts[] = { { "name", set.getName() },
                                                                 { "description", set.getDescription() },
                                                                 { "author", set.getAuthor() } };

    for (const auto& [field, text] : headerTexts)
    {
        auto fieldProblems = keyWordsIn (text);

        if (const auto refused = SetTextRules::findRefusedCharacter (text); refused != 0)
            fieldProblems.add ("holds \"" + juce::String::charToString (refused) +
                               "\", which the set editor refuses");

        if (text != text.trim() || text.contains ("  "))
            fieldProblems.add ("has spaces the set editor would remove");

        for (const auto& problem : fieldProblems)
            problems.add ("the set's " + juce::String (field) + " " + problem);
    }

    if (set.getDescription().trim().length() < minimumDescriptionLength)
        problems.add ("the set's description is missing or shorter than " +
                      juce::String (minimumDescriptionLength) + " characters");

    if (!measure.fitsNameLine (set.getName()))
        problems.add ("the set's name is squeezed to fit the main screen's name label");

    problems.addArray (checkShippedColour (set.getColourSet(), file.getFileName()));

    for (int i = 0; i < set.getNumConseils(); ++i)
    {
        const auto text = set.getDescriptionItem (i);
        const auto where = "\"" + text.substring (0, 50) + "\": ";

        for (const auto& problem : keyWordsIn (text))
            problems.add (where + "the text " + problem);

        for (const auto& word : juce::StringArray::fromTokens (text, false))
            if (!measure.fitsAdviceLineWidth (word))
                problems.add (where + "the word \"" + word + "\" is wider than the advice label");

        const auto [earlier, isNew] = seenShippedTexts.emplace (normalised (text), file.getFileName());

        if (!isNew)
            problems.add (where + "the same text, letter case and spacing aside, stands in " +
                          earlier->second);
    }

    return problems;
}

juce::StringArray SetChecker::checkShippedColour (juce::Colour colour, const juce::String& fileName)
{
    juce::StringArray problems;
    if (!measure.isPaletteColour (colour))
    {
        problems.add ("the colour " + describeColour (colour) + " is not in the colour selector's palette");
        return problems;
    }

    const auto [earlier, isNew] = seenShippedColours.emplace (colour.getARGB(), fileName);

    if (!isNew)
        problems.add ("the colour " + describeColour (colour) + " is already the colour of " +
                      earlier->second);

    // The hues a quarter and three quarters round the circle have a component half-way between two byte
    // values, which the toolkit's hue conversion has rounded differently across versions.
    for (const auto component : { colour.getRed(), colour.getGreen(), colour.getBlue() })
        if (component == 0x7f || component == 0x80)
            problems.add ("the colour " + describeColour (colour) +
                          " has a component half-way between two byte values");

    const auto brightness =
        0.299f * colour.getFloatRed() + 0.587f * colour.getFloatGreen() + 0.114f * colour.getFloatBlue();

    if (brightness < minimumColourBrightness)
        problems.add ("the colour " + describeColour (colour) + " is too dark on the black main screen");

    return problems;
}
