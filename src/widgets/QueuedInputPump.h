#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// On Linux the toolkit reads the X server's events when its connection to the server has data. Some of its
// own calls made between two such readings (a paint waiting for its shared-memory image, a menu looking at
// the pointer) take in what the server sent meanwhile and leave it in Xlib's queue, off the connection: a
// key or a click then waits there until something else arrives, seconds later on a still screen (a release
// of Control held back so leaves Control down for the keys after it). This hands such events to the toolkit
// within a few milliseconds. Windows has no such queue: nothing is made there.
class QueuedInputPump final : private juce::Timer
{
public:
    // A running pump on Linux, none on Windows.
    static std::unique_ptr<QueuedInputPump> startIfNeeded();

    QueuedInputPump();
    ~QueuedInputPump() override;

private:
    // Has the toolkit read the events Xlib holds, if any.
    void timerCallback() override;

    unsigned long wakeUpAtom = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QueuedInputPump)
};
