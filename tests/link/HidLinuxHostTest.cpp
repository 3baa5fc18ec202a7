// The hidraw platform layer against a made-up sysfs tree, with a pseudo-terminal as the device node.
#include "link/hid/LinuxHidDevice.h"
#include "link/hid/LinuxHidHost.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace
{

void makeDirs (const std::string& path)
{
    for (size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/')
            ::mkdir (path.substr (0, i).c_str(), 0755);
}

void writeFile (const std::string& path, const std::string& text)
{
    std::ofstream (path) << text;
}

/** A made-up /sys and /dev in a temporary folder, shaped like the kernel's: the hidraw class entry links
    into the device tree, its "device" link leads to the HID device (with uevent), whose parents are the
    USB interface and the USB device (with busnum and devnum). */
class FakeMachine
{
public:
    FakeMachine()
    {
        char pattern[] = "/tmp/hidtest.XXXXXX";
        root = ::mkdtemp (pattern);
        sys = root + "/sys";
        dev = root + "/dev";
        makeDirs (sys + "/class/hidraw");
        makeDirs (dev);
    }

    ~FakeMachine()
    {
        for (int fd : masters)
            ::close (fd);
        std::error_code ignored;
        std::filesystem::remove_all (root, ignored);
    }

    /** Adds hidrawN for a USB device on bus/devnum (0 for none) with the given uevent lines. */
    void addHidraw (int n, const std::string& uevent, int bus = 1, int devnum = 5)
    {
        const std::string usb = sys + "/devices/pci0000:00/usb" + std::to_string (n) + "/1-" + std::to_string (n);
        const std::string hidDevice = usb + "/1-" + std::to_string (n) + ":1.0/0003:16D0:0F3C.000" + std::to_string (n);
        const std::string name = "hidraw" + std::to_string (n);
        makeDirs (hidDevice + "/hidraw/" + name);
        writeFile (hidDevice + "/uevent", uevent);
        if (bus > 0)
        {
            writeFile (usb + "/busnum", std::to_string (bus) + "\n");
            writeFile (usb + "/devnum", std::to_string (devnum) + "\n");
        }
        [[maybe_unused]] int r = ::symlink ((hidDevice + "/hidraw/" + name).c_str(), (sys + "/class/hidraw/" + name).c_str());
        const std::string up = "../../../0003:16D0:0F3C.000" + std::to_string (n); // as the kernel links it
        r = ::symlink (up.c_str(), (hidDevice + "/hidraw/" + name + "/device").c_str());
    }

    /** Makes <dev>/hidrawN a raw-mode pseudo-terminal; returns the other end. */
    int addDeviceNode (int n)
    {
        const int master = ::posix_openpt (O_RDWR | O_NOCTTY);
        EXPECT_GE (master, 0);
        EXPECT_EQ (::grantpt (master), 0);
        EXPECT_EQ (::unlockpt (master), 0);
        termios raw {};
        ::tcgetattr (master, &raw);
        ::cfmakeraw (&raw);
        ::tcsetattr (master, TCSANOW, &raw);
        [[maybe_unused]] const int r = ::symlink (::ptsname (master), (dev + "/hidraw" + std::to_string (n)).c_str());
        masters.push_back (master);
        return master;
    }

    void closeNode (int master)
    {
        ::close (master);
        masters.erase (std::find (masters.begin(), masters.end(), master));
    }

    std::string root, sys, dev;
    std::vector<int> masters;
};

const char* speakerUevent = "DRIVER=hid-generic\nHID_ID=0003:000016D0:00000F3C\nHID_NAME=Test Speaker\n"
                            "HID_PHYS=usb-0000:00:14.0-1/input0\nHID_UNIQ=SN0042\nMODALIAS=hid:b0003g0001v000016D0p00000F3C\n";

/** Reads exactly `count` bytes from `fd`, waiting up to a second in all. */
std::vector<uint8_t> readExactly (int fd, size_t count)
{
    std::vector<uint8_t> data;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (1);
    while (data.size() < count && std::chrono::steady_clock::now() < deadline)
    {
        pollfd p { fd, POLLIN, 0 };
        if (::poll (&p, 1, 50) > 0)
        {
            uint8_t buffer[128];
            const auto n = ::read (fd, buffer, std::min (sizeof (buffer), count - data.size()));
            if (n > 0)
                data.insert (data.end(), buffer, buffer + n);
        }
    }
    return data;
}

std::string utf16Text (const uint8_t* buffer, size_t bytes)
{
    std::string text;
    for (size_t i = 0; i + 1 < bytes && (buffer[i] | buffer[i + 1]) != 0; i += 2)
        text += static_cast<char> (buffer[i]);
    return text;
}

} // namespace

TEST (HidLinuxHost, EnumeratesHidrawNodesByNumber)
{
    FakeMachine m;
    m.addHidraw (10, speakerUevent);
    m.addHidraw (2, speakerUevent);
    m.addHidraw (0, speakerUevent);
    makeDirs (m.sys + "/class/hidraw/hidrawX");
    makeDirs (m.sys + "/class/hidraw/other");

    auto host = hid::createLinuxHost (m.sys, m.dev);
    std::string path;
    ASSERT_TRUE (host->interfacePath (0, path));
    EXPECT_EQ (path, m.dev + "/hidraw0");
    ASSERT_TRUE (host->interfacePath (1, path));
    EXPECT_EQ (path, m.dev + "/hidraw2");
    ASSERT_TRUE (host->interfacePath (2, path));
    EXPECT_EQ (path, m.dev + "/hidraw10") << "numbers sort as numbers, not as text";
    EXPECT_FALSE (host->interfacePath (3, path));
    EXPECT_FALSE (host->interfacePath (-1, path));

    auto empty = hid::createLinuxHost (m.root + "/nowhere", m.dev);
    EXPECT_FALSE (empty->interfacePath (0, path));
}

TEST (HidLinuxHost, ReadsIdsAndSerialFromUevent)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    m.addDeviceNode (0);
    m.addHidraw (1, "HID_ID=0003:0000046D:0000C52B\nHID_UNIQ=\n");
    m.addDeviceNode (1);

    auto host = hid::createLinuxHost (m.sys, m.dev);
    auto device = host->open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);

    uint16_t vendor = 0, product = 0;
    ASSERT_TRUE (device->getAttributes (vendor, product));
    EXPECT_EQ (vendor, 0x16d0);
    EXPECT_EQ (product, 0x0f3c);

    uint8_t serial[32];
    std::fill (std::begin (serial), std::end (serial), 0xee);
    ASSERT_TRUE (device->getSerialNumberString (serial, sizeof (serial)));
    EXPECT_EQ (utf16Text (serial, sizeof (serial)), "SN0042");
    EXPECT_EQ (serial[31], 0) << "zero-filled after the text";

    uint8_t shortBuffer[6] = {};
    ASSERT_TRUE (device->getSerialNumberString (shortBuffer, sizeof (shortBuffer)));
    EXPECT_EQ (utf16Text (shortBuffer, sizeof (shortBuffer)), "SN0");

    auto other = host->open (m.dev + "/hidraw1");
    ASSERT_NE (other, nullptr);
    ASSERT_TRUE (other->getAttributes (vendor, product));
    EXPECT_EQ (vendor, 0x046d);
    EXPECT_EQ (product, 0xc52b);
    EXPECT_FALSE (other->getSerialNumberString (serial, sizeof (serial))) << "no serial number";
}

