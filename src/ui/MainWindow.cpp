// JUCE's X11 declarations (its libX11 entry points and its display connection), for what JUCE does not
// set on the native window the way a Linux desktop needs.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "MainWindow.h"

#include "RemoteControl.h"
#include "presetDocument.h"

#include <BinaryData.h>
#include <juce_events/native/juce_linux_EventLoopInternal.h>

#include <cstdint>

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

    /** Mends JUCE's X11 layer before the first window is made; returns true, to be the base class's
        add-to-desktop argument.
        - JUCE looks the window manager's protocol names up only if they already exist on the X server. On
          a server without a window manager yet (Xvfb, or a session whose manager starts later) they do not:
          the window then offers no WM_DELETE_WINDOW and a window manager's close kills the program.
          Creating the names lets JUCE both offer the protocol and handle it (as the close button).
        - The size hints of windows that are not resizable keep their fixed size (above). */
    bool prepareNativeWindows()
    {
        using Atoms = juce::XWindowSystemUtilities::Atoms;
        auto* windowSystem = juce::XWindowSystem::getInstance();
        auto* display = windowSystem->getDisplay();
        if (display == nullptr || juceSetWMNormalHints != nullptr)
            return true;

        juce::XWindowSystemUtilities::ScopedXLock lock;
        auto& atoms = const_cast<Atoms&> (windowSystem->getAtoms());
        atoms.protocols = Atoms::getCreating (display, "WM_PROTOCOLS");
        atoms.protocolList[Atoms::TAKE_FOCUS] = Atoms::getCreating (display, "WM_TAKE_FOCUS");
        atoms.protocolList[Atoms::DELETE_WINDOW] = Atoms::getCreating (display, "WM_DELETE_WINDOW");

        auto* x11 = juce::X11Symbols::getInstance();
        juceSetWMNormalHints = x11->xSetWMNormalHints;
        x11->xSetWMNormalHints = setNormalHintsKeepingFixedSize;
        return true;
    }
}

MainWindow::MainWindow()
    : juce::DocumentWindow ("VARENTO Edit ", juce::Colour (0xff104879),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                            prepareNativeWindows())
{
    setDesktopIdentity();
    queuedEventWatch = std::make_unique<QueuedEventWatch>();

    // The main component retitles the window ("VARENTO Edit [not connected!]") and sets its icon.
    setContentOwned (new RemoteControl (this), true);
    setResizable (false, false);
    setTitleBarTextCentred (false);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);

    // Applies the built-in initial preset to the tree before the speaker sends anything.
    preset = std::make_unique<presetDocument>();
}

MainWindow::~MainWindow()
{
    preset.reset();
    clearContentComponent();
}

void MainWindow::closeButtonPressed()
{
    if (auto* app = juce::JUCEApplicationBase::getInstance())
        app->systemRequestedQuit();
}

void MainWindow::setDesktopIdentity()
{
    auto* peer = getPeer();
    if (peer == nullptr)
        return;

    // Docks, task bars and Alt+Tab show this; the title bar keeps the logo the main component sets.
    peer->setIcon (juce::ImageCache::getFromMemory (BinaryData::app_icon_256_png, BinaryData::app_icon_256_pngSize));

    // JUCE names the class after the application ("VARENTO Edit"); docks tie a window to its desktop entry
    // by its class, which is the program's file name there (packaging/varento-edit.desktop).
    if (auto* display = juce::XWindowSystem::getInstance()->getDisplay())
    {
        char name[] = "varento-edit";
        XClassHint hint { name, name };
        juce::XWindowSystemUtilities::ScopedXLock lock;
        juce::X11Symbols::getInstance()->xSetClassHint (display, nativeWindow (*peer), &hint);
    }
}
