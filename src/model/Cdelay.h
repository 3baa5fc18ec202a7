#pragma once

#include "model/Cparam.h"

/** The output delay ("/delay"): delay time and polarity. */
class Cdelay : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Cdelay();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* del;          ///< delay, 0 to 300 ms in 0.02 ms
    Cparam* pol;          ///< polarity, 0 to 180 degrees
};
