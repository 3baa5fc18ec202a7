#pragma once

#include "model/Crsq.h"

/** The group of the eight feedback-suppression filters ("/rsq"); it has no parameters of its own. */
class Crsqsection : public Cnode
{
public:
    /** Makes the group and its bands "01" to "08". */
    Crsqsection();

    /** Number of bands. */
    static constexpr int bandCount = 8;

    Crsq* bands[bandCount]; ///< the bands in band order
};
