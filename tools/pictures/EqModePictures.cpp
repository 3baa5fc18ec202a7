#include "EqModePictures.h"
#include "DrawKit.h"
#include "Palette.h"
#include <cmath>

namespace
{
    using juce::Graphics;
    using juce::Rectangle;

    const juce::Colour ink = Palette::lightText;

    /** A smooth step in log frequency: 0 well below f, 1 well above. */
    float above (float hz, float f, float width = 0.35f)
    {
        return 1.0f / (1.0f + std::exp (-(std::log10 (hz) - std::log10 (f)) / (width * 0.25f)));
    }

    float bell (float hz, float f, float octaves)
    {
        const float d = std::log2 (hz / f) / octaves;
        return std::exp (-d * d);
    }

    void paintStage (Graphics& g, Rectangle<float> a)
    {
        // Truss with three spotlights and their beams.
        const float trussY = a.getY() + 6;
        g.setColour (ink);
        g.fillRect (a.getX() + 4, trussY, a.getWidth() - 8, 2.0f);
        for (float x = a.getX() + 6; x < a.getRight() - 6; x += 5)
            g.drawLine (x, trussY + 2, x + 3, trussY + 5, 0.8f);
        g.fillRect (a.getX() + 4, trussY + 5, a.getWidth() - 8, 1.2f);

        const float stageTop = a.getBottom() - 18;
        for (int i = 0; i < 3; ++i)
        {
            const float x = a.getX() + a.getWidth() * (0.25f + 0.25f * (float) i);
            juce::Path beam;
            beam.startNewSubPath (x - 2, trussY + 9);
            beam.lineTo (x + 2, trussY + 9);
            beam.lineTo (x + 11 - 6 * (float) i, stageTop);
            beam.lineTo (x - 3 - 6 * (float) i, stageTop);
            beam.closeSubPath();
            g.setGradientFill (juce::ColourGradient (Palette::lightBlue.withAlpha (0.55f), x, trussY + 9,
                                                     Palette::lightBlue.withAlpha (0.05f), x, stageTop, false));
            g.fillPath (beam);
            g.setColour (ink);
            g.fillRoundedRectangle (x - 2.5f, trussY + 6, 5, 4, 1);
        }

        // Stage platform in perspective, with a stack of speakers at each side.
        juce::Path stage;
        stage.startNewSubPath (a.getX() + 10, stageTop);
        stage.lineTo (a.getRight() - 10, stageTop);
        stage.lineTo (a.getRight() - 2, stageTop + 8);
        stage.lineTo (a.getX() + 2, stageTop + 8);
        stage.closeSubPath();
        g.setColour (ink);
        g.fillPath (stage);
        g.setColour (ink.withAlpha (0.55f));
        g.fillRect (a.getX() + 2, stageTop + 8, a.getWidth() - 4, 5.0f);

        for (float x : { a.getX() + 4, a.getRight() - 12 })
            for (int k = 0; k < 2; ++k)
            {
                auto box = Rectangle<float> (x, stageTop - 11 - 11 * (float) k, 8, 10);
                g.setColour (ink);
                g.fillRoundedRectangle (box, 1);
                g.setColour (Palette::blue);
                g.fillEllipse (box.reduced (1.6f).withTrimmedTop (2.5f).withSizeKeepingCentre (5, 5));
            }

        // A singer in the light.
        const float px = a.getCentreX();
        g.setColour (ink);
        g.fillEllipse (px - 2.5f, stageTop - 17, 5, 5);
        juce::Path body;
        body.startNewSubPath (px, stageTop - 12);
        body.lineTo (px, stageTop - 5);
        body.lineTo (px - 3, stageTop);
        body.startNewSubPath (px, stageTop - 5);
        body.lineTo (px + 3, stageTop);
        body.startNewSubPath (px, stageTop - 10);
        body.lineTo (px + 5, stageTop - 13);
        g.strokePath (body, juce::PathStrokeType (1.8f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    void paintMicrophone (Graphics& g, Rectangle<float> a)
    {
        const float cx = a.getCentreX();
        auto head = Rectangle<float> (20, 30).withCentre ({ cx, a.getY() + 22 });

        // Capsule with a mesh of lines, on a yoke and a stand.
        g.setGradientFill (juce::ColourGradient (ink, head.getX(), head.getY(), ink.darker (0.35f), head.getRight(), head.getBottom(), false));
        g.fillRoundedRectangle (head, 10);
        g.setColour (Palette::blue.withAlpha (0.8f));
        for (float y = head.getY() + 5; y < head.getBottom() - 3; y += 3.5f)
            g.drawLine (head.getX() + 2.5f, y, head.getRight() - 2.5f, y, 0.9f);
        for (float x = head.getX() + 5; x < head.getRight() - 2; x += 3.5f)
            g.drawLine (x, head.getY() + 2.5f, x, head.getBottom() - 2.5f, 0.6f);
        g.setColour (ink);
        g.fillRect (head.getX() - 1, head.getCentreY() + 1, head.getWidth() + 2, 2.5f);

        juce::Path yoke;
        yoke.addCentredArc (cx, head.getCentreY() + 4, 15, 15, 0.0f, juce::MathConstants<float>::halfPi + 0.2f,
                            juce::MathConstants<float>::pi * 1.5f - 0.2f, true);
        g.strokePath (yoke, juce::PathStrokeType (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

        const float stemTop = head.getCentreY() + 19;
        g.fillRect (cx - 1.5f, stemTop, 3.0f, a.getBottom() - 6 - stemTop);
        g.fillRoundedRectangle (cx - 16, a.getBottom() - 7, 32, 4, 2);

        // Sound waves either side.
        g.setColour (Palette::lightBlue);
        for (int i = 1; i <= 2; ++i)
        {
            const float r = 14.0f + 5.0f * (float) i;
            for (float dir : { -1.0f, 1.0f })
            {
                juce::Path wave;
                const float mid = dir > 0 ? juce::MathConstants<float>::halfPi : -juce::MathConstants<float>::halfPi;
                wave.addCentredArc (cx, head.getCentreY(), r, r, 0.0f, mid - 0.45f, mid + 0.45f, true);
                g.strokePath (wave, juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
            }
        }
    }

    void paintCassette (Graphics& g, Rectangle<float> a)
    {
        auto body = Rectangle<float> (a.getWidth() - 8, 44).withCentre (a.getCentre());
        g.setGradientFill (juce::ColourGradient (ink, body.getX(), body.getY(), ink.darker (0.3f), body.getX(), body.getBottom(), false));
        g.fillRoundedRectangle (body, 4);

        // Label, tape window and the two reels.
        auto label = body.reduced (5, 4).withHeight (24);
        g.setColour (Palette::orange);
        g.fillRoundedRectangle (label, 2);
        g.setColour (Palette::background);
        g.fillRect (label.getX(), label.getY() + 3, label.getWidth(), 1.5f);
        auto window = label.reduced (10, 7).translated (0, 2);
        g.setColour (juce::Colour (0xff20262c));
        g.fillRoundedRectangle (window, 4);

        for (float x : { window.getX() + 7, window.getRight() - 7 })
        {
            const juce::Point<float> c (x, window.getCentreY());
            g.setColour (ink);
            g.fillEllipse (Rectangle<float> (9, 9).withCentre (c));
            g.setColour (juce::Colour (0xff20262c));
            g.fillEllipse (Rectangle<float> (4, 4).withCentre (c));
            for (int k = 0; k < 6; ++k)
            {
                const float ang = (float) k * juce::MathConstants<float>::pi / 3.0f;
                g.fillRect (Rectangle<float> (1.2f, 1.2f).withCentre (c + juce::Point<float> (std::cos (ang), std::sin (ang)) * 2.6f));
            }
        }
        // Tape between the reels.
        g.setColour (juce::Colour (0xff6b4a2e));
        g.fillRect (window.getX() + 10, window.getBottom() - 2.5f, window.getWidth() - 20, 1.5f);

        // Lower edge with the head openings.
        juce::Path foot;
        foot.startNewSubPath (body.getX() + 12, body.getBottom());
        foot.lineTo (body.getX() + 16, body.getBottom() - 9);
        foot.lineTo (body.getRight() - 16, body.getBottom() - 9);
        foot.lineTo (body.getRight() - 12, body.getBottom());
        g.setColour (Palette::blue.darker (0.2f));
        g.strokePath (foot, juce::PathStrokeType (1.2f));
        for (float x : { body.getX() + 22, body.getCentreX() - 2, body.getRight() - 26 })
            g.fillEllipse (x, body.getBottom() - 6, 4, 4);

        // Screws in the corners.
        g.setColour (Palette::grey);
        for (auto p : { body.getTopLeft().translated (2.5f, 2.5f), body.getTopRight().translated (-2.5f, 2.5f),
                        body.getBottomLeft().translated (2.5f, -2.5f), body.getBottomRight().translated (-2.5f, -2.5f) })
            g.fillEllipse (Rectangle<float> (2, 2).withCentre (p));
    }

    void paintArray (Graphics& g, Rectangle<float> a, int boxes)
    {
        // Seen from the side: a fly bar with its shackle, the cabinets hung below it in a J-shaped
        // column (each one tilted a little more), fronts to the right, sound fanning out in front.
        const float boxH = boxes == 2 ? 20.0f : 15.0f;
        const float boxD = boxes == 2 ? 34.0f : 30.0f;
        const float splay = boxes == 2 ? 0.2f : 0.17f;
        const float left = a.getX() + 8.0f;
        const float top = a.getY() + 12.0f;

        g.setColour (ink);
        g.drawLine (left + boxD * 0.5f, a.getY() + 2, left + boxD * 0.5f, top - 3, 1.4f);
        g.fillRoundedRectangle (left - 2, top - 4, boxD + 4, 3.0f, 1.0f);

        // Each box: front edge (right) full height, back edge a little shorter; the next box hangs from
        // this one's front-bottom corner, turned by the splay angle.
        juce::Point<float> hinge (left + boxD, top);
        float angle = 0.0f;
        for (int i = 0; i < boxes; ++i)
        {
            const juce::AffineTransform t = juce::AffineTransform::rotation (angle).translated (hinge);
            auto at = [&t] (float x, float y) { return juce::Point<float> (x, y).transformedBy (t); };

            juce::Path profile;
            profile.startNewSubPath (at (-boxD, 0));
            profile.lineTo (at (0, 0));
            profile.lineTo (at (0, boxH));
            profile.lineTo (at (-boxD, boxH * 0.78f));
            profile.closeSubPath();
            g.setGradientFill (juce::ColourGradient (ink, hinge.x - boxD, hinge.y, ink.darker (0.4f), hinge.x, hinge.y + boxH, false));
            g.fillPath (profile);
            g.setColour (Palette::blue.darker (0.4f));
            g.strokePath (profile, juce::PathStrokeType (1.0f));

            // The grille along the front and a handle recess on the side.
            juce::Path grille;
            grille.startNewSubPath (at (-3.5f, 1.2f));
            grille.lineTo (at (-0.6f, 1.2f));
            grille.lineTo (at (-0.6f, boxH - 1.2f));
            grille.lineTo (at (-3.5f, boxH - 1.2f));
            grille.closeSubPath();
            g.setColour (Palette::lightBlue);
            g.fillPath (grille);
            g.setColour (Palette::blue.withAlpha (0.7f));
            g.drawLine ({ at (-boxD * 0.65f, boxH * 0.42f), at (-boxD * 0.35f, boxH * 0.42f) }, 2.0f);

            hinge = at (0, boxH + 1.0f);
            angle += splay;
        }

        // Coverage: arcs fanning out from the front of the column.
        g.setColour (Palette::lightBlue.withAlpha (0.7f));
        const juce::Point<float> source (left + boxD - 6.0f, top + boxH * (float) boxes * 0.45f);
        for (int i = 0; i < 3; ++i)
        {
            juce::Path wave;
            const float r = 18.0f + 7.0f * (float) i;
            wave.addCentredArc (source.x, source.y, r, r, 0.0f, 0.55f, 2.3f, true);
            g.strokePath (wave, juce::PathStrokeType (1.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        }
    }

    void paintCurve (Graphics& g, Rectangle<float> a, int mode)
    {
        g.setColour (juce::Colour (0xff0a2a48));
        g.fillRoundedRectangle (a, 3);

        // Grid: decades and a zero line.
        g.setColour (Palette::lightBlue.withAlpha (0.16f));
        for (float f : { 100.0f, 1000.0f, 10000.0f })
        {
            const float x = a.getX() + a.getWidth() * std::log10 (f / 20.0f) / 3.0f;
            g.drawVerticalLine ((int) x, a.getY() + 2, a.getBottom() - 2);
        }
        const float zeroY = a.getCentreY();
        g.setColour (Palette::lightBlue.withAlpha (0.35f));
        g.drawHorizontalLine ((int) zeroY, a.getX() + 2, a.getRight() - 2);

        juce::Path curve;
        const int n = 60;
        for (int i = 0; i <= n; ++i)
        {
            const float t = (float) i / (float) n;
            const float hz = 20.0f * std::pow (1000.0f, t);
            const float y = zeroY - EqModePictures::curveDb (mode, hz) * (a.getHeight() * 0.4f / 8.0f);
            const float x = a.getX() + 2 + (a.getWidth() - 4) * t;
            if (i == 0) curve.startNewSubPath (x, y); else curve.lineTo (x, y);
        }
        juce::Path fill (curve);
        fill.lineTo (a.getRight() - 2, zeroY);
        fill.lineTo (a.getX() + 2, zeroY);
        fill.closeSubPath();
        g.setColour (Palette::orange.withAlpha (0.22f));
        g.fillPath (fill);
        g.setColour (Palette::orange);
        g.strokePath (curve, juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    void paintMode (Graphics& g, int w, int h, int mode)
    {
        auto tile = Rectangle<float> ((float) w, (float) h).reduced (0.5f);
        g.setGradientFill (juce::ColourGradient (Palette::blue.brighter (0.15f), 0, 0, Palette::blue.darker (0.45f), 0, (float) h, false));
        g.fillRoundedRectangle (tile, 6);
        g.setColour (Palette::lightBlue.withAlpha (0.5f));
        g.drawRoundedRectangle (tile, 6, 1.0f);

        auto symbol = Rectangle<float> (4, 6, (float) w - 8, 72);
        switch (mode)
        {
            case 0: paintStage (g, symbol); break;
            case 1: paintMicrophone (g, symbol); break;
            case 2: paintCassette (g, symbol); break;
            case 3: paintArray (g, symbol, 2); break;
            default: paintArray (g, symbol, 3); break;
        }

        paintCurve (g, { 6, 84, (float) w - 12, 30 }, mode);
    }
}

float EqModePictures::curveDb (int mode, float hz)
{
    switch (mode)
    {
        case 0:  return 3.0f * (1.0f - above (hz, 120.0f)) + 2.0f * bell (hz, 3500.0f, 1.2f);                      // Live: low and presence lift
        case 1:  return -7.0f * (1.0f - above (hz, 160.0f)) + 3.0f * bell (hz, 2500.0f, 1.0f) - 2.0f * above (hz, 9000.0f); // Speech: bass cut, intelligibility
        case 2:  return 4.0f * (1.0f - above (hz, 110.0f)) + 3.0f * above (hz, 7000.0f) - 1.0f * bell (hz, 800.0f, 1.5f); // Playback: loudness smile
        case 3:  return -2.0f * (1.0f - above (hz, 250.0f)) + 1.0f * above (hz, 6000.0f);                           // Array 2: coupling compensation
        default: return -4.0f * (1.0f - above (hz, 300.0f)) + 2.0f * above (hz, 5000.0f);                           // Array 3+: more coupling, long throw
    }
}

void EqModePictures::addTo (PictureCatalogue& catalogue)
{
    const std::pair<const char*, const char*> modes[]
    {
        { "icons_LIVE", "EQ mode Live: a concert stage" },
        { "icons_SPEECH", "EQ mode Speech: a microphone" },
        { "icons_PLAYBACK", "EQ mode Playback: a cassette" },
        { "icons_ARRAY2", "EQ mode Array 2: two cabinets" },
        { "icons_ARRAY3", "EQ mode Array 3+: three cabinets in an array" },
    };
    for (int i = 0; i < 5; ++i)
        catalogue.add (modes[i].first, 84, 120, modes[i].second, [i] (Graphics& g, int w, int h) { paintMode (g, w, h, i); });
}
