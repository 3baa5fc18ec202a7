#pragma once
// The program's own number text: every number that the parameter tree reads or writes as text goes
// through these functions, so that preset files and displayed values look the same everywhere.

#include <cstdarg>

/** Reads a signed decimal integer from the start of `text` (an optional leading "+" or "-", then digits;
    leading blanks are not skipped). Always stores a value through `out` (0 when no digit was read; values
    beyond the int range saturate). Returns the number of characters taken, sign included. */
int parseInt (const char* text, int* out);

/** Reads a signed decimal number from the start of `text`, with an optional "." or a "k" that stands for
    the decimal point with a factor of a thousand ("1k2" reads 1200). Arithmetic is in single precision.
    Always stores a value through `out`; returns the number of characters taken (sign, point and "k"
    included). */
int parseFloat (const char* text, float* out);

/** printf-like formatting into `out` (which the caller makes large enough) with the conversions
    %d %x %c %s %f %n %% and the flags "+", "0", width, ".precision" and "k" (the engineering form of %f).
    Fixed-width %f output keeps its field width by dropping fraction digits. Returns the number of
    characters written, without the terminator. */
int formatValueV (char* out, const char* format, va_list args);

/** The variadic form of formatValueV. */
int formatValue (char* out, const char* format, ...);
