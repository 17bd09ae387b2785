#include "advice/TextScanner.h"

TextScanner::TextScanner (const juce::String& textToScan)
    : text (textToScan)
    , bytes (text.toRawUTF8()) // a juce::String holds no zero byte, and strlen beats decoding every character
{
}

TextScanner::CachedSearch& TextScanner::cachedSearchFor (std::string_view key)
{
    for (auto& search : searches)
        if (search.key.data() == key.data() || search.key == key)
            return search;

    return searches.emplace_back (CachedSearch{ key });
}

size_t TextScanner::find (std::string_view key, size_t from)
{
    if (from >= bytes.size())
        return npos;

    auto& search = cachedSearchFor (key);

    if (search.searched && from >= search.from && (search.found == npos || search.found >= from))
        return search.found;

    search.searched = true;
    search.from = from;
    search.found = bytes.find (key, from);
    return search.found;
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

juce::String TextScanner::toString (std::string_view utf8)
{
    return juce::String::fromUTF8 (utf8.data(), static_cast<int> (utf8.size()));
}
