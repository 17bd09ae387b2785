// The toolkit's X11 declarations (its display connection and its table of the Xlib functions it loads)
// are visible only with this set before its first inclusion.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "widgets/QueuedInputPump.h"

namespace
{
// An event left in the queue waits at most this long: less than a frame, unseen by whoever typed it.
constexpr int checkIntervalMs = 10;

::Display* toolkitDisplay()
{
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    return windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
}

::Window anyToolkitWindow()
{
    for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
        if (auto* peer = juce::ComponentPeer::getPeer (i))
            if (auto handle = (::Window) reinterpret_cast<juce::pointer_sized_uint> (peer->getNativeHandle()))
                return handle;

    return 0;
}
} // namespace

std::unique_ptr<QueuedInputPump> QueuedInputPump::startIfNeeded()
{
    return std::make_unique<QueuedInputPump>();
}

QueuedInputPump::QueuedInputPump()
{
    startTimer (checkIntervalMs);
}

QueuedInputPump::~QueuedInputPump()
{
    stopTimer();
}

void QueuedInputPump::timerCallback()
{
    // The connection opens with the first window, which a plugin gets only when its host shows it.
    auto* display = toolkitDisplay();

    if (display == nullptr)
        return;

    auto* x11 = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock lock;

    // Only what Xlib already holds: no reading, no round trip to the server.
    const auto queued = x11->xEventsQueued (display, QueuedAlready);

    // The toolkit's reader is not called from here: a question it may open would run its modal loop inside
    // this timer's message, and the toolkit's loop, nested so, loses track of what it has dispatched (its
    // outer loop would then miss the request to quit). A message of the program's own to one of its windows
    // makes the connection readable instead, and the reader takes everything queued, this message included,
    // from the loop that waits: the toolkit passes over messages of a type it does not know.
    if (const auto window = anyToolkitWindow(); queued > 0 && window != 0)
    {
        if (wakeUpAtom == 0)
            wakeUpAtom = (unsigned long) x11->xInternAtom (display, "_MUSEWHEELER_WAKE_UP", False);

        XEvent wakeUp{};
        wakeUp.xclient.type = ClientMessage;
        wakeUp.xclient.window = window;
        wakeUp.xclient.message_type = (Atom) wakeUpAtom;
        wakeUp.xclient.format = 32;
        x11->xSendEvent (display, window, False, NoEventMask, &wakeUp);
        x11->xFlush (display);
    }
}
