#pragma once
// One outgoing OSC message, written into a 64-byte buffer that the message owns.

#include <osc/OscOutboundPacketStream.h>

#include <cstddef>
#include <memory>

class OscPacket
{
public:
    /** Bytes the buffer holds; writing more raises osc::OutOfBufferMemoryException. */
    static constexpr std::size_t capacity = 64;

    OscPacket();
    ~OscPacket();

    OscPacket (const OscPacket&) = delete;
    OscPacket& operator= (const OscPacket&) = delete;

    /** The stream the sender writes one message into (BeginMessage, arguments, EndMessage). */
    osc::OutboundPacketStream& stream() noexcept { return out; }

    /** The message bytes written so far. */
    const char* data() const noexcept { return out.Data(); }
    std::size_t size() const noexcept { return out.Size(); }

    /** The message's address (NUL-terminated, starts with "/"); empty when nothing is written yet. */
    const char* address() const noexcept;

private:
    std::unique_ptr<char[]> buffer;
    osc::OutboundPacketStream out;
};

/** Where outgoing messages leave the model: the speaker link implements it. */
class OscMessageSink
{
public:
    virtual ~OscMessageSink() = default;

    /** Takes ownership of `message` and queues, coalesces or drops it. */
    virtual void enqueue (OscPacket* message) = 0;
};

/** The sink of every message that a tree node sends; null while there is no link (messages are then
    deleted). Set by the link when it is created and cleared when it is destroyed. */
extern OscMessageSink* oscMessageSink;

/** Hands a finished message to oscMessageSink, or deletes it when there is none. */
void sendToLink (OscPacket* message);
