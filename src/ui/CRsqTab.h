#pragma once
// The "RSQ" sub-tab of the Equaliser page: the speaker's feedback suppression.

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

class Croot;
class Crsq;
class Crsqmode;

/**
    The feedback-suppression tab (720 x 260, component name "RsqTab"). The speaker runs eight feedback
    filters ("/rsq/01" to "/rsq/08") that it sets and reports itself; the tab never edits them, it shows
    one "Active" indicator per filter and designs each filter's curve for the response graph whenever the
    speaker reports it. The mode ("/rsqmode": 0 off, 1 automatic, 2 single, 3 learn, 4 reset all filters)
    is set with "Autom", "Single", "Learn" and "Reset All"; "Learn" asks before it starts the speaker's
    learn function and then shows the learn window (RsqLearnThread) that paces the user.

    One instance, created by the Equaliser page and published in `rsqTab`.
*/
class CRsqTab : public juce::Component,
                public juce::ChangeListener,
                public juce::Button::Listener
{
public:
    /** Builds the widgets and listens to the "rsqmode" and "rsq/01" to "rsq/08" nodes of `rootCell`
        (when there is one). Reads no value: the widgets follow the first change messages. Publishes
        itself in `rsqTab`. */
    CRsqTab();

    /** Closes a learn window that is still open, stops listening to the tree (while it is still the
        program's tree) and clears `rsqTab` when it points to this tab. */
    ~CRsqTab() override;

    /** Sets the "rsqmode" node's mode to `mode` (clamped to 0..4) and sends the node at "/rsqmode".
        Leaves the buttons alone: they follow the node's change messages. */
    static void setMode (int mode);

    /** A change of a filter node (shows its indicator, designs its curve, repaints the graph) or of the
        mode node (lights the matching mode button); widgets are set without notification. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    /** "Autom", "Single", "Learn" or "Reset All" clicked. */
    void buttonClicked (juce::Button* button) override;
    /** Button state changes do nothing. */
    void buttonStateChanged (juce::Button*) override {}

    /** Draws the ground, the captions and the explanation of the learn function; repaints the graph. */
    void paint (juce::Graphics& g) override;
    /** Lays out the widgets at their fixed places. */
    void resized() override;

    /** The filter nodes "/rsq/01" to "/rsq/08" (null without a tree). */
    std::array<Crsq*, 8> bands {};

    /** The band numbers "1" to "8" above the indicators. */
    std::array<std::unique_ptr<juce::Label>, 8> bandLabels;

    /** The mode buttons; Autom, Single and Learn form radio group 9. */
    std::unique_ptr<juce::TextButton> resetButton, automButton, singleButton, learnButton;

    /** One display-only "Active" indicator per filter, lit while the filter's gain is below 0 dB. */
    std::array<std::unique_ptr<juce::ToggleButton>, 8> activeIndicators;

private:
    /** True while the tree the tab listens to is still the program's tree. */
    bool hasTree() const noexcept;
    /** The "rsqmode" node of the program's tree, or null. */
    Crsqmode* modeNode() const noexcept;
    /** Lights the mode button of `mode` (0 all off, 1 Autom, 2 Single, 3 Learn; others change nothing),
        without notification. */
    void showMode (int mode);
    /** "Learn" clicked with the current mode `mode`. */
    void learnClicked (int mode);
    /** Asks the Equaliser page to redraw its graph (when there is one). */
    static void repaintGraph();

    Croot* listenedRoot = nullptr;
    Crsqmode* listenedMode = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CRsqTab)
};

/** The one feedback-suppression tab while it exists (set by its constructor, cleared by its destructor). */
extern CRsqTab* rsqTab;
