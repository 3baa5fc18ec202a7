#include "model/Ceqmode.h"

Ceqmode::Ceqmode()
    : Cnode ("eqmode", groupConfig, idEqmode)
{
    mode = new Cparam ("mode", groupConfig, 7);

    addChild (mode);
}

void Ceqmode::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Ceqmode::sendOsc (const char* address)
{
    sendParameters (address);
}
