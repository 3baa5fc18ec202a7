#pragma once

#include "model/Cparam.h"

/** The LCD screen and front logo settings ("/setup"). */
class Csetup : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Csetup();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* screen;       ///< screen, 0 or 1
    Cparam* logo;         ///< logo, 0 to 2
};
