#include "cli/TextConverter.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>

struct TextConverter::Native
{
    iconv_t handle;
};

TextConverter::TextConverter (const juce::String& encodingName)
    : native (std::make_unique<Native> (Native{ iconv_open ("UTF-8", encodingName.toRawUTF8()) }))
{
}

TextConverter::~TextConverter()
{
    if (isOpen())
        iconv_close (native->handle);
}

bool TextConverter::isOpen() const
{
    return native->handle != (iconv_t) -1;
}

bool TextConverter::convert (const char* bytes, size_t size, std::string& out) const
{
    bool valid = true;
    auto* in = const_cast<char*> (bytes);
    auto left = size;
    char buffer[4096];

    while (left > 0)
    {
        auto* next = buffer;
        auto room = sizeof (buffer);
        const auto result = iconv (native->handle, &in, &left, &next, &room);
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

juce::String TextConverter::whereNamesAreListed()
{
    return "iconv --list lists them";
}

juce::String TextConverter::getLocaleEncoding()
{
    // The locale is taken only for the encoding of characters: numbers and messages stay as they are.
    std::setlocale (LC_CTYPE, "");
    return juce::String (nl_langinfo (CODESET));
}
