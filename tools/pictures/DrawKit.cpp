#include "DrawKit.h"
#include "Palette.h"

juce::String DrawKit::typefaceName()
{
    static const juce::String name = []
    {
        const auto installed = juce::Font::findAllTypefaceNames();
        for (auto candidate : { "Arial", "Liberation Sans" })
            if (installed.contains (candidate))
                return juce::String (candidate);
        return juce::Font::getDefaultSansSerifFontName();
    }();
    return name;
}

juce::Font DrawKit::boldFont (float height)
{
    return juce::Font (typefaceName(), height, juce::Font::bold);
}

void DrawKit::text (juce::Graphics& g, const juce::String& s, juce::Rectangle<float> area, float height,
                    juce::Colour colour, juce::Justification justification)
{
    g.setColour (colour);
    g.setFont (boldFont (height));
    g.drawFittedText (s, area.toNearestInt(), justification, 1, 1.0f);
}

juce::Colour DrawKit::shade (juce::Colour c, float amount)
{
    return amount >= 0 ? c.interpolatedWith (juce::Colours::white, amount)
                       : c.interpolatedWith (juce::Colours::black, -amount);
}

void DrawKit::driver (juce::Graphics& g, juce::Point<float> c, float r)
{
    auto circle = [c] (float radius) { return juce::Rectangle<float> (radius * 2, radius * 2).withCentre (c); };

    // Frame: a dark ring with a lit upper edge.
    g.setColour (juce::Colour (0xff0b0b0c));
    g.fillEllipse (circle (r));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff8a8c8e), c.x, c.y - r,
                                             juce::Colour (0xff2a2b2c), c.x, c.y + r, false));
    g.drawEllipse (circle (r - 0.5f), juce::jmax (0.6f, r * 0.05f));

    // Rubber surround: a rolled ring, lit from above.
    const float surroundOuter = r * 0.9f, surroundInner = r * 0.74f;
    juce::ColourGradient roll (juce::Colour (0xff5a5c5f), c.x, c.y - surroundOuter,
                               juce::Colour (0xff101112), c.x, c.y + surroundOuter, false);
    g.setGradientFill (roll);
    g.fillEllipse (circle (surroundOuter));

    // Cone: radial shading from a lighter middle to a dark rim, with a few ribs.
    juce::ColourGradient cone (juce::Colour (0xff4a4c50), c.x - r * 0.15f, c.y - r * 0.2f,
                               juce::Colour (0xff151617), c.x + surroundInner, c.y, true);
    g.setGradientFill (cone);
    g.fillEllipse (circle (surroundInner));
    g.setColour (juce::Colour (0x30ffffff));
    for (float f : { 0.58f, 0.44f })
        if (r * f > 3.0f)
            g.drawEllipse (circle (r * f), juce::jmax (0.4f, r * 0.015f));

    // Dust cap with a highlight toward the upper left.
    const float cap = r * 0.27f;
    juce::ColourGradient dome (juce::Colour (0xff9a9da2), c.x - cap * 0.45f, c.y - cap * 0.5f,
                               juce::Colour (0xff202124), c.x + cap, c.y + cap, true);
    g.setGradientFill (dome);
    g.fillEllipse (circle (cap));
    g.setColour (juce::Colour (0x50000000));
    g.drawEllipse (circle (cap), juce::jmax (0.4f, r * 0.02f));

    // A soft reflection across the upper left of the cone.
    juce::Path glint;
    glint.addCentredArc (c.x, c.y, r * 0.63f, r * 0.63f, 0.0f, -1.35f, -0.35f, true);
    g.setColour (juce::Colour (0x28ffffff));
    g.strokePath (glint, juce::PathStrokeType (juce::jmax (0.8f, r * 0.09f), juce::PathStrokeType::curved,
                                               juce::PathStrokeType::rounded));
}

void DrawKit::horn (juce::Graphics& g, juce::Rectangle<float> mouth, float twf, float thf)
{
    const auto throat = mouth.withSizeKeepingCentre (mouth.getWidth() * twf, mouth.getHeight() * thf);

    g.setColour (juce::Colour (0xff0d0d0e));
    g.fillRoundedRectangle (mouth, juce::jmin (mouth.getWidth(), mouth.getHeight()) * 0.08f);

    // The flare: nested outlines from the mouth to the throat, lightest at the lit top edge.
    const int steps = 10;
    for (int i = 0; i < steps; ++i)
    {
        const float t = (float) i / (float) steps;
        auto r = juce::Rectangle<float> (mouth.getX() + (throat.getX() - mouth.getX()) * t,
                                         mouth.getY() + (throat.getY() - mouth.getY()) * t,
                                         mouth.getWidth() + (throat.getWidth() - mouth.getWidth()) * t,
                                         mouth.getHeight() + (throat.getHeight() - mouth.getHeight()) * t);
        juce::ColourGradient flare (juce::Colour (0xff56585c).withMultipliedBrightness (1.0f - 0.7f * t), r.getX(), r.getY(),
                                    juce::Colour (0xff1a1b1c).withMultipliedBrightness (1.0f - 0.5f * t), r.getX(), r.getBottom(), false);
        g.setGradientFill (flare);
        g.fillRect (r);
    }

    // Edges from the mouth's corners into the throat.
    g.setColour (juce::Colour (0x40ffffff));
    const float w = juce::jmax (0.5f, mouth.getWidth() * 0.012f);
    g.drawLine ({ mouth.getTopLeft(), throat.getTopLeft() }, w);
    g.drawLine ({ mouth.getTopRight(), throat.getTopRight() }, w);
    g.setColour (juce::Colour (0x30000000));
    g.drawLine ({ mouth.getBottomLeft(), throat.getBottomLeft() }, w);
    g.drawLine ({ mouth.getBottomRight(), throat.getBottomRight() }, w);

    g.setColour (juce::Colour (0xff050505));
    g.fillRect (throat);
    g.setColour (juce::Colour (0x60a0a4a8));
    g.drawRect (mouth, juce::jmax (0.6f, mouth.getHeight() * 0.03f));
}

