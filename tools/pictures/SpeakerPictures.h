#pragma once
#include "PictureCatalogue.h"
#include "SpeakerArtist.h"

/** The 140 x 130 speaker pictures, one per model of the range (model indexes 0 to 5 and 8 to 38);
    the voicings of models 0 to 5 show models of the range, so they use these pictures too. */
class SpeakerPictures
{
public:
    /** One model's picture: its model index, resource stem and look. */
    struct Model
    {
        int modelIndex;
        const char* stem;
        SpeakerArtist::Look look;
    };

    /** Every model that has a picture, in model index order. */
    static const std::vector<Model>& models();

    /** Adds every speaker picture to a catalogue. */
    static void addTo (PictureCatalogue& catalogue);

    /** Width and height of a speaker picture. */
    static constexpr int width = 140, height = 130;
};
