#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Keeps a desktop window at the size the program gives it: its size hints carry equal minimum and
// maximum sizes, so that no window manager offers to resize or maximise it and resize requests from
// other programs leave it as it is.
//
// On Linux the toolkit does not manage this for a window that is not resizable: every time it places
// the window (when it is built and sized, at its first paint, and again at a paint after a few idle
// seconds) it writes the window's size hints anew with the position and size alone. The X11 code lies in
// posix/; on Windows the window's style already keeps its size.
namespace FixedWindowSize
{
// From now on, every size hint written for this window holds it at its size of that moment. The window
// must be on the desktop; one that goes away, or gets a new native window, is followed.
void hold (juce::Component& window);
} // namespace FixedWindowSize
