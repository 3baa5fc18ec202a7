#include "model/SpeakerText.h"

#include <climits>

juce::String textFromSpeaker (const char* text)
{
    if (juce::CharPointer_UTF8::isValidString (text, INT_MAX))
        return juce::String::fromUTF8 (text);

    juce::String result;
    for (auto* p = reinterpret_cast<const unsigned char*> (text); *p != 0; ++p)
        result += juce::String::charToString ((juce::juce_wchar) *p);
    return result;
}
