#include "formatText32.h"

#include <cstdarg>
#include <cstdio>

int formatText32 (char* dest, const char* format, ...)
{
    if (dest == nullptr)
        return 0;

    dest[0] = '\0';
    if (format == nullptr)
        return 0;

    va_list args;
    va_start (args, format);
    const int wanted = std::vsnprintf (dest, (size_t) formatText32Size, format, args);
    va_end (args);

    if (wanted < 0)
    {
        dest[0] = '\0';
        return 0;
    }

    // vsnprintf reports the length it wanted; the buffer holds only what fitted.
    return wanted < formatText32Size ? wanted : formatText32Size - 1;
}
