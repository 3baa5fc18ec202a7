#include "DefaultLookAndFeel.h"

using namespace juce;

namespace
{
    const Colour alertGround (0xff666767);
    const Colour alertText (0xffeaefe3);
    const Colour programBlue (0xff104879);
    const Colour programOrange (0xfff37c21);
    const Colour programRed (0xffef464e);
    const Colour handleGrey (0xff666767);

    bool isHorizontalStyle (Slider::SliderStyle style)
    {
        return style == Slider::LinearHorizontal || style == Slider::LinearBar
            || style == Slider::TwoValueHorizontal || style == Slider::ThreeValueHorizontal;
    }
}

DefaultLookAndFeel::DefaultLookAndFeel() = default;
DefaultLookAndFeel::~DefaultLookAndFeel() = default;

//==============================================================================
void DefaultLookAndFeel::drawScrollbar (Graphics& g, ScrollBar& scrollbar, int x, int y, int width, int height,
                                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                                        bool isMouseOver, bool isMouseDown)
{
    LookAndFeel_V3::drawScrollbar (g, scrollbar, x, y, width, height, isScrollbarVertical,
                                   thumbStartPosition, thumbSize, isMouseOver, isMouseDown);
}

//==============================================================================
void DefaultLookAndFeel::drawButtonBackground (Graphics& g, Button& button, const Colour& backgroundColour,
                                               bool isMouseOverButton, bool isButtonDown)
{
    const float outlineThickness = button.isEnabled() ? ((isButtonDown || isMouseOverButton) ? 1.6f : 0.8f) : 0.5f;
    const float halfThickness = outlineThickness * 0.5f;

    const float indentL = button.isConnectedOnLeft()   ? 0.1f : halfThickness;
    const float indentR = button.isConnectedOnRight()  ? 0.1f : halfThickness;
    const float indentT = button.isConnectedOnTop()    ? 0.1f : halfThickness;
    const float indentB = button.isConnectedOnBottom() ? 0.1f : halfThickness;

    const Colour baseColour = createBaseColour (backgroundColour, button.hasKeyboardFocus (true),
                                                isMouseOverButton, isButtonDown)
                                  .withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f);

    drawGlassLozenge (g, indentL, indentT,
                      (float) button.getWidth() - indentL - indentR,
                      (float) button.getHeight() - indentT - indentB,
                      baseColour, outlineThickness, 2.0f,
                      button.isConnectedOnLeft(), button.isConnectedOnRight(),
                      button.isConnectedOnTop(), button.isConnectedOnBottom());
}

Font DefaultLookAndFeel::getTextButtonFont (TextButton&, int buttonHeight)
{
    return Font ("Arial", jmin (0.9f * (float) buttonHeight, 14.0f), Font::bold);
}

void DefaultLookAndFeel::drawButtonText (Graphics& g, TextButton& button, bool, bool)
{
    const Font font (getTextButtonFont (button, button.getHeight()));
    g.setFont (font);
    g.setColour (button.findColour (button.getToggleState() ? TextButton::textColourOnId
                                                            : TextButton::textColourOffId)
                     .withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f));

    const int yIndent = jmin (4, button.proportionOfHeight (0.3f));
    const int cornerSize = jmin (button.getHeight(), button.getWidth()) / 2;
    const int fontHeight = roundToInt (font.getHeight() * 0.6f);
    const int leftIndent  = jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnLeft() ? 4 : 2));
    const int rightIndent = jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnRight() ? 4 : 2));
    const int textWidth = button.getWidth() - leftIndent - rightIndent;

    if (textWidth > 0)
        g.drawFittedText (button.getButtonText(), leftIndent, yIndent, textWidth,
                          button.getHeight() - yIndent * 2, Justification::centred, 2);
}

void DefaultLookAndFeel::drawToggleButton (Graphics& g, ToggleButton& button, bool isMouseOverButton, bool isButtonDown)
{
    const float fontSize = jmin (15.0f, (float) button.getHeight() * 0.75f);

    drawGlassTickBox (g, button, 1.0f, ((float) button.getHeight() - fontSize) * 0.5f, fontSize, fontSize,
                      button.getToggleState(), button.isEnabled(), isMouseOverButton, isButtonDown);

    g.setColour (button.findColour (ToggleButton::textColourId).withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f));
    g.setFont (fontSize);
    g.drawFittedText (button.getButtonText(),
                      button.getLocalBounds().withTrimmedLeft (roundToInt (fontSize) + 5).withTrimmedRight (2),
                      Justification::centredLeft, 10);
}

