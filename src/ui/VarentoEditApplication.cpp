#include "VarentoEditApplication.h"

#include "LinuxDesktop.h"
#include "MainWindow.h"
#include "model/Croot.h"
#include "model/Globals.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

/** Turns SIGTERM and SIGINT into a quit request on the message thread, so that the program ends the
    close button's way (the link's threads stopped, exit status 0) instead of dying at once. The handler
    only writes a byte to a pipe; the message loop watches the pipe's other end. */
class VarentoEditApplication::QuitSignals
{
public:
    explicit QuitSignals (juce::JUCEApplicationBase& app)
    {
        if (::pipe2 (pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        writeFd = pipeFds[1];
        juce::LinuxEventLoop::registerFdCallback (pipeFds[0], [&app] (int fd) {
            char bytes[16];
            while (::read (fd, bytes, sizeof bytes) > 0) {}
            app.systemRequestedQuit();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset (&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : quitSignalNumbers)
            ::sigaction (signal, &action, nullptr);
    }

    ~QuitSignals()
    {
        if (pipeFds[0] < 0)
            return;
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset (&action.sa_mask);
        for (int signal : quitSignalNumbers)
            ::sigaction (signal, &action, nullptr);
        writeFd = -1;
        juce::LinuxEventLoop::unregisterFdCallback (pipeFds[0]);
        ::close (pipeFds[0]);
        ::close (pipeFds[1]);
    }

private:
    static constexpr int quitSignalNumbers[] = { SIGTERM, SIGINT };
    static inline volatile sig_atomic_t writeFd = -1;

    static void onSignal (int)
    {
        const int savedErrno = errno;
        const char byte = 1;
        if (writeFd >= 0)
        {
            [[maybe_unused]] auto written = ::write (writeFd, &byte, 1);
        }
        errno = savedErrno;
    }

    int pipeFds[2] = { -1, -1 };

    JUCE_DECLARE_NON_COPYABLE (QuitSignals)
};

VarentoEditApplication::VarentoEditApplication() = default;

VarentoEditApplication::~VarentoEditApplication()
{
    mainWindow.reset();
    linuxDesktop.reset();
    if (root != nullptr && rootCell == root.get())
        rootCell = nullptr;
    root.reset();
}

const juce::String VarentoEditApplication::getApplicationName()
{
    return "VARENTO Edit";
}

const juce::String VarentoEditApplication::getApplicationVersion()
{
    return "1.0.2";
}

bool VarentoEditApplication::moreThanOneInstanceAllowed()
{
    return false;
}

void VarentoEditApplication::initialise (const juce::String&)
{
    // Without a display (no X server, DISPLAY unset) there is nowhere to open the window: say so and end.
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        std::fputs ("VARENTO Edit: no display to open its window on (is DISPLAY set?)\n", stderr);
        setApplicationReturnValue (1);
        quit();
        return;
    }

    quitSignals = std::make_unique<QuitSignals> (*this);

    root = std::make_unique<Croot>();
    rootCell = root.get();
    root->buildPaths();

    // JUCE's Linux desktop layer is mended before the first window exists.
    linuxDesktop = std::make_unique<LinuxDesktop>();
    mainWindow = std::make_unique<MainWindow>();
}

void VarentoEditApplication::shutdown()
{
    mainWindow.reset();
    linuxDesktop.reset();
    // The tree outlives every page and the link; nothing uses it after the window is gone.
    if (rootCell == root.get())
        rootCell = nullptr;
    root.reset();
    // Until here a signal only repeats the quit request; the default action returns now.
    quitSignals.reset();
}

void VarentoEditApplication::anotherInstanceStarted (const juce::String&)
{
}

void VarentoEditApplication::systemRequestedQuit()
{
    juce::MessageManager::getInstance()->stopDispatchLoop();
}
