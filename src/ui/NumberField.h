#pragma once
// The one-line number field of the pages (delay, frequency, gain, Q): typed text takes effect on Return.
// Also the reading of the knobs' text boxes.
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Makes a single-line field named `name` in the pages' colours: no scroll bars, no pop-up menu, its text
    selected when it gets the focus. */
std::unique_ptr<juce::TextEditor> makeNumberField (const juce::String& name);

/** The text the user confirmed in `field`, for the number parser: without the blanks around it, which
    the field's own text may carry (" 50.0") and which the parser reads as no number at all. */
juce::String typedNumberText (const juce::TextEditor& field);

/** When the text the user confirmed in `field` is the text the field shows for its held value,
    `heldText` (blanks around either do not count), shows that text again, selected, and returns true:
    reading a rounded text back could move the value a step, so the caller then keeps the value and
    sends nothing. Otherwise returns false and changes nothing. */
bool keepsHeldText (juce::TextEditor& field, const juce::String& heldText);

/** Makes the text box of `knob` read a typed number as the framework does (clamped to the knob's range),
    but leaves the knob at its value when the text holds no number ("", "-", "abc"): the box then shows
    the value again and the knob's listeners hear nothing. */
void keepKnobValueOnTextWithoutNumber (juce::Slider& knob);
