#pragma once

#include "model/Cparam.h"

/** The input ("/input"): source, trim or gain and the remote switch. */
class Cinput : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Cinput();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* source;       ///< input source, 0 (analog) to 16
    Cparam* gain;         ///< gain, -30 to +10 dB in 0.5 dB
    Cparam* remote;       ///< remote switch, 0 or 1
};
