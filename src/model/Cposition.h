#pragma once

#include "model/Cparam.h"

/** The speaker's mounting position ("/position"). */
class Cposition : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Cposition();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* spkpos;       ///< position, 0 to 5
};
