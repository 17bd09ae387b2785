#include "main/PageBrowser.h"

void PageBrowser::open (const juce::URL& address)
{
    // A page of the program's own is opened by its path, as Explorer opens a file: Windows takes either,
    // while Wine's shell mistakes a "file:///Z:/..." address for a path relative to the drive's root.
    if (address.isLocalFile())
        address.getLocalFile().startAsProcess();
    else
        address.launchInDefaultBrowser();
}
