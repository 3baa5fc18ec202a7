#pragma once

#include "model/Cparam.h"

/** The limiter ("/limiter"). */
class Climiter : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Climiter();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* thres;        ///< threshold, -30 to 0 dB in 0.5 dB
};
