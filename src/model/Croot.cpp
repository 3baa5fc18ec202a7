#include "model/Croot.h"

#include "model/Globals.h"

Croot::Croot()
    : Cnode ("/", groupRoot, 0),
      peq (new Cpeqsection()),
      rsq (new Crsqsection()),
      delay (new Cdelay()),
      limiter (new Climiter()),
      xover (new Cxover()),
      input (new Cinput()),
      position (new Cposition()),
      eqmode (new Ceqmode()),
      rsqmode (new Crsqmode()),
      setup (new Csetup()),
      model (new Cmodel()),
      devname (new Cdevname())
{
    addChild (peq);
    addChild (rsq);
    addChild (delay);
    addChild (limiter);
    addChild (xover);
    addChild (input);
    addChild (position);
    addChild (eqmode);
    addChild (rsqmode);
    addChild (setup);
    addChild (model);
    addChild (devname);
}

Croot::~Croot()
{
    if (rootCell == this)
        rootCell = nullptr;
}
