#pragma once

#include "model/Cparam.h"

/** The speaker's name ("/devname"). */
class Cdevname : public Cnode
{
public:
    /** Makes the node and its parameters. */
    Cdevname();

    /** Reads the parameters from a received message; raises oscpack's exception, changing nothing, when
        the arguments do not match the type tags. */
    void fromOsc (osc::ReceivedMessageArgumentStream& args) override;

    /** Sends the parameters as one OSC message to `address`. */
    void sendOsc (const char* address) override;

    Cparam* speakername;  ///< the name, at most 10 characters
};
