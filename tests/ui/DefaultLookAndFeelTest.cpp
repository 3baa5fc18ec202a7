// The program's look and feel: button fonts, the tick box, alert boxes and scroll bars.
#include "ui/DefaultLookAndFeel.h"
#include "ui/RemoteControl.h"
#include "ui/UiTestImages.h"

#include <gtest/gtest.h>

#include <memory>

using uitest::render;

TEST (DefaultLookAndFeel, TextButtonFontIsBoldArialCappedAt14)
{
    DefaultLookAndFeel lf;
    juce::TextButton button ("b");

    const juce::Font tall = lf.getTextButtonFont (button, 20);
    EXPECT_FLOAT_EQ (tall.getHeight(), 14.0f);
    EXPECT_TRUE (tall.isBold());
    EXPECT_EQ (tall.getTypefaceName(), "Arial");

    const juce::Font small = lf.getTextButtonFont (button, 10);
    EXPECT_FLOAT_EQ (small.getHeight(), 9.0f);
    EXPECT_TRUE (small.isBold());

    EXPECT_FLOAT_EQ (lf.getAlertWindowMessageFont().getHeight(), 15.0f);
    EXPECT_FLOAT_EQ (lf.getAlertWindowFont().getHeight(), 12.0f);
    EXPECT_EQ (lf.getAlertWindowButtonHeight(), 28);
}

namespace
{
    /** Renders a 100 x 20 toggle button with the look and feel; the tick colour is a pure green
        that nothing else in the picture uses. */
    juce::Image renderToggle (DefaultLookAndFeel& lf, bool ticked)
    {
        juce::ToggleButton toggle ("Slot");
        toggle.setLookAndFeel (&lf);
        toggle.setColour (juce::ToggleButton::tickColourId, juce::Colour (0xff00ff00));
        toggle.setColour (juce::ToggleButton::textColourId, juce::Colour (0xffffffff));
        toggle.setBounds (0, 0, 100, 20);
        toggle.setToggleState (ticked, juce::dontSendNotification);
        juce::Image image = render (toggle);
        toggle.setLookAndFeel (nullptr);
        return image;
    }

    bool anyGreenish (const juce::Image& image)
    {
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const juce::Colour c = image.getPixelAt (x, y);
                if (c.getAlpha() > 40 && c.getGreen() > c.getRed() + 60 && c.getGreen() > c.getBlue() + 60)
                    return true;
            }
        return false;
    }
}

TEST (DefaultLookAndFeel, TickBoxShowsStateByColourOnly)
{
    DefaultLookAndFeel lf;
    // Font size 15, box 15 x 15 at x 1, sphere 10.5 px wide: its middle is near (6, 10).
    const juce::Image ticked = renderToggle (lf, true);
    const juce::Image unticked = renderToggle (lf, false);

    EXPECT_FALSE (anyGreenish (ticked)) << "no tick mark is drawn";

    const juce::Colour on = ticked.getPixelAt (6, 10);
    const juce::Colour off = unticked.getPixelAt (6, 10);
    EXPECT_GT (on.getBlue(), on.getRed() + 40) << "a ticked box is a blue sphere";
    EXPECT_LT (std::abs ((int) off.getRed() - (int) off.getBlue()), 12) << "an unticked box is grey";
    EXPECT_NEAR (on.getBrightness(), juce::Colour (0xff104879).getBrightness(), 0.2f);
}

namespace
{
    struct AlertPicture
    {
        juce::Image image;
        juce::Colour text;
        int iconSize = 0;
    };

    AlertPicture renderAlert (DefaultLookAndFeel& lf, juce::MessageBoxIconType type)
    {
        uitest::ensureDisplay();
        std::unique_ptr<juce::AlertWindow> window (lf.createAlertWindow ("USB connection error!",
                                                                        "Speaker will be disconnected",
                                                                        "Ok", {}, {}, type, 1, nullptr));
        window->setLookAndFeel (&lf);
        window->setSize (360, 120);
        AlertPicture p;
        p.text = window->findColour (juce::AlertWindow::textColourId);
        p.image = render (*window);
        p.iconSize = juce::jmin (130, window->getHeight() + 20);
        window->setLookAndFeel (nullptr);
        return p;
    }
}

