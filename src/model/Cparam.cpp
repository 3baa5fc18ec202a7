#include "model/Cparam.h"

#include "model/NumberText.h"

#include <cmath>
#include <cstring>

namespace
{
/** Clamps a computed index to [lo, hi] before it becomes an int, so no value can leave the range. */
int clampIndex (double value, int lo, int hi) noexcept
{
    if (value <= (double) lo)
        return lo;

    if (value >= (double) hi)
        return hi;

    return (int) value; // truncates toward zero
}

bool isUtf8Continuation (char c) noexcept
{
    return ((unsigned char) c & 0xc0) == 0x80;
}

/** A parameter's format (one conversion) without its field width: the digits and padding "0" before
    its "." or "k" are dropped, so every digit of the precision is written ("%4.1f" gives "%.1f"). */
void copyWithoutWidth (const char* format, char* out, size_t size) noexcept
{
    size_t o = 0;
    const char* f = format;

    while (*f != 0 && *f != '%' && o + 1 < size)
        out[o++] = *f++;

    if (*f == '%' && o + 1 < size)
        out[o++] = *f++;

    for (; *f == '+' || (*f >= '0' && *f <= '9'); ++f)
        if (*f == '+' && o + 1 < size)
            out[o++] = *f;

    while (*f != 0 && o + 1 < size)
        out[o++] = *f++;

    out[o] = 0;
}
} // namespace

Cparam::Cparam (const char* paramName, int paramId, int max)
    : Cnode (paramName, paramInt, paramId)
{
    maxIndex = max;
    format = "%d";
}

Cparam::Cparam (const char* paramName, int paramId, int count, const char* const* nameTable)
    : Cnode (paramName, paramEnum, paramId)
{
    maxIndex = count - 1;
    names = nameTable;
}

Cparam::Cparam (const char* paramName, int paramId, float lowValue, float highValue, int steps,
                const char* textFormat)
    : Cnode (paramName, steps > 0 ? paramLinear : paramLog, paramId)
{
    low = lowValue;
    format = textFormat;

    if (steps > 0)
    {
        maxIndex = steps - 1;
        high = highValue;
    }
    else
    {
        maxIndex = -steps * 1000;
        logHigh = highValue;
        const float ratio = highValue / lowValue;
        high = std::log (ratio) / (float) maxIndex;
    }
}

Cparam::Cparam()
    : Cnode ("speakername", paramString, idDevname)
{
    maxIndex = maxTextLength;
}

void Cparam::setIndex (int i)
{
    const long long fine = kind == paramLog ? (long long) i * 1000 : (long long) i;
    index = fine < minIndex ? minIndex : (fine > maxIndex ? maxIndex : (int) fine);
}

int Cparam::getIndex() const
{
    return kind == paramLog ? index / 1000 : index;
}

void Cparam::setFromFloat (float x)
{
    index = indexFor (x);
}

int Cparam::indexFor (float x) const
{
    if (std::isnan (x))
        return index;

    switch (kind)
    {
        case paramInt:
        case paramEnum:
            return clampIndex ((double) x, minIndex, maxIndex);

        case paramLinear:
            return clampIndex (((double) x - low) * maxIndex / ((double) high - low) + 0.5, minIndex, maxIndex);

        case paramLog:
        {
            if (x <= 0.0f)
                return minIndex;

            // q and its logarithm are single precision; the quotient is not rounded to a float, whose
            // steps (a sixteenth of a fine step near the top) would move some values to the next index.
            const float q = x / low;
            const float lnq = std::log (q);
            return clampIndex ((double) lnq / (double) high + 0.5, minIndex, maxIndex);
        }

        default:
            return index;
    }
}

float Cparam::getFloat() const
{
    switch (kind)
    {
        case paramInt:
        case paramEnum:
            return (float) index;

        case paramLinear:
        {
            const float v = (float) (low + ((double) high - low) * index / maxIndex);
            return v > high ? high : v;
        }

        case paramLog:
        {
            const float e = (float) index * high;
            const float grown = std::exp (e);
            const float v = low * grown;
            return v > logHigh ? logHigh : v;
        }

        default:
            return 0.0f;
    }
}

int Cparam::fromText (const char* source)
{
    if (source == nullptr)
        return 0;

    switch (kind)
    {
        case paramInt:
        {
            int value = 0;
            const int taken = parseInt (source, &value);
            index = value < minIndex ? minIndex : (value > maxIndex ? maxIndex : value);
            return taken;
        }

        case paramEnum:
            for (int i = 0; i <= maxIndex; ++i)
            {
                const size_t length = std::strlen (names[i]);

                if (std::strncmp (names[i], source, length) == 0)
                {
                    index = i;
                    return (int) length;
                }
            }
            return 0;

        case paramLinear:
        case paramLog:
        {
            float value = 0.0f;
            const int taken = parseFloat (source, &value);
            setFromFloat (value);
            return taken;
        }

        case paramString:
        {
            // Cut at a character boundary, so a UTF-8 character is never split; bytes that are not UTF-8
            // (no lead byte within a character's length) are cut where they stand.
            size_t length = strnlen (source, (size_t) maxIndex);
            size_t cut = length;
            for (int back = 0; back < 3 && cut > 0 && isUtf8Continuation (source[cut]); ++back)
                --cut;

            if (! isUtf8Continuation (source[cut]))
                length = cut;

            if (std::strlen (text) != length || std::memcmp (text, source, length) != 0)
            {
                std::memcpy (text, source, length);
                text[length] = 0;
            }

            return (int) length;
        }

        default:
            return 0;
    }
}

int Cparam::toText (char* out)
{
    switch (kind)
    {
        case paramInt:
            return formatValue (out, format, index);

        case paramLinear:
        case paramLog:
        {
            const double value = (double) getFloat();
            const int written = formatValue (out, format, value);

            // A fixed width can leave no room for the fraction (-12.5 in "%4.1f" is " -12"); such a
            // linear value is written with every digit of its precision, so that its text reads back.
            if (kind == paramLinear && ! readsBack (out))
            {
                char wide[16] = {};
                copyWithoutWidth (format, wide, sizeof (wide));
                return formatValue (out, wide, value);
            }

            // A logarithmic value whose fraction found no room had it cut off, not rounded: 10821.6 was
            // written "10821", which reads back a fine step lower, so every save and load of a preset
            // took a high frequency down by 1 Hz. Rounded to the whole number, the text reads back to itself.
            if (kind == paramLog && std::strpbrk (out, ".k") == nullptr)
                return formatValue (out, format, std::round (value));

            return written;
        }

        case paramEnum:
        case paramString:
        {
            const char* source = kind == paramEnum ? names[index] : text;
            const size_t length = std::strlen (source);
            std::memcpy (out, source, length + 1);
            return (int) length;
        }

        default:
            *out = 0;
            return 0;
    }
}

bool Cparam::readsBack (const char* valueText) const
{
    while (*valueText == ' ')
        ++valueText;

    float value = 0.0f;
    parseFloat (valueText, &value);
    return indexFor (value) == index;
}
