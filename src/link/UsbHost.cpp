#include "link/UsbHost.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace
{
std::atomic<hid::Host*> installedHost { nullptr };

hid::Host& linuxHost()
{
    static std::once_flag once;
    static std::unique_ptr<hid::Host> host;
    std::call_once (once, [] { host = hid::createLinuxHost(); });
    return *host;
}
} // namespace

hid::Host& usbHost()
{
    if (auto* host = installedHost.load())
        return *host;
    return linuxHost();
}

void setUsbHost (hid::Host* host)
{
    installedHost.store (host);
}
