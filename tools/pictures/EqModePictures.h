#pragma once
#include "PictureCatalogue.h"

/** The five 84 x 120 EQ-mode pictures: each shows its symbol (a concert stage, a microphone, a cassette,
    two cabinets, three cabinets in an array) on a dark blue tile with a small sketch of its curve below. */
class EqModePictures
{
public:
    /** Adds the five pictures to a catalogue. */
    static void addTo (PictureCatalogue& catalogue);

    /** The sketched level in dB of a mode's curve at a frequency; mode 0 Live, 1 Speech, 2 Playback,
        3 Array 2, 4 Array 3+. */
    static float curveDb (int mode, float hz);
};
