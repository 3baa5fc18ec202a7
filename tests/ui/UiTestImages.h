#pragma once
// Helpers for the user-interface tests: render a component into an image without a display and
// look at its pixels.

#include <juce_gui_basics/juce_gui_basics.h>

namespace uitest
{
    /** Paints `c` (and its children) into a transparent ARGB image of its size. */
    inline juce::Image render (juce::Component& c)
    {
        juce::Image image (juce::Image::ARGB, juce::jmax (1, c.getWidth()), juce::jmax (1, c.getHeight()), true);
        juce::Graphics g (image);
        c.paintEntireComponent (g, false);
        return image;
    }

    /** Without a screen JUCE knows no display, and alert windows measure themselves against one:
        this gives the desktop a 1920 x 1080 stand-in when it has none. */
    inline void ensureDisplay()
    {
        auto& displays = const_cast<juce::Displays&> (juce::Desktop::getInstance().getDisplays());
        if (! displays.displays.isEmpty())
            return;

        juce::Displays::Display d;
        d.isMain = true;
        d.totalArea = d.userArea = { 0, 0, 1920, 1080 };
        d.topLeftPhysical = {};
        d.scale = 1.0;
        d.dpi = 96.0;
        displays.displays.add (d);
    }

    /** The pixel's colour as 0xAARRGGBB. */
    inline juce::uint32 argb (const juce::Image& image, int x, int y)
    {
        return image.getPixelAt (x, y).getARGB();
    }

    /** True when some pixel of the rectangle is not fully transparent. */
    inline bool hasInk (const juce::Image& image, juce::Rectangle<int> area)
    {
        area = area.getIntersection (image.getBounds());
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (image.getPixelAt (x, y).getAlpha() != 0)
                    return true;
        return false;
    }

    /** True when the two colours differ by at most `tolerance` in every channel. */
    inline bool near (juce::Colour a, juce::Colour b, int tolerance = 3)
    {
        return std::abs ((int) a.getAlpha() - (int) b.getAlpha()) <= tolerance
            && std::abs ((int) a.getRed() - (int) b.getRed()) <= tolerance
            && std::abs ((int) a.getGreen() - (int) b.getGreen()) <= tolerance
            && std::abs ((int) a.getBlue() - (int) b.getBlue()) <= tolerance;
    }
}
