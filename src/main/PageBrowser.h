#pragma once

#include <juce_core/juce_core.h>

// Opens a help page or a web address in the user's browser, the way the platform expects it.
struct PageBrowser final
{
    static void open (const juce::URL& address);
};
