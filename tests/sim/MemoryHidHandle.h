#pragma once
// One open handle of a VirtualHidDevice, as MemoryHidHost::open returns it.

#include "sim/VirtualHidDevice.h"

#include "link/hid/HidPlatform.h"

#include <memory>

namespace sim
{

/**
    The host side of one open in-memory HID interface. Writes complete one frame (1 ms) after they
    start, and no sooner than one frame after the device's previous write; reads complete when the
    device has a report ready. Starting a transfer while one of the same kind is pending fails. Once the
    device is unplugged every operation fails.
*/
class MemoryHidHandle : public hid::Device
{
public:
    MemoryHidHandle (std::shared_ptr<VirtualHidDevice> device, int generation);
    ~MemoryHidHandle() override;

    bool getAttributes (uint16_t& vendorId, uint16_t& productId) override;
    bool getIndexedString (int index, void* buffer, size_t bytes) override;
    bool getSerialNumberString (void* buffer, size_t bytes) override;
    bool startWrite (const uint8_t* report) override;
    bool startRead (uint8_t* report) override;
    hid::WaitResult waitWrite (int timeoutMs) override;
    hid::WaitResult waitRead (int timeoutMs) override;
    void cancelIo() override;
    void wake() override;

private:
    bool aliveLocked() const;
    static bool copyAsUtf16 (const std::optional<std::string>& text, void* buffer, size_t bytes);

    std::shared_ptr<VirtualHidDevice> device;
    const int generation;

    // Guarded by device->mutex.
    bool writePending = false;
    Report writeReport {};
    Clock::time_point writeDoneAt {};
    bool readPending = false;
    uint8_t* readBuffer = nullptr;
    bool wakePending = false;
};

} // namespace sim