void DrawKit::grille (juce::Graphics& g, const juce::Path& area, juce::Colour tint, float veilAlpha, float pitch)
{
    juce::Graphics::ScopedSaveState saved (g);
    g.reduceClipRegion (area);

    const auto b = area.getBounds();
    g.setColour (tint.withAlpha (veilAlpha));
    g.fillPath (area);

    // Staggered holes: dark dots with a faint light fleck, like punched steel.
    const float hole = juce::jmax (0.7f, pitch * 0.42f);
    int row = 0;
    for (float y = b.getY() + pitch * 0.5f; y < b.getBottom(); y += pitch * 0.87f, ++row)
        for (float x = b.getX() + ((row & 1) ? pitch : pitch * 0.5f); x < b.getRight(); x += pitch)
        {
            g.setColour (juce::Colour (0x50000000));
            g.fillEllipse (x - hole * 0.5f, y - hole * 0.5f, hole, hole);
            g.setColour (tint.brighter (0.6f).withAlpha (0.18f));
            g.fillEllipse (x - hole * 0.5f, y - hole * 0.5f - 0.4f, hole * 0.6f, hole * 0.5f);
        }

    g.setColour (juce::Colour (0x20ffffff));
    g.strokePath (area, juce::PathStrokeType (0.8f));
}

juce::Path DrawKit::quad (juce::Point<float> tl, juce::Point<float> tr, juce::Point<float> br,
                          juce::Point<float> bl, float corner)
{
    juce::Path p;
    p.startNewSubPath (tl);
    p.lineTo (tr);
    p.lineTo (br);
    p.lineTo (bl);
    p.closeSubPath();
    return corner > 0 ? p.createPathWithRoundedCorners (corner) : p;
}

void DrawKit::shell (juce::Graphics& g, juce::Point<float> tl, juce::Point<float> tr, juce::Point<float> br,
                     juce::Point<float> bl, juce::Point<float> d, juce::Colour base, float corner)
{
    // Top face, lit from above.
    auto top = quad (tl, tr, tr + d, tl + d, 0.0f);
    g.setGradientFill (juce::ColourGradient (shade (base, 0.22f), tl.x, tl.y + d.y,
                                             shade (base, 0.08f), tl.x, tl.y, false));
    g.fillPath (top);

    // Right side face, in shadow.
    auto side = quad (tr, tr + d, br + d, br, 0.0f);
    g.setGradientFill (juce::ColourGradient (shade (base, -0.35f), tr.x, tr.y,
                                             shade (base, -0.6f), br.x, br.y, false));
    g.fillPath (side);

    g.setColour (shade (base, -0.7f).withAlpha (0.8f));
    g.strokePath (top, juce::PathStrokeType (0.6f));
    g.strokePath (side, juce::PathStrokeType (0.6f));

    // Front with a soft vertical gradient and a lit top edge.
    auto front = quad (tl, tr, br, bl, corner);
    g.setGradientFill (juce::ColourGradient (shade (base, 0.1f), tl.x, tl.y, shade (base, -0.25f), bl.x, bl.y, false));
    g.fillPath (front);
    g.setColour (shade (base, -0.6f));
    g.strokePath (front, juce::PathStrokeType (0.8f));
    g.setColour (juce::Colour (0x30ffffff));
    g.drawLine ({ tl.translated (corner * 0.7f, 0.6f), tr.translated (-corner * 0.7f, 0.6f) }, 0.7f);
}

void DrawKit::shadow (juce::Graphics& g, juce::Rectangle<float> area, float alpha)
{
    juce::ColourGradient soft (juce::Colours::black.withAlpha (alpha), area.getCentreX(), area.getCentreY(),
                               juce::Colours::transparentBlack, area.getRight(), area.getCentreY(), true);
    g.setGradientFill (soft);
    g.fillEllipse (area);
}
