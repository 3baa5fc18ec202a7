#include "link/MyMessage.h"

MyMessage::MyMessage (int t, const juce::MemoryBlock& d) : tag (t), data (d) {}

MyMessage::MyMessage (int t) : tag (t) {}

MyMessage::~MyMessage() = default;

void MyMessage::setMessageLength (uint8_t* block, uint32_t length) noexcept
{
    for (int i = 0; i < 4; ++i)
        block[i] = (uint8_t) (length >> (8 * i));
}

uint32_t MyMessage::messageLength (const uint8_t* block) noexcept
{
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= (uint32_t) block[i] << (8 * i);
    return length;
}
