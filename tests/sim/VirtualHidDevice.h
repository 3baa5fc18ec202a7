#pragma once
// The device side of one in-memory HID interface (test support).

#include "sim/SimMessage.h"

#include "link/hid/SpeakerIds.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

namespace sim
{

/** What a virtual device tells the host about itself, and which identity reads succeed. */
struct HidIdentity
{
    uint16_t vendorId = hid::speakerVendorId;        ///< USB vendor id
    uint16_t productId = hid::speakerProductId;      ///< USB product id
    std::optional<std::string> string4 = "AP Speaker"; ///< USB string 4 (ASCII); nullopt: reading it fails
    std::optional<std::string> serial = "SIM0000000000001"; ///< serial number (ASCII); nullopt: reading fails
    bool openable = true;                            ///< false: MemoryHidHost::open returns null
    bool attributesReadable = true;                  ///< false: getAttributes fails
    bool accessDenied = false;                       ///< true: open fails for lack of permission
};

/**
    The device side of one in-memory HID interface, plugged into a MemoryHidHost.

    It runs with USB-like timing: each report takes one 1 ms frame to cross the link and each direction
    carries at most one report per millisecond. Reports the host writes reach reportWritten() when the
    write completes; reports the device queues are handed to the host's reads in order, each no earlier
    than its own time plus one frame. Every report in both directions is logged with its time.

    All public operations are thread-safe: tests, the host's transport thread and other threads may call
    them at the same time. Used as it is, the device logs what it receives and answers nothing (a plain
    HID interface); SimulatedSpeaker adds the speaker's behaviour.
*/
class VirtualHidDevice
{
public:
    explicit VirtualHidDevice (HidIdentity identity = {});
    virtual ~VirtualHidDevice();

    VirtualHidDevice (const VirtualHidDevice&) = delete;
    VirtualHidDevice& operator= (const VirtualHidDevice&) = delete;

    /** The identity as the host sees it now. */
    HidIdentity identity() const;

    /** Changes the identity; opens and reads from then on see the new one. */
    void setIdentity (const HidIdentity& newIdentity);

    /** True while plugged into a host. */
    bool isPlugged() const;

    /** Host handles to this device that are open now (opened and not yet destroyed). */
    int openHandleCount() const;

    /** Successful opens since construction. */
    int openCount() const;

    /** Opens tried since construction, whether they succeeded or not. */
    int openAttemptCount() const;

    /** Writes the host started since construction, whether they completed or not. */
    int writeStartCount() const;

    // ---- device to host ----

    /** Queues a raw report for the host (any content, so malformed and oversized reports can be sent);
        the host can read it `delayMs` after now plus one frame, in queue order. */
    void queueReport (const Report& report, int delayMs = 0);

    /** Queues one OSC message for the host, framed with its own length. Returns false (and queues
        nothing) when the message is longer than 62 bytes; use OscCodec::frame to send such a one. */
    bool queueMessage (const std::string& address, const OscArgs& args, int delayMs = 0);

    /** Reports queued and not yet read by the host. */
    size_t pendingReportCount() const;

    /** Drops every report not yet read by the host. */
    void clearPendingReports();

    // ---- host to device ----

    /** While true, writes from the host never complete (waitWrite times out; nothing is received). */
    void setWritesStalled (bool stalled);

    /** Holds up every thread that wakes a host handle (hid::Device::wake) for `ms` milliseconds before
        the wake takes effect, as when that thread is descheduled at that moment (0: none). */
    void setWakeDelay (int ms);

    // ---- logs ----

    /** Every report the host wrote to this device (completed writes), oldest first. */
    std::vector<SimMessage> received() const;

    /** Every report the host read from this device, oldest first. */
    std::vector<SimMessage> sent() const;

    /** Received messages whose address is `address`, oldest first. */
    std::vector<SimMessage> receivedWithAddress (const std::string& address) const;

    /** Number of received messages with that address (all received reports when `address` is empty). */
    size_t receivedCount (const std::string& address = {}) const;

    /** Number of sent messages with that address (all sent reports when `address` is empty). */
    size_t sentCount (const std::string& address = {}) const;

    /** Waits until receivedCount(address) >= count or timeoutMs passed; returns whether it got there. */
    bool waitForReceived (size_t count, int timeoutMs, const std::string& address = {}) const;

    /** Waits until sentCount(address) >= count or timeoutMs passed; returns whether it got there. */
    bool waitForSent (size_t count, int timeoutMs, const std::string& address = {}) const;

    /** Empties both logs. */
    void clearLogs();

protected:
    /** Called for every report the host writes, when the write completes (`at` is the time it arrived).
        Runs on the host's transport thread with `mutex` held: it may call the *Locked operations and
        touch the subclass's own state guarded by `mutex`, and must not call back into tests. */
    virtual void reportWritten (const SimMessage& message, Clock::time_point at);

    /** queueReport with `mutex` held; `readyAt` is the earliest time (before the frame) it may cross. */
    void queueReportLocked (const Report& report, Clock::time_point readyAt);

    /** queueMessage with `mutex` held. */
    bool queueMessageLocked (const std::string& address, const OscArgs& args, Clock::time_point readyAt);

    /** Guards everything of the device and of its subclass. */
    mutable std::mutex mutex;

private:
    friend class MemoryHidHost;
    friend class MemoryHidHandle;

    struct QueuedReport
    {
        Report report;
        Clock::time_point readyAt;
    };

    // Called by MemoryHidHost and MemoryHidHandle, each taking `mutex` itself unless named *Locked.
    void attach (int plugId);
    void detach();
    int plugGeneration() const;
    void logReceivedLocked (SimMessage message);
    void logSentLocked (SimMessage message);
    static size_t countIn (const std::vector<SimMessage>& log, const std::map<std::string, size_t>& counts,
                           const std::string& address);

    HidIdentity ident;
    bool plugged = false;
    int generation = 0;                 // advances on every plug and unplug; handles of an older one fail
    int plugIdentifier = -1;            // the host's id for the current plug
    int handles = 0;
    int opens = 0;
    int openAttempts = 0;
    int writeStarts = 0;
    bool writesStalled = false;
    int wakeDelayMs = 0;
    std::deque<QueuedReport> inputQueue;
    Clock::time_point lastInputFrame {};  // when the host last read a report
    Clock::time_point lastOutputFrame {}; // when the last host write completed
    std::vector<SimMessage> receivedLog;
    std::vector<SimMessage> sentLog;
    std::map<std::string, size_t> receivedCounts; // per address, so that waits stay cheap on long logs
    std::map<std::string, size_t> sentCounts;
    mutable std::condition_variable changed; // any change of queue, logs, plug state or a wake
};

} // namespace sim
