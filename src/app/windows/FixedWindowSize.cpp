#include "app/FixedWindowSize.h"

void FixedWindowSize::hold (juce::Component&)
{
    // A window the toolkit makes without resizing and without a maximise button gets neither a sizing
    // border nor a maximise box from Windows, and keeps its size: there is nothing to hold.
}
