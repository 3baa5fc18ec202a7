#include "link/hid/LinuxHidDevice.h"

#include "link/hid/UsbStrings.h"

#include <linux/usbdevice_fs.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace hid
{

namespace
{
constexpr int usbRequestGetDescriptor = 6;
constexpr int usbDescriptorString = 3;
constexpr int usbLanguageEnglishUs = 0x0409;
constexpr unsigned usbControlTimeoutMs = 1000;
}

LinuxHidDevice::LinuxHidDevice (int fileDescriptor, std::string uevent, std::string usbDeviceNode)
    : fd (fileDescriptor),
      wakeFd (::eventfd (0, EFD_NONBLOCK | EFD_CLOEXEC)),
      ueventPath (std::move (uevent)),
      usbNode (std::move (usbDeviceNode))
{
}

LinuxHidDevice::~LinuxHidDevice()
{
    if (fd >= 0)
        ::close (fd);
    if (wakeFd >= 0)
        ::close (wakeFd);
}

bool LinuxHidDevice::readUevent (std::string& text) const
{
    std::ifstream in (ueventPath);
    if (! in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool LinuxHidDevice::ueventValue (const std::string& uevent, const std::string& key, std::string& value)
{
    std::istringstream lines (uevent);
    std::string line;
    while (std::getline (lines, line))
    {
        if (line.size() > key.size() && line.compare (0, key.size(), key) == 0 && line[key.size()] == '=')
        {
            value = line.substr (key.size() + 1);
            return true;
        }
    }
    return false;
}

bool LinuxHidDevice::parseHidId (const std::string& hidId, uint16_t& vendorId, uint16_t& productId)
{
    // bus:vendor:product, each in hexadecimal ("0003:000016D0:00000F3C").
    unsigned long parts[3] = {};
    size_t start = 0;
    for (int i = 0; i < 3; ++i)
    {
        const size_t end = i < 2 ? hidId.find (':', start) : hidId.size();
        if (end == std::string::npos || end == start)
            return false;
        const std::string field = hidId.substr (start, end - start);
        char* stop = nullptr;
        errno = 0;
        parts[i] = std::strtoul (field.c_str(), &stop, 16);
        if (errno != 0 || *stop != '\0' || field.find_first_of ("+- ") != std::string::npos)
            return false;
        start = end + 1;
    }
    if (parts[1] > 0xffff || parts[2] > 0xffff)
        return false;
    vendorId = static_cast<uint16_t> (parts[1]);
    productId = static_cast<uint16_t> (parts[2]);
    return true;
}

bool LinuxHidDevice::getAttributes (uint16_t& vendorId, uint16_t& productId)
{
    std::string uevent, hidId;
    return readUevent (uevent) && ueventValue (uevent, "HID_ID", hidId) && parseHidId (hidId, vendorId, productId);
}

bool LinuxHidDevice::getSerialNumberString (void* buffer, size_t bytes)
{
    std::string uevent, serial;
    if (buffer == nullptr || ! readUevent (uevent) || ! ueventValue (uevent, "HID_UNIQ", serial) || serial.empty())
        return false;
    copyUtf8AsUtf16 (serial, buffer, bytes);
    return true;
}

bool LinuxHidDevice::getIndexedString (int index, void* buffer, size_t bytes)
{
    if (buffer == nullptr || usbNode.empty() || index < 0 || index > 255)
        return false;

    int usb = ::open (usbNode.c_str(), O_RDWR | O_CLOEXEC);
    if (usb < 0)
        usb = ::open (usbNode.c_str(), O_RDONLY | O_CLOEXEC);
    if (usb < 0)
        return false;

    uint8_t raw[255] = {};
    usbdevfs_ctrltransfer control {};
    control.bRequestType = 0x80; // device to host, standard, device
    control.bRequest = usbRequestGetDescriptor;
    control.wValue = static_cast<uint16_t> ((usbDescriptorString << 8) | index);
    control.wIndex = usbLanguageEnglishUs;
    control.wLength = sizeof (raw);
    control.timeout = usbControlTimeoutMs;
    control.data = raw;

    int transferred = -1;
    do
        transferred = ::ioctl (usb, USBDEVFS_CONTROL, &control);
    while (transferred < 0 && errno == EINTR);
    ::close (usb);

    return transferred > 0 && copyStringDescriptor (raw, static_cast<size_t> (transferred), buffer, bytes);
}

void LinuxHidDevice::tryWrite()
{
    while (writeState == Transfer::pending)
    {
        // hidraw sends one whole report per write: any accepted count means the report went out (writing
        // "the rest" would send a second report).
        const auto n = ::write (fd, writeBuffer, reportSize);
        if (n > 0)
        {
            writeState = Transfer::done;
        }
        else if (n < 0 && errno == EINTR)
        {
            continue;
        }
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            return;
        }
        else
        {
            writeState = Transfer::failed;
        }
    }
}

void LinuxHidDevice::tryRead()
{
    while (readState == Transfer::pending)
    {
        // hidraw gives the data bytes without the report id: one whole report per read.
        uint8_t data[reportSize - 1];
        const auto n = ::read (fd, data, sizeof (data));
        if (n > 0)
        {
            readTarget[0] = 0;
            std::memcpy (readTarget + 1, data, static_cast<size_t> (n));
            std::memset (readTarget + 1 + n, 0, sizeof (data) - static_cast<size_t> (n));
            readTarget = nullptr;
            readState = Transfer::done;
        }
        else if (n < 0 && errno == EINTR)
        {
            continue;
        }
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            return;
        }
        else
        {
            readTarget = nullptr;
            readState = Transfer::failed; // end of file or an error: the device is gone
        }
    }
}

bool LinuxHidDevice::startWrite (const uint8_t* report)
{
    if (! isUsable() || report == nullptr || writeState == Transfer::pending)
        return false;
    std::memcpy (writeBuffer, report, reportSize);
    writeState = Transfer::pending;
    tryWrite();
    if (writeState == Transfer::failed)
    {
        writeState = Transfer::idle;
        return false;
    }
    return true;
}

bool LinuxHidDevice::startRead (uint8_t* report)
{
    if (! isUsable() || report == nullptr || readState == Transfer::pending)
        return false;
    readTarget = report;
    readState = Transfer::pending;
    tryRead();
    if (readState == Transfer::failed)
    {
        readState = Transfer::idle;
        return false;
    }
    return true;
}

WaitResult LinuxHidDevice::waitFor (Transfer& state, short events, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs > 0 ? timeoutMs : 0);

    for (;;)
    {
        if (state == Transfer::done)
        {
            state = Transfer::idle;
            return WaitResult::completed;
        }
        if (state != Transfer::pending)
        {
            state = Transfer::idle;
            return WaitResult::failed;
        }

        const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (deadline - std::chrono::steady_clock::now()).count();
        pollfd fds[2] = { { fd, events, 0 }, { wakeFd, POLLIN, 0 } };
        const int ready = ::poll (fds, 2, left > 0 ? static_cast<int> (left) : 0);
        if (ready < 0 && errno != EINTR)
        {
            state = Transfer::idle;
            return WaitResult::failed;
        }

        if (ready > 0 && (fds[1].revents & POLLIN) != 0)
        {
            uint64_t count = 0;
            while (::read (wakeFd, &count, sizeof (count)) < 0 && errno == EINTR) {}
            return WaitResult::interrupted;
        }
        if (ready > 0 && (fds[0].revents & (events | POLLERR | POLLHUP | POLLNVAL)) != 0)
        {
            if ((fds[0].revents & POLLNVAL) != 0)
            {
                state = Transfer::idle;
                return WaitResult::failed;
            }
            // Let the transfer itself tell success from an error or a vanished device.
            if (&state == &writeState)
                tryWrite();
            else
                tryRead();
            if (state == Transfer::pending && (fds[0].revents & (POLLERR | POLLHUP)) != 0)
                state = Transfer::failed;
            continue;
        }
        if (ready == 0 && left <= 0)
            return WaitResult::timedOut;
    }
}

WaitResult LinuxHidDevice::waitWrite (int timeoutMs)
{
    return waitFor (writeState, POLLOUT, timeoutMs);
}

WaitResult LinuxHidDevice::waitRead (int timeoutMs)
{
    return waitFor (readState, POLLIN, timeoutMs);
}

void LinuxHidDevice::cancelIo()
{
    // Nothing is queued in the kernel: forgetting the transfers abandons them.
    writeState = Transfer::idle;
    readState = Transfer::idle;
    readTarget = nullptr;
}

void LinuxHidDevice::wake()
{
    const uint64_t one = 1;
    if (wakeFd >= 0)
        while (::write (wakeFd, &one, sizeof (one)) < 0 && errno == EINTR) {}
}

} // namespace hid
