#pragma once
// The USB HID transport: one OSC message per 64-byte report, on its own "USB connection" thread.

#include "link/hid/HidPlatform.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

/**
    Carries the OSC link's messages to and from the speaker. Its thread finds and opens the speaker,
    writes "/info" when a search was asked for, writes the one message handed to its transmit slot,
    waits for input reports and posts each received message to the link as a MyMessage.

    Report framing, both ways: byte 0 the report id 0, byte 1 the message length n (at most 62), the
    message from byte 2 on. An input report is accepted when n < 63 and byte 2 is "/", and posted when
    n is also a non-zero multiple of 4.
*/
class UsbConnection final : public juce::Thread
{
public:
    /** Makes the transport for `listener` (every posted message carries `tag`), takes the HID host from
        usbHost(), sets usbConnection and starts the thread, closed and with a search requested. */
    UsbConnection (juce::MessageListener& listener, int tag);

    /** Marks the transport closed, stops the thread, closes the device and clears usbConnection. */
    ~UsbConnection() override;

    /** The "USB connection" thread. */
    void run() override;

    /** On the next successful open, write "/info" (true at construction and after every failed open). */
    std::atomic<bool> searchRequested { true };

    /** -1 closed, 1 open. Other threads set -1 (markClosed) to make the transport close and reopen. */
    std::atomic<int> state { -1 };

    /** Claims the transmit slot, fills it with `length` bytes and marks it pending, all as one step
        with respect to any other producer; then wakes the thread. False (and nothing changes) when the
        transport is closed, the slot is busy or the length is not 1 to 64. A message of 63 bytes or
        more is taken but dropped by the thread without being written. */
    bool offerTransmit (const void* bytes, int length);

    /** True while the transmit slot holds a message the thread has not finished with. */
    bool isTransmitPending() const noexcept;

    /** Sets state to -1 and wakes the thread. */
    void markClosed();

    /** Asks for "/info" on the next open and wakes the thread, so a closed transport searches at once. */
    void requestSearch();

    /** The serial number (16 UTF-16 units) of the device last opened. */
    void getSerialNumber (uint8_t (&out)[32]) const;

    /** The acceptance rule of an input report: when byte 1 (n) is below 63 and byte 2 is "/", copies the
        n message bytes into `block` from MyMessage::messageOffset on, writes n into the block's length
        field and returns n; otherwise returns 0 and leaves the block alone. */
    static int acceptReport (const uint8_t* report, uint8_t* block);

    /** Frames `length` bytes of `message` into a 64-byte output report (report id 0, length byte, the
        bytes; the rest of the report is left as it was). False for a length of 63 or more. */
    static bool frameReport (uint8_t* report, const uint8_t* message, int length);

private:
    enum SlotState { slotFree, slotFilling, slotPending };

    int openDevice (uint8_t* serialBuffer);
    std::unique_ptr<hid::Device> findDevice();
    void reportIfDenied (const std::string& path);
    int writeReport (const uint8_t* report);
    int readReport (uint8_t* block);
    void postReceived (const uint8_t* block);
    void closeDevice();
    bool sendBytes (const uint8_t* message, int length);
    void writePendingTransmit();
    void sendInfo();
    void setDevice (std::unique_ptr<hid::Device> newDevice);
    void wakeDevice();

    hid::Host& host;
    juce::MessageListener& listener;
    const int tag;

    std::atomic<int> txSlot { slotFree };
    uint8_t txData[64] = {};
    int txLength = 0;

    mutable std::mutex serialLock;
    uint8_t serialNumber[32] = {};
    std::string lastAnnouncedSerial;  // this thread's own: the serial last printed
    std::set<std::string> deniedNodesReported;  // this thread's own: nodes already named on stderr

    // The open device. Only this thread opens, uses and closes it; deviceLock is held while it is
    // replaced and while another thread wakes it.
    std::mutex deviceLock;
    std::unique_ptr<hid::Device> device;
    bool readPending = false;
    int quietCount = 0;  // read waits in a row that brought nothing
    uint8_t outReport[hid::reportSize] = {};
    uint8_t inReport[hid::reportSize] = {};

    JUCE_DECLARE_NON_COPYABLE (UsbConnection)
};

/** The one transport, while it exists. */
extern UsbConnection* usbConnection;
