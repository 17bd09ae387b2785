#pragma once

#include <juce_core/juce_core.h>

#include <string_view>
#include <unordered_map>
#include <vector>

// Where the keys stand in a set file's lines, found in one pass over its text: the keys missing, and in the
// current format, whose records are one key a line, the advice cut by a ";" or missing the keys that follow
// them. The values themselves are the reader's; the lines only say where to report them. A line is what
// juce::StringArray::fromLines makes of the text (ended by LF, CR LF or CR), a key counts after the white
// space that starts its line, and a legacy header key anywhere in its line.
class SetFileLayout final
{
public:
    // The keys of a format: the header's, the one that starts each advice, and the ones that follow it.
    struct Keys
    {
        juce::StringArray header;
        juce::String item;
        juce::StringArray itemFollowers;
    };

    static const Keys& keysOf (bool currentFormat);

    struct Problem
    {
        int line;
        juce::String message;
    };

    // Reads the layout of text, which it keeps (a shared copy, no bytes copied), as its lines point into it.
    SetFileLayout (const juce::String& text, bool currentFormat);

    // In line order for each kind: the header keys missing first, then each advice's.
    const std::vector<Problem>& getProblems() const { return problems; }

    // The line of the set's name.
    int getHeaderLine() const { return headerLine; }

    // The first line not yet taken that holds an advice with this text (its UTF-8 bytes), or 1 when none
    // does: advice repeated in a file are given their lines in order.
    int takeLineOf (std::string_view adviceText);

private:
    void readLine (std::string_view line, int lineNumber);
    void readItemLine (std::string_view value, int lineNumber);
    void endRecord();

    struct ItemLine
    {
        int line;
        int next; // the next line holding the same text, as an index into itemLines, or -1
    };

    const juce::String text;
    const Keys& keys;
    const bool currentFormat;
    // The keys' UTF-8 bytes, as the lines are compared bytewise.
    std::vector<std::string_view> headerKeys, followerKeys;
    std::string_view itemKey;
    std::vector<Problem> problems, itemProblems;
    std::vector<int> headerKeyLines; // per header key, 0 until found
    int headerLine = 1;

    // The record being read: its line and which of the following keys it holds.
    int recordLine = 0;
    std::vector<bool> followerFound;

    std::vector<ItemLine> itemLines;
    // Each text's first and last line not taken yet, as indices into itemLines.
    std::unordered_map<std::string_view, std::pair<int, int>> linesOfText;

    JUCE_DECLARE_NON_COPYABLE (SetFileLayout)
};
