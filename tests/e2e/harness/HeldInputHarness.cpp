// The toolkit's X11 declarations (its display connection and its table of the Xlib functions it loads)
// are visible only with this set before its first inclusion.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "widgets/QueuedInputPump.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>
#include <memory>

// A window that waits for one key, held in Xlib's queue on purpose: from a timer's message, as the toolkit's
// own paints and menus do, the harness has the server send the window a key and makes a round trip, which
// takes the key in off the connection. It prints how long the key took to arrive and ends with 0 when it
// arrived within the time given, 1 when not, 2 when no key could be held. With --no-pump it runs without
// the program's pump, to show the wait the pump ends.
// Usage: HeldInputHarness [--no-pump] MILLISECONDS
namespace
{
::Display* toolkitDisplay()
{
    return juce::XWindowSystem::getInstance()->getDisplay();
}

class KeyWindow final
    : public juce::Component
    , private juce::Timer
{
public:
    explicit KeyWindow (int limitMs)
        : limit (limitMs)
    {
        setSize (200, 100);
        setOpaque (true);
        // A window the window manager leaves alone: no event of its own may wake the connection while the
        // key is held.
        addToDesktop (juce::ComponentPeer::windowIsTemporary);
        setVisible (true);
        startTimer (quietCheckMs);
    }

    bool keyPressed (const juce::KeyPress&) override
    {
        if (heldAt > 0.0 && arrivedAfterMs < 0.0)
            arrivedAfterMs = juce::Time::getMillisecondCounterHiRes() - heldAt;

        return true;
    }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::black);
        lastPaintAt = juce::Time::getMillisecondCounter();
    }

private:
    void timerCallback() override
    {
        if (heldAt == 0.0)
        {
            // Once the first paints are over, and their completions read, on a loaded machine too.
            if (lastPaintAt == 0 || juce::Time::getMillisecondCounter() - lastPaintAt < quietBeforeHoldingMs)
                return;

            stopTimer();
            holdKey();
            startTimer (limit);
            return;
        }

        stopTimer();
        report();
    }

    void holdKey()
    {
        auto* display = toolkitDisplay();
        auto* x11 = juce::X11Symbols::getInstance();
        const auto window =
            (::Window) reinterpret_cast<juce::pointer_sized_uint> (getPeer()->getNativeHandle());
        const juce::XWindowSystemUtilities::ScopedXLock lock;

        XEvent key{};
        key.xkey.type = 2; // X11's KeyPress, a name the toolkit's headers take for their own class
        key.xkey.display = display;
        key.xkey.window = window;
        key.xkey.root = x11->xRootWindow (display, x11->xDefaultScreen (display));
        key.xkey.time = CurrentTime;
        key.xkey.same_screen = True;
        key.xkey.keycode = (unsigned int) x11->xKeysymToKeycode (display, XK_a);
        x11->xSendEvent (display, window, False, NoEventMask, &key);
        // The reply comes after the key: Xlib reads both and keeps the key in its queue.
        x11->xSync (display, False);

        heldAt = juce::Time::getMillisecondCounterHiRes();
        wasHeld = x11->xEventsQueued (display, QueuedAlready) > 0;
    }

    void report()
    {
        if (!wasHeld)
        {
            std::cout << "no key could be held in the queue" << std::endl;
            juce::JUCEApplicationBase::getInstance()->setApplicationReturnValue (2);
        }
        else if (arrivedAfterMs < 0.0)
        {
            std::cout << "the held key did not arrive within " << limit << " ms" << std::endl;
            juce::JUCEApplicationBase::getInstance()->setApplicationReturnValue (1);
        }
        else
        {
            std::cout << "the held key arrived after " << juce::roundToInt (arrivedAfterMs) << " ms"
                      << std::endl;
        }

        juce::JUCEApplicationBase::quit();
    }

    static constexpr int quietCheckMs = 100;
    static constexpr juce::uint32 quietBeforeHoldingMs = 500;

    const int limit;
    juce::uint32 lastPaintAt = 0;
    double heldAt = 0.0;
    double arrivedAfterMs = -1.0;
    bool wasHeld = false;
};

class HeldInputHarness final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "HeldInputHarness"; }
    const juce::String getApplicationVersion() override { return "1"; }

    void initialise (const juce::String&) override
    {
        const auto arguments = getCommandLineParameterArray();
        window = std::make_unique<KeyWindow> (arguments[arguments.size() - 1].getIntValue());

        if (!arguments.contains ("--no-pump"))
            pump = QueuedInputPump::startIfNeeded();
    }

    void shutdown() override
    {
        pump.reset();
        window.reset();
    }

private:
    std::unique_ptr<KeyWindow> window;
    std::unique_ptr<QueuedInputPump> pump;
};
} // namespace

START_JUCE_APPLICATION (HeldInputHarness)
