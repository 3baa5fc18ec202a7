#include "sim/SimulatedSpeaker.h"

#include "sim/OscCodec.h"

#include "model/Cparam.h"
#include "model/Croot.h"

namespace sim
{

namespace
{

struct NodeTable
{
    std::vector<std::string> order;
    std::map<std::string, std::pair<std::string, OscArgs>> nodes; // address -> type tags, values
};

// The addresses, type tags and start values of a freshly built parameter tree, read once.
const NodeTable& initialNodes()
{
    static const NodeTable table = [] {
        NodeTable t;
        Croot root;
        root.buildPaths();
        root.forEachMessageNode ([&t] (Cnode* node) {
            OscArgs values;
            for (Cnode* child = node->firstChild; child != node; child = child->next)
            {
                auto* param = static_cast<Cparam*> (child);
                char text[Cnode::textBufferSize] = {};
                switch (param->kind)
                {
                    case paramInt:
                        values.emplace_back (static_cast<int32_t> (param->getIndex()));
                        break;
                    case paramEnum:
                    case paramString:
                        param->toText (text);
                        values.emplace_back (std::string (text));
                        break;
                    default:
                        values.emplace_back (param->getFloat());
                        break;
                }
            }
            const std::string address (node->path);
            t.order.push_back (address);
            t.nodes[address] = { node->oscTypeTags(), std::move (values) };
        });
        return t;
    }();
    return table;
}

// At most `count` UTF-8 characters of `text`.
std::string firstCharacters (const std::string& text, size_t count)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const auto c = static_cast<unsigned char> (text[i]);
        if ((c & 0xc0) != 0x80 && characters++ == count)
            return text.substr (0, i);
    }
    return text;
}

bool isPresetArgs (const std::string& typeTags)
{
    return typeTags == "iis";
}

} // namespace

SimulatedSpeaker::SimulatedSpeaker (HidIdentity identity)
    : VirtualHidDevice (std::move (identity))
{
    const auto& table = initialNodes();
    order = table.order;
    for (const auto& [address, node] : table.nodes)
        nodes[address] = { node.first, node.second };

    const auto values = currentValuesLocked();
    for (size_t i = 0; i < slots.size(); ++i)
    {
        slots[i].name = i == 0 ? "INIT_DATA" : "Preset " + std::to_string (i + 1);
        slots[i].values = values;
    }
    setInfo ("SIMSPEAKER", "V2.0", 0);
}

SimulatedSpeaker::~SimulatedSpeaker() = default;

void SimulatedSpeaker::setInfo (const std::string& name, const std::string& firmwareText, int32_t model)
{
    std::lock_guard<std::mutex> lock (mutex);
    firmware = firmwareText;
    modelIndex = model;
    const auto it = nodes.find ("/devname");
    if (it != nodes.end() && it->second.typeTags == "s")
        it->second.values = { name };
}

std::string SimulatedSpeaker::deviceName() const
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto it = nodes.find ("/devname");
    if (it == nodes.end() || it->second.values.empty())
        return {};
    const auto* text = std::get_if<std::string> (&it->second.values.front());
    return text != nullptr ? *text : std::string();
}

void SimulatedSpeaker::setMeters (float input, float outputA, float outputB)
{
    std::lock_guard<std::mutex> lock (mutex);
    meters = { input, outputA, outputB };
}

void SimulatedSpeaker::setSlotName (int number, const std::string& name)
{
    std::lock_guard<std::mutex> lock (mutex);
    if (number >= 1 && number <= static_cast<int> (slots.size()))
        slots[static_cast<size_t> (number - 1)].name = name;
}

std::string SimulatedSpeaker::slotName (int number) const
{
    std::lock_guard<std::mutex> lock (mutex);
    if (number < 1 || number > static_cast<int> (slots.size()))
        return {};
    return slots[static_cast<size_t> (number - 1)].name;
}

std::vector<std::string> SimulatedSpeaker::nodeAddresses() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return order;
}

std::string SimulatedSpeaker::nodeTypeTags (const std::string& address) const
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto it = nodes.find (address);
    return it != nodes.end() ? it->second.typeTags : std::string();
}

OscArgs SimulatedSpeaker::nodeValues (const std::string& address) const
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto it = nodes.find (address);
    return it != nodes.end() ? it->second.values : OscArgs();
}

bool SimulatedSpeaker::setNodeValues (const std::string& address, const OscArgs& values)
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto it = nodes.find (address);
    if (it == nodes.end() || OscCodec::typeTagsOf (values) != it->second.typeTags)
        return false;
    it->second.values = values;
    return true;
}

int32_t SimulatedSpeaker::lockCode() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return currentLockCode;
}

float SimulatedSpeaker::gain() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return inputGain;
}

bool SimulatedSpeaker::isOnline() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return online;
}