//==============================================================================
AlertWindow* DefaultLookAndFeel::createAlertWindow (const String& title, const String& message,
                                                    const String& button1, const String& button2,
                                                    const String& button3, MessageBoxIconType iconType,
                                                    int numButtons, Component* associatedComponent)
{
    AlertWindow* window = LookAndFeel_V3::createAlertWindow (title, message, button1, button2, button3,
                                                             iconType, numButtons, associatedComponent);
    window->setColour (AlertWindow::textColourId, alertText);
    // The window laid out its text while building its buttons, in the colour it had then.
    window->sendLookAndFeelChange();
    return window;
}

void DefaultLookAndFeel::drawAlertBox (Graphics& g, AlertWindow& alert, const Rectangle<int>& textArea,
                                       TextLayout& textLayout)
{
    g.fillAll (alertGround);

    int iconSpaceUsed = 0;
    const int iconWidth = 80;
    int iconSize = jmin (iconWidth + 50, alert.getHeight() + 20);

    if (alert.containsAnyExtraComponents() || alert.getNumButtons() > 2)
        iconSize = jmin (iconSize, textArea.getHeight() + 50);

    const Rectangle<int> iconRect (iconSize / -10, iconSize / -10, iconSize, iconSize);
    Colour frameColour = programBlue;

    if (alert.getAlertType() != MessageBoxIconType::NoIcon)
    {
        Path icon;
        char character;

        if (alert.getAlertType() == MessageBoxIconType::WarningIcon)
        {
            frameColour = programRed;
            character = '!';
            icon.addTriangle ((float) iconRect.getX() + (float) iconRect.getWidth() * 0.5f, (float) iconRect.getY(),
                              (float) iconRect.getRight(), (float) iconRect.getBottom(),
                              (float) iconRect.getX(), (float) iconRect.getBottom());
            icon = icon.createPathWithRoundedCorners (5.0f);
        }
        else
        {
            const bool info = alert.getAlertType() == MessageBoxIconType::InfoIcon;
            frameColour = info ? programBlue : programOrange;
            character = info ? 'i' : '?';
            icon.addEllipse (iconRect.toFloat());
        }

        // The character is cut out of the shape: its outline joins the path with even-odd filling.
        GlyphArrangement glyphs;
        glyphs.addFittedText (Font ((float) iconRect.getHeight() * 0.9f, Font::bold),
                              String::charToString ((juce_wchar) (uint8) character),
                              (float) iconRect.getX(), (float) iconRect.getY(),
                              (float) iconRect.getWidth(), (float) iconRect.getHeight(),
                              Justification::centred, false);
        glyphs.createPath (icon);
        icon.setUsingNonZeroWinding (false);

        g.setColour (frameColour);
        g.fillPath (icon);
        iconSpaceUsed = iconWidth;
    }

    g.setColour (alertText);
    textLayout.draw (g, Rectangle<int> (textArea.getX() + iconSpaceUsed, textArea.getY(),
                                        textArea.getWidth() - iconSpaceUsed, textArea.getHeight()).toFloat());

    g.setColour (frameColour);
    g.drawRect (0, 0, alert.getWidth(), alert.getHeight());
}

int DefaultLookAndFeel::getAlertBoxWindowFlags()
{
    return ComponentPeer::windowAppearsOnTaskbar | ComponentPeer::windowHasDropShadow;
}

int DefaultLookAndFeel::getAlertWindowButtonHeight()
{
    return 28;
}

Font DefaultLookAndFeel::getAlertWindowMessageFont()
{
    return Font (15.0f);
}

Font DefaultLookAndFeel::getAlertWindowFont()
{
    return Font (12.0f);
}

