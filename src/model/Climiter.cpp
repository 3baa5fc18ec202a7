#include "model/Climiter.h"

Climiter::Climiter()
    : Cnode ("limiter", groupLimiter, 0)
{
    thres = new Cparam ("thres", groupLimiter, -30.0f, 0.0f, 61, "%4.1f");

    addChild (thres);
}

void Climiter::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Climiter::sendOsc (const char* address)
{
    sendParameters (address);
}
