// Conversions of USB string texts into the UTF-16 buffers of the HID layer.
#include "link/hid/UsbStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<uint16_t> units (const uint8_t* bytes, size_t count)
{
    std::vector<uint16_t> u;
    for (size_t i = 0; i + 1 < count; i += 2)
        u.push_back (static_cast<uint16_t> (bytes[i] | (bytes[i + 1] << 8)));
    return u;
}

} // namespace

TEST (HidUsbStrings, StringDescriptorIsCopiedAndZeroFilled)
{
    const uint8_t raw[] = { 10, 3, 'A', 0, 'P', 0, 0xac, 0x20, 'x', 0 }; // "AP€x"
    uint8_t out[16];
    std::fill (std::begin (out), std::end (out), 0xee);
    ASSERT_TRUE (hid::copyStringDescriptor (raw, sizeof (raw), out, sizeof (out)));
    EXPECT_EQ (units (out, sizeof (out)), (std::vector<uint16_t> { 'A', 'P', 0x20ac, 'x', 0, 0, 0, 0 }));
}

TEST (HidUsbStrings, StringDescriptorIsCutToTheBufferInWholeUnits)
{
    const uint8_t raw[] = { 10, 3, 'A', 0, 'P', 0, 'S', 0, 'x', 0 };
    uint8_t six[6] = {};
    ASSERT_TRUE (hid::copyStringDescriptor (raw, sizeof (raw), six, sizeof (six)));
    EXPECT_EQ (units (six, 6), (std::vector<uint16_t> { 'A', 'P', 'S' }));

    uint8_t five[5];
    std::fill (std::begin (five), std::end (five), 0xee);
    ASSERT_TRUE (hid::copyStringDescriptor (raw, sizeof (raw), five, sizeof (five)));
    EXPECT_EQ (units (five, 4), (std::vector<uint16_t> { 'A', 'P' }));
    EXPECT_EQ (five[4], 0) << "a half unit is not copied";
}

TEST (HidUsbStrings, StringDescriptorLengthIsBoundedByWhatWasTransferred)
{
    // The length byte claims 20 bytes but only 6 arrived; an odd length leaves out the half unit.
    const uint8_t shortRaw[] = { 20, 3, 'A', 0, 'P', 0 };
    uint8_t out[12] = {};
    ASSERT_TRUE (hid::copyStringDescriptor (shortRaw, sizeof (shortRaw), out, sizeof (out)));
    EXPECT_EQ (units (out, sizeof (out)), (std::vector<uint16_t> { 'A', 'P', 0, 0, 0, 0 }));

    const uint8_t odd[] = { 5, 3, 'A', 0, 'P', 0 };
    ASSERT_TRUE (hid::copyStringDescriptor (odd, sizeof (odd), out, sizeof (out)));
    EXPECT_EQ (units (out, 4), (std::vector<uint16_t> { 'A', 0 }));
}

TEST (HidUsbStrings, NonStringDescriptorsAreRefused)
{
    uint8_t out[8];
    const uint8_t device[] = { 18, 1, 0, 2 };
    std::fill (std::begin (out), std::end (out), 0xee);
    EXPECT_FALSE (hid::copyStringDescriptor (device, sizeof (device), out, sizeof (out)));
    EXPECT_EQ (units (out, sizeof (out)), (std::vector<uint16_t> (4, 0))) << "the buffer is left empty";

    const uint8_t tooShort[] = { 1, 3 };
    EXPECT_FALSE (hid::copyStringDescriptor (tooShort, sizeof (tooShort), out, sizeof (out)));
    EXPECT_FALSE (hid::copyStringDescriptor (device, 1, out, sizeof (out)));
    EXPECT_FALSE (hid::copyStringDescriptor (nullptr, 0, out, sizeof (out)));
}

TEST (HidUsbStrings, Utf8IsConvertedToUtf16)
{
    uint8_t out[20] = {};
    hid::copyUtf8AsUtf16 ("A\xc3\xa9\xe2\x82\xac\xf0\x9f\x94\x8a", out, sizeof (out)); // A é € 🔊
    EXPECT_EQ (units (out, sizeof (out)),
               (std::vector<uint16_t> { 'A', 0xe9, 0x20ac, 0xd83d, 0xdd0a, 0, 0, 0, 0, 0 }));
}

TEST (HidUsbStrings, InvalidUtf8BecomesReplacementCharacters)
{
    uint8_t out[16] = {};
    // A lone continuation byte, an overlong "/", a truncated sequence at the end.
    hid::copyUtf8AsUtf16 ("\x80" "\xc0\xaf" "B\xe2\x82", out, sizeof (out));
    EXPECT_EQ (units (out, sizeof (out)),
               (std::vector<uint16_t> { 0xfffd, 0xfffd, 0xfffd, 'B', 0xfffd, 0xfffd, 0, 0 }));
}
