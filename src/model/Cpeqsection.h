#pragma once

#include "model/Cpeq.h"

/** The group of the four parametric EQ sections ("/peq"); it has no parameters of its own. */
class Cpeqsection : public Cnode
{
public:
    /** Makes the group and its bands "01" to "04". */
    Cpeqsection();

    /** Number of bands. */
    static constexpr int bandCount = 4;

    Cpeq* bands[bandCount]; ///< the bands in band order
};
