// The reading of outside bytes: only well-formed UTF-8 is read as UTF-8, anything else byte by byte.
#include <gtest/gtest.h>

#include "model/SpeakerText.h"

#include <string>

namespace
{
juce::String byteForCharacter (const std::string& bytes)
{
    juce::String text;
    for (auto byte : bytes)
        text += juce::String::charToString ((juce::juce_wchar) (unsigned char) byte);
    return text;
}
} // namespace

TEST (SpeakerTextTest, OnlyWellFormedUtf8IsReadAsUtf8)
{
    const std::pair<std::string, bool> cases[] = {
        { "", true },
        { "plain ASCII", true },
        { "B\xc3\xbchne", true },                  // U+00FC
        { "\xe2\x82\xac", true },                  // U+20AC
        { "\xed\x9f\xbf", true },                  // U+D7FF, the last before the surrogates
        { "\xee\x80\x80", true },                  // U+E000, the first after them
        { "\xf0\x90\x80\x80", true },              // U+10000
        { "\xf4\x8f\xbf\xbf", true },              // U+10FFFF
        { std::string ("\xc0\x80", 2), false },    // NUL in two bytes
        { "\xc1\xbf", false },                     // overlong '\x7f'
        { "\xe0\x80\xaf", false },                 // overlong '/'
        { "\xe0\x9f\xbf", false },                 // overlong U+07FF
        { "\xf0\x8f\xbf\xbf", false },             // overlong U+FFFF
        { "\xed\xa0\x80", false },                 // surrogate U+D800
        { "\xed\xbf\xbf", false },                 // surrogate U+DFFF
        { "\xf4\x90\x80\x80", false },             // U+110000
        { "\xc0", false }, { "\xc1", false },
        { "\xf5\x80\x80\x80", false }, { "\xf8\x88\x80\x80\x80", false }, { "\xfe", false }, { "\xff", false },
        { "ab\xc3", false },                       // a lead byte at the end
        { "ab\xe2\x82", false },                   // a sequence cut off
        { "\x80" "a", false },                     // a lone continuation byte
        { "\xc3" "a", false },                     // a lead byte without its continuation
        { "\xe2\x28\xa1", false },                 // a continuation byte missing inside
    };

    for (auto& [bytes, wellFormed] : cases)
    {
        EXPECT_EQ (isWellFormedUtf8 (bytes.data(), bytes.size()), wellFormed) << juce::String::toHexString (bytes.data(), (int) bytes.size());

        // The text reading follows the check; a NUL in two bytes gives no early end and no overflow.
        const auto expected = wellFormed ? juce::String::fromUTF8 (bytes.data(), (int) bytes.size())
                                         : byteForCharacter (bytes);
        EXPECT_EQ (textFromSpeaker ((bytes + "abcdefgh").c_str()), expected + "abcdefgh")
            << juce::String::toHexString (bytes.data(), (int) bytes.size());
    }
}
