#pragma once
// The simulated speaker: a VirtualHidDevice that answers the editor's OSC messages as the speaker does.

#include "sim/VirtualHidDevice.h"

#include <array>
#include <map>

namespace sim
{

/**
    A speaker behind the in-memory HID host, for tests and benchmarks.

    It keeps its own copy of every message node's values (by address, initially those of a freshly built
    parameter tree), the twenty preset slots, the lock code, the input gain and the meter levels, and it
    answers each report the host writes, one frame after it arrived (plus the reply delay):

    - "/info" (any arguments): "/info" with the device name (string), the firmware text (string) and the
      model index (int32). The device name is the value of the "/devname" node.
    - "/online", "/offline": switch isOnline(); no answer (the editor never awaits one).
    - "/meter" (any arguments): "/meter" with three floats, the levels of setMeters().
    - "/gain" with one float: stores it and answers "/gain" with it.
    - "/lock" with one int32 code: locks with that code and answers "/lock" with it.
    - "/unlock" with one int32 code: when unlocked, or when the code is the lock code, unlocks and answers
      "/lock" 0; otherwise answers "/lock" with the lock code.
    - "/preset/name", "/preset/load", "/preset/save" with int32 n, int32, string: each answered with the
      same address, n, 0 and a text. name: the name of slot n. load: slot n's stored values become the
      current node values; the text is its name. save: the current values and the given text (cut to 10
      characters) are stored in slot n; slot 1 ("INIT_DATA") is read-only and keeps its name. With n
      outside 1 to 20 nothing is changed and the given text comes back.
    - A node address with no arguments (a request): the node's message with its current values.
    - A node address with arguments matching the node's type tags: stores them and echoes them.
    Everything else (unknown addresses, wrong arguments, broken reports) is logged and not answered.

    Tests make it silent (it logs but answers nothing), drop or delay answers, send unsolicited
    "/alert", "/k24meter" and "/peaklimit" messages or any raw report (queueReport, queueMessage), and
    unplug and plug it through its MemoryHidHost. Thread-safe.
*/
class SimulatedSpeaker : public VirtualHidDevice
{
public:
    /** A speaker with the given USB identity, "/info" "SIMSPEAKER", "V2.0", model 0. */
    explicit SimulatedSpeaker (HidIdentity identity = {});
    ~SimulatedSpeaker() override;

    // ---- what it answers ----

    /** Sets the "/info" answer; the device name becomes the "/devname" node's value. */
    void setInfo (const std::string& deviceName, const std::string& firmware, int32_t modelIndex);

    /** The device name (the "/devname" node's text). */
    std::string deviceName() const;

    /** Sets the three levels of the "/meter" answer (input, output A, output B). */
    void setMeters (float input, float outputA, float outputB);

    /** Sets the name of preset slot `number` (1 to 20); other numbers are ignored. */
    void setSlotName (int number, const std::string& name);

    /** The name of preset slot `number` (1 to 20; empty for other numbers). Slot 1 is "INIT_DATA",
        slots 2 to 20 start as "Preset 2" to "Preset 20". */
    std::string slotName (int number) const;

    /** The 22 message node addresses in tree order. */
    std::vector<std::string> nodeAddresses() const;

    /** The node's type tags without ','; empty for an unknown address. */
    std::string nodeTypeTags (const std::string& address) const;

    /** The node's current values; empty for an unknown address. */
    OscArgs nodeValues (const std::string& address) const;

    /** Sets a node's values; false (nothing changed) for an unknown address or arguments that do not
        match its type tags. */
    bool setNodeValues (const std::string& address, const OscArgs& values);

    /** The lock code; 0 when unlocked. */
    int32_t lockCode() const;

    /** The last "/gain" received (0 at first). */
    float gain() const;

    /** True after "/online" until "/offline". */
    bool isOnline() const;

    // ---- misbehaving ----

    /** While silent the speaker logs what it receives, and neither acts on it nor answers it. */
    void setSilent (bool silent);
    bool isSilent() const;

    /** Drops the answers to the next `count` messages it would answer whose address is `address` (any
        address when empty). Calls add up per address. */
    void dropReplies (int count, const std::string& address = {});

    /** Delays every answer by `ms` milliseconds from now on (0: none). */
    void setReplyDelay (int ms);

    // ---- unsolicited messages ----

    /** Sends "/alert" with the text. */
    void sendAlert (const std::string& text);

    /** Sends "/k24meter" with the bank and eight levels. */
    void sendK24Meter (int32_t bank, const std::array<float, 8>& levels);

    /** Sends "/peaklimit" with three int32 values (input clip, limit A, limit B). */
    void sendPeakLimit (int32_t inputClip, int32_t limitA, int32_t limitB);

    /** Sends a node's message with its current values, as when the speaker changed it itself; false
        for an unknown address. */
    bool sendNodeValues (const std::string& address);

protected:
    void reportWritten (const SimMessage& message, Clock::time_point at) override;

private:
    struct Node
    {
        std::string typeTags;
        OscArgs values;
    };

    struct Slot
    {
        std::string name;
        std::map<std::string, OscArgs> values;
    };

    bool answerLocked (const SimMessage& message, const std::string& address, const OscArgs& args,
                       Clock::time_point readyAt);
    bool takeDropLocked (const std::string& address);
    std::map<std::string, OscArgs> currentValuesLocked() const;

    std::vector<std::string> order;          // node addresses in tree order
    std::map<std::string, Node> nodes;
    std::array<Slot, 20> slots;
    std::string firmware = "V2.0";
    int32_t modelIndex = 0;
    std::array<float, 3> meters { 0.5f, 0.25f, 0.125f };
    int32_t currentLockCode = 0;
    float inputGain = 0.0f;
    bool online = false;
    bool silent = false;
    int replyDelayMs = 0;
    std::map<std::string, int> dropCounts;   // "" stands for any address
};

} // namespace sim
