#pragma once
// Conversions of USB string texts into the UTF-16 buffers that hid::Device hands out.

#include <cstddef>
#include <cstdint>
#include <string>

namespace hid
{

/** Copies the text of a raw USB string descriptor (byte 0 its length, byte 1 the type 3, then UTF-16LE
    units) into `buffer` as UTF-16LE units: at most `bytes` bytes of whole units, zero-filled after the
    text. Returns false, leaving `buffer` zero-filled, when `raw` is no string descriptor. */
bool copyStringDescriptor (const uint8_t* raw, size_t rawLength, void* buffer, size_t bytes);

/** Copies UTF-8 `text` into `buffer` as UTF-16LE units (surrogate pairs above U+FFFF; invalid bytes
    become U+FFFD): at most `bytes` bytes of whole units, zero-filled after the text. */
void copyUtf8AsUtf16 (const std::string& text, void* buffer, size_t bytes);

} // namespace hid
