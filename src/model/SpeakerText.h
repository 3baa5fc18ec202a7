#pragma once
// Texts that come from the speaker (names, alerts): the speaker stores bytes, not necessarily UTF-8.

#include <juce_core/juce_core.h>

/** The text of the zero-terminated bytes `text`: UTF-8 when they are valid UTF-8, otherwise each byte as
    the one character of its value. Never reads past the terminator, whatever the bytes are. */
juce::String textFromSpeaker (const char* text);
