#include "link/UsbConnection.h"

#include "link/MyMessage.h"
#include "link/UsbHost.h"
#include "link/hid/SpeakerIds.h"
#include "model/OscPacket.h"

#include <cstdio>
#include <cstring>

UsbConnection* usbConnection = nullptr;

namespace
{
constexpr int readWaitMs = 5;        // how long one pass waits for an input report
constexpr int quietPasses = 20;      // passes without any traffic (about 100 ms) before the link is idle
constexpr int idleReadWaitMs = 50;   // how long one pass waits while idle; wake() still ends it at once
constexpr int writeWaitMs = 200;     // how long one write try may take
constexpr int writeTries = 5;
constexpr int searchPauseMs = 200;   // pause after a search found nothing
constexpr int maxInterfaces = 4096;  // bound of one enumeration
} // namespace

UsbConnection::UsbConnection (juce::MessageListener& l, int t)
    : juce::Thread ("USB connection"),
      host (usbHost()),
      listener (l),
      tag (t)
{
    usbConnection = this;
    startThread();
}

UsbConnection::~UsbConnection()
{
    state = -1;
    signalThreadShouldExit();
    wakeDevice();
    notify();
    stopThread (4000);
    closeDevice();

    if (usbConnection == this)
        usbConnection = nullptr;
}

bool UsbConnection::offerTransmit (const void* bytes, int length)
{
    if (bytes == nullptr || length < 1 || length > (int) sizeof (txData) || state.load() == -1)
        return false;

    int expected = slotFree;
    if (! txSlot.compare_exchange_strong (expected, slotFilling, std::memory_order_acquire))
        return false;

    std::memcpy (txData, bytes, (size_t) length);
    txLength = length;
    txSlot.store (slotPending, std::memory_order_release);
    wakeDevice();
    return true;
}

bool UsbConnection::isTransmitPending() const noexcept
{
    return txSlot.load (std::memory_order_acquire) != slotFree;
}

void UsbConnection::markClosed()
{
    state = -1;
    wakeDevice();
    notify();
}

void UsbConnection::requestSearch()
{
    searchRequested = true;
    notify();
}

void UsbConnection::getSerialNumber (uint8_t (&out)[32]) const
{
    const std::lock_guard<std::mutex> sl (serialLock);
    std::memcpy (out, serialNumber, sizeof (serialNumber));
}

int UsbConnection::acceptReport (const uint8_t* report, uint8_t* block)
{
    const int n = report[1];
    if (n >= 63 || report[2] != '/')
        return 0;

    std::memcpy (block + MyMessage::messageOffset, report + 2, (size_t) n);
    MyMessage::setMessageLength (block, (uint32_t) n);
    return n;
}

bool UsbConnection::frameReport (uint8_t* report, const uint8_t* message, int length)
{
    if (length < 0 || length >= 63)
        return false;

    report[0] = 0;
    report[1] = (uint8_t) length;
    std::memcpy (report + 2, message, (size_t) length);
    return true;
}

void UsbConnection::run()
{
    uint8_t block[MyMessage::receiveBlockSize] = {};
    uint8_t serial[32] = {};

    while (! threadShouldExit())
    {
        if (state.load() != -1)
        {
            writePendingTransmit();

            const int n = readReport (block);
            if (n > 0 && n % 4 == 0)
                postReceived (block);
            continue;
        }

        // A message handed over for the previous connection is not for the one about to be opened.
        if (txSlot.load (std::memory_order_acquire) == slotPending)
            txSlot.store (slotFree, std::memory_order_release);

        if (openDevice (serial) == -1)
        {
            searchRequested = true;
            wait (searchPauseMs);
            continue;
        }

        {
            const std::lock_guard<std::mutex> sl (serialLock);
            std::memcpy (serialNumber, serial, sizeof (serialNumber));
        }

        state = 1;

        if (searchRequested.exchange (false))
        {
            sendInfo();
        }
        else
        {
            // Opened without a search request: close again and stay closed until a search is asked
            // for. The pause keeps the loop from opening the device over and over.
            closeDevice();
            state = -1;
            wait (searchPauseMs);
        }
    }

    closeDevice();
}

void UsbConnection::writePendingTransmit()
{
    if (txSlot.load (std::memory_order_acquire) != slotPending)
        return;

    if (device != nullptr)
        sendBytes (txData, txLength);

    txSlot.store (slotFree, std::memory_order_release);
    quietCount = 0;
}

void UsbConnection::sendInfo()
{
    OscPacket info;
    info.stream() << osc::BeginMessage ("/info") << osc::EndMessage;
    sendBytes (reinterpret_cast<const uint8_t*> (info.data()), (int) info.size());
}

bool UsbConnection::sendBytes (const uint8_t* message, int length)
{
    if (device == nullptr || ! frameReport (outReport, message, length))
        return false;

    return writeReport (outReport) == 1;
}