TEST (HidLinuxHost, BrokenOrMissingIdentityFails)
{
    FakeMachine m;
    m.addHidraw (0, "HID_ID=0003:000016D0\nHID_UNIQ=x\n");
    m.addDeviceNode (0);
    m.addHidraw (1, "HID_ID=0003:0001FFFF:00000F3C\n");
    m.addDeviceNode (1);
    m.addHidraw (2, "HID_NAME=no ids\n");
    m.addDeviceNode (2);

    auto host = hid::createLinuxHost (m.sys, m.dev);
    for (int n = 0; n < 3; ++n)
    {
        auto device = host->open (m.dev + "/hidraw" + std::to_string (n));
        ASSERT_NE (device, nullptr);
        uint16_t vendor = 0, product = 0;
        EXPECT_FALSE (device->getAttributes (vendor, product)) << "hidraw" << n;
    }

    uint16_t vendor = 0, product = 0;
    EXPECT_TRUE (hid::LinuxHidDevice::parseHidId ("0005:0000054C:000005C4", vendor, product));
    EXPECT_EQ (vendor, 0x054c);
    EXPECT_FALSE (hid::LinuxHidDevice::parseHidId ("0003::00000F3C", vendor, product));
    EXPECT_FALSE (hid::LinuxHidDevice::parseHidId ("0003:16D0:0F3C:1", vendor, product));
    EXPECT_FALSE (hid::LinuxHidDevice::parseHidId ("0003:-16D0:0F3C", vendor, product));
}

