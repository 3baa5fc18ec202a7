#pragma once
// One opened hidraw node.

#include "link/hid/HidPlatform.h"

namespace hid
{

/**
    An open hidraw node. Transfers are non-blocking writes and reads completed by poll(); wake() signals
    an eventfd that every wait also polls. hidraw leaves out the report id of a device without numbered
    reports on reads and expects it as byte 0 on writes: reads put a 0 byte before the 63 data bytes, and
    writes hand over all 64 bytes.
*/
class LinuxHidDevice : public Device
{
public:
    /** Takes ownership of `fd`. `ueventPath` is the HID device's uevent file, `usbNode` the usbfs node
        of its USB device (empty when unknown). */
    LinuxHidDevice (int fd, std::string ueventPath, std::string usbNode);
    ~LinuxHidDevice() override;

    LinuxHidDevice (const LinuxHidDevice&) = delete;
    LinuxHidDevice& operator= (const LinuxHidDevice&) = delete;

    /** False when the wake-up eventfd could not be made; such a device is not handed out. */
    bool isUsable() const noexcept { return fd >= 0 && wakeFd >= 0; }

    bool getAttributes (uint16_t& vendorId, uint16_t& productId) override;
    bool getIndexedString (int index, void* buffer, size_t bytes) override;
    bool getSerialNumberString (void* buffer, size_t bytes) override;
    bool startWrite (const uint8_t* report) override;
    bool startRead (uint8_t* report) override;
    WaitResult waitWrite (int timeoutMs) override;
    WaitResult waitRead (int timeoutMs) override;
    void cancelIo() override;
    void wake() override;

    /** Reads one KEY=VALUE entry of a uevent text; false when the key is missing. */
    static bool ueventValue (const std::string& uevent, const std::string& key, std::string& value);

    /** Parses a HID_ID value ("0003:000016D0:00000F3C") into vendor and product id. */
    static bool parseHidId (const std::string& hidId, uint16_t& vendorId, uint16_t& productId);

private:
    enum class Transfer { idle, pending, done, failed };

    void tryWrite();
    void tryRead();
    WaitResult waitFor (Transfer& state, short events, int timeoutMs);
    bool readUevent (std::string& text) const;

    int fd;
    int wakeFd;
    std::string ueventPath;
    std::string usbNode;

    Transfer writeState = Transfer::idle;
    uint8_t writeBuffer[reportSize] {};

    Transfer readState = Transfer::idle;
    uint8_t* readTarget = nullptr;
};

} // namespace hid