int UsbConnection::openDevice (uint8_t* serialBuffer)
{
    closeDevice();

    auto found = findDevice();
    if (found == nullptr)
        return -1;

    uint8_t serial[32] = {};
    if (found->getSerialNumberString (serial, sizeof (serial)))
    {
        std::memcpy (serialBuffer, serial, sizeof (serial));

        char text[17] = {};
        int length = 0;
        for (int i = 0; i < 16; ++i)
            if (serial[2 * i] != 0)
                text[length++] = (char) serial[2 * i];
        // Announced once per speaker: after a Cancel the device is reopened every 200 ms.
        if (lastAnnouncedSerial != text)
        {
            lastAnnouncedSerial = text;
            std::printf ("Found VR speaker serial #%s\n", text);
            std::fflush (stdout);
        }
    }

    setDevice (std::move (found));
    return 1;
}

std::unique_ptr<hid::Device> UsbConnection::findDevice()
{
    for (int index = 0; index < maxInterfaces && ! threadShouldExit(); ++index)
    {
        std::string path;
        if (! host.interfacePath (index, path))
            return nullptr;

        // Only the speaker's interfaces are opened: opening other HID devices five times a second would
        // keep them from suspending. One whose ids cannot be read is not the speaker; the search goes on,
        // so that one odd device cannot hide the speaker behind it.
        uint16_t vendorId = 0, productId = 0;
        if (! host.interfaceIds (path, vendorId, productId)
            || vendorId != hid::speakerVendorId || productId != hid::speakerProductId)
            continue;

        auto candidate = host.open (path);
        if (candidate == nullptr)
        {
            reportIfDenied (path);
            continue;
        }

        if (! candidate->getAttributes (vendorId, productId)
            || vendorId != hid::speakerVendorId || productId != hid::speakerProductId)
            continue;

        uint8_t string4[6] = {};
        if (! candidate->getIndexedString (4, string4, sizeof (string4)))
            reportIfDenied (path);
        else if (string4[0] == 'A' && string4[2] == 'P')
            return candidate;
    }

    return nullptr;
}

void UsbConnection::reportIfDenied (const std::string& path)
{
    // Without the udev rule the speaker is present but out of reach; say so once per device node, not on
    // every search.
    const std::string node = host.deniedNode (path);
    if (node.empty() || ! deniedNodesReported.insert (node).second)
        return;

    std::fprintf (stderr, "The speaker is present, but %s cannot be opened for lack of permission: "
                          "install the udev rule (README, \"Speaker access on Linux\").\n", node.c_str());
    std::fflush (stderr);
}

int UsbConnection::writeReport (const uint8_t* report)
{
    for (int attempt = 0; attempt < writeTries && ! threadShouldExit(); ++attempt)
    {
        if (device->startWrite (report))
        {
            const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) writeWaitMs;

            for (;;)
            {
                const auto now = juce::Time::getMillisecondCounter();
                const int remaining = (int) (deadline - now);
                if (remaining <= 0)
                    break;

                const auto result = device->waitWrite (remaining);
                if (result == hid::WaitResult::completed)
                    return 1;

                // A wake only means another thread filled the slot or wants the thread to stop.
                if (result != hid::WaitResult::interrupted || threadShouldExit())
                    break;
            }
        }

        device->cancelIo();
        readPending = false;
    }

    return 0;
}

int UsbConnection::readReport (uint8_t* block)
{
    if (device == nullptr)
        return -1;

    if (! readPending)
    {
        if (! device->startRead (inReport))
        {
            // The device is gone or broken: keep the pass at its usual pace instead of spinning.
            wait (readWaitMs);
            return -1;
        }
        readPending = true;
    }

    // A read that times out stays pending and is waited for again in the next pass, so a report that
    // arrives between two passes is never lost to a cancel. The pass waits 5 ms while there is traffic;
    // after about 100 ms without any it waits longer, which changes nothing the link can see (a report
    // ends the wait when it arrives, and a filled transmit slot, a close or a stop wake the thread) but
    // spares the idle wake-ups.
    switch (device->waitRead (quietCount >= quietPasses ? idleReadWaitMs : readWaitMs))
    {
        case hid::WaitResult::completed:
            readPending = false;
            quietCount = 0;
            return acceptReport (inReport, block);

        case hid::WaitResult::failed:
            device->cancelIo();
            readPending = false;
            wait (readWaitMs);
            return -1;

        case hid::WaitResult::timedOut:
            ++quietCount;
            break;

        case hid::WaitResult::interrupted:
            break;
    }

    return -1;
}

void UsbConnection::postReceived (const uint8_t* block)
{
    listener.postMessage (new MyMessage (tag, juce::MemoryBlock (block, MyMessage::receiveBlockSize)));
}

void UsbConnection::closeDevice()
{
    if (device != nullptr)
        device->cancelIo();

    readPending = false;
    quietCount = 0;
    setDevice (nullptr);
}

void UsbConnection::setDevice (std::unique_ptr<hid::Device> newDevice)
{
    std::unique_ptr<hid::Device> old;
    {
        const std::lock_guard<std::mutex> sl (deviceLock);
        old = std::move (device);
        device = std::move (newDevice);
    }
    // The old device closes here, outside the lock.
}

void UsbConnection::wakeDevice()
{
    const std::lock_guard<std::mutex> sl (deviceLock);
    if (device != nullptr)
        device->wake();
}
