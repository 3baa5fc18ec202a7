#include "model/OscPacket.h"

#include <cstring>

OscMessageSink* oscMessageSink = nullptr;

OscPacket::OscPacket()
    : buffer (new char[capacity]()),
      out (buffer.get(), capacity)
{
}

OscPacket::~OscPacket() = default;

const char* OscPacket::address() const noexcept
{
    // An OSC message begins with its NUL-terminated address.
    return out.Size() > 0 ? out.Data() : "";
}

void sendToLink (OscPacket* message)
{
    if (oscMessageSink != nullptr)
        oscMessageSink->enqueue (message);
    else
        delete message;
}