TEST (HidLinuxHost, FindsTheUsbDeviceNodeAboveTheHidDevice)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent, 3, 17);
    m.addHidraw (1, speakerUevent, 0);
    m.addDeviceNode (0);

    hid::LinuxHidHost host (m.sys, m.dev);
    EXPECT_EQ (host.usbDeviceNode ("hidraw0"), m.dev + "/bus/usb/003/017");
    EXPECT_EQ (host.usbDeviceNode ("hidraw1"), "") << "no busnum/devnum inside the sysfs tree";
    EXPECT_EQ (host.usbDeviceNode ("hidraw9"), "");
    EXPECT_EQ (host.usbDeviceNode ("../x"), "");

    // A usbfs node that is no USB device: string 4 cannot be read, and that is reported.
    makeDirs (m.dev + "/bus/usb/003");
    writeFile (m.dev + "/bus/usb/003/017", "not a device");
    auto device = host.open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);
    uint8_t text[6] = {};
    EXPECT_FALSE (device->getIndexedString (4, text, sizeof (text)));
}

TEST (HidLinuxHost, OpenFailsForMissingNodes)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    auto host = hid::createLinuxHost (m.sys, m.dev);
    EXPECT_EQ (host->open (m.dev + "/hidraw0"), nullptr);
    EXPECT_EQ (host->open (m.dev + "/hidraw7"), nullptr);

    // The ids come from sysfs, without the node.
    uint16_t vendor = 0, product = 0;
    EXPECT_TRUE (host->interfaceIds (m.dev + "/hidraw0", vendor, product));
    EXPECT_EQ (vendor, 0x16d0);
    EXPECT_FALSE (host->interfaceIds (m.dev + "/hidraw7", vendor, product));
}

TEST (HidLinuxHost, WritesWholeReportsAndReadsDataAfterAReportId)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    const int other = m.addDeviceNode (0);
    auto device = hid::createLinuxHost (m.sys, m.dev)->open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);

    uint8_t out[hid::reportSize];
    for (int i = 0; i < hid::reportSize; ++i)
        out[i] = static_cast<uint8_t> (i * 3);
    out[0] = 0;
    ASSERT_TRUE (device->startWrite (out));
    ASSERT_EQ (device->waitWrite (200), hid::WaitResult::completed);
    const auto written = readExactly (other, hid::reportSize);
    ASSERT_EQ (written.size(), size_t (hid::reportSize)) << "report id byte and 63 data bytes";
    EXPECT_TRUE (std::equal (written.begin(), written.end(), out));

    // The device sends 63 data bytes; the layer puts the report id 0 before them.
    uint8_t data[hid::reportSize - 1];
    for (int i = 0; i < hid::reportSize - 1; ++i)
        data[i] = static_cast<uint8_t> (0x80 + i);
    ASSERT_EQ (::write (other, data, sizeof (data)), ssize_t (sizeof (data)));

    uint8_t in[hid::reportSize];
    std::fill (std::begin (in), std::end (in), 0xee);
    ASSERT_TRUE (device->startRead (in));
    ASSERT_EQ (device->waitRead (1000), hid::WaitResult::completed);
    EXPECT_EQ (in[0], 0);
    EXPECT_TRUE (std::equal (data, data + sizeof (data), in + 1));
}

TEST (HidLinuxHost, ReadTimesOutStaysPendingAndCanBeCancelled)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    const int other = m.addDeviceNode (0);
    auto device = hid::createLinuxHost (m.sys, m.dev)->open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);

    uint8_t in[hid::reportSize] = {};
    ASSERT_TRUE (device->startRead (in));
    EXPECT_EQ (device->waitRead (10), hid::WaitResult::timedOut);
    EXPECT_FALSE (device->startRead (in)) << "one read at a time";

    // Still pending: data arriving now completes it.
    const uint8_t data[hid::reportSize - 1] = { '/', 'x' };
    ASSERT_EQ (::write (other, data, sizeof (data)), ssize_t (sizeof (data)));
    ASSERT_EQ (device->waitRead (1000), hid::WaitResult::completed);
    EXPECT_EQ (in[1], '/');

    ASSERT_TRUE (device->startRead (in));
    EXPECT_EQ (device->waitRead (0), hid::WaitResult::timedOut);
    device->cancelIo();
    EXPECT_EQ (device->waitRead (0), hid::WaitResult::failed) << "nothing pending after cancelIo";
    EXPECT_EQ (device->waitWrite (0), hid::WaitResult::failed);
    ASSERT_TRUE (device->startRead (in));
    EXPECT_EQ (device->waitRead (5), hid::WaitResult::timedOut);
}

