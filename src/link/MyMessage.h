#pragma once
// The message the transport and the send loop post to the OSC link on the message thread.

#include <juce_events/juce_events.h>

#include <cstddef>
#include <cstdint>

/**
    A framework message with an integer tag and a block of bytes. Two forms occur:
    - the transport's tag with a receiveBlockSize block: bytes 0 to 3 hold the received OSC message's
      length (little-endian; 0 means "not given", and the reader then takes all 64 bytes), the message
      starts at messageOffset, and whatever earlier messages left in the reused block follows it;
    - tag -1 with an empty block: the speaker stopped answering.
    The framework hands it to the listener's handleMessage.
*/
class MyMessage final : public juce::Message
{
public:
    /** Bytes of a received-report block. */
    static constexpr size_t receiveBlockSize = 68;

    /** Where the OSC message starts in the block. */
    static constexpr size_t messageOffset = 4;

    /** Largest OSC message a block carries. */
    static constexpr size_t maxMessageBytes = 64;

    /** Makes a message carrying a copy of `data`. */
    MyMessage (int tag, const juce::MemoryBlock& data);

    /** Makes a message with an empty block. */
    explicit MyMessage (int tag);

    ~MyMessage() override;

    /** The sender's tag. */
    const int tag;

    /** The carried bytes. */
    const juce::MemoryBlock data;

    /** The OSC message length written into a block's first four bytes. */
    static void setMessageLength (uint8_t* block, uint32_t length) noexcept;

    /** The OSC message length that a block's first four bytes give (0 when not given). */
    static uint32_t messageLength (const uint8_t* block) noexcept;
};
