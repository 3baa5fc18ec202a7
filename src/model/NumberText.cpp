#include "model/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int parseInt (const char* text, int* out)
{
    // Saturates instead of overflowing: a too-long number reads as the largest int of its sign.
    constexpr std::int64_t cap = 2147483648LL;
    std::int64_t value = 0;
    bool negative = false;
    int i = 0;

    for (; text[i] != 0; ++i)
    {
        const char c = text[i];

        if (i == 0 && (c == '-' || c == '+'))
            negative = (c == '-');
        else if (c >= '0' && c <= '9')
            value = std::min<std::int64_t> (value * 10 + (c - '0'), cap);
        else
            break;
    }

    if (negative)
        *out = (int) -value;
    else
        *out = (int) std::min<std::int64_t> (value, cap - 1);

    return i;
}

int parseFloat (const char* text, float* out)
{
    float value = 0.0f;
    float weight = 0.1f;
    bool point = false;
    bool negative = false;
    int i = 0;

    for (; text[i] != 0; ++i)
    {
        const char c = text[i];

        if (i == 0 && (c == '-' || c == '+'))
        {
            negative = (c == '-');
        }
        else if (c == 'k')
        {
            if (point)
                break;

            value = value * 1000.0f;
            weight = 100.0f;
            point = true;
        }
        else if (c == '.')
        {
            if (point)
                break;

            point = true;
        }
        else if (c >= '0' && c <= '9')
        {
            const float digit = (float) (c - '0');

            if (point)
            {
                const float part = digit * weight;
                value = value + part;
                weight = weight / 10.0f;
            }
            else
            {
                const float shifted = value * 10.0f;
                value = shifted + digit;
            }
        }
        else
        {
            break;
        }
    }

    *out = negative ? -value : value;
    return i;
}

namespace
{
/** One conversion's flags, collected between "%" and its conversion character. */
struct Conversion
{
    int width = 0;
    int precision = 0;
    bool plus = false;
    bool zeroPad = false;
    bool hasWidthDigit = false;
    bool inPrecision = false;
    bool hasPoint = false;
    bool kForm = false;

