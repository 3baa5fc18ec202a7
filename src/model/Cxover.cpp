#include "model/Cxover.h"

Cxover::Cxover()
    : Cnode ("xover", groupXover, 0)
{
    type = new Cparam ("type", groupXover, 6);
    freq = new Cparam ("freq", groupXover, 50.0f, 399.98f, -600, "%5.1f");
    pol = new Cparam ("pol", groupXover, 180);

    addChild (type);
    addChild (freq);
    addChild (pol);
}

void Cxover::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cxover::sendOsc (const char* address)
{
    sendParameters (address);
}
