#pragma once
// One opened hidraw node.

#include "link/hid/HidPlatform.h"

#include <chrono>

namespace hid
{

/**
    An open hidraw node. Reads are non-blocking reads completed by poll(). Writes go through a writer
    thread of the device's own, because hidraw ignores O_NONBLOCK for writes and poll() always reports the
    node writable: a write() blocks until the report is out or the kernel gives up after 5 s. So a wait
    for a write waits for that thread, with its own time-out; a write that is abandoned (cancelIo) while
    the kernel still holds it finishes in the background, and a report started after it goes out after it.
    Closing the device does not wait for a write in the kernel: the node is closed when that write returns.
    wake() signals an eventfd that every wait also polls. hidraw leaves out the report id of a device
    without numbered reports on reads and expects it as byte 0 on writes: reads put a 0 byte before the
    63 data bytes, and writes hand over all 64 bytes.
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

    /** False when an eventfd could not be made; such a device is not handed out. */
    bool isUsable() const noexcept;

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

    /** Reads vendor and product id from the HID_ID entry of the uevent file at `ueventPath`. */
    static bool readHidIds (const std::string& ueventPath, uint16_t& vendorId, uint16_t& productId);

    /** Parses a HID_ID value ("0003:000016D0:00000F3C") into vendor and product id. */
    static bool parseHidId (const std::string& hidId, uint16_t& vendorId, uint16_t& productId);

private:
    enum class Transfer { idle, pending, done, failed };
    enum class Ready { ready, woken, timedOut, failed };
    struct Node;

    void tryRead();
    Ready pollOrWake (int watched, std::chrono::steady_clock::time_point deadline, short& revents);

    std::shared_ptr<Node> node;  // the open node, shared with the writer thread
    int wakeFd;
    std::string ueventPath;
    std::string usbNode;

    uint64_t writeTicket = 0;    // the write started last and not yet waited for or cancelled; 0 when none
    bool writerStarted = false;

    Transfer readState = Transfer::idle;
    uint8_t* readTarget = nullptr;
};

} // namespace hid
