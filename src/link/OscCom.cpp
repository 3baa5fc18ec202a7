#include "link/OscCom.h"

#include "link/MyMessage.h"
#include "model/Cnode.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/SpeakerText.h"

#include <osc/OscReceivedElements.h>

#include <cmath>
#include <cstring>

osc::OscCom* oscCom = nullptr;
LinkPartner* linkedSetupPage = nullptr;

namespace osc
{
namespace
{
constexpr int maxAttempts = 4;        // hand-overs of one message before the speaker counts as lost
constexpr int blockedPollMs = 5;      // queue not empty but sending not possible: look again soon
constexpr int offlineIdleMs = 1000;   // nothing to do at all: look again now and then
constexpr int directTryMs = 30;       // how long sendDirect may wait for the transmit slot
constexpr int meterRequestEvery = 50; // "/meter" replies between two extra "/meter" requests

using QueueLock = std::lock_guard<std::recursive_mutex>;

/** True when every float argument is a finite number (the speaker never sends anything else). */
bool allFloatsFinite (const ReceivedMessage& message)
{
    for (auto a = message.ArgumentsBegin(); a != message.ArgumentsEnd(); ++a)
        if (a->IsFloat() && ! std::isfinite (a->AsFloatUnchecked()))
            return false;
    return true;
}

/** True unless the message's type tags hold a tag other than int32, float32 and string. The speaker
    sends nothing else, and the OSC reader does not check the size of some other kinds (blobs) against
    the end of the message, so such a message is never handed to it. */
bool onlyPlainArguments (const char* message, size_t length)
{
    const auto* addressEnd = static_cast<const char*> (std::memchr (message, 0, length));
    if (addressEnd == nullptr)
        return true;  // the reader rejects an unterminated address itself

    const size_t tagsStart = ((size_t) (addressEnd - message) / 4 + 1) * 4;
    if (tagsStart >= length || message[tagsStart] != ',')
        return true;  // no type tags: no arguments, or a message the reader rejects

    for (size_t i = tagsStart + 1; i < length && message[i] != 0; ++i)
        if (message[i] != 'i' && message[i] != 'f' && message[i] != 's')
            return false;

    return true;
}

/** A level for the meters: never negative. */
float level (float value) noexcept
{
    return value > 0.0f ? value : 0.0f;
}

bool startsWith (const char* text, const char* prefix) noexcept
{
    return std::strncmp (text, prefix, std::strlen (prefix)) == 0;
}

/** Builds one message; null when it does not fit the packet buffer. */
template <typename Writer>
std::unique_ptr<OscPacket> build (const char* address, Writer&& writeArguments)
{
    auto packet = std::make_unique<OscPacket>();
    try
    {
        auto& out = packet->stream();
        out << osc::BeginMessage (address);
        writeArguments (out);
        out << osc::EndMessage;
    }
    catch (const osc::Exception&)
    {
        return nullptr;
    }
    return packet;
}
} // namespace

//======================================================================================================
OscCom::OscCom (LinkPartner& p)
    : juce::Thread ("OSC connection"),
      partner (p)
{
    // The transport and the send loop post to this listener from their threads; take the weak reference
    // once here, so that its shared part exists before those threads can race to create it.
    { juce::WeakReference<juce::MessageListener> ref (this); }

    oscCom = this;
    linkedSetupPage = &partner;
    oscMessageSink = this;

    usb = std::make_unique<UsbConnection> (*this, usbTag);
    startThread();
}

OscCom::~OscCom()
{
    if (oscMessageSink == this)
        oscMessageSink = nullptr;

    signalThreadShouldExit();
    notify();
    stopThread (2000);
    usb.reset();

    {
        const QueueLock sl (sendQueueLock);
        for (auto& slot : sendQueue)
            slot.reset();
        sendQueueHead = sendQueueTail = 0;
    }

    if (oscCom == this)
        oscCom = nullptr;
    if (linkedSetupPage == &partner)
        linkedSetupPage = nullptr;
}

int OscCom::msSince (Clock::time_point t) noexcept
{
    return (int) std::chrono::duration_cast<std::chrono::milliseconds> (Clock::now() - t).count();
}

//======================================================================================================
void OscCom::enqueue (OscPacket* message)
{
    std::unique_ptr<OscPacket> owned (message);
    if (owned == nullptr || owned->size() == 0 || owned->size() > (size_t) maxMessageBytes)
        return;

    const QueueLock sl (sendQueueLock);

    if (! online)
        return;

    if (sendQueueHead != sendQueueTail && std::strcmp (owned->address(), "/preset/name") != 0)
    {
        // Newest first: a message still waiting for the same address takes the new values in its place.
        for (int i = previousIndex (sendQueueHead);; i = previousIndex (i))
        {
            auto& slot = sendQueue[i];
            if (slot != nullptr && std::strcmp (slot->address(), owned->address()) == 0)
            {
                if (i == sendQueueTail && waitingForAck.load())
                    tailReplacedInFlight = true;
                slot = std::move (owned);
                return;
            }
            if (i == sendQueueTail)
                break;
        }
    }

    store (std::move (owned));
}

void OscCom::store (std::unique_ptr<OscPacket> message)
{
    // Called with sendQueueLock held. A full queue refuses the newest message rather than overwrite.
    if (nextIndex (sendQueueHead) == sendQueueTail)
    {
        ++refused;
        return;
    }

    sendQueue[sendQueueHead] = std::move (message);
    sendQueueHead = nextIndex (sendQueueHead);
    notify();
}

void OscCom::sendGain (float gain)
{
    if (oscCom != nullptr)
        oscCom->sendFloat ("/gain", gain);
}

void OscCom::sendFloat (const char* address, float value)
{
    if (auto packet = build (address, [&] (osc::OutboundPacketStream& out) { out << value; }))
        enqueue (packet.release());
}

void OscCom::sendInt (const char* address, int32_t value)
{
    if (oscCom == nullptr)
        return;

    if (auto packet = build (address, [&] (osc::OutboundPacketStream& out) { out << (osc::int32) value; }))
        oscCom->enqueue (packet.release());
}

void OscCom::sendIndexedString (const char* address, int32_t n, const juce::String& text)
{
    auto packet = build (address, [&] (osc::OutboundPacketStream& out)
    {
        out << (osc::int32) n << (osc::int32) 0 << text.toRawUTF8();
    });

    if (packet != nullptr)
        enqueue (packet.release());
}

void OscCom::sendDirect (const char* address, int flag)
{
    auto packet = build (address, [] (osc::OutboundPacketStream&) {});
    if (packet == nullptr || flag != 1)
        return;

    for (int waited = 0; waited < directTryMs; ++waited)
    {
        if (handToTransport ((int) packet->size(), packet->data()))
            return;
        juce::Thread::sleep (1);
    }
}

void OscCom::requestNode (Cnode* node)
{
    if (oscCom == nullptr || node == nullptr || node->path == nullptr)
        return;

    auto packet = build (node->path, [] (osc::OutboundPacketStream&) {});
    if (packet == nullptr || packet->size() > (size_t) maxMessageBytes)
        return;

    const QueueLock sl (sendQueueLock);
    oscCom->store (std::move (packet));
}

void OscCom::requestAllNodes()
{
    if (rootCell != nullptr)
        rootCell->forEachMessageNode (&OscCom::requestNode);
}

void OscCom::sendNode (Cnode* node)
{
    if (node != nullptr && node->path != nullptr)
        node->sendOsc (node->path);
}

void OscCom::sendAllNodes()
{
    if (rootCell != nullptr)
        rootCell->forEachMessageNode (&OscCom::sendNode);
}

void OscCom::goOnline()
{
    if (usb->state.load() <= 0)
        return;

    sendDirect ("/online", sendingEnabled.load());

    online = true;
    {
        const QueueLock sl (sendQueueLock);
        sendRetries = 0;
    }

    requestAllNodes();

    for (int n = 1; n <= 20; ++n)
        sendIndexedString ("/preset/name", n, "DUMMY");

    sendFloat ("/meter", 10.0f);
}

void OscCom::goOffline()
{
    sendDirect ("/offline", sendingEnabled.load());

    online = false;
    {
        const QueueLock sl (sendQueueLock);

        for (; sendQueueTail != sendQueueHead; sendQueueTail = nextIndex (sendQueueTail))
            sendQueue[sendQueueTail].reset();

        waitingForAck = false;
        tailReplacedInFlight = false;
        sendRetries = 0;
    }
    notify();

    partner.setMeterLevels (0.0f, 0.0f, 0.0f);
    partner.setClipLeds (false, false, false);
}

bool OscCom::acknowledge (const char* address)
{
    {
        const QueueLock sl (sendQueueLock);

        if (sendQueueHead == sendQueueTail || address == nullptr)
            return false;

        auto& tail = sendQueue[sendQueueTail];
        if (tail == nullptr || std::strcmp (tail->address() + 1, address) != 0)
            return false;

        // The echo of an older value that a newer one replaced acknowledges the older copy only: the
        // newer value stays queued, so the user's last edit is not lost. It goes behind the messages
        // already waiting, or a control dragged faster than the speaker answers would hold them up.
        auto newer = tailReplacedInFlight ? std::move (tail) : nullptr;
        tail.reset();
        sendQueueTail = nextIndex (sendQueueTail);
        if (newer != nullptr)
            store (std::move (newer));  // never refused: one slot was just freed

        tailReplacedInFlight = false;
        waitingForAck = false;
        sendRetries = 0;
    }
    notify();
    return true;
}

//======================================================================================================
void OscCom::rescan()
{
    setSendingEnabled (0);
    usb->markClosed();
    usb->requestSearch();
}

bool OscCom::isDeviceOpen() const
{
    return usb->state.load() > 0;
}

void OscCom::enableSendingIfOpen()
{
    if (usb->state.load() > 0)
        setSendingEnabled (1);
}

int OscCom::usbState() const
{
    return usb->state.load();
}

void OscCom::requestSearch()
{
    usb->requestSearch();
}

bool OscCom::handToTransport (int length, const void* bytes)
{
    return usb != nullptr && usb->offerTransmit (bytes, length);
}

void OscCom::setSendingEnabled (int enabled)
{
    sendingEnabled = enabled != 0 ? 1 : 0;
    notify();
}

//======================================================================================================
int OscCom::queuedCount() const
{
    const QueueLock sl (sendQueueLock);
    return (sendQueueHead - sendQueueTail) & (queueSize - 1);
}

std::vector<juce::MemoryBlock> OscCom::queuedMessages() const
{
    const QueueLock sl (sendQueueLock);
    std::vector<juce::MemoryBlock> result;
    for (int i = sendQueueTail; i != sendQueueHead; i = nextIndex (i))
        if (sendQueue[i] != nullptr)
            result.emplace_back (sendQueue[i]->data(), sendQueue[i]->size());
    return result;
}

int OscCom::retryCount() const
{
    const QueueLock sl (sendQueueLock);
    return sendRetries;
}

int OscCom::refusedCount() const
{
    const QueueLock sl (sendQueueLock);
    return refused;
}

void OscCom::setAcknowledgementTimeout (int milliseconds)
{
    ackTimeoutMs = juce::jmax (1, milliseconds);
    notify();
}

void OscCom::setKeepAliveInterval (int milliseconds)
{
    keepAliveIntervalMs = juce::jmax (1, milliseconds);
    notify();
}

//======================================================================================================
void OscCom::run()
{
    auto lastKeepAlive = Clock::now();

    while (! threadShouldExit())
    {
        int idleMs = blockedPollMs;
        bool handedOver = false;

        {
            const QueueLock sl (sendQueueLock);

            if (sendQueueHead == sendQueueTail)
            {
                idleMs = offlineIdleMs;

                if (online)
                {
                    const int interval = keepAliveIntervalMs.load();
                    const int elapsed = msSince (lastKeepAlive);

                    if (elapsed > interval)
                    {
                        sendFloat ("/meter", 10.0f);
                        lastKeepAlive = Clock::now();
                        continue;
                    }

                    idleMs = juce::jmin (offlineIdleMs, interval - elapsed + 1);
                }
            }
            else if (sendingEnabled.load() == 1 && usb->state.load() > 0)
            {
                if (sendRetries < maxAttempts)
                {
                    const auto& message = sendQueue[sendQueueTail];

                    // The echo can come back before this thread runs on after the hand-over: it must find
                    // the flag already set (its acknowledgement then waits for this lock).
                    waitingForAck = true;

                    if (handToTransport ((int) message->size(), message->data()))
                    {
                        tailReplacedInFlight = false;
                        sendTime = Clock::now();
                        ++sendRetries;
                        handedOver = true;
                    }
                    else
                    {
                        waitingForAck = false;
                        idleMs = 1;  // the slot is busy with a direct message; no attempt is counted
                    }
                }
                else
                {
                    // Four attempts without an echo: the speaker is lost. The message stays queued.
                    postMessage (new MyMessage (-1));
                    sendingEnabled = 0;
                }
            }
        }

        if (handedOver)
            waitForAcknowledgement();
        else
            wait (idleMs);
    }
}

void OscCom::waitForAcknowledgement()
{
    while (waitingForAck.load() && ! threadShouldExit())
    {
        const int remaining = ackTimeoutMs.load() - msSince (sendTime);

        if (remaining <= 0)
        {
            // No echo in time: the next pass hands the (possibly replaced) oldest message over again.
            const QueueLock sl (sendQueueLock);
            waitingForAck = false;
            return;
        }

        wait (remaining);
    }
}

//======================================================================================================
void OscCom::handleMessage (const juce::Message& message)
{
    const auto* received = dynamic_cast<const MyMessage*> (&message);
    if (received == nullptr)
        return;

    const auto& data = received->data;
    if (data.getSize() == 0)
    {
        if (received->tag == -1)
            connectionError();
        return;
    }

    if (data.getSize() <= MyMessage::messageOffset)
        return;

    const auto* block = static_cast<const uint8_t*> (data.getData());
    const size_t available = juce::jmin (data.getSize() - MyMessage::messageOffset, MyMessage::maxMessageBytes);
    size_t length = MyMessage::messageLength (block);

    // Without a length the message ends where its own structure says, within 64 bytes.
    if (length == 0)
        length = available & ~(size_t) 3;

    if (length == 0 || length > available || length % 4 != 0)
        return;

    // The OSC reader may look up to three bytes past the end it is given: parse a zero-padded copy.
    char buffer[MyMessage::maxMessageBytes + 4] = {};
    std::memcpy (buffer, block + MyMessage::messageOffset, length);

    if (! onlyPlainArguments (buffer, length))
        return;

    try
    {
        const osc::ReceivedPacket packet (buffer, (osc::osc_bundle_element_size_t) length);
        if (packet.IsBundle())
            return;

        const osc::ReceivedMessage oscMessage (packet);
        if (! allFloatsFinite (oscMessage))
            return;

        if (online && received->tag == usbTag)
            if (! dispatch (oscMessage))
                return;

        infoStep (oscMessage);
    }
    catch (const osc::Exception&)
    {
        // Malformed, or arguments that do not match: dropped, nothing applied or acknowledged.
    }
}

void OscCom::ackIfWaiting (const char* address)
{
    if (waitingForAck.load())
        acknowledge (address + 1);
}

bool OscCom::dispatch (const ReceivedMessage& message)
{
    const char* address = message.AddressPattern();
    const auto count = message.ArgumentCount();
    auto args = message.ArgumentStream();

    if (startsWith (address, "/meter"))
    {
        if (count != 3)
            return false;

        float input, outputA, outputB;
        args >> input >> outputA >> outputB >> osc::EndMessage;

        partner.showMeters (level (input), level (outputA), level (outputB));
        ackIfWaiting (address);

        if (++meterReplyCount > meterRequestEvery)
        {
            sendFloat ("/meter", 10.0f);
            meterReplyCount = 0;
        }
    }
    else if (startsWith (address, "/k24meter"))
    {
        if (count != 9)
            return false;

        osc::int32 bank;
        float levels[8];
        args >> bank;
        for (auto& l : levels)
            args >> l;
        args >> osc::EndMessage;

        for (auto& l : levels)
            l = level (l);

        if (partner.isConfigTabShown())
            partner.setK24Meters ((int) bank, levels);
    }
    else if (startsWith (address, "/peaklimit"))
    {
        if (count != 3)
            return false;

        osc::int32 clip, limitA, limitB;
        args >> clip >> limitA >> limitB >> osc::EndMessage;
        partner.showPeakLimit (clip > 0, limitA > 0, limitB > 0);
    }
    else if (startsWith (address, "/gain"))
    {
        if (count != 1)
            return false;

        float gain;
        args >> gain >> osc::EndMessage;
        partner.showGain (gain);
        ackIfWaiting (address);
    }
    else if (startsWith (address, "/preset"))
    {
        if (count != 3)
            return false;

        osc::int32 n, unused;
        const char* text;
        args >> n >> unused >> text >> osc::EndMessage;

        const char* rest = address + std::strlen ("/preset");
        const bool slotInRange = n >= 1 && n <= 20;

        if (std::strcmp (rest, "/name") == 0)
        {
            if (slotInRange)
                partner.setSlotName ((int) n - 1, textFromSpeaker (text));
        }
        else if (std::strcmp (rest, "/load") == 0)
        {
            partner.presetLoaded (textFromSpeaker (text));
        }
        else if (std::strcmp (rest, "/save") == 0)
        {
            // A slot number outside 1 to 20 names no slot editor (20 is "none").
            partner.presetSaved (slotInRange ? (int) n - 1 : 20, textFromSpeaker (text));
        }

        ackIfWaiting (address);
    }
    else if (startsWith (address, "/lock"))
    {
        if (count != 1)
            return false;

        osc::int32 code;
        args >> code >> osc::EndMessage;

        partner.showLockState (code);
        ackIfWaiting (address);

        // A "/lock" reply also answers an "/unlock" request.
        if (waitingForAck.load())
            acknowledge ("unlock");
    }
    else if (startsWith (address, "/alert"))
    {
        if (count != 1)
            return false;

        const char* raw;
        args >> raw >> osc::EndMessage;

        const auto text = textFromSpeaker (raw);
        if (text != lastAlertText)
        {
            lastAlertText = text;
            partner.showSpeakerAlert (juce::translate (text));
        }
    }
    else if (rootCell != nullptr)
    {
        if (auto* node = Cnode::findByPath (rootCell, address + 1))
        {
            node->fromOsc (args);
            ackIfWaiting (address);
        }
    }

    return true;
}

void OscCom::infoStep (const ReceivedMessage& message)
{
    if (std::strcmp (message.AddressPattern(), "/info") != 0 || message.ArgumentCount() != 3)
        return;

    const char* name;
    const char* firmwareText;
    osc::int32 model;
    message.ArgumentStream() >> name >> firmwareText >> model >> osc::EndMessage;

    const auto deviceName = textFromSpeaker (name);
    const std::string firmware (firmwareText);

    // The Connect question and the firmware warning are modal: their loop delivers further replies, and
    // a speaker that repeats "/info" would stack a box inside a box until the stack overflows. The box
    // already open answers for the repeats, with the data of the reply it was opened for.
    if (connectStepOpen)
        return;

    const juce::ScopedValueSetter<bool> stepOpen (connectStepOpen, true);

    if (usb->state.load() > 0)
        setSendingEnabled (1);

    if (! askConnect (deviceName))
    {
        usb->markClosed();
        return;
    }

    if (online)
        partner.goOffline();

    partner.setModel ((int) model);

    // "V" and a version of at least 1.7, compared digit by digit as signed characters.
    auto at = [&firmware] (size_t i) { return i < firmware.size() ? (signed char) firmware[i] : (signed char) 0; };
    const bool accepted = at (0) == 'V' && (at (1) > '1' || (at (1) == '1' && at (3) >= '7'));

    if (accepted)
        partner.goOnline();
    else
        partner.showIncompatibleFirmware();
}

bool OscCom::askConnect (const juce::String& deviceName)
{
    return partner.askConnect (deviceName);
}

void OscCom::connectionError()
{
    // The error box is modal; the one already open finishes the same steps when it is closed.
    if (errorStepOpen)
        return;

    const juce::ScopedValueSetter<bool> stepOpen (errorStepOpen, true);

    partner.goOffline();
    partner.showConnectionError();
    usb->markClosed();
    setSendingEnabled (0);
    partner.showOffline();
}

void OscCom::alertClosed()
{
    lastAlertText = {};
}

} // namespace osc
