#pragma once
// The Configuration tab: input source and gain, delay, limiter, mounting position, voicing and the
// network-channel meters.

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class Cnode;
class Cdelay;
class Climiter;
class Croot;
class led_meter;

/** The number of voicing buttons of model indexes 0 to 5. */
extern const int voicingCounts[6];

/** The voicing button texts of model indexes 0 to 5: row m holds voicingCounts[m] texts, the model's own
    name first. */
extern const char* const voicingNames[6][8];

/**
    The Configuration page (720 x 470): the input source (analog or one of the 16 Lirabus channels) with
    the input gain or trim and the remote switch, the output delay in milliseconds, metres and feet, the
    limiter threshold, the mounting position and, for models 0 to 5, the voicing; above them the 16
    Lirabus channel meters and the position and speaker pictures.

    Every edit is written into the tree (clamped by the parameter) and sent by the edited node at its own
    address; the analog input gain has no node and goes out as "/gain". Values from the speaker or a preset
    arrive as change messages of the listened nodes and set the widgets without notification, so nothing
    is echoed back.

    One instance, created by the main component and published in `configPage`. Its model switch is the
    only writer of `subwooferFlag`, which the EQ and crossover tabs read after it.
*/
class CConfigPage : public juce::Component,
                    public juce::ChangeListener,
                    public juce::TextEditor::Listener,
                    public juce::Button::Listener,
                    public juce::ComboBox::Listener,
                    public juce::Slider::Listener
{
public:
    /** Builds the widgets, listens to the "input", "delay", "limiter", "position" and "model" nodes of
        `rootCell` (when there is one) and selects "Analog", which announces itself asynchronously. */
    CConfigPage();
    ~CConfigPage() override;

    /** Makes `modelIndex` (0 to 40) the page's model; sets `subwooferFlag` for the subwoofer models
        4, 5, 7, 10, 15, 16, 21, 22, 29, 30, 37 and 38 and clears it for every other index; then names
        the position buttons, shows the voicing buttons of models 0 to 5 and the input widgets that
        suit the input source. */
    void setModel (int modelIndex);

    /** The model index last given to setModel (0 at construction). */
    int getModel() const noexcept { return modelIndex; }

    /** The analog input gain knob (-60 to 0 dB), which the speaker's "/gain" replies set. */
    juce::Slider* getInputGainKnob() const noexcept { return inputGainKnob.get(); }

    /** Eight network-channel levels (linear) of bank `bank` (0: channels 1 to 8, otherwise 9 to 16),
        shown on the page's channel meters. Acts on `configPage`; nothing happens while there is none. */
    static void setK24Meters (int bank, const float* levels);

    /** True for the model indexes of the subwoofers. */
    static bool isSubwooferModel (int modelIndex) noexcept;

    /** The speaker picture of a model index: for 0 to 5 the picture of voicing `voicing` (invalid when
        that model has no such voicing), for 8 to 38 the model's own; invalid for every other index. */
    static juce::Image speakerPicture (int modelIndex, int voicing);

    /** The mounting-position picture of `position` for a model index (invalid for a position that has
        none: 3 and above for subwoofers, 4 and above otherwise). */
    static juce::Image positionPicture (int modelIndex, int position);

    /** Shows the delay `ms` in the three delay editors (three decimals) after storing it in the delay
        node; sends nothing and notifies no one. */
    void updateDelayTexts (float ms);

    /** Draws the ground, the meter panel, the column lines and the position and speaker pictures. */
    void paint (juce::Graphics& g) override;
    /** Lays out the widgets at their fixed places. */
    void resized() override;

    /** A value from the speaker or a preset: sets the widgets of that node without notification. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    /** Typing in a delay editor takes effect only on Return. */
    void textEditorTextChanged (juce::TextEditor&) override;
    /** Return in a delay editor: reads the text in the editor's unit and sets the delay. */
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    /** Escape in a delay editor does nothing. */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    /** Leaving a delay editor discards unconfirmed typing in all three. */
    void textEditorFocusLost (juce::TextEditor& editor) override;
    /** The remote switch, a position button or a voicing button. */
    void buttonClicked (juce::Button* button) override;
    /** The input source box. */
    void comboBoxChanged (juce::ComboBox* box) override;
    /** The delay, limiter, trim and input gain knobs. */
    void sliderValueChanged (juce::Slider* slider) override;

private:
    /** True while the tree the page listens to is still the program's tree. */
    bool hasTree() const noexcept;
    /** The current input source (0: analog) from the tree; 0 without a tree. */
    int currentSource() const;
    /** The current remote switch from the tree; 0 without a tree. */
    int currentRemote() const;
    /** Shows the channel meters, their frame and numbers while a Lirabus channel is the source, and the
        remote note while that channel controls a model 0 to 5. */
    void updateSourceDependentVisibility();
    /** Writes the delay typed into `editor` (in that editor's unit). */
    void applyDelayText (juce::TextEditor& editor);

    int modelIndex = 0;

    Croot* listenedRoot = nullptr;
    Cnode* inputNode = nullptr;
    Cdelay* delayNode = nullptr;
    Climiter* limiterNode = nullptr;
    Cnode* positionNode = nullptr;
    Cnode* modelNode = nullptr;

    std::unique_ptr<juce::ComboBox> sourceBox;
    std::unique_ptr<juce::Slider> inputGainKnob, trimKnob, delayKnob, limiterKnob;
    std::unique_ptr<juce::TextEditor> msecEditor, meterEditor, feetEditor;
    std::unique_ptr<juce::TextButton> remoteButton;
    std::array<std::unique_ptr<juce::TextButton>, 4> positionButtons;
    std::array<std::unique_ptr<juce::TextButton>, 8> voicingButtons;
    std::array<std::unique_ptr<led_meter>, 16> channelMeters;
    std::array<std::unique_ptr<juce::Label>, 16> channelNumbers;
    std::unique_ptr<juce::GroupComponent> activeFrame;
    std::unique_ptr<juce::Label> metersTitle, remoteNote;
    std::unique_ptr<juce::Label> inputTitle, delayTitle, limiterTitle, positionTitle, modelTitle;
    std::unique_ptr<juce::Label> trimCaption, gainCaption, timeCaption, thresholdCaption;
    std::unique_ptr<juce::Label> remoteCaption, viaCaption;
    std::unique_ptr<juce::Label> dbLabel, msLabel, meterLabel, feetLabel, dbfsLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CConfigPage)
};

/** The one Configuration page while it exists (set and cleared by the main component). */
extern CConfigPage* configPage;
