#pragma once
// One OSC message as it crossed the simulated USB link, with the types the simulation shares.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace sim
{

/** The clock of the simulation: every logged time and every report timing uses it. */
using Clock = std::chrono::steady_clock;

/** One 64-byte HID report: byte 0 the report id, byte 1 the message length, then the message. */
using Report = std::array<uint8_t, 64>;

/** One OSC argument: int32 ('i'), float32 ('f') or string ('s'). */
using OscValue = std::variant<int32_t, float, std::string>;

/** The arguments of one OSC message, in order. */
using OscArgs = std::vector<OscValue>;

/** One report that crossed the simulated link, as logged by the device side, decoded as far as it goes. */
struct SimMessage
{
    Report report {};             ///< the whole report as written or read
    std::vector<uint8_t> bytes;   ///< the message bytes: length byte's count (at most 62) from byte 2 on
    std::string address;          ///< the OSC address; empty when the report holds no readable message
    std::string typeTags;         ///< the type tags without the leading ','
    OscArgs args;                 ///< the decoded arguments (only when wellFormed)
    bool wellFormed = false;      ///< framing valid (length < 63, byte 2 '/') and the OSC message parsed
    Clock::time_point time {};    ///< when the report crossed the link

    /** The argument at `i` as an int32, float or string; throws std::bad_variant_access on a mismatch. */
    int32_t intArg (size_t i) const { return std::get<int32_t> (args.at (i)); }
    float floatArg (size_t i) const { return std::get<float> (args.at (i)); }
    const std::string& stringArg (size_t i) const { return std::get<std::string> (args.at (i)); }
};

} // namespace sim
