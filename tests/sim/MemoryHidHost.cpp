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

std::unique_ptr<hid::Device> MemoryHidHost::open (const std::string& path)
{
    if (path.compare (0, 4, "mem:") != 0 || path.size() == 4)
        return nullptr;

    int plugId = -1;
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

    std::shared_ptr<VirtualHidDevice> device;
    {
        std::lock_guard<std::mutex> lock (mutex);
        for (const auto& slot : slots)
            if (slot.plugId == plugId)
                device = slot.device;
    }
    if (device == nullptr)
        return nullptr;

    int generation = 0;
    {
        std::lock_guard<std::mutex> lock (device->mutex);
        if (! device->plugged || device->plugIdentifier != plugId || ! device->ident.openable)
            return nullptr;
        ++device->handles;
        ++device->opens;
        generation = device->generation;
    }
    return std::make_unique<MemoryHidHandle> (std::move (device), generation);
}

} // namespace sim