TEST (DefaultLookAndFeel, AlertBoxColoursAndIconsByType)
{
    DefaultLookAndFeel lf;
    const juce::Colour ground (0xff666767);

    struct Case { juce::MessageBoxIconType type; juce::uint32 accent; };
    for (const Case& c : { Case { juce::MessageBoxIconType::WarningIcon, 0xffef464e },
                           Case { juce::MessageBoxIconType::QuestionIcon, 0xfff37c21 },
                           Case { juce::MessageBoxIconType::InfoIcon, 0xff104879 },
                           Case { juce::MessageBoxIconType::NoIcon, 0xff104879 } })
    {
        const AlertPicture p = renderAlert (lf, c.type);
        const juce::Image& image = p.image;
        EXPECT_EQ (p.text.getARGB(), 0xffeaefe3u);

        // The 1-pixel frame in the icon's colour, the grey ground inside it.
        EXPECT_EQ (image.getPixelAt (0, 60).getARGB(), c.accent);
        EXPECT_EQ (image.getPixelAt (359, 60).getARGB(), c.accent);
        EXPECT_EQ (image.getPixelAt (180, 0).getARGB(), c.accent);
        EXPECT_EQ (image.getPixelAt (350, 10).getARGB(), ground.getARGB());

        // A point inside the icon shape away from its character.
        const int s = p.iconSize;
        const int x0 = s / -10;
        const bool triangle = c.type == juce::MessageBoxIconType::WarningIcon;
        const juce::Point<int> inside = triangle ? juce::Point<int> (x0 + s / 6, x0 + s - s / 8)
                                                 : juce::Point<int> (x0 + s / 2 - s * 35 / 100, x0 + s / 2);
        const juce::uint32 expected = c.type == juce::MessageBoxIconType::NoIcon ? ground.getARGB() : c.accent;
        EXPECT_EQ (image.getPixelAt (inside.x, inside.y).getARGB(), expected) << "icon of type " << (int) c.type;

        // The character is cut out of the icon: the icon's middle shows the ground.
        if (c.type != juce::MessageBoxIconType::NoIcon)
        {
            int cut = 0;
            for (int y = x0 + s / 4; y < x0 + s * 3 / 4; ++y)
                cut += image.getPixelAt (x0 + s / 2, y).getARGB() == ground.getARGB() ? 1 : 0;
            EXPECT_GT (cut, s / 8) << "character cut out, type " << (int) c.type;
        }
    }
}

TEST (DefaultLookAndFeel, ScrollBarsAsTheThirdGenerationLook)
{
    DefaultLookAndFeel ours;
    juce::LookAndFeel_V3 base;

    auto draw = [] (juce::LookAndFeel& lf, bool vertical)
    {
        juce::ScrollBar bar (vertical);
        bar.setLookAndFeel (&lf);
        bar.setBounds (0, 0, vertical ? 12 : 120, vertical ? 120 : 12);
        bar.setRangeLimits (0.0, 100.0);
        bar.setCurrentRange (30.0, 20.0);
        juce::Image image = render (bar);
        bar.setLookAndFeel (nullptr);
        return image;
    };

    for (bool vertical : { true, false })
    {
        const juce::Image a = draw (ours, vertical);
        const juce::Image b = draw (base, vertical);
        int differing = 0, inked = 0;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
            {
                differing += a.getPixelAt (x, y) != b.getPixelAt (x, y) ? 1 : 0;
                inked += a.getPixelAt (x, y).getAlpha() != 0 ? 1 : 0;
            }
        EXPECT_EQ (differing, 0);
        EXPECT_GT (inked, 0);
    }
}

TEST (DefaultLookAndFeel, OnTextButtonShowsTheOffColoursSwapped)
{
    DefaultLookAndFeel lf;
    RemoteControl::initColours (lf);
    EXPECT_EQ (lf.findColour (juce::TextButton::buttonOnColourId).getARGB(), 0xff00b5f6u);
    EXPECT_EQ (lf.findColour (juce::TextButton::textColourOnId).getARGB(), 0xffffffffu);
    EXPECT_EQ (lf.findColour (juce::Slider::thumbColourId).getARGB(), 0xfff3f3f3u);

    // A button drawn on: its middle is the blue of the off text, its text white.
    juce::TextButton button ("  ");
    button.setLookAndFeel (&lf);
    button.setBounds (0, 0, 80, 24);
    button.setToggleState (true, juce::dontSendNotification);
    const juce::Colour middle = render (button).getPixelAt (40, 12);
    button.setLookAndFeel (nullptr);
    EXPECT_GT (middle.getBlue(), middle.getRed() + 80);
}

