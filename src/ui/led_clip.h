#pragma once
#include <juce_gui_basics/juce_gui_basics.h>

/** A one-colour LED: bright red while on, a faint red while off. It only displays. */
class led_clip : public juce::Component
{
public:
    /** Creates the LED switched off. */
    explicit led_clip (const juce::String& componentName);
    ~led_clip() override;

    /** Switches the LED on or off and repaints, whether or not the state changed. */
    void setState (bool on);

    /** True while the LED is on. */
    bool getState() const noexcept { return state; }

    /** Fills the whole component in the on or off colour. */
    void paint (juce::Graphics& g) override;

private:
    juce::Colour onColour { 0xffff0000 };
    juce::Colour offColour { 0x40fd0107 };
    bool state = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (led_clip)
};
