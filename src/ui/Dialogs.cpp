#include "ui/Dialogs.h"

namespace
{
Dialogs* installedDialogs = nullptr;
}

void Dialogs::showMessageBox (juce::MessageBoxIconType icon, const juce::String& title,
                              const juce::String& message, const juce::String& buttonText)
{
    juce::AlertWindow::showMessageBox (icon, title, message, buttonText);
}

void Dialogs::showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title,
                                   const juce::String& message, const juce::String& buttonText,
                                   std::function<void()> onClosed)
{
    juce::ModalComponentManager::Callback* callback = nullptr;
    if (onClosed)
        callback = juce::ModalCallbackFunction::create ([fn = std::move (onClosed)] (int) { fn(); });

    juce::AlertWindow::showMessageBoxAsync (icon, title, message, buttonText, nullptr, callback);
}

bool Dialogs::askOkCancel (juce::MessageBoxIconType icon, const juce::String& title,
                           const juce::String& message, const juce::String& okText,
                           const juce::String& cancelText)
{
    return juce::AlertWindow::showOkCancelBox (icon, title, message, okText, cancelText, nullptr, nullptr);
}

Dialogs::FileChoice Dialogs::chooseFileToSave (const juce::String& title, const juce::File& initialFile,
                                               const juce::String& pattern)
{
    juce::FileChooser chooser (title, initialFile, pattern);
    FileChoice choice;
    choice.cancelled = ! chooser.browseForFileToSave (true);
    if (! choice.cancelled)
        choice.file = chooser.getResult();
    return choice;
}

Dialogs::FileChoice Dialogs::chooseFileToOpen (const juce::String& title, const juce::File& initialFile,
                                               const juce::String& pattern)
{
    juce::FileChooser chooser (title, initialFile, pattern);
    FileChoice choice;
    choice.cancelled = ! chooser.browseForFileToOpen();
    if (! choice.cancelled)
        choice.file = chooser.getResult();
    return choice;
}

Dialogs& Dialogs::current()
{
    static Dialogs realDialogs;
    return installedDialogs != nullptr ? *installedDialogs : realDialogs;
}

void Dialogs::setCurrent (Dialogs* dialogs)
{
    installedDialogs = dialogs;
}
