#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** A vertical segmented level meter that draws itself: the segments light from the bottom up to
    the level last given, the top group in its own colours. It only displays; it takes no input. */
class led_meter : public juce::Component
{
public:
    /** Creates a dark meter (level -100 dB) of 10 segments from -60 dB to 0 dB. */
    explicit led_meter (const juce::String& componentName);
    ~led_meter() override;

    /** Sets the number of segments (at least 2) and the levels of the bottom and top segment.
        Does not repaint. */
    void setRange (int numSegments, float minimumDb, float maximumDb);

    /** Shows a level in dB and repaints. */
    void setLevel (float db);

    /** The whole dB a meter shows for a linear level: trunc(20 log10(v) + 1.2) in single precision,
        -60 for -60 or less and for a level that is zero, negative or not a number. */
    static int dbFromLinear (float linearLevel) noexcept;

    /** The level shown, in dB. */
    double getLevel() const noexcept { return level; }

    /** The number of segments. */
    int getNumSegments() const noexcept { return segments; }

    /** Draws every segment, lit or dark. */
    void paint (juce::Graphics& g) override;

private:
    double minDb = -60.0;
    double maxDb = 0.0;
    double level = -100.0;
    juce::Colour litColour { 0xff6ebedd };
    juce::Colour dimColour { 0x80666767 };
    juce::Colour topLitColour { 0xffeaefe3 };
    juce::Colour topDimColour { 0x80666767 };
    int segments = 10;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (led_meter)
};
