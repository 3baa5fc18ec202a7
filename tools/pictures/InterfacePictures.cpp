#include "InterfacePictures.h"
#include "DrawKit.h"
#include "Palette.h"
#include "SpeakerArtist.h"
#include <cmath>

namespace
{
    using juce::Graphics;

    void paintHeaderLogo (Graphics& g, int w, int h)
    {
        const float fh = (float) h;

        // A small mark: three bars rising like a level meter.
        for (int i = 0; i < 3; ++i)
        {
            const float bh = fh * (0.45f + 0.25f * (float) i);
            g.setColour (i == 2 ? Palette::orange : Palette::lightBlue);
            g.fillRoundedRectangle (1.0f + 4.0f * (float) i, fh - 1.0f - bh, 3.0f, bh, 1.0f);
        }

        auto font = DrawKit::boldFont (fh * 0.95f);
        g.setFont (font);
        const juce::String brand ("VARENTO"), product (" Edit");
        const float x0 = 16.0f;
        const float brandW = font.getStringWidthFloat (brand);
        g.setColour (Palette::lightText);
        g.drawText (brand, juce::Rectangle<float> (x0, 0, brandW + 2, fh), juce::Justification::centredLeft, false);
        const float productW = font.getStringWidthFloat (product);
        g.setColour (Palette::lightBlue);
        g.drawText (product, juce::Rectangle<float> (x0 + brandW, 0, productW + 2, fh), juce::Justification::centredLeft, false);

        // A rule that fades out toward the right end.
        const float lineX = x0 + brandW + productW + 8.0f;
        g.setGradientFill (juce::ColourGradient (Palette::orange, lineX, 0, Palette::orange.withAlpha (0.0f), (float) w, 0, false));
        g.fillRect (lineX, fh * 0.5f - 1.0f, (float) w - lineX, 2.0f);
    }

