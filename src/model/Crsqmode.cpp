#include "model/Crsqmode.h"

Crsqmode::Crsqmode()
    : Cnode ("rsqmode", groupConfig, idRsqmode)
{
    mode = new Cparam ("mode", groupConfig, 4);

    addChild (mode);
}

void Crsqmode::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Crsqmode::sendOsc (const char* address)
{
    sendParameters (address);
}
