#pragma once
#include <juce_graphics/juce_graphics.h>

/** Draws one loudspeaker cabinet of the range in a three-quarter view: its shell, drivers, horn, grille
    and series details, scaled from the cabinet's real proportions so that an 8-inch top looks smaller
    than a 15-inch one and a subwoofer looks like a subwoofer. */
class SpeakerArtist
{
public:
    /** The product lines; each has its own cabinet style. */
    enum class Series { Ka, Ptx, Vel, Dmr };

    /** What a cabinet looks like. */
    struct Look
    {
        Series series = Series::Ka;
        int inches = 12;        ///< woofer size
        int woofers = 1;        ///< number of woofers (2 for a double subwoofer)
        bool sub = false;       ///< a subwoofer: no horn, ports instead
        bool white = false;     ///< the white-painted version
        int hornH = 90;         ///< horizontal dispersion of the horn in degrees (sets the horn's width)
        int hornV = 60;         ///< vertical dispersion in degrees (sets the horn's height)
    };

    /** A cabinet's outer size in centimetres: front width, height and depth. */
    struct SizeCm
    {
        float width, height, depth;
    };

    /** Draws the cabinet standing on the bottom edge of an area, centred, with a floor shadow.
        maxPixelsPerCm limits the scale so that small cabinets stay small; a flown or mounted cabinet
        has no floor shadow. */
    static void draw (juce::Graphics& g, const Look& look, juce::Rectangle<float> area, float maxPixelsPerCm,
                      bool floorShadow = true);

    /** The size of a cabinet, from its woofer size, series and kind. */
    static SizeCm sizeCm (const Look& look);

private:
    static void drawTopDetails (juce::Graphics& g, const Look& look, juce::Rectangle<float> front,
                                juce::Point<float> depth, float s);
    static void drawFront (juce::Graphics& g, const Look& look, juce::Rectangle<float> front, float s);
};
