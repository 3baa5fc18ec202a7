#include "MainWindow.h"

#include "LinuxDesktop.h"
#include "RemoteControl.h"
#include "presetDocument.h"

#include <BinaryData.h>

MainWindow::MainWindow()
    : juce::DocumentWindow ("VARENTO Edit ", juce::Colour (0xff104879),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                            false)
{
    // The main component retitles the window ("VARENTO Edit [not connected!]") and sets its icon.
    setContentOwned (new RemoteControl (this), true);
    setResizable (false, false);
    setTitleBarTextCentred (false);
    centreWithSize (getWidth(), getHeight());

    // The native window is made here, once, with its buttons, size and place (added by the base classes'
    // constructors, it is made, then made anew as each of them changes its style). It has its identity
    // (parentHierarchyChanged) before it is shown.
    addToDesktop();
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

void MainWindow::parentHierarchyChanged()
{
    juce::DocumentWindow::parentHierarchyChanged();

    // JUCE calls this when it has made a native window for this one (also anew, when the window's style
    // changes): the new native window needs the identity too.
    setDesktopIdentity();
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