//==============================================================================
void DefaultLookAndFeel::drawLinearSlider (Graphics& g, int x, int y, int width, int height,
                                           float sliderPos, float minSliderPos, float maxSliderPos,
                                           Slider::SliderStyle style, Slider& slider)
{
    const Colour thumb = slider.findColour (Slider::thumbColourId);

    if (style == Slider::LinearBarVertical)
    {
        // A level bar from the bottom up to the value.
        const float bottom = (float) (y + height);
        const float top = jlimit ((float) y, bottom, sliderPos);
        if (bottom - top <= 0.0f)
            return;

        const Colour body = thumb.withMultipliedAlpha (0.7f);
        const bool nearFull = (bottom - top) > 0.95f * (float) height;

        ColourGradient gradient (body.brighter (0.2f), 0.0f, top, body.darker (0.3f), 0.0f, bottom, false);
        if (thumb == programRed)
        {
            // The feedback-filter red deepens towards pure red at the bottom.
            gradient = ColourGradient (body, 0.0f, top, Colour (0xffff0000).withMultipliedAlpha (0.7f), 0.0f, bottom, false);
        }
        if (nearFull)
            gradient.addColour (0.05, Colours::white.withAlpha (0.7f));

        g.setGradientFill (gradient);
        g.fillRect (Rectangle<float> ((float) x, top, (float) width, bottom - top));
        return;
    }

    if (style == Slider::LinearBar)
    {
        // The bar as horizontal hairlines every second pixel over the background colour.
        g.setColour (slider.findColour (Slider::backgroundColourId));
        g.fillRect (x, y, width, height);

        const float right = jlimit ((float) x, (float) (x + width), sliderPos);
        g.setColour (thumb.withMultipliedAlpha (0.7f));
        for (int line = y; line < y + height; line += 2)
            g.drawHorizontalLine (line, (float) x, right);
        return;
    }

    if (thumb.getAlpha() == 0)
        return;

    if (slider.getName() != "knob")
        drawLinearSliderBackground (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);

    drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);
}

void DefaultLookAndFeel::drawLinearSliderBackground (Graphics& g, int x, int y, int width, int height,
                                                     float sliderPos, float, float,
                                                     Slider::SliderStyle style, Slider& slider)
{
    const Colour fill = slider.findColour (Slider::rotarySliderFillColourId);
    const Colour track = slider.findColour (Slider::trackColourId);
    const Colour frame = slider.findColour (Slider::backgroundColourId);
    const bool horizontal = isHorizontalStyle (style);

    Rectangle<float> trackArea;
    Rectangle<float> valuePart, restPart, circle;
    float thickness;

    if (horizontal)
    {
        thickness = 0.7f * (float) height;
        trackArea = { (float) x, (float) y + ((float) height - thickness) * 0.5f, (float) width, thickness };
        const float pos = jlimit (trackArea.getX(), trackArea.getRight(), sliderPos);
        valuePart = trackArea.withRight (pos);
        restPart = trackArea.withLeft (pos);
        circle = { pos - thickness * 0.5f, trackArea.getY(), thickness, thickness };
    }
    else
    {
        thickness = 0.7f * (float) width;
        trackArea = { (float) x + ((float) width - thickness) * 0.5f, (float) y, thickness, (float) height };
        const float pos = jlimit (trackArea.getY(), trackArea.getBottom(), sliderPos);
        valuePart = trackArea.withTop (pos);
        restPart = trackArea.withBottom (pos);
        circle = { trackArea.getX(), pos - thickness * 0.5f, thickness, thickness };
    }

    g.setColour (fill);
    g.fillRect (valuePart);
    g.setColour (track);
    g.fillRect (restPart);

    g.setColour (frame);
    g.drawRect (trackArea, 1.0f);

    g.setColour (handleGrey);
    g.fillEllipse (circle);
    g.setColour (frame);
    g.drawEllipse (circle, 1.0f);

    g.setColour (fill);
    g.setFont (Font ("Arial", thickness, Font::bold));
    g.drawText (slider.getName(), circle, Justification::centred, false);
}

