// The embedded pictures: every one is there under its resource name, decodes to the size the pages
// draw it at, shows something, and has the transparency and colours the pages rely on.
#include <BinaryData.h>
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace
{
    struct Expected
    {
        std::string name;
        int width, height;
    };

    /** Every picture the program uses, with the size it is drawn at. */
    const std::vector<Expected>& expectedPictures()
    {
        static const std::vector<Expected> list = []
        {
            std::vector<Expected> v
            {
                { "logo_header_trans_png", 315, 16 }, { "watermark_png", 98, 99 },
                { "series_Ka_png", 152, 47 }, { "series_Ptx_png", 152, 47 },
                { "series_Vel_png", 152, 47 }, { "series_Dmr_png", 152, 47 },
                { "eq_band_L_png", 16, 16 }, { "eq_band_H_png", 16, 16 },
                { "eq_band_1_png", 16, 16 }, { "eq_band_2_png", 16, 16 },
                { "eq_ON_png", 36, 36 }, { "eq_OFF_png", 36, 36 },
                { "eq_freq_axis_png", 673, 19 },
                { "icons_LIVE_png", 84, 120 }, { "icons_SPEECH_png", 84, 120 }, { "icons_PLAYBACK_png", 84, 120 },
                { "icons_ARRAY2_png", 84, 120 }, { "icons_ARRAY3_png", 84, 120 },
                { "position_room_png", 140, 180 }, { "position_stand_png", 140, 180 },
                { "position_free_png", 140, 180 }, { "position_wall_png", 140, 180 },
                { "position_ceiling_png", 140, 180 }, { "position_corner_png", 140, 180 },
                { "position_sub_front_png", 140, 180 }, { "position_sub_wall_png", 140, 180 },
                { "position_sub_corner_png", 140, 180 },
                { "Lighting_png", 159, 180 },
                { "app_icon_256_png", 256, 256 }, { "app_icon_64_png", 64, 64 },
                { "app_icon_32_png", 32, 32 }, { "app_icon_16_png", 16, 16 },
            };
            for (const char* speaker : { "Ka8", "Ka10", "Ka12", "Ka15", "Ka15B", "Ka18B",
                                         "Ptx122", "Ptx152", "Ptx118BAN",
                                         "Vel82AN", "Vel102AN", "Vel122AN", "Vel152AN", "Vel115BAN", "Vel118BAN",
                                         "Vel82ANWH", "Vel102ANWH", "Vel122ANWH", "Vel152ANWH", "Vel115BANWH", "Vel118BANWH",
                                         "Dmr12264AN", "Dmr12296AN", "Dmr12294AN", "Dmr15264AN", "Dmr15296AN", "Dmr15294AN",
                                         "Dmr115BAN", "Dmr218BAN",
                                         "Dmr12264ANWH", "Dmr12296ANWH", "Dmr12294ANWH", "Dmr15264ANWH", "Dmr15296ANWH",
                                         "Dmr15294ANWH", "Dmr115BANWH", "Dmr218BANWH" })
                v.push_back ({ std::string (speaker) + "_trans_png", 140, 130 });
            return v;
        }();
        return list;
    }

    juce::Image load (const char* name)
    {
        int size = 0;
        const char* data = BinaryData::getNamedResource (name, size);
        if (data == nullptr || size <= 0)
            return {};
        return juce::ImageCache::getFromMemory (data, size);
    }

    bool isTransparentPicture (const std::string& name)
    {
        return name.find ("_trans_png") != std::string::npos;
    }

    std::set<juce::uint32> coloursOf (const juce::Image& image)
    {
        std::set<juce::uint32> colours;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                colours.insert (image.getPixelAt (x, y).getARGB());
        return colours;
    }

    int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& test)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (test (image.getPixelAt (x, y)))
                    ++n;
        return n;
    }

    bool near (juce::Colour a, juce::Colour b, int tolerance)
    {
        return std::abs ((int) a.getRed() - (int) b.getRed()) <= tolerance
            && std::abs ((int) a.getGreen() - (int) b.getGreen()) <= tolerance
            && std::abs ((int) a.getBlue() - (int) b.getBlue()) <= tolerance;
    }

    /** Rows (top, bottom) that hold any visible pixel, or (-1, -1) for an empty picture. */
    std::pair<int, int> paintedRows (const juce::Image& image)
    {
        int top = -1, bottom = -1;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (image.getPixelAt (x, y).getAlpha() > 0)
                {
                    if (top < 0) top = y;
                    bottom = y;
                    break;
                }
        return { top, bottom };
    }

    float meanBrightnessOfOpaque (const juce::Image& image)
    {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto c = image.getPixelAt (x, y);
                if (c.getAlpha() == 255)
                {
                    sum += c.getBrightness();
                    ++n;
                }
            }
        return n > 0 ? (float) (sum / n) : 0.0f;
    }
}

