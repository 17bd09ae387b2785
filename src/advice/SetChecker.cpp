#include "advice/SetChecker.h"

#include "advice/SetFileLayout.h"
#include "advice/SetFileReader.h"
#include "advice/SetTextRules.h"
#include "base/RegularFile.h"
#include "base/Utf16TextFile.h"

#include <map>

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

} // namespace

SetChecker::SetChecker (CardTextMeasure& measureToUse, Reading readingToUse)
    : measure (measureToUse)
    , reading (readingToUse)
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

    // The set is read by the program's own reader, from the same bytes whose lines tell where to report.
    const auto kind = SetFileReader::getFileKind (file);

    if (kind == SetFileReader::notASetFile)
    {
        add (1, file.hasFileExtension (".mwh")
                    ? "not a set file"
                    : "not a set file: the program reads only files ending in .mwh");
        return report;
    }

    const bool currentFormat = kind == SetFileReader::currentSetFile;

    if (currentFormat && reading == Reading::quickFirst)
    {
        if (const auto numAdvice = quickCheck.countCleanAdvice (file))
        {
            report.numAdvice = *numAdvice;
            return report;
        }
    }

    const auto& keys = SetFileLayout::keysOf (currentFormat);
    SetConseils set (&dataTags);
    set.setFileSet (file);
    juce::String text;

    {
        juce::MemoryBlock bytes;
        RegularFile::read (file, bytes);

        if (currentFormat)
        {
            bool whole = true;
            text = Utf16TextFile::decode (bytes.getData(), bytes.getSize(), whole);
            bytes.reset();
            SetFileReader::readSetText (set, text, whole, SetConseils::headerAndAdvice);
        }
        else
        {
            SetFileReader::readOldSetBytes (set, bytes, SetConseils::headerAndAdvice);
            text = legacyText (bytes);
        }
    }

    if (!currentFormat && !text.contains (keys.header[0]) && !text.contains (keys.item))
    {
        add (1, "not a set file: neither the set header nor any key of the older set format");
        return report;
    }

    SetFileLayout layout (text, currentFormat);

    for (const auto& problem : layout.getProblems())
        add (problem.line, problem.message);

    for (const auto& problem : checkHeader (set))
        add (layout.getHeaderLine(), problem);

    if (!set.wasReadWhole())
        add (1, "the program passes over part of the file (text after a zero character, or between a "
                "value's \";\" and the next key), so it will not mark favourites in it");

    report.numAdvice = set.getNumConseils();

    for (int i = 0; i < set.getNumConseils(); ++i)
    {
        const auto adviceText = set.getDescriptionItem (i);
        const auto line = layout.takeLineOf (adviceText.toRawUTF8());

        for (const auto& problem : checkAdvice (adviceText, set.getTagsItem (i)))
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

    if (text.isNotEmpty() && !seenTexts.insert (text))
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

    // One walk through the text gathers what the rules below look at.
    int length = 0;
    bool cutBySemicolon = false, doubleSpace = false;
    juce::juce_wchar refused = 0, previous = 0;

    for (auto p = text.getCharPointer(); !p.isEmpty(); ++length)
    {
        const auto c = p.getAndAdvance();
        cutBySemicolon = cutBySemicolon || c == ';';
        doubleSpace = doubleSpace || (c == ' ' && previous == ' ');

        if (refused == 0 && !SetTextRules::isAllowed (c))
            refused = c;

        previous = c;
    }

    if (cutBySemicolon)
        problems.add ("a \";\" would cut the text");
    else if (refused != 0)
        problems.add ("the text holds \"" + juce::String::charToString (refused) + "\" (U+" +
                      juce::String::toHexString ((int) refused).toUpperCase().paddedLeft ('0', 4) +
                      "), which the set editor refuses");

    // What juce::String::trim would take off, or a double space.
    if (text.getCharPointer().isWhitespace() || juce::CharacterFunctions::isWhitespace (previous) ||
        doubleSpace)
        problems.add ("the text has spaces the set editor would remove");

    if (length > SetTextRules::maximumLength)
        problems.add ("the text has " + juce::String (length) + " characters, more than the " +
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
