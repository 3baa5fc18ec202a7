// The level meter, the LED and the dB scale, checked on the pixels they draw.
#include "ui/Cscale.h"
#include "ui/led_clip.h"
#include "ui/led_meter.h"
#include "ui/UiTestImages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using uitest::argb;
using uitest::hasInk;
using uitest::render;

namespace
{
    constexpr juce::uint32 lit = 0xff6ebedd;
    constexpr juce::uint32 topLit = 0xffeaefe3;

    /** A main-window meter: 20 x 147, 21 segments from -60 to 0 dB (pitch 7, 4-pixel bars). */
    struct MainMeter
    {
        led_meter meter { "input meter" };
        MainMeter()
        {
            meter.setBounds (0, 0, 20, 147);
            meter.setRange (21, -60.0f, 0.0f);
        }
        bool segmentLit (int i)
        {
            const juce::Image image = render (meter);
            const juce::uint32 c = argb (image, 10, i * 7 + 1);
            return c == lit || c == topLit;
        }
        int litCount()
        {
            const juce::Image image = render (meter);
            int n = 0;
            for (int i = 0; i < 21; ++i)
            {
                const juce::uint32 c = argb (image, 10, i * 7 + 1);
                n += (c == lit || c == topLit) ? 1 : 0;
            }
            return n;
        }
    };
}

TEST (LedMeter, StartsDarkAndLevelsLightFromTheBottom)
{
    MainMeter m;
    EXPECT_EQ (m.litCount(), 0) << "a new meter shows -100 dB";

    m.meter.setLevel (-60.0f);
    EXPECT_EQ (m.litCount(), 0);

    m.meter.setLevel (-59.0f);
    EXPECT_EQ (m.litCount(), 1);
    EXPECT_TRUE (m.segmentLit (20)) << "the bottom segment";

    m.meter.setLevel (0.0f);
    EXPECT_EQ (m.litCount(), 20);
    EXPECT_FALSE (m.segmentLit (0)) << "0 dB does not light the 0 dB segment";

    m.meter.setLevel (1.0f);
    EXPECT_EQ (m.litCount(), 21);
}

