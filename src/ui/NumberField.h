#pragma once
// The one-line number field of the pages (delay, frequency, gain, Q): typed text takes effect on Return.
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Makes a single-line field named `name` in the pages' colours: no scroll bars, no pop-up menu, its text
    selected when it gets the focus. */
std::unique_ptr<juce::TextEditor> makeNumberField (const juce::String& name);

/** The text the user confirmed in `field`, for the number parser: without the blanks around it, which
    the field's own text may carry (" 50.0") and which the parser reads as no number at all. */
juce::String typedNumberText (const juce::TextEditor& field);
