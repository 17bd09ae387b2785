#include "base/TextScanner.h"

#include <algorithm>

TextScanner::TextScanner (const juce::String& textToScan)
    : text (textToScan)
    , bytes (text.toRawUTF8()) // a juce::String holds no zero byte, and strlen beats decoding every character
{
}

TextScanner::CachedSearch& TextScanner::cachedSearchFor (std::string_view key, bool atLineStart)
{
    for (auto& search : searches)
        if (search.atLineStart == atLineStart && (search.key.data() == key.data() || search.key == key))
            return search;

    return searches.emplace_back (CachedSearch{ key, atLineStart });
}

size_t TextScanner::find (std::string_view key, size_t from)
{
    if (from >= bytes.size())
        return npos;

    auto& search = cachedSearchFor (key, false);

    if (search.searched && from >= search.from && (search.found == npos || search.found >= from))
        return search.found;

    search.searched = true;
    search.from = from;
    search.found = bytes.find (key, from);
    return search.found;
}

bool TextScanner::startsLine (size_t position) const noexcept
{
    while (position > 0 && (bytes[position - 1] == ' ' || bytes[position - 1] == '\t'))
        --position;

    return position == 0 || bytes[position - 1] == '\n' || bytes[position - 1] == '\r';
}

size_t TextScanner::findAtLineStart (std::string_view key, size_t from)
{
    if (from >= bytes.size())
        return npos;

    auto& search = cachedSearchFor (key, true);

    if (search.searched && from >= search.from && (search.found == npos || search.found >= from))
        return search.found;

    auto found = bytes.find (key, from);

    while (found != npos && !startsLine (found))
        found = bytes.find (key, found + 1);

    search.searched = true;
    search.from = from;
    search.found = found;
    return found;
}

size_t TextScanner::endOfValue (size_t valueStart)
{
    const auto end = find (";", valueStart);
    return end == npos ? bytes.size() : end;
}

juce::String TextScanner::valueAt (size_t valueStart)
{
    return toString (view (valueStart, endOfValue (valueStart)));
}

std::string_view TextScanner::view (size_t start, size_t end) const noexcept
{
    start = std::min (start, bytes.size());
    end = std::clamp (end, start, bytes.size());
    return bytes.substr (start, end - start);
}

int TextScanner::leadingInteger (std::string_view digits) noexcept
{
    size_t i = 0;

    while (i < digits.size() && juce::CharacterFunctions::isWhitespace (digits[i]))
        ++i;

    const bool negative = i < digits.size() && digits[i] == '-';

    if (negative)
        ++i;

    unsigned int value = 0;

    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i)
        value = value * 10u + (unsigned int) (digits[i] - '0');

    if (negative)
        value = 0u - value;

    return static_cast<int> (value);
}

bool TextScanner::isBlank (std::string_view text) noexcept
{
    return std::all_of (text.begin(), text.end(),
                        [] (char c) { return juce::CharacterFunctions::isWhitespace (c); });
}

bool TextScanner::isWholeInteger (std::string_view text) noexcept
{
    const auto first = text.find_first_not_of (" \t\r\n");

    if (first == npos)
        return false;

    const auto last = text.find_last_not_of (" \t\r\n");
    auto digits = text.substr (first, last + 1 - first);

    if (digits.front() == '-')
        digits.remove_prefix (1);

    return !digits.empty() &&
           std::all_of (digits.begin(), digits.end(), [] (char c) { return c >= '0' && c <= '9'; });
}

void TextScanner::markTaken (size_t start, size_t end)
{
    if (start > takenUpTo && !isBlank (view (takenUpTo, start)))
        passedOver = true;

    takenUpTo = std::max (takenUpTo, end);
}

bool TextScanner::hasPassedOverText() const
{
    return passedOver || !isBlank (view (takenUpTo, bytes.size()));
}

juce::String TextScanner::toString (std::string_view utf8)
{
    return juce::String::fromUTF8 (utf8.data(), static_cast<int> (utf8.size()));
}
