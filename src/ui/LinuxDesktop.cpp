// JUCE's X11 declarations (its libX11 entry points and its display connection).
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "LinuxDesktop.h"

#include <juce_events/native/juce_linux_EventLoopInternal.h>

#include <cstdint>
#include <string>

// Everything below depends on how JUCE's X11 layer works inside: after a JUCE upgrade, check each mend
// again (is it still needed, does it still work), then name the new version here.
static_assert (JUCE_MAJOR_VERSION == 7 && JUCE_MINOR_VERSION == 0 && JUCE_BUILDNUMBER == 5,
               "src/ui/LinuxDesktop.cpp mends JUCE 7.0.5's X11 internals: re-check its work-arounds "
               "against this JUCE version, then update this check");

namespace
{
    ::Window nativeWindow (const juce::ComponentPeer& peer)
    {
        return (::Window) reinterpret_cast<std::uintptr_t> (peer.getNativeHandle());
    }

    juce::X11Symbols::XSetWMNormalHints juceSetWMNormalHints = nullptr;

    /** JUCE writes minimum = maximum size hints for a window that is not resizable, but then overwrites
        them with the position and size alone each time it places the window (and again on its first paint
        after an idle spell), so a window manager may maximise, tile or resize it. Every write of a size for
        such a window keeps minimum = maximum = that size here. */
    void setNormalHintsKeepingFixedSize (::Display* display, ::Window window, XSizeHints* hints)
    {
        if (hints != nullptr && (hints->flags & USSize) != 0)
        {
            for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
            {
                auto* peer = juce::ComponentPeer::getPeer (i);
                if (nativeWindow (*peer) == window
                    && (peer->getStyleFlags() & juce::ComponentPeer::windowIsResizable) == 0)
                {
                    hints->flags |= PMinSize | PMaxSize;
                    hints->min_width = hints->max_width = hints->width;
                    hints->min_height = hints->max_height = hints->height;
                }
            }
        }
        juceSetWMNormalHints (display, window, hints);
    }

    /** Xlib reads events from the server into its own queue whenever it flushes or waits for an answer
        (setting a window up does so many times). JUCE's event loop drains that queue only when the
        connection has new data, so an event read that way (an expose, a window manager's close request)
        would wait for the next unrelated one, or for ever on a quiet desktop. This watch finds such a
        queue and runs JUCE's own handler of the connection, which drains it. */
    class QueuedEventWatch : public juce::Timer
    {
    public:
        QueuedEventWatch() { startTimer (100); }

    private:
        void timerCallback() override
        {
            auto* display = juce::XWindowSystem::getInstance()->getDisplay();
            if (display == nullptr)
                return;

            auto* x11 = juce::X11Symbols::getInstance();
            int connection = -1;
            {
                juce::XWindowSystemUtilities::ScopedXLock lock;
                if (x11->xEventsQueued (display, QueuedAlready) > 0)
                    connection = x11->xConnectionNumber (display);
            }

            if (connection >= 0)
                juce::LinuxEventLoopInternal::invokeEventLoopCallbackForFd (connection);
        }
    };

    /** Mends JUCE's X11 layer before the first window is made (once):
        - JUCE looks the window manager's protocol names up only if they already exist on the X server. On
          a server without a window manager yet (Xvfb, or a session whose manager starts later) they do not:
          a window then offers no WM_DELETE_WINDOW and a window manager's close kills the program.
          Creating the names lets JUCE both offer the protocol and handle it (as the close button).
        - The size hints of windows that are not resizable keep their fixed size (above). */
    void prepareNativeWindows()
    {
        using Atoms = juce::XWindowSystemUtilities::Atoms;
        auto* windowSystem = juce::XWindowSystem::getInstance();
        auto* display = windowSystem->getDisplay();
        if (display == nullptr || juceSetWMNormalHints != nullptr)
            return;

        juce::XWindowSystemUtilities::ScopedXLock lock;
        auto& atoms = const_cast<Atoms&> (windowSystem->getAtoms());
        atoms.protocols = Atoms::getCreating (display, "WM_PROTOCOLS");
        atoms.protocolList[Atoms::TAKE_FOCUS] = Atoms::getCreating (display, "WM_TAKE_FOCUS");
        atoms.protocolList[Atoms::DELETE_WINDOW] = Atoms::getCreating (display, "WM_DELETE_WINDOW");

        auto* x11 = juce::X11Symbols::getInstance();
        juceSetWMNormalHints = x11->xSetWMNormalHints;
        x11->xSetWMNormalHints = setNormalHintsKeepingFixedSize;
    }
}

LinuxDesktop::LinuxDesktop()
{
    prepareNativeWindows();
    queuedEventWatch = std::make_unique<QueuedEventWatch>();
}

LinuxDesktop::~LinuxDesktop() = default;

void LinuxDesktop::setWindowClass (juce::ComponentPeer& peer, const char* name)
{
    // JUCE names the class after the application and offers no way to change it.
    if (auto* display = juce::XWindowSystem::getInstance()->getDisplay())
    {
        std::string text (name);
        XClassHint hint { text.data(), text.data() };
        juce::XWindowSystemUtilities::ScopedXLock lock;
        juce::X11Symbols::getInstance()->xSetClassHint (display, nativeWindow (peer), &hint);
    }
}
