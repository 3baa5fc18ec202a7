#include "model/Cpeq.h"

const char* const peqTypeNames[8] = { "OFF", "PEQ", "LS6", "LS12", "HS6", "HS12", "LC12", "HC12" };

Cpeq::Cpeq (int band, int bandId)
    : Cnode (band, "%02d", groupPeq, bandId)
{
    type = new Cparam ("type", groupPeq, 8, peqTypeNames);
    freq = new Cparam ("freq", groupPeq, 20.0f, 20000.0f, -600, "%5.1f");
    gain = new Cparam ("gain", groupPeq, -15.0f, 15.0f, 301, "%+5.1f");
    qual = new Cparam ("qual", groupPeq, 0.1f, 10.0f, -100, "%4.2f");

    addChild (type);
    addChild (freq);
    addChild (gain);
    addChild (qual);
}

void Cpeq::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cpeq::sendOsc (const char* address)
{
    sendParameters (address);
}
