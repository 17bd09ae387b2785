#pragma once

#include <juce_core/juce_core.h>

#include <memory_resource>
#include <string_view>
#include <vector>

// The advice texts a check has met, each kept as a key of bytes: its characters one byte each when all lie
// below U+0100, as the quick check reads them, else a zero byte (which no text holds) and its UTF-8.
// A check of a large set meets a hundred thousand of them: their bytes go to one growing arena, and an
// open-addressing table holds a part of each text's hash beside its number, so that a lookup costs one cache
// line where the library's node-based set cost a scattered node per text (a third of such a check's time, its
// freeing included).
class SeenTexts final
{
public:
    SeenTexts();

    // Whether the text was new; it counts as seen from now on.
    bool insert (const juce::String& text);
    // The same for a text whose characters all lie below U+0100, given one byte each, in two steps: the
    // text's key hashed and its place in the table asked of memory, then, after other work, inserted. The
    // text must stay where it is until then.
    struct Prepared
    {
        std::string_view key;
        juce::uint64 hash;
    };

    Prepared prepareOneByteText (const juce::uint8* text, size_t length) const noexcept;
    bool insert (const Prepared& prepared);

    // How many texts were met, and the means to forget the later ones again.
    size_t size() const noexcept { return texts.size(); }
    void forgetAllBut (size_t count);

private:
    struct Slot
    {
        juce::uint32 hashBits = 0;
        juce::uint32 number = 0; // 1 + the text's index in texts; 0 for an empty slot
    };

    bool insertKey (std::string_view key, juce::uint64 hash);
    static juce::uint64 hashOf (std::string_view key) noexcept;

    // The slot holding the key, or the empty slot where it would go.
    size_t findSlot (std::string_view key, juce::uint64 hash) const noexcept;
    void growTable();

    std::pmr::monotonic_buffer_resource arena;
    struct Text
    {
        std::string_view key; // its bytes in the arena
        juce::uint64 hash;    // kept, so that a larger table is filled without hashing every text again
    };

    std::vector<Text> texts; // in the order met
    std::vector<Slot> slots; // a power of two of them, at most half used

    JUCE_DECLARE_NON_COPYABLE (SeenTexts)
};
