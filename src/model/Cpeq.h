#pragma once

#include "model/Cparam.h"

/** The EQ filter type names, in index order. */
extern const char* const peqTypeNames[8];

/** One of the four parametric EQ sections ("/peq/01" to "/peq/04"): filter type, frequency, gain and Q. */
class Cpeq : public Cnode
{
public:
    /** Makes band number `band` (named "%02d") with the given id and its parameters. */
    Cpeq (int band, int id);

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* type;         ///< filter type, one of peqTypeNames
    Cparam* freq;         ///< frequency, 20 to 20000 Hz, 600 log steps
    Cparam* gain;         ///< gain, -15 to +15 dB in 0.1 dB
    Cparam* qual;         ///< Q, 0.1 to 10, 100 log steps
};