void DefaultLookAndFeel::drawLinearSliderThumb (Graphics& g, int x, int y, int width, int height,
                                                float sliderPos, float minSliderPos, float maxSliderPos,
                                                Slider::SliderStyle style, Slider& slider)
{
    const bool active = slider.isMouseOverOrDragging() || slider.isMouseButtonDown();
    const Colour thumb = slider.findColour (Slider::thumbColourId)
                             .withMultipliedSaturation ((slider.hasKeyboardFocus (false) || active) ? 1.3f : 0.9f)
                             .withMultipliedAlpha ((slider.isEnabled() && active) ? 0.7f : 0.3f);

    if (style == Slider::LinearHorizontal || style == Slider::LinearVertical)
    {
        const float radius = (float) (getSliderThumbRadius (slider) - 2);
        Rectangle<float> knob;

        if (style == Slider::LinearVertical)
            knob = { (float) x + (float) width * 0.5f - radius * 1.5f, sliderPos - radius * 0.5f, radius * 3.0f, radius };
        else
            knob = { sliderPos - radius * 0.5f, (float) y + (float) height * 0.5f - radius * 1.5f, radius, radius * 3.0f };

        g.setColour (thumb);
        g.fillRoundedRectangle (knob, 2.0f);

        // Bevel: a bright line along the top and one down the left side.
        g.setColour (Colours::white.withAlpha (0.7f));
        g.drawLine (knob.getX() + 2.0f, knob.getY() + 1.0f, knob.getRight() - 2.0f, knob.getY() + 1.0f, 1.0f);
        g.setColour (Colours::white.withAlpha (0.6f));
        g.drawLine (knob.getX() + 1.0f, knob.getY() + 2.0f, knob.getX() + 1.0f, knob.getBottom() - 2.0f, 1.0f);
        return;
    }

    if (style == Slider::ThreeValueVertical)
    {
        // A pointer from the left edge towards the value.
        const float size = jmin (12.0f, (float) width * 0.5f);
        Path pointer;
        pointer.startNewSubPath ((float) x, sliderPos - size * 0.5f);
        pointer.lineTo ((float) x + size * 0.6f, sliderPos - size * 0.5f);
        pointer.lineTo ((float) x + size, sliderPos);
        pointer.lineTo ((float) x + size * 0.6f, sliderPos + size * 0.5f);
        pointer.lineTo ((float) x, sliderPos + size * 0.5f);
        pointer.closeSubPath();

        g.setColour (thumb);
        g.fillPath (pointer);
        g.setColour (thumb.darker());
        g.strokePath (pointer, PathStrokeType (0.8f));
        return;
    }

    LookAndFeel_V2::drawLinearSliderThumb (g, x, y, width, height, sliderPos, minSliderPos, maxSliderPos, style, slider);
}

void DefaultLookAndFeel::drawRotarySlider (Graphics& g, int x, int y, int width, int height, float sliderPos,
                                           float rotaryStartAngle, float rotaryEndAngle, Slider& slider)
{
    const float radius = jmin ((float) width * 0.5f, (float) height * 0.5f) - 2.0f;
    if (radius <= 0.0f)
        return;

    const float centreX = (float) x + (float) width * 0.5f;
    const float centreY = (float) y + (float) height * 0.5f;
    const float angle = rotaryStartAngle + sliderPos * (rotaryEndAngle - rotaryStartAngle);
    const Rectangle<float> ring (centreX - radius, centreY - radius, radius * 2.0f, radius * 2.0f);
    const Colour thumb = slider.findColour (Slider::thumbColourId);

    Path wholeArc;
    wholeArc.addPieSegment (ring, rotaryStartAngle, rotaryEndAngle, 0.8f);
    g.setColour (thumb);
    g.fillPath (wholeArc);

    Path valueArc;
    valueArc.addPieSegment (ring, rotaryStartAngle, angle, 0.8f);
    g.setColour (slider.findColour (Slider::rotarySliderFillColourId));
    g.fillPath (valueArc);

    const float sphere = radius * 1.4f;
    drawGlassSphere (g, centreX - sphere * 0.5f, centreY - sphere * 0.5f, sphere,
                     createBaseColour (thumb, slider.hasKeyboardFocus (false),
                                       slider.isMouseOverOrDragging() && slider.isEnabled(),
                                       slider.isMouseButtonDown() && slider.isEnabled()),
                     slider.isEnabled() ? 0.8f : 0.3f);

    Path pointer;
    pointer.addRectangle (-radius * 0.05f, -radius * 0.6f, radius * 0.1f, radius * 0.34f);
    g.setColour (Colour (0xff161616));
    g.fillPath (pointer, AffineTransform::rotation (angle).translated (centreX, centreY));
}