void SimulatedSpeaker::setSilent (bool shouldBeSilent)
{
    std::lock_guard<std::mutex> lock (mutex);
    silent = shouldBeSilent;
}

bool SimulatedSpeaker::isSilent() const
{
    std::lock_guard<std::mutex> lock (mutex);
    return silent;
}

void SimulatedSpeaker::dropReplies (int count, const std::string& address)
{
    std::lock_guard<std::mutex> lock (mutex);
    if (count > 0)
        dropCounts[address] += count;
}

void SimulatedSpeaker::setReplyDelay (int ms)
{
    std::lock_guard<std::mutex> lock (mutex);
    replyDelayMs = std::max (ms, 0);
}

void SimulatedSpeaker::sendAlert (const std::string& text)
{
    std::lock_guard<std::mutex> lock (mutex);
    queueMessageLocked ("/alert", { text }, Clock::now());
}

void SimulatedSpeaker::sendK24Meter (int32_t bank, const std::array<float, 8>& levels)
{
    OscArgs args { bank };
    for (const float level : levels)
        args.emplace_back (level);
    std::lock_guard<std::mutex> lock (mutex);
    queueMessageLocked ("/k24meter", args, Clock::now());
}

void SimulatedSpeaker::sendPeakLimit (int32_t inputClip, int32_t limitA, int32_t limitB)
{
    std::lock_guard<std::mutex> lock (mutex);
    queueMessageLocked ("/peaklimit", { inputClip, limitA, limitB }, Clock::now());
}

bool SimulatedSpeaker::sendNodeValues (const std::string& address)
{
    std::lock_guard<std::mutex> lock (mutex);
    const auto it = nodes.find (address);
    return it != nodes.end() && queueMessageLocked (address, it->second.values, Clock::now());
}

std::map<std::string, OscArgs> SimulatedSpeaker::currentValuesLocked() const
{
    std::map<std::string, OscArgs> values;
    for (const auto& [address, node] : nodes)
        values[address] = node.values;
    return values;
}

bool SimulatedSpeaker::takeDropLocked (const std::string& address)
{
    for (const auto& key : { address, std::string() })
    {
        const auto it = dropCounts.find (key);
        if (it != dropCounts.end() && it->second > 0)
        {
            if (--it->second == 0)
                dropCounts.erase (it);
            return true;
        }
    }
    return false;
}

void SimulatedSpeaker::reportWritten (const SimMessage& message, Clock::time_point at)
{
    if (silent || ! message.wellFormed)
        return;
    answerLocked (message, message.address, message.args, at + std::chrono::milliseconds (replyDelayMs));
}

bool SimulatedSpeaker::answerLocked (const SimMessage& message, const std::string& address, const OscArgs& args,
                                     Clock::time_point readyAt)
{
    const auto& tags = message.typeTags;
    std::string replyAddress = address;
    OscArgs reply;

    if (address == "/online" || address == "/offline")
    {
        online = address == "/online";
        return false;
    }

    if (address == "/info")
    {
        reply = { nodes["/devname"].values.empty() ? OscValue (std::string()) : nodes["/devname"].values.front(),
                  firmware, modelIndex };
    }
    else if (address == "/meter")
    {
        reply = { meters[0], meters[1], meters[2] };
    }
    else if (address == "/gain" && tags == "f")
    {
        inputGain = std::get<float> (args[0]);
        reply = args;
    }
    else if (address == "/lock" && tags == "i")
    {
        currentLockCode = std::get<int32_t> (args[0]);
        reply = { currentLockCode };
    }
    else if (address == "/unlock" && tags == "i")
    {
        if (currentLockCode == 0 || std::get<int32_t> (args[0]) == currentLockCode)
            currentLockCode = 0;
        replyAddress = "/lock";
        reply = { currentLockCode };
    }
    else if ((address == "/preset/name" || address == "/preset/load" || address == "/preset/save") && isPresetArgs (tags))
    {
        const int32_t n = std::get<int32_t> (args[0]);
        std::string text = std::get<std::string> (args[2]);
        if (n >= 1 && n <= static_cast<int32_t> (slots.size()))
        {
            auto& slot = slots[static_cast<size_t> (n - 1)];
            if (address == "/preset/load")
            {
                for (const auto& [nodeAddress, values] : slot.values)
                    nodes[nodeAddress].values = values;
            }
            else if (address == "/preset/save" && n != 1)
            {
                slot.name = firstCharacters (text, 10);
                slot.values = currentValuesLocked();
            }
            text = slot.name;
        }
        reply = { n, int32_t (0), text };
    }
    else
    {
        const auto it = nodes.find (address);
        if (it == nodes.end())
            return false;
        if (! tags.empty())
        {
            if (tags != it->second.typeTags)
                return false;
            it->second.values = args;
        }
        reply = it->second.values;
    }

    if (takeDropLocked (address))
        return false;
    return queueMessageLocked (replyAddress, reply, readyAt);
}

} // namespace sim
