#pragma once
// The "EQ" sub-tab of the Equaliser page: the four user EQ bands and the speaker's EQ mode.

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class Cnode;
class Cpeq;
class Ceqmode;
class Croot;

/**
    The EQ tab (720 x 260): four EQ bands with fixed roles, band 1 a low shelf ("Low"), band 2 a high shelf
    ("High") and bands 3 and 4 peaking sections ("PEQ 1", "PEQ 2"), each with an on/off switch, a gain
    knob and a frequency knob with a text field, the peaking bands also with a Q knob and field, the
    shelves with a 6 or 12 dB slope choice; beside them the EQ-mode buttons of the current model with the
    picture of the selected preset mode, and "Reset All".

    Every edit writes the band's parameter (clamped by it), sends the band node at its own address,
    redesigns the band's filter for the response graph and frames the edited column. Values from the
    speaker or a preset arrive as change messages of the band and "eqmode" nodes and set the widgets
    without notification, so nothing is echoed back.

    One instance, created by the Equaliser page and published in `peqTab`; the graph's drag handles edit
    the bands through `bands` and then call changeListenerCallback and sectionChanged.
*/
class CPeqTab : public juce::Component,
                public juce::ChangeListener,
                public juce::TextEditor::Listener,
                public juce::Slider::Listener,
                public juce::Button::Listener
{
public:
    /** Builds the widgets and listens to the "eqmode" and "peq/01" to "peq/04" nodes of `rootCell` (when
        there is one). Reads no parameter: the widgets take their values from the first change messages.
        Publishes itself in `peqTab`. */
    CPeqTab();

    /** Stops listening to the tree (while it is still the program's tree) and clears `peqTab` when it
        points to this tab. */
    ~CPeqTab() override;

    /** Makes `model` (0 to 40) the model of `peqTab` (nothing happens while there is none): names and
        shows the EQ-mode buttons of that model and sets modeCount. Call after the Configuration page has
        set `subwooferFlag` for the model. */
    static void setModel (int model);

    /** After a parameter of `band` (0 to 3) changed: sends the band node, redesigns the band's filter,
        repaints the Equaliser page's graph and frames the band's column. Leaves the band's widgets alone. */
    void sectionChanged (int band);

    /** A change of a band node or of the "eqmode" node: sets the widgets from the tree without
        notification and redraws. Also called directly with a band node to refresh that band's widgets. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** Writes a knob's value into `band`'s parameter: `which` 1 frequency (index), 2 gain (0 dB while
        the band's EQ-on switch is off), 3 Q (index); the frequency and Q fields show the new value. */
    void setSectionFromSlider (int band, int which, float value);

    /** Returns all four bands to their defaults (low shelf 6 dB at 100 Hz, high shelf 6 dB at 10 kHz,
        peaking at 500 Hz and 2 kHz, gain 0 dB, Q step 9), switches every band on, refreshes and sends
        each band and repaints the graph. The EQ mode is not changed. */
    void resetUserEq();

    /** Draws the ground, the column lines and the picture of the selected EQ mode; shows the remote
        note when a Lirabus channel controls the speaker. */
    void paint (juce::Graphics& g) override;
    /** Lays out the widgets at their fixed places. */
    void resized() override;

    /** Typing takes effect only on Return. */
    void textEditorTextChanged (juce::TextEditor&) override;
    /** Return in a frequency or Q field: reads the typed number into the band. */
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    /** Escape does nothing. */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    /** Leaving a frequency or Q field discards unconfirmed typing and sends the band again. */
    void textEditorFocusLost (juce::TextEditor& editor) override;
    /** A gain, frequency or Q knob moved. */
    void sliderValueChanged (juce::Slider* slider) override;
    /** An EQ-on switch, a slope toggle, an EQ-mode button or "Reset All". */
    void buttonClicked (juce::Button* button) override;

    /** The number of EQ-mode preset buttons of the current model (4, 3 or 1; 0 before a model of the
        range was set); it is also the "User" mode value. */
    int modeCount = 0;

    /** The model index last given to setModel (40, not connected, until then). */
    int model = 40;

    /** The band nodes "/peq/01" to "/peq/04" (null without a tree). */
    std::array<Cpeq*, 4> bands {};

private:
    /** True while the tree the tab listens to is still the program's tree. */
    bool hasTree() const noexcept;
    /** The band (0 to 3) whose widget `component` is, or -1, in `widgets`. */
    template <typename Array>
    static int indexOf (const Array& widgets, const juce::Component* component) noexcept;
    /** Return in a field or focus lost: `which` 1 frequency, 3 Q. */
    void applyFieldText (int band, int which, juce::TextEditor& editor);
    /** A click on EQ-mode button `slot`. */
    void modeButtonClicked (int slot);
    /** The model's picture for EQ mode `mode`; invalid when it has none. */
    juce::Image modePicture (int mode) const;
    /** Sets the EQ-on switch's pictures. */
    void initEqOnButton (juce::ImageButton& button);

    Croot* listenedRoot = nullptr;
    Ceqmode* eqmodeNode = nullptr;

    std::array<std::unique_ptr<juce::ImageButton>, 4> eqOnButtons;
    std::array<std::unique_ptr<juce::Label>, 4> bandLabels;
    std::array<std::unique_ptr<juce::Label>, 4> gainUnitLabels;
    std::array<std::unique_ptr<juce::Label>, 4> freqUnitLabels;
    std::unique_ptr<juce::Label> gainCaption, frequencyCaption, qualityCaption, typeCaption;
    std::unique_ptr<juce::Label> remoteLabel;
    std::unique_ptr<juce::TextButton> resetButton;
    std::array<std::unique_ptr<juce::TextEditor>, 4> freqEditors;
    std::array<std::unique_ptr<juce::TextEditor>, 4> qualEditors;
    std::array<std::unique_ptr<juce::Slider>, 4> freqSliders;
    std::array<std::unique_ptr<juce::Slider>, 4> qualSliders;
    std::array<std::unique_ptr<juce::Slider>, 4> gainSliders;
    std::array<std::unique_ptr<juce::ToggleButton>, 4> typeToggles;
    std::array<std::unique_ptr<juce::TextButton>, 5> modeButtons;
    std::unique_ptr<juce::GroupComponent> activeFrame;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CPeqTab)
};

/** The one EQ tab while it exists (set by its constructor, cleared by its destructor). */
extern CPeqTab* peqTab;
