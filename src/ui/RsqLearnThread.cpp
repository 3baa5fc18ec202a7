#include "RsqLearnThread.h"

#include "model/Croot.h"
#include "model/Globals.h"

const char* const RsqLearnThread::runningMessage = "Generating short impulses for triggering acoustic feedback...";
const char* const RsqLearnThread::completedMessage = "RSQ Learn Function completed!";

namespace
{
void launchWindow (RsqLearnThread* window)
{
    window->launchThread (juce::Thread::Priority::normal);
}

RsqLearnThread::Launcher launcher = launchWindow;

/** The learn window while one exists. */
RsqLearnThread* currentWindow = nullptr;
} // namespace

RsqLearnThread::RsqLearnThread()
    : juce::ThreadWithProgressWindow (TRANS ("RSQ Learn Function"), true, true, 10000, TRANS ("Cancel"), nullptr)
{
    currentWindow = this;
}

RsqLearnThread::~RsqLearnThread()
{
    stopThread (10000);

    if (currentWindow == this)
        currentWindow = nullptr;
}

void RsqLearnThread::run()
{
    setProgress (-1.0);
    setStatusMessage (TRANS (runningMessage));

    for (int i = 0; i < stepCount; ++i)
    {
        if (threadShouldExit())
            return;

        setProgress (i * (1.0 / stepCount));
        wait (stepMs);   // stopThread notifies, which ends the wait early
    }

    setProgress (-1.0);
    setStatusMessage (TRANS (completedMessage));
    wait (completedMs);
}

void RsqLearnThread::threadComplete (bool userPressedCancel)
{
    if (userPressedCancel && rootCell != nullptr && rootCell->rsqmode != nullptr)
    {
        auto* node = rootCell->rsqmode;
        node->mode->setIndex (0);
        node->sendOsc (node->path);
    }

    delete this;
}

void RsqLearnThread::setLauncher (Launcher newLauncher) noexcept
{
    launcher = newLauncher != nullptr ? newLauncher : launchWindow;
}

void RsqLearnThread::start()
{
    launcher (new RsqLearnThread());
}

RsqLearnThread* RsqLearnThread::current() noexcept
{
    return currentWindow;
}

void RsqLearnThread::closeCurrent()
{
    delete currentWindow;
}
