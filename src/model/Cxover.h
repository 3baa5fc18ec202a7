#pragma once

#include "model/Cparam.h"

/** The crossover ("/xover"): preset type, user frequency and phase. */
class Cxover : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Cxover();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* type;         ///< crossover type, 0 to 6
    Cparam* freq;         ///< frequency, 50 to 399.98 Hz, 600 log steps
    Cparam* pol;          ///< phase, 0 to 180 degrees
};
