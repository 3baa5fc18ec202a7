#pragma once
// The main component: the three pages in their tabs, the level meters, LEDs and dB scale, the
// version label, the watermark and the series picture.

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class Cscale;
class led_meter;
class led_clip;

/** The whole content of the main window, 912 x 516 pixels. One instance, in `remoteControl`.
    It installs the program's look and feel, creates the Setup, Configuration and Equaliser pages
    and the one OSC link, and it alone sets the model index of the whole user interface. */
class RemoteControl : public juce::Component
{
public:
    /** Builds everything and shows model 40 ("[not connected!]") in `ownerWindow`'s title.
        `ownerWindow` (not owned) receives the title and the title-bar icon; it may be null. */
    explicit RemoteControl (juce::DocumentWindow* ownerWindow);
    ~RemoteControl() override;

    /** Makes `index` the model of the whole user interface: the Configuration page (which sets
        `subwooferFlag`), then the Equaliser page's tabs, then the window title and the series picture. */
    void setModel (int index);

    /** The model index last set (0 to 40). */
    int getModelIndex() const noexcept { return modelIndex; }

    /** Shows three linear levels ("/meter": input, output A, output B) on the meters of `remoteControl`;
        the output meter shows the larger output. Nothing happens while there is no main component. */
    static void setMeterLevels (float in, float outA, float outB);

    /** Sets the clip LED and the limit LED (on when either output limits) of `remoteControl`. */
    static void setClipLeds (bool clip, bool limitA, bool limitB);

    /** True while the main tabs of `remoteControl` show the Configuration tab. */
    static bool isConfigTabShown();

    /** Hands eight network-channel levels to the Configuration page while its tab is shown;
        drops them otherwise. */
    static void forwardK24Meter (int bank, const float* levels);

    /** Sets the program's slider and button colours on `lookAndFeel`. */
    static void initColours (juce::LookAndFeel& lookAndFeel);

    /** The window title for a model index: "VARENTO Edit " and the model's title, where "connected"
        reads "offline" while `offline` is true and the index is below 39. */
    static juce::String titleForModel (int index, bool offline);

    /** The series picture of a model index (invalid for 6, 7, 39, 40 and anything outside 0 to 38). */
    static juce::Image seriesPicture (int index);

    /** The main tabs. */
    juce::TabbedComponent& getTabs() noexcept { return *tabs; }
    /** The input level meter. */
    led_meter& getInputMeter() noexcept { return *inputMeter; }
    /** The output level meter. */
    led_meter& getOutputMeter() noexcept { return *outputMeter; }
    /** The input clip LED. */
    led_clip& getClipLed() noexcept { return *clipLed; }
    /** The output limit LED. */
    led_clip& getLimitLed() noexcept { return *limitLed; }

    /** Draws the background, the right panel, the frame, the meter box, the watermark and the series picture. */
    void paint (juce::Graphics& g) override;
    /** Places the tabs and labels and rebuilds the frame around the tabs. */
    void resized() override;

private:
    int modelIndex = 40;
    juce::DocumentWindow* ownerWindow = nullptr;
    juce::OwnedArray<juce::LookAndFeel> lookAndFeels;

    std::unique_ptr<juce::Label> clipLabel, limitLabel, inLabel, outLabel;
    std::unique_ptr<juce::TabbedComponent> tabs;
    std::unique_ptr<juce::Label> versionLabel;

    std::unique_ptr<led_meter> inputMeter, outputMeter;
    std::unique_ptr<Cscale> meterScale;
    std::unique_ptr<led_clip> clipLed, limitLed;

    juce::Path framePath;
    juce::Image watermark;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RemoteControl)
};

/** The one main component while it exists (set by its constructor, cleared by its destructor). */
extern RemoteControl* remoteControl;
