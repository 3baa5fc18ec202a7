#include "sim/MemoryHidHost.h"

#include "sim/MemoryHidHandle.h"

#include <algorithm>

namespace sim
{

MemoryHidHost::~MemoryHidHost()
{
    unplugAll();
}

void MemoryHidHost::plug (std::shared_ptr<VirtualHidDevice> device)
{
    if (device == nullptr)
        return;

    int plugId = 0;
    {
        std::lock_guard<std::mutex> lock (mutex);
        for (const auto& slot : slots)
            if (slot.device == device)
                return;
        plugId = nextPlugId++;
        slots.push_back ({ plugId, device });
    }
    device->attach (plugId);
}

void MemoryHidHost::unplug (const std::shared_ptr<VirtualHidDevice>& device)
{
    {
        std::lock_guard<std::mutex> lock (mutex);
        const auto it = std::find_if (slots.begin(), slots.end(), [&] (const Slot& s) { return s.device == device; });
        if (it == slots.end())
            return;
        slots.erase (it);
    }
    device->detach();
}

void MemoryHidHost::unplugAll()
{
    std::vector<Slot> removed;
    {
        std::lock_guard<std::mutex> lock (mutex);
        removed.swap (slots);
    }
    for (auto& slot : removed)
        slot.device->detach();
}

int MemoryHidHost::interfaceCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return static_cast<int> (slots.size());
}

bool MemoryHidHost::interfacePath (int index, std::string& path)
{
    std::lock_guard<std::mutex> lock (mutex);
    if (index < 0 || index >= static_cast<int> (slots.size()))
        return false;
    path = "mem:" + std::to_string (slots[static_cast<size_t> (index)].plugId);
    return true;
}

std::shared_ptr<VirtualHidDevice> MemoryHidHost::find (const std::string& path, int& plugId) const
{
    if (path.compare (0, 4, "mem:") != 0 || path.size() == 4)
        return nullptr;

    try
    {
        size_t used = 0;
        plugId = std::stoi (path.substr (4), &used);
        if (used != path.size() - 4)
            return nullptr;
    }
    catch (const std::exception&)
    {
        return nullptr;
    }

    std::lock_guard<std::mutex> lock (mutex);
    for (const auto& slot : slots)
        if (slot.plugId == plugId)
            return slot.device;
    return nullptr;
}

std::unique_ptr<hid::Device> MemoryHidHost::open (const std::string& path)
{
    int plugId = -1;
    auto device = find (path, plugId);
    if (device == nullptr)
        return nullptr;

    int generation = 0;
    {
        std::lock_guard<std::mutex> lock (device->mutex);
        if (! device->plugged || device->plugIdentifier != plugId)
            return nullptr;
        ++device->openAttempts;
        if (! device->ident.openable || device->ident.accessDenied)
            return nullptr;
        ++device->handles;
        ++device->opens;
        generation = device->generation;
    }
    return std::make_unique<MemoryHidHandle> (std::move (device), generation);
}

bool MemoryHidHost::interfaceIds (const std::string& path, uint16_t& vendorId, uint16_t& productId)
{
    int plugId = -1;
    const auto device = find (path, plugId);
    if (device == nullptr)
        return false;

    const auto identity = device->identity();
    vendorId = identity.vendorId;
    productId = identity.productId;
    return identity.attributesReadable;
}

std::string MemoryHidHost::deniedNode (const std::string& path)
{
    int plugId = -1;
    const auto device = find (path, plugId);
    return device != nullptr && device->identity().accessDenied ? path : std::string();
}

} // namespace sim
