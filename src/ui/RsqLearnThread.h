#pragma once
// The progress window shown while the speaker runs its feedback learn function.

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A modal progress window ("RSQ Learn Function") that paces the user for about 34 seconds while the
    speaker, told to learn by mode 3, triggers and suppresses feedback on its own. The worker sends
    nothing; it only moves the bar in 32 steps of 1010 ms and then shows "RSQ Learn Function completed!"
    for 2 s. "Cancel" stops the worker and sends mode 0. Made with new for each run; it deletes itself in
    threadComplete.
*/
class RsqLearnThread : public juce::ThreadWithProgressWindow
{
public:
    /** The window: title "RSQ Learn Function", a progress bar and a "Cancel" button, no icon, centred on
        the screen; on cancel the worker is given up to 10000 ms to stop. */
    RsqLearnThread();

    /** Stops the worker if it still runs (up to 10000 ms) and closes the window. */
    ~RsqLearnThread() override;

    /** Number of progress steps of the worker. */
    static constexpr int stepCount = 32;
    /** Wait of each progress step, in ms. */
    static constexpr int stepMs = 1010;
    /** How long the completion message stays before the window closes, in ms. */
    static constexpr int completedMs = 2000;

    /** Status line while the worker runs. */
    static const char* const runningMessage;
    /** Status line after the last step. */
    static const char* const completedMessage;

    /** The worker: shows activity, steps the bar from 0 to 31/32 and shows the completion line.
        Returns at once when asked to stop; a pending wait ends early then. */
    void run() override;

    /** On the message thread after the worker ended: after "Cancel" sets the "rsqmode" node's mode to 0
        and sends it; then deletes this object. */
    void threadComplete (bool userPressedCancel) override;

    /** How a new learn window is shown: by default launchThread at normal priority (modal window and
        worker). Tests that run without a screen install their own. */
    using Launcher = void (*) (RsqLearnThread* window);

    /** Installs `launcher` for start(); nullptr returns to the real window. */
    static void setLauncher (Launcher launcher) noexcept;

    /** Creates a learn window and shows it through the launcher; it deletes itself when done. */
    static void start();

    /** The learn window that exists now, or null. At most one exists, since the window is modal. */
    static RsqLearnThread* current() noexcept;

    /** Closes a learn window that is still open without sending anything: the program is closing and
        the window must not outlive the tree and the link. */
    static void closeCurrent();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RsqLearnThread)
};
