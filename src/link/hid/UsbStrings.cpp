#include "link/hid/UsbStrings.h"

#include <cstring>
#include <vector>

namespace hid
{

namespace
{

void copyUnits (const std::vector<uint16_t>& units, void* buffer, size_t bytes)
{
    auto* out = static_cast<uint8_t*> (buffer);
    std::memset (out, 0, bytes);
    for (size_t i = 0; i < units.size() && 2 * i + 2 <= bytes; ++i)
    {
        out[2 * i] = static_cast<uint8_t> (units[i] & 0xff);
        out[2 * i + 1] = static_cast<uint8_t> (units[i] >> 8);
    }
}

} // namespace

bool copyStringDescriptor (const uint8_t* raw, size_t rawLength, void* buffer, size_t bytes)
{
    if (buffer != nullptr)
        std::memset (buffer, 0, bytes);
    if (raw == nullptr || buffer == nullptr || rawLength < 2 || raw[1] != 3 || raw[0] < 2)
        return false;

    // The descriptor's own length counts, within what was actually transferred.
    const size_t length = raw[0] < rawLength ? raw[0] : rawLength;
    std::vector<uint16_t> units;
    for (size_t i = 2; i + 1 < length; i += 2)
        units.push_back (static_cast<uint16_t> (raw[i] | (raw[i + 1] << 8)));
    copyUnits (units, buffer, bytes);
    return true;
}

void copyUtf8AsUtf16 (const std::string& text, void* buffer, size_t bytes)
{
    if (buffer == nullptr)
        return;

    std::vector<uint16_t> units;
    const auto* s = reinterpret_cast<const unsigned char*> (text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n)
    {
        const unsigned c = s[i];
        uint32_t code = 0xfffd;
        size_t extra = 0;
        if (c < 0x80)
            code = c;
        else if ((c & 0xe0) == 0xc0)
            code = c & 0x1f, extra = 1;
        else if ((c & 0xf0) == 0xe0)
            code = c & 0x0f, extra = 2;
        else if ((c & 0xf8) == 0xf0)
            code = c & 0x07, extra = 3;

        bool valid = c < 0x80 || extra > 0;
        for (size_t k = 1; valid && k <= extra; ++k)
        {
            if (i + k >= n || (s[i + k] & 0xc0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (s[i + k] & 0x3f);
        }
        static const uint32_t smallest[] = { 0, 0x80, 0x800, 0x10000 };
        if (! valid || code < smallest[extra] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
        {
            units.push_back (0xfffd);
            ++i;
            continue;
        }
        i += extra + 1;
        if (code >= 0x10000)
        {
            code -= 0x10000;
            units.push_back (static_cast<uint16_t> (0xd800 + (code >> 10)));
            units.push_back (static_cast<uint16_t> (0xdc00 + (code & 0x3ff)));
        }
        else
        {
            units.push_back (static_cast<uint16_t> (code));
        }
    }
    copyUnits (units, buffer, bytes);
}

} // namespace hid
