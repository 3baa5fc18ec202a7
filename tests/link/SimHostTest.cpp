// The in-memory HID host: plugging, identity, report timing, waits, wake and unplug.
#include "sim/MemoryHidHost.h"
#include "sim/OscCodec.h"

#include <gtest/gtest.h>

#include <thread>

using namespace sim;

namespace
{

Report reportFor (const std::string& address, const OscArgs& args = {})
{
    return OscCodec::frame (OscCodec::encode (address, args));
}

std::string utf16Text (const uint8_t* buffer, size_t bytes)
{
    std::string text;
    for (size_t i = 0; i + 1 < bytes && (buffer[i] | buffer[i + 1]) != 0; i += 2)
        text += static_cast<char> (buffer[i]);
    return text;
}

bool writeReport (hid::Device& device, const Report& report)
{
    return device.startWrite (report.data()) && device.waitWrite (1000) == hid::WaitResult::completed;
}

} // namespace

TEST (SimHost, ListsInterfacesInPlugOrderWithFreshPathsOnReplug)
{
    MemoryHidHost host;
    auto a = std::make_shared<VirtualHidDevice>();
    auto b = std::make_shared<VirtualHidDevice>();
    std::string path;
    EXPECT_FALSE (host.interfacePath (0, path));

    host.plug (a);
    host.plug (b);
    host.plug (a); // already plugged: no second entry
    EXPECT_EQ (host.interfaceCount(), 2);
    std::string pathA, pathB;
    ASSERT_TRUE (host.interfacePath (0, pathA));
    ASSERT_TRUE (host.interfacePath (1, pathB));
    EXPECT_NE (pathA, pathB);
    EXPECT_FALSE (host.interfacePath (2, path));

    host.unplug (a);
    EXPECT_FALSE (a->isPlugged());
    ASSERT_TRUE (host.interfacePath (0, path));
    EXPECT_EQ (path, pathB);
    EXPECT_EQ (host.open (pathA), nullptr) << "an unplugged device cannot be opened";

    host.plug (a);
    ASSERT_TRUE (host.interfacePath (1, path));
    EXPECT_NE (path, pathA) << "a device plugged in again has a new path";
    EXPECT_NE (host.open (path), nullptr);
    EXPECT_EQ (host.open ("mem:x"), nullptr);
    EXPECT_EQ (host.open ("/dev/hidraw0"), nullptr);
}

TEST (SimHost, GivesTheDeviceIdentity)
{
    MemoryHidHost host;
    HidIdentity identity;
    identity.vendorId = 0x1234;
    identity.productId = 0xabcd;
    identity.string4 = "APX-12";
    identity.serial = "0123456789ABCDEFG";
    auto device = std::make_shared<VirtualHidDevice> (identity);
    host.plug (device);

    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);
    ASSERT_NE (handle, nullptr);
    EXPECT_EQ (device->openHandleCount(), 1);

    uint16_t vendor = 0, product = 0;
    ASSERT_TRUE (handle->getAttributes (vendor, product));
    EXPECT_EQ (vendor, 0x1234);
    EXPECT_EQ (product, 0xabcd);

    uint8_t six[6];
    ASSERT_TRUE (handle->getIndexedString (4, six, sizeof (six)));
    EXPECT_EQ (utf16Text (six, sizeof (six)), "APX");
    EXPECT_FALSE (handle->getIndexedString (2, six, sizeof (six)));

    uint8_t serial[32];
    ASSERT_TRUE (handle->getSerialNumberString (serial, sizeof (serial)));
    EXPECT_EQ (utf16Text (serial, sizeof (serial)), "0123456789ABCDEF") << "cut to 16 units";

    identity.string4.reset();
    identity.serial.reset();
    identity.attributesReadable = false;
    device->setIdentity (identity);
    EXPECT_FALSE (handle->getIndexedString (4, six, sizeof (six)));
    EXPECT_FALSE (handle->getSerialNumberString (serial, sizeof (serial)));
    EXPECT_FALSE (handle->getAttributes (vendor, product));

    identity.openable = false;
    device->setIdentity (identity);
    EXPECT_EQ (host.open (path), nullptr);
    EXPECT_EQ (device->openCount(), 1);

    handle.reset();
    EXPECT_EQ (device->openHandleCount(), 0);
}

TEST (SimHost, ReportsCrossOnePerFrameInEachDirection)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);
    ASSERT_NE (handle, nullptr);

    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE (writeReport (*handle, reportFor ("/w", { int32_t (i) })));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE (device->queueMessage ("/r", { int32_t (i) }));

    Report in {};
    for (int i = 0; i < 5; ++i)
    {
        ASSERT_TRUE (handle->startRead (in.data()));
        ASSERT_EQ (handle->waitRead (1000), hid::WaitResult::completed);
        SimMessage m;
        ASSERT_TRUE (OscCodec::decodeReport (in, m));
        EXPECT_EQ (m.intArg (0), i) << "reports arrive in queue order";
    }

    const auto received = device->received();
    const auto sent = device->sent();
    ASSERT_EQ (received.size(), 5u);
    ASSERT_EQ (sent.size(), 5u);
    for (size_t i = 1; i < 5; ++i)
    {
        EXPECT_GE (received[i].time - received[i - 1].time, std::chrono::milliseconds (1));
        EXPECT_GE (sent[i].time - sent[i - 1].time, std::chrono::milliseconds (1));
        EXPECT_EQ (received[i].intArg (0), int32_t (i));
    }
}

