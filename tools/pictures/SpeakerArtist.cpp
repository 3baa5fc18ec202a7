#include "SpeakerArtist.h"
#include "DrawKit.h"
#include "Palette.h"
#include <cmath>

SpeakerArtist::SizeCm SpeakerArtist::sizeCm (const Look& look)
{
    const float in = (float) look.inches * 2.54f;   // woofer diameter in cm

    if (look.sub)
    {
        if (look.woofers > 1)
            return { in * look.woofers + 18.0f, in + 12.0f, in + 24.0f };   // drivers side by side
        return { in + 10.0f, in + 18.0f, in + 20.0f };
    }

    switch (look.series)
    {
        case Series::Ka:  return { in + 6.0f,  in * 1.55f + 10.0f, in + 4.0f };
        case Series::Ptx: return { in + 8.0f,  in * 1.5f + 14.0f,  in + 6.0f };
        case Series::Vel: return { in + 4.0f,  in * 1.6f + 12.0f,  in + 4.0f };
        case Series::Dmr: return { in + 10.0f, in * 1.45f + 18.0f, in + 10.0f };
    }
    return { in, in, in };
}

void SpeakerArtist::draw (juce::Graphics& g, const Look& look, juce::Rectangle<float> area, float maxPixelsPerCm,
                          bool floorShadow)
{
    const auto cm = sizeCm (look);
    const float depthSlant = 0.34f;   // oblique view: depth drawn at a third of its length, up and right
    const float s = juce::jmin (maxPixelsPerCm,
                                area.getWidth() / (cm.width + cm.depth * depthSlant),
                                (area.getHeight() - 2.0f) / (cm.height + cm.depth * depthSlant * 0.55f));

    const juce::Point<float> depth (cm.depth * s * depthSlant, -cm.depth * s * depthSlant * 0.55f);
    const float w = cm.width * s, h = cm.height * s;
    const float left = std::round (area.getCentreX() - (w + depth.x) * 0.5f);
    const float bottom = area.getBottom() - 2.0f;
    const juce::Rectangle<float> front (left, bottom - h, w, h);

    if (floorShadow)
        DrawKit::shadow (g, juce::Rectangle<float> (w + depth.x * 1.6f, juce::jmax (4.0f, h * 0.08f))
                            .withCentre ({ front.getCentreX() + depth.x * 0.5f, bottom }), 0.55f);

    const auto base = look.white ? Palette::cabinetWhite
                                 : (look.series == Series::Ka ? juce::Colour (0xff2e3033) : Palette::cabinetBlack);

    // The Ptx tops are wedges: their front narrows toward the top.
    const float taper = (look.series == Series::Ptx && ! look.sub) ? w * 0.07f : 0.0f;
    const float corner = look.series == Series::Ka ? w * 0.09f
                       : look.series == Series::Vel ? w * 0.06f : w * 0.02f;

    DrawKit::shell (g, front.getTopLeft().translated (taper, 0), front.getTopRight().translated (-taper, 0),
                    front.getBottomRight(), front.getBottomLeft(), depth, base, corner);
    drawTopDetails (g, look, front.withTrimmedLeft (taper).withTrimmedRight (taper), depth, s);
    drawFront (g, look, front, s);
}

void SpeakerArtist::drawTopDetails (juce::Graphics& g, const Look& look, juce::Rectangle<float> front,
                                    juce::Point<float> d, float s)
{
    const auto topCentre = front.getTopLeft().translated (front.getWidth() * 0.5f, 0) + d * 0.5f;

    if (look.sub)
    {
        // Pole cup on top of a subwoofer, where the top's stand pole goes.
        const float r = juce::jmax (1.2f, 2.2f * s);
        g.setColour (juce::Colour (0xff0c0c0c));
        g.fillEllipse (juce::Rectangle<float> (r * 2.0f, r * 1.1f).withCentre (topCentre));
        g.setColour (juce::Colour (0x50ffffff));
        g.drawEllipse (juce::Rectangle<float> (r * 2.0f, r * 1.1f).withCentre (topCentre), 0.5f);
        return;
    }

    if (look.series == Series::Dmr)
    {
        // Rigging points: two fittings on the top face.
        for (float f : { 0.22f, 0.78f })
        {
            auto p = front.getTopLeft().translated (front.getWidth() * f, 0) + d * 0.5f;
            const float r = juce::jmax (1.0f, 1.4f * s);
            g.setColour (juce::Colour (0xff9a9c9f));
            g.drawEllipse (juce::Rectangle<float> (r * 2, r * 2).withCentre (p.translated (0, -r)), juce::jmax (0.6f, 0.5f * s));
            g.setColour (juce::Colour (0xff101010));
            g.fillRect (juce::Rectangle<float> (r * 2.2f, r * 0.8f).withCentre (p));
        }
        return;
    }

    // A carrying handle recessed in the top.
    const float hw = front.getWidth() * 0.36f;
    auto handle = juce::Rectangle<float> (hw, juce::jmax (1.5f, -d.y * 0.35f)).withCentre (topCentre);
    g.setColour (juce::Colour (0xff0e0e0f));
    g.fillRoundedRectangle (handle, handle.getHeight() * 0.5f);
    g.setColour (juce::Colour (0x40ffffff));
    g.drawLine (handle.getX() + 1, handle.getBottom(), handle.getRight() - 1, handle.getBottom(), 0.5f);
}

