#include "model/Cmodel.h"

Cmodel::Cmodel()
    : Cnode ("model", groupConfig, idModel)
{
    model = new Cparam ("model", groupConfig, 7);

    addChild (model);
}

void Cmodel::fromOsc (osc::ReceivedMessageArgumentStream& args)
{
    receiveParameters (args);
}

void Cmodel::sendOsc (const char* address)
{
    sendParameters (address);
}