TEST (Resources, EveryPictureDecodesAtItsSizeAndShowsSomething)
{
    for (const auto& e : expectedPictures())
    {
        SCOPED_TRACE (e.name);
        const auto image = load (e.name.c_str());
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), e.width);
        EXPECT_EQ (image.getHeight(), e.height);

        // A real drawing has shading and anti-aliased edges, not a flat box.
        EXPECT_GE (coloursOf (image).size(), 12u);

        const int transparent = countPixels (image, [] (juce::Colour c) { return c.getAlpha() == 0; });
        const int visible = countPixels (image, [] (juce::Colour c) { return c.getAlpha() > 0; });
        EXPECT_GT (visible, e.width * e.height / 20) << "almost nothing drawn";
        if (isTransparentPicture (e.name))
        {
            EXPECT_GT (transparent, e.width * e.height / 10) << "a transparent picture needs a transparent background";
        }
    }
}

TEST (Resources, TheNameListHoldsExactlyThePicturesThePagesUse)
{
    std::set<std::string> expected, listed;
    for (const auto& e : expectedPictures())
        expected.insert (e.name);

    ASSERT_EQ (BinaryData::namedResourceListSize, (int) expected.size());
    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
        listed.insert (BinaryData::namedResourceList[i]);
    EXPECT_EQ (BinaryData::namedResourceList[BinaryData::namedResourceListSize], nullptr);
    EXPECT_EQ (listed, expected);
}

TEST (Resources, LookupByNameMatchesTheSymbolsAndRefusesUnknownNames)
{
    int size = -1;
    EXPECT_EQ (BinaryData::getNamedResource ("watermark_png", size), BinaryData::watermark_png);
    EXPECT_EQ (size, BinaryData::watermark_pngSize);
    EXPECT_EQ (BinaryData::getNamedResource ("eq_band_L_png", size), BinaryData::eq_band_L_png);
    EXPECT_EQ (size, BinaryData::eq_band_L_pngSize);

    // Every block is a PNG file.
    EXPECT_EQ (std::memcmp (BinaryData::Lighting_png, "\x89PNG\r\n\x1a\n", 8), 0);

    size = 99;
    EXPECT_EQ (BinaryData::getNamedResource ("watermark", size), nullptr);
    EXPECT_EQ (size, 0);
    size = 99;
    EXPECT_EQ (BinaryData::getNamedResource ("watermark_png_", size), nullptr);
    EXPECT_EQ (size, 0);
    size = 99;
    EXPECT_EQ (BinaryData::getNamedResource (nullptr, size), nullptr);
    EXPECT_EQ (size, 0);
}

TEST (Resources, BandDiscsAreLightBlueDiscsWithDarkLetters)
{
    const juce::Colour lightBlue (0xff6ebedd);
    std::set<std::vector<juce::uint32>> shapes;

    for (const char* name : { "eq_band_L_png", "eq_band_H_png", "eq_band_1_png", "eq_band_2_png" })
    {
        SCOPED_TRACE (name);
        const auto image = load (name);
        ASSERT_TRUE (image.isValid());

        // Round: the corners are transparent, the middle of each side is not.
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (15, 15).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (1, 8).getAlpha(), 255);

        EXPECT_GT (countPixels (image, [&] (juce::Colour c) { return c.getAlpha() == 255 && near (c, lightBlue, 40); }), 60);
        EXPECT_GT (countPixels (image, [] (juce::Colour c) { return c.getAlpha() == 255 && c.getBrightness() < 0.3f; }), 6)
            << "no dark letter";

        std::vector<juce::uint32> pixels;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pixels.push_back (image.getPixelAt (x, y).getARGB());
        shapes.insert (pixels);
    }
    EXPECT_EQ (shapes.size(), 4u) << "each band needs its own letter";
}