    char pad() const noexcept { return zeroPad ? '0' : ' '; }
};

// Widths and precisions beyond this are taken as this, so that absurd formats cannot overflow the int.
constexpr int maxFieldDigits = 100000;

void addDigit (int& field, char c)
{
    if (field < maxFieldDigits)
        field = field * 10 + (c - '0');
}

char* writeRepeated (char* o, char c, int count)
{
    for (int i = 0; i < count; ++i)
        *o++ = c;

    return o;
}

/** %d and %x: right-aligned in the width, the sign before zeros or after blanks. */
char* writeInteger (char* o, const Conversion& conv, unsigned int magnitude, bool negative, unsigned int base)
{
    static const char digitChars[] = "0123456789abcdef";
    char digits[16];
    int count = 0;

    do
    {
        digits[count++] = digitChars[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);

    const bool showSign = negative || conv.plus;
    const char sign = negative ? '-' : '+';
    const int padCount = conv.width - count - (showSign ? 1 : 0);

    if (conv.zeroPad)
    {
        if (showSign)
            *o++ = sign;

        o = writeRepeated (o, '0', padCount);
    }
    else
    {
        o = writeRepeated (o, ' ', padCount);

        if (showSign)
            *o++ = sign;
    }

    while (count > 0)
        *o++ = digits[--count];

    return o;
}

/** One digit of a float, "#" for a value that is not a single digit (too large or not a number). */
char floatDigit (float d, char tooLarge)
{
    if (! (d <= 9.0f))
        return tooLarge;

    return (char) ('0' + (d < 0.0f ? 0 : (int) d));
}

/** %f: fixed-point text that keeps its field width by dropping fraction digits. */
char* writeFixed (char* o, Conversion conv, double argument)
{
    float v = (float) argument;
    bool showSign = conv.plus;
    char sign = '+';

    if (v < 0.0f)
    {
        v = -v;
        showSign = true;
        sign = '-';
    }

    switch (conv.precision)
    {
        case 0: v = v + 0.5f; break;
        case 1: v = v + 0.05f; break;
        case 2: v = v + 0.005f; break;
        case 3: v = v + 0.0005f; break;
        default: break;
    }

    bool kForm = false;

    if (conv.kForm)
    {
        if (v >= 1000.0f)
        {
            v = v / 1000.0f;
            ++conv.precision;
            kForm = true;
        }
    }

    // The largest power of ten not above v; the loop ends at the largest finite power for huge values.
    float p = 1.0f;
    int integerDigits = 1;

    while (integerDigits < 39 && p * 10.0f <= v)
    {
        p = p * 10.0f;
        ++integerDigits;
    }

    int room = conv.width - (showSign ? 1 : 0) - (conv.hasPoint ? 1 : 0) - integerDigits;

    if (conv.zeroPad && showSign)
        *o++ = sign;

    if (room == 0 && conv.hasPoint && ! kForm)
        *o++ = conv.pad();

    if (room > conv.precision)
    {
        o = writeRepeated (o, conv.pad(), room - conv.precision);
        room = conv.precision;
    }

    if (! conv.zeroPad && showSign)
        *o++ = sign;

    for (int i = 0; i < integerDigits; ++i)
    {
        const float quotient = v / p;
        const float d = std::isfinite (quotient) ? std::trunc (quotient) : quotient;
        *o++ = floatDigit (d, '#');

        if (std::isfinite (d))
        {
            const float used = d * p;
            v = v - used;
        }

        p = p / 10.0f;
    }

    // Without a field width (a padding "0" counts as one) every precision digit is written.
    if (! conv.hasWidthDigit && ! conv.zeroPad)
        room = conv.precision;

    if (room > 0)
    {
        *o++ = kForm ? 'k' : '.';

        for (int i = 0; i < room; ++i)
        {
            v = v * 10.0f;
            const float d = std::isfinite (v) ? std::trunc (v) : v;
            *o++ = floatDigit (d, '9');

            if (std::isfinite (d))
                v = v - d;
        }
    }

    return o;
}
} // namespace

int formatValueV (char* out, const char* format, va_list args)
{
    char* o = out;
    const char* f = format;

    while (*f != 0)
    {
        if (*f != '%')
        {
            *o++ = *f++;
            continue;
        }

        ++f;
        Conversion conv;
        bool converted = false;

        while (! converted)
        {
            const char c = *f;

            if (c == 0)
            {
                // The format ended inside a conversion.
                *o++ = '?';
                *o = 0;
                return (int) (o - out);
            }

            ++f;

            if (c == '+')
            {
                conv.plus = true;
            }
            else if (c >= '0' && c <= '9')
            {
                if (conv.inPrecision)
                {
                    addDigit (conv.precision, c);
                }
                else if (c == '0' && ! conv.hasWidthDigit)
                {
                    conv.zeroPad = true;
                }
                else
                {
                    addDigit (conv.width, c);
                    conv.hasWidthDigit = true;
                }
            }
            else if (c == '.')
            {
                conv.inPrecision = true;
                conv.hasPoint = true;
            }
            else if (c == 'k')
            {
                conv.inPrecision = true;
                conv.hasPoint = true;
                conv.kForm = true;
            }
            else
            {
                converted = true;

                switch (c)
                {
                    case '%':
                        *o++ = '%';
                        break;

                    case 'c':
                        *o++ = (char) (va_arg (args, int) & 0xff);
                        break;

                    case 'd':
                    {
                        const int value = va_arg (args, int);
                        const bool negative = value < 0;
                        const unsigned int magnitude = negative ? 0u - (unsigned int) value : (unsigned int) value;
                        o = writeInteger (o, conv, magnitude, negative, 10);
                        break;
                    }

                    case 'x':
                        o = writeInteger (o, conv, (unsigned int) va_arg (args, int), false, 16);
                        break;

                    case 'f':
                        o = writeFixed (o, conv, va_arg (args, double));
                        break;

                    case 's':
                    {
                        const char* s = va_arg (args, const char*);

                        if (s == nullptr)
                            s = "";

                        if (conv.width > 0)
                        {
                            int i = 0;

                            for (; i < conv.width && s[i] != 0; ++i)
                                *o++ = s[i];

                            o = writeRepeated (o, ' ', conv.width - i);
                        }
                        else
                        {
                            while (*s != 0)
                                *o++ = *s++;
                        }

                        break;
                    }

                    case 'n':
                        if (conv.width > 0)
                        {
                            if (*f == 0)
                            {
                                *o = 0;
                                return (int) (o - out);
                            }

                            o = writeRepeated (o, *f++, conv.width);
                        }
                        break;

                    default:
                        *o++ = '?';
                        break;
                }
            }
        }
    }

    *o = 0;
    return (int) (o - out);
}

int formatValue (char* out, const char* format, ...)
{
    va_list args;
    va_start (args, format);
    const int length = formatValueV (out, format, args);
    va_end (args);
    return length;
}
