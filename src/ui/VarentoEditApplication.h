#pragma once
// The application object: name, version, single instance, start-up and shutdown.

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class Croot;
class LinuxDesktop;
class MainWindow;

/** The editor's application object ("VARENTO Edit", version "1.0.2", one instance only).
    Start-up builds the parameter tree and opens the main window; shutdown deletes the window,
    which stops the link's threads. SIGTERM and SIGINT ask it to quit like the close button. */
class VarentoEditApplication : public juce::JUCEApplication
{
public:
    VarentoEditApplication();
    ~VarentoEditApplication() override;

    /** "VARENTO Edit". */
    const juce::String getApplicationName() override;
    /** "1.0.2". */
    const juce::String getApplicationVersion() override;
    /** False: a second launch hands over to the running instance and exits. */
    bool moreThanOneInstanceAllowed() override;

    /** Builds the tree, stores it in `rootCell`, computes every node's address, mends JUCE's Linux
        desktop layer (LinuxDesktop) and opens the window. */
    void initialise (const juce::String& commandLine) override;
    /** Deletes the main window. */
    void shutdown() override;
    /** A second launch: nothing changes here. */
    void anotherInstanceStarted (const juce::String& commandLine) override;
    /** Ends the message loop (the close button, a window manager's close, SIGTERM and SIGINT all come
        here). */
    void systemRequestedQuit() override;

private:
    class QuitSignals;

    std::unique_ptr<QuitSignals> quitSignals;
    std::unique_ptr<Croot> root;
    std::unique_ptr<LinuxDesktop> linuxDesktop;
    std::unique_ptr<MainWindow> mainWindow;
};
