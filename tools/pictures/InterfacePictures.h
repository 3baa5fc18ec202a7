#pragma once
#include "PictureCatalogue.h"

/** The pictures of the main window and the Equaliser page: header logo, watermark, the four series
    pictures, the band discs, the EQ on/off switches, the frequency strip under the graph and the
    application icon in several sizes. */
class InterfacePictures
{
public:
    /** Adds these pictures to a catalogue. */
    static void addTo (PictureCatalogue& catalogue);

    /** The application icon at any square size. */
    static void paintAppIcon (juce::Graphics& g, int size);

    /** The frequencies labelled on the strip under the response graph. */
    static const std::vector<double>& axisFrequencies();

    /** The x position, within the 673-pixel strip, of a frequency on the graph's axis: the graph starts
        7 pixels right of the strip and is 660 pixels wide, 20 Hz to 20 kHz on a log scale. */
    static float axisX (double hz);
};
