#include "model/Cpeqsection.h"

Cpeqsection::Cpeqsection()
    : Cnode ("peq", groupPeq, 0)
{
    for (int b = 0; b < bandCount; ++b)
    {
        bands[b] = new Cpeq (b + 1, 256 * (b + 1));
        addChild (bands[b]);
    }
}