TEST (LedMeter, LevelEqualToAThresholdLeavesThatSegmentDark)
{
    MainMeter m;
    m.meter.setLevel (-30.0f); // segment 10's threshold
    EXPECT_FALSE (m.segmentLit (10));
    EXPECT_TRUE (m.segmentLit (11));
    EXPECT_EQ (m.litCount(), 10);

    m.meter.setLevel (-29.9f);
    EXPECT_TRUE (m.segmentLit (10));

    m.meter.setLevel (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (m.litCount(), 0) << "a level that is not a number lights nothing";
}

TEST (LedMeter, MainMeterBarsAndColours)
{
    MainMeter m;
    m.meter.setLevel (1.0f);
    const juce::Image image = render (m.meter);

    for (int i = 0; i < 21; ++i)
    {
        const int y = i * 7;
        for (int row = 0; row < 4; ++row)
            EXPECT_NE (image.getPixelAt (0, y + row).getAlpha(), 0) << "segment " << i << " row " << row;
        for (int row = 4; row < 7 && y + row < 147; ++row)
            EXPECT_EQ (image.getPixelAt (0, y + row).getAlpha(), 0) << "gap below segment " << i;
        EXPECT_EQ (argb (image, 19, y), i < 3 ? topLit : lit) << "segment " << i;
    }

    m.meter.setLevel (-100.0f);
    const juce::Image dark = render (m.meter);
    for (int i = 0; i < 21; ++i)
    {
        const juce::Colour c = dark.getPixelAt (5, i * 7);
        EXPECT_NEAR (c.getAlpha(), 0x80, 1) << "every segment is drawn dim, segment " << i;
        EXPECT_TRUE (uitest::near (c.withAlpha ((juce::uint8) 0xff), juce::Colour (0xff666767)));
    }
}

TEST (LedMeter, ShortMeterDrawsThreePixelBarsAndOneTopSegment)
{
    // A channel meter: 14 x 35, 7 segments (pitch 5).
    led_meter meter ("k24 meter");
    meter.setBounds (0, 0, 14, 35);
    meter.setRange (7, -60.0f, 0.0f);
    meter.setLevel (1.0f);
    const juce::Image image = render (meter);

    for (int i = 0; i < 7; ++i)
    {
        const int y = i * 5;
        for (int row = 0; row < 3; ++row)
            EXPECT_NE (image.getPixelAt (3, y + row).getAlpha(), 0) << "segment " << i;
        EXPECT_EQ (image.getPixelAt (3, y + 3).getAlpha(), 0) << "segment " << i;
        EXPECT_EQ (image.getPixelAt (3, y + 4).getAlpha(), 0) << "segment " << i;
    }
    EXPECT_EQ (argb (image, 3, 0), topLit);
    EXPECT_EQ (argb (image, 3, 5), lit) << "only the first segment is in the top group";

    // Thresholds 0, -10, ..., -60: -25 lights the four segments from -30 down.
    meter.setLevel (-25.0f);
    const juce::Image partial = render (meter);
    EXPECT_EQ (partial.getPixelAt (3, 10).getAlpha(), 0x80);
    EXPECT_EQ (argb (partial, 3, 15), lit);
    EXPECT_EQ (argb (partial, 3, 30), lit);
}

TEST (LedMeter, RangeKeepsAtLeastTwoSegments)
{
    led_meter meter ("m");
    meter.setBounds (0, 0, 10, 40);
    meter.setRange (0, -60.0f, 0.0f);
    EXPECT_EQ (meter.getNumSegments(), 2);
    meter.setLevel (1.0f);
    const juce::Image image = render (meter); // no division by zero
    EXPECT_EQ (argb (image, 0, 0), topLit);
    EXPECT_EQ (argb (image, 0, 20), topLit) << "pitch 20: both segments are in the top group";
}

TEST (LedMeter, LinearLevelsToWholeDecibels)
{
    EXPECT_EQ (led_meter::dbFromLinear (0.5f), -4);  // trunc (-6.02 + 1.2)
    EXPECT_EQ (led_meter::dbFromLinear (1.0f), 1);
    EXPECT_EQ (led_meter::dbFromLinear (2.0f), 7);   // no upper clamp
    EXPECT_EQ (led_meter::dbFromLinear (0.001f), -58);
    EXPECT_EQ (led_meter::dbFromLinear (0.0f), -60);
    EXPECT_EQ (led_meter::dbFromLinear (-0.5f), -60);
    EXPECT_EQ (led_meter::dbFromLinear (1.0e-4f), -60);
    EXPECT_EQ (led_meter::dbFromLinear (std::numeric_limits<float>::quiet_NaN()), -60);
    EXPECT_GT (led_meter::dbFromLinear (std::numeric_limits<float>::infinity()), 700);
}

TEST (LedClip, FillsInTheOnOrOffColourAndRepaintsEveryCall)
{
    led_clip led ("input clip led A");
    led.setBounds (0, 0, 20, 4);
    EXPECT_TRUE (uitest::near (render (led).getPixelAt (10, 2), juce::Colour (0x40fd0107)));

    led.setState (true);
    led.setState (true);
    EXPECT_TRUE (led.getState());
    EXPECT_EQ (argb (render (led), 0, 0), 0xffff0000u);
    EXPECT_EQ (argb (render (led), 19, 3), 0xffff0000u);

    led.setState (false);
    EXPECT_TRUE (uitest::near (render (led).getPixelAt (10, 2), juce::Colour (0x40fd0107)));
}

namespace
{
    /** True when the rows [y0, y1) of the columns [x0, x1) hold any ink. */
    bool inkInRows (const juce::Image& image, int x0, int x1, int y0, int y1)
    {
        return hasInk (image, { x0, y0, x1 - x0, y1 - y0 });
    }
}

TEST (Cscale, MeterModeLabelsAndTicks)
{
    Cscale scale (0);
    scale.setBounds (0, 0, 42, 150);
    EXPECT_EQ (scale.getDivisions(), 5);
    EXPECT_FLOAT_EQ (scale.getSpacing(), 28.0f);

    const juce::Image image = render (scale);
    const juce::Colour caption (0xffb8b8b8);

    // Ten ticks: x 0..7 and 34..41 at y 33, 61, 89, 117, 145.
    for (int tickY : { 33, 61, 89, 117, 145 })
    {
        for (int x : { 0, 7, 34, 41 })
            EXPECT_TRUE (uitest::near (image.getPixelAt (x, tickY), caption)) << "tick at " << x << "," << tickY;
        EXPECT_EQ (image.getPixelAt (0, tickY - 1).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (41, tickY + 1).getAlpha(), 0);
    }

    // Six labels, each within its 12-pixel row at y 0, 28, ..., 140, centred: nothing in between.
    int labels = 0;
    for (int i = 0; i <= 5; ++i)
    {
        const int top = i * 28;
        labels += inkInRows (image, 10, 32, top, top + 12) ? 1 : 0;
        if (i < 5)
        {
            EXPECT_FALSE (inkInRows (image, 10, 32, top + 15, top + 28)) << "gap below label " << i;
        }
    }
    EXPECT_EQ (labels, 6);
    EXPECT_TRUE (inkInRows (image, 6, 11, 0, 12)) << "\"0 dB\" is wide and centred";
}

TEST (Cscale, GraphModesDrawSevenRightAlignedLabelsWithoutTicks)
{
    for (int mode : { 1, 2 })
    {
        Cscale scale (mode);
        scale.setBounds (0, 0, 60, 130); // spacing 20
        EXPECT_EQ (scale.getDivisions(), 6);
        EXPECT_FLOAT_EQ (scale.getSpacing(), 20.0f);

        const juce::Image image = render (scale);
        EXPECT_FALSE (inkInRows (image, 30, 60, 0, 130)) << "labels stay in the 30 left pixels, no ticks; mode " << mode;

        int labels = 0;
        for (int i = 0; i <= 6; ++i)
        {
            const int top = i * 20;
            labels += inkInRows (image, 0, 30, top, top + 12) ? 1 : 0;
            if (i < 6)
            {
                EXPECT_FALSE (inkInRows (image, 0, 30, top + 14, top + 20)) << "mode " << mode << " gap " << i;
            }
            EXPECT_TRUE (inkInRows (image, 24, 30, top, top + 12)) << "right-aligned, mode " << mode << " label " << i;
        }
        EXPECT_EQ (labels, 7);
    }
}

TEST (Cscale, SwitchingModeRecomputesDivisionsAndSpacing)
{
    Cscale scale (0);
    scale.setBounds (0, 0, 30, 123);
    EXPECT_FLOAT_EQ (scale.getSpacing(), 113.0f / 5.0f);

    scale.setMode (1);
    EXPECT_EQ (scale.getDivisions(), 6);
    EXPECT_FLOAT_EQ (scale.getSpacing(), 113.0f / 6.0f);

    scale.setMode (0);
    EXPECT_EQ (scale.getDivisions(), 5);

    scale.setMode (7); // no such label set
    EXPECT_EQ (scale.getMode(), 2);
    render (scale);
}

