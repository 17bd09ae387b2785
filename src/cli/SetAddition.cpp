#include "cli/SetAddition.h"

#include "advice/DataTags.h"
#include "advice/SetConseils.h"

SetAddition::Result SetAddition::add (const juce::File& setFile, const juce::String& text,
                                      const juce::Array<int>& tags)
{
    DataTags dataTags;
    SetConseils set (&dataTags);
    set.setFileSet (setFile);
    set.loadAnyFormat (SetConseils::headerAndAdvice);

    if (!set.wasReadWhole())
        return Result::notReadWhole;

    set.addNewConseil();
    const auto index = set.getNumConseils() - 1;
    set.setDescriptionItem (index, text);

    for (const auto hash : tags)
        set.addTagToItem (index, hash);

    if (!set.isUnchangedOnDisk())
        return Result::changedMeanwhile;

    return set.saveData() ? Result::added : Result::writeFailed;
}
