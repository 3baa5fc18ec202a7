#pragma once
// The HID platform layer on Linux: hidraw device nodes found through sysfs.

#include "link/hid/HidPlatform.h"

#include <vector>

namespace hid
{

/**
    The present HID interfaces of a Linux machine: the hidraw nodes listed under
    <sysRoot>/class/hidraw, opened as <devRoot>/hidrawN. Ids and serial come from the HID device's uevent,
    string descriptors from the USB device through usbfs (<devRoot>/bus/usb/BBB/DDD).
*/
class LinuxHidHost : public Host
{
public:
    LinuxHidHost (std::string sysRoot, std::string devRoot);

    /** The path of the index-th hidraw node, in the order of their numbers. */
    bool interfacePath (int index, std::string& path) override;

    /** Opens a hidraw node for non-blocking reading and writing. */
    std::unique_ptr<Device> open (const std::string& path) override;

    /** Reads the ids from the node's uevent in sysfs, without opening the node. */
    bool interfaceIds (const std::string& path, uint16_t& vendorId, uint16_t& productId) override;

    /** The hidraw node, or else the usbfs node behind it, when this user may not open it for reading
        and writing. */
    std::string deniedNode (const std::string& path) override;

    /** The names of the hidraw nodes present now ("hidraw0", "hidraw3", ...), sorted by number. */
    std::vector<std::string> hidrawNames() const;

    /** The usbfs node of the USB device behind hidraw node `name`: found by walking up from its sysfs
        device to the directory that holds busnum and devnum. Empty when there is none. */
    std::string usbDeviceNode (const std::string& name) const;

private:
    std::string ueventPath (const std::string& name) const;

    std::string sysRoot;
    std::string devRoot;
};

} // namespace hid
