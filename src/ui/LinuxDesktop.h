#pragma once
// Mends for JUCE's Linux desktop layer, kept in one place.

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** What JUCE's X11 layer does not do the way a Linux desktop needs, mended from outside. The mends reach
    into JUCE's internals (its X atoms, its X11 function table, its event loop), so LinuxDesktop.cpp stops
    the build when JUCE's version is not the one they were checked against.

    The application makes one after it has found a display and before it makes its first window, and keeps
    it while any window exists. */
class LinuxDesktop
{
public:
    /** Mends JUCE's X11 layer (nothing to mend without a display) and starts the queued-event watch. */
    LinuxDesktop();
    /** Stops the queued-event watch; the mended X11 layer stays as it is. */
    ~LinuxDesktop();

    /** Gives the peer's native window the class `name` (both parts of WM_CLASS); nothing without a
        display. */
    static void setWindowClass (juce::ComponentPeer& peer, const char* name);

private:
    std::unique_ptr<juce::Timer> queuedEventWatch;

    JUCE_DECLARE_NON_COPYABLE (LinuxDesktop)
};