//==============================================================================
int DefaultLookAndFeel::getTabButtonBestWidth (TabBarButton& button, int tabDepth)
{
    // Measured in the bold tab font. The main tabs' names carry two blanks on each side as their
    // margins; every tab gets that margin, whatever blanks its name has, so no text touches its edges.
    const Font font ("Arial", (float) tabDepth * 0.6f, Font::bold);
    const String margin ("  ");
    const String padded = margin + button.getButtonText().trim() + margin;
    int width = roundToInt (std::ceil (font.getStringWidthFloat (padded))) + getTabButtonOverlap (tabDepth) * 2;

    if (auto* extra = button.getExtraComponent())
        width += button.getTabbedButtonBar().isVertical() ? extra->getHeight() : extra->getWidth();

    return jlimit (tabDepth * 2, tabDepth * 8, width);
}

void DefaultLookAndFeel::drawTabButton (TabBarButton& button, Graphics& g, bool isMouseOver, bool isMouseDown)
{
    // The third-generation look draws its own plain text in drawTabButton; the tab's ground and
    // outline are drawn the same way here and the text comes from drawTabButtonText.
    const Rectangle<int> activeArea (button.getActiveArea());
    const TabbedButtonBar::Orientation o = button.getTabbedButtonBar().getOrientation();
    const Colour bkg (button.getTabBackgroundColour());

    if (button.getToggleState())
    {
        g.setColour (bkg);
    }
    else
    {
        Point<int> p1, p2;
        switch (o)
        {
            case TabbedButtonBar::TabsAtBottom: p1 = activeArea.getBottomLeft(); p2 = activeArea.getTopLeft();    break;
            case TabbedButtonBar::TabsAtRight:  p1 = activeArea.getTopRight();   p2 = activeArea.getTopLeft();    break;
            case TabbedButtonBar::TabsAtLeft:   p1 = activeArea.getTopLeft();    p2 = activeArea.getTopRight();   break;
            case TabbedButtonBar::TabsAtTop:
            default:                            p1 = activeArea.getTopLeft();    p2 = activeArea.getBottomLeft(); break;
        }
        g.setGradientFill (ColourGradient (bkg.brighter (0.2f), p1.toFloat(), bkg.darker (0.1f), p2.toFloat(), false));
    }

    g.fillRect (activeArea);

    g.setColour (button.findColour (TabbedButtonBar::tabOutlineColourId));
    Rectangle<int> r (activeArea);
    if (o != TabbedButtonBar::TabsAtBottom) g.fillRect (r.removeFromTop (1));
    if (o != TabbedButtonBar::TabsAtTop)    g.fillRect (r.removeFromBottom (1));
    if (o != TabbedButtonBar::TabsAtRight)  g.fillRect (r.removeFromLeft (1));
    if (o != TabbedButtonBar::TabsAtLeft)   g.fillRect (r.removeFromRight (1));

    Graphics::ScopedSaveState state (g);
    drawTabButtonText (button, g, isMouseOver, isMouseDown);
}

void DefaultLookAndFeel::drawTabButtonText (TabBarButton& button, Graphics& g, bool isMouseOver, bool isMouseDown)
{
    const Rectangle<float> area = button.getTextArea().toFloat();
    float length = area.getWidth();
    float depth = area.getHeight();

    if (button.getTabbedButtonBar().isVertical())
        std::swap (length, depth);

    Font font ("Arial", depth * 0.6f, Font::bold);
    font.setUnderline (button.hasKeyboardFocus (false));

    AffineTransform t;
    switch (button.getTabbedButtonBar().getOrientation())
    {
        case TabbedButtonBar::TabsAtLeft:   t = t.rotated (MathConstants<float>::pi * -0.5f).translated (area.getX(), area.getBottom()); break;
        case TabbedButtonBar::TabsAtRight:  t = t.rotated (MathConstants<float>::pi *  0.5f).translated (area.getRight(), area.getY()); break;
        case TabbedButtonBar::TabsAtTop:
        case TabbedButtonBar::TabsAtBottom:
        default:                            t = t.translated (area.getX(), area.getY()); break;
    }

    Colour col;
    if (button.isFrontTab() && (button.isColourSpecified (TabbedButtonBar::frontTextColourId)
                                || isColourSpecified (TabbedButtonBar::frontTextColourId)))
        col = findColour (TabbedButtonBar::frontTextColourId);
    else if (button.isColourSpecified (TabbedButtonBar::tabTextColourId)
             || isColourSpecified (TabbedButtonBar::tabTextColourId))
        col = findColour (TabbedButtonBar::tabTextColourId);
    else
        col = button.getTabBackgroundColour().contrasting();

    const float alpha = button.isEnabled() ? ((isMouseOver || isMouseDown) ? 1.0f : 0.8f) : 0.3f;

    g.setColour (col.withMultipliedAlpha (alpha));
    g.setFont (font);
    g.addTransform (t);
    g.drawFittedText (button.getButtonText().trim(), 0, 0, (int) length, (int) depth,
                      Justification::centred, jmax (1, ((int) depth) / 12));
}

