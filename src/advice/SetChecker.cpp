#include "advice/SetChecker.h"

#include "advice/LibSetsConseils.h"
#include "advice/Utf16TextFile.h"
#include "widgets/SpecialLabel.h"

#include <map>
#include <queue>

namespace
{
// The main screen's advice label (300 x 96, wrapped, never squeezed) and its set-name line.
constexpr int adviceLabelWidth = 300, adviceLabelHeight = 96;
constexpr float programFontHeight = 16.0f;
constexpr float nameLineWidth = 296.0f;

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
    static const FormatKeys legacy{ { "Nom=", "Auteur=",
                                      juce::String::fromUTF8 ("Ann\xc3\xa9"
                                                              "e="),
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
    std::map<juce::String, std::queue<int>> itemLines; // each advice text, at the lines it stands on
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
        layout.itemLines[value.upToFirstOccurrenceOf (";", false, false)].push (line + 1);

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

// Measures with the program's look-and-feel as the default one, as fonts find their typeface through it.
struct ScopedDefaultLookAndFeel
{
    explicit ScopedDefaultLookAndFeel (juce::LookAndFeel& lookAndFeel)
        : previous (juce::LookAndFeel::getDefaultLookAndFeel())
    {
        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
    }

    ~ScopedDefaultLookAndFeel() { juce::LookAndFeel::setDefaultLookAndFeel (&previous); }

    juce::LookAndFeel& previous;
};
} // namespace

SetChecker::SetChecker()
{
    adviceLabel.setBounds (0, 0, adviceLabelWidth, adviceLabelHeight);
    adviceLabel.setJustificationType (juce::Justification::centred);
    adviceLabel.setMinimumHorizontalScale (1.0f);
    adviceLabel.setFont (CustomLookAndFeel::programFont (programFontHeight, juce::Font::plain));
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

    const auto kind = LibSetsConseils::isThisFileAValidSet (file);

    if (kind == 0)
    {
        add (1, file.hasFileExtension (".mwh")
                    ? "not a set file"
                    : "not a set file: the program reads only files ending in .mwh");
        return report;
    }

    const bool currentFormat = kind == 2;
    SetConseils set (&dataTags);
    set.setFileSet (file);
    juce::String text;

    if (currentFormat)
    {
        text = Utf16TextFile::load (file);
        set.readSetText (text, 2);
    }
    else
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        text = legacyText (bytes);
        set.readOldSetBytes (bytes, 2);
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

    report.numAdvice = set.getNumConseils();

    for (int i = 0; i < set.getNumConseils(); ++i)
    {
        const auto adviceText = set.getDescriptionItem (i);
        auto& found = layout.itemLines[adviceText];
        int line = 1;

        if (!found.empty())
        {
            line = found.front();
            found.pop();
        }

        juce::Array<int> tags;

        for (const auto& hash : juce::StringArray::fromTokens (set.getHashTags (i), ",", ""))
            if (hash.isNotEmpty())
                tags.add (hash.getIntValue());

        for (const auto& problem : checkAdvice (adviceText, tags))
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
    else if (!fitsNameLine (set.getName()))
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
    else if (const auto refused = findRefusedCharacter (text); refused != 0)
        problems.add ("the text holds \"" + juce::String::charToString (refused) + "\" (U+" +
                      juce::String::toHexString ((int) refused).toUpperCase().paddedLeft ('0', 4) +
                      "), which the set editor refuses");

    if (text != text.trim() || text.contains ("  "))
        problems.add ("the text has spaces the set editor would remove");

    if (text.length() > SpecialLabel::maximumLength)
        problems.add ("the text has " + juce::String (text.length()) + " characters, more than the " +
                      juce::String (SpecialLabel::maximumLength) + " the set editor takes");
    else if (!fitsAdviceLabel (text))
        problems.add ("the text does not fit the main screen's advice label");

    return problems;
}

//==============================================================================
bool SetChecker::fitsAdviceLabel (const juce::String& text)
{
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    adviceLabel.setText (text, juce::dontSendNotification);
    const auto box =
        CustomLookAndFeel::layOutWrappedText (adviceLabel, lookAndFeel.getLabelFont (adviceLabel))
            .getBoundingBox (0, -1, false);
    return box.getX() >= 0.0f && box.getY() >= 0.0f && box.getRight() <= (float) adviceLabelWidth &&
           box.getBottom() <= (float) adviceLabelHeight;
}

bool SetChecker::fitsNameLine (const juce::String& name)
{
    const ScopedDefaultLookAndFeel scopedLookAndFeel (lookAndFeel);
    return CustomLookAndFeel::programFont (programFontHeight, juce::Font::bold).getStringWidthFloat (name) <=
           nameLineWidth;
}

juce::juce_wchar SetChecker::findRefusedCharacter (const juce::String& text)
{
    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (!SpecialLabel::allowedCharacters.containsChar (c))
            return c;
    }

    return 0;
}
