#pragma once
// The OSC link to the speaker: the send queue with acknowledgement by echo, the "OSC connection" send
// loop, the senders, going online and offline, and the handling of everything the speaker sends.

#include "link/LinkPartner.h"
#include "link/UsbConnection.h"
#include "model/OscPacket.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

class Cnode;

namespace osc
{
class ReceivedMessage;

/** The tag of every message the transport posts to the link. */
constexpr int usbMessageTag = 0x13467925;

/**
    The single channel between the editor and the speaker.

    Outgoing messages wait in a ring of 512 slots; a new message replaces a queued one with the same
    address ("/preset/name" excepted). The "OSC connection" thread hands the oldest message to the
    transport and waits for the speaker's echo (a message to the same address), sending it again after
    100 ms, four attempts in all; then it reports the speaker lost. While the queue is empty and the link
    is online it queues a "/meter" request every 5000 ms as a keep-alive.

    Received messages arrive on the message thread (handleMessage): they acknowledge the waiting
    message, go to the user interface through the LinkPartner, or set the values of the tree's nodes;
    the "/info" reply runs the connection handshake, unless an earlier one is still asking the user.

    One instance; oscCom, oscMessageSink and linkedSetupPage point to it (and its partner) while it
    exists. Everything except run() is called on the message thread.
*/
class OscCom final : public juce::Thread,
                     public juce::MessageListener,
                     public OscMessageSink
{
public:
    /** Makes the link for the user interface `partner`, creates and starts the transport, publishes the
        program-wide pointers and starts the "OSC connection" thread. */
    explicit OscCom (LinkPartner& partner);

    /** Stops the send loop, deletes the transport, empties the queue and clears the pointers. */
    ~OscCom() override;

    //==================================================================================================
    // Sending

    /** Takes ownership of `message` and queues it, replaces a queued message with the same address by
        it, or deletes it: while offline, when it is empty or too long for one report (more than 60
        bytes), and when the queue is full. */
    void enqueue (OscPacket* message) override;

    /** Queues "/gain" with one float on oscCom. */
    static void sendGain (float gain);

    /** Queues `address` with one float. */
    void sendFloat (const char* address, float value);

    /** Queues `address` with one int32 on oscCom ("/lock", "/unlock"). */
    static void sendInt (const char* address, int32_t value);

    /** Queues `address` with int32 n, int32 0 and `text` as a string ("/preset/name", "/preset/load",
        "/preset/save"). A text too long for one report is not sent at all. */
    void sendIndexedString (const char* address, int32_t n, const juce::String& text);

    /** Builds an address-only message and, only when flag is 1, puts it straight into the transport's
        transmit slot, trying for up to 30 ms; never queued, never acknowledged. */
    void sendDirect (const char* address, int flag);

    /** Queues an address-only request for `node`'s values at the end of the queue, without coalescing
        (on oscCom). */
    static void requestNode (Cnode* node);

    /** requestNode for every message node of the tree, in tree order. */
    static void requestAllNodes();

    /** Makes `node` send its current values to its own address. */
    static void sendNode (Cnode* node);

    /** sendNode for every message node of the tree, in tree order. */
    static void sendAllNodes();

    /** When the device is open: sends "/online" directly, goes online and queues a request for every
        node, the twenty slot names and the meters. */
    void goOnline();

    /** Sends "/offline" directly, goes offline, empties the queue and zeroes the meters and LEDs. */
    void goOffline();

    /** Removes the oldest message when its address without the leading "/" is `address`: the speaker's
        echo acknowledged it. When a newer value replaced it in flight, that value moves to the end of
        the queue instead. Returns whether it did either. */
    bool acknowledge (const char* address);

    //==================================================================================================
    // The transport

    /** Stops sending, closes the transport and asks it to search and greet the speaker with "/info". */
    void rescan();

    /** True while the transport has the device open. */
    bool isDeviceOpen() const;

    /** Enables sending when the device is open. */
    void enableSendingIfOpen();

    /** The transport's state: -1 closed, 1 open. */
    int usbState() const;

    /** Asks the transport to greet the speaker with "/info" on its next open. */
    void requestSearch();

    /** Hands `length` bytes to the transport's transmit slot when the transport is not closed and the
        slot is free; claiming and filling the slot is one step. Returns whether it did. */
    bool handToTransport (int length, const void* bytes);

    /** Sets the flag that lets the send loop hand messages to the transport (0 or 1). */
    void setSendingEnabled (int enabled);

    /** The flag that lets the send loop hand messages to the transport. */
    int getSendingEnabled() const noexcept { return sendingEnabled.load(); }

    //==================================================================================================
    // Receiving

    /** Handles a MyMessage from the transport or the send loop (message thread). */
    void handleMessage (const juce::Message& message) override;

    /** The Connect question for `deviceName`; true for Connect. */
    bool askConnect (const juce::String& deviceName);

    /** The speaker stopped answering: takes the page offline, tells the user, closes the transport. While
        its box is open, a further error does nothing. */
    void connectionError();

    /** The speaker-alert box was closed: the same text may be shown again. */
    static void alertClosed();

    //==================================================================================================
    // State

    /** True while the link is online (from goOnline to goOffline). */
    std::atomic<bool> online { false };

    /** "/meter" replies since the last extra "/meter" request (0 to 50). */
    int meterReplyCount = 0;

    /** The tag the transport puts into every posted message. */
    const int usbTag = usbMessageTag;

    /** Messages in the queue now. */
    int queuedCount() const;

    /** The queued messages, oldest first, as their bytes. */
    std::vector<juce::MemoryBlock> queuedMessages() const;

    /** True while the oldest message has been handed over and its echo is awaited. */
    bool isWaitingForAck() const noexcept { return waitingForAck.load(); }

    /** Attempts made for the oldest message (0 to 4). */
    int retryCount() const;

    /** Messages refused because the queue was full, since construction. */
    int refusedCount() const;

    /** Milliseconds between keep-alive requests (5000; tests shorten it). */
    void setKeepAliveInterval (int milliseconds);
    int keepAliveInterval() const noexcept { return keepAliveIntervalMs.load(); }

    /** Milliseconds the send loop waits for an echo before it hands the message over again (100; tests
        lengthen it to hold a message in its waiting state). */
    void setAcknowledgementTimeout (int milliseconds);
    int acknowledgementTimeout() const noexcept { return ackTimeoutMs.load(); }

    /** The transport. */
    UsbConnection& transport() const noexcept { return *usb; }

    /** The "OSC connection" send loop. */
    void run() override;

private:
    using Clock = std::chrono::steady_clock;
    static constexpr int queueSize = 512;
    static constexpr int maxMessageBytes = 60;  // the transport carries at most 62 bytes, OSC is 4-aligned

    static int nextIndex (int i) noexcept { return (i + 1) & (queueSize - 1); }
    static int previousIndex (int i) noexcept { return (i - 1) & (queueSize - 1); }
    static int msSince (Clock::time_point t) noexcept;

    void store (std::unique_ptr<OscPacket> message);
    void waitForAcknowledgement();
    bool dispatch (const ReceivedMessage& message);
    void infoStep (const ReceivedMessage& message);
    void ackIfWaiting (const char* address);

    LinkPartner& partner;
    std::unique_ptr<UsbConnection> usb;

    // Guarded by sendQueueLock.
    std::unique_ptr<OscPacket> sendQueue[queueSize];
    int sendQueueHead = 0;
    int sendQueueTail = 0;
    int sendRetries = 0;
    // The message awaiting its echo was replaced by a newer value: its echo acknowledges only the copy
    // in flight, and the newer message is handed over next. Guarded by sendQueueLock.
    bool tailReplacedInFlight = false;
    int refused = 0;

    std::atomic<bool> waitingForAck { false };
    std::atomic<int> sendingEnabled { 0 };
    std::atomic<int> keepAliveIntervalMs { 5000 };
    std::atomic<int> ackTimeoutMs { 100 };
    Clock::time_point sendTime {};  // the send loop's own

    // The "/info" step and the connection error are running, and so may be showing their modal boxes
    // (message thread only): a further "/info" or error meanwhile opens no second box.
    bool connectStepOpen = false;
    bool errorStepOpen = false;

    JUCE_DECLARE_NON_COPYABLE (OscCom)
};

} // namespace osc

/** The one OSC link, while it exists. */
extern osc::OscCom* oscCom;

/** The user interface the link reports to (the Setup page and its companions), while the link exists. */
extern LinkPartner* linkedSetupPage;
