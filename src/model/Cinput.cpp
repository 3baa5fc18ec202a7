#include "model/Cinput.h"

Cinput::Cinput()
    : Cnode ("input", groupConfig, idInput)
{
    source = new Cparam ("source", groupConfig, 16);
    gain = new Cparam ("gain", groupConfig, -30.0f, 10.0f, 81, "%+5.1f");
    remote = new Cparam ("remote", groupConfig, 1);

    addChild (source);
    addChild (gain);
    addChild (remote);
}

void Cinput::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cinput::sendOsc (const char* address)
{
    sendParameters (address);
}
