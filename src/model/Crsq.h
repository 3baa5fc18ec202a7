#pragma once

#include "model/Cparam.h"

/** The feedback-filter mode names, in index order. */
extern const char* const rsqTypeNames[4];

/** One of the eight feedback-suppression filters ("/rsq/01" to "/rsq/08"): mode, frequency, depth and Q. */
class Crsq : public Cnode
{
public:
    /** Makes band number `band` (named "%02d") with the given id and its parameters. */
    Crsq (int band, int id);

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* type;         ///< filter mode, one of rsqTypeNames
    Cparam* freq;         ///< frequency, 20 to 20000 Hz, 600 log steps
    Cparam* gain;         ///< depth, -30 to 0 dB in 1 dB
    Cparam* qual;         ///< Q, 10 to 60 in 6 steps
};
