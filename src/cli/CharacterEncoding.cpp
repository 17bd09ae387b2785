#include "cli/CharacterEncoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <vector>

namespace
{
// iconv's handle, closed with its scope.
class Converter final
{
public:
    explicit Converter (const juce::String& from)
        : handle (iconv_open ("UTF-8", from.toRawUTF8()))
    {
    }

    ~Converter()
    {
        if (isOpen())
            iconv_close (handle);
    }

    bool isOpen() const { return handle != (iconv_t) -1; }

    // Decodes bytes into UTF-8; an invalid or cut sequence becomes U+FFFD and the byte is passed over.
    bool convert (const char* bytes, size_t size, std::string& out) const
    {
        bool valid = true;
        auto* in = const_cast<char*> (bytes);
        auto left = size;
        char buffer[4096];

        while (left > 0)
        {
            auto* next = buffer;
            auto room = sizeof (buffer);
            const auto result = iconv (handle, &in, &left, &next, &room);
            out.append (buffer, (size_t) (next - buffer));

            if (result == (size_t) -1 && errno != E2BIG)
            {
                valid = false;
                out.append ("\xef\xbf\xbd");
                ++in;
                --left;
            }
        }

        return valid;
    }

private:
    iconv_t handle;

    JUCE_DECLARE_NON_COPYABLE (Converter)
};

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
    if (encodingName.trim().isEmpty() || !Converter (encodingName.trim()).isOpen())
        return std::nullopt;

    return CharacterEncoding (encodingName.trim());
}

std::optional<CharacterEncoding> CharacterEncoding::forLocale()
{
    // The locale is taken only for the encoding of characters: numbers and messages stay as they are.
    std::setlocale (LC_CTYPE, "");
    const juce::String codeset (nl_langinfo (CODESET));

    if (isUtf8OrAscii (codeset))
        return std::nullopt;

    return find (codeset);
}

bool CharacterEncoding::decode (const char* bytes, size_t size, juce::String& text) const
{
    Converter converter (name);
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
