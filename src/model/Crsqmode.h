#pragma once

#include "model/Cparam.h"

/** The feedback-suppression mode ("/rsqmode"). */
class Crsqmode : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Crsqmode();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* mode;         ///< mode, 0 to 4
};
