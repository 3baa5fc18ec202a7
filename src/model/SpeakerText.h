#pragma once
// Texts that come from outside (speaker names and alerts, preset files): the speaker stores bytes, not
// necessarily UTF-8, and a file may hold anything.

#include <juce_core/juce_core.h>

#include <cstddef>

/** True when the `numBytes` bytes at `bytes` are well-formed UTF-8: no overlong form, no surrogate,
    nothing above U+10FFFF and no cut-off sequence. The framework's own check accepts some of these,
    and its conversions then size a buffer by one reading and fill it by another, so outside bytes reach
    a conversion only after this check. */
bool isWellFormedUtf8 (const char* bytes, size_t numBytes) noexcept;

/** The text of the zero-terminated bytes `text`: UTF-8 when they are well-formed UTF-8, otherwise each
    byte as the one character of its value. Never reads past the terminator, whatever the bytes are. */
juce::String textFromSpeaker (const char* text);
