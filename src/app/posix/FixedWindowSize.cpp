// The toolkit's X11 declarations (its display connection and its table of the Xlib functions it loads)
// are visible only with this set before its first inclusion.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "app/FixedWindowSize.h"

#include <algorithm>
#include <vector>

namespace
{
std::vector<juce::Component::SafePointer<juce::Component>>& heldWindows()
{
    static std::vector<juce::Component::SafePointer<juce::Component>> windows;
    return windows;
}

juce::X11Symbols::XSetWMNormalHints toolkitSetSizeHints = nullptr;

juce::ComponentPeer* heldPeerOf (::Window nativeWindow)
{
    for (const auto& window : heldWindows())
        if (window != nullptr)
            if (auto* peer = window->getPeer())
                if ((::Window) reinterpret_cast<juce::pointer_sized_uint> (peer->getNativeHandle()) ==
                    nativeWindow)
                    return peer;

    return nullptr;
}

// Every size hint the toolkit writes passes through here: for a held window the limits are added to
// whatever it writes, so that no placement can drop them.
void setSizeHintsOfHeldWindows (::Display* display, ::Window nativeWindow, XSizeHints* hints)
{
    if (hints != nullptr)
    {
        if (auto* peer = heldPeerOf (nativeWindow))
        {
            const auto bounds =
                juce::Desktop::getInstance().getDisplays().logicalToPhysical (peer->getBounds());
            hints->flags |= PMinSize | PMaxSize;
            hints->min_width = hints->max_width = bounds.getWidth();
            hints->min_height = hints->max_height = bounds.getHeight();
        }
    }

    toolkitSetSizeHints (display, nativeWindow, hints);
}

void writeSizeHints (juce::ComponentPeer& peer)
{
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    const auto nativeWindow = (::Window) reinterpret_cast<juce::pointer_sized_uint> (peer.getNativeHandle());

    if (display == nullptr || nativeWindow == 0)
        return;

    auto* x11 = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock lock;
    auto* hints = x11->xAllocSizeHints();

    if (hints == nullptr)
        return;

    // The position and size stay as the toolkit gave them, so that the window still opens where it was
    // placed.
    const auto bounds = juce::Desktop::getInstance().getDisplays().logicalToPhysical (peer.getBounds());
    hints->flags = USPosition | USSize;
    hints->x = bounds.getX();
    hints->y = bounds.getY();
    hints->width = bounds.getWidth();
    hints->height = bounds.getHeight();

    x11->xSetWMNormalHints (display, nativeWindow, hints);
    x11->xFree (hints);
    x11->xFlush (display);
}
} // namespace

void FixedWindowSize::hold (juce::Component& window)
{
    auto& windows = heldWindows();
    windows.erase (std::remove (windows.begin(), windows.end(), nullptr), windows.end());

    if (std::find (windows.begin(), windows.end(), &window) == windows.end())
        windows.emplace_back (&window);

    auto* x11 = juce::X11Symbols::getInstance();

    if (x11->xSetWMNormalHints != &setSizeHintsOfHeldWindows)
    {
        toolkitSetSizeHints = x11->xSetWMNormalHints;
        x11->xSetWMNormalHints = &setSizeHintsOfHeldWindows;
    }

    if (auto* peer = window.getPeer())
        writeSizeHints (*peer);
}
