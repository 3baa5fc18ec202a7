#include "model/Cdelay.h"

Cdelay::Cdelay()
    : Cnode ("delay", groupDelay, 0)
{
    del = new Cparam ("del", groupDelay, 0.0f, 300.0f, 15001, "%6.2f");
    pol = new Cparam ("pol", groupDelay, 180);

    addChild (del);
    addChild (pol);
}

void Cdelay::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cdelay::sendOsc (const char* address)
{
    sendParameters (address);
}
