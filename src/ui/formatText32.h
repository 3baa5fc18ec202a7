#pragma once
// Short printf-style texts, such as node paths, written into a fixed 32-character buffer.

/** Bytes of the buffer that formatText32 writes into: at most 31 characters and the terminator. */
constexpr int formatText32Size = 32;

/** Expands `format` with the following arguments (printf conversions; the callers use "%02d", as in
    "peq/%02d") into `dest`, a buffer of formatText32Size characters, and terminates it. Never writes past
    the buffer: longer output is cut after 31 characters. Returns the number of characters written
    (0 when the format cannot be expanded, with `dest` left empty). */
int formatText32 (char* dest, const char* format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__ ((format (printf, 2, 3)))
#endif
    ;
