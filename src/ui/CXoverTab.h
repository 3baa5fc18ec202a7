#pragma once
// The "X-Over" sub-tab of the Equaliser page: crossover presets per model, the user frequency and the
// phase of the speaker's "/xover" node.

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class Cxover;
class Croot;

/**
    The crossover tab (720 x 260, component name "XoverTab"). The user picks one of up to six presets
    that depend on the model and on `subwooferFlag`, or "User"; only in "User" can the user frequency
    and the phase be changed. Every edit is written into the "/xover" node (clamped by its parameters),
    the node is sent at its own address, and the crossover curve of the response graph is redesigned.
    Values from the speaker or a preset arrive as change messages of the node and set the widgets
    without notification, so nothing is echoed back.

    One instance, created by the Equaliser page and published in `xoverTab`.
*/
class CXoverTab : public juce::Component,
                  public juce::ChangeListener,
                  public juce::TextEditor::Listener,
                  public juce::Slider::Listener,
                  public juce::Button::Listener
{
public:
    /** Slot of the "User" button among the preset buttons. */
    static constexpr int userSlot = 6;

    /** Builds the widgets, listens to the "xover" node of `rootCell` (when there is one), lights the
        preset button of the node's stored type and publishes itself in `xoverTab`. */
    CXoverTab();

    /** Stops listening to the node (while its tree is still the program's tree) and clears `xoverTab`
        when it points to this tab. */
    ~CXoverTab() override;

    /** Makes `modelIndex` (0 to 40) the tab's model on `xoverTab` (nothing happens while there is none):
        sets the preset count, texts and visibility, the user frequency knob's range, lays the tab out,
        lights the preset button that the stored type names under the model's preset count (enabling
        the user widgets only for "User") and redesigns the crossover curve. Indexes 39 and 40 keep the
        preset count of the model before. The node is left as it is. Call after `subwooferFlag` has been
        set. */
    static void setModel (int modelIndex);

    /** Works out the display corner frequency and level offset of the stored type for the model,
        designs the crossover curve with them and repaints the Equaliser page's graph. */
    void updateGraph();

    /** Enables or disables together the user frequency knob and editor and the three phase buttons. */
    void setUserButtonsEnabled (bool userSelected);

    /** Stores the phase (0 or 180 degrees), shows it on the "0 deg" and "180 deg" buttons, redesigns
        the curve and sends the node. */
    void togglePhase (int degrees);

    /** The model index last given to setModel (40 at construction). */
    int getModel() const noexcept { return model; }

    /** The number of presets offered for the model (0 at construction). */
    int getPresetCount() const noexcept { return presetCount; }

    /** Number of presets offered for a model (0 to 38) with or without the subwoofer flag; -1 for the
        indexes 39 and 40, which keep the count they had. */
    static int presetCountFor (int modelIndex, bool subwoofer) noexcept;

    /** The corner frequency (Hz, 0 for a flat curve) and level offset (dB) that the curve of preset `k`
        is drawn with for a model offering `count` presets; the user frequency `userHz` when k >= count. */
    static void displayCorner (int modelIndex, bool subwoofer, int k, int count, float userHz,
                               float& frequencyHz, float& offsetDb) noexcept;

    /** The picture of the speaker that preset `k` pairs with, for a model; null when there is none. */
    static const char* pairedPictureData (int modelIndex, bool subwoofer, int k, int& dataSize) noexcept;

    /** Fills the ground, draws the paired speaker's picture and the column lines. */
    void paint (juce::Graphics& g) override;
    /** Lays the preset buttons out in one or two columns by model; the other widgets stay in place. */
    void resized() override;

    /** A value from the speaker or a preset: sets the widgets without notification. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    /** Typing takes effect only on Return. */
    void textEditorTextChanged (juce::TextEditor&) override;
    /** Return: reads the typed user frequency, stores it and sends the node. */
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    /** Escape does nothing. */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    /** Leaving the editor drops unconfirmed typing, shows the stored frequency and sends the node. */
    void textEditorFocusLost (juce::TextEditor& editor) override;
    /** The user frequency knob: stores its step and sends the node. */
    void sliderValueChanged (juce::Slider* slider) override;
    /** A preset button, "User", "Phase", "0 deg" or "180 deg". */
    void buttonClicked (juce::Button* button) override;

private:
    /** The crossover node while the tree it came from is still the program's tree; null otherwise. */
    Cxover* node() const noexcept;
    /** Sends the crossover node at its own address. */
    void sendNode();
    /** Asks the Equaliser page's graph to repaint. */
    static void repaintGraph();
    /** Lights the button of the node's stored type for the current preset count ("User" when the type
        equals it) and enables the user widgets only for "User". */
    void showStoredType();
    /** Sets the preset button texts of the model. */
    void setPresetTexts();

    int model = 40;
    int presetCount = 0;
    Cxover* xover = nullptr;
    Croot* listenedRoot = nullptr;

    std::unique_ptr<juce::Label> frequencyLabel, typeLabel;
    std::unique_ptr<juce::Slider> frequencySlider;
    std::unique_ptr<juce::TextEditor> frequencyEditor;
    std::array<std::unique_ptr<juce::TextButton>, 7> presetButtons;
    std::unique_ptr<juce::TextButton> phaseButton;
    std::unique_ptr<juce::ToggleButton> phase0Button, phase180Button;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CXoverTab)
};

/** The one crossover tab while it exists (set by the Equaliser page and by the tab itself). */
extern CXoverTab* xoverTab;
