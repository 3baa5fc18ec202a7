#pragma once
// The one seam for modal and asynchronous message boxes, the OK/Cancel question and the file choosers.

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Every box and file chooser the editor shows goes through the current Dialogs object. The program
    uses the default one, which shows JUCE's real dialogs; tests install their own with scripted
    answers through Dialogs::setCurrent. */
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /** What a file chooser returned. */
    struct FileChoice
    {
        /** The user cancelled the dialog. */
        bool cancelled = true;
        /** The chosen file; juce::File() when the dialog returned no file. */
        juce::File file;
    };

    /** A modal box with one button; returns when it is closed. An empty button text uses the
        framework's default button. */
    virtual void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title,
                                 const juce::String& message, const juce::String& buttonText);

    /** A box with one button that does not block; `onClosed` (may be empty) runs when it is closed. */
    virtual void showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title,
                                      const juce::String& message, const juce::String& buttonText,
                                      std::function<void()> onClosed);

    /** A modal question with two buttons; true when the first (OK) button was pressed. */
    virtual bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title,
                              const juce::String& message, const juce::String& okText,
                              const juce::String& cancelText);

    /** A modal save dialog (warns before an existing file is overwritten). */
    virtual FileChoice chooseFileToSave (const juce::String& title, const juce::File& initialFile,
                                         const juce::String& pattern);

    /** A modal open dialog. */
    virtual FileChoice chooseFileToOpen (const juce::String& title, const juce::File& initialFile,
                                         const juce::String& pattern);

    /** The dialogs in use: the installed ones, or the real JUCE dialogs when none is installed. */
    static Dialogs& current();

    /** Installs `dialogs` (not owned) as the current ones; nullptr returns to the real dialogs. */
    static void setCurrent (Dialogs* dialogs);
};
