#pragma once

#include "base/UserFolder.h"
#include "widgets/WrappedTextBound.h"

#include <optional>

// What CardTextFit needs to tell, without loading a font, that a text surely fits the main screen's labels,
// kept in a file between runs: the widest advance of each character in the advice label's font and in the
// name label's, the advice label's line width and number of lines, and the name label's text width. A
// record holds only for the program and the fonts it was measured with: it carries their description (the
// key), and one of another key, version or shape, or with a value that is not finite and positive, is not
// read. It is written through a temporary file and a rename, so that a stopped program leaves none half
// written.
struct CardMeasureRecord final
{
    static constexpr const char* fileName = "card-text-widths";

    WrappedTextBound::Widths adviceWidths{}; // 0 for characters not measured
    float adviceLineWidth = 0.0f;
    int adviceLinesThatFit = 0;
    WrappedTextBound::Widths nameWidths{};
    float nameAreaWidth = 0.0f;

    juce::MemoryBlock toBytes (const juce::String& key) const;

    // Nothing when bytes hold no whole, undamaged record for key.
    static std::optional<CardMeasureRecord> fromBytes (const juce::MemoryBlock& bytes,
                                                       const juce::String& key);

    // Nothing when the file is missing or holds no record for key.
    static std::optional<CardMeasureRecord> read (const juce::File& file, const juce::String& key);

    // Written whole or not at all, the folder made when missing; false when it cannot be.
    bool write (const juce::File& file, const juce::String& key) const;

    // What the measure hangs on but its own code: the program (its path, size and modification time) and the
    // fonts the toolkit finds.
    static juce::String describeKey (const juce::File& program, const UserFolder::Environment& environment);

    // For the running program in the process's environment.
    static juce::String describeCurrentKey();

    // In the user's cache folder; none when there is no such folder.
    static juce::File findFile();
};
