#pragma once
// The captions and embedded pictures of the pages, made one way for all of them.
#include <juce_gui_basics/juce_gui_basics.h>

#include "Palette.h"

#include <memory>

/** Makes a read-only label named `name` that shows `text` as given (a page that translates its texts
    passes them translated), in `font`, placed by `justification` and drawn in `colour`. */
std::unique_ptr<juce::Label> makePageLabel (const juce::String& name, const juce::String& text, const juce::Font& font,
                                            juce::Justification justification = juce::Justification::centredLeft,
                                            juce::Colour colour = palette::caption);

/** The embedded picture whose encoded bytes start at `data` (`size` bytes long), decoded once and then
    kept by the image cache; an invalid image when `data` is null. */
juce::Image embeddedPicture (const char* data, int size);
