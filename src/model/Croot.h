#pragma once

#include "model/Cdelay.h"
#include "model/Cdevname.h"
#include "model/Ceqmode.h"
#include "model/Cinput.h"
#include "model/Climiter.h"
#include "model/Cmodel.h"
#include "model/Cposition.h"
#include "model/Cpeqsection.h"
#include "model/Crsqmode.h"
#include "model/Crsqsection.h"
#include "model/Csetup.h"
#include "model/Cxover.h"

/**
    The root of the parameter tree ("/"), which builds the whole tree: "peq", "rsq", "delay", "limiter",
    "xover", "input", "position", "eqmode", "rsqmode", "setup", "model", "devname", in this order.
    Call buildPaths() once after construction. The program keeps its one root in rootCell.
*/
class Croot : public Cnode
{
public:
    /** Builds the tree with every parameter at index 0. */
    Croot();

    /** Destroys the tree and clears rootCell when it points to this root. */
    ~Croot() override;

    Cpeqsection* peq;
    Crsqsection* rsq;
    Cdelay* delay;
    Climiter* limiter;
    Cxover* xover;
    Cinput* input;
    Cposition* position;
    Ceqmode* eqmode;
    Crsqmode* rsqmode;
    Csetup* setup;
    Cmodel* model;
    Cdevname* devname;
};
