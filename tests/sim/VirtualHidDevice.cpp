#include "sim/VirtualHidDevice.h"

#include "sim/OscCodec.h"

namespace sim
{

VirtualHidDevice::VirtualHidDevice (HidIdentity identity)
    : ident (std::move (identity))
{
}

VirtualHidDevice::~VirtualHidDevice() = default;

HidIdentity VirtualHidDevice::identity() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return ident;
}

void VirtualHidDevice::setIdentity (const HidIdentity& newIdentity)
{
    std::lock_guard<std::mutex> lock (mutex);
    ident = newIdentity;
}

bool VirtualHidDevice::isPlugged() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return plugged;
}

int VirtualHidDevice::openHandleCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return handles;
}

int VirtualHidDevice::openCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return opens;
}

int VirtualHidDevice::openAttemptCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return openAttempts;
}

int VirtualHidDevice::writeStartCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return writeStarts;
}

void VirtualHidDevice::queueReport (const Report& report, int delayMs)
{
    std::lock_guard<std::mutex> lock (mutex);
    queueReportLocked (report, Clock::now() + std::chrono::milliseconds (delayMs));
}

bool VirtualHidDevice::queueMessage (const std::string& address, const OscArgs& args, int delayMs)
{
    std::lock_guard<std::mutex> lock (mutex);
    return queueMessageLocked (address, args, Clock::now() + std::chrono::milliseconds (delayMs));
}

void VirtualHidDevice::queueReportLocked (const Report& report, Clock::time_point readyAt)
{
    inputQueue.push_back ({ report, readyAt });
    changed.notify_all();
}

bool VirtualHidDevice::queueMessageLocked (const std::string& address, const OscArgs& args, Clock::time_point readyAt)
{
    const auto message = OscCodec::encode (address, args);
    if (message.size() > 62)
        return false;
    queueReportLocked (OscCodec::frame (message), readyAt);
    return true;
}

size_t VirtualHidDevice::pendingReportCount() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return inputQueue.size();
}

void VirtualHidDevice::clearPendingReports()
{
    std::lock_guard<std::mutex> lock (mutex);
    inputQueue.clear();
}

void VirtualHidDevice::setWritesStalled (bool stalled)
{
    std::lock_guard<std::mutex> lock (mutex);
    writesStalled = stalled;
    changed.notify_all();
}

void VirtualHidDevice::setWakeDelay (int ms)
{
    std::lock_guard<std::mutex> lock (mutex);
    wakeDelayMs = ms > 0 ? ms : 0;
}

std::vector<SimMessage> VirtualHidDevice::received() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return receivedLog;
}

std::vector<SimMessage> VirtualHidDevice::sent() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return sentLog;
}

std::vector<SimMessage> VirtualHidDevice::receivedWithAddress (const std::string& address) const
{
    std::lock_guard<std::mutex> lock (mutex);
    std::vector<SimMessage> result;
    for (const auto& m : receivedLog)
        if (m.address == address)
            result.push_back (m);
    return result;
}

size_t VirtualHidDevice::countIn (const std::vector<SimMessage>& log, const std::map<std::string, size_t>& counts,
                                  const std::string& address)
{
    if (address.empty())
        return log.size();
    const auto it = counts.find (address);
    return it != counts.end() ? it->second : 0;
}

void VirtualHidDevice::logReceivedLocked (SimMessage message)
{
    ++receivedCounts[message.address];
    receivedLog.push_back (std::move (message));
    changed.notify_all();
}

void VirtualHidDevice::logSentLocked (SimMessage message)
{
    ++sentCounts[message.address];
    sentLog.push_back (std::move (message));
    changed.notify_all();
}

size_t VirtualHidDevice::receivedCount (const std::string& address) const
{
    std::lock_guard<std::mutex> lock (mutex);
    return countIn (receivedLog, receivedCounts, address);
}

size_t VirtualHidDevice::sentCount (const std::string& address) const
{
    std::lock_guard<std::mutex> lock (mutex);
    return countIn (sentLog, sentCounts, address);
}

bool VirtualHidDevice::waitForReceived (size_t count, int timeoutMs, const std::string& address) const
{
    std::unique_lock<std::mutex> lock (mutex);
    return changed.wait_for (lock, std::chrono::milliseconds (timeoutMs),
                             [&] { return countIn (receivedLog, receivedCounts, address) >= count; });
}

bool VirtualHidDevice::waitForSent (size_t count, int timeoutMs, const std::string& address) const
{
    std::unique_lock<std::mutex> lock (mutex);
    return changed.wait_for (lock, std::chrono::milliseconds (timeoutMs),
                             [&] { return countIn (sentLog, sentCounts, address) >= count; });
}

void VirtualHidDevice::clearLogs()
{
    std::lock_guard<std::mutex> lock (mutex);
    receivedLog.clear();
    sentLog.clear();
    receivedCounts.clear();
    sentCounts.clear();
}

void VirtualHidDevice::reportWritten (const SimMessage&, Clock::time_point)
{
}

void VirtualHidDevice::attach (int plugId)
{
    std::lock_guard<std::mutex> lock (mutex);
    plugged = true;
    plugIdentifier = plugId;
    ++generation;
    changed.notify_all();
}

void VirtualHidDevice::detach()
{
    std::lock_guard<std::mutex> lock (mutex);
    plugged = false;
    plugIdentifier = -1;
    ++generation;
    inputQueue.clear();
    changed.notify_all();
}

int VirtualHidDevice::plugGeneration() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return generation;
}

} // namespace sim
