#pragma once

#include "advice/CardTextMeasure.h"
#include "advice/DataTags.h"
#include "advice/QuickSetCheck.h"
#include "advice/SeenTexts.h"
#include "advice/SetConseils.h"

#include <map>
#include <vector>

// What would go wrong in the program with a set, found by reading it as the program does: a file that is
// no set, missing keys, texts cut by ";", texts the editor would refuse, unknown or missing tags, advice
// the main screen cannot show whole, and texts repeated. Texts are remembered across checks, so that a
// text repeated in a later file or a later advice is reported there.
// What the main screen shows is measured by the CardTextMeasure given.
class SetChecker final
{
public:
    struct Problem
    {
        int line; // 1-based line of the file, or of the import source
        juce::String message;
    };

    struct FileReport
    {
        std::vector<Problem> problems; // in line order
        int numAdvice = 0;
    };

    // Files laid out as the program writes them are checked quickly first; the full reading alone serves
    // to compare the two.
    enum class Reading
    {
        quickFirst,
        fullOnly
    };

    explicit SetChecker (CardTextMeasure& measure, Reading reading = Reading::quickFirst);
    ~SetChecker();

    FileReport checkFile (const juce::File& file);

    // The problems of one advice as a set would hold it; the text counts as seen afterwards.
    juce::StringArray checkAdvice (const juce::String& text, const juce::Array<int>& tags);

    // The problems of a set's header fields.
    juce::StringArray checkHeader (const SetConseils& set);

    // The further rules of the sets shipped with the program, which stay exactly as the program's writer
    // lays them out: plain UTF-8 in the writer's layout with the advice in the reader's order; a name,
    // description and author the editor allows, without key words, and a description of some length; a
    // palette colour no other shipped set has, that rounds the same everywhere and shows on the black
    // screen; a name that its label shows unsqueezed; advice without key words, without a word wider than
    // the advice label, and that differ from every other advice in more than letter case and spacing.
    // Colours and texts are remembered across calls, as texts are by checkFile.
    juce::StringArray checkShippedFile (const juce::File& file);

private:
    juce::StringArray checkText (const juce::String& text);
    juce::StringArray checkShippedColour (juce::Colour colour, const juce::String& fileName);

    DataTags dataTags;
    CardTextMeasure& measure;
    SeenTexts seenTexts;
    QuickSetCheck quickCheck{ measure, seenTexts };
    const Reading reading;
    std::map<juce::String, juce::String> seenShippedTexts;   // letter case and spacing aside, to file names
    std::map<juce::uint32, juce::String> seenShippedColours; // to file names

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SetChecker)
};
