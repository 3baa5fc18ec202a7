#pragma once
// Building and reading the OSC messages and reports of the simulated link (test support).

#include "sim/SimMessage.h"

namespace sim
{

/** Encodes and decodes OSC messages and frames them into HID reports. */
class OscCodec
{
public:
    /** Encodes one OSC message (no size limit, so that oversized messages can be made on purpose). */
    static std::vector<uint8_t> encode (const std::string& address, const OscArgs& args);

    /** Puts `message` into a report: byte 0 = 0, byte 1 = `lengthByte` (or the message size when
        negative), the message from byte 2 on, cut at 62 bytes; the rest of the report is zero. */
    static Report frame (const std::vector<uint8_t>& message, int lengthByte = -1);

    /** Decodes a report into `out` (report, bytes, address, type tags, args, wellFormed; time is left
        alone). Returns wellFormed. */
    static bool decodeReport (const Report& report, SimMessage& out);

    /** Decodes a bare OSC message. Returns false when oscpack rejects it or it holds a tag other than
        i, f and s. */
    static bool decodeMessage (const uint8_t* data, size_t size, std::string& address, std::string& typeTags,
                               OscArgs& args);

    /** The type tags of `args` ('i', 'f' or 's' each). */
    static std::string typeTagsOf (const OscArgs& args);
};

} // namespace sim
