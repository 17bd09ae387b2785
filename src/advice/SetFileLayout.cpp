#include "advice/SetFileLayout.h"

#include <cstring>

namespace
{
std::string_view viewOf (const juce::String& text)
{
    return text.toRawUTF8();
}

std::vector<std::string_view> viewsOf (const juce::StringArray& texts)
{
    std::vector<std::string_view> views;

    for (const auto& text : texts)
        views.push_back (viewOf (text));

    return views;
}

// The line without the white space that starts it, as juce::String::trimStart takes it off.
std::string_view trimStart (std::string_view line)
{
    // Most lines start with a key: a printable ASCII character is no white space.
    if (line.empty() || ((juce::uint8) line.front() > ' ' && (juce::uint8) line.front() < 0x80))
        return line;

    juce::CharPointer_UTF8 p (line.data());
    const juce::CharPointer_UTF8 end (line.data() + line.size());

    while (p < end && p.isWhitespace())
        ++p;

    return line.substr ((size_t) (p.getAddress() - line.data()));
}

// The text without the white space around it, as juce::String::trim takes it off.
std::string_view trim (std::string_view text)
{
    text = trimStart (text);
    juce::CharPointer_UTF8 end (text.data() + text.size());
    const juce::CharPointer_UTF8 start (text.data());

    while (end > start)
    {
        if (!(--end).isWhitespace())
        {
            ++end;
            break;
        }
    }

    return text.substr (0, (size_t) (end.getAddress() - text.data()));
}

bool startsWith (std::string_view text, std::string_view key)
{
    return text.size() >= key.size() && text.compare (0, key.size(), key) == 0;
}

juce::String toString (std::string_view utf8)
{
    return juce::String::fromUTF8 (utf8.data(), (int) utf8.size());
}
} // namespace

const SetFileLayout::Keys& SetFileLayout::keysOf (bool currentFormat)
{
    static const Keys current{
        { "Name=", "Description=", "Author=", "Language=", "Colour=" }, "Item=", { "Favorite=", "Tags=" }
    };
    static const Keys legacy{ { "Nom=", "Auteur=", juce::String::fromUTF8 ("Année="),
                                "Description=", "Language=" },
                              "Texte=",
                              { "Attributs=", "Favori=" } };
    return currentFormat ? current : legacy;
}

SetFileLayout::SetFileLayout (const juce::String& textToRead, bool isCurrentFormat)
    : text (textToRead)
    , keys (keysOf (isCurrentFormat))
    , currentFormat (isCurrentFormat)
    , headerKeys (viewsOf (keys.header))
    , followerKeys (viewsOf (keys.itemFollowers))
    , itemKey (viewOf (keys.item))
    , headerKeyLines ((size_t) keys.header.size(), 0)
    , followerFound ((size_t) keys.itemFollowers.size(), false)
{
    const std::string_view bytes (text.toRawUTF8());
    const auto* data = bytes.data();
    const auto size = bytes.size();
    int lineNumber = 1;
    size_t start = 0;

    // Lines end at LF, CR LF or a lone CR; the text after the last line end is a line too, empty or not.
    for (;; ++lineNumber)
    {
        const auto* lineFeed = static_cast<const char*> (std::memchr (data + start, '\n', size - start));
        const auto lineFeedAt = lineFeed != nullptr ? (size_t) (lineFeed - data) : size;
        const auto* carriageReturn =
            static_cast<const char*> (std::memchr (data + start, '\r', lineFeedAt - start));
        const auto end = carriageReturn != nullptr ? (size_t) (carriageReturn - data) : lineFeedAt;

        readLine (bytes.substr (start, end - start), lineNumber);

        if (end == size)
            break;

        start = end + 1;

        if (data[end] == '\r' && start < size && data[start] == '\n')
            ++start;
    }

    endRecord();

    for (int i = 0; i < keys.header.size(); ++i)
        if (headerKeyLines[(size_t) i] == 0)
            problems.push_back ({ 1, "missing \"" + keys.header[i] + "\"" });

    if (headerKeyLines.front() > 0)
        headerLine = headerKeyLines.front();

    problems.insert (problems.end(), std::make_move_iterator (itemProblems.begin()),
                     std::make_move_iterator (itemProblems.end()));
    itemProblems.clear();
}

void SetFileLayout::readLine (std::string_view line, int lineNumber)
{
    const auto trimmed = trimStart (line);

    for (size_t i = 0; i < headerKeys.size(); ++i)
        if (headerKeyLines[i] == 0 && (currentFormat ? startsWith (trimmed, headerKeys[i])
                                                     : line.find (headerKeys[i]) != std::string_view::npos))
            headerKeyLines[i] = lineNumber;

    if (startsWith (trimmed, itemKey))
    {
        readItemLine (trimmed.substr (itemKey.size()), lineNumber);
        return;
    }

    if (recordLine > 0)
        for (size_t i = 0; i < followerKeys.size(); ++i)
            if (!followerFound[i] && startsWith (trimmed, followerKeys[i]))
                followerFound[i] = true;
}

void SetFileLayout::readItemLine (std::string_view value, int lineNumber)
{
    const auto end = value.find (';');
    const auto adviceText = value.substr (0, end);
    const auto index = (int) itemLines.size();
    itemLines.push_back ({ lineNumber, -1 });

    if (const auto [found, isNew] = linesOfText.try_emplace (adviceText, index, index); !isNew)
    {
        itemLines[(size_t) found->second.second].next = index;
        found->second.second = index;
    }

    if (!currentFormat)
        return;

    endRecord();
    recordLine = lineNumber;

    if (end == std::string_view::npos)
    {
        itemProblems.push_back ({ lineNumber, "no \";\" ends the advice on its line" });
    }
    else if (const auto lost = trim (value.substr (end + 1)); !lost.empty())
    {
        itemProblems.push_back (
            { lineNumber, "the advice is cut at a \";\": \"" +
                              toString (lost.back() == ';' ? lost.substr (0, lost.size() - 1) : lost) +
                              "\" is not part of it" });
    }
}

void SetFileLayout::endRecord()
{
    if (recordLine > 0)
        for (int i = 0; i < keys.itemFollowers.size(); ++i)
            if (!followerFound[(size_t) i])
                itemProblems.push_back (
                    { recordLine, "the advice has no \"" + keys.itemFollowers[i] + "\"" });

    recordLine = 0;
    std::fill (followerFound.begin(), followerFound.end(), false);
}

int SetFileLayout::takeLineOf (std::string_view adviceText)
{
    const auto found = linesOfText.find (adviceText);

    if (found == linesOfText.end() || found->second.first < 0)
        return 1;

    const auto& itemLine = itemLines[(size_t) found->second.first];
    found->second.first = itemLine.next;
    return itemLine.line;
}