void SpeakerArtist::drawFront (juce::Graphics& g, const Look& look, juce::Rectangle<float> front, float s)
{
    const float w = front.getWidth();
    const float margin = juce::jmax (1.5f, 2.5f * s);
    const float driverR = (float) look.inches * 2.54f * 0.5f * s;
    auto inner = front.reduced (margin);

    const auto accent = look.series == Series::Ka  ? Palette::lightBlue
                      : look.series == Series::Ptx ? Palette::orange
                      : look.series == Series::Vel ? Palette::lightBlue : Palette::grey;
    const auto grilleTint = look.white ? juce::Colour (0xffc9ccc6) : juce::Colour (0xff18191a);

    if (look.sub)
    {
        // Woofer(s) in the upper part, bass ports below.
        const float portH = juce::jmax (2.0f, 5.0f * s);
        auto driverArea = inner.withTrimmedBottom (portH + margin);
        const float pitch = driverArea.getWidth() / (float) look.woofers;
        for (int i = 0; i < look.woofers; ++i)
        {
            const float r = juce::jmin (driverR, pitch * 0.5f - 0.5f, driverArea.getHeight() * 0.5f);
            DrawKit::driver (g, { driverArea.getX() + pitch * ((float) i + 0.5f), driverArea.getCentreY() }, r);
        }

        auto ports = juce::Rectangle<float> (inner.getX() + w * 0.06f, inner.getBottom() - portH,
                                             inner.getWidth() - w * 0.12f, portH);
        g.setColour (juce::Colour (0xff050505));
        g.fillRoundedRectangle (ports, portH * 0.4f);
        g.setColour (juce::Colour (0x30ffffff));
        g.drawLine (ports.getX() + 1, ports.getBottom() + 0.4f, ports.getRight() - 1, ports.getBottom() + 0.4f, 0.5f);

        juce::Path veil;
        if (look.series == Series::Vel)
            veil.addRectangle (driverArea.expanded (0.5f));
        else
            veil.addRoundedRectangle (inner, look.series == Series::Ka ? w * 0.06f : 1.0f);
        DrawKit::grille (g, veil, grilleTint, look.series == Series::Vel ? 0.2f : 0.38f, juce::jmax (1.8f, 2.2f * s));
    }
    else
    {
        // Woofer low in the cabinet, horn above it.
        const auto woofer = juce::Point<float> (inner.getCentreX(), inner.getBottom() - driverR - margin * 0.3f);
        DrawKit::driver (g, woofer, juce::jmin (driverR, inner.getWidth() * 0.5f));

        const float hornTop = inner.getY() + margin * 0.4f;
        const float hornBottom = woofer.y - driverR - margin * 0.6f;
        float hornW = inner.getWidth() * 0.78f;
        float hornH = hornBottom - hornTop;
        if (look.series == Series::Dmr)
        {
            // A narrower pattern needs a bigger mouth.
            hornW = inner.getWidth() * 0.92f * std::pow (60.0f / (float) look.hornH, 0.7f);
            hornH = hornH * std::pow (40.0f / (float) look.hornV, 0.6f);
        }
        else if (look.series == Series::Ptx)
        {
            hornW = inner.getWidth() * 0.66f;
        }
        auto mouth = juce::Rectangle<float> (hornW, juce::jmax (3.0f, hornH))
                         .withCentre ({ inner.getCentreX(), (hornTop + hornBottom) * 0.5f });
        DrawKit::horn (g, mouth, 0.22f, look.series == Series::Dmr ? 0.16f : 0.2f);

        juce::Path veil;
        switch (look.series)
        {
            case Series::Ka:
                veil.addRoundedRectangle (inner, w * 0.07f);
                DrawKit::grille (g, veil, grilleTint, 0.42f, juce::jmax (1.8f, 2.0f * s));
                break;
            case Series::Ptx:
            {
                auto lower = inner.withTop (hornBottom + margin * 0.2f);
                veil.addRectangle (lower);
                DrawKit::grille (g, veil, grilleTint, 0.4f, juce::jmax (1.8f, 2.0f * s));
                g.setColour (accent);
                g.fillRect (lower.getX(), lower.getY() - juce::jmax (1.0f, 0.8f * s), lower.getWidth(), juce::jmax (1.0f, 0.8f * s));
                break;
            }
            case Series::Vel:
                veil.addEllipse (juce::Rectangle<float> (driverR * 2, driverR * 2).withCentre (woofer));
                DrawKit::grille (g, veil, grilleTint, 0.22f, juce::jmax (1.6f, 1.6f * s));
                break;
            case Series::Dmr:
                veil.addRectangle (inner);
                DrawKit::grille (g, veil, grilleTint, look.white ? 0.45f : 0.32f, juce::jmax (1.8f, 2.0f * s));
                break;
        }
    }

    // Series marks: a badge on Ka, a light strip on Vel, a small plate on Dmr.
    const float bh = juce::jmax (1.5f, 2.2f * s);
    if (look.series == Series::Ka)
    {
        g.setColour (accent);
        g.fillRoundedRectangle (front.getX() + w * 0.12f, front.getBottom() - margin - bh * 2.2f, w * 0.2f, bh, bh * 0.3f);
    }
    else if (look.series == Series::Vel)
    {
        auto strip = juce::Rectangle<float> (front.getX() + w * 0.2f, front.getBottom() - margin * 0.75f, w * 0.6f,
                                             juce::jmax (1.0f, 0.7f * s));
        g.setColour (accent.withAlpha (0.35f));
        g.fillRect (strip.expanded (0.8f));
        g.setColour (accent);
        g.fillRect (strip);
    }
    else if (look.series == Series::Dmr)
    {
        g.setColour (look.white ? Palette::grey : Palette::caption.withAlpha (0.8f));
        g.fillRect (front.getRight() - margin - w * 0.16f, front.getBottom() - margin - bh * 1.6f, w * 0.14f, bh * 0.8f);
    }
}
