#include "link/hid/LinuxHidHost.h"

#include "link/hid/LinuxHidDevice.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hid
{

namespace
{

const std::string hidrawPrefix = "hidraw";

// The number of a "hidrawN" name; -1 for any other name.
long hidrawNumber (const std::string& name)
{
    if (name.size() <= hidrawPrefix.size() || name.compare (0, hidrawPrefix.size(), hidrawPrefix) != 0)
        return -1;
    const std::string digits = name.substr (hidrawPrefix.size());
    if (digits.size() > 9 || ! std::all_of (digits.begin(), digits.end(), [] (char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::strtol (digits.c_str(), nullptr, 10);
}

std::string realPath (const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath (path.c_str(), resolved) != nullptr ? std::string (resolved) : std::string();
}

bool readNumber (const std::string& path, int& value)
{
    std::ifstream in (path);
    return static_cast<bool> (in >> value);
}

bool isFile (const std::string& path)
{
    struct stat info {};
    return ::stat (path.c_str(), &info) == 0 && S_ISREG (info.st_mode);
}

// The last part of a device path ("hidraw3" of "/dev/hidraw3").
std::string nodeName (const std::string& path)
{
    const auto slash = path.find_last_of ('/');
    return slash == std::string::npos ? path : path.substr (slash + 1);
}

bool isDenied (const std::string& node)
{
    return ::faccessat (AT_FDCWD, node.c_str(), R_OK | W_OK, AT_EACCESS) != 0 && (errno == EACCES || errno == EPERM);
}

} // namespace

LinuxHidHost::LinuxHidHost (std::string sys, std::string dev)
    : sysRoot (std::move (sys)), devRoot (std::move (dev))
{
}

std::vector<std::string> LinuxHidHost::hidrawNames() const
{
    std::vector<std::pair<long, std::string>> found;
    if (DIR* dir = ::opendir ((sysRoot + "/class/hidraw").c_str()))
    {
        while (const dirent* entry = ::readdir (dir))
        {
            const std::string name (entry->d_name);
            const long number = hidrawNumber (name);
            if (number >= 0)
                found.emplace_back (number, name);
        }
        ::closedir (dir);
    }
    std::sort (found.begin(), found.end());

    std::vector<std::string> names;
    for (auto& entry : found)
        names.push_back (std::move (entry.second));
    return names;
}

bool LinuxHidHost::interfacePath (int index, std::string& path)
{
    const auto names = hidrawNames();
    if (index < 0 || index >= static_cast<int> (names.size()))
        return false;
    path = devRoot + "/" + names[static_cast<size_t> (index)];
    return true;
}

std::string LinuxHidHost::usbDeviceNode (const std::string& name) const
{
    if (hidrawNumber (name) < 0)
        return {};

    const std::string root = realPath (sysRoot);
    std::string dir = realPath (sysRoot + "/class/hidraw/" + name + "/device");
    if (root.empty() || dir.empty())
        return {};

    // Walk up from the HID device to its USB device, the first ancestor with busnum and devnum, without
    // leaving the sysfs tree.
    while (dir.size() > root.size() && dir.compare (0, root.size(), root) == 0 && dir[root.size()] == '/')
    {
        int bus = 0, device = 0;
        if (isFile (dir + "/busnum") && isFile (dir + "/devnum"))
        {
            if (! readNumber (dir + "/busnum", bus) || ! readNumber (dir + "/devnum", device)
                || bus <= 0 || bus > 999 || device <= 0 || device > 999)
                return {};
            char node[32];
            std::snprintf (node, sizeof (node), "/bus/usb/%03d/%03d", bus, device);
            return devRoot + node;
        }
        dir.erase (dir.find_last_of ('/'));
    }
    return {};
}

std::string LinuxHidHost::ueventPath (const std::string& name) const
{
    return sysRoot + "/class/hidraw/" + name + "/device/uevent";
}

std::unique_ptr<Device> LinuxHidHost::open (const std::string& path)
{
    const std::string name = nodeName (path);

    const int fd = ::open (path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;

    auto device = std::make_unique<LinuxHidDevice> (fd, ueventPath (name), usbDeviceNode (name));
    if (! device->isUsable())
        return nullptr;
    return device;
}

bool LinuxHidHost::interfaceIds (const std::string& path, uint16_t& vendorId, uint16_t& productId)
{
    const std::string name = nodeName (path);
    return hidrawNumber (name) >= 0 && LinuxHidDevice::readHidIds (ueventPath (name), vendorId, productId);
}

std::string LinuxHidHost::deniedNode (const std::string& path)
{
    if (isDenied (path))
        return path;
    const std::string usbNode = usbDeviceNode (nodeName (path));
    return ! usbNode.empty() && isDenied (usbNode) ? usbNode : std::string();
}

std::unique_ptr<Host> createLinuxHost (const std::string& sysRoot, const std::string& devRoot)
{
    return std::make_unique<LinuxHidHost> (sysRoot, devRoot);
}

} // namespace hid
