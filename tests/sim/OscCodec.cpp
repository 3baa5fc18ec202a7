#include "sim/OscCodec.h"

#include <osc/OscOutboundPacketStream.h>
#include <osc/OscReceivedElements.h>

#include <algorithm>
#include <cstring>

namespace sim
{

std::vector<uint8_t> OscCodec::encode (const std::string& address, const OscArgs& args)
{
    // Large enough for any message a test builds on purpose, oversized ones included.
    std::vector<char> buffer (1024 + address.size() * 2 + args.size() * 16);
    for (const auto& a : args)
        if (const auto* s = std::get_if<std::string> (&a))
            buffer.resize (buffer.size() + s->size() + 8);

    osc::OutboundPacketStream out (buffer.data(), buffer.size());
    out << osc::BeginMessage (address.c_str());
    for (const auto& a : args)
    {
        if (const auto* i = std::get_if<int32_t> (&a))
            out << static_cast<osc::int32> (*i);
        else if (const auto* f = std::get_if<float> (&a))
            out << *f;
        else
            out << std::get<std::string> (a).c_str();
    }
    out << osc::EndMessage;
    return std::vector<uint8_t> (out.Data(), out.Data() + out.Size());
}

Report OscCodec::frame (const std::vector<uint8_t>& message, int lengthByte)
{
    Report report {};
    report[1] = static_cast<uint8_t> (lengthByte < 0 ? std::min<size_t> (message.size(), 255) : lengthByte);
    std::copy_n (message.begin(), std::min<size_t> (message.size(), report.size() - 2), report.begin() + 2);
    return report;
}

bool OscCodec::decodeReport (const Report& report, SimMessage& out)
{
    out.report = report;
    out.bytes.clear();
    out.address.clear();
    out.typeTags.clear();
    out.args.clear();
    out.wellFormed = false;

    const size_t length = std::min<size_t> (report[1], report.size() - 2);
    out.bytes.assign (report.begin() + 2, report.begin() + 2 + static_cast<std::ptrdiff_t> (length));

    if (report[1] >= 63 || report[2] != '/')
        return false;

    out.wellFormed = decodeMessage (out.bytes.data(), out.bytes.size(), out.address, out.typeTags, out.args);
    if (! out.wellFormed)
    {
        // Keep what can be told of a broken message: the text up to the first NUL, when there is one.
        const auto* begin = reinterpret_cast<const char*> (out.bytes.data());
        const auto* nul = out.bytes.empty() ? nullptr
                                            : static_cast<const char*> (std::memchr (begin, 0, out.bytes.size()));
        out.address = nul != nullptr ? std::string (begin, nul) : std::string();
        out.typeTags.clear();
        out.args.clear();
    }
    return out.wellFormed;
}

bool OscCodec::decodeMessage (const uint8_t* data, size_t size, std::string& address, std::string& typeTags,
                              OscArgs& args)
{
    address.clear();
    typeTags.clear();
    args.clear();
    if (size == 0 || size % 4 != 0)
        return false;

    try
    {
        osc::ReceivedPacket packet (reinterpret_cast<const char*> (data), static_cast<osc::osc_bundle_element_size_t> (size));
        if (packet.IsBundle())
            return false;

        osc::ReceivedMessage message (packet);
        OscArgs decoded;
        std::string tags;
        for (auto it = message.ArgumentsBegin(); it != message.ArgumentsEnd(); ++it)
        {
            const char tag = it->TypeTag();
            if (tag == 'i')
                decoded.emplace_back (static_cast<int32_t> (it->AsInt32()));
            else if (tag == 'f')
                decoded.emplace_back (it->AsFloat());
            else if (tag == 's')
                decoded.emplace_back (std::string (it->AsString()));
            else
                return false;
            tags += tag;
        }
        address = message.AddressPattern();
        typeTags = std::move (tags);
        args = std::move (decoded);
        return true;
    }
    catch (const osc::Exception&)
    {
        address.clear();
        return false;
    }
}

std::string OscCodec::typeTagsOf (const OscArgs& args)
{
    std::string tags;
    for (const auto& a : args)
        tags += std::holds_alternative<int32_t> (a) ? 'i' : std::holds_alternative<float> (a) ? 'f' : 's';
    return tags;
}

} // namespace sim
