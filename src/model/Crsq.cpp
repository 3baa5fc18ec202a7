#include "model/Crsq.h"

const char* const rsqTypeNames[4] = { "OFF", "AUTOM", "SNGL", "LOCK" };

Crsq::Crsq (int band, int bandId)
    : Cnode (band, "%02d", groupRsq, bandId)
{
    type = new Cparam ("type", groupRsq, 4, rsqTypeNames);
    freq = new Cparam ("freq", groupRsq, 20.0f, 20000.0f, -600, "%5.1f");
    gain = new Cparam ("gain", groupRsq, -30.0f, 0.0f, 31, "%+5.1f");
    qual = new Cparam ("qual", groupRsq, 10.0f, 60.0f, 7, "%4.1f");

    addChild (type);
    addChild (freq);
    addChild (gain);
    addChild (qual);
}

void Crsq::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Crsq::sendOsc (const char* address)
{
    sendParameters (address);
}
