#include "model/Crsqsection.h"

Crsqsection::Crsqsection()
    : Cnode ("rsq", groupRsq, 0)
{
    for (int b = 0; b < bandCount; ++b)
    {
        bands[b] = new Crsq (b + 1, 256 * (b + 1));
        addChild (bands[b]);
    }
}
