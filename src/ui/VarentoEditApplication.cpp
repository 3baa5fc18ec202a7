#include "VarentoEditApplication.h"

#include "MainWindow.h"
#include "model/Croot.h"
#include "model/Globals.h"

VarentoEditApplication::VarentoEditApplication() = default;

VarentoEditApplication::~VarentoEditApplication()
{
    mainWindow.reset();
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
    root = std::make_unique<Croot>();
    rootCell = root.get();
    root->buildPaths();

    mainWindow = std::make_unique<MainWindow>();
}

void VarentoEditApplication::shutdown()
{
    mainWindow.reset();
    // The tree outlives every page and the link; nothing uses it after the window is gone.
    if (rootCell == root.get())
        rootCell = nullptr;
    root.reset();
}

void VarentoEditApplication::anotherInstanceStarted (const juce::String&)
{
}

void VarentoEditApplication::systemRequestedQuit()
{
    juce::MessageManager::getInstance()->stopDispatchLoop();
}
