#pragma once
// Takes the place of the link in page tests: decodes and keeps every message a tree node sends.
#include "model/OscPacket.h"

#include <osc/OscReceivedElements.h>

#include <memory>
#include <string>
#include <vector>

namespace testsink
{
/** One sent message: its address, its number arguments in order and its text arguments in order. */
struct Sent
{
    std::string address;
    std::vector<float> numbers;
    std::vector<std::string> texts;
};

/** Keeps every message handed to it; install it as oscMessageSink. */
class DecodingSink : public OscMessageSink
{
public:
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        osc::ReceivedPacket packet (owned->data(), (osc::osc_bundle_element_size_t) owned->size());
        osc::ReceivedMessage m (packet);
        Sent s { m.AddressPattern(), {}, {} };
        for (auto it = m.ArgumentsBegin(); it != m.ArgumentsEnd(); ++it)
        {
            if (it->IsString())
                s.texts.push_back (it->AsString());
            else
                s.numbers.push_back (it->IsInt32() ? (float) it->AsInt32() : it->AsFloat());
        }
        sent.push_back (s);
    }

    /** How many messages went to `address`. */
    int count (const std::string& address) const
    {
        int n = 0;
        for (auto& s : sent)
            n += s.address == address ? 1 : 0;
        return n;
    }

    /** The last message to `address`, or null. */
    const Sent* last (const std::string& address) const
    {
        for (auto it = sent.rbegin(); it != sent.rend(); ++it)
            if (it->address == address)
                return &*it;
        return nullptr;
    }

    std::vector<Sent> sent;
};
} // namespace testsink
