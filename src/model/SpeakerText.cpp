#include "model/SpeakerText.h"

#include <cstring>

bool isWellFormedUtf8 (const char* bytes, size_t numBytes) noexcept
{
    const auto* p = reinterpret_cast<const unsigned char*> (bytes);
    const auto* end = p + numBytes;

    while (p < end)
    {
        const unsigned lead = *p++;

        if (lead < 0x80)
            continue;

        // The ranges of the second byte keep out overlong forms (E0, F0), surrogates (ED) and code
        // points above U+10FFFF (F4); C0, C1 and F5 to FF never start a sequence.
        int extra = 0;
        unsigned low = 0x80, high = 0xbf;

        if (lead >= 0xc2 && lead <= 0xdf)      extra = 1;
        else if (lead == 0xe0)                 { extra = 2; low = 0xa0; }
        else if (lead == 0xed)                 { extra = 2; high = 0x9f; }
        else if (lead >= 0xe1 && lead <= 0xef) extra = 2;
        else if (lead == 0xf0)                 { extra = 3; low = 0x90; }
        else if (lead >= 0xf1 && lead <= 0xf3) extra = 3;
        else if (lead == 0xf4)                 { extra = 3; high = 0x8f; }
        else                                   return false;

        if (end - p < extra || *p < low || *p > high)
            return false;

        for (int i = 1; i < extra; ++i)
            if ((p[i] & 0xc0) != 0x80)
                return false;

        p += extra;
    }

    return true;
}

juce::String textFromSpeaker (const char* text)
{
    const auto numBytes = std::strlen (text);

    if (isWellFormedUtf8 (text, numBytes))
        return juce::String::fromUTF8 (text, (int) numBytes);

    juce::String result;
    for (auto* p = reinterpret_cast<const unsigned char*> (text); *p != 0; ++p)
        result += juce::String::charToString ((juce::juce_wchar) *p);
    return result;
}