//==============================================================================
Typeface::Ptr DefaultLookAndFeel::getTypefaceForFont (const Font& font)
{
    static const bool arialInstalled = Font::findAllTypefaceNames().contains ("Arial");

    if (! arialInstalled && font.getTypefaceName() == "Arial")
    {
        Font substitute (font);
        substitute.setTypefaceName ("Liberation Sans");
        return LookAndFeel_V3::getTypefaceForFont (substitute);
    }

    return LookAndFeel_V3::getTypefaceForFont (font);
}

//==============================================================================
Colour DefaultLookAndFeel::createBaseColour (Colour colour, bool hasFocus, bool isOver, bool isDown)
{
    const Colour base = colour.withMultipliedSaturation (hasFocus ? 1.3f : 0.9f);

    if (isDown)
        return base.contrasting (0.2f);
    if (isOver)
        return base.contrasting (0.1f);
    return base;
}

void DefaultLookAndFeel::createRoundedPath (Path& p, float x, float y, float w, float h, float cs,
                                            bool topLeft, bool topRight, bool bottomRight, bool bottomLeft)
{
    const float pi = MathConstants<float>::pi;

    if (topLeft)
        p.addCentredArc (x + cs, y + cs, cs, cs, 0.0f, 1.5f * pi, 2.0f * pi, true);
    else
        p.startNewSubPath (x, y);

    if (topRight)
        p.addCentredArc (x + w - cs, y + cs, cs, cs, 0.0f, 0.0f, 0.5f * pi, false);
    else
        p.lineTo (x + w, y);

    if (bottomRight)
        p.addCentredArc (x + w - cs, y + h - cs, cs, cs, 0.0f, 0.5f * pi, pi, false);
    else
        p.lineTo (x + w, y + h);

    if (bottomLeft)
        p.addCentredArc (x + cs, y + h - cs, cs, cs, 0.0f, pi, 1.5f * pi, false);
    else
        p.lineTo (x, y + h);

    p.closeSubPath();
}

