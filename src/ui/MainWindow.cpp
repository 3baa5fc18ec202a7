#include "MainWindow.h"

#include "LinuxDesktop.h"
#include "RemoteControl.h"
#include "presetDocument.h"

#include <BinaryData.h>

MainWindow::MainWindow()
    : juce::DocumentWindow ("VARENTO Edit ", juce::Colour (0xff104879),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                            true)
{
    setDesktopIdentity();

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

    // Docks tie a window to its desktop entry by its class, which is the program's file name there
    // (packaging/varento-edit.desktop).
    LinuxDesktop::setWindowClass (*peer, "varento-edit");
}
