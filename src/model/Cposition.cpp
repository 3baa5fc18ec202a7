#include "model/Cposition.h"

Cposition::Cposition()
    : Cnode ("position", groupConfig, idPosition)
{
    spkpos = new Cparam ("spkpos", groupConfig, 5);

    addChild (spkpos);
}

void Cposition::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cposition::sendOsc (const char* address)
{
    sendParameters (address);
}
