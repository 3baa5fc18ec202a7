#pragma once
// An in-memory hid::Host whose interfaces are VirtualHidDevice objects that tests plug and unplug.

#include "sim/VirtualHidDevice.h"

#include "link/hid/HidPlatform.h"

#include <memory>
#include <mutex>
#include <vector>

namespace sim
{

/**
    The HID interfaces of a simulated machine. Interfaces are listed in the order they were plugged in;
    their paths have the form "mem:N" with N unique per plug, so a device plugged in again gets a new
    path and the handles of its earlier plug fail (as after a real unplug). Thread-safe.
*/
class MemoryHidHost : public hid::Host
{
public:
    MemoryHidHost() = default;
    ~MemoryHidHost() override;

    /** Plugs `device` in as the last interface. Plugging a device that is already plugged does nothing. */
    void plug (std::shared_ptr<VirtualHidDevice> device);

    /** Unplugs `device`: it leaves the list, its open handles fail from now on (waits in progress return
        WaitResult::failed) and its queued input reports are dropped. Does nothing when not plugged. */
    void unplug (const std::shared_ptr<VirtualHidDevice>& device);

    /** Unplugs every device. */
    void unplugAll();

    /** Interfaces present now. */
    int interfaceCount() const;

    bool interfacePath (int index, std::string& path) override;
    std::unique_ptr<hid::Device> open (const std::string& path) override;

    /** The ids of the plugged device, without opening it; false when its attributes are unreadable. */
    bool interfaceIds (const std::string& path, uint16_t& vendorId, uint16_t& productId) override;

    /** `path` itself when the device's identity says access is denied, otherwise empty. */
    std::string deniedNode (const std::string& path) override;

private:
    std::shared_ptr<VirtualHidDevice> find (const std::string& path, int& plugId) const;

    struct Slot
    {
        int plugId;
        std::shared_ptr<VirtualHidDevice> device;
    };

    mutable std::mutex mutex;
    std::vector<Slot> slots;
    int nextPlugId = 0;
};

} // namespace sim