    void paintWatermark (Graphics& g, int w, int h)
    {
        g.fillAll (Palette::background);
        const juce::Point<float> c ((float) w * 0.5f, (float) h * 0.43f);

        // Concentric rings of a driver, faint, and a bold "V" in the middle.
        for (int i = 0; i < 4; ++i)
        {
            const float r = 38.0f - 8.0f * (float) i;
            g.setColour (Palette::grey.withAlpha (0.16f + 0.1f * (float) i));
            g.drawEllipse (juce::Rectangle<float> (r * 2, r * 2).withCentre (c), 2.0f - 0.3f * (float) i);
        }

        juce::Path v;
        v.startNewSubPath (c.x - 17, c.y - 15);
        v.lineTo (c.x, c.y + 17);
        v.lineTo (c.x + 17, c.y - 15);
        g.setColour (Palette::grey.withAlpha (0.75f));
        g.strokePath (v, juce::PathStrokeType (6.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
        g.setColour (Palette::lightBlue.withAlpha (0.35f));
        g.fillEllipse (juce::Rectangle<float> (5, 5).withCentre (c.translated (0, -17)));

        DrawKit::text (g, "VARENTO", { 0, (float) h - 16, (float) w, 13 }, 12.0f, Palette::grey.withAlpha (0.8f));
    }

    struct SeriesStyle
    {
        const char* stem;
        const char* name;
        const char* tagline;   ///< the range of models in the series
        juce::Colour accent;
        SpeakerArtist::Look look;
    };

    void paintSeries (Graphics& g, int w, int h, const SeriesStyle& style)
    {
        g.fillAll (Palette::background);
        SpeakerArtist::draw (g, style.look, { 2.0f, 2.0f, 40.0f, (float) h - 3.0f }, 2.0f);

        const float x = 48.0f;
        auto nameFont = DrawKit::boldFont (30.0f);
        g.setFont (nameFont);
        g.setColour (Palette::lightText);
        g.drawText (style.name, juce::Rectangle<float> (x, 1.0f, 100.0f, 30.0f), juce::Justification::centredLeft, false);
        const float nameW = nameFont.getStringWidthFloat (style.name);

        DrawKit::text (g, "SERIES", { x + nameW + 6.0f, 12.0f, (float) w - x - nameW - 6.0f, 12.0f }, 11.0f,
                       style.accent, juce::Justification::centredLeft);

        g.setColour (style.accent);
        g.fillRect (x, 32.0f, (float) w - x - 4.0f, 2.0f);
        DrawKit::text (g, style.tagline, { x, 35.0f, (float) w - x - 2.0f, 11.0f }, 10.0f, Palette::caption,
                       juce::Justification::centredLeft);
    }

    void paintBandDisc (Graphics& g, int w, int h, const juce::String& letter)
    {
        auto disc = juce::Rectangle<float> ((float) w, (float) h).reduced (0.5f);
        g.setGradientFill (juce::ColourGradient (Palette::lightBlue.brighter (0.35f), disc.getX() + 4, disc.getY() + 3,
                                                 Palette::lightBlue.darker (0.15f), disc.getRight(), disc.getBottom(), true));
        g.fillEllipse (disc);
        g.setColour (Palette::blue.withAlpha (0.7f));
        g.drawEllipse (disc.reduced (0.3f), 0.8f);
        DrawKit::text (g, letter, { 0.0f, 0.5f, (float) w, (float) h }, 12.0f, Palette::background);
    }

    void paintPowerSwitch (Graphics& g, int w, int h, bool on)
    {
        const auto colour = on ? Palette::lightBlue : Palette::grey;
        const juce::Point<float> c ((float) w * 0.5f, (float) h * 0.5f);

        // Button face: a dark disc with a ring in the symbol's colour.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2a2b2c), c.x, 2, Palette::background, c.x, (float) h - 2, false));
        g.fillEllipse (1.5f, 1.5f, (float) w - 3, (float) h - 3);
        g.setColour (colour.withAlpha (on ? 0.9f : 0.7f));
        g.drawEllipse (1.5f, 1.5f, (float) w - 3, (float) h - 3, 1.5f);

        if (on)
        {
            // A soft glow behind the symbol.
            g.setGradientFill (juce::ColourGradient (colour.withAlpha (0.35f), c.x, c.y, colour.withAlpha (0.0f), c.x + 14, c.y, true));
            g.fillEllipse (juce::Rectangle<float> (28, 28).withCentre (c));
        }

        juce::Path symbol;
        const float r = 9.0f;
        symbol.addCentredArc (c.x, c.y + 1.0f, r, r, 0.0f, 0.62f, juce::MathConstants<float>::twoPi - 0.62f, true);
        symbol.startNewSubPath (c.x, c.y - 10.0f);
        symbol.lineTo (c.x, c.y - 1.0f);
        g.setColour (colour);
        g.strokePath (symbol, juce::PathStrokeType (3.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    void paintFrequencyStrip (Graphics& g, int w, int h)
    {
        g.fillAll (juce::Colours::black);

        // Minor ticks at every grid line of the graph, major ticks with labels.
        g.setColour (Palette::grey);
        for (double decade : { 10.0, 100.0, 1000.0, 10000.0 })
            for (int i = 1; i <= 9; ++i)
            {
                const double f = decade * i;
                if (f < 20.0 || f > 20000.0)
                    continue;
                g.fillRect (std::floor (InterfacePictures::axisX (f)), 0.0f, 1.0f, 2.0f);
            }

        for (double f : InterfacePictures::axisFrequencies())
        {
            const float x = std::floor (InterfacePictures::axisX (f));
            g.setColour (Palette::caption);
            g.fillRect (x, 0.0f, 1.0f, 4.0f);

            const juce::String label = f >= 1000.0 ? juce::String ((int) (f / 1000.0)) + "k" : juce::String ((int) f);
            auto font = DrawKit::boldFont (11.0f);
            const float tw = font.getStringWidthFloat (label) + 2.0f;
            const float left = juce::jlimit (0.0f, (float) w - tw, x - tw * 0.5f);
            DrawKit::text (g, label, { left, 5.0f, tw, (float) h - 5.0f }, 11.0f, Palette::caption);
        }
    }
}

const std::vector<double>& InterfacePictures::axisFrequencies()
{
    static const std::vector<double> list { 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000 };
    return list;
}

float InterfacePictures::axisX (double hz)
{
    return 7.0f + (float) (std::log (hz / 20.0) / std::log (1000.0) * 660.0);
}

void InterfacePictures::paintAppIcon (juce::Graphics& g, int size)
{
    const float s = (float) size;
    auto tile = juce::Rectangle<float> (s, s).reduced (s * 0.03f);
    const float corner = s * 0.2f;

    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2a2c2e), 0, 0, Palette::background, 0, s, false));
    g.fillRoundedRectangle (tile, corner);
    g.setColour (Palette::grey);
    g.drawRoundedRectangle (tile.reduced (s * 0.015f), corner, juce::jmax (1.0f, s * 0.03f));

    // A driver in the program's light blue, seen from the front.
    const juce::Point<float> c (s * 0.5f, s * 0.44f);
    const float r = s * 0.3f;
    g.setGradientFill (juce::ColourGradient (Palette::lightBlue.brighter (0.3f), c.x - r * 0.3f, c.y - r * 0.4f,
                                             Palette::blue, c.x + r, c.y + r, true));
    g.fillEllipse (juce::Rectangle<float> (r * 2, r * 2).withCentre (c));
    g.setColour (Palette::background.withAlpha (0.85f));
    g.drawEllipse (juce::Rectangle<float> (r * 1.5f, r * 1.5f).withCentre (c), juce::jmax (1.0f, s * 0.03f));
    if (size >= 32)
        g.drawEllipse (juce::Rectangle<float> (r * 1.0f, r * 1.0f).withCentre (c), juce::jmax (0.8f, s * 0.015f));
    g.setColour (Palette::background);
    g.fillEllipse (juce::Rectangle<float> (r * 0.45f, r * 0.45f).withCentre (c));

    // An orange response curve sweeping across the lower part.
    juce::Path curve;
    const float y0 = s * 0.8f;
    for (int i = 0; i <= 40; ++i)
    {
        const float t = (float) i / 40.0f;
        const float x = s * (0.14f + 0.72f * t);
        const float y = y0 - s * 0.08f * std::sin (t * juce::MathConstants<float>::pi * 1.5f) - s * 0.05f * t;
        if (i == 0) curve.startNewSubPath (x, y); else curve.lineTo (x, y);
    }
    g.setColour (Palette::orange);
    g.strokePath (curve, juce::PathStrokeType (juce::jmax (1.2f, s * 0.045f), juce::PathStrokeType::curved,
                                               juce::PathStrokeType::rounded));
}

void InterfacePictures::addTo (PictureCatalogue& catalogue)
{
    catalogue.add ("logo_header_trans", 315, 16, "header logo, window title-bar icon", paintHeaderLogo);
    catalogue.add ("watermark", 98, 99, "watermark on the right panel", paintWatermark);

    using Series = SpeakerArtist::Series;
    auto look = [] (Series s, int inches) { SpeakerArtist::Look l; l.series = s; l.inches = inches; return l; };
    const SeriesStyle styles[]
    {
        { "series_Ka",  "Ka",  "Ka8 to Ka18B",          Palette::lightBlue, look (Series::Ka, 12) },
        { "series_Ptx", "Ptx", "Ptx122 to Ptx118B",     Palette::orange,    look (Series::Ptx, 12) },
        { "series_Vel", "Vel", "Vel82 to Vel118B",      Palette::lightBlue, look (Series::Vel, 10) },
        { "series_Dmr", "Dmr", "Dmr122 to Dmr218B",     Palette::red,       look (Series::Dmr, 12) },
    };
    for (const auto& style : styles)
        catalogue.add (style.stem, 152, 47, juce::String ("series picture for the ") + style.name + " models",
                       [style] (Graphics& g, int w, int h) { paintSeries (g, w, h, style); });

    const std::pair<const char*, const char*> bands[] { { "L", "L" }, { "H", "H" }, { "1", "1" }, { "2", "2" } };
    for (const auto& [suffix, letter] : bands)
    {
        const juce::String text (letter);
        catalogue.add (juce::String ("eq_band_") + suffix, 16, 16, "drag handle of EQ band " + text,
                       [text] (Graphics& g, int w, int h) { paintBandDisc (g, w, h, text); });
    }

    catalogue.add ("eq_ON", 36, 36, "EQ band switch, on", [] (Graphics& g, int w, int h) { paintPowerSwitch (g, w, h, true); });
    catalogue.add ("eq_OFF", 36, 36, "EQ band switch, off", [] (Graphics& g, int w, int h) { paintPowerSwitch (g, w, h, false); });

    catalogue.add ("eq_freq_axis", 673, 19, "frequency labels under the response graph", paintFrequencyStrip);

    for (int size : { 256, 64, 32, 16 })
        catalogue.add ("app_icon_" + juce::String (size), size, size, "application icon",
                       [] (Graphics& g, int w, int) { paintAppIcon (g, w); });
}
