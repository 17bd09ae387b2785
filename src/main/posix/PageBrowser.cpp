#include "main/PageBrowser.h"

void PageBrowser::open (const juce::URL& address)
{
    address.launchInDefaultBrowser();
}
