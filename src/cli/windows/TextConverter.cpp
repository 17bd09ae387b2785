#include "cli/TextConverter.h"

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <map>
#include <vector>

namespace
{
constexpr UINT noCodePage = 0;

// Names folded to capitals without "-", "_" or spaces, so that "iso_8859-3" and "ISO-8859-3" meet.
juce::String fold (const juce::String& name)
{
    return name.removeCharacters ("-_ ").toUpperCase();
}

// The code page of an encoding named as iconv names it: the ISO 8859 parts, the Windows, DOS and IBM code
// pages by number ("cp1252", "Windows-1250", "IBM850") and the usual names of the others.
UINT codePageOf (const juce::String& encodingName)
{
    static const std::map<juce::String, UINT> named{
        { "UTF8", CP_UTF8 },    { "ASCII", 20127 },    { "USASCII", 20127 }, { "ANSIX3.41968", 20127 },
        { "LATIN1", 28591 },    { "L1", 28591 },       { "LATIN2", 28592 },  { "L2", 28592 },
        { "LATIN3", 28593 },    { "L3", 28593 },       { "LATIN4", 28594 },  { "L4", 28594 },
        { "CYRILLIC", 28595 },  { "ARABIC", 28596 },   { "GREEK", 28597 },   { "HEBREW", 28598 },
        { "LATIN5", 28599 },    { "L5", 28599 },       { "LATIN7", 28603 },  { "L7", 28603 },
        { "LATIN9", 28605 },    { "L9", 28605 },       { "KOI8R", 20866 },   { "KOI8U", 21866 },
        { "SHIFTJIS", 932 },    { "SJIS", 932 },       { "EUCJP", 20932 },   { "GB2312", 936 },
        { "GBK", 936 },         { "GB18030", 54936 },  { "BIG5", 950 },      { "EUCKR", 949 },
        { "MACINTOSH", 10000 }, { "MACROMAN", 10000 }, { "MAC", 10000 },
    };
    static const std::map<int, UINT> iso8859{ { 1, 28591 }, { 2, 28592 }, { 3, 28593 },  { 4, 28594 },
                                              { 5, 28595 }, { 6, 28596 }, { 7, 28597 },  { 8, 28598 },
                                              { 9, 28599 }, { 11, 874 },  { 13, 28603 }, { 15, 28605 } };

    const auto folded = fold (encodingName);

    if (const auto found = named.find (folded); found != named.end())
        return found->second;

    if (folded.startsWith ("ISO8859") && folded.length() > 7 &&
        folded.substring (7).containsOnly ("0123456789"))
    {
        const auto found = iso8859.find (folded.substring (7).getIntValue());
        return found != iso8859.end() ? found->second : noCodePage;
    }

    for (const auto* prefix : { "WINDOWS", "CP", "IBM", "MS" })
    {
        const auto number = folded.fromFirstOccurrenceOf (prefix, false, false);

        if (folded.startsWith (prefix) && number.isNotEmpty() && number.containsOnly ("0123456789"))
            return (UINT) number.getIntValue();
    }

    return noCodePage;
}

// The characters the code page's bytes stand for, or nothing when some are no character of it: an error
// for the code pages that report one, a private-use character for the single-byte ones that map their
// unassigned bytes there, or bytes that do not come back the same from the characters.
bool decodeStrictly (UINT codePage, const char* bytes, int size, std::wstring& characters)
{
    const auto length = MultiByteToWideChar (codePage, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);

    if (length <= 0)
        return false;

    characters.assign ((size_t) length, L'\0');
    MultiByteToWideChar (codePage, MB_ERR_INVALID_CHARS, bytes, size, characters.data(), length);

    for (const auto c : characters)
        if (c >= 0xe000 && c <= 0xf8ff)
            return false;

    if (codePage == CP_UTF8)
        return true;

    const auto backLength = WideCharToMultiByte (codePage, WC_NO_BEST_FIT_CHARS, characters.data(), length,
                                                 nullptr, 0, nullptr, nullptr);
    std::string back ((size_t) juce::jmax (0, backLength), '\0');
    WideCharToMultiByte (codePage, WC_NO_BEST_FIT_CHARS, characters.data(), length, back.data(), backLength,
                         nullptr, nullptr);
    return back == std::string (bytes, (size_t) size);
}

void appendUtf8 (const std::wstring& characters, std::string& out)
{
    out += juce::String (characters.data(), characters.size()).toStdString();
}
} // namespace

struct TextConverter::Native
{
    UINT codePage;
};

TextConverter::TextConverter (const juce::String& encodingName)
    : native (std::make_unique<Native> (Native{ codePageOf (encodingName) }))
{
    if (native->codePage != noCodePage && IsValidCodePage (native->codePage) == 0)
        native->codePage = noCodePage;
}

TextConverter::~TextConverter() = default;

bool TextConverter::isOpen() const
{
    return native->codePage != noCodePage;
}

bool TextConverter::convert (const char* bytes, size_t size, std::string& out) const
{
    std::wstring characters;

    if (size == 0 || decodeStrictly (native->codePage, bytes, (int) size, characters))
    {
        appendUtf8 (characters, out);
        return true;
    }

    // Character by character: the shortest run of bytes that makes one, else U+FFFD for the first byte.
    CPINFO info{};
    const auto longest = GetCPInfo (native->codePage, &info) != 0 ? (size_t) info.MaxCharSize : (size_t) 4;
    bool valid = true;

    for (size_t start = 0; start < size;)
    {
        size_t taken = 0;

        for (size_t length = 1; length <= longest && start + length <= size && taken == 0; ++length)
            if (decodeStrictly (native->codePage, bytes + start, (int) length, characters))
                taken = length;

        if (taken > 0)
        {
            appendUtf8 (characters, out);
            start += taken;
        }
        else
        {
            valid = false;
            out.append ("\xef\xbf\xbd");
            ++start;
        }
    }

    return valid;
}

juce::String TextConverter::whereNamesAreListed()
{
    return "the ISO-8859 parts, the code pages as CP and their number, KOI8-R, Shift_JIS, GBK, Big5...";
}

juce::String TextConverter::getLocaleEncoding()
{
    // The system's ANSI code page, in which programs that read their arguments as bytes receive them.
    return "CP" + juce::String ((int) GetACP());
}
