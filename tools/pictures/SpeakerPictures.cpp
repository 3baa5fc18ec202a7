#include "SpeakerPictures.h"

namespace
{
    using Series = SpeakerArtist::Series;

    SpeakerArtist::Look top (Series s, int inches, bool white = false, int hornH = 90, int hornV = 60)
    {
        SpeakerArtist::Look look;
        look.series = s;
        look.inches = inches;
        look.white = white;
        look.hornH = hornH;
        look.hornV = hornV;
        return look;
    }

    SpeakerArtist::Look sub (Series s, int inches, bool white = false, int woofers = 1)
    {
        auto look = top (s, inches, white);
        look.sub = true;
        look.woofers = woofers;
        return look;
    }
}

const std::vector<SpeakerPictures::Model>& SpeakerPictures::models()
{
    static const std::vector<Model> list
    {
        { 0,  "Ka8_trans",              top (Series::Ka, 8) },
        { 1,  "Ka10_trans",             top (Series::Ka, 10) },
        { 2,  "Ka12_trans",             top (Series::Ka, 12) },
        { 3,  "Ka15_trans",             top (Series::Ka, 15) },
        { 4,  "Ka15B_trans",            sub (Series::Ka, 15) },
        { 5,  "Ka18B_trans",            sub (Series::Ka, 18) },
        { 8,  "Ptx122_trans",           top (Series::Ptx, 12) },
        { 9,  "Ptx152_trans",           top (Series::Ptx, 15) },
        { 10, "Ptx118BAN_trans",        sub (Series::Ptx, 18) },
        { 11, "Vel82AN_trans",          top (Series::Vel, 8) },
        { 12, "Vel102AN_trans",         top (Series::Vel, 10) },
        { 13, "Vel122AN_trans",         top (Series::Vel, 12) },
        { 14, "Vel152AN_trans",         top (Series::Vel, 15) },
        { 15, "Vel115BAN_trans",        sub (Series::Vel, 15) },
        { 16, "Vel118BAN_trans",        sub (Series::Vel, 18) },
        { 17, "Vel82ANWH_trans",        top (Series::Vel, 8, true) },
        { 18, "Vel102ANWH_trans",       top (Series::Vel, 10, true) },
        { 19, "Vel122ANWH_trans",       top (Series::Vel, 12, true) },
        { 20, "Vel152ANWH_trans",       top (Series::Vel, 15, true) },
        { 21, "Vel115BANWH_trans",      sub (Series::Vel, 15, true) },
        { 22, "Vel118BANWH_trans",      sub (Series::Vel, 18, true) },
        { 23, "Dmr12264AN_trans",       top (Series::Dmr, 12, false, 60, 40) },
        { 24, "Dmr12296AN_trans",       top (Series::Dmr, 12, false, 90, 60) },
        { 25, "Dmr12294AN_trans",       top (Series::Dmr, 12, false, 90, 40) },
        { 26, "Dmr15264AN_trans",       top (Series::Dmr, 15, false, 60, 40) },
        { 27, "Dmr15296AN_trans",       top (Series::Dmr, 15, false, 90, 60) },
        { 28, "Dmr15294AN_trans",       top (Series::Dmr, 15, false, 90, 40) },
        { 29, "Dmr115BAN_trans",        sub (Series::Dmr, 15) },
        { 30, "Dmr218BAN_trans",        sub (Series::Dmr, 18, false, 2) },
        { 31, "Dmr12264ANWH_trans",     top (Series::Dmr, 12, true, 60, 40) },
        { 32, "Dmr12296ANWH_trans",     top (Series::Dmr, 12, true, 90, 60) },
        { 33, "Dmr12294ANWH_trans",     top (Series::Dmr, 12, true, 90, 40) },
        { 34, "Dmr15264ANWH_trans",     top (Series::Dmr, 15, true, 60, 40) },
        { 35, "Dmr15296ANWH_trans",     top (Series::Dmr, 15, true, 90, 60) },
        { 36, "Dmr15294ANWH_trans",     top (Series::Dmr, 15, true, 90, 40) },
        { 37, "Dmr115BANWH_trans",      sub (Series::Dmr, 15, true) },
        { 38, "Dmr218BANWH_trans",      sub (Series::Dmr, 18, true, 2) },
    };
    return list;
}

void SpeakerPictures::addTo (PictureCatalogue& catalogue)
{
    for (const auto& m : models())
    {
        const auto look = m.look;
        catalogue.add (m.stem, width, height, "speaker of model index " + juce::String (m.modelIndex),
                       [look] (juce::Graphics& g, int w, int h)
                       {
                           SpeakerArtist::draw (g, look, juce::Rectangle<float> ((float) w, (float) h).reduced (4.0f, 3.0f), 1.6f);
                       });
    }
}
