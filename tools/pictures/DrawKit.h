#pragma once
#include <juce_graphics/juce_graphics.h>

/** Small drawing parts shared by the pictures: the bold caption font, loudspeaker drivers, horns,
    grilles, shaded cabinet shells and soft shadows. All sizes are in pixels of the target picture. */
class DrawKit
{
public:
    /** The typeface the program's pictures use: "Arial" when installed, else its metric-compatible
        stand-in "Liberation Sans", else the system's sans-serif face. */
    static juce::String typefaceName();

    /** The bold picture font at a height in pixels. */
    static juce::Font boldFont (float height);

    /** Draws text in the bold picture font, fitted into an area. */
    static void text (juce::Graphics& g, const juce::String& s, juce::Rectangle<float> area, float height,
                      juce::Colour colour, juce::Justification justification = juce::Justification::centred);

    /** A cone driver seen from the front: frame, rubber surround, ribbed cone and dust cap with a highlight. */
    static void driver (juce::Graphics& g, juce::Point<float> centre, float radius);

    /** A rectangular horn: a flare shaded from its mouth into a dark throat slot. */
    static void horn (juce::Graphics& g, juce::Rectangle<float> mouth, float throatWidthFraction,
                      float throatHeightFraction);

    /** A perforated metal grille over an area: a tinted veil with a regular dot pattern. */
    static void grille (juce::Graphics& g, const juce::Path& area, juce::Colour tint, float veilAlpha, float pitch);

    /** A cabinet shell in an oblique view: top and right side faces pushed back by depth (x to the right,
        y upward as a negative number), then the front quad (tl, tr, br, bl) with a vertical gradient. */
    static void shell (juce::Graphics& g, juce::Point<float> tl, juce::Point<float> tr, juce::Point<float> br,
                       juce::Point<float> bl, juce::Point<float> depth, juce::Colour base, float frontCorner);

    /** The front quad of shell() as a path (with rounded corners). */
    static juce::Path quad (juce::Point<float> tl, juce::Point<float> tr, juce::Point<float> br,
                            juce::Point<float> bl, float corner);

    /** A soft elliptical shadow on the floor. */
    static void shadow (juce::Graphics& g, juce::Rectangle<float> area, float alpha);

    /** A colour mixed toward white (amount > 0) or black (amount < 0). */
    static juce::Colour shade (juce::Colour c, float amount);
};
