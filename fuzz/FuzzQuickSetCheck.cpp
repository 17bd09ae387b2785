// A set in the program's own layout changed as the input says (units replaced, removed, repeated, the file
// cut), checked quickly first and by the full reading alone: the two reports must be the same. Starting from
// the program's layout keeps the changes where the quick check reads, which random bytes would seldom reach.
#include "advice/SetChecker.h"
#include "base/Utf16TextFile.h"

#include <cstdint>
#include <cstdlib>

namespace
{
// A measure by length alone, the same for both readings: what matters here is that they ask it alike.
struct LengthMeasure final : public CardTextMeasure
{
    bool fitsAdviceLabel (const juce::String& text) override { return text.length() <= 120; }
    bool surelyFitsAdviceLabel (const juce::uint8*, size_t length) override { return length <= 60; }
    bool fitsNameLine (const juce::String& name) override { return name.length() <= 30; }
    bool fitsAdviceLineWidth (const juce::String&) override { return true; }
    bool isPaletteColour (juce::Colour) override { return true; }
};

juce::MemoryBlock writtenSet()
{
    juce::String text (
        "MusewheelerV1 - Set file\n\nName=Fuzzed;\nDescription=Changed at random;\nAuthor=Me;\n"
        "Language=1;\nColour=10,20,30;\n\n");
    const char* const advice[] = { "Play it slow.", "Try the chorus first, then the verse: twice as long.",
                                   "Record a take with only two chords and no drums at all, then listen "
                                   "back with the lights off.",
                                   "Write (again) 100% of it!" };
    const char* const tags[] = { "0,", "1,104,", "2,205,307,", "0,1," };

    for (int i = 0; i < 4; ++i)
        text << "Item=" << juce::String::fromUTF8 (advice[i])
             << ";\nFavorite=" << (i % 2 == 0 ? "true" : "false") << ";\nTags=" << tags[i] << ";\n\n";

    return Utf16TextFile::encode (text);
}

// Units the changes put in: the layout's own characters and ones each rule refuses.
constexpr juce::uint16 units[] = { ';',  ' ',   '\r',  '\n',   0,      '=',    ',',    '0',
                                   '1',  '9',   'a',   'I',    'T',    '#',    '"',    0xe9,
                                   0xff, 0x100, 0x13b, 0x2014, 0xd800, 0xdc00, 0xfeff, '\t' };
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static LengthMeasure measure;
    static const auto original = writtenSet();
    static const auto file =
        juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("fuzzed", ".mwh");

    juce::MemoryBlock bytes (original);

    // Four input bytes a change: its kind, where (in units), and what.
    for (size_t i = 0; i + 4 <= size && bytes.getSize() >= 2; i += 4)
    {
        auto* set = static_cast<juce::uint8*> (bytes.getData());
        const auto at = 2 * (((size_t) data[i + 1] | ((size_t) data[i + 2] << 8)) % (bytes.getSize() / 2));
        const auto unit = units[data[i + 3] % std::size (units)];

        switch (data[i] % 5)
        {
            case 0:
                set[at] = (juce::uint8) (unit & 0xff);
                set[at + 1] = (juce::uint8) (unit >> 8);
                break;
            case 1:
                bytes.removeSection (at, 2);
                break;
            case 2:
            {
                const juce::MemoryBlock piece (
                    set + at, std::min (bytes.getSize() - at, (size_t) 2 * (1 + data[i + 3] % 40)));
                bytes.insert (piece.getData(), piece.getSize(), at);
                break;
            }
            case 3:
                bytes.setSize (at + (data[i + 3] & 1), false);
                break;
            default:
                set[at] = data[i + 3];
                break;
        }
    }

    if (!file.replaceWithData (bytes.getData(), bytes.getSize()))
        std::abort();

    SetChecker quickFirst (measure), fullOnly (measure, SetChecker::Reading::fullOnly);
    const auto quick = quickFirst.checkFile (file);
    const auto full = fullOnly.checkFile (file);

    if (quick.numAdvice != full.numAdvice || quick.problems.size() != full.problems.size())
        std::abort();

    for (size_t i = 0; i < quick.problems.size(); ++i)
        if (quick.problems[i].line != full.problems[i].line ||
            quick.problems[i].message != full.problems[i].message)
            std::abort();

    return 0;
}