TEST (Resources, SwitchOnIsLightBlueAndSwitchOffIsGrey)
{
    const juce::Colour lightBlue (0xff6ebedd), grey (0xff666767);
    const auto on = load ("eq_ON_png"), off = load ("eq_OFF_png");
    ASSERT_TRUE (on.isValid() && off.isValid());

    auto count = [] (const juce::Image& image, juce::Colour colour)
    {
        return countPixels (image, [colour] (juce::Colour c) { return c.getAlpha() == 255 && near (c, colour, 12); });
    };
    EXPECT_GT (count (on, lightBlue), 40);
    EXPECT_EQ (count (off, lightBlue), 0);
    EXPECT_GT (count (off, grey), 40);
    EXPECT_EQ (on.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (off.getPixelAt (35, 0).getAlpha(), 0);
}

TEST (Resources, BiggerWoofersMakeTallerCabinets)
{
    // The speaker pictures are drawn to one scale, so the painted height grows with the woofer.
    auto paintedHeight = [] (const char* name)
    {
        const auto rows = paintedRows (load (name));
        return rows.second - rows.first;
    };
    EXPECT_LT (paintedHeight ("Ka8_trans_png"), paintedHeight ("Ka10_trans_png"));
    EXPECT_LT (paintedHeight ("Ka10_trans_png"), paintedHeight ("Ka12_trans_png"));
    EXPECT_LT (paintedHeight ("Ka12_trans_png"), paintedHeight ("Ka15_trans_png"));
    EXPECT_LT (paintedHeight ("Vel82AN_trans_png"), paintedHeight ("Vel152AN_trans_png"));
    EXPECT_LT (paintedHeight ("Dmr12264AN_trans_png"), paintedHeight ("Dmr15264AN_trans_png"));

    // Every speaker stands on the picture's bottom edge, where the light column's floor is.
    for (const char* name : { "Ka8_trans_png", "Ptx152_trans_png", "Vel118BAN_trans_png", "Dmr218BAN_trans_png" })
        EXPECT_GE (paintedRows (load (name)).second, 120) << name;
}

TEST (Resources, WhiteModelsAreDrawnWhite)
{
    for (const auto& [black, white] : { std::pair { "Vel82AN_trans_png", "Vel82ANWH_trans_png" },
                                        std::pair { "Vel118BAN_trans_png", "Vel118BANWH_trans_png" },
                                        std::pair { "Dmr12294AN_trans_png", "Dmr12294ANWH_trans_png" },
                                        std::pair { "Dmr218BAN_trans_png", "Dmr218BANWH_trans_png" } })
        EXPECT_GT (meanBrightnessOfOpaque (load (white)), meanBrightnessOfOpaque (load (black)) + 0.2f) << white;
}

TEST (Resources, PlacementPicturesLeaveThePageLinesVisible)
{
    // The room and its overlays are drawn 8 rows below the page's top and the page's separator
    // lines run at rows 180 and 181, so picture rows 172 and below stay transparent.
    for (const char* name : { "position_room_png", "position_stand_png", "position_free_png", "position_wall_png",
                              "position_ceiling_png", "position_corner_png", "position_sub_front_png",
                              "position_sub_wall_png", "position_sub_corner_png" })
    {
        SCOPED_TRACE (name);
        const auto rows = paintedRows (load (name));
        EXPECT_GE (rows.first, 0);
        EXPECT_LT (rows.second, 172);
    }

    // For a floor position the ceiling picture is drawn 96 rows lower, so it keeps to its top rows.
    EXPECT_LT (paintedRows (load ("position_ceiling_png")).second, 172 - 96);

    // The light column starts one row below the page's top: its last row lies on the line at 180.
    EXPECT_LT (paintedRows (load ("Lighting_png")).second, 179);

    // The room itself is opaque where it is drawn, so the overlays always sit on the same scene.
    const auto room = load ("position_room_png");
    EXPECT_EQ (room.getPixelAt (70, 10).getAlpha(), 255);
    EXPECT_EQ (room.getPixelAt (70, 160).getAlpha(), 255);
}

TEST (Resources, FrequencyStripLabelsTheGraphOnBlack)
{
    const auto strip = load ("eq_freq_axis_png");
    ASSERT_TRUE (strip.isValid());
    EXPECT_EQ (strip.getPixelAt (3, 17).getARGB(), 0xff000000u);

    // A tick at the top of the strip under each decade of the graph (20 Hz at the graph's left edge,
    // which lies 7 pixels into the strip; the graph is 660 pixels wide over three decades).
    for (double hz : { 20.0, 100.0, 1000.0, 10000.0, 20000.0 })
    {
        const int x = (int) std::floor (7.0 + std::log10 (hz / 20.0) / 3.0 * 660.0);
        EXPECT_GT (strip.getPixelAt (x, 0).getBrightness(), 0.5f) << hz << " Hz";
    }
    const int lightPixels = countPixels (strip, [] (juce::Colour c) { return c.getBrightness() > 0.5f; });
    EXPECT_GT (lightPixels, 150) << "no labels";
}

TEST (Resources, EqModeTilesAreDarkBlueWithAnOrangeCurve)
{
    const juce::Colour blue (0xff104879), orange (0xfff37c21);
    for (const char* name : { "icons_LIVE_png", "icons_SPEECH_png", "icons_PLAYBACK_png", "icons_ARRAY2_png", "icons_ARRAY3_png" })
    {
        SCOPED_TRACE (name);
        const auto image = load (name);
        ASSERT_TRUE (image.isValid());
        EXPECT_GT (countPixels (image, [&] (juce::Colour c) { return near (c, blue, 40); }), 84 * 120 / 5);

        // The curve sketch sits in the lower quarter.
        int curvePixels = 0;
        for (int y = 84; y < 116; ++y)
            for (int x = 0; x < 84; ++x)
                if (near (image.getPixelAt (x, y), orange, 30))
                    ++curvePixels;
        EXPECT_GT (curvePixels, 25);
    }
}
