#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** The program's look and feel: the framework's third-generation look with glass buttons and
    knobs, "Arial" bold button and tab texts, its own sliders, a tick box that shows its state by
    colour only, and alert boxes in the program's fixed colours. */
class DefaultLookAndFeel : public juce::LookAndFeel_V3
{
public:
    DefaultLookAndFeel();
    ~DefaultLookAndFeel() override;

    /** Scroll bars exactly as the third-generation look draws them: a thumb and no track. */
    void drawScrollbar (juce::Graphics&, juce::ScrollBar&, int x, int y, int width, int height,
                        bool isScrollbarVertical, int thumbStartPosition, int thumbSize,
                        bool isMouseOver, bool isMouseDown) override;

    /** A glass lozenge with small corners in the button's colour. */
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;

    /** "Arial" bold, 0.9 of the button height but at most 14 px. */
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;

    /** Centred button text in the on or off text colour, at most two lines. */
    void drawButtonText (juce::Graphics&, juce::TextButton&, bool isMouseOverButton, bool isButtonDown) override;

    /** A sphere (blue when on, grey when off) and the text beside it; no tick mark. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool isMouseOverButton, bool isButtonDown) override;

    /** The base alert window with the program's light text colour. */
    juce::AlertWindow* createAlertWindow (const juce::String& title, const juce::String& message,
                                          const juce::String& button1, const juce::String& button2,
                                          const juce::String& button3, juce::MessageBoxIconType iconType,
                                          int numButtons, juce::Component* associatedComponent) override;

    /** The alert box on grey with an icon, text and frame in the program's fixed colours. */
    void drawAlertBox (juce::Graphics&, juce::AlertWindow&, const juce::Rectangle<int>& textArea,
                       juce::TextLayout&) override;

    /** Alert boxes appear on the task bar with a drop shadow. */
    int getAlertBoxWindowFlags() override;
    /** 28 px alert buttons. */
    int getAlertWindowButtonHeight() override;
    /** The alert message font: 15 px plain. */
    juce::Font getAlertWindowMessageFont() override;
    /** The font of alert window extras: 12 px plain. */
    juce::Font getAlertWindowFont() override;

    /** The program's own linear sliders, chosen by the slider's style. */
    void drawLinearSlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPos, float minSliderPos, float maxSliderPos,
                           juce::Slider::SliderStyle, juce::Slider&) override;

    /** A track with the value part in the fill colour and a labelled circle at the value. */
    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle, juce::Slider&) override;

    /** A flat rounded thumb for the plain linear styles, a pointer for the three-value vertical one. */
    void drawLinearSliderThumb (juce::Graphics&, int x, int y, int width, int height,
                                float sliderPos, float minSliderPos, float maxSliderPos,
                                juce::Slider::SliderStyle, juce::Slider&) override;

    /** A ring showing the value, a glass sphere in the middle and a pointer line. */
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height,
                           float sliderPosProportional, float rotaryStartAngle, float rotaryEndAngle,
                           juce::Slider&) override;

    /** A tab wide enough for its text in the tab font with a margin of two blanks on each side. */
    int getTabButtonBestWidth (juce::TabBarButton&, int tabDepth) override;

    /** The third-generation tab, with its text drawn by drawTabButtonText. */
    void drawTabButton (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;

    /** Tab texts in "Arial" bold, 0.6 of the bar depth. */
    void drawTabButtonText (juce::TabBarButton&, juce::Graphics&, bool isMouseOver, bool isMouseDown) override;

    /** Fonts of the typeface "Arial" use the metric-compatible "Liberation Sans" where Arial itself
        is not installed (as on most Linux desktops); every other font as the base finds it. */
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font&) override;

private:
    static juce::Colour createBaseColour (juce::Colour colour, bool hasFocus, bool isOver, bool isDown);
    static void createRoundedPath (juce::Path& p, float x, float y, float w, float h, float cs,
                                   bool topLeft, bool topRight, bool bottomRight, bool bottomLeft);
    static void drawGlassLozenge (juce::Graphics&, float x, float y, float w, float h, juce::Colour colour,
                                  float outlineThickness, float cornerSize,
                                  bool flatOnLeft, bool flatOnRight, bool flatOnTop, bool flatOnBottom);
    static void drawGlassSphere (juce::Graphics&, float x, float y, float diameter, juce::Colour colour,
                                 float outlineThickness);
    static void drawGlassTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h,
                                  bool ticked, bool isEnabled, bool isOver, bool isDown);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultLookAndFeel)
};
