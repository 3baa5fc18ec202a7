#include "sim/MemoryHidHandle.h"

#include "sim/OscCodec.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace sim
{

namespace
{
constexpr auto frameTime = std::chrono::milliseconds (1);
}

MemoryHidHandle::MemoryHidHandle (std::shared_ptr<VirtualHidDevice> d, int g)
    : device (std::move (d)), generation (g)
{
}

MemoryHidHandle::~MemoryHidHandle()
{
    std::lock_guard<std::mutex> lock (device->mutex);
    --device->handles;
    device->changed.notify_all();
}

bool MemoryHidHandle::aliveLocked() const
{
    return device->plugged && device->generation == generation;
}

bool MemoryHidHandle::copyAsUtf16 (const std::optional<std::string>& text, void* buffer, size_t bytes)
{
    if (! text.has_value() || buffer == nullptr)
        return false;

    auto* out = static_cast<uint8_t*> (buffer);
    std::memset (out, 0, bytes);
    for (size_t i = 0; i < text->size() && 2 * i + 1 < bytes; ++i)
    {
        out[2 * i] = static_cast<uint8_t> ((*text)[i]);
        out[2 * i + 1] = 0;
    }
    return true;
}

bool MemoryHidHandle::getAttributes (uint16_t& vendorId, uint16_t& productId)
{
    std::lock_guard<std::mutex> lock (device->mutex);
    if (! aliveLocked() || ! device->ident.attributesReadable)
        return false;
    vendorId = device->ident.vendorId;
    productId = device->ident.productId;
    return true;
}

bool MemoryHidHandle::getIndexedString (int index, void* buffer, size_t bytes)
{
    std::lock_guard<std::mutex> lock (device->mutex);
    if (! aliveLocked() || index != 4)
        return false;
    return copyAsUtf16 (device->ident.string4, buffer, bytes);
}

bool MemoryHidHandle::getSerialNumberString (void* buffer, size_t bytes)
{
    std::lock_guard<std::mutex> lock (device->mutex);
    if (! aliveLocked())
        return false;
    return copyAsUtf16 (device->ident.serial, buffer, bytes);
}

bool MemoryHidHandle::startWrite (const uint8_t* report)
{
    std::lock_guard<std::mutex> lock (device->mutex);
    if (! aliveLocked() || writePending || report == nullptr)
        return false;

    std::copy_n (report, writeReport.size(), writeReport.begin());
    writePending = true;
    ++device->writeStarts;
    writeDoneAt = std::max (Clock::now(), device->lastOutputFrame) + frameTime;
    return true;
}

bool MemoryHidHandle::startRead (uint8_t* report)
{
    std::lock_guard<std::mutex> lock (device->mutex);
    if (! aliveLocked() || readPending || report == nullptr)
        return false;

    readPending = true;
    readBuffer = report;
    return true;
}

hid::WaitResult MemoryHidHandle::waitWrite (int timeoutMs)
{
    std::unique_lock<std::mutex> lock (device->mutex);
    const auto deadline = Clock::now() + std::chrono::milliseconds (std::max (timeoutMs, 0));

    for (;;)
    {
        if (! aliveLocked())
        {
            writePending = false;
            return hid::WaitResult::failed;
        }
        if (wakePending)
        {
            wakePending = false;
            return hid::WaitResult::interrupted;
        }
        if (! writePending)
            return hid::WaitResult::failed;

        const auto now = Clock::now();
        if (! device->writesStalled && now >= writeDoneAt)
        {
            // The write crosses the link in its frame: the device logs and handles it.
            writePending = false;
            device->lastOutputFrame = writeDoneAt;
            SimMessage message;
            OscCodec::decodeReport (writeReport, message);
            message.time = writeDoneAt;
            device->logReceivedLocked (message);
            device->reportWritten (message, writeDoneAt);
            device->changed.notify_all();
            return hid::WaitResult::completed;
        }
        if (now >= deadline)
            return hid::WaitResult::timedOut;

        device->changed.wait_until (lock, device->writesStalled ? deadline : std::min (deadline, writeDoneAt));
    }
}

hid::WaitResult MemoryHidHandle::waitRead (int timeoutMs)
{
    std::unique_lock<std::mutex> lock (device->mutex);
    const auto deadline = Clock::now() + std::chrono::milliseconds (std::max (timeoutMs, 0));

    for (;;)
    {
        if (! aliveLocked())
        {
            readPending = false;
            readBuffer = nullptr;
            return hid::WaitResult::failed;
        }
        if (wakePending)
        {
            wakePending = false;
            return hid::WaitResult::interrupted;
        }
        if (! readPending)
            return hid::WaitResult::failed;

        const auto now = Clock::now();
        auto wakeAt = deadline;
        if (! device->inputQueue.empty())
        {
            // One report per frame: no sooner than a frame after it was ready and after the previous one.
            const auto& next = device->inputQueue.front();
            const auto crossesAt = std::max (next.readyAt, device->lastInputFrame) + frameTime;
            if (now >= crossesAt)
            {
                std::copy (next.report.begin(), next.report.end(), readBuffer);
                SimMessage message;
                OscCodec::decodeReport (next.report, message);
                message.time = crossesAt;
                device->logSentLocked (std::move (message));
                device->lastInputFrame = crossesAt;
                device->inputQueue.pop_front();
                readPending = false;
                readBuffer = nullptr;
                device->changed.notify_all();
                return hid::WaitResult::completed;
            }
            wakeAt = std::min (deadline, crossesAt);
        }
        if (now >= deadline)
            return hid::WaitResult::timedOut;

        device->changed.wait_until (lock, wakeAt);
    }
}

void MemoryHidHandle::cancelIo()
{
    std::lock_guard<std::mutex> lock (device->mutex);
    writePending = false;
    readPending = false;
    readBuffer = nullptr;
}

void MemoryHidHandle::wake()
{
    int delayMs = 0;
    {
        std::lock_guard<std::mutex> lock (device->mutex);
        delayMs = device->wakeDelayMs;
    }
    if (delayMs > 0)
        std::this_thread::sleep_for (std::chrono::milliseconds (delayMs));

    std::lock_guard<std::mutex> lock (device->mutex);
    wakePending = true;
    device->changed.notify_all();
}

} // namespace sim