TEST (DefaultLookAndFeel, ArialBoldResolvesToABoldFace)
{
    DefaultLookAndFeel lf;
    juce::LookAndFeel::setDefaultLookAndFeel (&lf);
    juce::Typeface::clearTypefaceCache();

    const juce::Font bold ("Arial", 14.0f, juce::Font::bold);
    const juce::Typeface::Ptr face = bold.getTypefacePtr();
    ASSERT_NE (face, nullptr);
    EXPECT_TRUE (face->getName() == "Arial" || face->getName() == "Liberation Sans") << face->getName();
    EXPECT_EQ (face->getStyle(), "Bold");

    // A bold text is wider than the same text plain.
    const juce::Font plain ("Arial", 14.0f, juce::Font::plain);
    EXPECT_GT (bold.getStringWidthFloat ("Configuration"), plain.getStringWidthFloat ("Configuration"));

    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}

TEST (DefaultLookAndFeel, AlertTextIsLightInTheProgramsOwnBoxes)
{
    // The program's boxes come from the default look and feel, which nobody re-applies to them:
    // the light text must already be in the laid-out text, not only in the colour id.
    DefaultLookAndFeel lf;
    juce::LookAndFeel::setDefaultLookAndFeel (&lf);
    uitest::ensureDisplay();

    std::unique_ptr<juce::AlertWindow> window (lf.createAlertWindow ("USB connection error!",
                                                                    "Speaker will be disconnected",
                                                                    "Ok", {}, {},
                                                                    juce::MessageBoxIconType::NoIcon, 1, nullptr));
    const juce::Image image = render (*window);
    window.reset();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);

    // The title and message sit above the button row; count light and dark text pixels there.
    int light = 0, dark = 0;
    for (int y = 2; y < image.getHeight() - 50; ++y)
        for (int x = 2; x < image.getWidth() - 2; ++x)
        {
            const juce::Colour c = image.getPixelAt (x, y);
            light += c.getBrightness() > 0.8f ? 1 : 0;
            dark += c.getBrightness() < 0.2f ? 1 : 0;
        }

    EXPECT_GT (light, 20);
    EXPECT_EQ (dark, 0);
}

TEST (DefaultLookAndFeel, EveryTabKeepsTheMainTabsMarginAroundItsText)
{
    DefaultLookAndFeel lf;
    juce::LookAndFeel::setDefaultLookAndFeel (&lf); // "Arial" as the program finds it
    juce::Typeface::clearTypefaceCache();
    juce::TabbedButtonBar bar (juce::TabbedButtonBar::TabsAtTop);
    const char* names[] = { "  Setup  ", "  Configuration  ", "  Equaliser  ", "EQ", "X-Over", "RSQ" };
    for (auto* name : names)
        bar.addTab (name, juce::Colour (0xff666767), -1);

    // The free space on each side of a tab's text in the bold tab font of a 30-pixel bar.
    const juce::Font font ("Arial", 18.0f, juce::Font::bold);
    auto margin = [&] (int i)
    {
        auto& tab = *bar.getTabButton (i);
        return ((float) lf.getTabButtonBestWidth (tab, 30) - font.getStringWidthFloat (tab.getButtonText().trim()))
             / 2.0f;
    };

    const float mainMargin = margin (0);
    EXPECT_GE (mainMargin, 4.0f);
    for (int i = 1; i < (int) std::size (names); ++i)
    {
        EXPECT_GE (margin (i), mainMargin - 1.0f) << names[i];
        if (i != 3 && i != 5) // "EQ" and "RSQ" are held at the smallest tab width, twice the bar depth
        {
            EXPECT_LE (margin (i), mainMargin + 1.0f) << names[i];
        }
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
}
