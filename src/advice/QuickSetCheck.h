#pragma once

#include "advice/CardTextMeasure.h"
#include "advice/SeenTexts.h"

#include <optional>

// A check of a set file laid out exactly as the program writes it (UTF-16 little-endian, CR LF, the header's
// keys in order, each advice's three lines and a blank one), in one pass over the file a window at a time:
// the full check reads the set through the program's reader into a string per advice and finds the lines
// again, ten times the work for the sets that are by far the most common, the clean ones. It only ever
// tells that a file is clean: a file laid out in any other way, or holding anything the full check would
// report, is left to the full check.
class QuickSetCheck final
{
public:
    QuickSetCheck (CardTextMeasure& measure, SeenTexts& seenTexts);

    // The number of advice of a clean file, whose texts then count as seen; nothing, with no text counted as
    // seen, when the file is laid out otherwise or may have a problem.
    std::optional<int> countCleanAdvice (const juce::File& file);

private:
    class UnitWindow;
    struct Units;

    std::optional<int> countAdvice (const juce::File& file);
    bool readHeader (UnitWindow& window);
    bool readAdvice (Units& units);

    CardTextMeasure& measure;
    SeenTexts& seenTexts;

    JUCE_DECLARE_NON_COPYABLE (QuickSetCheck)
};
