#include "MainWindow.h"

#include "RemoteControl.h"
#include "presetDocument.h"

MainWindow::MainWindow()
    : juce::DocumentWindow ("VARENTO Edit ", juce::Colour (0xff104879),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
{
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
