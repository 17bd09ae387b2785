#include "advice/SeenTexts.h"

#include <cstring>

namespace
{
constexpr size_t firstNumSlots = 1024;
}

SeenTexts::SeenTexts()
    : slots (firstNumSlots)
{
}

juce::uint64 SeenTexts::hashOf (std::string_view key) noexcept
{
    return (juce::uint64) std::hash<std::string_view>{}(key);
}

size_t SeenTexts::findSlot (std::string_view key, juce::uint64 hash) const noexcept
{
    const auto mask = slots.size() - 1;
    const auto hashBits = (juce::uint32) (hash >> 32);

    // Linear probing: the table is never more than half full, so an empty slot comes soon.
    for (auto i = (size_t) hash & mask;; i = (i + 1) & mask)
    {
        const auto& slot = slots[i];

        if (slot.number == 0 || (slot.hashBits == hashBits && texts[slot.number - 1].key == key))
            return i;
    }
}

bool SeenTexts::insert (const juce::String& text)
{
    std::string key;
    key.reserve (text.getNumBytesAsUTF8());

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (c >= 0x100)
        {
            key.assign (1, '\0');
            key.append (text.toRawUTF8(), text.getNumBytesAsUTF8());
            break;
        }

        key.push_back ((char) c);
    }

    return insertKey (key, hashOf (key));
}

SeenTexts::Prepared SeenTexts::prepareOneByteText (const juce::uint8* text, size_t length) const noexcept
{
    const std::string_view key (reinterpret_cast<const char*> (text), length);
    const auto hash = hashOf (key);
    // Memory answers while the caller works on: a table of a large library lies far beyond the caches.
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch (slots.data() + (hash & (slots.size() - 1)));
#endif
    return { key, hash };
}

bool SeenTexts::insert (const Prepared& prepared)
{
    return insertKey (prepared.key, prepared.hash);
}

bool SeenTexts::insertKey (std::string_view key, juce::uint64 hash)
{
    auto index = findSlot (key, hash);

    if (slots[index].number != 0)
        return false;

    if (2 * (texts.size() + 1) > slots.size())
    {
        growTable();
        index = findSlot (key, hash);
    }

    // The arena never moves what it handed out, so the views stay valid.
    auto* bytes = static_cast<char*> (arena.allocate (std::max<size_t> (key.size(), 1), 1));

    if (!key.empty())
        std::memcpy (bytes, key.data(), key.size());

    texts.push_back ({ std::string_view (bytes, key.size()), hash });
    slots[index] = { (juce::uint32) (hash >> 32), (juce::uint32) texts.size() };
    return true;
}

void SeenTexts::growTable()
{
    slots.assign (slots.size() * 2, {});

    for (size_t i = 0; i < texts.size(); ++i)
        slots[findSlot (texts[i].key, texts[i].hash)] = { (juce::uint32) (texts[i].hash >> 32),
                                                          (juce::uint32) (i + 1) };
}

void SeenTexts::forgetAllBut (size_t count)
{
    // Taken out latest first, each leaves the table as it was before that text came, so no probe that
    // passed over it is broken. The arena keeps the bytes until the end: this happens once a file, after a
    // quick check that could not tell.
    while (texts.size() > count)
    {
        slots[findSlot (texts.back().key, texts.back().hash)] = {};
        texts.pop_back();
    }
}
