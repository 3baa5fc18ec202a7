#include "PlacementPictures.h"
#include "DrawKit.h"
#include "Palette.h"
#include "SpeakerArtist.h"
#include <cmath>

namespace
{
    using juce::Graphics;
    using juce::Point;
    using juce::Rectangle;

    // One-point perspective of the room: the back wall and the floor line.
    const Rectangle<float> backWall (30, 24, 80, 88);
    const float floorFront = 169.0f;
    const Point<float> vanishing (70, 70);

    juce::Path polygon (std::initializer_list<Point<float>> points)
    {
        juce::Path p;
        bool first = true;
        for (auto pt : points)
        {
            if (first) p.startNewSubPath (pt); else p.lineTo (pt);
            first = false;
        }
        p.closeSubPath();
        return p;
    }

    void paintRoom (Graphics& g, int w, int)
    {
        const float fw = (float) w;
        const auto b = backWall;

        auto ceiling = polygon ({ { 0, 0 }, { fw, 0 }, b.getTopRight(), b.getTopLeft() });
        auto floor = polygon ({ b.getBottomLeft(), b.getBottomRight(), { fw, floorFront }, { 0, floorFront } });
        auto left = polygon ({ { 0, 0 }, b.getTopLeft(), b.getBottomLeft(), { 0, floorFront } });
        auto right = polygon ({ { fw, 0 }, b.getTopRight(), b.getBottomRight(), { fw, floorFront } });

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff131415), 0, 0, juce::Colour (0xff202225), 0, b.getY(), false));
        g.fillPath (ceiling);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1c1e21), 0, 0, juce::Colour (0xff2a2d31), b.getX(), 0, false));
        g.fillPath (left);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1c1e21), fw, 0, juce::Colour (0xff2a2d31), b.getRight(), 0, false));
        g.fillPath (right);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff34373b), b.getCentreX(), b.getY(),
                                                 juce::Colour (0xff25272a), b.getCentreX(), b.getBottom(), false));
        g.fillRect (b);

        // Wooden floor: planks running toward the vanishing point, lighter near the wall.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3a3026), 0, b.getBottom(), juce::Colour (0xff251e18), 0, floorFront, false));
        g.fillPath (floor);
        {
            Graphics::ScopedSaveState saved (g);
            g.reduceClipRegion (floor);
            g.setColour (juce::Colour (0x40000000));
            for (int i = -7; i <= 7; ++i)
            {
                const float xb = b.getCentreX() + (float) i * b.getWidth() / 10.0f;
                const Point<float> atWall (xb, b.getBottom());
                const auto dir = atWall - vanishing;
                const Point<float> atFront = vanishing + dir * ((floorFront - vanishing.y) / dir.y);
                g.drawLine ({ atWall, atFront }, 0.8f);
            }
            for (float y : { 118.0f, 127.0f, 140.0f, 157.0f })
                g.drawHorizontalLine ((int) y, 0, fw);
        }

        // Skirting on the back wall and the room's edges.
        g.setColour (juce::Colour (0xff3f4246));
        g.fillRect (b.getX(), b.getBottom() - 3, b.getWidth(), 3.0f);
        g.setColour (Palette::grey.withAlpha (0.55f));
        g.drawRect (b, 1.0f);
        g.drawLine ({ { 0, 0 }, b.getTopLeft() }, 1.0f);
        g.drawLine ({ { fw, 0 }, b.getTopRight() }, 1.0f);
        g.drawLine ({ { 0, floorFront }, b.getBottomLeft() }, 1.0f);
        g.drawLine ({ { fw, floorFront }, b.getBottomRight() }, 1.0f);

        // A window in the left wall lets some light in.
        auto window = polygon ({ { 8, 40 }, { 22, 44 }, { 22, 82 }, { 8, 92 } });
        g.setGradientFill (juce::ColourGradient (Palette::lightBlue.withAlpha (0.35f), 8, 40, Palette::blue.withAlpha (0.4f), 22, 92, false));
        g.fillPath (window);
        g.setColour (Palette::grey);
        g.strokePath (window, juce::PathStrokeType (1.2f));
        g.drawLine (15, 42, 15, 87, 0.8f);
    }

    /** A light-blue glow on the floor or a wall, marking where the speaker stands. */
    void spot (Graphics& g, Rectangle<float> area)
    {
        g.setGradientFill (juce::ColourGradient (Palette::lightBlue.withAlpha (0.45f), area.getCentreX(), area.getCentreY(),
                                                 Palette::lightBlue.withAlpha (0.0f), area.getRight(), area.getCentreY(), true));
        g.fillEllipse (area);
    }

    /** The sound's reach: a faint wedge from the speaker's front downward into the room. */
    void coverage (Graphics& g, Point<float> from, float halfWidth, float toY, float spread)
    {
        auto beam = polygon ({ from.translated (-halfWidth, 0), from.translated (halfWidth, 0),
                               { from.x + halfWidth + spread, toY }, { from.x - halfWidth - spread, toY } });
        g.setGradientFill (juce::ColourGradient (Palette::lightBlue.withAlpha (0.28f), from.x, from.y,
                                                 Palette::lightBlue.withAlpha (0.0f), from.x, toY, false));
        g.fillPath (beam);
    }

    SpeakerArtist::Look topLook (SpeakerArtist::Series series = SpeakerArtist::Series::Ka)
    {
        SpeakerArtist::Look look;
        look.series = series;
        look.inches = 12;
        return look;
    }

    SpeakerArtist::Look subLook()
    {
        SpeakerArtist::Look look;
        look.series = SpeakerArtist::Series::Ka;
        look.inches = 18;
        look.sub = true;
        return look;
    }

    void metal (Graphics& g) { g.setColour (juce::Colour (0xffa3a6aa)); }

    void paintStand (Graphics& g, int, int)
    {
        const float cx = 70.0f, footY = 158.0f, poleTop = 86.0f;
        spot (g, { cx - 34, footY - 7, 68, 14 });
        DrawKit::shadow (g, { cx - 24, footY - 3, 48, 7 }, 0.6f);

        // Tripod: three legs from a sleeve, a pole up to the speaker.
        metal (g);
        for (float fx : { cx - 22.0f, cx + 22.0f, cx + 3.0f })
            g.drawLine (cx, 128, fx, fx == cx + 3.0f ? footY - 4 : footY, 1.6f);
        g.fillRect (cx - 2.0f, 122.0f, 4.0f, 10.0f);
        g.fillRect (cx - 1.2f, poleTop, 2.4f, 40.0f);

        coverage (g, { cx, poleTop - 28 }, 10, 164, 36);
        SpeakerArtist::draw (g, topLook(), { cx - 30, poleTop - 60, 60, 60 }, 0.85f, false);
    }

    void paintFree (Graphics& g, int, int)
    {
        const float cx = 70.0f, topY = 40.0f;
        spot (g, { cx - 40, 140, 80, 22 });

        // Two wire ropes from the ceiling points to the rigging.
        metal (g);
        g.drawLine (cx - 14, 4, cx - 10, topY + 4, 0.9f);
        g.drawLine (cx + 14, 4, cx + 11, topY + 2, 0.9f);
        g.fillRect (cx - 17, 2.0f, 6.0f, 2.0f);
        g.fillRect (cx + 11, 2.0f, 6.0f, 2.0f);

        coverage (g, { cx, topY + 26 }, 12, 160, 40);
        Graphics::ScopedSaveState saved (g);
        g.addTransform (juce::AffineTransform::rotation (0.08f, cx, topY));
        SpeakerArtist::Look look = topLook (SpeakerArtist::Series::Dmr);
        SpeakerArtist::draw (g, look, { cx - 30, topY - 2, 60, 58 }, 0.8f, false);
    }

    void paintWall (Graphics& g, int, int)
    {
        const float cx = 70.0f, mountY = 44.0f;
        spot (g, { cx - 22, mountY - 12, 44, 56 });

        // Wall plate and arm.
        metal (g);
        g.fillRect (cx - 4.0f, mountY - 6, 8.0f, 22.0f);
        g.drawLine (cx, mountY + 5, cx, mountY + 12, 2.5f);

        coverage (g, { cx, mountY + 30 }, 9, 166, 44);
        Graphics::ScopedSaveState saved (g);
        g.addTransform (juce::AffineTransform::rotation (-0.06f, cx, mountY));
        SpeakerArtist::draw (g, topLook(), { cx - 22, mountY - 10, 44, 48 }, 0.6f, false);
    }

    void paintCeiling (Graphics& g, int, int)
    {
        // Everything stays in the top rows: the page also draws this picture lower down for a floor
        // position, where it must not run into the page's separator lines.
        const float cx = 70.0f;
        metal (g);
        g.fillRect (cx - 6, 3.0f, 12.0f, 3.0f);
        g.fillRect (cx - 1.2f, 5.0f, 2.4f, 10.0f);

        coverage (g, { cx + 2, 64 }, 12, 72, 10);

        // A yoke whose arms hold the speaker at its sides, tilted toward the listeners.
        Graphics::ScopedSaveState saved (g);
        g.addTransform (juce::AffineTransform::rotation (0.1f, cx, 15));
        SpeakerArtist::draw (g, topLook(), { cx - 24, 15, 48, 54 }, 0.7f, false);

        juce::Path yoke;
        yoke.startNewSubPath (50, 46);
        yoke.lineTo (50, 15);
        yoke.lineTo (90, 15);
        yoke.lineTo (90, 44);
        metal (g);
        g.strokePath (yoke, juce::PathStrokeType (2.2f, juce::PathStrokeType::mitered, juce::PathStrokeType::rounded));
        for (auto p : { Point<float> (50, 46), Point<float> (90, 44) })
        {
            g.fillEllipse (Rectangle<float> (5, 5).withCentre (p));
            g.setColour (juce::Colour (0xff303236));
            g.fillEllipse (Rectangle<float> (2, 2).withCentre (p));
            metal (g);
        }
    }

    void paintCorner (Graphics& g, int, int)
    {
        const auto corner = backWall.getTopRight().translated (0, 12);
        spot (g, { corner.x - 20, corner.y - 8, 40, 50 });

        // Brackets into both walls.
        metal (g);
        g.drawLine (corner.x, corner.y + 8, corner.x - 10, corner.y + 12, 2.0f);
        g.drawLine (corner.x + 8, corner.y + 4, corner.x - 4, corner.y + 12, 2.0f);

        coverage (g, { corner.x - 14, corner.y + 44 }, 8, 160, 40);
        Graphics::ScopedSaveState saved (g);
        g.addTransform (juce::AffineTransform::rotation (-0.12f, corner.x - 14, corner.y));
        SpeakerArtist::draw (g, topLook(), { corner.x - 36, corner.y, 44, 46 }, 0.55f, false);
    }

    void paintSubFront (Graphics& g, int, int)
    {
        spot (g, { 22, 150, 96, 18 });
        SpeakerArtist::draw (g, subLook(), { 36, 98, 68, 66 }, 1.0f);
    }

    void paintSubWall (Graphics& g, int, int)
    {
        spot (g, { 40, 106, 60, 12 });
        SpeakerArtist::draw (g, subLook(), { 48, 76, 44, 40 }, 0.6f);
    }

    void paintSubCorner (Graphics& g, int, int)
    {
        spot (g, { 18, 106, 52, 14 });
        SpeakerArtist::draw (g, subLook(), { 26, 78, 42, 40 }, 0.6f);
    }

    void paintLighting (Graphics& g, int w, int h)
    {
        const float cx = 80.0f, lampY = 8.0f, poolY = (float) h - 10.0f;

        // The beam: a soft cone widening toward the floor.
        juce::Path beam;
        beam.startNewSubPath (cx - 9, lampY + 4);
        beam.lineTo (cx + 9, lampY + 4);
        beam.lineTo ((float) w - 6, poolY);
        beam.lineTo (6, poolY);
        beam.closeSubPath();
        g.setGradientFill (juce::ColourGradient (Palette::lightText.withAlpha (0.2f), cx, lampY,
                                                 Palette::lightBlue.withAlpha (0.06f), cx, poolY, false));
        g.fillPath (beam);

        // Its brighter core.
        juce::Path core;
        core.startNewSubPath (cx - 5, lampY + 4);
        core.lineTo (cx + 5, lampY + 4);
        core.lineTo (cx + 44, poolY);
        core.lineTo (cx - 44, poolY);
        core.closeSubPath();
        g.setGradientFill (juce::ColourGradient (Palette::lightText.withAlpha (0.12f), cx, lampY,
                                                 Palette::lightText.withAlpha (0.02f), cx, poolY, false));
        g.fillPath (core);

        // The pool of light on the floor.
        auto pool = Rectangle<float> ((float) w - 10, 14).withCentre ({ cx, poolY });
        g.setGradientFill (juce::ColourGradient (Palette::lightText.withAlpha (0.35f), cx, poolY,
                                                 Palette::lightBlue.withAlpha (0.0f), pool.getRight(), poolY, true));
        g.fillEllipse (pool);

        // The lamp: a small can with a glowing lens.
        g.setColour (juce::Colour (0xff3a3c3f));
        g.fillRoundedRectangle (cx - 10, 0, 20, lampY + 2, 2);
        g.setColour (Palette::grey);
        g.drawRoundedRectangle (cx - 10, 0.5f, 20, lampY + 1, 2, 1);
        g.setColour (Palette::lightText);
        g.fillEllipse (cx - 8, lampY, 16, 5);
        g.setColour (Palette::lightBlue.withAlpha (0.6f));
        g.drawEllipse (cx - 8, lampY, 16, 5, 1);
    }
}

void PlacementPictures::addTo (PictureCatalogue& catalogue)
{
    const int w = 140, h = 180;
    catalogue.add ("position_room", w, h, "room background behind the position pictures", paintRoom);
    catalogue.add ("position_stand", w, h, "position: a speaker on a tripod stand", paintStand);
    catalogue.add ("position_free", w, h, "position: a speaker flown free from the ceiling", paintFree);
    catalogue.add ("position_wall", w, h, "position: a speaker on a wall bracket", paintWall);
    catalogue.add ("position_ceiling", w, h, "position: a speaker on a ceiling bracket (also drawn lower for the floor)", paintCeiling);
    catalogue.add ("position_corner", w, h, "position: a speaker mounted in a corner", paintCorner);
    catalogue.add ("position_sub_front", w, h, "position: a subwoofer standing free in front", paintSubFront);
    catalogue.add ("position_sub_wall", w, h, "position: a subwoofer against the wall", paintSubWall);
    catalogue.add ("position_sub_corner", w, h, "position: a subwoofer in the corner", paintSubCorner);
    catalogue.add ("Lighting", 159, 180, "light column behind the speaker pictures", paintLighting);
}
