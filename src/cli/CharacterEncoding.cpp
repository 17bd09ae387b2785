#include "cli/CharacterEncoding.h"

#include "cli/TextConverter.h"

#include <cstring>

namespace
{
const juce::juce_wchar windows1252High[32] = {
    0x20ac, 0x81,   0x201a, 0x192,  0x201e, 0x2026, 0x2020, 0x2021, 0x2c6,  0x2030, 0x160,
    0x2039, 0x152,  0x8d,   0x17d,  0x8f,   0x90,   0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x2dc,  0x2122, 0x161,  0x203a, 0x153,  0x9d,   0x17e,  0x178
};

bool isUtf8OrAscii (const juce::String& codeset)
{
    const auto folded = codeset.removeCharacters ("-_").toUpperCase();
    return folded == "UTF8" || folded == "ANSIX3.41968" || folded == "ASCII" || folded.isEmpty();
}
} // namespace

CharacterEncoding::CharacterEncoding (const juce::String& iconvName)
    : name (iconvName)
{
}

std::optional<CharacterEncoding> CharacterEncoding::find (const juce::String& encodingName)
{
    if (encodingName.trim().isEmpty() || !TextConverter (encodingName.trim()).isOpen())
        return std::nullopt;

    return CharacterEncoding (encodingName.trim());
}

std::optional<CharacterEncoding> CharacterEncoding::forLocale()
{
    const auto codeset = TextConverter::getLocaleEncoding();

    if (isUtf8OrAscii (codeset))
        return std::nullopt;

    return find (codeset);
}

bool CharacterEncoding::decode (const char* bytes, size_t size, juce::String& text) const
{
    TextConverter converter (name);
    std::string utf8;
    const auto valid = converter.convert (bytes, size, utf8);
    text = juce::String::fromUTF8 (utf8.data(), (int) utf8.size());
    return valid;
}

bool CharacterEncoding::isValidUtf8 (const char* bytes, size_t size)
{
    return juce::CharPointer_UTF8::isValidString (bytes, (int) size);
}

juce::String CharacterEncoding::decodeWindows1252 (const char* bytes, size_t size)
{
    juce::String text;
    text.preallocateBytes (size * 2);

    for (size_t i = 0; i < size; ++i)
    {
        const auto byte = (juce::uint8) bytes[i];
        text += juce::String::charToString (byte >= 0x80 && byte < 0xa0 ? windows1252High[byte - 0x80]
                                                                        : (juce::juce_wchar) byte);
    }

    return text;
}

juce::String CharacterEncoding::decodeArgument (const char* argument)
{
    const auto size = std::strlen (argument);
    static const auto locale = forLocale();

    if (locale)
    {
        juce::String text;

        if (locale->decode (argument, size, text))
            return text;
    }

    if (isValidUtf8 (argument, size))
        return juce::String::fromUTF8 (argument, (int) size);

    return decodeWindows1252 (argument, size);
}
