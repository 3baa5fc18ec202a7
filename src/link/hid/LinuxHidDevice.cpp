#include "link/hid/LinuxHidDevice.h"

#include "link/hid/UsbStrings.h"

#include <linux/usbdevice_fs.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

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

void signalEvent (int eventFd)
{
    const uint64_t one = 1;
    if (eventFd >= 0)
        while (::write (eventFd, &one, sizeof (one)) < 0 && errno == EINTR) {}
}

void drainEvent (int eventFd)
{
    uint64_t count = 0;
    while (::read (eventFd, &count, sizeof (count)) < 0 && errno == EINTR) {}
}

bool readFile (const std::string& path, std::string& text)
{
    std::ifstream in (path);
    if (! in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}
} // namespace

/** The open node and the hand-over to the writer thread. The device and its writer thread share it; the
    node is closed when the last of them lets go, so a write still in the kernel never meets a closed (or
    reused) descriptor. */
struct LinuxHidDevice::Node
{
    explicit Node (int fileDescriptor)
        : fd (fileDescriptor),
          doneFd (::eventfd (0, EFD_NONBLOCK | EFD_CLOEXEC)),
          closedFd (::eventfd (0, EFD_NONBLOCK | EFD_CLOEXEC))
    {
    }

    ~Node()
    {
        for (int f : { fd, doneFd, closedFd })
            if (f >= 0)
                ::close (f);
    }

