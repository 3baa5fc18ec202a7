#pragma once
// The editor's one window.

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class presetDocument;

/** The main window: a document window with minimise and close buttons only, not resizable,
    centred, whose owned content is the main component (912 x 516). It also creates the one
    preset document once the pages exist. Closing it asks the application to quit.

    On the desktop it carries the application icon and the class "varento-edit" (the desktop entry's
    StartupWMClass), publishes its fixed size to the window manager, and takes a window manager's close
    request (WM_DELETE_WINDOW) the close button's way, also one that arrives while it is being set up
    (given the mends of LinuxDesktop, which the application makes first). */
class MainWindow : public juce::DocumentWindow
{
public:
    /** Opens the window with the main component and creates the preset document. */
    MainWindow();
    /** Deletes the preset document, then the main component with its pages and the link. */
    ~MainWindow() override;

    /** Asks the application to quit, the same road as a quit request from the system. */
    void closeButtonPressed() override;

    /** Gives each native window made for this one the desktop identity. */
    void parentHierarchyChanged() override;

private:
    /** Gives the native window the application icon and the class "varento-edit". */
    void setDesktopIdentity();

    std::unique_ptr<presetDocument> preset;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
};