TEST (HidLinuxHost, WakeInterruptsAWaitFromAnotherThread)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    m.addDeviceNode (0);
    auto device = hid::createLinuxHost (m.sys, m.dev)->open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);

    uint8_t in[hid::reportSize] = {};
    ASSERT_TRUE (device->startRead (in));
    std::thread waker ([&] {
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
        device->wake();
    });
    EXPECT_EQ (device->waitRead (20000), hid::WaitResult::interrupted);
    waker.join();

    // A wake with no wait in progress interrupts the next wait once.
    device->wake();
    EXPECT_EQ (device->waitRead (20000), hid::WaitResult::interrupted);
    EXPECT_EQ (device->waitRead (5), hid::WaitResult::timedOut);
}

TEST (HidLinuxHost, VanishedDeviceFailsTransfers)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    const int other = m.addDeviceNode (0);
    auto device = hid::createLinuxHost (m.sys, m.dev)->open (m.dev + "/hidraw0");
    ASSERT_NE (device, nullptr);

    uint8_t in[hid::reportSize] = {};
    ASSERT_TRUE (device->startRead (in));
    m.closeNode (other);
    EXPECT_EQ (device->waitRead (2000), hid::WaitResult::failed);

    const uint8_t out[hid::reportSize] = {};
    if (device->startWrite (out))
    {
        EXPECT_EQ (device->waitWrite (2000), hid::WaitResult::failed);
    }
}

TEST (HidLinuxHost, AWriteTheNodeDoesNotTakeKeepsItsTimeOutAndBlocksNeitherReadsNorClosing)
{
    FakeMachine m;
    m.addHidraw (0, speakerUevent);
    const int other = m.addDeviceNode (0);
    const std::string node = m.dev + "/hidraw0";

    // Nobody reads the other end: fill it until it takes nothing more.
    const int filler = ::open (node.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY);
    ASSERT_GE (filler, 0);
    const std::vector<uint8_t> chunk (4096, 0x55);
    for (pollfd room { filler, POLLOUT, 0 }; ::poll (&room, 1, 100) > 0;)
        while (::write (filler, chunk.data(), chunk.size()) > 0) {}
    ::close (filler);

    // hidraw ignores O_NONBLOCK for writes: write() blocks until the report is out (or 5 s). A node opened
    // blocking behaves the same.
    const int fd = ::open (node.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE (fd, 0);
    auto device = std::make_unique<hid::LinuxHidDevice> (fd, "", "");
    ASSERT_TRUE (device->isUsable());

    std::promise<void> done;
    auto finished = done.get_future();
    std::thread user ([&] {
        const uint8_t out[hid::reportSize] = {};
        for (int attempt = 0; attempt < 2; ++attempt) // the second behind the first, still in the kernel
        {
            EXPECT_TRUE (device->startWrite (out));
            EXPECT_EQ (device->waitWrite (200), hid::WaitResult::timedOut);
            device->cancelIo();
        }

        const uint8_t data[hid::reportSize - 1] = { '/', 'r' };
        EXPECT_EQ (::write (other, data, sizeof (data)), ssize_t (sizeof (data)));
        uint8_t in[hid::reportSize] = {};
        EXPECT_TRUE (device->startRead (in));
        EXPECT_EQ (device->waitRead (2000), hid::WaitResult::completed);
        EXPECT_EQ (in[2], 'r');

        device.reset();
        done.set_value();
    });

    const bool returned = finished.wait_for (std::chrono::seconds (10)) == std::future_status::ready;
    EXPECT_TRUE (returned) << "the device blocked in a write";
    while (finished.wait_for (std::chrono::milliseconds (1)) != std::future_status::ready)
        readExactly (other, 1 << 16); // take what the node holds, so that the stuck write ends
    user.join();
}
