#pragma once
// The speaker's USB identity. The udev rule in the package uses the same two numbers.
#include <cstdint>

namespace hid
{
constexpr uint16_t speakerVendorId  = 0x16d0;
constexpr uint16_t speakerProductId = 0x0f3c;
} // namespace hid
