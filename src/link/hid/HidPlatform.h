#pragma once
// The small USB HID platform layer the transport runs on: device enumeration, identity strings and
// 64-byte report transfers with time-outs. One implementation talks to Linux hidraw; the tests have an
// in-memory one behind which the simulated speaker sits.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace hid
{

/** Bytes in one report as the transport sees it: byte 0 is the report id (0), then 63 bytes of data. */
constexpr int reportSize = 64;

/** What a wait on a started transfer came to. */
enum class WaitResult
{
    completed,   ///< the transfer finished; for a read the report is in the buffer given to startRead
    timedOut,    ///< the time-out passed; the transfer is still pending until cancelled
    interrupted, ///< wake() was called from another thread before the transfer finished
    failed       ///< the device is gone or the transfer failed
};

/** One opened HID interface. Closing happens on destruction. Transfers and waits are made by one thread;
    wake() may be called from any thread. */
class Device
{
public:
    virtual ~Device() = default;

    /** Reads the USB vendor and product id. */
    virtual bool getAttributes (uint16_t& vendorId, uint16_t& productId) = 0;

    /** Reads USB string descriptor `index` as UTF-16 units (little-endian pairs of bytes) into `buffer`,
        at most `bytes` bytes, zero-filled after the string. */
    virtual bool getIndexedString (int index, void* buffer, size_t bytes) = 0;

    /** Reads the serial number string as UTF-16 units into `buffer`, at most `bytes` bytes, zero-filled. */
    virtual bool getSerialNumberString (void* buffer, size_t bytes) = 0;

    /** Starts writing one report of reportSize bytes (byte 0 the report id). Returns false when the
        transfer could not be started at all; otherwise wait for it with waitWrite. */
    virtual bool startWrite (const uint8_t* report) = 0;

    /** Starts reading one report into `report` (reportSize bytes, byte 0 the report id). The buffer must
        stay valid until the read completes or is cancelled. Returns false when it could not be started. */
    virtual bool startRead (uint8_t* report) = 0;

    /** Waits up to timeoutMs for the pending write. */
    virtual WaitResult waitWrite (int timeoutMs) = 0;

    /** Waits up to timeoutMs for the pending read. */
    virtual WaitResult waitRead (int timeoutMs) = 0;

    /** Abandons every pending transfer of this device. */
    virtual void cancelIo() = 0;

    /** Makes a wait in progress (or the next one) on another thread return WaitResult::interrupted. */
    virtual void wake() = 0;
};

/** The present HID interfaces of the machine. */
class Host
{
public:
    virtual ~Host() = default;

    /** Device path of the present HID interface at position `index` (0 up), looked up afresh;
        false when there is no interface at that index. */
    virtual bool interfacePath (int index, std::string& path) = 0;

    /** Opens a device path for reading and writing; null when it cannot be opened. */
    virtual std::unique_ptr<Device> open (const std::string& path) = 0;

    /** The USB vendor and product id of the interface at `path`; false when they cannot be read. This
        default opens the interface to ask it; a host that can tell without opening (and so without
        waking the device) overrides it. */
    virtual bool interfaceIds (const std::string& path, uint16_t& vendorId, uint16_t& productId)
    {
        auto device = open (path);
        return device != nullptr && device->getAttributes (vendorId, productId);
    }

    /** When this user lacks the access needed to open the interface at `path` or to read its identity,
        the device node that is refused (for the message that tells the user); otherwise empty. */
    virtual std::string deniedNode (const std::string& path)
    {
        (void) path;
        return {};
    }
};

/** The Linux implementation over hidraw: interfaces are the hidraw entries of /sys/class/hidraw below
    `sysRoot`, device nodes /dev/hidrawN below `devRoot` (both arguments so that tests can point it at a
    made-up tree). */
std::unique_ptr<Host> createLinuxHost (const std::string& sysRoot = "/sys", const std::string& devRoot = "/dev");

} // namespace hid
