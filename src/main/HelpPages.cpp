#include "main/HelpPages.h"

#include "base/ProgramFolder.h"

juce::File HelpPages::getFolder()
{
    return ProgramFolder::getHelpFolder();
}

juce::File HelpPages::getPageFile (const juce::String& pageName, int language)
{
    const auto folder = language == 0 ? getFolder().getChildFile ("fr") : getFolder();
    return folder.getChildFile (pageName);
}

juce::URL HelpPages::getPageAddress (const juce::File& page)
{
    return juce::URL (juce::URL (page).toString (false).replace ("$", "%24"));
}
