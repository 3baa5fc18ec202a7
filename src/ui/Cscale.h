#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** A dB scale drawn beside meters (mode 0: "0 dB" down to "60" with tick marks) or beside the
    response graph (mode 1: "+15" to "-15"; mode 2: "0 dB" to "-30"; labels only). */
class Cscale : public juce::Component
{
public:
    /** Creates a scale in the given mode (0, 1 or 2). */
    explicit Cscale (int scaleMode);
    ~Cscale() override;

    /** Switches the mode: 5 divisions in mode 0, 6 otherwise; the spacing follows the current height. */
    void setMode (int scaleMode);

    /** The current mode. */
    int getMode() const noexcept { return mode; }
    /** The number of label intervals. */
    int getDivisions() const noexcept { return divisions; }
    /** Pixels from one label to the next. */
    float getSpacing() const noexcept { return spacing; }

    /** Draws the labels, and the tick marks in mode 0. */
    void paint (juce::Graphics& g) override;
    /** Recomputes the spacing from the new height. */
    void resized() override;

private:
    void updateSpacing();

    int mode = 0;
    int divisions = 5;
    float spacing = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Cscale)
};
