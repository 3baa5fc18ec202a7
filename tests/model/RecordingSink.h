#pragma once
// Records the messages that the tree sends, for tests.

#include "model/OscPacket.h"

#include <string>
#include <vector>

/** Installs itself as the program's message sink while it exists and keeps each message's bytes. */
class RecordingSink : public OscMessageSink
{
public:
    RecordingSink() { oscMessageSink = this; }
    ~RecordingSink() override { oscMessageSink = nullptr; }

    void enqueue (OscPacket* message) override
    {
        messages.emplace_back (message->data(), message->size());
        delete message;
    }

    std::vector<std::string> messages;
};
