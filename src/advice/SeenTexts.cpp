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

        if (slot.number == 0 || (slot.hashBits == hashBits && texts[slot.number - 1] == key))
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

    return insertKey (key);
}

bool SeenTexts::insertOneByteText (const juce::uint8* text, size_t length)
{
    return insertKey (std::string_view (reinterpret_cast<const char*> (text), length));
}

bool SeenTexts::insertKey (std::string_view key)
{
    const auto hash = hashOf (key);
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

    texts.emplace_back (bytes, key.size());
    slots[index] = { (juce::uint32) (hash >> 32), (juce::uint32) texts.size() };
    return true;
}

void SeenTexts::growTable()
{
    slots.assign (slots.size() * 2, {});

    for (size_t i = 0; i < texts.size(); ++i)
    {
        const auto hash = hashOf (texts[i]);
        slots[findSlot (texts[i], hash)] = { (juce::uint32) (hash >> 32), (juce::uint32) (i + 1) };
    }
}

void SeenTexts::forgetAllBut (size_t count)
{
    // Taken out latest first, each leaves the table as it was before that text came, so no probe that
    // passed over it is broken. The arena keeps the bytes until the end: this happens once a file, after a
    // quick check that could not tell.
    while (texts.size() > count)
    {
        slots[findSlot (texts.back(), hashOf (texts.back()))] = {};
        texts.pop_back();
    }
}
