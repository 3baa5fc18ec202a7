#include "model/Cdevname.h"

Cdevname::Cdevname()
    : Cnode ("devname", groupConfig, idDevname)
{
    speakername = new Cparam();

    addChild (speakername);
}

void Cdevname::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cdevname::sendOsc (const char* address)
{
    sendParameters (address);
}