TEST (SimHost, ReadsTimeOutStayPendingAndAreCancelled)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);

    Report in {};
    EXPECT_EQ (handle->waitRead (0), hid::WaitResult::failed) << "no read started";
    ASSERT_TRUE (handle->startRead (in.data()));
    EXPECT_FALSE (handle->startRead (in.data())) << "one read at a time";
    EXPECT_EQ (handle->waitRead (5), hid::WaitResult::timedOut);

    device->queueMessage ("/late", {});
    EXPECT_EQ (handle->waitRead (1000), hid::WaitResult::completed) << "the timed-out read was still pending";
    EXPECT_EQ (in[2], '/');

    device->queueMessage ("/kept", {});
    ASSERT_TRUE (handle->startRead (in.data()));
    handle->cancelIo();
    EXPECT_EQ (handle->waitRead (0), hid::WaitResult::failed);
    EXPECT_EQ (device->pendingReportCount(), 1u) << "a cancelled read takes nothing";

    // A report delayed by the device is not there before its time.
    device->clearPendingReports();
    device->queueMessage ("/delayed", {}, 10000);
    ASSERT_TRUE (handle->startRead (in.data()));
    EXPECT_EQ (handle->waitRead (20), hid::WaitResult::timedOut);
}

TEST (SimHost, StalledWritesTimeOutAndDeliverNothing)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);

    device->setWritesStalled (true);
    const auto report = reportFor ("/x");
    ASSERT_TRUE (handle->startWrite (report.data()));
    EXPECT_FALSE (handle->startWrite (report.data())) << "one write at a time";
    EXPECT_EQ (handle->waitWrite (10), hid::WaitResult::timedOut);
    handle->cancelIo();
    EXPECT_EQ (device->receivedCount(), 0u);

    device->setWritesStalled (false);
    ASSERT_TRUE (writeReport (*handle, report));
    EXPECT_EQ (device->receivedCount ("/x"), 1u);
}

TEST (SimHost, WakeInterruptsWaitsFromAnotherThread)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);

    Report in {};
    ASSERT_TRUE (handle->startRead (in.data()));
    std::thread waker ([&] {
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
        handle->wake();
    });
    EXPECT_EQ (handle->waitRead (20000), hid::WaitResult::interrupted);
    waker.join();

    handle->wake();
    device->setWritesStalled (true);
    const auto report = reportFor ("/x");
    ASSERT_TRUE (handle->startWrite (report.data()));
    EXPECT_EQ (handle->waitWrite (20000), hid::WaitResult::interrupted) << "an earlier wake ends the next wait";
    EXPECT_EQ (handle->waitRead (5), hid::WaitResult::timedOut) << "once";
}

TEST (SimHost, UnplugFailsOpenHandlesAndWaitsInProgress)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);
    device->queueMessage ("/dropped", {}, 10000);

    Report in {};
    ASSERT_TRUE (handle->startRead (in.data()));
    std::thread unplugger ([&] {
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
        host.unplug (device);
    });
    EXPECT_EQ (handle->waitRead (20000), hid::WaitResult::failed);
    unplugger.join();

    EXPECT_EQ (device->pendingReportCount(), 0u);
    uint16_t vendor = 0, product = 0;
    EXPECT_FALSE (handle->getAttributes (vendor, product));
    EXPECT_FALSE (handle->startRead (in.data()));
    EXPECT_FALSE (handle->startWrite (in.data()));

    host.plug (device);
    EXPECT_FALSE (handle->startRead (in.data())) << "a handle of the earlier plug stays dead";
    EXPECT_EQ (device->openHandleCount(), 1);
    handle.reset();
    EXPECT_EQ (device->openHandleCount(), 0);
}

TEST (SimHost, LogsMalformedAndOversizedReportsAsTheyAre)
{
    MemoryHidHost host;
    auto device = std::make_shared<VirtualHidDevice>();
    host.plug (device);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    auto handle = host.open (path);

    const auto big = OscCodec::encode ("/a-rather-long-address-for-one-report", { std::string ("and a long text too") });
    ASSERT_GT (big.size(), 62u);
    EXPECT_FALSE (device->queueMessage ("/a-rather-long-address-for-one-report", { std::string ("and a long text too") }));
    device->queueReport (OscCodec::frame (big));         // length byte above 62
    Report noSlash = reportFor ("/ok");
    noSlash[2] = 'x';
    device->queueReport (noSlash);

    Report in {};
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE (handle->startRead (in.data()));
        ASSERT_EQ (handle->waitRead (1000), hid::WaitResult::completed);
    }
    EXPECT_EQ (in[2], 'x');
    const auto sent = device->sent();
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_FALSE (sent[0].wellFormed);
    EXPECT_EQ (sent[0].report[1], big.size());
    EXPECT_FALSE (sent[1].wellFormed);

    Report garbage {};
    garbage[1] = 8;
    garbage[2] = '/';
    garbage[3] = 'a'; // no NUL, no type tags
    ASSERT_TRUE (writeReport (*handle, garbage));
    const auto received = device->received();
    ASSERT_EQ (received.size(), 1u);
    EXPECT_FALSE (received[0].wellFormed);
    EXPECT_EQ (received[0].bytes.size(), 8u);
}
