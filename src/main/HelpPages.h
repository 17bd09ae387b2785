#pragma once

#include <juce_core/juce_core.h>

// The help pages shipped in "help" beside the program: English there, French in "help/fr".
class HelpPages final
{
public:
    HelpPages() = delete;

    static juce::File getFolder();

    // The page in the interface language: French for 0, English for any other value.
    static juce::File getPageFile (const juce::String& pageName, int language);

    // The page's file:// address. The toolkit hands it to /bin/sh inside double quotes, where only "$" of
    // the characters the address keeps would still mean something, so it is escaped as well.
    static juce::URL getPageAddress (const juce::File& page);
};