    /** Writes one whole report, blocking as hidraw does; false on an error, or when the device closes
        while the node cannot take the report (a node that honours O_NONBLOCK says so instead of blocking). */
    bool writeReport (const uint8_t* report) const
    {
        for (;;)
        {
            // hidraw sends one whole report per write: any accepted count means the report went out
            // (writing "the rest" would send a second report).
            const auto n = ::write (fd, report, reportSize);
            if (n > 0)
                return true;
            if (n < 0 && errno == EINTR)
                continue;
            if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                return false;

            pollfd fds[2] = { { fd, POLLOUT, 0 }, { closedFd, POLLIN, 0 } };
            if (::poll (fds, 2, -1) < 0 && errno != EINTR)
                return false;
            if ((fds[1].revents & POLLIN) != 0)
                return false;
            if ((fds[0].revents & POLLOUT) == 0 && (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return false;
        }
    }

    /** The writer thread: one report at a time, until the device closes. */
    static void writeLoop (std::shared_ptr<Node> node)
    {
        std::unique_lock<std::mutex> sl (node->lock);
        for (;;)
        {
            node->work.wait (sl, [&] { return node->closed || node->queuedTicket != 0; });
            if (node->closed)
                return;

            uint8_t report[reportSize];
            std::memcpy (report, node->queued, sizeof (report));
            const uint64_t ticket = node->queuedTicket;
            node->queuedTicket = 0;

            sl.unlock();
            const bool written = node->writeReport (report);
            sl.lock();

            node->finishedTicket = ticket;
            node->finishedWritten = written;
            signalEvent (node->doneFd);
        }
    }

    const int fd;
    const int doneFd;    // signalled by the writer thread when a write has finished
    const int closedFd;  // signalled when the device closes

    std::mutex lock;     // guards the fields below
    std::condition_variable work;
    bool closed = false;
    uint64_t lastTicket = 0;
    uint64_t queuedTicket = 0;  // the report waiting for the writer thread; 0 when none
    uint8_t queued[reportSize] {};
    uint64_t finishedTicket = 0;
    bool finishedWritten = false;
};

LinuxHidDevice::LinuxHidDevice (int fileDescriptor, std::string uevent, std::string usbDeviceNode)
    : node (std::make_shared<Node> (fileDescriptor)),
      wakeFd (::eventfd (0, EFD_NONBLOCK | EFD_CLOEXEC)),
      ueventPath (std::move (uevent)),
      usbNode (std::move (usbDeviceNode))
{
}

LinuxHidDevice::~LinuxHidDevice()
{
    // A writer thread stuck in the kernel is not waited for: it lets go of the node when its write returns.
    {
        const std::lock_guard<std::mutex> sl (node->lock);
        node->closed = true;
        node->work.notify_all();
    }
    signalEvent (node->closedFd);

    if (wakeFd >= 0)
        ::close (wakeFd);
}

bool LinuxHidDevice::isUsable() const noexcept
{
    return node->fd >= 0 && node->doneFd >= 0 && node->closedFd >= 0 && wakeFd >= 0;
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

bool LinuxHidDevice::readHidIds (const std::string& path, uint16_t& vendorId, uint16_t& productId)
{
    std::string uevent, hidId;
    return readFile (path, uevent) && ueventValue (uevent, "HID_ID", hidId) && parseHidId (hidId, vendorId, productId);
}

bool LinuxHidDevice::getAttributes (uint16_t& vendorId, uint16_t& productId)
{
    return readHidIds (ueventPath, vendorId, productId);
}

bool LinuxHidDevice::getSerialNumberString (void* buffer, size_t bytes)
{
    std::string uevent, serial;
    if (buffer == nullptr || ! readFile (ueventPath, uevent) || ! ueventValue (uevent, "HID_UNIQ", serial)
        || serial.empty())
        return false;
    copyUtf8AsUtf16 (serial, buffer, bytes);
    return true;
}

bool LinuxHidDevice::getIndexedString (int index, void* buffer, size_t bytes)
{
    if (buffer == nullptr || usbNode.empty() || index < 0 || index > 255)
        return false;

    // The kernel takes control requests only on a usbfs node opened for writing.
    const int usb = ::open (usbNode.c_str(), O_RDWR | O_CLOEXEC);
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

void LinuxHidDevice::tryRead()
{
    while (readState == Transfer::pending)
    {
        // Read only what is there, so that a node opened without O_NONBLOCK never blocks here either.
        pollfd ready { node->fd, POLLIN, 0 };
        if (::poll (&ready, 1, 0) == 0)
            return;

        // hidraw gives the data bytes without the report id: one whole report per read.
        uint8_t data[reportSize - 1];
        const auto n = ::read (node->fd, data, sizeof (data));
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
    if (! isUsable() || report == nullptr || writeTicket != 0)
        return false;

    if (! writerStarted)
    {
        try
        {
            std::thread (Node::writeLoop, node).detach();
        }
        catch (const std::system_error&)
        {
            return false;
        }
        writerStarted = true;
    }

    const std::lock_guard<std::mutex> sl (node->lock);
    std::memcpy (node->queued, report, reportSize);
    writeTicket = node->queuedTicket = ++node->lastTicket;
    node->work.notify_all();
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

LinuxHidDevice::Ready LinuxHidDevice::pollOrWake (int watched, std::chrono::steady_clock::time_point deadline,
                                                  short& revents)
{
    for (;;)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (deadline - std::chrono::steady_clock::now()).count();
        pollfd fds[2] = { { watched, POLLIN, 0 }, { wakeFd, POLLIN, 0 } };
        const int ready = ::poll (fds, 2, left > 0 ? static_cast<int> (left) : 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Ready::failed;
        if ((fds[1].revents & POLLIN) != 0)
        {
            drainEvent (wakeFd);
            return Ready::woken;
        }
        revents = fds[0].revents;
        if (ready > 0)
            return Ready::ready;
        if (left <= 0)
            return Ready::timedOut;
    }
}

WaitResult LinuxHidDevice::waitWrite (int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs > 0 ? timeoutMs : 0);

    while (writeTicket != 0)
    {
        {
            const std::lock_guard<std::mutex> sl (node->lock);
            if (node->finishedTicket == writeTicket)
            {
                writeTicket = 0;
                return node->finishedWritten ? WaitResult::completed : WaitResult::failed;
            }
        }

        // The writer thread signals every finished write, this one's or an abandoned one before it.
        short revents = 0;
        switch (pollOrWake (node->doneFd, deadline, revents))
        {
            case Ready::ready:    drainEvent (node->doneFd); break;
            case Ready::woken:    return WaitResult::interrupted;
            case Ready::timedOut: return WaitResult::timedOut;
            case Ready::failed:   cancelIo(); return WaitResult::failed;
        }
    }
    return WaitResult::failed;
}

WaitResult LinuxHidDevice::waitRead (int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (timeoutMs > 0 ? timeoutMs : 0);

    for (;;)
    {
        if (readState == Transfer::done)
        {
            readState = Transfer::idle;
            return WaitResult::completed;
        }
        if (readState != Transfer::pending)
        {
            readState = Transfer::idle;
            return WaitResult::failed;
        }

        short revents = 0;
        switch (pollOrWake (node->fd, deadline, revents))
        {
            case Ready::woken:    return WaitResult::interrupted;
            case Ready::timedOut: return WaitResult::timedOut;
            case Ready::failed:   readState = Transfer::failed; continue;
            case Ready::ready:    break;
        }

        if ((revents & POLLNVAL) != 0)
        {
            readState = Transfer::failed;
            continue;
        }
        // Let the read itself tell a report from an error or a vanished device.
        tryRead();
        if (readState == Transfer::pending && (revents & (POLLERR | POLLHUP)) != 0)
            readState = Transfer::failed;
    }
}

void LinuxHidDevice::cancelIo()
{
    // A report the writer thread has not taken yet is dropped; one already in the kernel cannot be called
    // back and finishes on its own. Reads are not queued in the kernel: forgetting them abandons them.
    if (writeTicket != 0)
    {
        const std::lock_guard<std::mutex> sl (node->lock);
        if (node->queuedTicket == writeTicket)
            node->queuedTicket = 0;
        writeTicket = 0;
    }
    readState = Transfer::idle;
    readTarget = nullptr;
}

void LinuxHidDevice::wake()
{
    signalEvent (wakeFd);
}

} // namespace hid