void DefaultLookAndFeel::drawGlassLozenge (Graphics& g, float x, float y, float width, float height, Colour colour,
                                           float outlineThickness, float cornerSize,
                                           bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom)
{
    if (width <= outlineThickness || height <= outlineThickness)
        return;

    const int intX = (int) x;
    const int intY = (int) y;
    const int intW = (int) width;
    const int intH = (int) height;

    const float cs = cornerSize < 0.0f ? jmin (width * 0.5f, height * 0.5f) : cornerSize;
    const float edgeBlurRadius = height * 0.75f + (height - cs * 2.0f);
    const int intEdge = (int) edgeBlurRadius;

    Path outline;
    createRoundedPath (outline, x, y, width, height, cs,
                       ! (flatOnLeft || flatOnTop), ! (flatOnRight || flatOnTop),
                       ! (flatOnRight || flatOnBottom), ! (flatOnLeft || flatOnBottom));

    {
        ColourGradient cg (colour.darker (0.2f), 0, y, colour.darker (0.2f), 0, y + height, false);
        cg.addColour (0.03, colour.withMultipliedAlpha (0.3f));
        cg.addColour (0.4, colour);
        cg.addColour (0.97, colour.withMultipliedAlpha (0.3f));
        g.setGradientFill (cg);
        g.fillPath (outline);
    }

    if (edgeBlurRadius > 0.0f)
    {
        ColourGradient cg (Colours::transparentBlack, x + edgeBlurRadius, y + height * 0.5f,
                           colour.darker (0.2f), x, y + height * 0.5f, true);
        cg.addColour (jlimit (0.0, 1.0, 1.0 - (cs * 0.5f) / edgeBlurRadius), Colours::transparentBlack);
        cg.addColour (jlimit (0.0, 1.0, 1.0 - (cs * 0.25f) / edgeBlurRadius), colour.darker (0.2f).withMultipliedAlpha (0.3f));

        if (! (flatOnLeft || flatOnTop || flatOnBottom))
        {
            Graphics::ScopedSaveState state (g);
            g.setGradientFill (cg);
            g.reduceClipRegion (intX, intY, intEdge, intH);
            g.fillPath (outline);
        }

        if (! (flatOnRight || flatOnTop || flatOnBottom))
        {
            cg.point1.setX (x + width - edgeBlurRadius);
            cg.point2.setX (x + width);
            Graphics::ScopedSaveState state (g);
            g.setGradientFill (cg);
            g.reduceClipRegion (intX + intW - intEdge, intY, 2 + intEdge, intH);
            g.fillPath (outline);
        }
    }

    {
        const float leftIndent  = (flatOnTop || flatOnLeft)  ? 0.0f : cs * 0.4f;
        const float rightIndent = (flatOnTop || flatOnRight) ? 0.0f : cs * 0.4f;

        Path highlight;
        createRoundedPath (highlight, x + leftIndent, y + cs * 0.1f,
                           width - (leftIndent + rightIndent), height * 0.4f, cs * 0.4f,
                           ! (flatOnLeft || flatOnTop), ! (flatOnRight || flatOnTop),
                           ! (flatOnRight || flatOnBottom), ! (flatOnLeft || flatOnBottom));

        g.setGradientFill (ColourGradient (colour.brighter (0.3f), 0, y + height * 0.06f,
                                           Colours::transparentWhite, 0, y + height * 0.4f, false));
        g.fillPath (highlight);
    }

    g.setColour (colour.darker().withMultipliedAlpha (1.5f));
    g.strokePath (outline, PathStrokeType (outlineThickness));
}

void DefaultLookAndFeel::drawGlassSphere (Graphics& g, float x, float y, float diameter, Colour colour,
                                          float outlineThickness)
{
    if (diameter <= outlineThickness)
        return;

    Path p;
    p.addEllipse (x, y, diameter, diameter);

    {
        const Colour rim = Colours::white.overlaidWith (colour.withMultipliedAlpha (0.3f));
        ColourGradient cg (rim, 0, y, rim, 0, y + diameter, false);
        cg.addColour (0.5, Colours::white.overlaidWith (colour));
        cg.addColour (0.95, colour);
        g.setGradientFill (cg);
        g.fillPath (p);
    }

    g.setGradientFill (ColourGradient (colour.brighter (1.0f), 0, y + diameter * 0.06f,
                                       Colours::transparentWhite, 0, y + diameter * 0.5f, false));
    g.fillEllipse (x + diameter * 0.2f, y + diameter * 0.05f, diameter * 0.6f, diameter * 0.4f);

    ColourGradient cg (Colours::transparentBlack, x + diameter * 0.5f, y + diameter * 0.5f,
                       Colours::black.withAlpha (0.5f * outlineThickness * colour.getFloatAlpha()),
                       x, y + diameter * 0.5f, true);
    cg.addColour (0.7, Colours::transparentBlack);
    cg.addColour (0.8, Colours::black.withAlpha (0.1f * outlineThickness));
    g.setGradientFill (cg);
    g.fillPath (p);

    g.setColour (Colours::black.withAlpha (0.5f * colour.getFloatAlpha()));
    g.drawEllipse (x, y, diameter, diameter, outlineThickness);
}

void DefaultLookAndFeel::drawGlassTickBox (Graphics& g, Component&, float x, float y, float w, float h,
                                           bool ticked, bool isEnabled, bool isOver, bool isDown)
{
    const float boxSize = w * 0.7f;
    const Colour colour = Colour (ticked ? 0xff104879 : 0xff666767).withMultipliedAlpha (isEnabled ? 1.0f : 0.5f);

    drawGlassSphere (g, x, y + (h - boxSize) * 0.5f, boxSize,
                     createBaseColour (colour, true, isOver, isDown),
                     isEnabled ? ((isDown || isOver) ? 1.1f : 0.5f) : 0.3f);
}
