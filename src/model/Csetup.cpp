#include "model/Csetup.h"

Csetup::Csetup()
    : Cnode ("setup", groupConfig, idSetup)
{
    screen = new Cparam ("screen", groupConfig, 1);
    logo = new Cparam ("logo", groupConfig, 2);

    addChild (screen);
    addChild (logo);
}

void Csetup::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Csetup::sendOsc (const char* address)
{
    sendParameters (address);
}
