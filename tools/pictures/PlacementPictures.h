#pragma once
#include "PictureCatalogue.h"

/** The Configuration page's placement pictures: the 140 x 180 room background, the eight 140 x 180
    position overlays (a speaker on a stand, flown free, on a wall, on the ceiling, in a corner; a
    subwoofer in front, against the wall, in the corner) drawn over it, and the 159 x 180 light column
    that stands behind the speaker pictures. The overlays are transparent except for what they add to
    the room. */
class PlacementPictures
{
public:
    /** Adds the room, the eight positions and the light column to a catalogue. */
    static void addTo (PictureCatalogue& catalogue);

    /** The lowest row of the room and overlay pictures that holds anything: the page draws its
        separator lines 172 rows below the pictures' top, so those rows stay transparent. */
    static constexpr int lastPaintedRow = 169;
};
